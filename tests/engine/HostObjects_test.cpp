// Host objects published to scripts: their properties as live fields, the
// routines they declare, and the rules of publishing.
#include <gtest/gtest.h>

#include "engine/Kind.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/HostProbe.h"

namespace {

class HostObjects : public EngineFixture {
protected:
  HostObjects() { EXPECT_TRUE(Engine->AddClient(Probe, "")); }

  TRecVar& ProbeVar() { return dynamic_cast<TRecVar&>(*Engine->FindVariable("Probe")); }
  // The error lines of evaluating each line in turn.
  std::vector<std::string> Run(std::initializer_list<std::string> lines) {
    std::vector<std::string> errors;
    for (const std::string& line : lines) {
      Eval(line);
      for (const std::string& error : ErrorTexts()) errors.push_back(error);
    }
    return errors;
  }
  std::vector<std::string> Run(const std::string& line) { return Run({line}); }

  TProbe Probe;
};

TEST_F(HostObjects, AProbeIsASystemRecordOfItsClassWithItsExposedProperties) {
  TRecVar& probe = ProbeVar();
  EXPECT_EQ(probe.Lib(), Engine->FindLibrary("System"));
  EXPECT_EQ(probe.Kind()->Code(), kcClass);
  EXPECT_EQ(probe.Kind()->Name(), "TProbe");
  std::vector<std::string> names;
  for (int i = 0; i < probe.FieldCount(); ++i) names.push_back(probe.Field(i)->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"Count", "Ratio", "Title", "Ready", "Mode", "Flags", "Child", "Fixed",
                                             "Clear", "Scale", "Empty"}))
      << "no character, 64-bit or unbindable event property";
  EXPECT_EQ(probe.Object(), &Probe);
}

TEST_F(HostObjects, ObjectsOfOneClassShareOneKindAndExportOnce) {
  const int runs = TProbe::ExportsRuns;
  TProbe second;
  EXPECT_TRUE(Engine->AddClient(second, "P2"));
  EXPECT_EQ(Engine->FindVariable("P2")->Kind(), ProbeVar().Kind());
  EXPECT_EQ(TProbe::ExportsRuns, runs);
}

TEST_F(HostObjects, ATakenNameOrAnObjectPublishedAlreadyIsRefusedSilently) {
  TProbe other;
  Sink->Lines.clear();
  EXPECT_FALSE(Engine->AddClient(other, "Probe"));
  EXPECT_FALSE(Engine->AddClient(Probe, "Again"));
  EXPECT_EQ(Engine->FindVariable("Again"), nullptr);
  EXPECT_TRUE(Sink->Lines.empty());
}

TEST_F(HostObjects, FieldsReadThePropertyAfresh) {
  Probe.Count = 9;
  EXPECT_EQ(Result("Probe.Count"), "9");
  Probe.Count = -4;
  EXPECT_EQ(Result("Probe.Count"), "-4");
  Probe.Title = "host";
  EXPECT_EQ(Result("Probe.Title + '!'"), "'host!'");
  Probe.Ratio = 0.5;
  EXPECT_EQ(Result("Probe.Ratio * 2"), "1");
  Probe.Ready = true;
  EXPECT_EQ(Result("Probe.Ready"), "True");
}

TEST_F(HostObjects, WritingAFieldWritesTheProperty) {
  EXPECT_TRUE(Run("Probe.Count := 7").empty());
  EXPECT_EQ(Probe.Count, 7);
  EXPECT_EQ(Run("Probe.Count := 5000000000"), (std::vector<std::string>{"Range check error"}));
  EXPECT_EQ(Probe.Count, 7) << "the property keeps its value";
  EXPECT_TRUE(Run({"Probe.Title := 'abc'", "Probe.Title[2] := 'X'", "Probe.Ratio := 3", "Probe.Ready := True"}).empty());
  EXPECT_EQ(Probe.Title, "aXc");
  EXPECT_EQ(Probe.Ratio, 3.0);
  EXPECT_TRUE(Probe.Ready);
}

TEST_F(HostObjects, EnumerationsGoByMemberNameAndSetsByTheirMask) {
  EXPECT_TRUE(Run({"Probe.Mode := pmAuto", "Probe.Flags := [pfA, pfC]"}).empty());
  EXPECT_EQ(Probe.Mode, 2);
  EXPECT_EQ(Probe.Flags, 5);
  Probe.Flags = 2;
  EXPECT_EQ(Result("Probe.Flags"), "[ pfB ]");
  Probe.Mode = 1;
  EXPECT_EQ(Result("Probe.Mode"), "pmOn");
}

TEST_F(HostObjects, NestedObjectsAreRecordsOverThemAndReadOnlyPropertiesConstants) {
  EXPECT_EQ(Run("Probe.Child.Value := 3"), std::vector<std::string>{});
  EXPECT_EQ(Probe.Child.Value, 3);
  EXPECT_EQ(Run("Probe.Fixed := 1"), (std::vector<std::string>{"Cannot assign to a constant at [1:13] "}));
  EXPECT_EQ(Probe.Fixed, 11);
  EXPECT_EQ(Result("Probe.Fixed"), "11");
}

TEST_F(HostObjects, DeclaredRoutinesRunThroughTarnExecs) {
  EXPECT_EQ(Result("Probe.Scale(2)"), "4");
  ASSERT_EQ(Probe.ScaleArgs.size(), 1u);
  EXPECT_EQ(Probe.ScaleArgs[0].AsReal(), 2.0L);
  EXPECT_EQ(Result("Probe.Scale(2) / 8"), "0.5") << "the integer answer is a Real";
  EXPECT_EQ(Run("Probe.Clear()"), std::vector<std::string>{});
  EXPECT_EQ(Probe.Clears, 1);
  EXPECT_EQ(Run("1 + Probe.Empty()"), (std::vector<std::string>{"Function \"Empty\" has result of wrong type at [1:5] "}));
}

TEST_F(HostObjects, RoutinesAreDeclaredOnlyWhileTheKindIsBuilt) {
  Sink->Lines.clear();
  EXPECT_FALSE(Engine->AddClientFunction(5, "procedure Late"));
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"Function can be added only from the client"}));

  class TWider : public TProbe {};
  static const bool registered =
      (RegisterHostClassOf<TWider>("TWider", HostClassOf(Probe)), true);
  ASSERT_TRUE(registered);
  TWider wider;
  wider.ExtraExports = {"procedure Clear", "procedure Bad(var x : Integer)", "function Twice(n : Integer) : Integer"};
  Sink->Lines.clear();
  EXPECT_TRUE(Engine->AddClient(wider, "W"));
  EXPECT_EQ(wider.ExtraResults, (std::vector<bool>{false, false, true}));
  const std::vector<std::string> errors = ErrorTexts();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "Property \"Clear\" already exists");
  EXPECT_NE(errors[1].find("Var paramteters are not allowed"), std::string::npos) << errors[1];
}

TEST_F(HostObjects, AnObjectWithoutTypeInformationIsRefused) {
  TUnregistered plain;
  Sink->Lines.clear();
  EXPECT_FALSE(Engine->AddClient(plain, "Plain"));
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"No type information available in \"System\""}));
  EXPECT_EQ(Engine->FindVariable("Plain"), nullptr);
}

TEST_F(HostObjects, RemoveClientDeletesOnlyAHostObjectsRecord) {
  Engine->RemoveClient("Probe");
  EXPECT_EQ(Engine->FindVariable("Probe"), nullptr);
  Engine->AddVariable("Graph2D", BaseKind(kcInteger));
  Engine->RemoveClient("Graph2D");
  EXPECT_NE(Engine->FindVariable("Graph2D"), nullptr) << "a user's variable stays";
  EXPECT_TRUE(Engine->AddClient(Probe, "")) << "published again after removal";
}

}  // namespace

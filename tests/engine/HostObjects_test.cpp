// Host objects published to scripts: their properties as live fields, the
// routines they declare, and the rules of publishing.
#include <gtest/gtest.h>

#include <utility>

#include "engine/Kind.h"
#include "runtime/Exceptions.h"
#include "tests/engine/EngineFixture.h"
#include "tests/engine/HostProbe.h"

namespace {

class HostObjects : public EngineFixture {
protected:
  HostObjects() { EXPECT_TRUE(Engine->AddClient(Probe, "")); }
  // The engine goes first: its records give the probe its handlers back.
  ~HostObjects() override { Engine = CountedPtr<TXBuilder>(); }

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
                                             "OnClick", "OnMouseDown", "OnKeyDown", "OnKeyPress", "OnRead", "Clear",
                                             "Scale", "Empty"}))
      << "no character, 64-bit or unbindable event property";
  EXPECT_EQ(probe.Object(), &Probe);
}

TEST_F(HostObjects, ObjectsOfOneClassShareOneKindAndExportOnce) {
  const int runs = TProbe::ExportsRuns;
  TProbe second;
  EXPECT_TRUE(Engine->AddClient(second, "P2"));
  EXPECT_EQ(Engine->FindVariable("P2")->Kind(), ProbeVar().Kind());
  EXPECT_EQ(TProbe::ExportsRuns, runs);
  Engine->RemoveClient("P2");
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
  const TKind* child = ProbeVar().Field(6)->Kind();
  EXPECT_EQ(child->Code(), kcClass);
  EXPECT_EQ(child->GetText(false), "ClassValue : Integer end");
  EXPECT_EQ(child->GetText(true), "TProbeChild");
  EXPECT_EQ(Run("Probe.Fixed := 1"), (std::vector<std::string>{"Cannot assign to a constant at [1:13] "}));
  EXPECT_EQ(Probe.Fixed, 11);
  EXPECT_EQ(Result("Probe.Fixed"), "11");
}

TEST_F(HostObjects, DeclaredRoutinesRunThroughTarnExecs) {
  EXPECT_EQ(Result("Probe.Scale(2)"), "4");
  EXPECT_EQ(Value.VarType(), varDouble) << "the integer answer is a Real";
  ASSERT_EQ(Probe.ScaleArgs.size(), 1u);
  EXPECT_EQ(Probe.ScaleArgs[0].AsReal(), 2.0L);
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
  Engine->RemoveClient("W");
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

TEST_F(HostObjects, RoutinesKeptFromARemovedObjectAreForgotten) {
  Engine->RemoveClient("Probe");
  Probe.OnClick = [](TObject*) {};
  ASSERT_TRUE(Engine->AddClient(Probe, ""));
  Engine->AddVariable("Handler", FindKind("TNotifyEvent"));
  Engine->AddVariable("Scaler", ProbeVar().Field(14)->Kind());
  EXPECT_EQ(Run({"Handler := Probe.OnClick", "Scaler := Probe.Scale"}), std::vector<std::string>{});
  Engine->RemoveClient("Probe");
  EXPECT_EQ(dynamic_cast<TFuncVar&>(*Engine->FindVariable("Handler")).Func(), nullptr);
  EXPECT_EQ(dynamic_cast<TFuncVar&>(*Engine->FindVariable("Scaler")).Func(), nullptr);
  EXPECT_EQ(Result("Scaler"), "nil");
}

// Script procedures bound to the probe's events.
constexpr const char* Handlers =
    "library H;\n"
    "procedure Clk(Sender : TObject); begin Write('clicked') end;\n"
    "procedure M(Sender : TObject; Button : TMouseButton; Shift : TShiftState; X, Y : Integer);\n"
    "begin Write(Button, Shift, X, Y) end;\n"
    "procedure KP(Sender : TObject; var Key : Char); begin if Key = 'a' then Key := 'b' end;\n"
    "procedure KD(Sender : TObject; var Key : Word; Shift : TShiftState); begin Key := 70000 end;\n"
    "procedure Clk2(Sender : TObject); begin Write('clk2'); Probe.Clear() end;\n"
    "procedure Slow(Sender : TObject); begin Delay(30); Write('after') end;\n"
    "procedure SlowKP(Sender : TObject; var Key : Char); begin Delay(0.01); if Key = 'a' then Key := 'b' end;\n"
    "procedure CallKeyDown(k : Integer); var w : Word; begin w := k; Probe.OnKeyDown(Probe, w, [ssCtrl]); Write(w) end;\n"
    "end.";

class HostEvents : public HostObjects {
protected:
  HostEvents() {
    Engine->RemoveClient("Probe");
    Probe.OnClick = [this](TObject* sender) { PreviousSenders.push_back(sender); };
    Probe.OnKeyDown = [this](TObject*, std::uint16_t& key, unsigned) {
      PreviousKeys.push_back(key);
      key = 27;
    };
    Probe.OnMouseDown = [this](TObject* sender, int, unsigned, int, int) { PreviousSenders.push_back(sender); };
    EXPECT_TRUE(Engine->AddClient(Probe, ""));
    EXPECT_TRUE(Engine->CompileText(Handlers)) << (ErrorTexts().empty() ? "" : ErrorTexts()[0]);
  }
  std::vector<std::string> Lines(const std::function<void()>& fire) {
    Sink->Lines.clear();
    fire();
    std::vector<std::string> texts;
    for (const TLine& line : Sink->Lines) texts.push_back(line.Text);
    return texts;
  }
  std::vector<std::string> Click(TObject* sender) {
    return Lines([&] { Probe.OnClick(sender); });
  }

  std::vector<TObject*> PreviousSenders;
  std::vector<std::uint16_t> PreviousKeys;
};

TEST_F(HostEvents, AnAssignedProcedureRunsForItsOwnObjectOnly) {
  EXPECT_EQ(Run("Probe.OnClick := Clk"), std::vector<std::string>{});
  EXPECT_EQ(Click(&Probe), std::vector<std::string>{"clicked"});
  TProbe other;
  EXPECT_EQ(Click(&other), std::vector<std::string>{});
  EXPECT_TRUE(PreviousSenders.empty());
  EXPECT_FALSE(Engine->IsRunning());
  Run("Probe.OnClick := nil");
  EXPECT_EQ(Click(&Probe), std::vector<std::string>{});
  EXPECT_EQ(PreviousSenders, std::vector<TObject*>{&Probe}) << "the host's previous handler";
}

TEST_F(HostEvents, ReadingAnUnassignedEventGivesThePreviousHandler) {
  EXPECT_EQ(Run("Probe.OnClick(Probe)"), std::vector<std::string>{});
  EXPECT_EQ(PreviousSenders, std::vector<TObject*>{&Probe});
  auto& event = dynamic_cast<TFuncVar&>(*ProbeVar().Field(8));
  ASSERT_NE(event.Func(), nullptr);
  EXPECT_EQ(event.Func()->Name(), "OnClick");
}

TEST_F(HostEvents, TheHostsOwnHandlerTakesOnlyArgumentsItCanHold) {
  EXPECT_EQ(Run("CallKeyDown(13)"), std::vector<std::string>{});
  EXPECT_EQ(PreviousKeys, std::vector<std::uint16_t>{13});
  EXPECT_EQ(Result("CallKeyDown(13)"), "27") << "the key the handler changed comes back";
  EXPECT_EQ(Run("CallKeyDown(70000)"), std::vector<std::string>{"Range check error"});
  EXPECT_EQ(Run("Probe.OnMouseDown(Probe, mbLeft, [], 5000000000, 0)"),
            std::vector<std::string>{"Range check error"});
  EXPECT_EQ(PreviousKeys.size(), 2u) << "a key beyond a Word never reaches the host";
  EXPECT_TRUE(PreviousSenders.empty()) << "nor a position beyond 32 bits";
}

TEST_F(HostEvents, MouseArgumentsReachTheProcedure) {
  Run("Probe.OnMouseDown := M");
  EXPECT_EQ(Lines([&] { Probe.OnMouseDown(&Probe, 1, 0x01 | 0x08, 10, -3); }),
            std::vector<std::string>{"mbRight[ ssShift, ssLeft ]10-3"});
}

TEST_F(HostEvents, AKeyPressComesBackAsTheProcedureLeftIt) {
  Run("Probe.OnKeyPress := KP");
  for (const auto& [typed, given] : std::vector<std::pair<char32_t, char32_t>>{{U'a', U'b'}, {U'x', U'x'}, {U'é', U'é'}}) {
    char32_t key = typed;
    Probe.OnKeyPress(&Probe, key);
    EXPECT_EQ(key, given) << static_cast<int>(typed);
  }
}

TEST_F(HostEvents, AKeyCodeOutsideAWordIsARangeErrorToTheHost) {
  Run("Probe.OnKeyDown := KD");
  std::uint16_t key = 65;
  EXPECT_THROW(Probe.OnKeyDown(&Probe, key, 0), ERangeError);
  EXPECT_EQ(key, 65);
  EXPECT_FALSE(Engine->IsRunning());
}

TEST_F(HostEvents, AReadOnlyEventIsAConstantAndNeverHooked) {
  EXPECT_FALSE(Run("Probe.OnRead := Clk").empty());
  EXPECT_FALSE(Probe.OnRead);
}

TEST_F(HostEvents, AnUnloadedProcedureFallsBackToThePreviousHandler) {
  Run("Probe.OnClick := Clk");
  ASSERT_TRUE(Engine->UnloadLibrary("H", false));
  EXPECT_EQ(Click(&Probe), std::vector<std::string>{});
  EXPECT_EQ(PreviousSenders, std::vector<TObject*>{&Probe});
}

TEST_F(HostEvents, AProcedureOfAFinishedProgramFallsBackToThePreviousHandler) {
  ASSERT_TRUE(Engine->CompileText(
      "program P; procedure C(Sender : TObject); begin Write('p') end; begin Probe.OnClick := C end."));
  EXPECT_EQ(Click(&Probe), std::vector<std::string>{});
  EXPECT_EQ(PreviousSenders, std::vector<TObject*>{&Probe});
}

TEST_F(HostEvents, AProcedureFiringItsOwnEventIsNotReentered) {
  Run("Probe.OnClick := Clk2");
  EXPECT_EQ(Click(&Probe), (std::vector<std::string>{"clk2", "Reentering in \"Clk2\" attempted"}));
  EXPECT_EQ(Probe.Clears, 1);
}

TEST_F(HostEvents, AKeyPressReenteringItsProcedureLeavesBothKeysAlone) {
  Run("Probe.OnKeyPress := SlowKP");
  char32_t inner = U'a';
  SetMessagePump([&] {
    if (inner == U'a') {
      inner = U'x';
      Probe.OnKeyPress(&Probe, inner);
    }
  });
  char32_t outer = U'a';
  EXPECT_EQ(Lines([&] { Probe.OnKeyPress(&Probe, outer); }),
            std::vector<std::string>{"Reentering in \"SlowKP\" attempted"});
  EXPECT_EQ(outer, U'b') << "the running procedure's Key is its own";
  EXPECT_EQ(inner, U'x') << "the refused press goes back as it came";
}

TEST_F(HostEvents, AbortReachesAnEventRunOutsideARun) {
  Run("Probe.OnClick := Slow");
  SetMessagePump([this] { Engine->Abort(); });
  const std::vector<std::string> lines = Click(&Probe);
  SetMessagePump(nullptr);
  EXPECT_EQ(lines, std::vector<std::string>{"Execution terminated"});
  EXPECT_FALSE(Engine->IsRunning());
}

TEST_F(HostEvents, AnEventRunOutsideARunRefusesTheEnginesOtherWork) {
  Run("Probe.OnClick := Slow");
  bool pumped = false;
  SetMessagePump([&] {
    if (std::exchange(pumped, true)) return;
    TVariant value;
    Engine->Evaluate("1", false, true, -1, value);
    Engine->RemoveClient("Probe");
    Engine->Abort();
  });
  EXPECT_EQ(Click(&Probe),
            (std::vector<std::string>{"Reentrace attempted", "Reentrace attempted", "Execution terminated"}));
  EXPECT_NE(Engine->FindVariable("Probe"), nullptr);
  EXPECT_FALSE(Engine->IsRunning());
  EXPECT_EQ(Result("1"), "1") << "the engine takes lines again";
}

TEST_F(HostEvents, RemovingTheVariableGivesTheHostItsHandlersBack) {
  Run("Probe.OnClick := Clk");
  Run("Probe.OnKeyPress := KP");
  Engine->RemoveClient("Probe");
  EXPECT_NE(Engine->FindVariable("Probe"), nullptr) << "H refers to it";
  ASSERT_TRUE(Engine->UnloadLibrary("H", false));
  Engine->RemoveClient("Probe");
  EXPECT_EQ(Engine->FindVariable("Probe"), nullptr);
  EXPECT_FALSE(Probe.OnKeyPress) << "the host had none";
  EXPECT_EQ(Click(&Probe), std::vector<std::string>{});
  EXPECT_EQ(PreviousSenders, std::vector<TObject*>{&Probe});
}

}  // namespace

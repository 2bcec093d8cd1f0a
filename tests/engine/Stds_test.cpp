#include "engine/Stds.h"

#include "KindsFixture.h"
#include "engine/RunFlags.h"
#include "engine/VarText.h"

namespace {

class StdsTest : public KindsFixture {
protected:
  StdsTest() { Stds = &stds; }
  ~StdsTest() override { Stds = nullptr; }

  // A routine of one value parameter of kind, as libraries register them.
  std::unique_ptr<TTestFunc> TypeRoutine(const char* name, TKind* kind, TKind* result, TTestFunc::TBody body,
                                         TLib* lib = nullptr) {
    return std::make_unique<TTestFunc>(name, Signature({{"v", kind}}, result), lib ? lib : &User, std::move(body));
  }
  static void Returns(TFunc& f, const std::string& text) { Base(*f.ResultVariable()).SetValue(TValue::String(text)); }

  TStds stds;
};

TEST_F(StdsTest, AStringConversionRoutineGivesTheText) {
  auto show = TypeRoutine("Show", Vector(), String(), [](TTestFunc& self, TSourcePos) {
    Returns(self, "<" + std::to_string(ArrLength(&Arr(*self.Arg(0)))) + ">");
    return true;
  });
  stds.Entry(Vector()).SetStrConv(show.get());
  auto v = VectorOf({1, 2, 3});
  EXPECT_EQ(VarToText(v.get(), false, true), "<3>");
  EXPECT_EQ(VarToText(v.get(), false, false), "{1, 2, 3}");
  ListVar(v.get(), "v = ", 0, lkResult);
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"v = <3>", lkResult, 0}}));
}

TEST_F(StdsTest, AnEmptyTextFallsBackToTheStandardText) {
  auto silent = TypeRoutine("Silent", Vector(), String(), [](TTestFunc& self, TSourcePos) {
    Returns(self, "");
    return true;
  });
  stds.Entry(Vector()).SetStrConv(silent.get());
  auto v = VectorOf({1});
  EXPECT_EQ(VarToText(v.get(), false, true), "{1}");
  EXPECT_EQ(silent->Calls, 1);
}

TEST_F(StdsTest, RedefiningARoutineWarnsOnceAndTheNewOneServes) {
  int used = 0;
  auto first = TypeRoutine("First", Matrix(), nullptr, [&](TTestFunc&, TSourcePos) { return used = 1, true; });
  auto second = TypeRoutine("Second", Matrix(), nullptr, [&](TTestFunc&, TSourcePos) { return used = 2, true; });
  TKindStd& entry = stds.Entry(Matrix());
  entry.SetOutput(first.get());
  EXPECT_TRUE(Sink->Lines.empty());
  entry.SetOutput(second.get());
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"Type \"Matrix\" output routine redefined", lkWarning, 0}}));
  entry.SetStrConv(first.get());
  entry.SetStrConv(second.get());
  EXPECT_EQ(Sink->Lines.back().Text, "Type \"Matrix\" string conversion routine redefined");
  EXPECT_EQ(&stds.Entry(Matrix()), &entry);
  EXPECT_EQ(stds.Count(), 1);

  auto m = Var(Matrix());
  EXPECT_TRUE(stds.Output(*m));
  EXPECT_EQ(used, 2);
}

TEST_F(StdsTest, AnOutputRoutineContinuesTheListingInProgress) {
  TLine seen;
  auto output = TypeRoutine("Out", Vector(), nullptr, [&](TTestFunc&, TSourcePos) {
    seen = {ListLabel, ListKind, ListLevel};
    EXPECT_FALSE(NoUIFlag) << "a built-in routine keeps the windows alive";
    return true;
  });
  stds.Entry(Vector()).SetOutput(output.get());
  auto v = VectorOf({1});
  ListVar(v.get(), "v = ", 2, lkResult);
  EXPECT_EQ(seen, (TLine{"v = ", lkResult, 2}));
  EXPECT_TRUE(Sink->Lines.empty()) << "the routine wrote the listing";
  EXPECT_FALSE(NoUIFlag);
  EXPECT_EQ(ListLabel, "");
}

TEST_F(StdsTest, ATypeRoutineThatShowsItsOwnKindFallsBackInsteadOfRecursing) {
  auto output = TypeRoutine("Out", Vector(), nullptr, [](TTestFunc& self, TSourcePos) {
    ListVar(self.Arg(0), "inner = ", ListLevel, ListKind);
    return true;
  });
  auto show = TypeRoutine("Show", Vector(), String(), [](TTestFunc& self, TSourcePos) {
    Returns(self, "[" + VarToText(self.Arg(0), false, true) + "]");
    return true;
  });
  stds.Entry(Vector()).SetOutput(output.get());
  stds.Entry(Vector()).SetStrConv(show.get());
  auto v = VectorOf({1});
  ListVar(v.get(), "v = ", 0, lkResult);
  EXPECT_EQ(output->Calls, 1);
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"Reentering in \"Out\" attempted", lkError, 0},
                                             {"Reentering in \"Show\" attempted", lkError, 0},
                                             {"inner = [{1}]", lkResult, 0}}))
      << "the inner listing fell back to the string routine, whose inner text fell back to the standard one";
  EXPECT_EQ(show->Calls, 1);
}

TEST_F(StdsTest, ANestedTypeRoutineKeepsWindowMessagesOff) {
  NoUIFlag = true;
  bool flagAfterInner = false;
  auto show = TypeRoutine("Show", Vector(), String(), [&](TTestFunc& self, TSourcePos) {
    Returns(self, "x");
    return true;
  });
  auto output = TypeRoutine("Out", Vector(), nullptr, [&](TTestFunc& self, TSourcePos) {
    VarToText(self.Arg(0), false, true);
    flagAfterInner = NoUIFlag;
    return true;
  });
  stds.Entry(Vector()).SetStrConv(show.get());
  stds.Entry(Vector()).SetOutput(output.get());
  auto v = VectorOf({});
  EXPECT_TRUE(stds.Output(*v));
  EXPECT_TRUE(flagAfterInner);
  EXPECT_TRUE(NoUIFlag) << "the caller's setting is restored";
  NoUIFlag = false;
}

TEST_F(StdsTest, RemovingALibraryRestoresTheStandardListing) {
  TLib scripts("Scripts", false);
  auto output = TypeRoutine("Out", Vector(), nullptr, [](TTestFunc&, TSourcePos) { return true; }, &scripts);
  stds.Entry(Vector()).SetOutput(output.get());
  stds.Entry(String());
  stds.RemoveLib(&scripts);
  EXPECT_EQ(stds.Find(Vector()), nullptr);
  EXPECT_NE(stds.Find(String()), nullptr);
  auto v = VectorOf({});
  ListVar(v.get(), "v = ", 0, lkResult);
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"v = array [0]", lkResult, 0}}));
}

TEST_F(StdsTest, ConversionRoutinesAreFoundByAssignability) {
  TLib scripts("Scripts", false);
  auto toMatrix = TypeRoutine("ToMatrix", Vector(), Matrix(), [](TTestFunc&, TSourcePos) { return true; }, &scripts);
  TConvStds conversions;
  conversions.Add(Matrix(), Vector(), toMatrix.get());
  EXPECT_EQ(conversions.Find(Matrix(), Array(Real())), toMatrix.get());
  EXPECT_EQ(conversions.Find(Vector(), Matrix()), nullptr);
  conversions.RemoveLib(&scripts);
  EXPECT_EQ(conversions.Find(Matrix(), Vector()), nullptr);
}

// A converter's result must suit the target, not the other way round: one
// from Integer to Real is no way to store into an Integer.
TEST_F(StdsTest, AConverterServesOnlyTargetsItsResultSuits) {
  TLib scripts("Scripts", false);
  auto toReal = TypeRoutine("ToReal", Integer(), Real(), [](TTestFunc&, TSourcePos) { return true; }, &scripts);
  auto toText = TypeRoutine("ToText", Integer(), String(), [](TTestFunc&, TSourcePos) { return true; }, &scripts);
  TConvStds conversions;
  conversions.Add(Real(), Integer(), toReal.get());
  conversions.Add(String(), Integer(), toText.get());
  EXPECT_EQ(conversions.Find(Real(), Integer()), toReal.get());
  EXPECT_EQ(conversions.Find(String(), Integer()), toText.get());
  EXPECT_EQ(conversions.Find(Integer(), Integer()), nullptr);
  EXPECT_EQ(conversions.Find(Char(), Integer()), nullptr);
}

}  // namespace

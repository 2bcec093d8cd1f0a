#include "libraries/SysRoutines.h"

#include <cmath>

#include "SystemEngine.h"
#include "engine/RunFlags.h"
#include "runtime/Params.h"

namespace {

using SysRoutines = SystemEngine;

TEST_F(SysRoutines, IncAndDecUpdateTheCallersVariable) {
  ExpectLines({
      {"i := 1", "1"},
      {"Inc(i)", ""},
      {"i", "2"},
      {"Dec(i, -5)", ""},
      {"i", "7"},
      {"Dec(i)", ""},
      {"Inc(i, 10)", ""},
      {"i", "16"},
  });
  Eval("i := 9223372036854775807");
  EXPECT_THROW(Eval("Inc(i)"), EIntOverflow);
  Eval("i := -9223372036854775807");
  EXPECT_THROW(Eval("Dec(i, 2)"), EIntOverflow);
}

TEST_F(SysRoutines, SizesOfStringsAndArrays) {
  TArrVar& fromFive = AddStaticArray("s", BaseKind(kcInteger), 5, 7);
  ASSERT_EQ(fromFive.Count(), 3);
  ExpectLines({
      {"Length('abc')", "3"},
      {"High('abc')", "3"},
      {"Low('abc')", "1"},
      {"v := {1, 2, 3, 4}", "{1, 2, 3, 4}"},
      {"Length(v)", "4"},
      {"High(v)", "4"},
      {"Low(v)", "1"},
      {"Length(s)", "3"},
      {"High(s)", "7"},
      {"Low(s)", "5"},
  });
}

TEST_F(SysRoutines, SetLengthOfDynamicArrays) {
  ExpectLines({
      {"v := {1, 2, 3}", "{1, 2, 3}"},
      {"SetLength(v, 3)", ""},
      {"v", "{1, 2, 3}"},
      {"SetLength(v, 2)", ""},
      {"v", "{0, 0}"},
      {"SetLength(v, 0)", ""},
      {"v", "{}"},
      {"m := {{1, 2}}", "{{1, 2}}"},
      {"SetLength(m, 3, 4)", ""},
      {"m", "{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}"},
      {"SetLength(v, 3, 4)", "Two dimensional array is expected at [1:1] "},
      {"Length(v)", "3"},
  });
  EXPECT_THROW(Eval("SetLength(v, 5000000000)"), ERangeError);
  EXPECT_THROW(Eval("SetLength(v, -1)"), ERangeError);
  // Storage that cannot exist is refused up front, and the array stays whole.
  ExpectLines({
      {"v := {1, 2}", "{1, 2}"},
      {"SetLength(v, 2000000000)", "Not enough memory at [1:1] "},
      {"v", "{1, 2}"},
      {"SetLength(m, 2000000, 2000000)", "Not enough memory at [1:1] "},
      {"Length(m)", "3"},
  });
}

TEST_F(SysRoutines, SetLengthOfStaticArraysAndStrings) {
  AddStaticArray("s", BaseKind(kcInteger), 1, 3);
  ExpectLines({
      {"SetLength(s, 5)", "Cannot change length of a static array at [1:1] "},
      {"Length(s)", "3"},
      {"t := 'abcdef'", "'abcdef'"},
      {"SetLength(t, 0)", ""},
      {"Length(t)", "0"},
      {"t := 'abcdef'", "'abcdef'"},
      {"SetLength(t, 3)", ""},
      {"t", "'abc'"},
      {"SetLength(t, 5)", ""},
      {"Length(t)", "5"},
      {"Copy(t, 1, 3)", "'abc'"},
      {"SetLength(t, -1)", ""},
      {"t", "''"},
      {"SetLength(t, 4294967298)", ""},
      {"Length(t)", "2"},
  });
}

TEST_F(SysRoutines, SetLengthRefusesAStaticRow) {
  TArrKind* row = static_cast<TArrKind*>(
      Engine->Kinds().Register(std::make_unique<TArrKind>(BaseKind(kcReal), "", nullptr, 1, 2), nullptr));
  TArrKind* rows = static_cast<TArrKind*>(
      Engine->Kinds().Register(std::make_unique<TArrKind>(row, "", nullptr, 1, 0), nullptr));
  auto table = MakeVar("rows", rows, false, NoneValue, Engine->Libs().Find(WorkspaceLibName));
  ASSERT_TRUE(Engine->InsertVariable(table));
  EXPECT_EQ(Eval("SetLength(rows, 2, 5)"), "Cannot change length of a static array at [1:1] ");
  EXPECT_EQ(Eval("Length(rows)"), "2") << "the rows were made before the refusal";
}

TEST_F(SysRoutines, TextOfAnyNumberOfArguments) {
  ExpectLines({
      {"Write(1, 'a', 2.5)", "1a2.5"},
      {"Str({1.5, 2})", "'{1.5, 2}'"},
      {"Str(1, True, 'x')", "'1Truex'"},
      {"StrX(2.5, 'b')", "'2.5b'"},
  });
  ASSERT_EQ(Eval("Write(1, 'a', 2.5)"), "1a2.5");
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"1a2.5", lkOutput, 0}}));
}

// Runs the library's own Write and Show, with the signature the engine's
// routines of those names have.
class LibraryTextRoutines : public SystemEngine {
protected:
  template <class TRoutine>
  void Run(std::initializer_list<TValue> values) {
    TRoutine routine(Engine->Funcs().Find("Write")->Signature(), Engine->Libs().Find("System"));
    std::vector<std::unique_ptr<TVar>> holders;
    std::vector<TVar*> args;
    for (const TValue& value : values) {
      holders.push_back(MakeVar(std::string(), BaseKind(value.Kind()), false, value, nullptr));
      args.push_back(holders.back().get());
    }
    Sink->Lines.clear();
    ASSERT_TRUE(routine.CallDirect(args, NoPosition));
  }
};

TEST_F(LibraryTextRoutines, WriteJoinsTheTextsOnOneLine) {
  Run<TWriteSF>({TValue::Integer(1), TValue::String("ab"), TValue::Real(2.5)});
  EXPECT_EQ(Sink->Lines, (std::vector<TLine>{{"1ab2.5", lkOutput, 0}}));
}

TEST_F(LibraryTextRoutines, ShowListsEachArgumentThenOpensTheOutline) {
  Params.ShowLevel = 3;
  Run<TShowSF>({TValue::Integer(1), TValue::String("ab")});
  Params = TParams();
  EXPECT_EQ(LinesText(), "1|'ab'");
  EXPECT_EQ(Sink->Expanded, std::vector<int>{3});
}

TEST_F(SysRoutines, MessageLinesAreWrittenAndDoNotFail) {
  const struct {
    const char* Line;
    TLineKind Kind;
  } cases[] = {
      {"Error('e')", lkError}, {"Info('i')", lkInfo},       {"Warning('w')", lkWarning},
      {"Splitter('s')", lkSplit}, {"Fatal('f')", lkFatal},
  };
  for (const auto& c : cases) {
    ClearLastError();
    Eval(c.Line);
    ASSERT_EQ(Sink->Lines.size(), 1u) << c.Line;
    EXPECT_EQ(Sink->Lines[0].Kind, c.Kind) << c.Line;
    EXPECT_EQ(Sink->Lines[0].Level, 0) << c.Line;
    EXPECT_EQ(Sink->Lines[0].Text, std::string(1, c.Line[std::string(c.Line).find('\'') + 1])) << c.Line;
    EXPECT_EQ(GetLastErrorText(), "") << c.Line << " is not an error of the program";
  }
}

TEST_F(SysRoutines, FatalStopsTheRun) {
  Eval("Fatal('x')");
  EXPECT_TRUE(AbortFlag);
  Eval("1");
  EXPECT_FALSE(AbortFlag) << "the next run starts afresh";
}

TEST_F(SysRoutines, ExtremesColoursAndInfinities) {
  ExpectLines({
      {"Min(1, 2.5)", "1"},
      {"Max(1, 2.5)", "2.5"},
      {"Max(-Inf, -1e300)", "-1E300"},
      {"MinInt(3, -4)", "-4"},
      {"MaxInt(-9223372036854775807, 5)", "5"},
      {"RGB(300, -4, 1)", "65791"},
      {"RGB(1, 2, 3)", "197121"},
      {"IsInf(Inf)", "True"},
      {"IsInf(-Inf)", "True"},
      {"IsInf(1e300)", "False"},
      {"IsInf(1e400)", "False"},
      {"Inf > 1e4000", "True"},
  });
}

TEST_F(SysRoutines, AssignedTellsWhetherARoutineIsHeld) {
  ExpectLines({
      {"f := nil", "nil"},
      {"Assigned(f)", "False"},
      {"g := Round", "Round"},
      {"Assigned(g)", "True"},
  });
}

TEST_F(SysRoutines, ToWorkspaceMakesAVariableOnce) {
  ExpectLines({
      {"ToWorkspace('x', 3)", "True"},
      {"x", "3"},
      {"ToWorkspace('x', 4)", "Variable named \"x\" already exists|False"},
      {"x", "3"},
      {"ToWorkspace('w', {1, 2})", "True"},
      {"w", "{1, 2}"},
  });
  TVar* x = Engine->FindVariable("x");
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->Kind(), BaseKind(kcInteger));
  EXPECT_EQ(x->Lib()->Name(), WorkspaceLibName);
}

}  // namespace

// Statements as programs run them: what each statement does, how break,
// continue, exit and abort travel, and what their checks refuse.

#include "engine/Statement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Expression.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "tests/engine/ProgramFixture.h"

namespace {

using TTexts = std::vector<std::string>;

struct TProgramCase {
  const char* Name;
  const char* Text;
  TTexts Output;
};

class StatementTest : public ProgramFixture {
protected:
  void Expect(std::initializer_list<TProgramCase> cases) {
    for (const TProgramCase& c : cases) {
      EXPECT_EQ(Texts(c.Text), c.Output) << c.Name;
      EXPECT_TRUE(Compiled) << c.Name;
    }
  }
};

TEST_F(StatementTest, CountingLoopsFixTheirPassesAtTheStart) {
  Expect({
      {"to", "var i : Integer; begin for i := 1 to 3 do Write(i); Write('i=', i) end.", {"1", "2", "3", "i=3"}},
      {"none", "var i : Integer; begin for i := 5 to 1 do Write(i); Write('i=', i) end.", {"i=5"}},
      {"downto", "var i : Integer; begin for i := 3 downto 1 do Write(i) end.", {"3", "2", "1"}},
      {"no downto", "var i : Integer; begin for i := 1 downto 2 do Write(i); Write('i=', i) end.", {"i=1"}},
      {"one pass", "var i : Integer; begin for i := 7 to 7 do Write(i) end.", {"7"}},
      {"body assigns the counter",
       "var i, n : Integer; begin n := 0; for i := 1 to 3 do begin i := 10; n := n + 1 end; Write(n, ' ', i) end.",
       {"3 10"}},
      {"limit evaluated once",
       "var i, n : Integer; begin n := 2; for i := 1 to n do begin n := n + 1; Write(i) end end.", {"1", "2"}},
      {"top of the range",
       "var i : Integer; begin for i := 9223372036854775806 to 9223372036854775807 do Write(i) end.",
       {"9223372036854775806", "9223372036854775807"}},
      {"bottom of the range",
       "var i : Integer; begin for i := -9223372036854775807 downto -9223372036854775807 - 1 do Write(i) end.",
       {"-9223372036854775807", "-9223372036854775808"}},
  });
}

TEST_F(StatementTest, WhileAndRepeatTestTheirConditions) {
  Expect({
      {"while", "var i : Integer; begin i := 0; while i < 3 do i := i + 1; Write(i) end.", {"3"}},
      {"while false", "begin while False do Write('no'); Write('done') end.", {"done"}},
      {"repeat once", "begin repeat Write('once') until True end.", {"once"}},
      {"repeat list",
       "var i : Integer; begin i := 0; repeat i := i + 1; Write(i); until i = 2 end.", {"1", "2"}},
      {"empty repeat", "var i : Integer; begin repeat until True; Write('done') end.", {"done"}},
      {"continue in repeat tests the condition",
       "var i : Integer; begin i := 0; repeat i := i + 1; continue; Write('no') until i = 3; Write(i) end.",
       {"3"}},
  });
}

TEST_F(StatementTest, BreakAndContinueReachTheInnermostLoop) {
  Expect({
      {"break inner only",
       "var i, j : Integer; begin for i := 1 to 2 do for j := 1 to 5 do begin if j = 2 then break; Write(i, j) "
       "end end.",
       {"11", "21"}},
      {"continue",
       "var i : Integer; begin for i := 1 to 4 do begin if i mod 2 = 0 then continue; Write(i) end end.",
       {"1", "3"}},
      {"break in while", "var i : Integer; begin i := 0; while True do begin i := i + 1; if i = 3 then break end; "
                         "Write(i) end.",
       {"3"}},
      {"top-level break ends the program", "begin Write('a'); break; Write('b') end.", {"a"}},
      {"top-level exit ends the program", "begin Write('a'); exit; Write('b') end.", {"a"}},
  });
}

// A routine's break, continue or exit never reaches a loop of its caller.
TEST_F(StatementTest, JumpsStopAtTheRoutineBoundary) {
  Expect({
      {"exit in a loop ends the routine",
       "procedure P; var i : Integer; begin for i := 1 to 5 do begin if i = 2 then exit; Write(i) end end; "
       "begin P(); Write('after') end.",
       {"1", "after"}},
      {"break outside a loop ends the routine",
       "procedure P; begin Write('p'); break; Write('no') end; "
       "var i : Integer; begin for i := 1 to 3 do P(); Write('i=', i) end.",
       {"p", "p", "p", "i=3"}},
      {"continue outside a loop ends the routine",
       "procedure P; begin continue; Write('no') end; "
       "var i : Integer; begin i := 0; while i < 2 do begin P(); i := i + 1; Write(i) end end.",
       {"1", "2"}},
      {"a routine's loop keeps its own break",
       "function F : Integer; var i : Integer; begin for i := 1 to 9 do if i = 4 then break; Result := i end; "
       "var k : Integer; begin for k := 1 to 2 do Write(F()) end.",
       {"4", "4"}},
  });
}

TEST_F(StatementTest, ForEachTakesCopiesOfTheElements) {
  Expect({
      {"vector", "var v : Vector; x : Real; begin v := {1, 2.5}; for x in v do Write(x) end.", {"1", "2.5"}},
      {"static bounds", "var a : array [3..4] of Integer; n : Integer; begin a[3] := 7; a[4] := 8; "
                        "for n in a do Write(n) end.",
       {"7", "8"}},
      {"changing the variable leaves the array",
       "var v : Vector; x : Real; begin v := {1, 2}; for x in v do x := 0; Write(v) end.", {"{1, 2}"}},
      {"integers into a real", "var a : array [1..2] of Integer; x : Real; begin a[1] := 3; for x in a do "
                               "Write(x / 2) end.",
       {"1.5", "0"}},
      {"empty", "var v : Vector; x : Real; begin for x in v do Write(x); Write('done') end.", {"done"}},
      {"shortened array ends the loop",
       "var v : Vector; x : Real; begin v := {1, 2, 3}; for x in v do begin v := {9}; Write(x) end end.",
       {"1"}},
      {"break", "var v : Vector; x : Real; begin v := {1, 2, 3}; for x in v do begin if x = 2 then break; "
                "Write(x) end end.",
       {"1"}},
  });
}

TEST_F(StatementTest, CaseSelectsTheFirstRangeOrElse) {
  Expect({
      {"ranges and else",
       "var i : Integer; begin for i := 3 to 6 do case i of 1..3: Write('low'); 5..9: Write('high'); "
       "else Write('else'); end end.",
       {"low", "else", "high", "high"}},
      {"no match, no else", "begin case 4 of 1..3: Write('no'); end; Write('done') end.", {"done"}},
      {"char codes", "begin case 'b' of 'a'..'c': Write('abc'); end end.", {"abc"}},
      {"enumeration ordinals", "type T = (red, green, blue); begin case green of red: Write('r'); "
                               "green..blue: Write('gb'); end end.",
       {"gb"}},
      {"boolean", "begin case 1 < 2 of False: Write('f'); True: Write('t'); end end.", {"t"}},
      {"second label of another ordinal", "begin case 66 of 65..'Z': Write('letter'); end end.", {"letter"}},
      {"64-bit selector meets its label",
       "begin case 1099511627776 of 0: Write('zero'); 1099511627776: Write('2^40'); end end.", {"2^40"}},
      {"64-bit selector beyond every label",
       "begin case 1099511627776 of 0: Write('zero'); else Write('else'); end end.", {"else"}},
  });
}

TEST_F(StatementTest, WithResolvesFieldsThroughItsRecord) {
  Expect({
      {"fields", "type P = record x, y : Integer end; var p : P; begin with p do begin x := 1; y := x + 1 end; "
                 "Write(p) end.",
       {"(x:1; y:2)"}},
      {"inner record first",
       "type A = record x : Integer end; B = record x, z : Integer end; var a : A; b : B; "
       "begin with a do with b do x := 5; Write(a, b) end.",
       {"(x:0)(x:5; z:0)"}},
      {"array element", "type P = record x : Integer end; var a : array [1..2] of P; "
                        "begin with a[2] do x := 3; Write(a[2].x) end.",
       {"3"}},
  });
}

TEST_F(StatementTest, AFailingStatementEndsOnlyItself) {
  Expect({
      {"index",
       "var a : array [1..3] of Integer; begin a[4] := 1; Write('after') end.",
       {"Array index = 4 is out of range in \"_Untitled_n\" at [1:42] ", "after"}},
      {"in a loop body", "var i, k : Integer; a : array [1..2] of Integer; "
                         "begin for i := 1 to 3 do begin a[i] := i; k := i end; Write(k) end.",
       {"Array index = 3 is out of range in \"_Untitled_n\" at [1:83] ", "3"}},
      {"failed condition", "var a : array [1..1] of Boolean; begin if a[2] then Write('then') else Write('else'); "
                           "Write('after') end.",
       {"Array index = 2 is out of range in \"_Untitled_n\" at [1:45] ", "after"}},
  });
}

TEST_F(StatementTest, ChecksRefuseWhatTheStatementCannotRun) {
  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"begin if 1 then Write(1) end.", "Boolean expression expected in \"_Untitled_n\" at [1:10] "},
      {"begin while 1 do Write(1) end.", "Boolean expression required in \"_Untitled_n\" at [1:13] "},
      {"begin repeat Write(1) until 2 end.", "Boolean expression required in \"_Untitled_n\" at [1:29] "},
      {"var r : Real; begin for r := 1 to 2 do Write(r) end.",
       "Integer variable required in \"_Untitled_n\" at [1:25] "},
      {"var i : Integer; begin for i := 1 to 2.5 do Write(i) end.",
       "Integer expression required in \"_Untitled_n\" at [1:38] "},
      {"var i : Integer; v : Vector; begin for i in v do Write(i) end.",
       "Array of Integer variable required in \"_Untitled_n\" at [1:45] "},
      {"begin case 1.5 of 1: Write(1); end end.", "Ordinal expression required in \"_Untitled_n\" at [1:12] "},
      {"begin case 1 of else Write(1); end end.", "No case statements found in \"_Untitled_n\" at [1:7] "},
      {"begin if True then if 2 then Write(1) end.", "Boolean expression expected in \"_Untitled_n\" at [1:23] "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Error(c.Text), c.Error) << c.Text;
    EXPECT_FALSE(Compiled) << c.Text;
  }
}

TEST_F(StatementTest, TheCompilerRefusesMalformedStatements) {
  const struct {
    const char* Text;
    const char* Error;
  } cases[] = {
      {"begin ; end.", "Identifier is expected but Symbol \";\" is found in \"_Untitled_n\" at [1:7] "},
      {"begin Write(1);; end.", "Identifier is expected but Symbol \";\" is found in \"_Untitled_n\" at [1:16] "},
      {"var i : Integer; begin case i of 1: i := 1; 2..4: i := 2 end end.",
       "Symbol \";\" is expected but Identifier \"end\" is found in \"_Untitled_n\" at [1:58] "},
      {"var i : Integer; begin case i of 1..3: i := 1; 2: i := 2; end end.",
       "Case selection range is already used in \"_Untitled_n\" at [1:48] "},
      {"var i : Integer; begin case i of 3..1: i := 1; end end.",
       "Bad case selection range in \"_Untitled_n\" at [1:34] "},
      {"var i : Integer; begin case i of 'a': i := 1; end end.",
       " Integer expression required in \"_Untitled_n\" at [1:34] "},
      {"var i : Integer; begin case i of 1..2.5: i := 1; end end.",
       "Ordinal expression required in \"_Untitled_n\" at [1:37] "},
      {"begin for 1 := 1 to 2 do end.", "Assigned integer variable required in \"_Untitled_n\" at [1:11] "},
      {"var i : Integer; begin for i do Write(i) end.",
       "Identifier \"in\" is expected but Identifier \"do\" is found in \"_Untitled_n\" at [1:30] "},
      {"var i : Integer; begin for i := 1 do Write(i) end.",
       "Identifier \"to\" is expected but Identifier \"do\" is found in \"_Untitled_n\" at [1:35] "},
      {"var x : Real; begin for x in 1 + 2 do Write(x) end.",
       "Array variable required in \"_Untitled_n\" at [1:30] "},
      {"var v : Vector; begin for Pi in v do Write(1) end.",
       "Cannot assign to a constant in \"_Untitled_n\" at [1:27] "},
      {"begin with 1 + 2 do Write(1) end.", "Variable expression required in \"_Untitled_n\" at [1:12] "},
      {"var i : Integer; begin with i do Write(1) end.", "Record variable required in \"_Untitled_n\" at [1:29] "},
      {"type P = record x : Integer end; const c : P = (x: 1); begin with c do x := 2 end.",
       "Cannot assign to a constant in \"_Untitled_n\" at [1:74] "},
      {"begin if True then Write(1); else Write(2) end.",
       "Identifier expected but \"else\" is found in \"_Untitled_n\" at [1:30] "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Error(c.Text), c.Error) << c.Text;
    EXPECT_FALSE(Compiled) << c.Text;
  }
}

TEST_F(StatementTest, AnAbortStopsALongLoopAtItsNextPass) {
  int pumps = 0;
  SetMessagePump([&] {
    if (++pumps == 1) Engine->Abort();
  });
  std::vector<std::string> texts =
      Texts("var i : Integer; begin for i := 1 to 100000000 do i := i; Write('after') end.");
  EXPECT_EQ(texts, (std::vector<std::string>{"Execution terminated"}));
  EXPECT_TRUE(Compiled);
}

// The routine runs from inside the engine with NoUIFlag set, as a type
// output routine would, and lets no window message through.
TEST_F(StatementTest, NoUIFlagKeepsWindowMessagesOut) {
  ASSERT_TRUE(Engine->CompileText("library L; procedure Spin; var i : Integer; "
                                  "begin for i := 1 to 1000000 do i := i end; end."));
  TFunc* spin = static_cast<TFuncVar*>(Engine->FindVariable("Spin"))->Func();
  int pumps = 0;
  SetMessagePump([&] { ++pumps; });
  NoUIFlag = true;
  EXPECT_TRUE(spin->CallDirect({}, NoPosition));
  EXPECT_EQ(pumps, 0);
  NoUIFlag = false;
  EXPECT_TRUE(spin->CallDirect({}, NoPosition));
  EXPECT_GT(pumps, 0);
}

TEST(TCaseStmt, RangesThatMeetAreRefused) {
  TCaseStmt node({1, 1}, nullptr, nullptr);
  EXPECT_TRUE(node.AddRange(std::make_unique<TEmptyStmt>(TSourcePos{1, 1}, nullptr), 1, 3));
  EXPECT_TRUE(node.AddRange(std::make_unique<TEmptyStmt>(TSourcePos{1, 1}, nullptr), 5, 9));
  EXPECT_TRUE(node.AddRange(std::make_unique<TEmptyStmt>(TSourcePos{1, 1}, nullptr), 4, 4));
  EXPECT_FALSE(node.AddRange(std::make_unique<TEmptyStmt>(TSourcePos{1, 1}, nullptr), 9, 12));
  EXPECT_FALSE(node.AddRange(std::make_unique<TEmptyStmt>(TSourcePos{1, 1}, nullptr), -5, 1));
  EXPECT_THROW(node.AddRange(std::make_unique<TEmptyStmt>(TSourcePos{1, 1}, nullptr), 20, 19), EAssertionFailed);
}

}  // namespace

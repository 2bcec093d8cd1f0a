// The engine's fast paths (strings appended in place, the call protocol,
// typed evaluation) must give what the generic evaluation gives: the same
// values, evaluation order, error lines and positions.

#include <gtest/gtest.h>

#include "tests/engine/ProgramFixture.h"

namespace {

class FastPathsTest : public ProgramFixture {};

TEST_F(FastPathsTest, AStringAppendedToItselfKeepsEveryOtherHolderOfItsText) {
  ExpectOutputs({
      {"grows", "var s : String; i : Integer; begin s := ''; for i := 1 to 5 do s := s + 'ab'; Write(s, Length(s)) end.",
       {"ababababab10"}},
      {"copy stays", "var s, t : String; begin s := 'a'; t := s; s := s + 'b'; t := t + 'c'; Write(s, ' ', t) end.",
       {"ab ac"}},
      {"itself", "var s : String; begin s := 'ab'; s := s + s; s := s + s; Write(s) end.", {"abababab"}},
      {"char variable", "var s : String; c : Char; begin c := 'z'; s := 'y'; s := s + c; Write(s) end.", {"yz"}},
      // Chr(0) is a character like any other; only the empty literal is no text.
      {"character 0", "var s : String; begin s := Chr(0); s := s + 'q'; Write(Length(s), s[2]) end.", {"2q"}},
      {"empty literal", "var s : String; begin s := ''; s := s + 'q'; Write(Length(s), s) end.", {"1q"}},
      {"var parameter", "procedure P(var t : String); begin t := t + '!' end; "
                        "var s : String; begin s := 'hi'; P(s); P(s); Write(s) end.",
       {"hi!!"}},
      // The target's text is read after the appended operand ran.
      {"operand assigns the target", "var s : String; function F : String; begin s := 'new'; Result := '+' end; "
                                     "begin s := 'old'; s := s + F(); Write(s) end.",
       {"new+"}},
      {"value of the assignment", "var s, t : String; begin s := 'a'; t := (s := s + 'b'); Write(t, s) end.", {"abab"}},
  });
}

TEST_F(FastPathsTest, EveryCallStartsFromFreshLocalsAndTakesItsArgumentsAsDeclared) {
  ExpectOutputs({
      {"locals reset", "function F(x : Integer) : Integer; var k : Integer; begin k := k + x; Result := k end; "
                       "begin Write(F(2), F(3)) end.",
       {"23"}},
      {"Integer to Real", "function F(x : Real) : Real; begin Result := x / 2 end; var i : Integer; "
                          "begin i := 3; Write(F(i)) end.",
       {"1.5"}},
      {"var and value", "procedure P(var a : Integer; b : Integer); begin a := a + b; b := 0 end; "
                        "var m, n : Integer; begin m := 1; n := 2; P(m, n); P(m, n); Write(m, n) end.",
       {"52"}},
      {"reentry", "function F(x : Integer) : Integer; begin Result := x end; begin Write(F(F(1))) end.",
       {"Reentering in \"F\" attempted at [1:73] "}},
  });
}

// Each case gives what the generic evaluation gave before expressions were
// lowered to typed nodes.
TEST_F(FastPathsTest, TypedEvaluationKeepsValuesOrderFaultsAndPositions) {
  ExpectOutputs({
      {"integer overflow each pass",
       "var i, k : Integer; begin k := 9223372036854775806; for i := 1 to 3 do k := k + 1; Write(k) end.",
       {"Integer overflow", "Integer overflow", "9223372036854775807"}},
      {"real overflow",
       "var r : Real; begin r := 1E4000; r := r * r; Write('after ', r) end.",
       {"Floating point overflow", "after 1E4000"}},
      {"invalid operation",
       "var r : Real; begin r := 0; r := r / r; Write('after ', r) end.",
       {"Invalid floating point operation", "after 0"}},
      {"division of a Real by zero",
       "var r : Real; begin r := 1; r := r / 0; Write(r) end.",
       {"INF"}},
      {"integer division by zero",
       "var i, k : Integer; begin i := 0; k := 5 div i; Write('after ', k) end.",
       {"Division by zero", "after 0"}},
      {"index out of range, read and written",
       "var a : array [1..3] of Real; i : Integer; begin i := 3; a[i] := a[i + 1] * 2; a[i + 1] := 1; Write('after') end.",
       {"Array index = 4 is out of range in \"_Untitled_n\" at [1:68] ", "Array index = 4 is out of range in \"_Untitled_n\" at [1:82] ", "after"}},
      {"variable left of a call is read after it",
       "var x : Real; function F : Real; begin x := 10; Result := 1 end; begin x := 1; x := x + F(); Write(x) end.",
       {"11"}},
      {"variable right of a call",
       "var x : Real; function F : Real; begin x := 10; Result := 1 end; begin x := 1; x := F() + x; Write(x) end.",
       {"11"}},
      {"element left of a call",
       "var a : array [1..2] of Real; function F : Real; begin a[1] := 10; Result := 1 end; begin a[1] := 1; a[2] := a[1] + F(); Write(a[2]) end.",
       {"11"}},
      {"relation reads its left operand first",
       "var x : Real; b : Boolean; function F : Real; begin x := 100; Result := 50 end; begin x := 1; b := x < F(); Write(b) end.",
       {"True"}},
      {"mixed Integer and Real arithmetic",
       "var r : Real; i : Integer; begin i := 3; r := i / 2 + i div 2 * 1.5 - (-i) ^ 2 + 2 ^ 0.5 + 2 ^ i; Write(r) end.",
       {"3.4142136"}},
      {"Boolean operators and relations",
       "var b : Boolean; i : Integer; r : Real; begin i := 3; r := 3; b := True; b := (i > 2) and not (r = 3) or (b <> True) xor (i <= 3); Write(b) end.",
       {"True"}},
      {"power out of range",
       "var r : Real; i : Integer; begin i := 1099511627776; r := 2.0 ^ i; Write('after ', r) end.",
       {"Range check error", "after 0"}},
      {"integer operators",
       "var i, k : Integer; begin i := 7; k := (i mod 3) shl 4 or (i and 2) xor (not i) - -i; Write(k) end.",
       {"-15"}},
      {"matrix elements",
       "var m : Matrix; i, j : Integer; s : Real; begin SetLength(m, 3, 4); for i := 1 to 3 do for j := 1 to 4 do m[i, j] := i * 10 + j; s := 0; for i := 1 to 3 do for j := 1 to 4 do s := s + m[i, j] * m[i, j]; Write(s, ' ', m[3, 4]); m[4, 1] := 1; m[1, 5] := s end.",
       {"6890 34", "Array index = 4 is out of range in \"_Untitled_n\" at [1:230] ", "Array index = 5 is out of range in \"_Untitled_n\" at [1:247] "}},
      {"unary operators",
       "var r : Real; begin r := `180; Write(r, ' ', -r, ' ', +r) end.",
       {"3.1415927 -3.1415927 3.1415927"}},
      {"negation overflow and widening",
       "var i : Integer; r : Real; begin i := -9223372036854775807 - 1; i := -i; Write('after ', i); r := i; Write(r) end.",
       {"Integer overflow", "after -9223372036854775808", "-9.223372E18"}},
      {"var argument changes the left variable",
       "var x : Integer; function F(var v : Integer) : Integer; begin v := v + 1; Result := v * 10 end; begin x := 1; x := x + F(x); Write(x) end.",
       {"22"}},
      {"elements as indices",
       "var v : array [1..3] of Integer; i : Integer; begin for i := 1 to 3 do v[i] := i * i; i := v[v[2] - 2] + v[3]; Write(i) end.",
       {"13"}},
      {"while, repeat and if conditions",
       "var r : Real; i : Integer; begin i := 5; while i > 0 do begin r := r + i; i := i - 1 end; repeat i := i + 2 until i >= 7; if r > 14 then Write(r, i) end.",
       {"158"}},
      {"a chain of relations",
       "var b : Boolean; begin b := 1 < 2 < 3; Write(b) end.",
       {"True"}},
      {"a call in a chain",
       "var c : Char; i : Integer; begin c := 'a'; i := Ord(c) + 1; Write(i) end.",
       {"98"}},
  });
}

// A counting loop whose body is made of typed assignments runs them in
// place of its statements, with the same steps between them.
TEST_F(FastPathsTest, ALoopOfTypedAssignmentsRunsAsItsStatementsWould) {
  ExpectOutputs({
      {"counter changed by the body",
       "var i, k : Integer; begin for i := 1 to 3 do begin k := k + i; i := i + 10 end; Write(k, ' ', i) end.",
       {"6 13"}},
      {"a failing statement ends only itself",
       "var i, k : Integer; a : array [1..3] of Integer; "
       "begin for i := 1 to 3 do begin a[i + 1] := i; k := k + i end; Write(k, ' ', a[2]) end.",
       {"Array index = 4 is out of range in \"_Untitled_n\" at [1:83] ", "6 1"}},
      {"an abort in a call ends the loop",
       "var i, k : Integer; function F(n : Integer) : Integer; begin if n = 3 then Fatal('stop'); Result := n end; "
       "begin for i := 1 to 5 do begin k := k + F(i); k := k + 100 end; Write(k) end.",
       {"stop"}},
      {"downto", "var i : Integer; r : Real; begin for i := 10 downto 1 do r := r + 1 / i; Write(r) end.", {"2.9289683"}},
  });
}

// v := v op x in a counting loop keeps v in a register while x cannot read
// it; what the loop leaves, reports and lets the message pump see is what
// the statement would give.
TEST_F(FastPathsTest, ARealKeptInARegisterAcrossPassesIsSeenAsWritten) {
  ExpectOutputs({
      {"a fault each pass keeps the last value",
       "var i : Integer; r : Real; begin r := 1E4000; for i := 1 to 3 do r := r * 1E4000; Write(i, ' ', r) end.",
       {"Floating point overflow", "Floating point overflow", "Floating point overflow", "3 1E4000"}},
      {"the operand reads the variable",
       "var i : Integer; r : Real; begin r := 1; for i := 1 to 4 do r := r + (r * 0.5 + i); Write(r) end.",
       {"21.4375"}},
      {"the operand reads it through a var parameter",
       "var s : Real; procedure P(var x : Real); var k : Integer; begin for k := 1 to 3 do s := s + x end; begin s := 1.5; P(s); Write(s) end.",
       {"12"}},
      {"a loop that runs no pass", "var i : Integer; r : Real; begin r := 2; for i := 3 to 1 do r := r * 0; Write(r, ' ', i) end.", {"2 3"}},
      {"an element summed over the counter",
       "var a, b, c : Matrix; i, j, k : Integer; begin SetLength(a, 2, 3); SetLength(b, 3, 2); SetLength(c, 2, 2); "
       "for i := 1 to 2 do for k := 1 to 3 do begin a[i, k] := i + k; b[k, i] := k - i end; "
       "for i := 1 to 2 do for j := 1 to 2 do for k := 1 to 3 do c[i, j] := c[i, j] + a[i, k] * b[k, j]; "
       "Write(c[1, 1], ' ', c[1, 2], ' ', c[2, 1], ' ', c[2, 2]) end.",
       {"11 2 14 2"}},
      {"the operand reads the element's array",
       "var v : Vector; k : Integer; begin SetLength(v, 3); v[1] := 1; v[2] := 1; for k := 1 to 3 do v[2] := v[2] + v[k]; Write(v[2]) end.",
       {"4"}},
      {"the element's index is the counter",
       "var v : Vector; k : Integer; begin SetLength(v, 3); for k := 1 to 3 do v[k] := v[k] + k; Write(v[1], ' ', v[2], ' ', v[3]) end.",
       {"1 2 3"}},
      {"an element outside its array fails each pass",
       "var v : Vector; i, k : Integer; begin SetLength(v, 1); i := 2; for k := 1 to 2 do v[i] := v[i] + k; Write('after') end.",
       {"Array index = 2 is out of range in \"_Untitled_n\" at [1:85] ", "Array index = 2 is out of range in \"_Untitled_n\" at [1:85] ", "after"}},
      {"an element's fault keeps its last value",
       "var v : Vector; k : Integer; begin SetLength(v, 1); v[1] := 1E4000; for k := 1 to 2 do v[1] := v[1] * 1E4000; Write(v[1]) end.",
       {"Floating point overflow", "Floating point overflow", "1E4000"}},
  });
  // While the program runs, its variables are found by name.
  long double seenR = -1, seenI = -1;
  SetMessagePump([&] {
    seenR = static_cast<TBaseVar*>(Engine->FindVariable("r"))->GetValue().AsReal();
    seenI = static_cast<long double>(static_cast<TBaseVar*>(Engine->FindVariable("i"))->GetValue().AsInt());
    Engine->Abort();
  });
  EXPECT_EQ(Texts("var i : Integer; r : Real; begin for i := 1 to 1000000000 do r := r + 1 end."),
            std::vector<std::string>{"Execution terminated"});
  SetMessagePump(nullptr);
  ASSERT_GT(seenI, 0) << "the pump ran during the loop";
  EXPECT_EQ(seenR, seenI - 1) << "the pump sees every pass before the current one";
}

// Calls in typed expressions compute their arguments into the parameters.
TEST_F(FastPathsTest, TypedCallsKeepTheCallProtocol) {
  ExpectOutputs({
      {"an argument variable is read after the later arguments ran",
       "var x : Real; function F(a, b : Real) : Real; begin Result := a * 10 + b end; function G : Real; begin x := 5; Result := 1 end; begin x := 1; x := F(x, G()) + F(G(), x); Write(x) end.",
       {"66"}},
      {"default arguments",
       "function F(a : Real; b : Integer = 7) : Real; begin Result := a + b end; var r : Real; begin r := F(1) + F(1, 2); Write(r) end.",
       {"11"}},
      {"reentry in an argument",
       "function F(x : Real) : Real; begin Result := x * 2 end; var r : Real; begin r := F(F(1)); Write('after ', r) end.",
       {"Reentering in \"F\" attempted at [1:84] ", "after 0"}},
      {"built-in functions",
       "var r : Real; i : Integer; begin i := 4; r := Sqrt(i) + Sin(0) * 3 + Abs(-i) + Round(2.6); Write(r) end.",
       {"9"}},
      {"a fault inside the routine",
       "function F(n : Integer) : Integer; begin Result := n * 2 end; var i, k : Integer; begin k := 9223372036854775807; i := F(k) + 1; Write('after ', i) end.",
       {"Integer overflow", "after 1"}},
      {"an abort inside an argument",
       "function F(n : Integer) : Integer; begin if n = 2 then Fatal('stop'); Result := n end; var k : Integer; begin k := F(1) + F(2) + F(3); Write(k) end.",
       {"stop"}},
      {"Boolean functions",
       "function P(b : Boolean) : Boolean; begin Result := not b end; var b : Boolean; begin b := P(1 > 2) and P(False); Write(b) end.",
       {"True"}},
      {"a routine variable",
       "var f : function (x : Real) : Real; function Sq(x : Real) : Real; begin Result := x * x end; var r : Real; begin f := Sq; r := f(3) + 1; Write(r) end.",
       {"10"}},
      {"a fault in the routine's body ends only its statement",
       "function F(x : Real) : Real; begin Result := x / 0 * 0 end; var r : Real; begin r := 1 + F(1); Write('after ', r) end.",
       {"Invalid floating point operation", "after 1"}},
  });
}

// By-reference views (var parameters, with records) are read and written
// through the variable they are bound to at the time.
TEST_F(FastPathsTest, TypedEvaluationReachesVariablesThroughTheirViews) {
  ExpectOutputs({
      {"a var parameter read and written in a loop",
       "procedure P(var v : Real; n : Integer); var i : Integer; begin for i := 1 to n do v := v + i * 0.5 end; var s : Real; begin s := 1; P(s, 4); Write(s) end.",
       {"6"}},
      {"a var parameter bound to an element",
       "procedure P(var v : Integer); begin v := v * 2 + v end; var a : array [1..2] of Integer; begin a[2] := 5; P(a[2]); Write(a[2]) end.",
       {"15"}},
      {"a var parameter left of a call is read after it",
       "var x : Real; function G : Real; begin x := 7; Result := 1 end; procedure P(var v : Real); begin v := v + G() end; begin x := 1; P(x); Write(x) end.",
       {"8"}},
      {"a var parameter right of a call",
       "var x : Real; function G : Real; begin x := 7; Result := 1 end; procedure P(var v : Real); begin v := G() + v end; begin x := 1; P(x); Write(x) end.",
       {"8"}},
      {"a with record's field",
       "type R = record a, b : Real end; var r : R; begin r.a := 2; with r do b := a * 3 + 1; Write(r.b) end.",
       {"7"}},
      {"an element re-dimensioned under its var parameter",
       "procedure P(var v : Integer); begin v := v + 1 end; var a : array of Integer; procedure Q(var w : Integer); begin SetLength(a, 0); w := w + 10 end; begin SetLength(a, 2); a[1] := 4; Q(a[1]); Write(Length(a)) end.",
       {"0"}},
  });
}

// A compound statement runs its typed assignments in place of their
// statements, and its other statements as they are, with the same steps
// between them.
TEST_F(FastPathsTest, ACompoundStatementKeepsItsStepsAroundTypedAssignments) {
  ExpectOutputs({
      {"break between typed assignments",
       "var i, k, m : Integer; begin for i := 1 to 10 do begin k := k + i; if k > 20 then break; m := m + 1 end; Write(k, ' ', m) end.",
       {"21 5"}},
      {"continue between typed assignments",
       "var i, k, m : Integer; begin for i := 1 to 6 do begin k := k + i; if i mod 2 = 0 then continue; m := m + i end; Write(k, ' ', m) end.",
       {"21 9"}},
      {"exit between typed assignments",
       "var k : Integer; procedure P(); begin k := 1; exit; k := 2 end; begin P(); Write(k) end.",
       {"1"}},
      {"a while body mixing assignments and calls",
       "var i, k : Integer; r : Real; begin i := 0; while i < 5 do begin i := i + 1; r := r + i / 2; Write(i) end; k := i * 2; Write(k, ' ', r) end.",
       {"1", "2", "3", "4", "5", "10 7.5"}},
  });
}

}  // namespace

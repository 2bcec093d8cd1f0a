// What array elements must keep however arrays store them: elements passed
// by reference and written, elements that outlive a re-dimensioned array,
// Apply on arrays of each scalar kind, arrays of records and of strings,
// and matrices whose rows differ in length.

#include <gtest/gtest.h>

#include "tests/engine/ProgramFixture.h"

namespace {

class ArrayElementsTest : public ProgramFixture {};

TEST_F(ArrayElementsTest, ElementsKeepTheirValuesViewsAndKinds) {
  ExpectOutputs({
      {"an element passed as var and written",
       "procedure P(var x : Real); begin x := x * 2 end; var v : Vector; begin SetLength(v, 3); v[2] := 5; P(v[2]); Write(v[1], ' ', v[2], ' ', v[3]) end.",
       {"0 10 0"}},
      {"an element pinned while the routine re-dimensions its array",
       "var v : Vector; procedure P(var x : Real); begin SetLength(v, 1); x := 7; Write(x) end; begin SetLength(v, 3); v[2] := 5; P(v[2]); Write(Length(v), ' ', v[1]) end.",
       {"7", "1 0"}},
      {"Apply on a vector",
       "function Half(x : Real) : Real; begin Result := x / 2 end; var v : Vector; begin SetLength(v, 2); v[1] := 3; v[2] := -1; Apply(Half, v); Write(v[1], ' ', v[2]) end.",
       {"1.5 -0.5"}},
      {"Apply on an array of Integer",
       "type TI = array of Integer; function Twice(x : Integer) : Integer; begin Result := 2 * x end; var a : TI; begin SetLength(a, 2); a[1] := 3; a[2] := 4; Apply(Twice, a); Write(a[1], ' ', a[2]) end.",
       {"6 8"}},
      {"Apply on an array of Boolean",
       "type TB = array of Boolean; function Neg(b : Boolean) : Boolean; begin Result := not b end; var a : TB; begin SetLength(a, 2); a[1] := True; Apply(Neg, a); Write(a[1], ' ', a[2]) end.",
       {"False True"}},
      {"an array of Char is text, which Apply refuses",
       "type TC = array of Char; function Up(c : Char) : Char; begin Result := Chr(Ord(c) - 32) end; var a : TC; begin SetLength(a, 2); a[1] := 'q'; a[2] := 'r'; Apply(Up, a); Write(a[1], a[2]) end.",
       {"Cannot apply the function to a non-array variable at [1:155] ", "qr"}},
      {"Apply on an array of an enumeration",
       "type TE = (one, two, three); TA = array of TE; function Next(e : TE) : TE; begin if e = one then Result := three else Result := one end; var a : TA; begin SetLength(a, 2); a[2] := two; Apply(Next, a); Write(a[1], ' ', a[2]) end.",
       {"three one"}},
      {"an array of records copies by value",
       "type TP = record x, y : Real end; var a : array of TP; begin SetLength(a, 2); a[2].y := 3; a[1] := a[2]; a[2].y := 4; Write(a[1].y, ' ', a[2].y) end.",
       {"3 4"}},
      {"an array of strings keeps each text",
       "var a : array of String; begin SetLength(a, 2); a[1] := 'ab'; a[2] := a[1] + 'c'; a[1] := a[1] + 'z'; Write(a[1], ' ', a[2], ' ', a[2][3]) end.",
       {"abz abc c"}},
      {"a matrix with rows of unequal length",
       "var m : Matrix; begin SetLength(m, 2); SetLength(m[1], 3); SetLength(m[2], 1); m[1, 3] := 4; m[2, 1] := 2; Write(Length(m[1]), ' ', Length(m[2]), ' ', m[1, 3] + m[2, 1]); m[2, 2] := 1 end.",
       {"3 1 6", "Array index = 2 is out of range in \"_Untitled_n\" at [1:177] "}},
      {"a vector of 10^7 elements",
       "var v : Vector; begin SetLength(v, 10000000); v[10000000] := 2; v[1] := v[10000000] + 1; Write(Length(v), ' ', v[1], ' ', v[5000000]) end.",
       {"10000000 3 0"}},
      {"two sites on one array, one element passed twice",
       "procedure Swap(var x, y : Integer); var t : Integer; begin t := x; x := y; y := t end; var a : array of Integer; i : Integer; begin SetLength(a, 3); for i := 1 to 3 do a[i] := i * 10; Swap(a[1], a[3]); Swap(a[2], a[2]); a[1] := a[2] + a[3]; Write(a[1], ' ', a[2], ' ', a[3]) end.",
       {"30 20 10"}},
      {"a routine writing its vector parameter leaves the caller's vector alone",
       "procedure P(v : Vector); var i : Integer; begin for i := 1 to 2 do v[i] := 9; v[3] := v[1] + 1; Write(v[1], ' ', v[3]) end; var a : Vector; begin a := {1, 2, 3}; P(a); P(a); Write(a[1], ' ', a[3]) end.",
       {"9 10", "9 10", "1 3"}},
      {"the caller's vector written during the call leaves the parameter alone",
       "var a : Vector; procedure P(v : Vector); begin a[1] := 5; Write(v[1], ' ', a[1]) end; begin a := {1, 2}; P(a); Write(a[1]) end.",
       {"1 5", "5"}},
      {"a var parameter aliases the vector a value parameter copied",
       "procedure P(var v : Vector; w : Vector); begin v[1] := 7; Write(w[1]); w[2] := 8 end; var a : Vector; begin a := {1, 2}; P(a, a); Write(a[1], ' ', a[2]) end.",
       {"1", "7 2"}},
      {"an element passed as var beside its vector passed by value",
       "var a : Vector; procedure P(var x : Real; v : Vector); begin x := 3; Write(v[1], ' ', a[1]) end; procedure Q(v : Vector; var x : Real); begin x := 4; Write(v[1], ' ', a[1]) end; begin a := {1, 2}; P(a[1], a); Q(a, a[1]) end.",
       {"1 3", "3 4"}},
      {"an element pinned while the routine re-dimensions the vector it also copied",
       "var a : Vector; procedure P(var x : Real; v : Vector); begin SetLength(a, 1); x := 7; Write(x, ' ', v[2], ' ', Length(a)) end; begin a := {1, 2}; P(a[2], a) end.",
       {"7 2 1"}},
      {"assigned vectors, a matrix row and a routine's result stay apart",
       "function F(v : Vector) : Vector; begin Result := v; Result[1] := 2 end; var a, b, c : Vector; m : Matrix; begin a := {1, 1}; b := a; c := F(a); b[2] := 3; m := {{4, 5}}; a := m[1]; a[1] := 6; Write(a[1], b[1], b[2], c[1], c[2], m[1, 1]) end.",
       {"613214"}},
      {"a static array parameter starts from the argument at every call",
       "type T = array[1..2] of Real; procedure P(v : T); begin Write(v[1]); v[1] := 5 end; var a : T; begin a[1] := 1; P(a); P(a); Write(a[1]) end.",
       {"1", "1", "1"}},
      {"a static array keeps its constant values across runs",
       "const c : array[1..3] of Integer = (4, 5, 6); var a : array[2..3] of Real; begin a[3] := c[2] + c[3]; Write(c[1], ' ', a[2], ' ', a[3]) end.",
       {"4 0 11"}},
  });
}

}  // namespace

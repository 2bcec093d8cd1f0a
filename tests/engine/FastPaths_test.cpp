// The engine's fast paths (strings appended in place, the call protocol,
// typed evaluation) must give what the generic evaluation gives: the same
// values, evaluation order, error lines and positions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/ProgramFixture.h"

namespace {

using TTexts = std::vector<std::string>;

struct TProgramCase {
  const char* Name;
  const char* Text;
  TTexts Output;
};

class FastPathsTest : public ProgramFixture {
protected:
  void Expect(std::initializer_list<TProgramCase> cases) {
    for (const TProgramCase& c : cases) {
      EXPECT_EQ(Texts(c.Text), c.Output) << c.Name;
      EXPECT_TRUE(Compiled) << c.Name;
    }
  }
};

TEST_F(FastPathsTest, AStringAppendedToItselfKeepsEveryOtherHolderOfItsText) {
  Expect({
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
  Expect({
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

}  // namespace

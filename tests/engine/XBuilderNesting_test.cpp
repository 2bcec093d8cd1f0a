// Deeply nested source is refused at a fixed depth with an error line
// instead of overflowing the stack; the deepest accepted trees compile,
// run and are freed, and the engine works on afterwards.

#include <string>

#include "tests/engine/ProgramFixture.h"

namespace {

std::string Repeat(const std::string& piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

// A text nested depth times, and where its level past the limit starts.
struct TNestingCase {
  const char* Name;
  bool Program;  // CompileText, else a console line through Evaluate
  std::string (*Text)(int depth);
  int DeepestAccepted;
  const char* RefusedAt;  // at DeepestAccepted + 1
};

std::string Parentheses(int depth) { return Repeat("(", depth) + "1" + Repeat(")", depth); }
std::string Negations(int depth) { return Repeat("- ", depth) + "1"; }
std::string Blocks(int depth) { return "begin " + Repeat("begin ", depth) + Repeat("end ", depth) + "end."; }
std::string Ifs(int depth) { return "var x : Integer; begin " + Repeat("if true then ", depth) + "x := 1 end."; }
std::string Loops(int depth) {
  return "var x : Integer; begin " + Repeat("while x < 1 do ", depth) + "x := x + 1 end.";
}
std::string Routines(int depth) {
  return Repeat("procedure P; ", depth) + Repeat("begin end; ", depth) + "begin end.";
}
std::string Braces(int depth) { return Repeat("{", depth) + "1" + Repeat("}", depth); }
std::string Arrays(int depth) { return "var a : " + Repeat("array of ", depth) + "Integer; begin end."; }
std::string Records(int depth) {
  return "type T = " + Repeat("record a : ", depth) + "Integer" + Repeat(" end", depth) + "; begin end.";
}
std::string RoutineKinds(int depth) {
  return "type T = " + Repeat("function (f : ", depth) + "Integer" + Repeat(") : Integer", depth) + "; begin end.";
}
// Statements and expressions count together.
std::string Mixed(int depth) {
  return "var x : Integer; begin " + Repeat("if true then ", depth / 2) + "x := " + Repeat("- ", depth - depth / 2) +
         "1 end.";
}

// The limit is 1000 levels of statements and factors together; a program's
// own begin is no level, an assignment's target and value are one each.
const TNestingCase NestingCases[] = {
    {"Parentheses", false, Parentheses, 999, " at [1:1001] "},
    {"Negations", false, Negations, 999, " at [1:2001] "},
    {"Blocks", true, Blocks, 1000, " in \"_Untitled_n\" at [1:6007] "},
    {"Ifs", true, Ifs, 997, " in \"_Untitled_n\" at [1:13003] "},
    {"Loops", true, Loops, 997, " in \"_Untitled_n\" at [1:14999] "},
    {"Mixed", true, Mixed, 997, " in \"_Untitled_n\" at [1:7514] "},
    {"Routines", true, Routines, 1000, " in \"_Untitled_n\" at [1:13001] "},
    // The outermost brace is a factor too.
    {"Braces", false, Braces, 998, " at [1:1000] "},
    {"Arrays", true, Arrays, 999, " in \"_Untitled_n\" at [1:9009] "},
    {"Records", true, Records, 999, " in \"_Untitled_n\" at [1:11010] "},
    {"RoutineKinds", true, RoutineKinds, 999, " in \"_Untitled_n\" at [1:14010] "},
};

}  // namespace

class XBuilderNestingTest : public ProgramFixture, public ::testing::WithParamInterface<TNestingCase> {
protected:
  // The error lines of text, compiled as its case says.
  std::vector<std::string> Errors(const TNestingCase& c, const std::string& text) {
    if (c.Program) {
      Run(text);
    } else {
      Eval(text);
      Compiled = ErrorTexts().empty();
    }
    return ErrorTexts();
  }
};

TEST_P(XBuilderNestingTest, TheDeepestAcceptedTextRunsAndOneLevelMoreIsRefused) {
  const TNestingCase& c = GetParam();
  EXPECT_EQ(Errors(c, c.Text(c.DeepestAccepted)), std::vector<std::string>{});
  EXPECT_TRUE(Compiled);
  std::vector<std::string> refused = Errors(c, c.Text(c.DeepestAccepted + 1));
  EXPECT_FALSE(Compiled);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(Untitled(refused[0]), std::string("Nesting is too deep") + c.RefusedAt);
  EXPECT_EQ(Result("1 + 1"), "2");
  EXPECT_EQ(Errors(c, c.Text(c.DeepestAccepted)), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, XBuilderNestingTest, ::testing::ValuesIn(NestingCases),
                         [](const ::testing::TestParamInfo<TNestingCase>& info) { return std::string(info.param.Name); });


// Far beyond the limit every form is refused with one error line, and the
// engine goes on.
TEST_P(XBuilderNestingTest, AHundredThousandLevelsAreRefused) {
  const TNestingCase& c = GetParam();
  std::vector<std::string> refused = Errors(c, c.Text(100000));
  EXPECT_FALSE(Compiled);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].substr(0, 19), "Nesting is too deep");
  EXPECT_EQ(Result("1 + 1"), "2");
}

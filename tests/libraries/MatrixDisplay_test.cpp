#include "libraries/MatrixDisplay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/libraries/ArrayEngine.h"

class MatrixDisplay : public ArrayEngine {
protected:
  // The lines a console line writes when its result is listed in full.
  std::vector<TLine> Listing(const std::string& line) {
    Sink->Lines.clear();
    TVariant value;
    Engine->Evaluate(line, true, true, -1, value);
    return Sink->Lines;
  }

  // The lines a call writes, text only.
  std::vector<std::string> Texts(const std::string& line) {
    Eval(line);
    std::vector<std::string> texts;
    for (const TLine& written : Sink->Lines) texts.push_back(written.Text);
    return texts;
  }
};

TEST_F(MatrixDisplay, ShowMatWritesAnAlignedTable) {
  const std::vector<TLine> expected = {
      {"matrix [2:2]", lkOutput, 0},   {"-", lkSplit, 1},
      {"  |   1    2 ", lkOutput, 1},  {"--+----------", lkOutput, 1},
      {"1 |   1  2.5 ", lkOutput, 1},  {"2 |  10    0 ", lkOutput, 1},
      {"-", lkSplit, 1},
  };
  Eval("ShowMat({{1, 2.5}, {10, 0}})");
  EXPECT_EQ(Sink->Lines, expected);
}

TEST_F(MatrixDisplay, OptionsAndSmallValues) {
  using TTexts = std::vector<std::string>;
  EXPECT_EQ(Texts("ShowMat({{1, 2.5}, {10, 0}}, False)"),
            (TTexts{"matrix [2:2]", "-", " 1  2.5 ", "10    0 ", "-"}));
  EXPECT_EQ(Texts("ShowVec({1, 2.5}, False)"), (TTexts{"vector [2]", "-", "  1", "2.5", "-"}));
  EXPECT_EQ(Texts("ShowVec({1e-17, -1e-16, 1.5e-16})"),
            (TTexts{"vector [3]", "-", "1 |        0", "2 |        0", "3 |  1.5E-16", "-"}));
  EXPECT_EQ(Texts("ShowVec({1234.5678}, False, 3)"), (TTexts{"vector [1]", "-", "1.23E3", "-"}));
  EXPECT_EQ(Texts("ShowVec({1234.5678}, False, 1, 2)"), (TTexts{"vector [1]", "-", "1.2E03", "-"}));
  EXPECT_EQ(Texts("ShowVec({1234.5678}, False, 0, 9)"), (TTexts{"vector [1]", "-", "1.2E0003", "-"}));
  EXPECT_EQ(Texts("ShowVec({0.1}, False, 40)"), (TTexts{"vector [1]", "-", "0.1", "-"}));
  EXPECT_EQ(Texts("ShowVec(MakeVec(10, 7))")[11], "10 |  7");
  // Every column is at least as wide as the number of the last one.
  EXPECT_EQ(Texts("ShowMat(MatZero(1, 10))")[2], "  |   1   2   3   4   5   6   7   8   9  10 ");
}

TEST_F(MatrixDisplay, EmptyValues) {
  Eval("E := MatZero(1)");
  Eval("DelRow(E, 1)");
  using TTexts = std::vector<std::string>;
  EXPECT_EQ(Texts("ShowMat(E)"), TTexts{"empty"});
  EXPECT_EQ(Texts("ShowMat({{}, {}})"), (TTexts{"| empty |", "| empty |"}));
  EXPECT_EQ(Texts("ShowVec({})"), TTexts{"empty"});
}

// The engine lists matrices and vectors through the two routines, which
// continue its listing under its label, line kind and level.
TEST_F(MatrixDisplay, ListingsContinueTheEnginesListing) {
  const std::vector<TLine> vector = {
      {"vector [2]", lkResult, 0}, {"-", lkSplit, 1}, {"1 |  1", lkOutput, 1}, {"2 |  2", lkOutput, 1},
      {"-", lkSplit, 1}};
  EXPECT_EQ(Listing("{1, 2}"), vector);
  const std::vector<TLine> nested = {
      {"array [1]", lkResult, 0},         {"[1] = matrix [1:1]", lkOutput, 1}, {"-", lkSplit, 2},
      {"  |  1 ", lkOutput, 2},           {"--+----", lkOutput, 2},            {"1 |  5 ", lkOutput, 2},
      {"-", lkSplit, 2}};
  EXPECT_EQ(Listing("{{{5}}}"), nested);
}

// A matrix may have rows of unequal length: the table has the columns of
// its longest row and leaves the missing cells blank.
TEST_F(MatrixDisplay, RowsOfUnequalLengthShowBlankCells) {
  const std::vector<TLine> expected = {
      {"matrix [2:2]", lkResult, 0}, {"-", lkSplit, 1},         {"  |  1  2 ", lkOutput, 1},
      {"--+-------", lkOutput, 1},   {"1 |  1  2 ", lkOutput, 1}, {"2 |  3    ", lkOutput, 1},
      {"-", lkSplit, 1}};
  EXPECT_EQ(Listing("{{1,2},{3}}"), expected);
  using TTexts = std::vector<std::string>;
  EXPECT_EQ(Texts("ShowMat({{}, {1, 20}}, False)"), (TTexts{"matrix [2:2]", "-", "      ", "1  20 ", "-"}));
}

#include "console/Syntax.h"

#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "tests/console/StoredSettings.h"

namespace {

struct TTokenSeen {
  int start;
  int length;
  TSymKind kind;
  bool operator==(const TTokenSeen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TTokenSeen& token) {
  return out << "(" << token.start << "," << token.length << "," << int(token.kind) << ")";
}

std::vector<TTokenSeen> Tokens(TSyntax& syntax, const std::string& line) {
  std::vector<TTokenSeen> seen;
  TSyntaxLine open(syntax, line);
  while (!syntax.AtEnd()) {
    const TSymKind kind = syntax.NextKind();
    seen.push_back({syntax.TokenStart(), syntax.TokenLength(), kind});
  }
  return seen;
}

std::uint8_t ByTable(const std::string& name) {
  static const std::map<std::string, std::uint8_t> known = {
      {"x", 1}, {"pi", 2}, {"sin", 3}, {"Vector", 4}, {"psLine", 5}, {"begin", 1}};
  const auto found = known.find(name);
  return found == known.end() ? 0 : found->second;
}

struct TLineCase {
  const char* line;
  bool classified;
  std::vector<TTokenSeen> tokens;
};

class SyntaxLines : public ::testing::TestWithParam<TLineCase> {};

TEST_P(SyntaxLines, SplitIntoClassifiedTokensWithinTheLine) {
  TSyntax syntax;
  if (GetParam().classified) syntax.Classifier = ByTable;
  EXPECT_EQ(Tokens(syntax, GetParam().line), GetParam().tokens) << "line: " << GetParam().line;
  EXPECT_FALSE(syntax.HasLine());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SyntaxLines,
    ::testing::Values(
        TLineCase{"x := 'ab' + 1", false,
                  {{0, 1, skText}, {2, 2, skSymbol}, {5, 4, skString}, {10, 1, skSymbol}, {12, 1, skInteger}}},
        TLineCase{"x := 1", true, {{0, 1, skVar}, {2, 2, skSymbol}, {5, 1, skInteger}}},
        TLineCase{"$FF #1010 3.14", false, {{0, 3, skHex}, {4, 5, skBinary}, {10, 4, skFloat}}},
        TLineCase{"begin pi sin Vector psLine foo", true,
                  {{0, 5, skReserved},
                   {6, 2, skConst},
                   {9, 3, skFunc},
                   {13, 6, skType},
                   {20, 6, skConst},
                   {27, 3, skText}}},
        TLineCase{"begin pi sin Vector psLine foo", false,
                  {{0, 5, skReserved},
                   {6, 2, skText},
                   {9, 3, skText},
                   {13, 6, skText},
                   {20, 6, skText},
                   {27, 3, skText}}},
        TLineCase{"", false, {}},
        TLineCase{"   ", false, {{3, 0, skEndOfLine}}},
        TLineCase{"(* a", false, {{0, 4, skComment}}},
        TLineCase{"// c", false, {{0, 4, skComment}}},
        TLineCase{"'", false, {{0, 1, skString}}},
        TLineCase{"s := '\xC2\xB5x'", false, {{0, 1, skText}, {2, 2, skSymbol}, {5, 5, skString}}}));

TEST(Syntax, StringTokensKeepTheirQuotes) {
  TSyntax syntax;
  TSyntaxLine open(syntax, "'ab'");
  syntax.NextKind();
  EXPECT_EQ(syntax.TokenText(), "'ab'");
}

TEST(Syntax, SetPositionRestartsInsideTheLine) {
  TSyntax syntax;
  TSyntaxLine open(syntax, "a *) b");
  syntax.SetPosition(5);
  EXPECT_EQ(syntax.NextKind(), skText);
  EXPECT_EQ(syntax.TokenText(), "b");
  EXPECT_EQ(syntax.TokenStart(), 5);
}

TEST(Syntax, NextAttrAtTheEndIsPlainText) {
  TSyntax syntax;
  TSyntaxLine open(syntax, " ");
  EXPECT_EQ(syntax.NextAttr().Name(), "Plain text");
}

TEST(Syntax, BeginLineEndsTheOpenLine) {
  TSyntax syntax;
  syntax.BeginLine("1 2 3");
  syntax.NextKind();
  syntax.BeginLine("x");
  EXPECT_EQ(syntax.NextKind(), skText);
  EXPECT_EQ(syntax.TokenStart(), 0);
  syntax.EndLine();
  EXPECT_FALSE(syntax.HasLine());
}

}  // namespace

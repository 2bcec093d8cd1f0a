// Packaged library text, end to end short of the loader: packed by the test
// packer, deciphered, and read by the lexer in its scrambled mode.

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "engine/Lex.h"
#include "runtime/AESDecipher.h"
#include "tests/runtime/Packer.h"

namespace {

const TAESKey Key = {7, 1, 4, 9, 200, 33, 18, 90, 5, 5, 5, 5, 250, 1, 2, 3,
                     64, 65, 66, 67, 99, 98, 97, 96, 0, 0, 0, 0, 17, 34, 51, 68};
constexpr std::int32_t Seed = 0x5EED1234;

std::vector<TToken> Tokens(TLex& lex, std::istream& input, std::int32_t seed) {
  lex.SetInput(&input, seed);
  std::vector<TToken> tokens;
  do {
    tokens.emplace_back();
    lex.NextToken(tokens.back());
  } while (tokens.back().TokClass != tcEOF);
  lex.SetInput(nullptr, -1);
  return tokens;
}

bool SameTokens(const std::vector<TToken>& a, const std::vector<TToken>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TToken& x, const TToken& y) {
    return x.TokClass == y.TokClass && x.Code == y.Code && x.Text == y.Text && x.Line == y.Line && x.Col == y.Col;
  });
}

TEST(PackedText, DecipheredPackedTextReadsLikeItsSource) {
  const std::string source =
      "library Stats;\n"
      "// mean of a vector\n"
      "function Mean(v : Vector) : Real;\n"
      "var i : Integer;\n"
      "begin Result := 0; for i := 1 to Length(v) do Result := Result + v[i] / Length(v) end;\n"
      "const Name = 'Stats'; Limit = $FF; Scale = 2.5E-3;\n"
      "end.";
  std::istringstream packed(PackText(source, Key, Seed));
  std::stringstream deciphered;
  DecryptStreamAES256(packed, 0, Key, deciphered);

  TLex lex;
  std::istringstream plain(source);
  const std::vector<TToken> expected = Tokens(lex, plain, -1);
  EXPECT_TRUE(SameTokens(Tokens(lex, deciphered, Seed), expected));
  EXPECT_FALSE(SameTokens(Tokens(lex, deciphered, Seed + 1), expected)) << "another seed gives another text";
}

}  // namespace

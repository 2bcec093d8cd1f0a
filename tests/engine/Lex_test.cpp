#include "engine/Lex.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>
#include <vector>

#include "engine/Lib.h"
#include "runtime/Exceptions.h"
#include "runtime/Random.h"

struct TExpected {
  TTokenClass tokClass;
  std::uint8_t code;
  std::string text;
};

bool operator==(const TToken& token, const TExpected& expected) {
  return token.TokClass == expected.tokClass && token.Code == expected.code && token.Text == expected.text;
}

std::ostream& operator<<(std::ostream& out, const TToken& token) {
  return out << "{class " << int(token.TokClass) << ", code " << int(token.Code) << ", \"" << token.Text << "\" at "
             << token.Line << ":" << token.Col << "}";
}

std::ostream& operator<<(std::ostream& out, const TExpected& expected) {
  return out << "{class " << int(expected.tokClass) << ", code " << int(expected.code) << ", \"" << expected.text
             << "\"}";
}

namespace {

struct TScanCase {
  std::string text;
  std::vector<TExpected> tokens;
};

class LexTest : public ::testing::Test {
protected:
  void Bind(const std::string& text, std::int32_t seed = -1) {
    input_.str(text);
    lex_.SetInput(&input_, seed);
  }

  TToken Read() {
    TToken token;
    lex_.NextToken(token);
    return token;
  }

  // Every token before the end of input.
  std::vector<TToken> ReadAll(const std::string& text, std::int32_t seed = -1) {
    Bind(text, seed);
    std::vector<TToken> tokens;
    for (TToken token = Read(); token.TokClass != tcEOF; token = Read()) tokens.push_back(token);
    return tokens;
  }

  void ExpectScans(std::initializer_list<TScanCase> cases) {
    for (const TScanCase& scan : cases) {
      const std::vector<TToken> tokens = ReadAll(scan.text);
      ASSERT_EQ(tokens.size(), scan.tokens.size()) << "text: " << scan.text;
      for (std::size_t i = 0; i < tokens.size(); ++i)
        EXPECT_EQ(tokens[i], scan.tokens[i]) << "text: " << scan.text << ", token " << i;
    }
  }

  TLex lex_;
  std::istringstream input_;
};

TEST_F(LexTest, ScansTokens) {
  ExpectScans({
      {"a<=b", {{tcIdentifier, 0, "a"}, {tcSymbol, tkLessEqual, "<="}, {tcIdentifier, 0, "b"}}},
      {"a< =b",
       {{tcIdentifier, 0, "a"}, {tcSymbol, tkLess, "<"}, {tcSymbol, tkEqual, "="}, {tcIdentifier, 0, "b"}}},
      {"x:=1", {{tcIdentifier, 0, "x"}, {tcSymbol, tkAssign, ":="}, {tcInteger, 0, "1"}}},
      {"1..10", {{tcInteger, 0, "1"}, {tcSymbol, tkRange, ".."}, {tcInteger, 0, "10"}}},
      {"a.b", {{tcIdentifier, 0, "a"}, {tcSymbol, tkDot, "."}, {tcIdentifier, 0, "b"}}},
      {"12 007", {{tcInteger, 0, "12"}, {tcInteger, 0, "007"}}},
      {"3.14 .5 1e10 2.5E-3 7e+2",
       {{tcReal, 0, "3.14"}, {tcReal, 0, ".5"}, {tcReal, 0, "1e10"}, {tcReal, 0, "2.5E-3"}, {tcReal, 0, "7e+2"}}},
      {"1.", {{tcNone, 0, "1."}}},
      {"1.x", {{tcNone, 0, "1."}, {tcIdentifier, 0, "x"}}},
      {"2e", {{tcNone, 0, "2e"}}},
      {"2e+ ", {{tcNone, 0, "2e+"}}},
      {"12abc", {{tcNone, 0, "12"}, {tcIdentifier, 0, "abc"}}},
      {"1.5e3x", {{tcNone, 0, "1.5e3"}, {tcIdentifier, 0, "x"}}},
      {"$FF $1f", {{tcHex, 0, "$FF"}, {tcHex, 0, "$1f"}}},
      {"#101", {{tcBinary, 0, "#101"}}},
      {"$", {{tcNone, 0, "$"}}},
      {"$ 1", {{tcNone, 0, "$"}, {tcInteger, 0, "1"}}},
      {"#2", {{tcNone, 0, "#"}, {tcInteger, 0, "2"}}},
      {"(* one\ntwo *)x", {{tcComment, tkCommentOpen, "(* one\ntwo *)"}, {tcIdentifier, 0, "x"}}},
      {"(***)", {{tcComment, tkCommentOpen, "(***)"}}},
      {"(* open", {{tcComment, tkCommentOpen, "(* open"}}},
      {"// note\nx", {{tcComment, tkLineComment, "// note\n"}, {tcIdentifier, 0, "x"}}},
      {"{ a }", {{tcSymbol, tkLeftBrace, "{"}, {tcIdentifier, 0, "a"}, {tcSymbol, tkRightBrace, "}"}}},
      {"'abc'", {{tcString, 0, "abc"}}},
      {"''", {{tcString, 0, ""}}},
      {"'it''s'", {{tcString, 0, "it"}, {tcString, 0, "s"}}},
      {"'abc\nx", {{tcString, tkQuote, "ab"}, {tcIdentifier, 0, "x"}}},
      {"'", {{tcString, tkQuote, ""}}},
      {"BEGIN End", {{tcIdentifier, tkBegin, "BEGIN"}, {tcIdentifier, tkEnd, "End"}}},
      {"_a1 b_2", {{tcIdentifier, 0, "_a1"}, {tcIdentifier, 0, "b_2"}}},
      {"a^`b", {{tcIdentifier, 0, "a"}, {tcSymbol, tkCaret, "^"}, {tcSymbol, tkBackquote, "`"}, {tcIdentifier, 0, "b"}}},
      {"! \xE9", {{tcSymbol, 0, "!"}, {tcSymbol, 0, "\xE9"}}},
  });
}

// Text is UTF-8: an unregistered character is one token however many bytes
// it has, so messages quote it whole; bytes that begin no character stay alone.
TEST_F(LexTest, KeepsACharacterOutsideAsciiWhole) {
  ExpectScans({
      {"\u00E4", {{tcSymbol, 0, "\u00E4"}}},
      {"x\u20AC:=1",
       {{tcIdentifier, 0, "x"}, {tcSymbol, 0, "\u20AC"}, {tcSymbol, tkAssign, ":="}, {tcInteger, 0, "1"}}},
      {"\U0001F600\u20AC", {{tcSymbol, 0, "\U0001F600"}, {tcSymbol, 0, "\u20AC"}}},
      {"\xC3" "a", {{tcSymbol, 0, "\xC3"}, {tcIdentifier, 0, "a"}}},
      {"\xE2\x82", {{tcSymbol, 0, "\xE2\x82"}}},
      {"\xC3\xA4\xA4", {{tcSymbol, 0, "\u00E4"}, {tcSymbol, 0, "\xA4"}}},
      {"\u00E4'\u00E4\u00F6'", {{tcSymbol, 0, "\u00E4"}, {tcString, 0, "\u00E4\u00F6"}}},
  });
}

TEST_F(LexTest, CountsLinesAndColumns) {
  struct TPositionCase {
    std::string text;
    std::int32_t line, col;  // of the last token
  } cases[] = {
      {"x", 1, 1},         {"ab  cd", 1, 5},     {"\nx", 2, 1},
      {"a\n  b", 2, 3},    {"a\r\nb", 2, 1},     {"(* a\n*) b", 2, 4},
      {"a\n\n\n b", 4, 2}, {"'s\n  t", 2, 3},
  };
  for (const TPositionCase& position : cases) {
    const std::vector<TToken> tokens = ReadAll(position.text);
    ASSERT_FALSE(tokens.empty()) << position.text;
    EXPECT_EQ(tokens.back().Line, position.line) << position.text;
    EXPECT_EQ(tokens.back().Col, position.col) << position.text;
  }
}

TEST_F(LexTest, EndOfInputAndEmptyInput) {
  Bind("");
  EXPECT_TRUE(lex_.AtEnd());
  EXPECT_EQ(Read(), (TExpected{tcNone, 0, ""})) << "an empty input gives no token at all";

  Bind("x   ");
  Read();
  const TToken end = Read();
  EXPECT_EQ(end, (TExpected{tcEOF, tkEndOfInput, ""}));
  EXPECT_EQ(end.Col, 2) << "the end is placed where the blanks began";
  EXPECT_EQ(Read().TokClass, tcEOF) << "the end repeats";

  lex_.SetInput(nullptr, -1);
  EXPECT_TRUE(lex_.AtEnd());
  EXPECT_EQ(lex_.Pos(), 0);
  EXPECT_EQ(Read().TokClass, tcNone);
}

TEST_F(LexTest, PositionIsTheNextCharacterToRead) {
  Bind("x := 'ab' + 1");
  EXPECT_EQ(lex_.Pos(), 1);
  Read();
  Read();
  EXPECT_EQ(Read().Text, "ab");
  EXPECT_EQ(lex_.Pos(), 10) << "the colouring finds the string at 10 - 4 - 1 = 5";
  Read();
  Read();
  EXPECT_TRUE(lex_.AtEnd());
  EXPECT_EQ(lex_.Pos(), lex_.Size() + 1);
}

TEST_F(LexTest, SkipToRestartsInsideTheText) {
  Bind("abc def");
  lex_.SkipTo(5);
  EXPECT_EQ(lex_.Pos(), 5);
  lex_.SkipTo(2);
  EXPECT_EQ(lex_.Pos(), 5) << "skipping backwards does nothing";
  const TToken token = Read();
  EXPECT_EQ(token.Text, "def");
  EXPECT_EQ(token.Col, 5);
  lex_.SkipTo(100);
  EXPECT_TRUE(lex_.AtEnd());
  EXPECT_EQ(lex_.Pos(), 8);
}

TEST_F(LexTest, ScrambledTextStartsTheKeyStreamAtTheFirstByte) {
  // "x:=1" XORed with the generator's bytes from seed 0: 0, 8, 220, 51.
  const std::vector<TToken> tokens = ReadAll(std::string{'\x78', '\x32', '\xE1', '\x02'}, 0);
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0], (TExpected{tcIdentifier, 0, "x"}));
  EXPECT_EQ(tokens[1], (TExpected{tcSymbol, tkAssign, ":="}));
  EXPECT_EQ(tokens[2], (TExpected{tcInteger, 0, "1"}));
  EXPECT_TRUE(lex_.Scrambled());
}

TEST_F(LexTest, ScrambledRoundTrip) {
  const std::string plain = "program P;\n(* a comment *)\nbegin\n  x := 'text' + $1F * 2.5e3; // done\nend.\n";
  const std::int32_t seed = 0x2D5A17;
  TRandom::Seed(seed);
  std::string scrambled = plain;
  for (char& c : scrambled) c = static_cast<char>(c ^ TRandom::Below(256));
  ASSERT_NE(scrambled, plain);

  const std::vector<TToken> expected = ReadAll(plain);
  for (int pass = 0; pass < 2; ++pass) {
    const std::vector<TToken> tokens = ReadAll(scrambled, seed);
    ASSERT_EQ(tokens.size(), expected.size()) << "pass " << pass;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      EXPECT_EQ(tokens[i].Text, expected[i].Text) << "pass " << pass << ", token " << i;
      EXPECT_EQ(tokens[i].Line, expected[i].Line) << "pass " << pass << ", token " << i;
    }
  }
  ReadAll(plain, -1);
  EXPECT_FALSE(lex_.Scrambled()) << "-1 always means plain text";
}

TEST_F(LexTest, ReadingScrambledInputReseedsTheGenerator) {
  TRandom::Seed(777);
  Bind("ab", 0);
  EXPECT_EQ(TRandom::State(), 134775814u) << "seeded with 0, then one draw per byte read";
  TRandom::Seed(777);
  Bind("ab", -1);
  EXPECT_EQ(TRandom::State(), 777u) << "plain text leaves the generator alone";
}

// A stream that claims more bytes than a 32-bit size can hold.
class THugeBuffer : public std::streambuf {
protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) override {
    const off_type base = dir == std::ios_base::end ? off_type{3} << 30 : dir == std::ios_base::cur ? position_ : 0;
    return position_ = base + offset;
  }
  pos_type seekpos(pos_type position, std::ios_base::openmode) override { return position_ = position; }

private:
  off_type position_ = 0;
};

TEST_F(LexTest, StreamBeyond32BitsIsARangeError) {
  THugeBuffer buffer;
  std::istream huge(&buffer);
  EXPECT_THROW(lex_.SetInput(&huge, -1), ERangeError);
}

TEST(LexTables, EveryFixedCodeHasItsText) {
  // Codes 2 to 76 in order.
  const char* const texts[] = {
      "(*",       "*)",       "//",       "'",         ":=",       "+",      "-",        "*",
      "div",      "/",        "mod",      "shl",       "shr",      "and",    "or",       "not",
      "xor",      "=",        "<",        ">",         "<=",       ">=",     "in",       "<>",
      "(",        ")",        ".",        ":",         ";",        ",",      "library",  "begin",
      "end",      "const",    "var",      "function",  "procedure", "type",  "record",   "set",
      "if",       "for",      "repeat",   "while",     "do",       "until",  "to",       "downto",
      "continue", "break",    "exit",     "then",      "else",     "case",   "with",     "array",
      "[",        "]",        "of",       "..",        "operator", "$",      "{",        "}",
      "^",        "#",        "program",  "`",         "interfaced", "typestr", "typeout", "typeconv",
      "uses",     "varimport", "varexport"};
  static_assert(std::size(texts) == 75);
  const TLex lex;
  for (int code = 2; code <= 76; ++code) {
    const std::string expected = texts[code - 2];
    EXPECT_EQ(lex.CodeText(static_cast<std::uint8_t>(code)), expected) << "code " << code;
    const TLexNode* entry = lex.FindEntry(expected);
    ASSERT_NE(entry, nullptr) << expected;
    EXPECT_EQ(entry->Code(), code) << expected;
  }
  EXPECT_EQ(lex.CodeText(tkEndOfInput), "");
  EXPECT_EQ(lex.CodeText(77), "");
  EXPECT_EQ(lex.FindEntry("VarExport")->Code(), tkVarexport) << "keywords match in any case";
}

TEST(LexTables, TokenTextNamesClassAndRegisteredText) {
  const TLex lex;
  EXPECT_EQ(lex.TokenText(tcSymbol, tkRightParen), "Symbol \")\"");
  EXPECT_EQ(lex.TokenText(TToken{1, 1, tcIdentifier, tkBegin, "BEGIN"}), "Identifier \"begin\"");
  EXPECT_EQ(lex.TokenText(tcIdentifier, 0), "Identifier");
  EXPECT_EQ(lex.TokenText(tcSymbol, 0), "Symbol");
  EXPECT_EQ(lex.TokenText(tcString, tkQuote), "String") << "only identifiers and symbols show their code";
  EXPECT_EQ(lex.TokenText(tcBinary, 0), "None");
  EXPECT_EQ(lex.TokenText(tcEOF, tkEndOfInput), "<EOF>");
  EXPECT_EQ(lex.TokenText(tcHex, 0), "Hex");
  EXPECT_EQ(lex.TokenText(tcReal, 0), "Real");
  EXPECT_EQ(lex.TokenText(tcComment, tkLineComment), "Comment");
}

TEST(LexTables, OperatorClasses) {
  const TLex lex;
  auto members = [](auto isMember) {
    std::vector<int> codes;
    for (int code = 0; code < 256; ++code)
      if (isMember(static_cast<std::uint8_t>(code))) codes.push_back(code);
    return codes;
  };
  EXPECT_EQ(members([&](std::uint8_t c) { return lex.IsRelational(c); }),
            (std::vector<int>{19, 20, 21, 22, 23, 24, 25}));
  EXPECT_EQ(members([&](std::uint8_t c) { return lex.IsAdditive(c); }), (std::vector<int>{7, 8, 16, 18}));
  EXPECT_EQ(members([&](std::uint8_t c) { return lex.IsMultiplicative(c); }),
            (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 66}));
  EXPECT_EQ(members([&](std::uint8_t c) { return lex.IsUnary(c); }), (std::vector<int>{7, 8, 17, 69}));
  EXPECT_EQ(members([&](std::uint8_t c) { return lex.IsDeclarationStarter(c); }),
            (std::vector<int>{33, 35, 36, 37, 38, 39, 62}));
}

class OperatorTagTest : public LexTest {
protected:
  void SetUp() override { ClearLastError(); }
};

TEST_F(OperatorTagTest, TagsAreHandedOutAndRead) {
  EXPECT_EQ(lex_.NewOperatorTag("+"), tkPlus) << "a known symbol keeps its code";
  EXPECT_EQ(lex_.NewOperatorTag("**"), 78);
  EXPECT_EQ(lex_.NewOperatorTag("Cross"), 79);
  EXPECT_EQ(lex_.NewOperatorTag("**"), 78);
  EXPECT_EQ(lex_.NewOperatorTag("9x"), 0);
  EXPECT_EQ(lex_.NewOperatorTag(""), 0);
  EXPECT_EQ(lex_.TagCount(), 2) << "refused symbols spend no tag";
  EXPECT_EQ(lex_.NewOperatorTag("!"), 80);

  const std::vector<TToken> tokens = ReadAll("a ** CROSS !b");
  ASSERT_EQ(tokens.size(), 5u);
  EXPECT_EQ(tokens[1], (TExpected{tcSymbol, 78, "**"}));
  EXPECT_EQ(tokens[2], (TExpected{tcIdentifier, 79, "CROSS"}));
  EXPECT_EQ(tokens[3], (TExpected{tcSymbol, 80, "!"}));
  EXPECT_EQ(lex_.TokenText(tokens[2]), "Identifier \"Cross\"");
  EXPECT_TRUE(GetLastErrorText().empty());
}

TEST_F(OperatorTagTest, TagsRunOutAfter177) {
  for (int i = 0; i < 177; ++i) ASSERT_EQ(lex_.NewOperatorTag("op" + std::to_string(i)), 78 + i);
  for (const char* symbol : {"late", "again"}) {
    ClearLastError();
    EXPECT_EQ(lex_.NewOperatorTag(symbol), 0) << symbol;
    EXPECT_EQ(GetLastErrorText(), "No more tags available");
    EXPECT_EQ(GetLastErrorPos(), NoPosition);
    EXPECT_EQ(GetLastErrorLib(), "");
  }
  EXPECT_EQ(lex_.NewOperatorTag("op176"), 254) << "known symbols still give their code";
}

TEST_F(OperatorTagTest, SymbolsLongerThanTwoCharactersCannotBeRegistered) {
  EXPECT_THROW(lex_.NewOperatorTag("+++"), EAssertionFailed);
}

TEST_F(OperatorTagTest, DefineOperatorAdmitsOrRefuses) {
  const TLib lib("Ops", false);
  const TSourcePos pos{3, 7};
  lex_.NewOperatorTag("**");
  lex_.NewOperatorTag("!");
  lex_.NewOperatorTag("dot");
  struct TDefineCase {
    std::string symbol;
    bool unary;
    std::uint8_t code;
    std::string error;
  } cases[] = {
      {"@@", false, 0, "Undefined operator \"@@\""},
      {":=", false, 0, "Assignment operation redefined"},
      {"<", true, tkLess, ""},
      {"in", false, tkIn, ""},
      {"-", true, tkMinus, ""},
      {"or", true, tkOr, ""},
      {"*", true, 0, "Operation \"*\" is redefined as unary"},
      {"not", false, 0, "Operation \"not\" is redefined as binary"},
      {"**", false, 78, ""},
      {"**", false, 78, ""},
      {"**", true, 0, "Operation \"**\" is redefined as unary"},
      {"!", true, 79, ""},
      {"!", false, 0, "Operation \"!\" is redefined as binary"},
      {"DOT", false, 80, ""},
  };
  for (const TDefineCase& define : cases) {
    ClearLastError();
    EXPECT_EQ(lex_.DefineOperator(define.symbol, define.unary, &lib, pos), define.code) << define.symbol;
    EXPECT_EQ(GetLastErrorText(), define.error) << define.symbol;
    if (!define.error.empty()) {
      EXPECT_EQ(GetLastErrorPos(), pos);
      EXPECT_EQ(GetLastErrorLib(), "Ops");
    }
  }
  EXPECT_TRUE(lex_.IsMultiplicative(78)) << "a new binary operator binds like *";
  EXPECT_TRUE(lex_.IsUnary(79)) << "a new unary operator binds like not";
  EXPECT_FALSE(lex_.IsMultiplicative(tkLess)) << "relational operators stay where they are";
  EXPECT_FALSE(lex_.IsUnary(tkLess));
}

}  // namespace

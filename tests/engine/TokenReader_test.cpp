#include "engine/TokenReader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "engine/Lib.h"
#include "engine/MessageChannel.h"

namespace {

class TokenReaderTest : public ::testing::Test {
protected:
  void SetUp() override { ClearLastError(); }

  void Bind(const std::string& text) {
    input_.str(text);
    reader_.Lex.SetInput(&input_, -1);
  }

  void ExpectError(const std::string& text, TSourcePos pos) {
    EXPECT_EQ(GetLastErrorText(), text);
    EXPECT_EQ(GetLastErrorPos(), pos);
    EXPECT_EQ(GetLastErrorLib(), "Lib1");
  }

  TLib lib_{"Lib1", false};
  TTokenReader reader_;
  std::istringstream input_;
};

TEST_F(TokenReaderTest, NextPassesCommentsAndEndsWithEndOfInput) {
  Bind("(* head *) x // tail");
  ASSERT_TRUE(reader_.Next());
  EXPECT_TRUE(reader_.Match(tcIdentifier, 0));
  EXPECT_EQ(reader_.Token.Text, "x");
  ASSERT_TRUE(reader_.Next());
  EXPECT_TRUE(reader_.Match(tcEOF, tkEndOfInput));
  ASSERT_TRUE(reader_.Next());
  EXPECT_TRUE(reader_.Match(tcEOF, tkEndOfInput));
}

TEST_F(TokenReaderTest, EndOfInputIsPlacedWhereTheTextEnds) {
  Bind("f(");
  reader_.CurLib = &lib_;
  ASSERT_TRUE(reader_.Next());
  ASSERT_TRUE(reader_.Expect(tcIdentifier, 0));
  ASSERT_TRUE(reader_.Expect(tcSymbol, tkLeftParen));
  EXPECT_FALSE(reader_.Expect(tcSymbol, tkRightParen));
  ExpectError("Symbol \")\" is expected but <EOF> is found", {1, 3});

  Bind("");
  ASSERT_TRUE(reader_.Next());
  EXPECT_TRUE(reader_.Match(tcEOF, tkEndOfInput));
  EXPECT_EQ(reader_.Token.Line, 1) << "not the position of the previous text's last token";
  EXPECT_EQ(reader_.Token.Col, 1);
}

TEST_F(TokenReaderTest, UnreadableTokensAreUnknownCharacters) {
  reader_.CurLib = &lib_;
  const struct {
    std::string text;
    std::string message;
    TSourcePos pos;
  } cases[] = {
      {"x :=\n  12abc", "Unknown character \"12\"", {2, 3}},
      {"1.", "Unknown character \"1.\"", {1, 1}},
      {"a $", "Unknown character \"$\"", {1, 3}},
      {"#2", "Unknown character \"#\"", {1, 1}},
  };
  for (const auto& unreadable : cases) {
    ClearLastError();
    Bind(unreadable.text);
    bool ok = true;
    while (ok && !reader_.Match(tcEOF, tkEndOfInput)) ok = reader_.Next();
    EXPECT_FALSE(ok) << unreadable.text;
    ExpectError(unreadable.message, unreadable.pos);
  }
}

TEST_F(TokenReaderTest, ExpectNamesWhatWasExpectedAndWhatWasFound) {
  reader_.CurLib = &lib_;
  const struct {
    std::string text;
    TTokenClass tokClass;
    std::uint8_t code;
    std::string message;
  } cases[] = {
      {"begin", tcIdentifier, 0, "Identifier is expected but Identifier \"begin\" is found"},
      {"x", tcIdentifier, tkEnd, "Identifier \"end\" is expected but Identifier is found"},
      {"'open\n", tcString, 0, "String is expected but String is found"},
      {"3.5", tcInteger, 0, "Integer is expected but Real is found"},
      {"#1", tcSymbol, tkSemicolon, "Symbol \";\" is expected but None is found"},
      {"!", tcSymbol, tkSemicolon, "Symbol \";\" is expected but Symbol is found"},
  };
  for (const auto& mismatch : cases) {
    ClearLastError();
    Bind(mismatch.text);
    ASSERT_TRUE(reader_.Next()) << mismatch.text;
    EXPECT_FALSE(reader_.Expect(mismatch.tokClass, mismatch.code)) << mismatch.text;
    ExpectError(mismatch.message, {1, 1});
  }
}

TEST_F(TokenReaderTest, MatchNeedsClassAndCode) {
  Bind("begin x");
  ASSERT_TRUE(reader_.Next());
  EXPECT_TRUE(reader_.Match(tcIdentifier, tkBegin));
  EXPECT_FALSE(reader_.Match(tcIdentifier, 0)) << "a keyword is no identifier";
  ASSERT_TRUE(reader_.Expect(tcIdentifier, tkBegin));
  EXPECT_TRUE(reader_.Match(tcIdentifier, 0));
  EXPECT_FALSE(reader_.Match(tcIdentifier, tkBegin));
  EXPECT_TRUE(GetLastErrorText().empty());
}

}  // namespace

// UTF-16 to UTF-8 and back: surrogate pairs, lone surrogates, malformed input.

#include <gtest/gtest.h>

#include "runtime/Utf16.h"

namespace {

TEST(Utf16Test, EncodesPairsAndDropsLoneSurrogates) {
  const struct {
    std::u16string text;
    std::string utf8;
  } cases[] = {
      {u"a\u00E9\u20AC", "a\xC3\xA9\xE2\x82\xAC"},
      {u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
      {u"x\xD83D", "x"},
      {u"\xDC00\xDC01", ""},
      {u"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& test : cases) EXPECT_EQ(EncodeUtf8(test.text), test.utf8);
}

TEST(Utf16Test, DecodesAndReplacesMalformedBytes) {
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xF0\x9F\x98\x80"), (std::u16string{u'a', 0xE9, 0xD83D, 0xDE00}));
  // A stray continuation, an overlong form, an encoded surrogate and a cut sequence.
  EXPECT_EQ(DecodeUtf8("\x80"), u"\xFFFD");
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), u"\xFFFD\xFFFD");
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"\xFFFD\xFFFD\xFFFD");
  EXPECT_EQ(DecodeUtf8("a\xE2\x82"), u"a\xFFFD\xFFFD");
  EXPECT_EQ(EncodeUtf8(DecodeUtf8("round \xE2\x82\xAC trip")), "round \xE2\x82\xAC trip");
}

}  // namespace

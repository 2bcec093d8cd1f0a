#include "runtime/Utf8Cells.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(Utf8Cells, ACodePointOrAStrayByteIsOneCell) {
  struct TCase {
    std::string text;
    int cells;
  };
  const TCase cases[] = {
      {"", 0},
      {"abc", 3},
      {"s := '\xC2\xB5\xE2\x82\xAC'", 9},  // µ€
      {"\xB5", 1},                         // a Latin-1 byte alone
      {"a\xE9t\xE9", 4},                   // Latin-1 "été"
      {"\xF0\x9F\x98\x80!", 2},            // a 4-byte code point
      {"\xE2\x82", 2},                     // a sequence cut short
      {"\xC0\xAF", 2},                     // overlong
      {"\xED\xA0\x80", 3},                 // a surrogate
  };
  for (const TCase& c : cases) EXPECT_EQ(CellCount(c.text), c.cells) << "text of " << c.text.size() << " bytes";
}

TEST(Utf8Cells, ColumnsAndBytesConvertBothWays) {
  const std::string row = "s := '\xC2\xB5\xE2\x82\xAC'";  // the quote after € is byte 11, cell 8
  EXPECT_EQ(CellOfByte(row, 11), 8);
  EXPECT_EQ(ByteOfCell(row, 8), 11u);
  EXPECT_EQ(CellOfByte(row, 7), 6) << "a byte inside a character belongs to its cell";
  EXPECT_EQ(ByteOfCell(row, 11), 14u) << "cells past the end count a byte each";
  EXPECT_EQ(CellOfByte(row, 14), 11);
  EXPECT_EQ(ByteOfCell(row, -3), 0u);
  const std::string ascii(200, 'x');
  for (int cell : {0, 1, 150, 200, 203}) EXPECT_EQ(CellOfByte(ascii, ByteOfCell(ascii, cell)), cell);
}

}  // namespace

TEST(Utf8Cells, AppendUtf8EncodesEachLengthAsOneCell) {
  struct TCase {
    char32_t CodePoint;
    const char* Expected;
  };
  for (const TCase c : {TCase{U'e', "e"}, TCase{U'\u00e9', "\xC3\xA9"}, TCase{U'\u20ac', "\xE2\x82\xAC"},
                        TCase{U'\U0001D11E', "\xF0\x9D\x84\x9E"}}) {
    std::string text = "x";
    AppendUtf8(text, c.CodePoint);
    EXPECT_EQ(text, std::string("x") + c.Expected);
    EXPECT_EQ(CellCount(text), 2);
  }
}

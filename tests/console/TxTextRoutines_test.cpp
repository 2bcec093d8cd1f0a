#include "console/TxTextRoutines.h"

#include <gtest/gtest.h>

namespace {

TEST(TxTextRoutines, SubStrFields) {
  EXPECT_EQ(SubStr("3 5", 1, " "), "5");
  EXPECT_EQ(SubStr("3  5", 1, " "), "");
  EXPECT_EQ(SubStr(" 3", 0, " "), "");
  EXPECT_EQ(SubStr("3 5", 2, " "), "");
  EXPECT_EQ(SubStr("3 5", -1, " "), "");
  EXPECT_EQ(SubStr("ab\r\ncd", 1, "\r\n"), "cd");
}

TEST(TxTextRoutines, CaretFromTextCountsLineBreaksAsTwo) {
  struct TCase {
    int pos, x, y;
  };
  for (const TCase& c : {TCase{5, 1, 1}, TCase{6, 2, 1}, TCase{7, -1, -1}, TCase{-1, -1, -1}, TCase{0, 0, 0},
                         TCase{2, 2, 0}}) {
    int x, y;
    CaretFromText("ab\r\ncd", c.pos, x, y);
    EXPECT_EQ(x, c.x) << "position " << c.pos;
    EXPECT_EQ(y, c.y) << "position " << c.pos;
  }
  int x, y;
  CaretFromText("\xC2\xB5\xC2\xB5\r\nx", 5, x, y);
  EXPECT_EQ(x, 1) << "positions count characters, not bytes";
  EXPECT_EQ(y, 1);
}

TEST(TxTextRoutines, Words) {
  EXPECT_EQ(GetWordOnPos("abc def", 5), "def");
  EXPECT_EQ(GetWordOnPos("abc def", 4), " ");
  EXPECT_EQ(GetWordOnPos("abc def", 8), "");
  EXPECT_EQ(GetWordOnPos("abc def", 0), "");
  EXPECT_EQ(GetWordOnPos("x:=\xC2\xB5v+1", 5), "\xC2\xB5v") << "characters above 127 belong to words";
  int beg = 0, end = 0;
  EXPECT_EQ(GetWordOnPosEx("abc def", 4, beg, end), "abc");
  EXPECT_EQ(beg, 1);
  EXPECT_EQ(end, 4);
  EXPECT_EQ(GetWordOnPosEx("abc def", 6, beg, end), "def");
  EXPECT_EQ(beg, 5);
  EXPECT_EQ(end, 8);
}

TEST(TxTextRoutines, CaseIgnoresTheLocale) {
  EXPECT_EQ(ChangeCase("aB1"), "Ab1");
  EXPECT_EQ(ChangeCase("\xC3\xA9\xC3\x89\xC3\x97\xB5"), "\xC3\x89\xC3\xA9\xC3\x97\xB5") << "é É × and a stray byte";
  EXPECT_TRUE(SameTextAnsi("Caf\xC3\xA9", "CAF\xC3\x89"));
  EXPECT_FALSE(SameTextAnsi("abc", "abd"));
}

TEST(TxTextRoutines, SmallRoutines) {
  EXPECT_EQ(ReplaceString("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceString("abc", "", "x"), "abc");
  EXPECT_EQ(Spaces(-1), "");
  EXPECT_EQ(Spaces(3), "   ");
  EXPECT_TRUE(HasChar('b', "abc"));
  EXPECT_TRUE(IsSeparator('\0'));
  EXPECT_TRUE(IsSeparator('{'));
  EXPECT_FALSE(IsSeparator('_'));
  EXPECT_TRUE(CharInSet('+', "+-"));
}

}  // namespace

#include "libraries/SysStrings.h"

#include "SystemEngine.h"

namespace {

class SysStrings : public SystemEngine {
protected:
  // Ends any split in progress, as a text read to its end does.
  void EndSplitting() { SplitCursor = -1; }
};

TEST_F(SysStrings, CopyTakesAPartOrNamesItsLibrary) {
  ExpectLines({
      {"Copy('abc', 2, 2)", "'bc'"},
      {"Copy('abc', 1, 3)", "'abc'"},
      {"Copy('abc', 3, -1)", "''"},
      {"Copy('abc', 3, 0)", "''"},
      {"Copy('abc', 2, 5)", "Count parameter is invalid in \"System\" at [1:1] "},
      {"Copy('abc', 3, -3)", "Count parameter is invalid in \"System\" at [1:1] "},
      {"Copy('abc', 0, 1)", "Index parameter is out of range in \"System\" at [1:1] "},
      {"Copy('abc', 4, 0)", "Index parameter is out of range in \"System\" at [1:1] "},
      {"s := 'ab'", "'ab'"},
      {"SetLength(s, 0)", ""},
      {"Copy(s, 1, 1)", "Empty string parameter in \"System\" at [1:1] "},
      {"Copy('x', 1, 1)", "'x'"},
  });
  EXPECT_EQ(GetLastErrorLib(), "") << "a successful line clears the last error";
  Eval("Copy('abc', 2, 5)");
  EXPECT_EQ(GetLastErrorLib(), "System");
  EXPECT_THROW(Eval("Copy('abc', 2, 9223372036854775807)"), EIntOverflow);
}

TEST_F(SysStrings, CmpStrFoldsOnlyTheLettersAToZ) {
  ExpectLines({
      {"CmpStr('ABC', 'abc')", "True"},
      {"CmpStr('ABC', 'abc', True)", "False"},
      {"CmpStr('abc', 'abc', True)", "True"},
      {"CmpStr('abc', 'abcd')", "False"},
      {"CmpStr('[', '{')", "False"},
      {"CmpStr('Z1', 'z1')", "True"},
  });
}

TEST_F(SysStrings, SplitStrReadsOneWordPerCall) {
  EndSplitting();
  ExpectLines({
      {"SplitStr('  ab cd')", "''"},
      {"SplitStr('  ab cd', True)", "'ab'"},
      {"SplitStr('  ab cd')", "'cd'"},
      {"SplitStr('  ab cd')", "''"},
      {"SplitStr('  ab cd')", "''"},
      {"SplitStr('one  ', True)", "'one'"},
      {"SplitStr('one  ')", "''"},
      {"SplitStr('x', True)", "'x'"},
      {"SplitStr('x')", "''"},
  });
}

TEST_F(SysStrings, TheSplitCursorIsSharedByEveryText) {
  EXPECT_EQ(Eval("SplitStr('ab cd ef', True)"), "'ab'");
  EXPECT_EQ(Eval("SplitStr('0123456789')"), "'23456789'") << "the cursor was left on position 3";
  EXPECT_EQ(SplitCursor, -1);
}

}  // namespace

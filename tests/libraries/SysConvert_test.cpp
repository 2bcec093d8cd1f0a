#include "libraries/SysConvert.h"

#include "SystemEngine.h"

namespace {

using SysConvert = SystemEngine;

TEST_F(SysConvert, RealsToIntegers) {
  ExpectLines({
      {"Round(2.5)", "2"},
      {"Round(3.5)", "4"},
      {"Round(-2.5)", "-2"},
      {"Round(2.4999)", "2"},
      {"Round(7)", "7"},
      {"Trunc(-2.7)", "-2"},
      {"Trunc(2.7)", "2"},
      {"Ceil(2.1)", "3"},
      {"Ceil(-2.5)", "-2"},
      {"Ceil(3)", "3"},
      {"Floor(-2.1)", "-3"},
      {"Floor(2.9)", "2"},
      {"Ceil(5e9)", "5000000000"},
      {"Ceil(5e9 + 0.5)", "5000000001"},
      {"Floor(-5e9 - 0.5)", "-5000000001"},
      {"Trunc(-9223372036854775808.0)", "-9223372036854775808"},
      {"Round(9223372036854775806.5)", "9223372036854775806"},
      {"Round(9223372036854775807.0)", "9223372036854775807"},
  });
}

TEST_F(SysConvert, RealsBeyondSixtyFourBitsAreInvalidOperations) {
  for (const char* line : {"Round(1e19)", "Trunc(-1e19)", "Ceil(9223372036854775807.5)",
                           "Floor(-9223372036854775810.0)", "Round(Inf)", "Floor(-Inf)"}) {
    EXPECT_THROW(Eval(line), EInvalidOp) << line;
  }
}

TEST_F(SysConvert, IntegralToIntegerBounds) {
  EXPECT_EQ(IntegralToInteger(-9223372036854775808.0L), INT64_MIN);
  EXPECT_EQ(IntegralToInteger(9223372036854775807.0L), INT64_MAX);
  EXPECT_THROW(IntegralToInteger(9223372036854775808.0L), EInvalidOp);
}

TEST_F(SysConvert, BinaryAndHexadecimalDigits) {
  ExpectLines({
      {"Bin(5)", "'101'"},
      {"Bin(0)", "'0'"},
      {"Bin(-1)", "'0'"},
      {"Bin(2147483647)", "'1111111111111111111111111111111'"},
      {"Hex(255)", "'FF'"},
      {"Hex(0)", "'0'"},
      {"Hex(-1)", "'FFFFFFFFFFFFFFFF'"},
      {"Hex(-$7FFFFFFFFFFFFFFF - 1)", "'8000000000000000'"},
  });
  EXPECT_THROW(Eval("Bin(2147483648)"), ERangeError);
  EXPECT_EQ(HexText(0x1234ABCD), "1234ABCD");
}

TEST_F(SysConvert, CharactersAndCodes) {
  ExpectLines({
      {"Chr(321)", "'A'"},
      {"Chr(-191)", "'A'"},
      {"Ord(Chr(200))", "200"},
      {"Ord('a')", "97"},
  });
}

TEST_F(SysConvert, NumbersFromText) {
  ExpectLines({
      {"n := 7", "7"},
      {"StrToInt('$FF', n)", "True"},
      {"n", "255"},
      {"StrToInt('12a', n)", "False"},
      {"n", "255"},
      {"StrToInt('  -0x10', n)", "True"},
      {"n", "-16"},
      {"r := 0.5", "0.5"},
      {"StrToReal(' 1e-3 ', r)", "True"},
      {"r", "0.001"},
      {"StrToReal('1,5', r)", "False"},
      {"r", "0.001"},
  });
}

}  // namespace

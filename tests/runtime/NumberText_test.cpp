#include "runtime/NumberText.h"

#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::int64_t Untouched = 77;

TEST(TextToInt, ReadsDecimalAndHexadecimalIntegers) {
  const struct {
    const char* Text;
    std::int64_t Value;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"  -17", -17},
      {"+8", 8},
      {"$FF", 255},
      {"0x1f", 31},
      {"0X1F", 31},
      {"x10", 16},
      {"X10", 16},
      {"-$10", -16},
      {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
      {"$FFFFFFFFFFFFFFFF", -1},
      {"007", 7},
  };
  for (const auto& c : cases) {
    std::int64_t n = Untouched;
    EXPECT_TRUE(TextToInt(c.Text, n)) << c.Text;
    EXPECT_EQ(n, c.Value) << c.Text;
  }
}

TEST(TextToInt, RefusesOtherTextsAndLeavesTheNumber) {
  for (const char* text : {"", " ", "12a", "12 ", "1.5", "$", "0x", "--1", "+-1", "$-1", "$G", "1e3",
                           "9223372036854775808", "-9223372036854775809", "$10000000000000000"}) {
    std::int64_t n = Untouched;
    EXPECT_FALSE(TextToInt(text, n)) << '"' << text << '"';
    EXPECT_EQ(n, Untouched) << text;
  }
}

TEST(TextToReal, ReadsDecimalRealsWithBlanksAround) {
  const struct {
    const char* Text;
    long double Value;
  } cases[] = {
      {"0", 0.0L},         {" 1e-3 ", 0.001L},  {"-2.5", -2.5L},   {"+.5", 0.5L},        {"5.", 5.0L},
      {"1E3", 1000.0L},    {"1e+3", 1000.0L},   {"12", 12.0L},     {"1e4000", 1e4000L},  {"1e-5000", 0.0L},
      {"0.1", 0.1L},
  };
  for (const auto& c : cases) {
    long double x = Untouched;
    EXPECT_TRUE(TextToReal(c.Text, x)) << c.Text;
    EXPECT_EQ(x, c.Value) << c.Text;
  }
}

TEST(TextToReal, RefusesOtherTextsAndLeavesTheNumber) {
  for (const char* text : {"", "  ", ".", "-", "1e", "1e+", "e3", "1,5", "1.5.2", "inf", "nan", "0x10", "$10",
                           "1 2", "1e5000", "-1e5000", "1.5a"}) {
    long double x = Untouched;
    EXPECT_FALSE(TextToReal(text, x)) << '"' << text << '"';
    EXPECT_EQ(x, Untouched) << text;
  }
}

TEST(StrToInt, ReadsThirtyTwoBitIntegers) {
  const struct {
    const char* Text;
    std::int32_t Value;
  } cases[] = {
      {"0", 0},          {"-17", -17},         {"+8", 8},          {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<std::int32_t>::min()}, {"$1F", 31},  {"$ff", 255},
      {"$FFFFFFFF", -1}, {"$80000000", std::numeric_limits<std::int32_t>::min()}, {"$00000010", 16},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToInt(c.Text), c.Value) << c.Text;
    EXPECT_EQ(StrToIntDef(c.Text, 99), c.Value) << c.Text;
  }
}

TEST(StrToInt, RefusesOtherTextsNamingThem) {
  for (const char* text : {"", "12x", "4294967296", "2147483648", "-2147483649", "$", "$123456789", "-$10", " 1",
                           "1 ", "0x10", "$G", "+-1", "1.5"}) {
    EXPECT_EQ(StrToIntDef(text, 99), 99) << '"' << text << '"';
    try {
      StrToInt(text);
      ADD_FAILURE() << '"' << text << "\" read";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.what(), "\"" + std::string(text) + "\" is not a valid integer value");
    }
  }
}

}  // namespace

#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

TEST(NumberText, RealsReadInTheDecimalGrammarOnly) {
  struct TCase {
    const char* text;
    bool reads;
    long double value;
  };
  const std::vector<TCase> cases = {
      {"0.1", true, 0.1L},
      {"-2.5E-7", true, -2.5E-7L},
      {"+1e3", true, 1000},
      {" \t12\r\n", true, 12},
      {"1.", true, 1},
      {".5", true, 0.5L},
      {"1.18973149535723176502E4932", true, std::numeric_limits<long double>::max()},
      {"1E-5000", true, 0},
      {"3.6451995318824746E-4951", true, std::numeric_limits<long double>::denorm_min()},
      {"1E5000", false, 0},
      {"", false, 0},
      {".", false, 0},
      {"e5", false, 0},
      {"1e", false, 0},
      {"1e+", false, 0},
      {"1,5", false, 0},
      {"1 2", false, 0},
      {"0x1p3", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"--1", false, 0},
  };
  for (const TCase& c : cases) {
    long double x = 99;
    EXPECT_EQ(TextToReal(c.text, x), c.reads) << c.text;
    EXPECT_EQ(x, c.reads ? c.value : 99) << c.text;
  }
}

TEST(NumberText, IntegersReadAsSignedDecimals) {
  const std::vector<std::pair<const char*, bool>> cases = {
      {"0", true},  {"-42", true},   {"+7", true},   {" 5\r", true}, {"9223372036854775807", true},
      {"-9223372036854775808", true}, {"9223372036854775808", false}, {"", false}, {"+", false},
      {"+-5", false}, {"1.0", false}, {"$10", false}, {"4 2", false},
  };
  for (const auto& [text, reads] : cases) {
    std::int64_t n = 99;
    EXPECT_EQ(TextToInteger(text, n), reads) << text;
    if (!reads) {
      EXPECT_EQ(n, 99) << text;
    }
  }
  std::int64_t n = 0;
  ASSERT_TRUE(TextToInteger("-9223372036854775808", n));
  EXPECT_EQ(n, std::numeric_limits<std::int64_t>::min());
}

}  // namespace

#include "libraries/FileReal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Limits = std::numeric_limits<long double>;

TEST(FileReal, TextInTheGeneralFormat) {
  const struct {
    long double X;
    const char* Text;
  } cases[] = {
      {1, "1"},
      {0.5L, "0.5"},
      {-2, "-2"},
      {0, "0"},
      {2.5L, "2.5"},
      {1e20L, "1E20"},
      {-3e-7L, "-3E-7"},
      {0.0001L, "0.0001"},
      {123456789012345678.0L, "123456789012345678"},
      {1e18L, "1E18"},
      {Limits::infinity(), "INF"},
      {-Limits::infinity(), "-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExactRealText(c.X), c.Text) << double(c.X);
}

// Values whose 18 digits name a neighbour take up to 21.
TEST(FileReal, MoreDigitsWhereEighteenDoNotReadBack) {
  EXPECT_EQ(ExactRealText(1.0L / 3), "0.33333333333333333334");
  EXPECT_EQ(ExactRealText(1000000000000000005.0L), "1000000000000000005");
  EXPECT_EQ(ExactRealText(std::nextafter(1.0L, 2.0L)), "1.0000000000000000001");
}

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(FileReal, EveryValueReadsBackExactly) {
  std::mt19937_64 random(20261210);
  std::uniform_int_distribution<int> exponent(-16000, 16000);
  std::vector<long double> values = {Limits::max(), Limits::min(), Limits::denorm_min(), -Limits::max(),
                                     1e-4000L,      Limits::epsilon(), 0.1L, 1.0L / 7};
  for (int i = 0; i < 20000; ++i) {
    const long double mantissa = static_cast<long double>(random()) / 18446744073709551616.0L + 0.5L;
    values.push_back((i % 2 ? -1 : 1) * std::ldexp(mantissa, exponent(random)));
  }
  for (long double x : values) {
    const std::string text = ExactRealText(x);
    long double back = 0;
    ASSERT_TRUE(FileTextToReal(text, back)) << text;
    EXPECT_TRUE(SameBits(back, x)) << text;
  }
}

TEST(FileReal, ReadsInfinitiesAndBlanksButNothingElse) {
  long double x = 7;
  EXPECT_TRUE(FileTextToReal(" INF ", x));
  EXPECT_EQ(x, Limits::infinity());
  EXPECT_TRUE(FileTextToReal("-INF", x));
  EXPECT_EQ(x, -Limits::infinity());
  EXPECT_TRUE(FileTextToReal(" 2.5e1 ", x));
  EXPECT_EQ(x, 25);
  for (const char* text : {"", "inf", "1,5", "1e99999", "NAN", "--1"}) {
    x = 7;
    EXPECT_FALSE(FileTextToReal(text, x)) << text;
    EXPECT_EQ(x, 7) << text;
  }
}

}  // namespace

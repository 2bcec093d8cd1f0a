#include "libraries/Gamma.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "tests/engine/KindsFixture.h"
#include "tests/libraries/RealNear.h"
#include "tests/Numbers.h"

namespace {

class GammaReports : public ::testing::Test {
protected:
  GammaReports() { SetMessageSink(Sink); }
  ~GammaReports() override { SetMessageSink(nullptr); }

  CountedPtr<TRecordingSink> Sink = MakeCounted<TRecordingSink>();
};

}  // namespace

TEST_F(GammaReports, ExactAndKnownValues) {
  EXPECT_EQ(GammaValue(5), 24);
  EXPECT_EQ(GammaValue(1), 1);
  EXPECT_EQ(GammaValue(2), 1);
  EXPECT_EQ(GammaValue(13), 479001600);
  ExpectRealNear(GammaValue(0.5L), 1.772453850905516027L, "Gamma(0.5)");
  ExpectRealNear(GammaValue(-0.5L), -3.544907701811032055L, "Gamma(-0.5)");
  // Gamma(-20.5) = -pi / Gamma(21.5) and Gamma(-21.5) = pi / Gamma(22.5) by reflection.
  EXPECT_LT(GammaValue(-20.5L), 0);
  EXPECT_GT(GammaValue(-21.5L), 0);
  ExpectRealNear(GammaValue(-20.5L), -Pi / std::tgamma(21.5L), "Gamma(-20.5)", 1e-15L);
  EXPECT_TRUE(Sink->ErrorTexts().empty());
}

// Every branch: near zero on both sides, the rational range, Stirling's
// series and its large-argument form, reflection of negatives.
TEST_F(GammaReports, AgreesWithTheLibraryGamma) {
  struct TCase {
    long double X;
    long double Tolerance;
  };
  const TCase cases[] = {
      {0.01L, 1e-17L},    {-0.01L, 1e-17L},   {0.03125L, 1e-17L}, {-0.03L, 1e-17L},  {0.1L, 1e-17L},
      {1.5L, 1e-17L},     {2.5L, 1e-17L},     {3.7L, 1e-17L},     {10.2L, 1e-17L},   {12.9L, 1e-17L},
      {-1.5L, 1e-17L},    {-5.3L, 1e-17L},    {-12.9L, 1e-17L},   {13.5L, 1e-17L},   {20, 1e-16L},
      {100.3L, 1e-16L},   {1000.7L, 1e-15L},  {1024.5L, 1e-15L},  {1500.2L, 1e-15L}, {1755.4L, 1e-15L},
      {-13.5L, 1e-17L},   {-100.3L, 1e-16L},  {-1000.7L, 1e-15L}, {-1754.5L, 1e-15L},
  };
  for (const TCase& c : cases) ExpectRealNear(GammaValue(c.X), std::tgamma(c.X), std::to_string(c.X), c.Tolerance);
  EXPECT_TRUE(Sink->ErrorTexts().empty());
}

TEST_F(GammaReports, NegativesBeyondTheLargestArgumentUnderflow) {
  ExpectRealNear(GammaValue(-1755.5L), std::tgamma(-1755.5L), "Gamma(-1755.5)", 1e-12L);
  EXPECT_GT(GammaValue(-1755.5L), 0);
  EXPECT_LT(GammaValue(-1756.5L), 0);
  EXPECT_EQ(GammaValue(-2000.5L), 0);
  EXPECT_EQ(GammaValue(-1e15L - 0.5L), 0);
  EXPECT_TRUE(Sink->ErrorTexts().empty());
}

TEST_F(GammaReports, SingularityAndOverflowReportWithoutPosition) {
  EXPECT_EQ(GammaValue(0), -GammaMaxNum);
  EXPECT_EQ(GammaValue(-4), -GammaMaxNum);
  EXPECT_EQ(GammaValue(-3), GammaMaxNum);
  EXPECT_EQ(GammaValue(1756), GammaMaxNum);
  EXPECT_EQ(Sink->ErrorTexts(), (std::vector<std::string>{"Singularity", "Singularity", "Singularity", "Overflow range error"}));
  EXPECT_EQ(GammaMaxNum, std::numeric_limits<long double>::max() - 0x2C85p16320L);
}

TEST(GammaRefusal, ZeroNegativeIntegersAndTooBigArguments) {
  EXPECT_EQ(GammaRefusal(0), "Bad Gamma function argument [0]");
  EXPECT_EQ(GammaRefusal(1e-17L), "Bad Gamma function argument [1E-17]");
  EXPECT_EQ(GammaRefusal(-3), "Bad Gamma function argument [-3]");
  EXPECT_EQ(GammaRefusal(-3.00000000000000001L).rfind("Bad Gamma function argument [", 0), 0u);
  EXPECT_EQ(GammaRefusal(-std::numeric_limits<long double>::infinity()).rfind("Bad Gamma function argument [", 0), 0u);
  EXPECT_EQ(GammaRefusal(1755.46L), "Gamma function argument is too big [1755.46]");
  for (long double accepted : {1e-15L, -2.5L, -2.9999999999999L, 1755.455L, 5.0L}) EXPECT_EQ(GammaRefusal(accepted), "") << double(accepted);
}

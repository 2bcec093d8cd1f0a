#include "libraries/SysTimeChance.h"

#include <cmath>

#include "SystemEngine.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "runtime/Random.h"

namespace {

class SysTimeChance : public SystemEngine {
protected:
  ~SysTimeChance() override { SetMessagePump(nullptr); }

  long double Real(const std::string& line) { return ResultOf(line).AsReal(); }
};

TEST_F(SysTimeChance, RandomDrawsFromTheSeededGenerator) {
  TRandom::Seed(0);
  // The first state is 1; the others are given to 17 digits.
  EXPECT_EQ(Real("Random()"), std::ldexp(1.0L, -32));
  for (long double expected : {0.031379939522594213L, 0.86104846722446382L, 0.20258096512407064L})
    EXPECT_NEAR(Real("Random()"), expected, 1e-17L);
}

TEST_F(SysTimeChance, RandGaussHasItsMeanAndDeviation) {
  TRandom::Seed(12345);
  constexpr int Count = 100000;
  long double sum = 0;
  long double squares = 0;
  for (int i = 0; i < Count; ++i) {
    long double x = RandomGauss(10, 2);
    sum += x;
    squares += x * x;
  }
  long double mean = sum / Count;
  long double deviation = std::sqrt(squares / Count - mean * mean);
  EXPECT_NEAR(mean, 10.0L, 0.05L);
  EXPECT_NEAR(deviation, 2.0L, 0.05L);
}

TEST_F(SysTimeChance, RandGaussFollowsThePolarMethod) {
  TRandom::Seed(7);
  long double u = 0, v = 0, s = 0;
  do {
    u = 2 * TRandom::NextReal() - 1;
    v = 2 * TRandom::NextReal() - 1;
    s = u * u + v * v;
  } while (s >= 1);
  long double expected = std::sqrt(-2 * std::log(s) / s) * u * 3 + 1;
  TRandom::Seed(7);
  EXPECT_EQ(Real("RandGauss(1, 3)"), expected);
  TRandom::Seed(7);
  EXPECT_EQ(Real("RandGauss()"), (expected - 1) / 3) << "the defaults are 0 and 1";
}

TEST_F(SysTimeChance, SysTimeGoesForward) {
  long double first = Real("SysTime()");
  long double second = Real("SysTime()");
  EXPECT_GT(first, 0);
  EXPECT_GE(second, first);
}

TEST_F(SysTimeChance, DelayWaitsTheAbsoluteTime) {
  for (const char* line : {"Delay(0.2)", "Delay(-0.05)"}) {
    long double wait = std::fabs(std::stold(std::string(line).substr(6)));
    long double start = SystemTime();
    EXPECT_EQ(Eval(line), "") << line;
    EXPECT_GE(SystemTime() - start, wait) << line;
  }
}

TEST_F(SysTimeChance, DelayKeepsTheWindowsAliveAndEndsOnAbort) {
  int pumps = 0;
  SetMessagePump([&] {
    if (++pumps == 3) AbortFlag = true;
  });
  Eval("Delay(60)");
  EXPECT_EQ(pumps, 3);
  EXPECT_TRUE(AbortFlag);
}

TEST_F(SysTimeChance, DelayOfZeroPumpsNothing) {
  int pumps = 0;
  SetMessagePump([&] { ++pumps; });
  EXPECT_EQ(Eval("Delay(0)"), "");
  EXPECT_EQ(pumps, 0);
}

}  // namespace

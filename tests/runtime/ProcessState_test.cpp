#include "runtime/ProcessState.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "runtime/Params.h"
#include "runtime/Random.h"

namespace {

TEST(ProcessState, ResetRuntimeStateRestoresTheOptionsAndTheGenerator) {
  ResetRuntimeState();
  const std::uint32_t first = TRandom::Below(1000000);
  Params.FMantissa = 20;
  Params.FExponent = 4;
  Params.UseShow = false;
  TRandom::Seed(12345);

  ResetRuntimeState();
  EXPECT_EQ(Params.FMantissa, 8);
  EXPECT_EQ(Params.FExponent, 1);
  EXPECT_TRUE(Params.UseShow);
  EXPECT_EQ(TRandom::Below(1000000), first);
}

}  // namespace

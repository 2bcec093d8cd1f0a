#include "runtime/Random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Random, StateFollowsTheCongruence) {
  TRandom::Seed(0);
  EXPECT_EQ(TRandom::NextReal(), 1.0L / 4294967296.0L);
  EXPECT_EQ(TRandom::State(), 1u);
  TRandom::NextReal();
  EXPECT_EQ(TRandom::State(), 134775814u);
  TRandom::NextReal();
  EXPECT_EQ(TRandom::State(), 3698175007u) << "the product must wrap modulo 2^32";
}

TEST(Random, BelowTakesTheHighHalfOfStateTimesRange) {
  TRandom::Seed(0xFFFFFFFFu);
  EXPECT_EQ(TRandom::Below(256), 247u);
  TRandom::Seed(12345);
  std::vector<std::uint32_t> draws;
  for (int i = 0; i < 5; ++i) draws.push_back(TRandom::Below(1000));
  EXPECT_EQ(draws, (std::vector<std::uint32_t>{385, 289, 79, 553, 633}));
}

TEST(Random, RealsStayBelowOne) {
  TRandom::Seed(1298181734u);  // the state that leads to the largest one, 2^32 - 1
  const long double highest = TRandom::NextReal();
  EXPECT_EQ(TRandom::State(), 0xFFFFFFFFu);
  EXPECT_LT(highest, 1.0L);
}

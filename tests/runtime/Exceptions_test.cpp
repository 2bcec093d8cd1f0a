#include "runtime/Exceptions.h"

#include <gtest/gtest.h>

TEST(Assertion, MessageNamesTagUnitAndLine) {
  try {
    QASSERT(1 + 1 == 3, "C42CAD11");
    FAIL() << "a false condition must throw";
  } catch (const EAssertionFailed& failure) {
    EXPECT_EQ(std::string(failure.what()),
              "C42CAD11 (Exceptions_test.cpp, line " + std::to_string(__LINE__ - 4) + ")");
  }
}

TEST(Assertion, TrueConditionPasses) { EXPECT_NO_THROW(QASSERT(true, "00000000")); }

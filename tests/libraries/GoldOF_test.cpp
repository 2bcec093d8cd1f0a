#include "libraries/GoldOF.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tests/libraries/CallbackEngine.h"

namespace {

using GoldenSearch = CallbackEngine;

}  // namespace

TEST_F(GoldenSearch, FindsTheMinimumAndItsValue) {
  AddRealFunction("Parabola", [](long double x) { return (x - 1) * (x - 1); });
  AddRealFunction("Far", [](long double x) { return (x + 5) * (x + 5) - 2; });
  const struct {
    const char* Line;
    long double X;
    long double F;
  } cases[] = {
      {"GoldenSearch(Cos, {2, 4})", std::numbers::pi_v<long double>, -1},
      {"GoldenSearch(Parabola, {0, 3})", 1, 0},
      {"GoldenSearch(Parabola, {3, 0})", 1, 0},
      {"GoldenSearch(Parabola, {-10, -9, 0, 1e-9})", 1, 0},
      {"GoldenSearch(Far, {0, 1})", -5, -2},
  };
  for (const auto& c : cases) {
    const TReals result = VectorOf(c.Line);
    ASSERT_EQ(result.size(), 2u) << c.Line;
    EXPECT_NEAR(static_cast<double>(result[0]), static_cast<double>(c.X), 1e-6) << c.Line;
    EXPECT_NEAR(static_cast<double>(result[1]), static_cast<double>(c.F), 1e-11) << c.Line;
    EXPECT_TRUE(Warnings().empty()) << c.Line;
  }
}

TEST_F(GoldenSearch, StopsAtTheIterationLimitWithAWarning) {
  const TTestFunc& parabola = AddRealFunction("Parabola", [](long double x) { return (x - 1) * (x - 1); });
  const TReals result = VectorOf("GoldenSearch(Parabola, {0, 3, 2})");
  EXPECT_EQ(result.size(), 2u);
  EXPECT_EQ(Warnings(), std::vector<std::string>{"GoldenSearch has reached maximum iteration"});
  // Two for the starting points, one beyond them, one inside the bracket, then one per iteration.
  EXPECT_EQ(parabola.Calls, 6);
}

TEST_F(GoldenSearch, FailsWithoutABracket) {
  AddRealFunction("Falling", [](long double x) { return -x; });
  AddRealFunction("Vanishing", [](long double x) { return std::exp(-x); });
  AddRealFunction("Level", [](long double) { return 7; });
  ASSERT_NE(Engine->AddVariable("none", Engine->Kinds().FindKind("TMathFunc")), nullptr);
  const struct {
    const char* Line;
    const char* Message;
  } cases[] = {
      {"GoldenSearch(Cos, {2})", "Parameter vector must contain at least 2 values at [1:1] "},
      {"GoldenSearch(Cos, {2, 2})", "Zero initial range specified at [1:1] "},
      {"GoldenSearch(Cos, {2, 2 + 1e-17})", "Zero initial range specified at [1:1] "},
      {"GoldenSearch(Falling, {0, 1})", "Minimum cannot be bracketed at [1:1] "},
      {"GoldenSearch(Vanishing, {0, 1})", "Minimum cannot be bracketed at [1:1] "},
      {"GoldenSearch(Level, {0, 1})", "Minimum cannot be bracketed at [1:1] "},
      {"GoldenSearch(Ln, {2, 1})", "Ln argument must be positive at [1:1] "},
      {"GoldenSearch(none, {0, 1})", "Function is empty at [1:1] "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorsOf(c.Line), c.Message) << c.Line;
    EXPECT_EQ(LinesText(), c.Message) << c.Line << ": no result";
  }
}

TEST_F(GoldenSearch, AnIterationCountBeyond32BitsIsARangeError) {
  EXPECT_THROW(Eval("GoldenSearch(Cos, {2, 4, 1e10})"), ERangeError);
}

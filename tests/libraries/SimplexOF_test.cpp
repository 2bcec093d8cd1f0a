#include "libraries/SimplexOF.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/libraries/CallbackEngine.h"

namespace {

class SimplexSearch : public CallbackEngine {
protected:
  SimplexSearch() {
    AddVectorFunction("q", [](const TReals& v) { return (v[0] - 2) * (v[0] - 2) + (v[1] + 1) * (v[1] + 1); });
  }
};

}  // namespace

TEST_F(SimplexSearch, FindsTheMinimum) {
  AddVectorFunction("Rosenbrock", [](const TReals& v) {
    return 100 * std::pow(v[1] - v[0] * v[0], 2) + std::pow(1 - v[0], 2);
  });
  const struct {
    const char* Line;
    TReals Expected;
  } cases[] = {
      {"SimplexSearch(q, {1, 1}, {})", {2, -1}},
      // Zero coordinates step away from 0.
      {"SimplexSearch(q, {0, 0}, {})", {2, -1}},
      {"SimplexSearch(Rosenbrock, {-1.2, 1}, {})", {1, 1}},
      {"SimplexSearch(Rosenbrock, {-1.2, 1}, {0, -5})", {1, 1}},
  };
  for (const auto& c : cases) {
    const TReals result = VectorOf(c.Line);
    ASSERT_EQ(result.size(), 2u) << c.Line;
    for (std::size_t j = 0; j < 2; ++j)
      EXPECT_NEAR(static_cast<double>(result[j]), static_cast<double>(c.Expected[j]), 1e-4) << c.Line;
    EXPECT_TRUE(Warnings().empty()) << c.Line;
  }
}

TEST_F(SimplexSearch, StopsAtTheIterationLimitWithTheBestVertex) {
  TReals best;
  long double lowest = INFINITY;
  AddVectorFunction("Recorded", [&](const TReals& v) {
    const long double y = (v[0] - 2) * (v[0] - 2) + (v[1] + 1) * (v[1] + 1);
    if (y < lowest) lowest = y, best = v;
    return y;
  });
  EXPECT_EQ(VectorOf("SimplexSearch(Recorded, {1, 1}, {5})"), best);
  EXPECT_EQ(Warnings(), std::vector<std::string>{"Maximum iterration number has been riched"});
}

TEST_F(SimplexSearch, Fails) {
  const TTestFunc& failing = AddRoutine("Failing", "TVecFunc", [](TTestFunc& self, TSourcePos) {
    SetResult(self, TValue::Real(-self.Calls));
    return FailFromRun(self, 5);
  });
  ASSERT_NE(Engine->AddVariable("none", Engine->Kinds().FindKind("TVecFunc")), nullptr);
  EXPECT_EQ(ErrorsOf("SimplexSearch(q, {}, {})"), "Initial vector is empty at [1:1] ");
  EXPECT_EQ(ErrorsOf("SimplexSearch(none, {1}, {})"), "Function is empty at [1:1] ");
  EXPECT_EQ(ErrorsOf("SimplexSearch(Failing, {1, 1}, {})"), "Bad point");
  EXPECT_EQ(failing.Calls, 5);
}

TEST_F(SimplexSearch, AFunctionWithoutMinimumOverflows) {
  AddVectorFunction("Falling", [](const TReals& v) { return -v[0]; });
  EXPECT_THROW(Eval("SimplexSearch(Falling, {1}, {})"), EOverflow);
}

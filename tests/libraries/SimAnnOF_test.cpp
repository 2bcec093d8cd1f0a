#include "libraries/SimAnnOF.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/libraries/CallbackEngine.h"

namespace {

// The points F was run on.
class SimAnnealing : public CallbackEngine {
protected:
  SimAnnealing() {
    AddVectorFunction("q", [this](const TReals& v) {
      Points.push_back(v);
      return (v[0] - 2) * (v[0] - 2) + (v[1] + 1) * (v[1] + 1);
    });
  }

  std::vector<TReals> Points;
};

}  // namespace

TEST_F(SimAnnealing, FindsTheMinimumWithinTheBox) {
  const TReals result = VectorOf("SimAnnealing(q, {0, 0}, {-5, -5}, {5, 5}, {})");
  ASSERT_EQ(result.size(), 2u);
  EXPECT_NEAR(static_cast<double>(result[0]), 2, 1e-2);
  EXPECT_NEAR(static_cast<double>(result[1]), -1, 1e-2);
  EXPECT_TRUE(Warnings().empty());
  for (const TReals& p : Points) {
    EXPECT_TRUE(p[0] >= -5 && p[0] <= 5 && p[1] >= -5 && p[1] <= 5) << p[0] << ", " << p[1];
  }
}

TEST_F(SimAnnealing, ACoordinateWithoutRangeNeverMoves) {
  const TReals result = VectorOf("SimAnnealing(q, {0, 3}, {-5, 3}, {5, 3}, {})");
  ASSERT_EQ(result.size(), 2u);
  EXPECT_NEAR(static_cast<double>(result[0]), 2, 1e-2);
  for (const TReals& p : Points) EXPECT_EQ(p[1], 3);
}

TEST_F(SimAnnealing, TheTemperatureSamplesLeaveTheStartingPoint) {
  VectorOf("SimAnnealing(q, {1, 1}, {-5, -5}, {5, 5}, {1})");
  // Runs 1 and 2 at the start, 3 to 52 the samples, then the first move of coordinate 1 alone.
  ASSERT_GT(Points.size(), 53u);
  EXPECT_EQ(Points[0], (TReals{1, 1}));
  EXPECT_EQ(Points[52][1], 1);
}

TEST_F(SimAnnealing, StopsEachPassAtTheTemperatureLimit) {
  VectorOf("SimAnnealing(q, {0, 0}, {-5, -5}, {5, 5}, {3, 0.001, 2})");
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"Maximum iterration number [3] has been reached",
                                                  "Maximum iterration number [3] has been reached"}));
  // Per pass: two runs, 50 samples, then 4 temperature steps of 5 x 15 x 2 runs.
  EXPECT_EQ(Points.size(), 2 * (2 + 50 + 4 * 5 * 15 * 2u));
}

TEST_F(SimAnnealing, Fails) {
  const TTestFunc& failing = AddRoutine("Failing", "TVecFunc", [](TTestFunc& self, TSourcePos) {
    SetResult(self, TValue::Real(self.Calls));
    return FailFromRun(self, 60);
  });
  const struct {
    const char* Line;
    const char* Message;
  } cases[] = {
      {"SimAnnealing(q, {}, {}, {}, {})", "Initial vector is empty at [1:1] "},
      {"SimAnnealing(q, {0, 0}, {-5, -5}, {5, 5, 5}, {})", "All vectors must have the same size at [1:1] "},
      {"SimAnnealing(q, {0, 0}, {-5}, {5, 5}, {})", "All vectors must have the same size at [1:1] "},
      {"SimAnnealing(Failing, {0, 0}, {-5, -5}, {5, 5}, {})", "Bad point"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorsOf(c.Line), c.Message) << c.Line;
    EXPECT_EQ(LinesText(), c.Message) << c.Line << ": no result";
  }
  EXPECT_EQ(failing.Calls, 60);
}

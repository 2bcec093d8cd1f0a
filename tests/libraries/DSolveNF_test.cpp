#include "libraries/DSolveNF.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cmath>
#include <numbers>

#include "tests/libraries/CallbackEngine.h"
#include "tests/libraries/RealNear.h"

namespace {

// f: the growth Y' = Y, whose solution from Y(0) = 1 is e^x.
class DSolve : public CallbackEngine {
protected:
  DSolve() { AddDerivatives("f", [](const TReals& y, long double) { return TReals{y[0]}; }); }
};

const long double E = std::numbers::e_v<long double>;

}  // namespace

TEST_F(DSolve, FixedStepsStoreEveryPoint) {
  const TRows m = MatrixOf("DSolve(f, {1}, 0, 1, 0.25)");
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0], (TReals{0, 0.25L, 0.5L, 0.75L, 1}));
  ASSERT_EQ(m[1].size(), 5u);
  EXPECT_EQ(m[1][0], 1);
  ExpectRealNear(m[1][4], 2.71820993920132325L, "y(1)", 1e-17L);
  for (std::size_t k = 1; k < 5; ++k) ExpectRealNear(m[1][k], std::exp(m[0][k]), "y", 1e-4L);
}

TEST_F(DSolve, TheLastFixedStepEndsAtTheEndOfTheRange) {
  const struct {
    const char* Line;
    TReals Xs;
  } cases[] = {
      {"DSolve(f, {1}, 0, 1, 0.3)", {0, 0.3L, 0.6L, 0.9L, 1}},
      {"DSolve(f, {1}, 0, 1, 5)", {0, 1}},
      // 1/0.1 is a hair off 10 in binary: no extra sliver of a step.
      {"DSolve(f, {1}, 0, 1, 0.1)", {0, 0.1L, 0.2L, 0.3L, 0.4L, 0.5L, 0.6L, 0.7L, 0.8L, 0.9L, 1}},
  };
  for (const auto& c : cases) {
    const TRows m = MatrixOf(c.Line);
    ASSERT_EQ(m.size(), 2u) << c.Line;
    ASSERT_EQ(m[0].size(), c.Xs.size()) << c.Line;
    for (std::size_t k = 0; k < c.Xs.size(); ++k) ExpectRealNear(m[0][k], c.Xs[k], c.Line, 1e-18L);
    EXPECT_EQ(m[0].back(), 1) << c.Line;
  }
}

TEST_F(DSolve, TheAdaptiveMethodReachesTheEndWithinItsTolerance) {
  const TRows m = MatrixOf("DSolve(f, {1}, 0, 1)");
  ASSERT_EQ(m.size(), 2u);
  EXPECT_LE(m[0].size(), 1000u);
  EXPECT_EQ(m[0].front(), 0);
  EXPECT_EQ(m[0].back(), 1);
  EXPECT_NEAR(static_cast<double>(m[1].back()), static_cast<double>(E), 1e-6);
  EXPECT_TRUE(Warnings().empty());
}

TEST_F(DSolve, EachComponentHasItsRow) {
  // The oscillator y'' = -y as two equations, from (0, 1): (sin x, cos x).
  AddDerivatives("oscillator", [](const TReals& y, long double) { return TReals{y[1], -y[0]}; });
  for (const char* line : {"DSolve(oscillator, {0, 1}, 0, Pi / 2, 0.01)", "DSolve(oscillator, {0, 1}, 0, Pi / 2)"}) {
    const TRows m = MatrixOf(line);
    ASSERT_EQ(m.size(), 3u) << line;
    EXPECT_NEAR(static_cast<double>(m[1].back()), 1, 1e-6) << line;
    EXPECT_NEAR(static_cast<double>(m[2].back()), 0, 1e-6) << line;
  }
}

TEST_F(DSolve, RefusesWhatItCannotSolve) {
  ASSERT_NE(Engine->AddVariable("none", Engine->Kinds().FindKind("TDiffFunc")), nullptr);
  ExpectRefusals({
      {"DSolve(f, {1}, 1, 1)", "Non-positilve integration range at [1:1] "},
      {"DSolve(f, {1}, 2, 1, 0.1)", "Non-positilve integration range at [1:1] "},
      {"DSolve(f, {1}, 0, 1, 0)", "Zero integration step specified at [1:1] "},
      {"DSolve(f, {1}, 0, 1, 1e-12)", "Integration step is too small at [1:1] "},
      {"DSolve(none, {1}, 0, 1)", "Function is empty at [1:1] "},
      {"DSolve(f, {}, 0, 1)", "Empty initial vector at [1:1] "},
  });
}

TEST_F(DSolve, ADerivativeVectorThatShrinksIsAnError) {
  AddDerivatives("shrinking", [](const TReals& y, long double) { return TReals{y[0]}; });
  EXPECT_EQ(ErrorsOf("DSolve(shrinking, {1, 2}, 0, 1)"), "DY has fewer elements than Y0 at [1:1] ");
}

TEST_F(DSolve, AFailingDerivativeEndsTheSolution) {
  const TTestFunc& failing = AddRoutine("failing", "TDiffFunc", [](TTestFunc& self, TSourcePos) {
    SetReals(ArrRefArg(self, 2), TReals{1});
    return FailFromRun(self, 6);
  });
  EXPECT_EQ(ErrorsOf("DSolve(failing, {1}, 0, 1, 0.1)"), "Bad point");
  EXPECT_EQ(failing.Calls, 6);
}

TEST_F(DSolve, AnElementTheDerivativeLeavesAloneKeepsItsLastValue) {
  // DY[2] is written on the first run only: Y[2] then grows by 1 per unit of x.
  AddRoutine("once", "TDiffFunc", [](TTestFunc& self, TSourcePos) {
    TArrVar& dy = ArrRefArg(self, 2);
    SetRealAt(dy, 0, 0);
    if (self.Calls == 1) SetRealAt(dy, 1, 1);
    return true;
  });
  const TRows m = MatrixOf("DSolve(once, {0, 0}, 0, 2, 0.5)");
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[2].back(), 2);
}

TEST_F(DSolve, AStepTooSmallForTheProblemWarns) {
  // Oscillations far finer than the smallest step, 1/20000 of the range.
  AddDerivatives("fast", [](const TReals&, long double x) { return TReals{1e6L * std::cos(1e6L * x)}; });
  const TRows m = MatrixOf("DSolve(fast, {0}, 0, 1)");
  EXPECT_EQ(Warnings(), (std::vector<std::string>{"Minimum step size is riched", "Maximum step number exceeded"}));
  ASSERT_EQ(m.size(), 2u);
  EXPECT_LT(m[0].size(), 1000u);
  EXPECT_LT(m[0].back(), 1);
}

// Ten million fixed steps: the points are stored as the steps reach them,
// so that the first runs of the derivative come at once and an abort there
// ends the call; a store that could never exist is refused before any step.
TEST_F(DSolve, ManyFixedStepsStoreAsTheyGoAndStopWhenAborted) {
  auto bytesInUse = [] {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
  };
  const std::size_t before = bytesInUse();
  std::size_t atFirstRun = 0;
  const TTestFunc& decay = AddRoutine("decay", "TDiffFunc", [&](TTestFunc& self, TSourcePos) {
    if (self.Calls == 1) atFirstRun = bytesInUse();
    if (self.Calls == 3) AbortFlag = true;
    SetReals(ArrRefArg(self, 2), TReals{-RealsOf(ArrArg(self, 0))[0]});
    return true;
  });
  Eval("DSolve(decay, {1}, 0, 1, 1e-7)");
  EXPECT_EQ(decay.Calls, 3);
  EXPECT_LT(atFirstRun - before, std::size_t{1} << 20) << "storage for every step was made ahead";
  AbortFlag = false;
  EXPECT_EQ(ErrorsOf("DSolve(decay, {1, 1, 1, 1}, 0, 1, 1e-9)"), "Not enough memory");
  EXPECT_EQ(decay.Calls, 3);
}

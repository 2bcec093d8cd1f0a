// Scales that are not finite, have no width or would need endless ticks:
// every call returns at once (this program runs under a short time limit).

#include <cmath>

#include "tests/graphics/GraphFixture.h"

namespace {

class DegenerateScaleTest : public GraphTest {
protected:
  const TRect r = Rect(60, 20, 580, 420);

  // Ink below the plot, where the x ticks and labels go (right of the y labels).
  int XAxisInk() { return Count(clBlack, Rect(r.Left - 9, r.Bottom + 1, r.Right + 20, 480)); }
  int XGridInk() { return Count(clSilver, Rect(r.Left + 1, r.Top - 4, r.Right + 5, r.Top - 3)); }
  // Left of the plot, above the x labels.
  int YAxisInk() { return Count(clBlack, Rect(0, 0, r.Left, r.Bottom + 10)); }
};

TEST_F(DegenerateScaleTest, LinearTicksGiveUpOnRangesWithoutRoundSteps) {
  struct Case {
    long double lo, hi;
  };
  for (const Case& c : {Case{0, INFINITY}, Case{NAN, 1}, Case{1e19L, 1e19L + 1}, Case{5, 4}, Case{-INFINITY, 0}}) {
    long double lo = c.lo, hi = c.hi, step = -1;
    graph.LinearTicks(lo, hi, Canvas(), -500, step);
    EXPECT_EQ(0, step) << double(c.lo) << ".." << double(c.hi);
    EXPECT_TRUE(lo == c.lo || (std::isnan(lo) && std::isnan(c.lo)));
    EXPECT_EQ(c.hi, hi);
  }
}

TEST_F(DegenerateScaleTest, UnusableUserStepsDrawNoTicksOnTheirAxis) {
  SetBox(0, 10, 1, 0, 5, 1);
  graph.DrawAxes(Canvas(), r);
  const int yInk = YAxisInk();
  ASSERT_GT(XAxisInk(), 0);
  for (long double step : {0.0L, -1.0L, (long double)NAN, 1e-9L}) {
    Clear(clWhite);
    SetBox(0, step == 1e-9L ? 1 : 10, step, 0, 5, 1);
    graph.DrawAxes(Canvas(), r);
    EXPECT_EQ(0, XAxisInk()) << double(step);
    EXPECT_EQ(0, XGridInk()) << double(step);
    EXPECT_EQ(yInk, YAxisInk()) << double(step);
    EXPECT_EQ(0, graph.LabelWidth(Canvas(), true)) << double(step);
  }
}

TEST_F(DegenerateScaleTest, ReversedUserRangesDrawNoTicks) {
  SetBox(10, 0, 1, 5, 0, 1);
  graph.DrawAxes(Canvas(), r);
  EXPECT_EQ(0, XAxisInk());
  EXPECT_EQ(TRect{}, Ink(Rect(0, 0, 640, 480)));
}

TEST_F(DegenerateScaleTest, TinyScalesDrawOnlyTheirOwnTicks) {
  SetBox(0, 1, 0.1L, 0, 1e-18L, 1e-19L);
  graph.DrawAxes(Canvas(), r);
  // Major and minor y ticks lie within the plot's rows.
  const TRect ticks = Ink(Rect(r.Left - 4, 0, r.Left - 2, r.Bottom + 6));
  EXPECT_GE(ticks.Top, r.Top);
  EXPECT_LE(ticks.Bottom, r.Bottom + 1);
  int majors = 0;
  for (int y = 0; y < r.Bottom + 6; ++y)
    if (At(r.Left - 1, y) == clBlack) ++majors;
  EXPECT_EQ(11, majors);
}

}  // namespace

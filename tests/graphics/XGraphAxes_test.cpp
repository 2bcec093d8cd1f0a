// Axes, ticks, labels and grids as pixels.

#include <cmath>
#include <numbers>

#include "tests/graphics/GraphFixture.h"
#include "tests/Numbers.h"

namespace {

class AxesTest : public GraphTest {
protected:
  const TRect r = Rect(60, 20, 580, 420);

  bool IsInk(TColor c) const { return c != clWhite; }
  // Whether any pixel within two pixels of (x, y) has the colour (more than a gap of the dots).
  bool Near(int x, int y, TColor colour) const {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (At(x + dx, y + dy) == colour) return true;
    return false;
  }
  int ColumnOf(long double x) const { return graph.WorldToScreen(r, x, graph.DataMin.Y).X; }
  int RowOf(long double y) const { return graph.WorldToScreen(r, graph.DataMin.X, y).Y; }
  // Whether the column holds silver in one of the six rows from row (longer than a gap of the dots).
  bool SilverIn(int column, int row) const {
    for (int y = row; y < row + 6; ++y)
      if (At(column, y) == clSilver) return true;
    return false;
  }
  int SilverColumns(int row) const {
    int count = 0;
    for (int x = r.Left - 4; x < r.Right + 5; ++x)
      if (SilverIn(x, row)) ++count;
    return count;
  }
};

TEST_F(AxesTest, FrameAxesTicksGridAndLabels) {
  SetBox(0, 10, 1, 0, 5, 1);
  graph.DrawAxes(Canvas(), r);
  const int th = TextHeight();
  for (int g = 0; g <= 10; ++g) {
    const int x = ColumnOf(g);
    int silver = 0;
    for (int y = 0; y < 480; ++y) {
      if (At(x, y) != clSilver) continue;
      ++silver;
      EXPECT_TRUE(y >= r.Top - 4 && y <= r.Bottom + 3) << "grid of " << g << " at row " << y;
    }
    EXPECT_GT(silver, (r.Bottom - r.Top) / 3) << g;
    for (int y = r.Bottom + 1; y <= r.Bottom + 5; ++y) EXPECT_EQ(clBlack, At(x, y)) << g << " row " << y;
    const std::string label = graph.FormatTick(g);
    const int w = TextWidth(label);
    const TRect cell = Rect(x - w / 2, r.Bottom + 10, x - w / 2 + w, r.Bottom + 10 + th);
    const TRect ink = Ink(Rect(x - 24, r.Bottom + 6, x + 25, 480));
    EXPECT_TRUE(ink.Left >= cell.Left && ink.Right <= cell.Right && ink.Top >= cell.Top && ink.Bottom <= cell.Bottom)
        << "label " << label;
    if (g == 10) continue;
    for (int k = 1; k <= 4; ++k) {
      const int mx = ColumnOf(g + k * 0.2L);
      for (int y = r.Bottom + 3; y <= r.Bottom + 5; ++y) EXPECT_EQ(clBlack, At(mx, y)) << g << "+" << k;
      EXPECT_NE(clBlack, At(mx, r.Bottom + 2)) << g << "+" << k;
    }
  }
  for (int g = 0; g <= 5; ++g) {
    const int y = RowOf(g);
    for (int x = r.Left - 4; x <= r.Left; ++x) EXPECT_EQ(clBlack, At(x, y)) << g;
    const std::string label = graph.FormatTick(g);
    const int w = TextWidth(label);
    const TRect cell = Rect(r.Left - 10 - w, y - th / 2, r.Left - 10, y - th / 2 + th);
    const TRect ink = Ink(Rect(0, y - 30, r.Left - 6, y + 30));
    EXPECT_TRUE(ink.Left >= cell.Left && ink.Right <= cell.Right && ink.Top >= cell.Top && ink.Bottom <= cell.Bottom)
        << "label " << label;
    if (g == 5) continue;
    const int minor = RowOf(g + 0.4L);
    EXPECT_EQ(clBlack, At(r.Left - 4, minor));
    EXPECT_EQ(clBlack, At(r.Left - 3, minor));
    EXPECT_NE(clBlack, At(r.Left - 2, minor));
  }
}

TEST_F(AxesTest, LogarithmicMinorGrid) {
  graph.Options.CoordSys = csLogLin;
  graph.Options.MinorGridX = true;
  graph.Options.GridY = false;
  SetBox(1, 100, 1, 0, 5, 1);
  graph.DrawAxes(Canvas(), r);
  EXPECT_EQ(3 + 16, SilverColumns(200));
  for (long double v : {1.0L, 2.0L, 9.0L, 10.0L, 20.0L, 90.0L, 100.0L})
    EXPECT_TRUE(SilverIn(ColumnOf(v), 200)) << double(v);
}

TEST_F(AxesTest, MinorGridWithoutLabels) {
  graph.Options.LabelsX = false;
  graph.Options.MinorGridX = true;
  graph.Options.GridY = false;
  SetBox(0, 10, 1, 0, 5, 1);
  graph.DrawAxes(Canvas(), r);
  EXPECT_EQ(11 + 40, SilverColumns(200));
  EXPECT_EQ(TRect{}, Ink(Rect(r.Left - 4, r.Bottom + 4, 640, 480)));
}

TEST_F(AxesTest, CrossingAxes) {
  graph.Options.AxesKind = akAxes;
  SetBox(-5, 5, 1, -2, 3, 1);
  graph.DrawAxes(Canvas(), r);
  const int row = RowOf(0);
  const int column = ColumnOf(0);
  for (int x = r.Left; x < r.Right; ++x) EXPECT_EQ(clBlack, At(x, row)) << x;
  EXPECT_EQ(clWhite, At(r.Right + 1, row));
  // Only the horizontal grid lines cross the y axis; none runs along it or the x axis.
  EXPECT_LE(Count(clSilver, Rect(column, r.Top - 4, column + 1, r.Bottom + 4)), 6);
  EXPECT_EQ(0, Count(clSilver, Rect(r.Left - 4, row, r.Right + 4, row + 1)));
  const int th = TextHeight();
  const TRect labels = Rect(r.Left - 30, row + 6, r.Right + 30, row + 6 + th);
  // No labels under the first and last ticks.
  EXPECT_EQ(0, Count(clBlack, Rect(ColumnOf(-5) - 8, labels.Top, ColumnOf(-5) + 9, labels.Bottom)));
  EXPECT_EQ(0, Count(clBlack, Rect(ColumnOf(5) - 8, labels.Top, ColumnOf(5) + 9, labels.Bottom)));
  // The zero label's cell ends 5 pixels left of the y axis.
  const int w = TextWidth("0");
  const TRect zero = Ink(Rect(column - w - 10, labels.Top, column, labels.Bottom));
  EXPECT_GT(zero.Width(), 0);
  EXPECT_LE(zero.Right, column - 5);
  EXPECT_GT(Count(clBlack, Rect(ColumnOf(1) - 8, labels.Top, ColumnOf(1) + 9, labels.Bottom)), 0);
}

TEST_F(AxesTest, CrossingAxesStayOnTheFrameWhenZeroIsOutside) {
  graph.Options.AxesKind = akAxes;
  SetBox(-5, 5, 1, 1, 3, 1);
  graph.DrawAxes(Canvas(), r);
  for (int y = r.Bottom + 1; y <= r.Bottom + 5; ++y) EXPECT_EQ(clBlack, At(ColumnOf(1), y));
}

class PolarGridTest : public AxesTest {
protected:
  const TRect pr = Rect(100, 50, 500, 450);
  const TPoint pole{300, 250};

  PolarGridTest() {
    graph.Options.CoordSys = csPolar;
    SetBox(0, 0, 1, -2, 2, 0.5L);
  }
  // Grid ink near most points of the line from the pole to end.
  bool LineDrawn(TPoint end, TColor colour = clSilver) const {
    int hits = 0;
    for (int k = 2; k < 19; ++k) {
      const int x = pole.X + (end.X - pole.X) * k / 20, y = pole.Y + (end.Y - pole.Y) * k / 20;
      if (Near(x, y, colour)) ++hits;
    }
    return hits >= 15;
  }
  // Halfway between two radial lines.
  TPoint EllipsePoint(long double radius) const {
    const long double a = 100 * radius;
    return {int(pole.X + a * cosl(Pi * 3 / 16)), int(pole.Y - a * sinl(Pi * 3 / 16))};
  }
};

TEST_F(PolarGridTest, RadialLinesAndEllipses) {
  graph.DrawPolarGrid(Canvas(), pr);
  EXPECT_EQ(pole, graph.WorldToScreen(pr, 0, 0));
  const TPoint ends[] = {{500, 50},  {100, 50},  {500, 450}, {100, 450}, {100, 167}, {500, 167},
                         {100, 333}, {500, 333}, {383, 50},  {217, 50},  {383, 450}, {217, 450},
                         {100, 250}, {500, 250}, {300, 50},  {300, 450}};
  for (const TPoint& end : ends) EXPECT_TRUE(LineDrawn(end)) << end.X << "," << end.Y;
  for (long double radius : {0.5L, 1.0L, 1.5L, 2.0L})
    EXPECT_TRUE(Near(EllipsePoint(radius).X, EllipsePoint(radius).Y, clSilver)) << double(radius);
  EXPECT_EQ(clWhite, At(EllipsePoint(0.75L).X, EllipsePoint(0.75L).Y));  // unfilled
  // Outline of the largest ellipse inside its box: columns 100 .. 500, rows 50 .. 450.
  EXPECT_TRUE(Near(101, 250, clSilver) || Near(100, 250, clSilver));
  EXPECT_EQ(TRect{}, Ink(Rect(0, 0, 640, 43)));
}

TEST_F(PolarGridTest, SwitchesAndCrossingAxes) {
  graph.Options.GridX = false;
  graph.DrawPolarGrid(Canvas(), pr);
  EXPECT_FALSE(LineDrawn({500, 50}));
  EXPECT_TRUE(Near(EllipsePoint(1).X, EllipsePoint(1).Y, clSilver));

  Clear(clWhite);
  graph.Options.GridX = true;
  graph.Options.GridY = false;
  graph.DrawPolarGrid(Canvas(), pr);
  EXPECT_TRUE(LineDrawn({500, 50}));
  EXPECT_FALSE(Near(EllipsePoint(1).X, EllipsePoint(1).Y, clSilver));

  Clear(clWhite);
  graph.Options.AxesKind = akAxes;
  graph.DrawPolarGrid(Canvas(), pr);
  EXPECT_EQ(clBlack, At(pr.Left - 5, pole.Y));
  EXPECT_EQ(clBlack, At(pr.Right + 4, pole.Y));
  EXPECT_NE(clBlack, At(pr.Right + 5, pole.Y));
  EXPECT_EQ(clBlack, At(pole.X, pr.Top - 5));
  EXPECT_EQ(clBlack, At(pole.X, pr.Bottom + 4));
}

}  // namespace

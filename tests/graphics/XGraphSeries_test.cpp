// Drawing each kind of data set, on user scales x 0..6 and y 0..4 unless a case says otherwise.

#include <cmath>

#include "tests/graphics/GraphFixture.h"
#include "tests/graphics/SamplePlots.h"

namespace {

class SeriesTest : public GraphTest {
protected:
  SeriesTest() {
    SetUserScale(0, 6, 1, 0, 4, 1);
    graph.Options.GridX = graph.Options.GridY = false;
  }
  TXSeries& Add(std::uint8_t style, std::initializer_list<std::pair<long double, long double>> points) {
    TXSeries& series = SamplePlots::AddSeries(graph, "s", style);
    for (const auto& [x, y] : points) series.AddPoint(x, y);
    return series;
  }
  // The non-white pixels around p (a marker's box).
  TRect InkAround(TPoint p, int reach = 7) { return Ink(Rect(p.X - reach, p.Y - reach, p.X + reach + 1, p.Y + reach + 1)); }
  TRect Box7(TPoint p) { return Rect(p.X - 3, p.Y - 3, p.X + 4, p.Y + 4); }
};

TEST_F(SeriesTest, LinesEndOnTheRangeBorderInvisibly) {
  SetUserScale(0, 6, 1, 0, 3, 1);
  Add(0, {{0, 0}, {1, 5}, {2, 0}});
  ASSERT_TRUE(Paint());
  EXPECT_EQ(0, SegmentHits(W(0, 0), W(1, 3), clBlue, 1));
  EXPECT_EQ(9, SegmentHits(W(1, 3), W(2, 0), clBlue, 1));
}

TEST_F(SeriesTest, APointLeftOfTheScaleIsSkipped) {
  Add(0, {{1, 1}, {-5, 3}, {3, 1}});
  ASSERT_TRUE(Paint());
  const TPoint a = W(1, 1), b = W(3, 1);
  EXPECT_EQ(Rect(a.X, a.Y, b.X, a.Y + 1), Bounds(clBlue));
  EXPECT_EQ(b.X - a.X, Count(clBlue, Rect(0, a.Y, 640, a.Y + 1)));
}

TEST_F(SeriesTest, ANaNBreaksTheLine) {
  graph.Options.AutoX = graph.Options.AutoY = true;
  Add(0, {{0, 0}, {1, NAN}, {2, 1}, {3, 1}});
  ASSERT_TRUE(Paint());
  EXPECT_EQ(0, graph.DataMin.X);
  EXPECT_LE(graph.DataMax.X, 3.5L);
  EXPECT_EQ(0, SegmentHits(W(0, 0), W(2, 1), clBlue, 1));
  EXPECT_EQ(9, SegmentHits(W(2, 1), W(3, 1), clBlue));
}

TEST_F(SeriesTest, MarkersAreSevenPixelsAcross) {
  for (std::uint8_t style : {3, 4, 5, 6}) {
    Clear(clWhite);
    graph.Clear();
    TXSeries& series = Add(style, {{2.5L, 2.5L}});
    ASSERT_TRUE(Paint());
    const TPoint p = W(2.5L, 2.5L);
    EXPECT_EQ(Box7(p), InkAround(p)) << int(style);
    if (style != 5) continue;
    EXPECT_EQ(24, Count(series.Pen.Color, Box7(p)));
    EXPECT_EQ(25, Count(series.Brush.Color, Rect(p.X - 2, p.Y - 2, p.X + 3, p.Y + 3)));
  }
  Clear(clWhite);
  graph.Clear();
  Add(4, {{2.5L, 2.5L}}).Opts.Symbol = smNone;
  ASSERT_TRUE(Paint());
  EXPECT_EQ(TRect{}, InkAround(W(2.5L, 2.5L)));
}

TEST_F(SeriesTest, StemsFromTheBaseLine) {
  TXSeries& stems = Add(7, {{2.5L, 2.5L}});
  ASSERT_TRUE(Paint());
  const TPoint p = W(2.5L, 2.5L), base = W(2.5L, 0);
  EXPECT_EQ(Box7(p), Ink(Rect(p.X - 7, p.Y - 7, p.X + 8, p.Y + 4)));
  for (int y = p.Y + 4; y <= base.Y; ++y) EXPECT_EQ(stems.Pen.Color, At(p.X, y)) << y;

  Clear(clWhite);
  stems.Opts.Symbol = smNone;
  ASSERT_TRUE(Paint());
  EXPECT_EQ(Rect(p.X, p.Y + 1, p.X + 1, base.Y + 1), Bounds(stems.Pen.Color));

  Clear(clWhite);
  graph.Options.CoordSys = csLinLog;
  SetUserScale(0, 6, 1, 1, 100, 1);
  stems.Clear();
  stems.AddPoint(2.5L, 10);
  ASSERT_TRUE(Paint());
  const TPoint q = W(2.5L, 10), logBase = W(2.5L, 1);
  EXPECT_EQ(Rect(q.X, q.Y + 1, q.X + 1, logBase.Y + 1), Bounds(stems.Pen.Color));
}

TEST_F(SeriesTest, BarsSpanByTheirAlignment) {
  TXSeries& bars = Add(9, {{1, 1}, {2, 2}, {4, 3}});
  bars.Opts.BarKind = bkCentre;
  ASSERT_TRUE(Paint());
  const TColor pen = bars.Pen.Color;
  EXPECT_EQ(Rect(W(0.5L, 0).X, W(0, 3).Y, W(5, 0).X + 1, W(0, 0).Y + 1), Bounds(pen));
  for (auto [x, top] : {std::pair{0.5L, 1.0L}, {1.5L, 2.0L}, {3.0L, 3.0L}, {5.0L, 3.0L}})
    for (int y = W(0, top).Y; y <= W(0, 0).Y; ++y) EXPECT_EQ(pen, At(W(x, 0).X, y)) << double(x) << " row " << y;
  EXPECT_EQ(bars.Brush.Color, At(W(1, 0).X, W(0, 0.5L).Y));

  Clear(clWhite);
  bars.Opts.BarKind = bkLeft;
  ASSERT_TRUE(Paint());
  EXPECT_EQ(W(0, 0).X, Bounds(pen).Left);
  EXPECT_EQ(pen, At(W(1, 0).X, W(0, 0.5L).Y));

  Clear(clWhite);
  bars.Opts.BarKind = bkRight;
  ASSERT_TRUE(Paint());
  EXPECT_EQ(W(6, 0).X + 1, Bounds(pen).Right);
  EXPECT_EQ(pen, At(W(4, 0).X, W(0, 0.5L).Y));

  Clear(clWhite);
  bars.Opts.BarKind = TBarKind(5);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(TRect{}, Bounds(pen));

  Clear(clWhite);
  bars.Opts.BarKind = bkCentre;
  bars.SetCount(1);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(TRect{}, Bounds(pen));
}

TEST_F(SeriesTest, WallsFillToTheZeroRow) {
  SetUserScale(0, 6, 1, -2, 4, 1);
  TXSeries& wall = Add(8, {{0, 2}, {1, -1}, {2, 3}});
  ASSERT_TRUE(Paint());
  EXPECT_EQ(wall.Brush.Color, At(W(0.2L, 0.5L).X, W(0.2L, 0.5L).Y));
  EXPECT_EQ(wall.Brush.Color, At(W(1, -0.5L).X, W(1, -0.5L).Y));
  EXPECT_EQ(clWhite, At(W(0.2L, 3).X, W(0.2L, 3).Y));
  EXPECT_EQ(clWhite, At(W(1, -1.5L).X, W(1, -1.5L).Y));
  // The pen only along the data.
  const TPoint a = W(0, 2), b = W(1, -1), c = W(2, 3);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      if (At(x, y) != wall.Pen.Color) continue;
      auto distance = [&](TPoint p, TPoint q) {
        const double dx = q.X - p.X, dy = q.Y - p.Y;
        return std::abs(dy * (x - p.X) - dx * (y - p.Y)) / std::hypot(dx, dy);
      };
      EXPECT_LE(std::min(x <= b.X ? distance(a, b) : 99.0, x >= b.X ? distance(b, c) : 99.0), 1.0) << x << "," << y;
    }
}

TEST_F(SeriesTest, ErrorPlotWhiskersLineAndMarker) {
  for (long double error : {0.5L, -0.5L}) {
    Clear(clWhite);
    graph.Clear();
    auto& errors = static_cast<TXSeries3D&>(*graph.AddData("e", Series3DKind));
    errors.Pen.Style = psClear;
    errors.Opts.Symbol = smSquare;
    errors.AddPoint(2, 2, error);
    ASSERT_TRUE(Paint());
    const TColor pen = errors.Pen.Color;
    const TPoint t = W(2, 2.5L), b = W(2, 1.5L), p = W(2, 2);
    EXPECT_EQ(11, Count(pen, Rect(t.X - 5, t.Y, t.X + 6, t.Y + 1)));
    EXPECT_EQ(11, Count(pen, Rect(b.X - 5, b.Y, b.X + 6, b.Y + 1)));
    EXPECT_EQ(Rect(t.X - 5, t.Y, t.X + 6, b.Y + 1), Bounds(pen));
    for (int y = t.Y; y <= b.Y; ++y)
      if (std::abs(y - p.Y) > 3) {
        EXPECT_EQ(pen, At(t.X, y)) << y;
      }
    EXPECT_EQ(Box7(p), Ink(Rect(p.X - 7, p.Y - 3, p.X + 8, p.Y + 4)));
    EXPECT_EQ(errors.Brush.Color, At(p.X - 1, p.Y - 1));
  }
}

TEST_F(SeriesTest, FieldArrows) {
  auto& field = static_cast<TXField&>(*graph.AddData("f", FieldKind));
  field.SetCount(2);
  field.SetPoint(0, MakePoint3D(2, 2, 0));
  field.SetVector(0, MakePoint3D(1, 0, 0));
  field.SetPoint(1, MakePoint3D(4, 3, 0));
  ASSERT_TRUE(Paint());
  const TPoint s = W(2, 2), e = W(3, 2);
  const TRect ink = Ink(Rect(s.X - 10, s.Y - 10, e.X + 10, s.Y + 10));
  EXPECT_EQ(Rect(s.X, e.Y - 2, e.X + 1, e.Y + 3), ink);
  const TRect head = Ink(Rect(s.X - 10, e.Y - 10, e.X + 10, e.Y));
  EXPECT_EQ(e.X - 8, head.Left);
  EXPECT_EQ(e.Y - 2, head.Top);
  EXPECT_LE(head.Right, e.X + 1);
  const TPoint zero = W(4, 3);
  EXPECT_EQ(TRect{}, Ink(Rect(zero.X - 10, zero.Y - 10, zero.X + 10, zero.Y + 10)));
}

// A fill colour (the heights map's) or a grayscale export fills even a
// marker whose brush is clear.
TEST_F(SeriesTest, MarkerFillsMakeAClearBrushSolid) {
  TDataOpts opts(dkScatter, bkRight, smSquare, rdFlat, shColour);
  const TXPen pen(clBlue, 3, psSolid);
  const TXBrush clear(clRed, bsClear);
  graph.DrawMarker(Canvas(), {20, 20}, 0, opts, pen, clear);
  EXPECT_EQ(clWhite, At(20, 20));
  graph.DrawMarker(Canvas(), {40, 20}, clLime, opts, pen, clear);
  EXPECT_EQ(clLime, At(40, 20));
  EXPECT_EQ(clBlue, At(37, 20));
  Clear(clYellow);
  graph.Grayscale = true;
  graph.DrawMarker(Canvas(), {20, 20}, 0, opts, pen, clear);
  EXPECT_EQ(clWhite, At(20, 20));
  EXPECT_EQ(clBlack, At(17, 20));
}

TEST_F(SeriesTest, ArrowHeads) {
  TXData field("f", FieldKind);
  field.Pen.Color = clRed;
  field.Brush.Color = clLime;
  graph.DrawArrow(Canvas(), field, 8, 2, {42, 10}, {10, 10});
  EXPECT_EQ(Rect(10, 8, 43, 13), Ink(Rect(0, 0, 64, 30)));
  for (TPoint corner : {TPoint{34, 8}, TPoint{42, 10}, TPoint{34, 12}}) EXPECT_EQ(clRed, At(corner.X, corner.Y));
  EXPECT_EQ(clLime, At(36, 10));
}

}  // namespace

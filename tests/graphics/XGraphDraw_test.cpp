// The drawing pass: the sample plots, the legend, the heights scale and the pass rules.

#include <cmath>
#include <numbers>

#include "graphics/RGBColor.h"
#include "tests/graphics/GraphFixture.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/Numbers.h"

namespace {

class CanonicalSineTest : public GraphTest {
protected:
  CanonicalSineTest() {
    series = &SamplePlots::CanonicalSine(graph);
    EXPECT_TRUE(Paint());
  }
  TXSeries* series;
};

TEST_F(CanonicalSineTest, ScalesRoundWhileTheOptionsHoldTheData) {
  EXPECT_EQ(0, graph.DataMin.X);
  EXPECT_EQ(7, graph.DataMax.X);
  EXPECT_EQ(1, graph.Step.X);
  EXPECT_EQ(-1, graph.DataMin.Y);
  EXPECT_EQ(1, graph.DataMax.Y);
  EXPECT_EQ(0.25L, graph.Step.Y);
  EXPECT_EQ(0, graph.Options.Min.X);
  EXPECT_EQ(6.2831853L, graph.Options.Max.X);
  EXPECT_EQ(series->Min.Y, graph.Options.Min.Y);
  EXPECT_EQ(series->Max.Y, graph.Options.Max.Y);
}

TEST_F(CanonicalSineTest, FrameGridAndCurve) {
  const TRect f = Frame();
  const TRect plot = Plot();
  for (int x = f.Left; x <= f.Right; ++x) {
    EXPECT_EQ(clBlack, At(x, f.Top)) << x;
    EXPECT_EQ(clBlack, At(x, f.Bottom)) << x;
  }
  for (int y = f.Top; y <= f.Bottom; ++y) {
    EXPECT_EQ(clBlack, At(f.Left, y)) << y;
    EXPECT_EQ(clBlack, At(f.Right, y)) << y;
  }
  for (int g = 0; g <= 7; ++g) EXPECT_GT(Count(clSilver, Rect(W(g, 0).X, f.Top, W(g, 0).X + 1, f.Bottom)), 50) << g;
  for (int k = 0; k <= 8; ++k) {
    const int row = W(0, -1 + 0.25L * k).Y;
    EXPECT_GT(Count(clSilver, Rect(f.Left, row, f.Right, row + 1)), 100) << k;
  }
  for (int k = 0; k < 299; ++k) {
    const TPoint p = W(series->X->GetItem(k), series->Y->GetItem(k));
    EXPECT_EQ(clBlue, At(p.X, p.Y)) << k;
  }
  const TRect inside = Rect(f.Left + 1, f.Top + 1, f.Right, f.Bottom);
  EXPECT_EQ(Count(clBlue, Rect(0, 0, 640, 480)), Count(clBlue, inside));
  const int first = W(0, 0).X, last = W(series->X->GetItem(299), 0).X;
  for (int x = first; x < last; ++x) EXPECT_GT(Count(clBlue, Rect(x, 0, x + 1, 480)), 0) << x;
  const int zeroRow = W(0, 0).Y, piColumn = W(Pi, 0).X;
  for (int x = plot.Left + plot.Width() / 4; x < plot.Right - plot.Width() / 4; ++x)
    if (At(x, zeroRow) == clBlue) {
      EXPECT_LE(std::abs(x - piColumn), 1) << x;
    }
  for (auto [y, centre] : {std::pair{1.0L, Pi / 2}, {-1.0L, 3 * Pi / 2}}) {
    const int row = W(0, y).Y, column = W(centre, 0).X;
    for (int x = 0; x < 640; ++x)
      if (At(x, row) == clBlue) {
        EXPECT_LE(std::abs(x - column), 8) << x;
      }
  }
  EXPECT_EQ(TRect{}, Ink(Rect(f.Right + 1, 0, 640, 480)));
}

TEST_F(GraphTest, PolarTwinFillsThePlotRectangle) {
  SamplePlots::PolarTwin(graph);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(-1, graph.DataMin.Y);
  EXPECT_EQ(1, graph.DataMax.Y);
  EXPECT_EQ(0.25L, graph.Step.Y);
  const TRect plot = Plot();
  const TRect blue = Bounds(clBlue);
  EXPECT_NEAR(plot.Left, blue.Left, 1);
  EXPECT_NEAR(plot.Top, blue.Top, 1);
  EXPECT_NEAR(plot.Right + 1, blue.Right, 1);
  EXPECT_NEAR(plot.Bottom + 1, blue.Bottom, 1);
}

TEST_F(GraphTest, LogLogLineThroughTheCorners) {
  SamplePlots::LogLog(graph);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(1, graph.DataMin.X);
  EXPECT_EQ(100, graph.DataMax.X);
  EXPECT_EQ(1, graph.DataMin.Y);
  EXPECT_EQ(10000, graph.DataMax.Y);
  const TRect plot = Plot();
  EXPECT_EQ((TPoint{plot.Left, plot.Bottom}), W(1, 1));
  EXPECT_EQ((TPoint{plot.Right, plot.Top}), W(100, 10000));
  EXPECT_NEAR((plot.Left + plot.Right) / 2.0, W(10, 100).X, 1);
  EXPECT_NEAR((plot.Top + plot.Bottom) / 2.0, W(10, 100).Y, 1);
  // Every blue pixel within a pixel of the line through the three points.
  const double slope = double(plot.Top - plot.Bottom) / (plot.Right - plot.Left);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (At(x, y) == clBlue) {
        const double expected = plot.Bottom + slope * (x - plot.Left);
        EXPECT_LE(std::abs(y - expected) / std::sqrt(1 + slope * slope), 1.0) << x << "," << y;
      }
  // Major and minor grid lines of two decades across, four up.
  auto silverColumns = [&](int row) {
    int n = 0;
    for (int x = plot.Left; x <= plot.Right; ++x)
      if (Count(clSilver, Rect(x, row, x + 1, row + 6)) > 0) ++n;
    return n;
  };
  auto silverRows = [&](int column) {
    int n = 0;
    for (int y = plot.Top; y <= plot.Bottom; ++y)
      if (Count(clSilver, Rect(column, y, column + 6, y + 1)) > 0) ++n;
    return n;
  };
  EXPECT_EQ(3 + 16, silverColumns(W(1, 2.5L).Y));
  EXPECT_EQ(5 + 32, silverRows(W(1.5L, 1).X));
}

class LegendTest : public GraphTest {
protected:
  LegendTest() {
    graph.Options.Legend = true;
    graph.Options.GridX = graph.Options.GridY = false;
  }
  TXSeries& Add(const std::string& name, std::uint8_t style) {
    TXSeries& s = SamplePlots::AddSeries(graph, name, style);
    s.AddPoint(0, 0);
    s.AddPoint(1, 1);
    return s;
  }
  int Width() { return graph.LegendWidth(Canvas()); }
  int EntryTop(int i) { return 5 + i * (TextHeight() + 5); }
};

TEST_F(LegendTest, EntriesOfLineSeries) {
  EXPECT_EQ(0, Width());
  Add("a", 0);
  Add("bb", 0);
  Add("ccc", 0);
  TXSeries& hidden = Add("a very long hidden name", 0);
  hidden.Visible = false;
  EXPECT_EQ(TextWidth("ccc") + 57, Width());
  ASSERT_TRUE(Paint());
  const int x = 640 - Width() + 5, h = TextHeight();
  for (int i = 0; i < 3; ++i) {
    const TXData& data = *graph.GetItem(i);
    const int y = EntryTop(i);
    for (int c = x; c < x + 32; ++c) EXPECT_EQ(data.Pen.Color, At(c, y + h / 2)) << i << " column " << c;
    EXPECT_NE(data.Pen.Color, At(x + 32, y + h / 2));
    const TRect ink = Ink(Rect(x + 33, y - 2, 640, y + h + 2));
    EXPECT_GE(ink.Left, x + 42);
    EXPECT_GE(ink.Top, y);
    EXPECT_LE(ink.Bottom, y + h);
    EXPECT_LE(ink.Right, x + 42 + TextWidth(data.Name));
  }
  EXPECT_EQ(TRect{}, Ink(Rect(x, EntryTop(3), 640, 480)));
}

TEST_F(LegendTest, SamplesByDrawKind) {
  TXSeries& markers = Add("m", 5);  // squares, pen width 3
  TXSeries& stems = Add("s", 7);
  stems.Opts.Symbol = smSquare;
  auto& errors = static_cast<TXSeries3D&>(*graph.AddData("e", Series3DKind));
  errors.Opts.Symbol = smSquare;
  graph.AddData("f", FieldKind);
  TXSeries& wall = Add("w", 8);
  auto& shaded = static_cast<TXMesh&>(*graph.AddData("m3", MeshKind));
  shaded.Opts.Shader = shColourHeight;
  auto& heights = static_cast<TXMesh&>(*graph.AddData("m4", MeshKind));
  heights.Opts.Shader = shHeightColour;
  ASSERT_TRUE(Paint());
  const int x = 640 - Width() + 5, h = TextHeight();
  auto markerBox = [&](int i) {
    const int y = EntryTop(i);
    return Ink(Rect(x, y - 3, x + 33, y + h + 3));
  };
  for (int i : {0, 1}) {
    const int middle = EntryTop(i) + h / 2;
    EXPECT_EQ(Rect(x + 13, middle - 3, x + 20, middle + 4), markerBox(i)) << i;
  }
  EXPECT_EQ(markers.Pen.Color, At(x + 13, EntryTop(0) + h / 2));
  EXPECT_EQ(markers.Brush.Color, At(x + 16, EntryTop(0) + h / 2));
  const int errorMiddle = EntryTop(2) + h / 2;
  EXPECT_EQ(errors.Pen.Color, At(x + 1, errorMiddle));
  EXPECT_EQ(errors.Pen.Color, At(x + 13, errorMiddle - 3));
  EXPECT_EQ(Rect(x, errorMiddle - 3, x + 32, errorMiddle + 4), markerBox(2));
  const TRect arrow = markerBox(3);
  EXPECT_EQ(x, arrow.Left);
  EXPECT_EQ(x + 33, arrow.Right);
  EXPECT_EQ(Rect(x, EntryTop(4), x + 32, EntryTop(4) + h), markerBox(4));
  EXPECT_EQ(wall.Pen.Color, At(x, EntryTop(4)));
  EXPECT_EQ(wall.Brush.Color, At(x + 16, EntryTop(4) + h / 2));
  EXPECT_EQ(clWhite, At(x + 16, EntryTop(5)));
  EXPECT_EQ(shaded.Brush.Color, At(x + 16, EntryTop(5) + h / 2));
  EXPECT_EQ(clRed, At(x + 16, EntryTop(6)));
  EXPECT_EQ(clLime, At(x + 16, EntryTop(6) + h / 2));
}

class HeightsScaleTest : public GraphTest {
protected:
  HeightsScaleTest() {
    mesh = static_cast<TXMesh*>(graph.AddData("m", MeshKind));
    mesh->Opts.Shader = shHeightColour;
    graph.Options.HeightsBar = true;
    graph.Options.AutoZ = false;
    graph.Options.Min.Z = 0;
    graph.Options.Max.Z = 1;
    graph.Options.Inc.Z = 0.1L;
  }
  // The swatch colours down the strip's sample column, from row top.
  std::vector<TColor> Swatches(int x, int top) {
    std::vector<TColor> colours;
    const int h = TextHeight();
    for (int y = top; y + h <= 480; y += h) {
      const TColor c = At(x, y + h / 2);
      if (c == clWhite) break;
      for (int r = y; r < y + h; ++r) EXPECT_EQ(c, At(x, r)) << "swatch row " << r;
      colours.push_back(c);
    }
    return colours;
  }
  TXMesh* mesh;
};

TEST_F(HeightsScaleTest, SwatchesFromMaxDownWithTheirLabels) {
  ASSERT_TRUE(Paint());
  const int x = 640 - graph.LegendWidth(Canvas()) + 5, h = TextHeight();
  const std::vector<TColor> colours = Swatches(x + 16, 5);
  ASSERT_EQ(11u, colours.size());
  for (int k = 0; k <= 10; ++k) {
    EXPECT_EQ(graph.HeightColor(mesh->Brush.Color, shHeightColour, 1 - 0.1L * k), colours[k]) << k;
    const TRect ink = Ink(Rect(x + 33, 5 + k * h, 640, 5 + (k + 1) * h));
    EXPECT_GE(ink.Left, x + 42) << k;
    EXPECT_LE(ink.Right, x + 42 + TextWidth(graph.FormatTick(1 - 0.1L * k))) << k;
  }
  EXPECT_EQ("0.9", graph.FormatTick(1 - 0.1L));
}

TEST_F(HeightsScaleTest, BelowTheLegendAndWithoutAStep) {
  graph.Options.Legend = true;
  ASSERT_TRUE(Paint());
  const int x = 640 - graph.LegendWidth(Canvas()) + 5, h = TextHeight();
  EXPECT_EQ(clWhite, At(x + 16, 5 + h + 5 + h / 2));
  EXPECT_EQ(11u, Swatches(x + 16, 5 + (h + 5) + h).size());

  Clear(clWhite);
  graph.Options.Legend = false;
  graph.Options.Inc.Z = 0;
  ASSERT_TRUE(Paint());
  const std::vector<TColor> two = Swatches(640 - graph.LegendWidth(Canvas()) + 5 + 16, 5);
  ASSERT_EQ(2u, two.size());
  EXPECT_EQ(graph.HeightColor(0, shHeightColour, 1), two[0]);
  EXPECT_EQ(graph.HeightColor(0, shHeightColour, 0), two[1]);

  Clear(clWhite);
  mesh->Opts.Shader = shColour;
  ASSERT_TRUE(Paint());
  EXPECT_EQ(0u, Swatches(640 - graph.LegendWidth(Canvas()) + 5 + 16, 5).size());
}

TEST_F(GraphTest, HeightColours) {
  graph.DataMin.Z = 0;
  graph.DataMax.Z = 1;
  struct Case {
    std::uint8_t shader;
    TColor base;
    long double t;
    TColor expected;
  };
  const Case cases[] = {{4, clGreen, 0, RGB(51, 0, 255)},  {4, clGreen, 0.5L, RGB(0, 255, 64)},
                        {4, clGreen, 1, RGB(255, 77, 0)},  {3, clRed, 0, RGB(26, 0, 0)},
                        {3, clRed, 0.5L, RGB(255, 0, 0)},  {3, clRed, 0.75L, RGB(255, 115, 115)},
                        {0, 0x123456, 0.3L, 0x123456},    {5, clGreen, 0, RGB(51, 0, 255)}};
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, graph.HeightColor(c.base, c.shader, c.t)) << int(c.shader) << " " << double(c.t);
  graph.Grayscale = true;
  EXPECT_EQ(RGB(13, 13, 13), graph.HeightColor(clRed, 3, 0));
  graph.Grayscale = false;
  graph.DataMin.Z = graph.DataMax.Z = 5;
  EXPECT_EQ(RGB(51, 0, 255), graph.HeightColor(clRed, 4, 5));
  EXPECT_EQ(RGB(26, 0, 0), graph.HeightColor(clRed, 3, 7));
}

TEST_F(GraphTest, AnEmptyRendererShowsTheTargetBackground) {
  EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
  Canvas().Brush().SetColor(clYellow);
  EXPECT_TRUE(Paint());
  EXPECT_EQ(640 * 480, Count(clYellow, Rect(0, 0, 640, 480)));
}

TEST_F(GraphTest, TooSmallAreasAndUndrawableScalesDrawNothing) {
  SamplePlots::CanonicalSine(graph);
  graph.Options.Title = "Title";
  graph.Options.TitleX = "x";
  const int th = TextHeight();
  const int height = 63 + 2 * (th + 5);
  EXPECT_FALSE(graph.Draw(Canvas(), Rect(0, 0, 200, height), false));
  EXPECT_EQ(TRect{}, Ink(Rect(0, 0, 640, 480)));
  EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 200, height + 1), false));
  EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 200, 140), false));

  Clear(clWhite);
  graph.Options.Title = graph.Options.TitleX = "";
  TXSeries& series = SamplePlots::AddSeries(graph, "zero", 0);
  series.AddPoint(1, 0);
  series.AddPoint(2, 1);
  graph.Options.CoordSys = csLinLog;
  EXPECT_FALSE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
  Paint();
  EXPECT_EQ(TRect{}, Ink(Rect(0, 0, 640, 480)));
  graph.Options.CoordSys = csLinear;
  EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));

  SetUserScale(5, 5, 1, 0, 1, 1);
  EXPECT_FALSE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
}

TEST_F(GraphTest, AxesInFrontOfTheData) {
  SetUserScale(0, 6, 1, 0, 4, 1);
  TXSeries& wall = SamplePlots::AddSeries(graph, "wall", 8);
  wall.AddPoint(0, 4);
  wall.AddPoint(6, 4);
  ASSERT_TRUE(Paint());
  const TRect inside = Rect(W(0.5L, 0).X, W(0, 3.5L).Y, W(5.5L, 0).X, W(0, 0.5L).Y);
  EXPECT_EQ(0, Count(clSilver, inside));
  graph.Options.AxesInFront = true;
  ASSERT_TRUE(Paint());
  EXPECT_GT(Count(clSilver, inside), 100);
}

TEST_F(GraphTest, TitlesAroundTheFrame) {
  SamplePlots::CanonicalSine(graph);
  graph.Options.Title = "Title";
  graph.Options.TitleX = "Axis x";
  graph.Options.TitleY = "Axis y";
  ASSERT_TRUE(Paint());
  const int th = TextHeight();
  // The frame, found from its top-left corner: the first black row under the title.
  int frameTop = th + 5;
  while (At(320, frameTop) != clBlack) ++frameTop;
  int frameBottom = 480 - th - 6;
  while (At(320, frameBottom) != clBlack) --frameBottom;
  const TRect title = Ink(Rect(0, 0, 640, 5 + th));
  EXPECT_GE(title.Top, 5);
  const TRect xTitle = Ink(Rect(0, frameBottom + th + 12, 640, 480));
  EXPECT_LE(xTitle.Bottom, 480 - 5);
  EXPECT_GT(xTitle.Height(), 0);
  const TRect yTitle = Ink(Rect(0, 0, 5 + th, 480));
  EXPECT_GE(yTitle.Left, 5);
  EXPECT_LE(yTitle.Right, 5 + th);
  EXPECT_GT(yTitle.Height(), yTitle.Width());
  EXPECT_NEAR((frameTop + frameBottom) / 2.0, (yTitle.Top + yTitle.Bottom) / 2.0, 1.5);
  int frameLeft = 5 + th, frameRight = 639;
  while (At(frameLeft, 240) != clBlack) ++frameLeft;
  while (At(frameRight, 240) != clBlack) --frameRight;
  EXPECT_NEAR((frameLeft + frameRight) / 2.0, (title.Left + title.Right) / 2.0, 1.5);
  EXPECT_NEAR((frameLeft + frameRight) / 2.0, (xTitle.Left + xTitle.Right) / 2.0, 1.5);
}

TEST_F(GraphTest, ThePassLeavesTheCanvasPenAndBrush) {
  SamplePlots::AllKinds(graph);
  Canvas().Pen().SetColor(0x123456);
  Canvas().Pen().SetWidth(3);
  Canvas().Pen().SetStyle(psDashDot);
  Canvas().Brush().SetColor(0x654321);
  Canvas().Brush().SetStyle(bsCross);
  ASSERT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
  EXPECT_EQ(0x123456u, Canvas().Pen().Color());
  EXPECT_EQ(3, Canvas().Pen().Width());
  EXPECT_EQ(psDashDot, Canvas().Pen().Style());
  EXPECT_EQ(0x654321u, Canvas().Brush().Color());
  EXPECT_EQ(bsCross, Canvas().Brush().Style());
}

}  // namespace

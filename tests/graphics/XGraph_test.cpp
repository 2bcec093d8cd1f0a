#include "graphics/XGraph.h"

#include <cmath>
#include <numbers>

#include "graphics/PixelRound.h"
#include "graphics/PlotStyles.h"
#include "runtime/Exceptions.h"
#include "tests/graphics/GraphFixture.h"
#include "tests/Numbers.h"

namespace {

TEST(XGraphContent, ANewRendererHoldsTheDefaultHeightsMap) {
  TXGraph graph;
  ASSERT_EQ(1, graph.Count());
  const auto* mesh = dynamic_cast<const TXMesh*>(graph.GetItem(0));
  ASSERT_NE(nullptr, mesh);
  EXPECT_EQ("Sin(x*y)", mesh->Name);
  EXPECT_EQ(40, mesh->XCount());
  EXPECT_EQ(40, mesh->YCount());
  EXPECT_EQ(dkSurface, mesh->Opts.DrawKind);
  EXPECT_EQ(rdGouraud, mesh->Opts.Renderer);
  EXPECT_EQ(shColourHeight, mesh->Opts.Shader);
  EXPECT_EQ(bsSolid, mesh->Brush.Style);
  EXPECT_EQ(psClear, mesh->Pen.Style);
  EXPECT_EQ(clBlue, mesh->Pen.Color);
  EXPECT_EQ(0xF0CAA6u, mesh->Brush.Color);
  EXPECT_EQ(-5, mesh->X->GetItem(0));
  EXPECT_EQ(5, mesh->X->GetItem(39));
  EXPECT_EQ(-3.5L, mesh->Y->GetItem(0));
  EXPECT_EQ(3.5L, mesh->Y->GetItem(39));
  const double x = (7 - 19.5) * 10 / 39, y = (30 - 19.5) * 7 / 39;
  EXPECT_EQ(sinl((long double)x * y), mesh->Z->GetItem(30, 7));

  graph.Clear();
  EXPECT_EQ(0, graph.Count());
  EXPECT_EQ(MakePoint3D(-1, -1, -1), graph.DataMin);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.DataMax);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.Step);
}

TEST(XGraphContent, AddDataMakesTheClassOfTheKindWithPaletteColours) {
  TXGraph graph;
  graph.Clear();
  auto* errors = graph.AddData("e", Series3DKind);
  ASSERT_NE(nullptr, dynamic_cast<TXSeries3D*>(errors));
  EXPECT_EQ(dkErrors, errors->Opts.DrawKind);
  EXPECT_NE(nullptr, dynamic_cast<TXSeries*>(graph.AddData("s", SeriesKind)));
  EXPECT_NE(nullptr, dynamic_cast<TXMesh*>(graph.AddData("m", MeshKind)));
  EXPECT_NE(nullptr, dynamic_cast<TXField*>(graph.AddData("f", FieldKind)));
  EXPECT_THROW(graph.AddData("shape", ShapeKind), EAssertionFailed);
  EXPECT_THROW(graph.GetItem(graph.Count()), EAssertionFailed);
  EXPECT_THROW(graph.GetItem(-1), EAssertionFailed);
  auto* fifth = graph.AddData("5", SeriesKind);
  EXPECT_EQ(0x808000u, fifth->Pen.Color);
  EXPECT_EQ(0xFFFF00u, fifth->Brush.Color);
  for (int i = 0; i < 3; ++i) graph.AddData("more", SeriesKind);
  auto* ninth = graph.AddData("9", SeriesKind);
  EXPECT_EQ(PenPalette[0], ninth->Pen.Color);
  EXPECT_EQ(BrushPalette[0], ninth->Brush.Color);
}

class AutoScaleTest : public GraphTest {
protected:
  TXSeries& Bars(TBarKind kind) {
    TXSeries& bars = AddSeries({}, dkBars);
    for (int x = 1; x <= 10; ++x) bars.AddPoint(x, 1);
    bars.Opts.BarKind = kind;
    return bars;
  }
  void ExpectX(long double min, long double max) {
    graph.AutoScale();
    EXPECT_NEAR(double(min), double(graph.DataMin.X), 1e-15);
    EXPECT_NEAR(double(max), double(graph.DataMax.X), 1e-15);
  }
  void ExpectY(long double min, long double max) {
    graph.AutoScale();
    EXPECT_EQ(min, graph.DataMin.Y);
    EXPECT_EQ(max, graph.DataMax.Y);
  }
};

TEST_F(AutoScaleTest, BarsWidenByTheirAlignment) {
  TXSeries& bars = Bars(bkLeft);
  ExpectX(0.1L, 10);
  bars.Opts.BarKind = bkRight;
  ExpectX(1, 10.9L);
  bars.Opts.BarKind = bkCentre;
  ExpectX(0.55L, 10.4725L);
  graph.Options.CoordSys = csLogLin;
  ExpectX(1, 10.45L);
}

TEST_F(AutoScaleTest, WallsBarsAndStemsIncludeZero) {
  TXSeries& series = AddSeries({{1, 2}, {2, 5}});
  ExpectY(2, 5);
  for (TDrawKind kind : {dkWall, dkBars, dkStems}) {
    series.Opts.DrawKind = kind;
    ExpectY(0, 5);
  }
  graph.Clear();
  AddSeries({{1, -3}, {2, -1}}, dkStems);
  ExpectY(-3, 0);
}

TEST_F(AutoScaleTest, ErrorPlotsAndPolarRadii) {
  auto& errors = static_cast<TXSeries3D&>(*graph.AddData("e", Series3DKind));
  errors.AddPoint(0, 1, 0.25L);
  errors.AddPoint(1, 2, -0.5L);
  ExpectY(0.5L, 2.5L);
  graph.Clear();
  AddSeries({{0, -1}, {1, 3}});
  graph.Options.CoordSys = csPolar;
  ExpectY(-3, 3);
}

TEST_F(AutoScaleTest, UserAxesAndOptions) {
  AddSeries({{2, 1}, {7, 4}});
  graph.Step.X = 0.5L;
  graph.AutoScale();
  EXPECT_EQ(2, graph.Options.Min.X);
  EXPECT_EQ(7, graph.Options.Max.X);
  EXPECT_EQ(5, graph.Options.Inc.X);
  EXPECT_EQ(0.5L, graph.Step.X);  // the last rounding's step stays

  graph.Options.AutoX = false;
  graph.Options.Min.X = 0;
  graph.Options.Max.X = 10;
  graph.Options.Inc.X = 2;
  graph.AutoScale();
  EXPECT_EQ(0, graph.DataMin.X);
  EXPECT_EQ(10, graph.DataMax.X);
  EXPECT_EQ(2, graph.Step.X);
}

TEST_F(AutoScaleTest, EmptyDataSetsTakeNoPart) {
  graph.AutoScale();
  EXPECT_EQ(MakePoint3D(-1, -1, -1), graph.DataMin);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.DataMax);
  TXSeries& empty = AddSeries({});
  ExpectY(-1, 1);
  empty.Opts.DrawKind = dkBars;
  graph.AutoScale();
  EXPECT_EQ(MakePoint3D(-1, -1, -1), graph.DataMin);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.DataMax);
  AddSeries({{0, 5}, {1, 7}});
  ExpectY(5, 7);
  TXSeries& hidden = AddSeries({{0, 100}});
  hidden.Visible = false;
  ExpectY(5, 7);
}

TEST_F(AutoScaleTest, SeriesHaveNoZBounds) {
  AddSeries({{0, 5}, {1, 7}});
  graph.AutoScale();
  EXPECT_EQ(1, graph.DataMin.Z);
  EXPECT_EQ(-1, graph.DataMax.Z);
  auto& mesh = static_cast<TXMesh&>(*graph.AddData("m", MeshKind));
  mesh.SetXCount(1);
  mesh.SetYCount(2);
  mesh.SetPoint(0, 0, MakePoint3D(0, 0, 2));
  mesh.SetPoint(1, 0, MakePoint3D(0, 1, 3));
  graph.AutoScale();
  EXPECT_EQ(2, graph.DataMin.Z);
  EXPECT_EQ(3, graph.DataMax.Z);
}

class MappingTest : public GraphTest {
protected:
  const TRect r = Rect(0, 0, 300, 300);
};

TEST_F(MappingTest, LogarithmicAxes) {
  graph.Options.CoordSys = csLogLog;
  graph.DataMin = MakePoint3D(1, 1, 0);
  graph.DataMax = MakePoint3D(100, 1000, 1);
  EXPECT_EQ((TPoint{150, 100}), graph.WorldToScreen(r, 10, 100));
  EXPECT_EQ(0, graph.WorldToScreen(r, 0, 100).X);
  EXPECT_EQ(0, graph.WorldToScreen(r, 10, -5).Y);
}

TEST_F(MappingTest, Polar) {
  graph.Options.CoordSys = csPolar;
  graph.DataMin = MakePoint3D(0, -2, 0);
  graph.DataMax = MakePoint3D(1, 2, 1);
  EXPECT_EQ((TPoint{150, 0}), graph.WorldToScreen(r, Pi / 2, 2));
  EXPECT_EQ((TPoint{300, 150}), graph.WorldToScreen(r, 0, 2));
  EXPECT_EQ((TPoint{75, 150}), graph.WorldToScreen(r, Pi, 1));
  EXPECT_EQ((TPoint{0, 150}), graph.WorldToScreen(r, 0, -2));
}

TEST_F(MappingTest, LinearRoundsHalvesToEvenAndClampsFarPoints) {
  graph.DataMin = MakePoint3D(0, 0, 0);
  graph.DataMax = MakePoint3D(1, 1, 1);
  EXPECT_EQ(150, graph.WorldToScreen(Rect(0, 0, 301, 300), 0.5L, 0).X);
  EXPECT_EQ(152, graph.WorldToScreen(Rect(0, 0, 303, 300), 0.5L, 0).X);
  EXPECT_EQ(1 << 30, graph.WorldToScreen(r, 1e12L, 0).X);
  EXPECT_EQ(1 << 30, graph.WorldToScreen(r, 0, -1e12L).Y);
  EXPECT_EQ(0, graph.WorldToScreen(r, NAN, 0).X);
}

TEST(PixelRound, RoundsAsNearbyintlAndClamps) {
  for (long double v : {0.5L, 1.5L, 2.5L, -0.5L, -1.5L, -2.5L, 0.49999999999L, 1e-30L, -0.0L, 150.5L, 151.5L,
                        1073741823.5L, -1073741823.5L, 12345.678L, -98765.4321L})
    EXPECT_EQ(nearbyintl(v), RoundPixelValue(v)) << double(v);
  EXPECT_EQ(1 << 30, ClampedPixel(1e300L));
  EXPECT_EQ(-(1 << 30), ClampedPixel(-INFINITY));
  EXPECT_EQ(0, ClampedPixel(NAN));
}

class TicksTest : public GraphTest {
protected:
  struct Result {
    long double lo, hi, step;
  };
  Result Linear(long double lo, long double hi, int extent = 10000) {
    long double step = -1;
    graph.LinearTicks(lo, hi, Canvas(), extent, step);
    return {lo, hi, step};
  }
  void Expect(long double lo, long double hi, Result expected, int extent = 10000) {
    for (int sign : {1, -1}) {
      const Result r = Linear(lo, hi, sign * extent);
      EXPECT_NEAR(double(expected.lo), double(r.lo), 1e-15) << double(lo) << ".." << double(hi);
      EXPECT_NEAR(double(expected.hi), double(r.hi), 1e-15) << double(lo) << ".." << double(hi);
      EXPECT_NEAR(double(expected.step), double(r.step), 1e-15) << double(lo) << ".." << double(hi);
    }
  }
};

TEST_F(TicksTest, LinearRoundsToRoundSteps) {
  struct Case {
    long double lo, hi;
    Result expected;
  };
  const Case cases[] = {
      {0, 10, {0, 10, 1}},        {0, 5, {0, 5, 0.5L}},         {1, 7, {1, 7, 0.5L}},
      {0, 3, {0, 3, 0.25L}},      {0, 20, {0, 20, 2.5L}},       {0, 100, {0, 100, 10}},
      {-3, 7, {-3, 7, 1}},        {-1, 1, {-1, 1, 0.25L}},      {0.3L, 9.7L, {0, 10, 1}},
      {0, 9.2L, {0, 10, 1}},      {3, 3, {2, 3, 0.2L}},         {2.5L, 2.5L, {2, 3, 0.2L}},
      {-2, 3, {-2, 3, 0.5L}},     {0, 6.2831853L, {0, 7, 1}},   {-0.2L, 1.1L, {-0.25L, 1.125L, 0.125L}},
      {0, 0.1L, {0, 0.1L, 0.01L}}, {0, 0.3L, {0, 0.3L, 0.025L}}, {0, 0.5L, {0, 0.5L, 0.05L}},
      {0, 1, {0, 1, 0.1L}},
  };
  for (const Case& c : cases) Expect(c.lo, c.hi, c.expected);
}

TEST_F(TicksTest, PolarScalesAreSymmetric) {
  graph.Options.CoordSys = csPolar;
  for (auto [lo, hi] : {std::pair{-3.0L, 3.0L}, {-0.3L, 2.7L}, {-1.0L, 1.0L}}) {
    const Result r = Linear(lo, hi, -10000);
    EXPECT_EQ(-r.hi, r.lo);
  }
}

TEST_F(TicksTest, LabelsFitTheExtent) {
  const int h = TextHeight();
  EXPECT_EQ(2.5L, Linear(0, 20, 9 * (h + 10)).step);
  EXPECT_EQ(5, Linear(0, 20, 9 * (h + 10) - 1).step);
  EXPECT_EQ(5, Linear(0, 20, 5 * (h + 10)).step);
  EXPECT_EQ(10, Linear(0, 20, 5 * (h + 10) - 1).step);
  EXPECT_EQ(40, Linear(0, 20, 10).step);

  int sum = 0;
  for (int v = 0; v <= 100; v += 10) sum += TextWidth(std::to_string(v) + "    ");
  EXPECT_EQ(10, Linear(0, 100, -sum).step);
  EXPECT_EQ(20, Linear(0, 100, -(sum - 1)).step);
}

TEST_F(TicksTest, LogarithmicWholeDecades) {
  struct Case {
    long double lo, hi, expectedLo, expectedHi;
  };
  for (const Case& c : {Case{3, 250, 1, 1000}, Case{1, 1, 1, 10}, Case{100, 100, 100, 1000}}) {
    long double lo = c.lo, hi = c.hi, step = 0;
    graph.LogTicks(lo, hi, step);
    EXPECT_EQ(c.expectedLo, lo);
    EXPECT_EQ(c.expectedHi, hi);
    EXPECT_EQ(1, step);
  }
}

TEST_F(TicksTest, LabelTexts) {
  struct Case {
    long double value;
    const char* text;
  };
  for (const Case& c : {Case{2.5L, "2.5"}, Case{1.0L / 3, "0.3333"}, Case{1e-17L, "0"}, Case{-0.75L, "-0.75"},
                        Case{1e6L, "1E6"}, Case{12345, "1.235E4"}, Case{0, "0"}})
    EXPECT_EQ(c.text, graph.FormatTick(c.value));
  graph.Options.Exponent = 2;
  EXPECT_EQ("1E06", graph.FormatTick(1e6L));
}

TEST_F(TicksTest, LabelWidthIsTheWidestLabel) {
  SetBox(0, 100, 10, 1, 1000, 1);
  EXPECT_EQ(TextWidth("100"), graph.LabelWidth(Canvas(), true));
  graph.Options.CoordSys = csLinLog;
  EXPECT_EQ(TextWidth("1000"), graph.LabelWidth(Canvas(), false));
  SetBox(5, 4, 1, 0, 1, 1);
  EXPECT_EQ(0, graph.LabelWidth(Canvas(), true));
}

class MarginsTest : public GraphTest {};

TEST_F(MarginsTest, FrameAxesMakeRoomForTheLabels) {
  SetBox(0, 10, 1, 0, 5, 1);
  const int h = TextHeight();
  const TRect m = graph.MeasureMargins(Canvas(), Rect(0, 0, 500, 400));
  EXPECT_EQ(5 + graph.LabelWidth(Canvas(), false) + 5, m.Left);
  EXPECT_EQ(5, m.Top);
  EXPECT_EQ(h + 10, m.Bottom);
  EXPECT_EQ(5 + std::max(0, TextWidth("10") / 2 - 5), m.Right);
  graph.Options.LabelsX = graph.Options.LabelsY = false;
  EXPECT_EQ((TRect{5, 5, 5, 5}), graph.MeasureMargins(Canvas(), Rect(0, 0, 500, 400)));
}

TEST_F(MarginsTest, CrossingAxesKeepTheirLabelsInside) {
  graph.Options.AxesKind = akAxes;
  SetBox(-50, 50, 10, -2, 3, 1);
  EXPECT_EQ((TRect{5, 5, 5, 5}), graph.MeasureMargins(Canvas(), Rect(0, 0, 500, 400)));
  SetBox(-1, 100, 10, -2, 3, 1);
  EXPECT_EQ(5 + graph.LabelWidth(Canvas(), false) + 5, graph.MeasureMargins(Canvas(), Rect(0, 0, 500, 400)).Left);
}

TEST_F(MarginsTest, PolarHasNoLeftLabelMargin) {
  graph.Options.CoordSys = csPolar;
  SetBox(0, 0, 1, -2, 2, 0.5L);
  const TRect m = graph.MeasureMargins(Canvas(), Rect(0, 0, 500, 400));
  EXPECT_EQ(5, m.Left);
  EXPECT_EQ(5 + std::max(0, TextWidth("2") / 2 - 5), m.Right);
}

}  // namespace

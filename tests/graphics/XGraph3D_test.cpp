#include "graphics/XGraph3D.h"

#include <cmath>

#include "graphics/PlotStyles.h"
#include "runtime/Exceptions.h"
#include "tests/graphics/Graph3DFixture.h"
#include "toolkit/gdi/Font.h"

namespace {

TEST(XGraph3DContent, ANewRendererHoldsTheSincSurfaceTheDefaultViewAndOneWhiteLight) {
  TXGraph3D graph;
  ASSERT_EQ(1, graph.Count());
  const auto* mesh = dynamic_cast<const TXMesh*>(graph.GetItem(0));
  ASSERT_NE(nullptr, mesh);
  EXPECT_EQ("Sinc function", mesh->Name);
  EXPECT_EQ(40, mesh->XCount());
  EXPECT_EQ(40, mesh->YCount());
  EXPECT_EQ(rdGouraud, mesh->Opts.Renderer);
  EXPECT_EQ(shHeightColourLight, mesh->Opts.Shader);
  EXPECT_EQ(BrushPalette[0], mesh->Brush.Color);
  EXPECT_EQ(-3.5L, mesh->X->GetItem(0));
  EXPECT_EQ(3.5L, mesh->Y->GetItem(39));
  const double x = (7 - 19.5) * 7 / 39, y = (30 - 19.5) * 7 / 39, r = x * x + y * y;
  EXPECT_EQ((long double)(std::sin(r) / r), mesh->Z->GetItem(30, 7));

  EXPECT_EQ(MakePoint3D(20, 0, 330), graph.View);
  ASSERT_EQ(1u, graph.Lights.size());
  EXPECT_EQ(MakePoint3D(1, 0, 0), graph.Lights[0]->Direction);
  EXPECT_EQ(MakeRGB3(1, 1, 1), graph.Lights[0]->Color);
  EXPECT_EQ(IdentityMatrix4(), graph.Matrix);
  EXPECT_FALSE(graph.Rotating);
  EXPECT_EQ(clBlack, graph.FramePen.Color);
  EXPECT_EQ(clSilver, graph.GridPen.Color);
  EXPECT_EQ(psDot, graph.GridPen.Style);
  EXPECT_EQ(clWhite, graph.BackBrush.Color);
}

TEST(XGraph3DContent, DataSetsByKindWithPaletteColours) {
  TXGraph3D graph;
  graph.Clear();
  EXPECT_EQ(0, graph.Count());
  EXPECT_EQ(MakePoint3D(-1, -1, -1), graph.DataMin);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.DataMax);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.Step);
  EXPECT_NE(nullptr, dynamic_cast<TXSeries*>(graph.AddData("1", SeriesKind)));
  EXPECT_NE(nullptr, dynamic_cast<TXSeries3D*>(graph.AddData("2", Series3DKind)));
  EXPECT_NE(nullptr, dynamic_cast<TXMesh*>(graph.AddData("3", MeshKind)));
  EXPECT_NE(nullptr, dynamic_cast<TXShape*>(graph.AddData("4", ShapeKind)));
  auto* fifth = graph.AddData("5", FieldKind);
  EXPECT_NE(nullptr, dynamic_cast<TXField*>(fifth));
  EXPECT_EQ(0x808000u, fifth->Pen.Color);
  EXPECT_EQ(0xFFFF00u, fifth->Brush.Color);
  EXPECT_THROW(graph.AddData("6", 6), EAssertionFailed);
  EXPECT_EQ(5, graph.Count());
  EXPECT_THROW(graph.GetItem(5), EAssertionFailed);
  EXPECT_THROW(graph.GetItem(-1), EAssertionFailed);
}

TEST(XGraph3DContent, LabelsShowResiduesAsZeroAndTheOptionsDigits) {
  TXGraph3D graph;
  EXPECT_EQ("0", graph.FormatLabel(1e-17L));
  EXPECT_EQ("3.142", graph.FormatLabel(3.14159L));
  graph.Options.Mantissa = 2;
  EXPECT_EQ("3.1", graph.FormatLabel(3.14159L));
}

TEST(XGraph3DView, RotationWrapsTheAzimuthAndClampsTheElevation) {
  struct TCase {
    long double from;
    bool azimuth;
    int steps;
    long double expected;
  };
  const TCase cases[] = {
      {0, true, -1, 359.8L},  {330, true, 1800, 330}, {330, true, 150, 0},     {359.9L, true, 1, 0.1L},
      {20, false, 1000, 90},  {20, false, -1000, -90}, {20, false, 5, 21},     {90, false, 1, 90},
  };
  for (const TCase& c : cases) {
    TXGraph3D graph;
    if (c.azimuth) {
      graph.View.Z = c.from;
      graph.RotateAzimuth(c.steps);
      EXPECT_NEAR(double(c.expected), double(graph.View.Z), 1e-12) << c.from << " by " << c.steps;
      EXPECT_TRUE(graph.View.Z >= 0 && graph.View.Z < 360);
    } else {
      graph.View.X = c.from;
      graph.RotateElevation(c.steps);
      EXPECT_NEAR(double(c.expected), double(graph.View.X), 1e-12) << c.from << " by " << c.steps;
    }
  }
  TXGraph3D graph;
  graph.View = MakePoint3D(-7, 0, 12);
  graph.ResetView();
  EXPECT_EQ(MakePoint3D(20, 0, 330), graph.View);
}

TEST(XGraph3DRanges, RoundRangeMakesFiveOrMoreRoundSteps) {
  struct TCase {
    long double lo, hi;
    long double expectedLo, expectedHi, expectedStep;
  };
  const TCase cases[] = {
      {0.3L, 9.7L, 0, 10, 1},          {0, 3, 0, 3, 0.5L},         {0, 100, 0, 100, 10},
      {3, 3, 2, 3, 0.2L},              {0, 2, 0, 2, 0.25L},        {-1.5L, 1.5L, -1.5L, 1.5L, 0.5L},
      {0, 0.5L, 0, 0.5L, 0.1L},        {0, 0.1L, 0, 0.1L, 0.01L},  {-3.5L, 3.5L, -4, 4, 1},
      {-0.21713L, 0.99996L, -0.25L, 1, 0.25L},
  };
  for (const TCase& c : cases) {
    long double lo = c.lo, hi = c.hi, step = -1;
    TXGraph3D::RoundRange(lo, hi, step);
    EXPECT_NEAR(double(c.expectedLo), double(lo), 1e-15) << c.lo << " .. " << c.hi;
    EXPECT_NEAR(double(c.expectedHi), double(hi), 1e-15) << c.lo << " .. " << c.hi;
    EXPECT_NEAR(double(c.expectedStep), double(step), 1e-15) << c.lo << " .. " << c.hi;
  }
  long double lo = 0, hi = 1, step = 0;
  TXGraph3D::RoundRange(lo, hi, step);
  EXPECT_EQ(0, lo);
  EXPECT_EQ(1, hi);
}

TEST(XGraph3DRanges, RangesThatCannotBeRoundedKeepTheirEndsWithStepZero) {
  const long double big = 1e19L;
  struct TCase {
    long double lo, hi;
  };
  const TCase cases[] = {{big, nextafterl(big, 2 * big)}, {2, 1}, {0, INFINITY}, {NAN, 1}};
  for (const TCase& c : cases) {
    long double lo = c.lo, hi = c.hi, step = -1;
    TXGraph3D::RoundRange(lo, hi, step);
    EXPECT_EQ(0, step) << c.lo << " .. " << c.hi;
    EXPECT_TRUE(lo == c.lo || (std::isnan(lo) && std::isnan(c.lo)));
    EXPECT_EQ(c.hi, hi);
  }
}

class Graph3DRangesTest : public Graph3DTest {};

TEST_F(Graph3DRangesTest, ManualAxesGiveTheBoxAndStepOfTheOptionsAndLeaveThemAlone) {
  AddMesh(3, 3, [](long double x, long double y) { return x * y; });
  graph.Options.AutoX = graph.Options.AutoY = graph.Options.AutoZ = false;
  graph.Options.Min = MakePoint3D(-2, -3, 0.5L);
  graph.Options.Max = MakePoint3D(2.5L, 3, 0.7L);
  graph.Options.Inc = MakePoint3D(0.5L, 0.3L, 0.05L);
  ASSERT_TRUE(Build());
  EXPECT_EQ(MakePoint3D(-2, -3, 0.5L), graph.DataMin);
  EXPECT_EQ(MakePoint3D(2.5L, 3, 0.7L), graph.DataMax);
  EXPECT_EQ(MakePoint3D(0.5L, 0.3L, 0.05L), graph.Step);
  EXPECT_EQ(MakePoint3D(-2, -3, 0.5L), graph.Options.Min);
  EXPECT_EQ(MakePoint3D(2.5L, 3, 0.7L), graph.Options.Max);
  EXPECT_EQ(MakePoint3D(0.5L, 0.3L, 0.05L), graph.Options.Inc);
}

TEST_F(Graph3DRangesTest, AutomaticAxesWriteTheUnroundedDataRangeIntoTheOptions) {
  AddSeries3D({{0.3L, 2, -1}, {9.7L, 3, 0.5L}});
  ASSERT_TRUE(Build());
  EXPECT_EQ(MakePoint3D(0.3L, 2, -1), graph.Options.Min);
  EXPECT_EQ(MakePoint3D(9.7L, 3, 0.5L), graph.Options.Max);
  EXPECT_EQ(MakePoint3D(9.7L - 0.3L, 1, 1.5L), graph.Options.Inc);
  EXPECT_EQ(MakePoint3D(0, 2, -1), graph.DataMin);
  EXPECT_EQ(MakePoint3D(10, 3, 0.5L), graph.DataMax);
  EXPECT_EQ(1, graph.Step.X);
}

TEST_F(Graph3DRangesTest, DataSetsWithoutBoundsTakeNoPart) {
  graph.AddData("empty series", Series3DKind);
  graph.AddData("empty mesh", MeshKind);
  graph.ComputeRanges();
  EXPECT_EQ(MakePoint3D(-1, -1, -1), graph.DataMin);
  EXPECT_EQ(MakePoint3D(1, 1, 1), graph.DataMax);

  auto& flat = static_cast<TXSeries&>(*graph.AddData("2D", SeriesKind));
  flat.AddPoint(3, 4);
  flat.AddPoint(5, 8);
  graph.ComputeRanges();
  EXPECT_EQ(MakePoint3D(3, 4, -1), graph.DataMin) << "a 2D series has no z";
  EXPECT_EQ(MakePoint3D(5, 8, 1), graph.DataMax);

  AddSeries3D({{4, 6, 10}, {4, 6, 12}});
  auto& hidden = AddSeries3D({{-100, -100, -100}});
  hidden.Visible = false;
  graph.ComputeRanges();
  EXPECT_EQ(MakePoint3D(3, 4, 10), graph.DataMin);
  EXPECT_EQ(MakePoint3D(5, 8, 12), graph.DataMax);
}

class Graph3DProjectionTest : public Graph3DTest {
protected:
  Graph3DProjectionTest() { graph.SetDefaultContent(); }
  TRealPoint Unscaled(int corner) {
    TXVertex& v = *graph.GetVertex(corner);
    EXPECT_TRUE(graph.Project(v, plot, false));
    return v.Screen;
  }
};

TEST_F(Graph3DProjectionTest, StraightOnTheBoxIsSeenFromTheFrontInPerspective) {
  SetView(0, 0);
  ASSERT_TRUE(Build());
  EXPECT_EQ(IdentityMatrix4(), graph.Matrix);
  EXPECT_EQ(MakeScreenPoint(-1.25L, -0.625L), Unscaled(4));
  const TRealPoint six = Unscaled(6);
  EXPECT_NEAR(0.833333, double(six.X), 1e-6);
  EXPECT_NEAR(-0.416667, double(six.Y), 1e-6);
  EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 5}), BackFaces());
}

TEST_F(Graph3DProjectionTest, TheDefaultViewProjectsTheCornersAndFindsTheBackFaces) {
  ASSERT_TRUE(Build());
  const double x[8] = {-1.414967, 0.470788, 1.238472, -0.283536, -1.522869, 0.516205, 1.320357, -0.299401};
  const double y[8] = {0.616353, 1.205256, 0.312476, 0.002044, -0.384231, -0.003721, -0.575141, -0.766490};
  EXPECT_EQ((std::vector<int>{2, 3, 4}), BackFaces());
  for (int i = 0; i < 8; ++i) {
    const TRealPoint p = Unscaled(i);
    EXPECT_NEAR(x[i], double(p.X), 1e-6) << "corner " << i;
    EXPECT_NEAR(y[i], double(p.Y), 1e-6) << "corner " << i;
  }
  EXPECT_NEAR(-1.522869, double(graph.ViewMin.X), 1e-6);
  EXPECT_NEAR(-0.766490, double(graph.ViewMin.Y), 1e-6);
  EXPECT_NEAR(1.320357, double(graph.ViewMax.X), 1e-6);
  EXPECT_NEAR(1.205256, double(graph.ViewMax.Y), 1e-6);
}

TEST_F(Graph3DProjectionTest, BackFacesFromAboveBelowAndBehind) {
  struct TCase {
    long double elevation, azimuth;
    std::vector<int> back;
  };
  const TCase cases[] = {{90, 0, {0, 1, 2, 3, 4}}, {-20, 330, {2, 3, 5}}, {0, 180, {0, 1, 3, 4, 5}}};
  for (const TCase& c : cases) {
    SetView(c.elevation, c.azimuth);
    ASSERT_TRUE(Build());
    EXPECT_EQ(c.back, BackFaces()) << "view " << c.elevation << ", " << c.azimuth;
  }
}

TEST_F(Graph3DProjectionTest, LayoutFitsTheBoxIntoTheRectangleLessAMargin) {
  ASSERT_TRUE(Build());
  EXPECT_EQ(Rect(5, 5, 635, 475), plot);
  const TPoint corners[8] = {{29, 335}, {447, 475}, {617, 262}, {280, 188}, {5, 96}, {457, 187}, {635, 51}, {276, 5}};
  ASSERT_EQ(8, graph.BoxVertexCount);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(corners[i], ScreenPointToPoint(graph.GetVertex(i)->Screen)) << "corner " << i;
  EXPECT_NEAR(343.130, double(graph.ScreenCentre.X), 5e-4);
  EXPECT_NEAR(199.820, double(graph.ScreenCentre.Y), 5e-4);

  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-13);
  bitmap.Canvas().Font().Assign(font);
  graph.Options.Title = "Title";
  ASSERT_TRUE(Build());
  EXPECT_EQ(Rect(5, 5 + bitmap.Canvas().TextHeight("Title") + 5, 635, 475), plot);
}

}  // namespace

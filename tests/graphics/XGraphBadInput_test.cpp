// Data and scales a script can produce that must neither hang nor fail a
// pass (this program runs under a short time limit).

#include <cmath>

#include "tests/graphics/GraphFixture.h"
#include "tests/graphics/SamplePlots.h"

namespace {

class BadInputTest : public GraphTest {
protected:
  void PaintsWithoutError() { EXPECT_NO_THROW(Paint()); }
  TXSeries& Add(std::uint8_t style, std::initializer_list<std::pair<long double, long double>> points) {
    TXSeries& series = SamplePlots::AddSeries(graph, "s", style);
    for (const auto& [x, y] : points) series.AddPoint(x, y);
    return series;
  }
};

TEST_F(BadInputTest, EmptyDataSetsAloneAndBesideData) {
  for (bool besideData : {false, true}) {
    for (std::uint8_t style = 0; style <= 9; ++style) {
      graph.Clear();
      if (besideData) Add(0, {{0, 1}, {2, 3}});
      Add(style, {});
      graph.AddData("errors", Series3DKind);
      graph.AddData("field", FieldKind);
      graph.Options.Legend = true;
      PaintsWithoutError();
      EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false)) << int(style);
    }
  }
}

TEST_F(BadInputTest, ValuesThatAreNotFinite) {
  for (std::uint8_t style = 0; style <= 9; ++style) {
    graph.Clear();
    Add(style, {{NAN, NAN}, {NAN, 1}});
    PaintsWithoutError();
    graph.Clear();
    Add(style, {{0, 1}, {1, INFINITY}, {2, -INFINITY}, {INFINITY, 2}, {3, 2}});
    PaintsWithoutError();
    EXPECT_EQ(0, graph.DataMin.X);
    EXPECT_LE(graph.DataMax.X, 4);  // bars widen by their alignment
  }
  graph.Clear();
  auto& errors = static_cast<TXSeries3D&>(*graph.AddData("e", Series3DKind));
  errors.AddPoint(1, 1, NAN);
  errors.AddPoint(2, NAN, 1);
  errors.AddPoint(3, 1, 0.5L);
  auto& field = static_cast<TXField&>(*graph.AddData("f", FieldKind));
  field.SetCount(2);
  field.SetPoint(0, MakePoint3D(1, 1, 0));
  field.SetVector(0, MakePoint3D(NAN, INFINITY, 0));
  field.SetPoint(1, MakePoint3D(NAN, 1, 0));
  PaintsWithoutError();
}

TEST_F(BadInputTest, UserStepsAndRanges) {
  Add(0, {{0, 1}, {2, 3}});
  for (long double step : {0.0L, -1.0L, (long double)NAN}) {
    SetUserScale(0, 2, step, 0, 3, step);
    PaintsWithoutError();
  }
  SetUserScale(5, 5, 1, 0, 3, 1);
  EXPECT_FALSE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
  SetUserScale(2, 0, 1, 3, 0, 1);
  PaintsWithoutError();
  graph.Options.AutoX = graph.Options.AutoY = true;
  graph.Options.CoordSys = csPolar;
  SetUserScale(0, 1, 1, 0, 0, 1);
  EXPECT_FALSE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
}

TEST_F(BadInputTest, ConstantAndHugeData) {
  Add(0, {{1, 100}, {2, 100}});
  graph.Options.CoordSys = csLogLog;
  EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
  EXPECT_EQ(100, graph.DataMin.Y);
  EXPECT_EQ(1000, graph.DataMax.Y);

  graph.Clear();
  graph.Options.CoordSys = csLinear;
  Add(0, {{1e19L, 1e19L}, {1e19L + 1, 1e19L + 1}});
  PaintsWithoutError();
  graph.Clear();
  Add(0, {{1e25L, 1e25L}, {1e25L, 1e25L}});
  EXPECT_FALSE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false));
}

TEST_F(BadInputTest, FarWallsAndBarsStopAtTheFrame) {
  SetUserScale(0, 6, 1, 0, 4, 1);
  TXSeries& wall = Add(8, {{1, 1e10L}, {2, -1e10L}, {3, 2}});
  TXSeries& bars = Add(9, {{4, 1e10L}, {5, -1e10L}});
  ASSERT_TRUE(Paint());
  const TRect f = Frame();
  const TRect inside = Rect(f.Left + 1, f.Top + 1, f.Right, f.Bottom);
  for (TColor colour : {wall.Brush.Color, bars.Brush.Color}) {
    EXPECT_GT(Count(colour, inside), 100);
    EXPECT_EQ(Count(colour, Rect(0, 0, 640, 480)), Count(colour, inside));
  }
}

TEST_F(BadInputTest, HeightsScalesWithoutUsableSteps) {
  auto& mesh = static_cast<TXMesh&>(*graph.AddData("m", MeshKind));
  mesh.Opts.Shader = shHeightColour;
  graph.Options.HeightsBar = true;
  graph.Options.AutoZ = false;
  graph.Options.Min.Z = 0;
  graph.Options.Max.Z = 1;
  graph.Options.Inc.Z = 0;
  PaintsWithoutError();
  graph.Options.Max.Z = 1e9L;
  graph.Options.Inc.Z = 1;
  PaintsWithoutError();
  graph.Options.AutoZ = true;
  mesh.SetXCount(1);
  mesh.SetYCount(2);
  mesh.SetPoint(0, 0, MakePoint3D(0, 0, 0));
  mesh.SetPoint(1, 0, MakePoint3D(0, 1, 1e9L));
  graph.Step.Z = 1;
  EXPECT_GT(graph.LegendWidth(Canvas()), 0);
  PaintsWithoutError();
}

TEST_F(BadInputTest, ZeroLengthArrows) {
  TXData field("f", FieldKind);
  EXPECT_NO_THROW(graph.DrawArrow(Canvas(), field, 8, 2, {20, 20}, {20, 20}));
  EXPECT_EQ(TRect{}, Ink(Rect(0, 0, 640, 480)));
}

}  // namespace

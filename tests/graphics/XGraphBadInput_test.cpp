// Data and scales a script can produce that must neither hang nor fail a
// pass (this program runs under a short time limit).

#include <cmath>
#include <functional>

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

// Meshes a script can make, painted in every way a mesh is drawn.
class BadMeshTest : public BadInputTest {
protected:
  // Point (r, c) is (x(c), r, z(r, c)).
  TXMesh& AddMesh(int rows, int cols, const std::function<long double(int, int)>& z,
                  const std::function<long double(int)>& x = [](int c) { return c; }) {
    TXMesh& mesh =
        SamplePlots::AddMesh(graph, "m", rows, cols, [&](int r, int c) { return MakePoint3D(x(c), r, z(r, c)); });
    mesh.Pen.Style = psSolid;
    return mesh;
  }
  // Markers, flat and smooth cells, contour lines and filled contours.
  void PaintsEveryWay(TXMesh& mesh) {
    struct Way {
      TDrawKind kind;
      TRenderer renderer;
      TBrushStyle brush;
    };
    const Way ways[] = {{dkScatter, rdFlat, bsSolid},
                        {dkSurface, rdFlat, bsSolid},
                        {dkSurface, rdGouraud, bsSolid},
                        {dkContour, rdFlat, bsClear},
                        {dkContour, rdFlat, bsSolid}};
    for (const Way& way : ways) {
      mesh.Opts.DrawKind = way.kind;
      mesh.Opts.Renderer = way.renderer;
      mesh.Brush.Style = way.brush;
      for (std::uint8_t shader : {shColour, shColourHeight, shHeightColour}) {
        mesh.Opts.Shader = TShader(shader);
        PaintsWithoutError();
      }
    }
  }
};

TEST_F(BadMeshTest, MeshesWithoutCells) {
  for (const auto& [rows, cols] : {std::pair{0, 0}, {1, 7}, {7, 1}, {1, 1}, {0, 5}}) {
    graph.Clear();
    PaintsEveryWay(AddMesh(rows, cols, [](int r, int c) { return r + c; }));
  }
}

TEST_F(BadMeshTest, HeightsThatAreNotFinite) {
  const std::function<long double(int, int)> heights[] = {
      [](int, int) { return (long double)NAN; },
      [](int r, int c) { return (r + c) % 3 == 0 ? (long double)NAN : r * c; },
      [](int r, int c) { return r == 2 && c == 3 ? (long double)INFINITY : r == 4 ? -(long double)INFINITY : r - c; },
  };
  for (const auto& height : heights) {
    graph.Clear();
    PaintsEveryWay(AddMesh(6, 6, height));
  }
  graph.Clear();
  AddMesh(6, 6, [](int r, int c) { return r * c; }, [](int c) { return c == 2 ? (long double)NAN : c; });
  PaintsEveryWay(static_cast<TXMesh&>(*graph.GetItem(0)));
}

// X = {1, 3, 2} runs back: contour ends fall off the frame and are closed directly.
TEST_F(BadMeshTest, XValuesThatRunBack) {
  TXMesh& mesh = AddMesh(
      5, 3, [](int r, int c) { return r * r + c; }, [](int c) { return c == 1 ? 3 : c + 1; });
  mesh.Opts.DrawKind = dkContour;
  mesh.Brush.Style = bsSolid;
  PaintsWithoutError();
  EXPECT_FALSE(graph.Levels.empty());
  PaintsEveryWay(mesh);
}

TEST_F(BadMeshTest, ZStepsWithoutLevels) {
  TXMesh& mesh = AddMesh(6, 6, [](int r, int c) { return (r * c) / 25.0L; });
  graph.Options.AutoZ = false;
  graph.Options.Min.Z = 0;
  graph.Options.Max.Z = 1;
  for (long double step : {0.0L, -1.0L, (long double)NAN, 1e-9L}) {
    graph.Options.Inc.Z = step;
    PaintsEveryWay(mesh);
    EXPECT_TRUE(graph.Levels.empty()) << double(step);
  }
}

TEST_F(BadMeshTest, ConstantAndHugeHeights) {
  PaintsEveryWay(AddMesh(6, 6, [](int, int) { return 3.0L; }));
  graph.Clear();
  PaintsEveryWay(AddMesh(6, 6, [](int r, int c) { return (r + c) % 2 ? 1e19L : 1e19L + 1; }));
}

TEST_F(BadInputTest, ZeroLengthArrows) {
  TXData field("f", FieldKind);
  EXPECT_NO_THROW(graph.DrawArrow(Canvas(), field, 8, 2, {20, 20}, {20, 20}));
  EXPECT_EQ(TRect{}, Ink(Rect(0, 0, 640, 480)));
}

}  // namespace

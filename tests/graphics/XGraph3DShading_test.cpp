#include <cmath>

#include "graphics/XGraph3D.h"
#include "tests/graphics/Graph3DFixture.h"

namespace {

// A vertex at the view-space origin shaded with the default light, in a
// box whose z runs from 0 to 1, so that the height is the fraction t.
class Graph3DShadeVertexTest : public Graph3DTest {
protected:
  Graph3DShadeVertexTest() {
    graph.DataMin.Z = 0;
    graph.DataMax.Z = 1;
  }
  TColor Shade(std::uint8_t shader, TColor brush, const TPoint3D& normal, long double height = 0) {
    TXSeries3D data("data");
    data.Opts.Shader = TShader(shader);
    data.Brush.Color = brush;
    TXVertex v(MakePoint3D(0, 0, 0));
    graph.ShadeVertex(v, data, normal, height);
    return v.Color;
  }
};

TEST_F(Graph3DShadeVertexTest, EachShaderColoursByItsRule) {
  struct TCase {
    std::uint8_t shader;
    TColor brush;
    TPoint3D normal;
    long double height;
    TColor expected;
  };
  const TColor green = RGB(100, 200, 50);
  const TCase cases[] = {
      {0, clRed, {1, 0, 0}, 0, RGB(255, 0, 0)},
      {0, clBtnFace, {0, 0, 1}, 0.5L, ColorToRGB(clBtnFace)},
      {1, clRed, {1, 0, 0}, 0, RGB(255, 204, 204)},
      {1, clRed, {-1, 0, 0}, 0, RGB(51, 0, 0)},
      {1, clRed, {0, 0, 0}, 0, RGB(255, 0, 0)},
      {2, green, {0, 0, 0}, 0, RGB(30, 60, 15)},
      {2, green, {1, 0, 0}, 0, RGB(255, 255, 245)},
      {2, green, {0, -1, 0}, 0, RGB(210, 240, 195)},
      {3, clRed, {0, 0, 0}, 0, RGB(51, 0, 0)},
      {3, clRed, {0, 0, 0}, 0.5L, RGB(255, 0, 0)},
      {3, clRed, {0, 0, 0}, 1, RGB(255, 204, 204)},
      {4, clRed, {0, 0, 0}, 0, RGB(51, 0, 255)},
      {4, green, {0, 0, 0}, 0.5L, RGB(0, 255, 64)},
      {4, clRed, {0, 0, 0}, 1, RGB(255, 77, 0)},
      {4, clRed, {0, 0, 0}, -1, RGB(255, 0, 0)},
      {4, clRed, {0, 0, 0}, 2, RGB(255, 0, 0)},
      {5, green, {1, 0, 0}, 0, RGB(102, 0, 255)},
      {6, clRed, {1, 0, 0}, 0, RGB(255, 0, 0)},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(c.expected, Shade(c.shader, c.brush, c.normal, c.height))
        << "shader " << int(c.shader) << ", normal (" << c.normal.X << ", " << c.normal.Y << ", " << c.normal.Z
        << "), height " << c.height;
}

TEST_F(Graph3DShadeVertexTest, LightsAddUpAndTheSumClamps) {
  graph.AddLight(MakePoint3D(2, 0, 0), MakeRGB3(1, 1, 1));
  EXPECT_EQ(RGB(255, 255, 255), Shade(1, clRed, MakePoint3D(1, 0, 0)));
}

TEST_F(Graph3DShadeVertexTest, HeightShadersTakeTheBottomWhenTheBoxHasNoHeight) {
  graph.DataMax.Z = graph.DataMin.Z;
  EXPECT_EQ(RGB(51, 0, 0), Shade(3, clRed, {}, 7));
  EXPECT_EQ(RGB(51, 0, 255), Shade(4, clRed, {}, 7));
}

TEST(XGraph3DShading, FaceNormalIsTheUnitCrossOfTheTwoEdges) {
  EXPECT_EQ(MakePoint3D(0, 0, -1),
            TXGraph3D::FaceNormal(MakePoint3D(0, 0, 0), MakePoint3D(1, 0, 0), MakePoint3D(0, 1, 0)));
  EXPECT_EQ(MakePoint3D(0, 0, 1),
            TXGraph3D::FaceNormal(MakePoint3D(0, 0, 0), MakePoint3D(0, 3, 0), MakePoint3D(2, 0, 0)));
}

class Graph3DSceneShadingTest : public Graph3DTest {
protected:
  TColor ColourOfPoint(int index) {
    for (int i = graph.BoxVertexCount; i < graph.VertexCount(); ++i)
      if (graph.GetVertex(i)->Index == index) return graph.GetVertex(i)->Color;
    ADD_FAILURE() << "no vertex for point " << index;
    return 0;
  }
};

TEST_F(Graph3DSceneShadingTest, ScatterPointsAreLitFromStraightUp) {
  auto& series = AddSeries3D({{0, 0, 0}, {0.5L, -0.5L, 0.25L}, {-1, 1, 1}});
  series.Opts.Shader = shSimpleLighting;
  series.Brush.Color = clRed;
  ASSERT_TRUE(Build());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(RGB(255, 0, 0), ColourOfPoint(i)) << "point " << i;
}

// Seen straight on, with a light from below and shader 1, so that a
// vertex's colour tells its normal.
class Graph3DMeshNormalsTest : public Graph3DSceneShadingTest {
protected:
  Graph3DMeshNormalsTest() {
    SetView(0, 0);
    ManualBox(-1, 1);
    graph.Lights[0]->Direction = MakePoint3D(0, 0, -1);
  }
  TXMesh& Lit(TXMesh& mesh) {
    mesh.Opts.Shader = shSimpleLighting;
    mesh.Brush.Color = RGB(100, 200, 50);
    return mesh;
  }
};

TEST_F(Graph3DMeshNormalsTest, AFlatMeshFacesDownAlongItsRows) {
  Lit(AddMesh(3, 3, [](long double, long double) { return 0; }));
  ASSERT_TRUE(Build());
  ASSERT_EQ(8 + 9, graph.VertexCount());
  for (int i = 0; i < 9; ++i) EXPECT_EQ(RGB(224, 245, 214), ColourOfPoint(i)) << "point " << i;
}

TEST_F(Graph3DMeshNormalsTest, ALonePointHasNoNormal) {
  Lit(AddMesh(1, 1, [](long double, long double) { return 0; }));
  ASSERT_TRUE(Build());
  EXPECT_EQ(RGB(102, 204, 51), ColourOfPoint(0));
}

TEST_F(Graph3DMeshNormalsTest, AVertexWithoutNeighboursInTheBoxKeepsTheBrushColour) {
  // The four neighbours of the centre lie above the box; the corners stay.
  Lit(AddMesh(3, 3, [](long double x, long double y) { return (x == 0) != (y == 0) ? 5 : 0; }));
  ASSERT_TRUE(Build());
  ASSERT_EQ(8 + 5, graph.VertexCount());
  EXPECT_EQ(RGB(100, 200, 50), ColourOfPoint(4));
}

}  // namespace

#include <cmath>

#include "graphics/XGraph3D.h"
#include "runtime/Exceptions.h"
#include "tests/graphics/Graph3DFixture.h"

namespace {

// Every build is checked for the depth order: far to near, and equal
// depths in build order.
class Graph3DSceneTest : public Graph3DTest {
protected:
  bool BuildScene() {
    const bool built = Build();
    for (std::size_t i = 1; i < graph.Elements.size(); ++i) {
      const TXElem& before = *graph.Elements[i - 1];
      const TXElem& after = *graph.Elements[i];
      EXPECT_TRUE(std::isfinite(after.Depth()));
      EXPECT_GE(before.Depth(), after.Depth()) << "element " << i;
      if (before.Depth() == after.Depth()) {
        EXPECT_LT(before.Sequence, after.Sequence) << "element " << i;
      }
    }
    return built;
  }
  int Polygons() const { return CountPolygons(3) + CountPolygons(4); }
};

TEST_F(Graph3DSceneTest, NoDataSetsNoScene) {
  EXPECT_FALSE(BuildScene());
  EXPECT_EQ(0, graph.VertexCount());
  EXPECT_TRUE(graph.Elements.empty());
  EXPECT_TRUE(graph.BoxFaces.empty());
}

TEST_F(Graph3DSceneTest, TheDefaultSurfaceAtTheDefaultView) {
  graph.SetDefaultContent();
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(MakePoint3D(-4, -4, -0.25L), graph.DataMin);
  EXPECT_EQ(MakePoint3D(4, 4, 1), graph.DataMax);
  EXPECT_EQ(MakePoint3D(1, 1, 0.25L), graph.Step);
  EXPECT_EQ(8 + 1600, graph.VertexCount());
  EXPECT_EQ(8, graph.BoxVertexCount);
  EXPECT_EQ(graph.ToViewBox(graph.DataMax), graph.GetVertex(6)->Point);
  EXPECT_EQ(39 * 40 + 39, graph.GetVertex(8 + 1599)->Index);
  EXPECT_EQ(1615u, graph.Elements.size());
  EXPECT_EQ(1427, CountPolygons(4));
  EXPECT_EQ(188, CountPolygons(3));
  EXPECT_EQ(485, CountNotFacing(4));
  EXPECT_EQ(94, CountNotFacing(3));
}

TEST_F(Graph3DSceneTest, TheDefaultSurfaceFromBelowAndFromAbove) {
  graph.SetDefaultContent();
  SetView(-20, 330);
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(1620, Polygons());
  EXPECT_EQ(198, CountPolygons(3));
  EXPECT_EQ(1000, CountNotFacing(3) + CountNotFacing(4));
  SetView(90, 0);
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(1521, CountPolygons(4));
  EXPECT_EQ(1521, Polygons());
  EXPECT_EQ(0, CountNotFacing(4));
}

TEST_F(Graph3DSceneTest, AFlatMeshFacesTheViewerFromAboveAndNotFromBelow) {
  AddMesh(5, 5, [](long double, long double) { return 0; });
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(16, CountPolygons(4));
  EXPECT_EQ(16, Polygons());
  EXPECT_EQ(0, CountNotFacing(4));
  SetView(-20, 330);
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(16, CountPolygons(4));
  EXPECT_EQ(16, CountNotFacing(4));
}

TEST_F(Graph3DSceneTest, APointOutsideTheBoxOrNotFiniteLeavesAHoleOfFourCells) {
  for (long double centre : {2.0L, (long double)NAN}) {
    graph.Clear();
    AddMesh(5, 5, [centre](long double x, long double y) { return x == 0 && y == 0 ? centre : 0; });
    ManualBox(-1, 1);
    ASSERT_TRUE(BuildScene());
    EXPECT_EQ(8 + 24, graph.VertexCount()) << centre;
    EXPECT_EQ(12, Polygons()) << centre;
  }
}

TEST_F(Graph3DSceneTest, MeshesOfOneRowOrColumnHaveVerticesOnly) {
  for (const auto& [rows, cols] : {std::pair{1, 6}, std::pair{6, 1}}) {
    graph.Clear();
    AddMesh(rows, cols, [](long double x, long double y) { return x + y; });
    ASSERT_TRUE(BuildScene());
    EXPECT_EQ(8 + 6, graph.VertexCount()) << rows << " x " << cols;
    EXPECT_TRUE(graph.Elements.empty()) << rows << " x " << cols;
  }
}

TEST_F(Graph3DSceneTest, AMeshOfScatterPointsHasOneMarkerPerPoint) {
  TXMesh& mesh = AddMesh(3, 4, [](long double x, long double y) { return x * y; });
  mesh.Opts.DrawKind = dkScatter;
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(12u, graph.Elements.size());
  for (const TXElem* e : graph.Elements) {
    EXPECT_EQ(TXElem::LineKind, e->Kind);
    EXPECT_EQ(1, e->Count());
  }
}

TEST_F(Graph3DSceneTest, StemsStandOnTheFloorAndTakeTheirPointsColour) {
  auto& series = AddSeries3D({{0, 0, 0}, {0.5L, 0.5L, 1}, {-0.5L, 0.5L, -1}});
  series.Opts.DrawKind = dkStems;
  series.Opts.Shader = shHeightColour;
  graph.Options.AutoZ = false;
  graph.Options.Min.Z = -0.5L;
  graph.Options.Max.Z = 1;
  ASSERT_TRUE(BuildScene());
  ASSERT_EQ(3u, graph.Elements.size());
  for (int i = 0; i < 3; ++i) {
    const TXElem* e = series.GetElem(i);
    ASSERT_NE(nullptr, e);
    ASSERT_EQ(2, e->Count());
    const TXVertex& point = *e->GetVertex(0);
    const TXVertex& foot = *e->GetVertex(1);
    const TPoint3D p = MakePoint3D(series.X->GetItem(i), series.Y->GetItem(i), -0.5L);
    EXPECT_EQ(graph.ToViewBox(p), foot.Point) << "point " << i;
    EXPECT_EQ(point.Color, foot.Color) << "point " << i;
    EXPECT_EQ(i, foot.Index);
  }
  EXPECT_FALSE(series.GetElem(2)->Facing) << "the point below the floor lies outside the box";
}

TEST_F(Graph3DSceneTest, SeriesPointsOutsideTheBoxAndBehindTheEye) {
  auto& series = AddSeries3D({{0, 0, 0}, {0, 2, 0}, {0.5L, 0, 0}, {0, -10, 0}, {0, 0.5L, 0.5L}, {NAN, 0, 0}});
  ManualBox(-1, 1);
  SetView(0, 0);
  ASSERT_TRUE(BuildScene());
  ASSERT_EQ(4u, graph.Elements.size());
  const bool inside[] = {true, false, true};
  for (int i = 0; i < 3; ++i) {
    ASSERT_NE(nullptr, series.GetElem(i));
    EXPECT_EQ(inside[i], series.GetElem(i)->Facing) << "point " << i;
    EXPECT_EQ(i, series.GetElem(i)->Index);
  }
  EXPECT_EQ(nullptr, series.GetElem(3)) << "behind the eye";
  EXPECT_NE(nullptr, series.GetElem(4));
  EXPECT_EQ(nullptr, series.GetElem(5)) << "not a number";
}

TEST_F(Graph3DSceneTest, FieldArrowsStartInsideTheBox) {
  auto& field = static_cast<TXField&>(*graph.AddData("field", FieldKind));
  field.SetCount(2);
  field.SetPoint(0, MakePoint3D(0, 0, 0));
  field.SetVector(0, MakePoint3D(3, 0, 0));
  field.SetPoint(1, MakePoint3D(2, 0, 0));
  field.SetVector(1, MakePoint3D(0, 1, 0));
  ManualBox(-1, 1);
  ASSERT_TRUE(BuildScene());
  ASSERT_EQ(1u, graph.Elements.size());
  const TXElem& arrow = *graph.Elements[0];
  EXPECT_EQ(0, arrow.Index);
  ASSERT_EQ(2, arrow.Count());
  EXPECT_EQ(graph.ToViewBox(MakePoint3D(3, 0, 0)), arrow.GetVertex(1)->Point);
}

TEST_F(Graph3DSceneTest, ShapeFacesWithIndicesOutsideTheVerticesAreLeftOut) {
  auto& cube = static_cast<TXShape&>(*graph.AddData("cube", ShapeKind));
  for (int k = 0; k < 8; ++k) cube.AddVertex(k & 1, (k >> 1) & 1, (k >> 2) & 1);
  const TXFace faces[] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
  for (const TXFace& f : faces) cube.AddFace(f.V1, f.V2, f.V3, f.V4);
  cube.AddFace(0, 1, 8, -1);
  cube.AddFace(0, 1, 2, 8);
  cube.AddFace(-2, 1, 2, 3);
  for (TShader shader : {shColour, shSimpleLighting}) {
    cube.Opts.Shader = shader;
    ASSERT_NO_THROW(ASSERT_TRUE(BuildScene()));
    EXPECT_EQ(6, CountPolygons(4));
    EXPECT_EQ(6, Polygons());
  }
}

// The face through the vertex outside the box is not drawn, so its
// normal does not light the vertices it shares with the face that is.
TEST_F(Graph3DSceneTest, ShapeVerticesOutsideTheBoxDropTheirFaces) {
  auto& shape = static_cast<TXShape&>(*graph.AddData("shape", ShapeKind));
  shape.AddVertex(0, 0, 0);
  shape.AddVertex(1, 0, 0);
  shape.AddVertex(0, 1, 0);
  shape.AddFace(0, 1, 2, -1);
  shape.Opts.Shader = shRealLighting;
  ManualBox(-1, 1);
  ASSERT_TRUE(BuildScene());
  const TColor alone = shape.GetVertexObj(0)->Color;
  shape.AddVertex(5, 5, 5);
  shape.AddFace(0, 3, 1, -1);
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(nullptr, shape.GetVertexObj(3));
  EXPECT_EQ(1, CountPolygons(3));
  EXPECT_EQ(1u, graph.Elements.size());
  EXPECT_EQ(alone, shape.GetVertexObj(0)->Color);
}

TEST_F(Graph3DSceneTest, A2DSeriesAddsNothing) {
  auto& flat = static_cast<TXSeries&>(*graph.AddData("2D", SeriesKind));
  flat.AddPoint(0, 0);
  flat.AddPoint(1, 1);
  ASSERT_TRUE(BuildScene());
  EXPECT_TRUE(graph.Elements.empty());
  EXPECT_EQ(8, graph.VertexCount());
}

TEST_F(Graph3DSceneTest, HiddenDataSetsAddNothing) {
  AddMesh(3, 3, [](long double, long double) { return 0; }).Visible = false;
  AddSeries3D({{0, 0, 0}});
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(1u, graph.Elements.size());
}

TEST_F(Graph3DSceneTest, FarSquaresComeFirst) {
  TXShape& red = AddSquare(0.5L, clRed);
  TXShape& blue = AddSquare(-0.5L, clBlue);
  ManualBox(-1, 1);
  SetView(0, 0);
  ASSERT_TRUE(BuildScene());
  ASSERT_EQ(2u, graph.Elements.size());
  EXPECT_EQ(&red, graph.Elements[0]->Data);
  EXPECT_EQ(&blue, graph.Elements[1]->Data);
  EXPECT_EQ(0.5L, graph.Elements[0]->Depth());
  EXPECT_EQ(-0.5L, graph.Elements[1]->Depth());
  EXPECT_EQ(1, TXGraph3D::CompareDepth(*graph.Elements[1], *graph.Elements[0]));
  EXPECT_EQ(-1, TXGraph3D::CompareDepth(*graph.Elements[0], *graph.Elements[1]));
  EXPECT_EQ(0, TXGraph3D::CompareDepth(*graph.Elements[0], *graph.Elements[0]));
  SetView(0, 180);
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(&blue, graph.Elements[0]->Data);
  EXPECT_EQ(&red, graph.Elements[1]->Data);
}

// Enough of them for the sort to partition rather than insert.
TEST_F(Graph3DSceneTest, EqualDepthsKeepTheirBuildOrder) {
  std::vector<const TXShape*> squares;
  for (int i = 0; i < 50; ++i) squares.push_back(&AddSquare(0, i % 2 ? clRed : clBlue));
  ManualBox(-1, 1);
  SetView(0, 0);
  ASSERT_TRUE(BuildScene());
  ASSERT_EQ(50u, graph.Elements.size());
  for (std::size_t i = 0; i < 50; ++i) EXPECT_EQ(squares[i], graph.Elements[i]->Data) << i;
}

TEST_F(Graph3DSceneTest, ARebuildReusesTheStorageOfTheLastScene) {
  graph.SetDefaultContent();
  ASSERT_TRUE(BuildScene());
  const TXVertex* firstData = graph.GetVertex(8);
  const TXVertex* lastData = graph.GetVertex(graph.VertexCount() - 1);
  graph.RotateAzimuth(10);
  ASSERT_TRUE(BuildScene());
  EXPECT_EQ(firstData, graph.GetVertex(8));
  EXPECT_EQ(lastData, graph.GetVertex(graph.VertexCount() - 1));
}

TEST(XElem, DepthIsTheFarthestVertexAndAnEmptyElementHasNone) {
  TXVertex near(MakePoint3D(0, -1, 0)), far(MakePoint3D(0, 2, 0)), middle(MakePoint3D(5, 1, 5));
  TXElem elem(TXElem::PolygonKind, nullptr);
  EXPECT_THROW(elem.Depth(), EAssertionFailed);
  elem.AddVertex(&near);
  elem.AddVertex(&far);
  elem.AddVertex(&middle);
  EXPECT_EQ(2, elem.Depth());
  elem.AddVertex(&near);
  EXPECT_THROW(elem.AddVertex(&near), EAssertionFailed);
  EXPECT_THROW(elem.GetVertex(4), EAssertionFailed);
}

}  // namespace

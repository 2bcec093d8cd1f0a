// Meshes in the 2D renderer: the contour tracer, contour plots of the
// paraboloid, and heights maps of cells and markers.

#include <cmath>
#include <functional>
#include <set>
#include <vector>

#include "Numerics/Matrix.h"
#include "engine/MessageChannel.h"
#include "runtime/Vector.h"
#include "tests/engine/KindsFixture.h"
#include "tests/graphics/GraphFixture.h"
#include "tests/graphics/SamplePlots.h"

namespace {

using TSegments = std::vector<std::pair<TPoint, TPoint>>;

CountedPtr<IVector> VectorOf(std::initializer_list<long double> values) {
  CountedPtr<IVector> v = MakeCounted<TVector>();
  for (long double x : values) v->Append(x);
  return v;
}

TSegments SegmentsOf(const TXCLevel& level) {
  TSegments segments;
  for (const TXSegment& s : level.Segments) segments.push_back({s.P1, s.P2});
  return segments;
}

// One cell over x, y = 0 .. 1 on the scale box 0 .. 1 and R = (0, 0, 100, 100),
// so that W(x, y) = (100x, 100 - 100y).
class TracerTest : public GraphTest {
protected:
  TracerTest() {
    graph.DataMin = MakePoint3D(0, 0, 0);
    graph.DataMax = MakePoint3D(1, 1, 1);
  }
  // The levels, coloured red, green, blue, ...
  void SetLevels(const std::vector<long double>& levels) {
    graph.Levels.clear();
    const TColor colours[] = {clRed, clGreen, clBlue, clYellow};
    for (long double v : levels) {
      graph.Levels.push_back(std::make_unique<TXCLevel>(v));
      graph.Levels.back()->Color = colours[(graph.Levels.size() - 1) % 4];
    }
    z = MakeCounted<TVector>();
    for (long double v : levels) z->Append(v);
  }
  // Corners in the order T[0, 0], T[1, 0], T[1, 1], T[0, 1].
  CountedPtr<IMatrix> Cell(long double t00, long double t10, long double t11, long double t01) {
    CountedPtr<IMatrix> m = MakeCounted<TMatrix>(2, 2);
    m->SetItem(0, 0, t00);
    m->SetItem(1, 0, t10);
    m->SetItem(1, 1, t11);
    m->SetItem(0, 1, t01);
    return m;
  }
  void Trace(const IMatrix& m, bool drawNow = false, int iLow = 0, int iHigh = 1, int jLow = 0, int jHigh = 1) {
    graph.TraceContours(m, iLow, drawNow, Canvas(), R, *z, *ys, *xs, jHigh, jLow, iHigh);
  }

  const TRect R = Rect(0, 0, 100, 100);
  CountedPtr<IVector> z;
  CountedPtr<IVector> xs = VectorOf({0, 1});
  CountedPtr<IVector> ys = VectorOf({0, 1});
};

TEST_F(TracerTest, SegmentsOfOneCell) {
  struct Case {
    long double corners[4];
    std::vector<long double> levels;
    std::vector<TSegments> expected;
  };
  const Case cases[] = {
      // a saddle whose centre lies above the level: the negative corners are cut off
      {{3, -1, 3, -1}, {0}, {{{{75, 75}, {75, 100}}, {{100, 75}, {75, 75}}, {{25, 25}, {25, 0}}, {{0, 25}, {25, 25}}}}},
      // centre below: the positive corners (0, 0) and (1, 1) are cut off
      {{1, -3, 1, -3}, {0}, {{{{25, 100}, {25, 75}}, {{75, 25}, {100, 25}}, {{75, 0}, {75, 25}}, {{25, 75}, {0, 75}}}}},
      // a level at the lowest corners is not traced, one at the highest is: the top edge
      {{0, 0, 2, 2}, {0, 2}, {{}, {{{0, 0}, {100, 0}}}}},
      // the row y = 0.5, in two segments through the centre
      {{0, 1, 2, 3}, {1.5L}, {{{{50, 50}, {100, 50}}, {{50, 50}, {0, 50}}}}},
  };
  for (const Case& c : cases) {
    SetLevels(c.levels);
    Trace(*Cell(c.corners[0], c.corners[1], c.corners[2], c.corners[3]));
    for (std::size_t k = 0; k < c.levels.size(); ++k)
      EXPECT_EQ(c.expected[k], SegmentsOf(*graph.GetLevel(int(k)))) << double(c.corners[0]) << " level " << k;
  }
}

TEST_F(TracerTest, TheSaddleJoinsAlongTheFrame) {
  SetLevels({0});
  Trace(*Cell(3, -1, 3, -1));
  TXCLevel& level = *graph.GetLevel(0);
  level.BuildContours(R);
  ASSERT_EQ(2, level.ContourCount());
  const auto points = level.GetContour(0).Points();
  EXPECT_EQ((std::vector<TPoint>{{100, 75}, {75, 75}, {75, 100}, {100, 100}, {100, 75}}),
            std::vector<TPoint>(points.begin(), points.end()));
  EXPECT_THROW(graph.GetLevel(1), EAssertionFailed);
}

TEST_F(TracerTest, DrawnAtOnceBothEndsTakeTheLevelColour) {
  SetLevels({0, 2});
  Trace(*Cell(3, -1, 3, -1), true);
  EXPECT_EQ(0, graph.GetLevel(0)->SegmentCount());
  for (TPoint end : {TPoint{75, 75}, TPoint{75, 100}, TPoint{100, 75}, TPoint{25, 25}, TPoint{25, 0}, TPoint{0, 25}})
    EXPECT_EQ(clRed, At(end.X, end.Y)) << end.X << "," << end.Y;
  Trace(*Cell(0, 0, 2, 2), true);
  EXPECT_EQ(clGreen, At(0, 0));
  EXPECT_EQ(clGreen, At(100, 0));
  EXPECT_EQ(clWhite, At(50, 50));
}

TEST_F(TracerTest, IndicesOutsideTheMatrixAreReportedAndClamped) {
  auto sink = MakeCounted<TRecordingSink>();
  SetMessageSink(sink);
  SetLevels({0.5L});
  Trace(*Cell(0, 0, 1, 1), false, -1, 2, -1, 2);
  SetMessageSink(nullptr);
  const std::vector<std::string> errors = sink->ErrorTexts();
  const std::set<std::string> texts(errors.begin(), errors.end());
  EXPECT_EQ((std::set<std::string>{"Index \"i\" is below : 0", "Index \"i\" is above : 1", "Index \"j\" is below : 0",
                                   "Index \"j\" is above : 1"}),
            texts);
}

TEST_F(TracerTest, CellsBeyondTheVectorsOrWithValuesNotFiniteAreLeftOut) {
  SetLevels({0.5L});
  CountedPtr<IMatrix> wide = MakeCounted<TMatrix>(3, 2);
  for (int i = 0; i < 3; ++i) {
    wide->SetItem(i, 0, i % 2);
    wide->SetItem(i, 1, i % 2);
  }
  Trace(*wide, false, 0, 2);  // x has two values: the second cell has none
  const int oneCell = graph.GetLevel(0)->SegmentCount();
  EXPECT_GT(oneCell, 0);
  xs = VectorOf({0, 1, 2});
  SetLevels({0.5L});
  Trace(*wide, false, 0, 2);
  EXPECT_EQ(2 * oneCell, graph.GetLevel(0)->SegmentCount());
  for (long double bad : {(long double)NAN, (long double)INFINITY, -(long double)INFINITY}) {
    SetLevels({0.5L});
    wide->SetItem(2, 1, bad);
    Trace(*wide, false, 0, 2);
    EXPECT_EQ(oneCell, graph.GetLevel(0)->SegmentCount()) << double(bad);
    wide->SetItem(2, 1, 0);
    SetLevels({0.5L});
    xs->SetItem(2, bad);
    Trace(*wide, false, 0, 2);
    EXPECT_EQ(oneCell, graph.GetLevel(0)->SegmentCount()) << double(bad);
    xs->SetItem(2, 2);
  }
  SetLevels({0.5L});
  Trace(*MakeCounted<TMatrix>(1, 2), false, -5, 5, -5, 5);
  EXPECT_EQ(0, graph.GetLevel(0)->SegmentCount());
}

TEST(XGraphContours, CompareContoursOrdersByNesting) {
  TXCLevel owner(0);
  TXContour a(&owner), b(&owner);
  a.Nesting = 2;
  b.Nesting = 2;
  EXPECT_EQ(0, TXGraph::CompareContours(&a, &b));
  EXPECT_EQ(0, TXGraph::CompareContours(nullptr, &b));
  EXPECT_EQ(0, TXGraph::CompareContours(&a, nullptr));
  b.Nesting = 1;
  EXPECT_EQ(1, TXGraph::CompareContours(&a, &b));
  EXPECT_EQ(-1, TXGraph::CompareContours(&b, &a));
}

class ParaboloidTest : public GraphTest {
protected:
  ParaboloidTest() : mesh(SamplePlots::Paraboloid(graph)) {}
  // The pixel box of the mesh, the frame its contours close along.
  TRect Box() {
    const TPoint a = W(-2, 2), b = W(2, -2);
    return Rect(a.X, a.Y, b.X, b.Y);
  }
  TColor LevelColour(int k) { return graph.HeightColor(mesh.Brush.Color, shHeightColour, k); }
  // The contours of a level with more than two points.
  std::vector<const TXContour*> LongContours(int k) {
    std::vector<const TXContour*> found;
    for (const auto& c : graph.GetLevel(k - 1)->Contours) {
      if (c->Count() > 2) {
        found.push_back(c.get());
        continue;
      }
      EXPECT_EQ(2, c->Count()) << "level " << k;
      EXPECT_TRUE(c->IsClosed()) << "level " << k;
    }
    return found;
  }
  // How far p lies from the ellipse W(r cos t, r sin t), in pixels.
  long double DistanceToEllipse(TPoint p, long double r) {
    const TRect plot = Plot();
    const long double sx = (plot.Right - plot.Left) / 4.0L, sy = (plot.Bottom - plot.Top) / 4.0L;
    const long double cx = plot.Left + 2 * sx, cy = plot.Bottom - 2 * sy;
    long double best = 1e9L;
    for (int step = 0; step < 3600; ++step) {
      const long double t = step * 6.283185307179586L / 3600;
      best = std::min(best, hypotl(cx + r * cosl(t) * sx - p.X, cy - r * sinl(t) * sy - p.Y));
    }
    return best;
  }

  TXMesh& mesh;
};

TEST_F(ParaboloidTest, LevelsAreTheZTicksInsideTheScale) {
  ASSERT_TRUE(Paint());
  EXPECT_EQ(0, graph.DataMin.Z);
  EXPECT_EQ(8, graph.DataMax.Z);
  ASSERT_EQ(7u, graph.Levels.size());
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(k, graph.GetLevel(k - 1)->Level);
    EXPECT_EQ(LevelColour(k), graph.GetLevel(k - 1)->Color);
    // Lines are drawn at once: no segments kept.
    EXPECT_EQ(0, graph.GetLevel(k - 1)->SegmentCount());
  }
  for (int k = 1; k <= 3; ++k) {
    const long double r = sqrtl(k);
    for (TPoint p : {W(r, 0), W(-r, 0), W(0, r), W(0, -r)}) EXPECT_TRUE(Near(p, LevelColour(k), 1)) << k;
  }
  EXPECT_EQ(clWhite, At(W(0.2L, 0.3L).X, W(0.2L, 0.3L).Y));
}

TEST_F(ParaboloidTest, InnerLevelsCloseByJoiningOuterOnesAlongTheFrame) {
  mesh.Brush.Style = bsSolid;
  ASSERT_TRUE(Paint());
  const TRect box = Box();
  const std::set<std::pair<int, int>> corners = {
      {box.Left, box.Top}, {box.Right, box.Top}, {box.Left, box.Bottom}, {box.Right, box.Bottom}};
  for (int k = 1; k <= 4; ++k) {
    const std::vector<const TXContour*> rings = LongContours(k);
    ASSERT_EQ(1u, rings.size()) << "level " << k;
    EXPECT_TRUE(rings[0]->IsClosed());
    for (TPoint p : rings[0]->Points()) {
      EXPECT_EQ(0u, corners.count({p.X, p.Y})) << "level " << k;
      if (k <= 3) {
        EXPECT_LE(DistanceToEllipse(p, sqrtl(k)), 1.5L) << "level " << k << " at " << p.X << "," << p.Y;
      }
    }
  }
  for (int k = 5; k <= 7; ++k) {
    const std::vector<const TXContour*> arcs = LongContours(k);
    ASSERT_EQ(4u, arcs.size()) << "level " << k;
    for (const TXContour* arc : arcs) {
      // Joined into an open arc, then closed through the corner between its ends' sides.
      const auto points = arc->Points();
      const std::size_t n = points.size();
      ASSERT_GE(n, 4u);
      EXPECT_EQ(points.front(), points.back());
      const int first = TXContour::SideOf(points.front(), box), last = TXContour::SideOf(points[n - 3], box);
      ASSERT_GE(first, 0);
      ASSERT_GE(last, 0);
      EXPECT_EQ(1, std::abs(first - last) % 2) << "sides " << first << " and " << last;
      const TPoint corner{first == 0 || last == 0 ? box.Left : box.Right, first == 1 || last == 1 ? box.Bottom : box.Top};
      EXPECT_EQ(corner, points[n - 2]);
      for (std::size_t i = 1; i + 2 < n; ++i) EXPECT_EQ(0u, corners.count({points[i].X, points[i].Y}));
    }
  }
}

TEST_F(ParaboloidTest, FilledBandsPaintOutermostFirst) {
  mesh.Brush.Style = bsSolid;
  ASSERT_TRUE(Paint());
  const TPoint centre = W(0, 0), a = W(1.2L, 0), b = W(1.6L, 0);
  EXPECT_EQ(LevelColour(1), At(centre.X, centre.Y));
  EXPECT_EQ(LevelColour(2), At(a.X, a.Y));
  EXPECT_EQ(LevelColour(3), At(b.X, b.Y));
  const TRect box = Box();
  for (TPoint p : {TPoint{box.Left + 2, box.Top + 2}, TPoint{box.Right - 2, box.Top + 2},
                   TPoint{box.Left + 2, box.Bottom - 2}, TPoint{box.Right - 2, box.Bottom - 2}})
    EXPECT_EQ(LevelColour(7), At(p.X, p.Y)) << p.X << "," << p.Y;
  // Between the radius-2 circle and the level-5 arcs the closing leaves background.
  const TPoint between = W(1.55L, 1.55L);
  EXPECT_EQ(clWhite, At(between.X, between.Y));

  Clear(clWhite);
  graph.Options.BlackWhite = true;
  EXPECT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), true));
  EXPECT_EQ(clWhite, At(centre.X, centre.Y));
  EXPECT_GT(Count(clBlack, Rect(box.Left + 1, box.Top + 1, box.Right, box.Bottom)), 500);
}

TEST_F(ParaboloidTest, NoContoursOnLogarithmicOrPolarScales) {
  // Bounds only grow: empty them, then move the mesh to x, y = 1 .. 5.
  mesh.Min = MakePoint3D(1, 1, 1);
  mesh.Max = MakePoint3D(0, 0, 0);
  for (int i = 0; i <= 40; ++i)
    for (int j = 0; j <= 40; ++j) {
      const TPoint3D p = mesh.GetPoint(i, j);
      mesh.SetPoint(i, j, MakePoint3D(p.X + 3, p.Y + 3, p.Z));
    }
  for (TCoordSys system : {csLogLog, csPolar, csLinLog}) {
    graph.Options.CoordSys = system;
    Clear(clWhite);
    ASSERT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), false)) << int(system);
    EXPECT_GT(Count(clBlack, Rect(0, 0, 640, 480)), 1000) << int(system);
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(0, Count(LevelColour(k), Rect(0, 0, 640, 480))) << int(system);
  }
}

class HeightsMapTest : public GraphTest {
protected:
  HeightsMapTest() { graph.Options.GridX = graph.Options.GridY = false; }
  // A 5 x 5 mesh over x, y = 0 .. 4 drawn as smooth cells in height colours, without outlines.
  TXMesh& AddMesh(const std::function<long double(int, int)>& height) {
    TXMesh& mesh =
        SamplePlots::AddMesh(graph, "m", 5, 5, [&](int r, int c) { return MakePoint3D(c, r, height(c, r)); });
    mesh.Opts.DrawKind = dkSurface;
    mesh.Opts.Renderer = rdGouraud;
    mesh.Opts.Shader = shHeightColour;
    return mesh;
  }
  void SetZScale(long double min, long double max, long double inc) {
    graph.Options.AutoZ = false;
    graph.Options.Min.Z = min;
    graph.Options.Max.Z = max;
    graph.Options.Inc.Z = inc;
  }
  TColor PixelAt(long double x, long double y) {
    const TPoint p = W(x, y);
    return At(p.X, p.Y);
  }
  static long double Slope(int x, int y) { return x * 0.3L + y * y * 0.1L; }
};

TEST_F(HeightsMapTest, SmoothCellsTakeEachGridPointsColourAtItsPixel) {
  TXMesh& mesh = AddMesh(Slope);
  ASSERT_TRUE(Paint());
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(graph.HeightColor(mesh.Brush.Color, shHeightColour, Slope(c, r)), PixelAt(c, r)) << c << "," << r;
}

TEST_F(HeightsMapTest, FlatCellsTakeTheColourOfTheirMeanHeight) {
  TXMesh& mesh = AddMesh(Slope);
  mesh.Opts.Renderer = rdFlat;
  ASSERT_TRUE(Paint());
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const long double mean = (Slope(c, r) + Slope(c + 1, r) + Slope(c + 1, r + 1) + Slope(c, r + 1)) * 0.25L;
      EXPECT_EQ(graph.HeightColor(mesh.Brush.Color, shHeightColour, mean), PixelAt(c + 0.5L, r + 0.5L)) << c << "," << r;
    }
  Clear(clWhite);
  mesh.Opts.Shader = shColour;
  mesh.Opts.Renderer = rdGouraud;
  ASSERT_TRUE(Paint());
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(mesh.Brush.Color, PixelAt(c + 0.5L, r + 0.5L)) << c << "," << r;
}

TEST_F(HeightsMapTest, APointOutsideTheZRangeLeavesItsCellsOut) {
  AddMesh([](int x, int y) { return x == 2 && y == 2 ? 10 : 0.5L; });
  SetZScale(0, 1, 0.25L);
  ASSERT_TRUE(Paint());
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      const bool cut = (c == 1 || c == 2) && (r == 1 || r == 2);
      EXPECT_EQ(cut, PixelAt(c + 0.5L, r + 0.5L) == clWhite) << c << "," << r;
    }
}

TEST_F(HeightsMapTest, MarkersForEachInsidePoint) {
  TXMesh& mesh = AddMesh([](int x, int y) { return x == 1 && y == 3 ? -7 : Slope(x, y); });
  mesh.Opts.DrawKind = dkScatter;
  SetZScale(0, 3, 0.5L);
  ASSERT_TRUE(Paint());
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) {
      const TColor expected =
          c == 1 && r == 3 ? clWhite : graph.HeightColor(mesh.Brush.Color, shHeightColour, Slope(c, r));
      EXPECT_EQ(expected, PixelAt(c, r)) << c << "," << r;
    }
  // Markers of pen width 1: 3 x 3 pixels, nothing between the points.
  EXPECT_EQ(clWhite, PixelAt(0.5L, 0.5L));
}

TEST_F(HeightsMapTest, TheDefaultContentCoversItsBox) {
  graph.SetDefaultContent();
  graph.Options.GridX = graph.Options.GridY = true;
  ASSERT_TRUE(Paint());
  const TPoint a = W(-5, 3.5L), b = W(5, -3.5L);
  const TRect box = Rect(a.X, a.Y, b.X + 1, b.Y + 1);
  EXPECT_EQ(0, Count(clWhite, box));
  EXPECT_EQ(0, Count(clSilver, box));
  graph.Options.AxesInFront = true;
  ASSERT_TRUE(Paint());
  EXPECT_GT(Count(clSilver, box), 100);
}

TEST_F(HeightsMapTest, GrayscaleExportGreysOnlyTheBaseColourShaders) {
  TXMesh& shaded = AddMesh(Slope);
  shaded.Opts.Shader = shColourHeight;
  graph.Options.BlackWhite = true;
  ASSERT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), true));
  for (int c = 0; c < 5; ++c) {
    const TColor colour = PixelAt(c, 2);
    EXPECT_TRUE(GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour)) << c;
  }
  shaded.Opts.Shader = shHeightColour;
  ASSERT_TRUE(graph.Draw(Canvas(), Rect(0, 0, 640, 480), true));
  graph.Grayscale = false;
  for (int c = 0; c < 5; ++c) EXPECT_EQ(graph.HeightColor(shaded.Brush.Color, shHeightColour, Slope(c, 2)), PixelAt(c, 2));
}

}  // namespace

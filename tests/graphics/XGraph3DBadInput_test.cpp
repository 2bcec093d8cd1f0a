// Ranges, data, rectangles and views that give no sensible picture: a
// build returns at once, throws nothing, and leaves no element with a
// depth that is not finite.

#include <climits>
#include <cmath>
#include <functional>

#include "graphics/XGraph3D.h"
#include "tests/graphics/Graph3DFixture.h"
#include "tests/runtime/TempFolder.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/qt/QtDialogs.h"

namespace {

class Graph3DBadInputTest : public Graph3DTest {
protected:
  Graph3DBadInputTest() { AddMesh(4, 4, [](long double x, long double y) { return x * y; }); }
  void ManualX(long double min, long double max) {
    graph.Options.AutoX = false;
    graph.Options.Min.X = min;
    graph.Options.Max.X = max;
  }
  // Builds without throwing; every element lies at a finite depth.
  bool BuildSafely() {
    bool built = false;
    EXPECT_NO_THROW(built = Build());
    for (const TXElem* e : graph.Elements) EXPECT_TRUE(std::isfinite(e->Depth()));
    if (!built) {
      EXPECT_TRUE(graph.Elements.empty());
      EXPECT_EQ(0, graph.VertexCount());
    }
    return built;
  }
};

TEST_F(Graph3DBadInputTest, RangesWithoutWidthDrawNothing) {
  struct TCase {
    const char* name;
    std::function<void()> set;
  };
  const TCase cases[] = {
      {"manual Min = Max", [this] { ManualX(2, 2); }},
      {"infinite manual Max", [this] { ManualX(0, INFINITY); }},
      {"not a number as manual Min", [this] { ManualX(NAN, 1); }},
      {"a constant height near 1e25, whose unit range has no width",
       [this] {
         graph.Clear();
         AddMesh(2, 2, [](long double, long double) { return 1e25L; });
       }},
  };
  for (const TCase& c : cases) {
    graph.Options = TXGOptions();
    AxesOff(graph);
    c.set();
    EXPECT_FALSE(BuildSafely()) << c.name;
  }
}

TEST_F(Graph3DBadInputTest, AReversedManualRangeMirrorsTheBoxWithNothingInside) {
  ManualX(1, -1);
  graph.Options.Inc.X = 0.5L;
  EXPECT_TRUE(BuildSafely());
  EXPECT_TRUE(graph.Elements.empty());
  EXPECT_EQ(8, graph.VertexCount());
}

TEST_F(Graph3DBadInputTest, ExtremeData) {
  struct TCase {
    const char* name;
    std::initializer_list<TPoint3D> points;
  };
  const TCase cases[] = {
      {"1e19 and the next real", {{1e19L, 0, 0}, {nextafterl(1e19L, INFINITY), 1, 1}}},
      {"+-1e300", {{-1e300L, 0, 1e300L}, {1e300L, 1e300L, -1e300L}, {0, 0, 0}}},
      {"+-1e4900", {{-1e4900L, 0, 0}, {1e4900L, 1, 1}}},
      {"not a number", {{NAN, 0, 0}, {0, NAN, 1}, {1, 1, NAN}, {0.5L, 0.5L, 0.5L}}},
  };
  for (const TCase& c : cases) {
    graph.Clear();
    AddSeries3D(c.points);
    BuildSafely();
    graph.Options.AutoX = graph.Options.AutoY = graph.Options.AutoZ = false;
    BuildSafely();
    graph.Options = TXGOptions();
    AxesOff(graph);
  }
}

TEST_F(Graph3DBadInputTest, AnEmptyLitMeshBuildsWithoutAFault) {
  for (TShader shader : {shSimpleLighting, shRealLighting, shHeightColourLight}) {
    graph.Clear();
    AddMesh(2, 2, [](long double x, long double y) { return x + y; });
    graph.AddData("empty", MeshKind)->Opts.Shader = shader;
    BuildSafely();
  }
}

TEST_F(Graph3DBadInputTest, RectanglesWithoutRoomDrawNothing) {
  for (const TRect& r : {Rect(0, 0, 1, 1), Rect(0, 0, 10, 10), Rect(0, 0, 640, 10), Rect(100, 100, 0, 0)}) {
    bool built = true;
    EXPECT_NO_THROW(built = Build(r));
    EXPECT_FALSE(built) << r.Right - r.Left << " x " << r.Bottom - r.Top;
    EXPECT_TRUE(graph.Elements.empty());
  }
  EXPECT_TRUE(Build(Rect(0, 0, 11, 11)));
  graph.Options.Title = "a title taller than the rectangle";
  EXPECT_FALSE(Build(Rect(0, 0, 640, 12)));
}

TEST_F(Graph3DBadInputTest, ExtremeViews) {
  for (long double elevation : {90.0L, -90.0L}) {
    SetView(elevation, 0);
    EXPECT_TRUE(BuildSafely()) << elevation;
  }
  graph.RotateAzimuth(INT_MAX);
  EXPECT_TRUE(graph.View.Z >= 0 && graph.View.Z < 360);
  graph.RotateAzimuth(INT_MIN);
  EXPECT_TRUE(graph.View.Z >= 0 && graph.View.Z < 360);
  graph.RotateElevation(INT_MIN);
  EXPECT_EQ(-90, graph.View.X);
  EXPECT_TRUE(BuildSafely());
  SetView(NAN, 0);
  EXPECT_FALSE(BuildSafely());
}

// Painting, copying and saving, with the axes and legend on, return at
// once and throw nothing whatever the steps, ranges, points and views.
TEST_F(Graph3DBadInputTest, PaintingAndExportReturnAtOnce) {
  struct TCase {
    std::string name;
    std::function<void()> set;
  };
  std::vector<TCase> cases;
  for (int axis = 0; axis < 3; ++axis)
    for (long double step : {0.0L, -1.0L, (long double)NAN})
      cases.push_back({"axis " + std::to_string(axis) + " step " + std::to_string(double(step)), [this, axis, step] {
                         graph.Options.AutoX = graph.Options.AutoY = graph.Options.AutoZ = false;
                         graph.Options.Min = MakePoint3D(-1, -1, -1);
                         graph.Options.Max = MakePoint3D(1, 1, 1);
                         (axis == 0 ? graph.Options.Inc.X : axis == 1 ? graph.Options.Inc.Y : graph.Options.Inc.Z) = step;
                       }});
  cases.push_back({"10^9 ticks", [this] {
                     ManualX(0, 1);
                     graph.Options.Inc.X = 1e-9L;
                   }});
  cases.push_back({"Min = Max", [this] { ManualX(2, 2); }});
  cases.push_back({"points near the eye and at 1e300", [this] {
                     ManualBox(-1, 1);
                     SetView(0, 0);
                     TXSeries3D& series = AddSeries3D({{0, -4.9999999L, 0}, {0, -5, 0}, {1e300L, 0, 0}, {0, 0, 1e300L}});
                     series.Opts.DrawKind = dkStems;
                   }});
  cases.push_back({"a legend wider than the rectangle", [this] {
                     graph.Options.Legend = true;
                     graph.GetItem(0)->Name = std::string(200, 'w');
                   }});
  cases.push_back({"elevation 90", [this] { SetView(90, 0); }});
  cases.push_back({"elevation -90", [this] { SetView(-90, 0); }});
  TMemoryClipboardStore store;
  SetClipboardStore(&store);
  TempFolder folder;
  for (const TCase& c : cases) {
    graph.Clear();
    AddMesh(4, 4, [](long double x, long double y) { return x * y; });
    graph.Options = TXGOptions();
    graph.Options.HeightsBar = true;
    graph.View = MakePoint3D(20, 0, 330);
    c.set();
    EXPECT_NO_THROW(graph.PaintTo(bitmap.Canvas(), Rect(0, 0, 640, 480))) << c.name;
    for (std::uint8_t format : {0, 1, 2}) {
      graph.Options.ExportFormat = format;
      EXPECT_NO_THROW(graph.CopyToClipboard(Rect(0, 0, 640, 480))) << c.name << ", format " << int(format);
      EXPECT_NO_THROW(graph.SaveToFile(folder / "x", Rect(0, 0, 640, 480))) << c.name << ", format " << int(format);
    }
  }
  SetClipboardStore(&QtClipboardStore());
}

}  // namespace

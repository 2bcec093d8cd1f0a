// Axes on the 3D box: ticks on every edge, the outline edge each axis is
// drawn on, what a pass draws of them (counted in a metafile of the pass),
// captions, and the layout's room for labels. The default content at the
// default view, 640 x 480, Courier New of -13.

#include <algorithm>
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "graphics/XGraph3D.h"
#include "tests/graphics/MetafileProbe.h"
#include "tests/graphics/SampleScenes3D.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

using MetafileProbe::CountTexts;
using MetafileProbe::TText;

class Graph3DAxesTest : public testing::Test {
protected:
  Graph3DAxesTest() : bitmap(640, 480, pf32bit) {
    SampleScenes3D::UseCourier(graph);
    bitmap.Canvas().Font().Assign(graph.Font);
  }

  bool Build() {
    TRect plot = Rect(0, 0, 640, 480);
    return graph.Build(bitmap.Canvas(), plot);
  }
  std::vector<std::uint8_t> Pass() {
    return MetafileProbe::RecordEmf([this](TCanvas& c) { graph.Draw(c, Rect(0, 0, 640, 480)); });
  }
  std::vector<TText> Texts() { return MetafileProbe::Texts(Pass()); }
  TRealPoint Screen(int vertex) const { return graph.GetVertex(vertex)->Screen; }
  // The axis's chosen edge runs between these two box corners.
  void ExpectEdgeBetween(const TXAxis* axis, int from, int to) const {
    ASSERT_TRUE(axis && axis->Edge);
    EXPECT_EQ(Screen(from), axis->Edge->FirstVertex()->Screen);
    EXPECT_EQ(Screen(to), axis->Edge->LastVertex()->Screen);
  }
  void LabelsOnly(int axis) {
    graph.Options.LabelsX = axis == 0;
    graph.Options.LabelsY = axis == 1;
    graph.Options.LabelsZ = axis == 2;
  }
  void GridsOnly(int axis) {
    graph.Options.GridX = axis == 0;
    graph.Options.GridY = axis == 1;
    graph.Options.GridZ = axis == 2;
  }
  int TextWidth(const std::string& text) { return bitmap.Canvas().TextWidth(text); }

  TXGraph3D graph;
  TBitmap bitmap;
};

TEST_F(Graph3DAxesTest, EveryEdgeOfAnAxisHoldsItsTicks) {
  ASSERT_TRUE(Build());
  ASSERT_TRUE(graph.AxisX && graph.AxisY && graph.AxisZ);
  EXPECT_EQ(9u, graph.AxisX->Ticks.size());
  EXPECT_EQ(-4, graph.AxisX->Ticks.front());
  EXPECT_EQ(4, graph.AxisX->Ticks.back());
  EXPECT_EQ(6u, graph.AxisZ->Ticks.size());
  EXPECT_EQ(-0.25L, graph.AxisZ->Ticks.front());
  for (const TXAxis* axis : {graph.AxisX.get(), graph.AxisY.get(), graph.AxisZ.get()})
    for (const auto& edge : axis->Edges) EXPECT_EQ(int(axis->Ticks.size()), edge->Count());
  EXPECT_EQ(8 + 4 * (9 + 9 + 6), graph.BoxVertexCount);

  graph.Options.LabelsZ = graph.Options.GridZ = false;
  ASSERT_TRUE(Build());
  EXPECT_EQ(80, graph.BoxVertexCount);
  EXPECT_FALSE(graph.AxisZ);
}

// x on corners 0-1 with labels below, y on 1-2 with labels to the right,
// z on 0-4 with labels to the left.
TEST_F(Graph3DAxesTest, EachAxisIsDrawnOnItsOutlineEdgeWithLabelsOutside) {
  struct TCase {
    int axis, from, to;
    const char* side;
  };
  for (const TCase& c : {TCase{0, 0, 1, "below"}, TCase{1, 1, 2, "right"}, TCase{2, 0, 4, "left"}}) {
    LabelsOnly(c.axis);
    const std::vector<TText> texts = Texts();
    ASSERT_TRUE(Build());
    const TXAxis* axis = c.axis == 0 ? graph.AxisX.get() : c.axis == 1 ? graph.AxisY.get() : graph.AxisZ.get();
    ExpectEdgeBetween(axis, c.from, c.to);
    const TRealPoint a = Screen(c.from), b = Screen(c.to);
    ASSERT_EQ(c.axis == 2 ? 6u : 7u, texts.size()) << c.side;
    // The edge's y at a text's middle column, and its x at the text's middle row.
    for (const TText& t : texts) {
      const long double middleX = t.At.X + TextWidth(t.Text) / 2.0L;
      const long double middleY = t.At.Y + bitmap.Canvas().TextHeight(t.Text) / 2.0L;
      const long double edgeY = a.Y + (b.Y - a.Y) * (middleX - a.X) / (b.X - a.X);
      const long double edgeX = a.X + (b.X - a.X) * (middleY - a.Y) / (b.Y - a.Y);
      if (c.axis == 0) {
        EXPECT_GT(t.At.Y, edgeY) << t.Text;
      } else if (c.axis == 1) {
        EXPECT_GT(t.At.X, edgeX) << t.Text;
      } else {
        EXPECT_LT(t.At.X + TextWidth(t.Text), edgeX) << t.Text;
      }
    }
  }
}

TEST_F(Graph3DAxesTest, APassDrawsGridsOnTheBackWallsTickMarksAndInnerLabels) {
  const std::vector<std::uint8_t> pass = Pass();
  const std::map<int, int> lines = MetafileProbe::LinesByPenStyle(pass);
  EXPECT_EQ(36, lines.at(PS_DOT)) << "grid lines";
  EXPECT_EQ(18, lines.at(PS_SOLID)) << "tick marks";
  const std::vector<TText> texts = MetafileProbe::Texts(pass);
  for (const char* label : {"-3", "-2", "-1", "2", "3"}) EXPECT_EQ(2, CountTexts(texts, label)) << label;
  for (const char* label : {"-0.25", "0.25", "0.5", "0.75"}) EXPECT_EQ(1, CountTexts(texts, label)) << label;
  for (const char* label : {"0", "1"}) EXPECT_EQ(3, CountTexts(texts, label)) << label << " on x, y and z";
  EXPECT_EQ(0, CountTexts(texts, "4")) << "end ticks of x and y sit at box corners";
  EXPECT_EQ(20u, texts.size());
  // The layout leaves room for every label inside the picture.
  for (const TText& t : texts) {
    EXPECT_GE(t.At.X, 0) << t.Text;
    EXPECT_LE(t.At.X + TextWidth(t.Text), 640) << t.Text;
    EXPECT_GE(t.At.Y, 0) << t.Text;
    EXPECT_LE(t.At.Y + bitmap.Canvas().TextHeight(t.Text), 480) << t.Text;
  }

  const int perAxis[3] = {14, 14, 8};  // x: floor and y = max; y: floor and x = min; z: those two walls
  for (int axis = 0; axis < 3; ++axis) {
    GridsOnly(axis);
    EXPECT_EQ(perAxis[axis], MetafileProbe::LinesByPenStyle(Pass())[PS_DOT]) << "axis " << axis;
  }
}

TEST_F(Graph3DAxesTest, TheLastTickIsKeptDespiteTheRunningSum) {
  graph.Options.AutoX = graph.Options.AutoY = graph.Options.AutoZ = false;
  graph.Options.Min = MakePoint3D(0, 0, 0);
  graph.Options.Max = MakePoint3D(1, 1, 1);
  graph.Options.Inc = MakePoint3D(0.2L, 0.2L, 0.2L);
  graph.Options.LabelsY = false;
  ASSERT_TRUE(Build());
  ASSERT_EQ(6u, graph.AxisX->Ticks.size());
  EXPECT_NEAR(1, double(graph.AxisX->Ticks.back()), 1e-15);
  const std::vector<TText> texts = Texts();
  EXPECT_EQ(4 + 6u, texts.size()) << "four inner x labels, all six of z";
  EXPECT_EQ(1, CountTexts(texts, "0"));
  EXPECT_EQ(1, CountTexts(texts, "1"));
  EXPECT_EQ(2, CountTexts(texts, "0.2"));
}

// From straight above the vertical edges are no outline: z has no edge.
TEST_F(Graph3DAxesTest, FromAboveTheZAxisDrawsNothing) {
  graph.View = MakePoint3D(90, 0, 0);
  graph.Options.TitleZ = "height";
  const std::vector<TText> texts = Texts();
  ASSERT_TRUE(Build());
  ASSERT_TRUE(graph.AxisZ);
  EXPECT_FALSE(graph.AxisZ->Edge);
  EXPECT_TRUE(graph.AxisX->Edge && graph.AxisY->Edge);
  EXPECT_EQ(0, CountTexts(texts, "height") + CountTexts(texts, "0.75"));
  EXPECT_EQ(14u, texts.size());
}

// The caption lies 12 pixels from the edge's midpoint, or 19 beyond the
// widest label: "-0.25" is 40 pixels wide.
TEST_F(Graph3DAxesTest, CaptionsStandBeyondTheLabels) {
  ASSERT_EQ(40, TextWidth("-0.25"));
  graph.Options.TitleZ = "Z";
  for (const bool labels : {false, true}) {
    graph.Options.LabelsZ = labels;
    const std::vector<TText> texts = Texts();
    ASSERT_TRUE(Build());
    const TXBEdge& edge = *graph.AxisZ->Edge;
    const TRealPoint a = edge.FirstVertex()->Screen, b = edge.LastVertex()->Screen;
    const long double midX = (a.X + b.X) / 2, midY = (a.Y + b.Y) / 2;
    const auto caption = std::find_if(texts.begin(), texts.end(), [](const TText& t) { return t.Text == "Z"; });
    ASSERT_NE(texts.end(), caption);
    // On a left edge the caption's right side, half its height down, is its anchor.
    const long double x = caption->At.X + TextWidth("Z") - midX;
    const long double y = caption->At.Y + bitmap.Canvas().TextHeight("Z") / 2.0L - midY;
    EXPECT_NEAR(labels ? 59 : 12, double(sqrtl(x * x + y * y)), 1.0) << "labels " << labels;
  }
}

TEST_F(Graph3DAxesTest, MeasuringPaintsNothing) {
  ASSERT_TRUE(Build());
  TRealPoint low = MakeScreenPoint(640, 480), high = MakeScreenPoint(0, 0);
  const std::vector<std::uint8_t> recorded = MetafileProbe::RecordEmf([&](TCanvas& c) {
    c.Font().Assign(graph.Font);
    for (TXAxis* axis : {graph.AxisX.get(), graph.AxisY.get(), graph.AxisZ.get()})
      graph.DrawAxes(c, axis, false, low, high);
  });
  EXPECT_EQ(2u, WalkEmf(recorded).Records.size()) << "header and end only";
  EXPECT_LT(low.X, 50);
  EXPECT_GT(high.Y, 400);
}

// A step that cannot be walked gives its axis no ticks: no marks, labels,
// grid lines or caption; the rest is drawn. The heights bar then shows
// Max.z and Min.z.
TEST_F(Graph3DAxesTest, AnAxisWithoutUsableStepDrawsNothingOfItself) {
  struct TCase {
    const char* name;
    long double step;
  };
  for (const TCase& c : {TCase{"zero", 0}, TCase{"negative", -1}, TCase{"not a number", NAN}, TCase{"1e-9 over 0..1", 1e-9L}}) {
    graph.Options = TXGOptions();
    graph.Options.AutoX = graph.Options.AutoZ = false;
    graph.Options.Min = MakePoint3D(0, 0, 0);
    graph.Options.Max = MakePoint3D(1, 1, 1);
    graph.Options.Inc = MakePoint3D(c.step, 1, c.step);
    graph.Options.TitleX = "X";
    graph.Options.HeightsBar = true;
    const std::vector<std::uint8_t> pass = Pass();
    const std::vector<TText> texts = MetafileProbe::Texts(pass);
    EXPECT_EQ(0, CountTexts(texts, "X")) << c.name;
    EXPECT_EQ(7 + 2u, texts.size()) << c.name << ": y's inner labels, the bar's Max.z and Min.z";
    EXPECT_EQ(7, MetafileProbe::LinesByPenStyle(pass)[PS_SOLID]) << c.name << ": y's tick marks only";
  }
}

}  // namespace

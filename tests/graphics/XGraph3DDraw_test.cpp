// Painting a 3D scene: the background and walls, the depth order, flat and
// Gouraud polygons facing and turned away, fast drawing while the view
// turns, lines, markers, stems, arrows, and the legend with its heights bar.

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "graphics/PixelRound.h"
#include "graphics/RGBColor.h"
#include "tests/graphics/Graph3DFixture.h"
#include "tests/graphics/MetafileProbe.h"
#include "tests/toolkit/Pixels.h"

namespace {

constexpr TColor Violet = RGB(51, 0, 255);   // shader 4 at the bottom of the box
constexpr TColor Orange = RGB(255, 77, 0);   // and at the top

class Graph3DDrawTest : public Graph3DTest {
protected:
  Graph3DDrawTest() { SampleFont(); }

  void SampleFont() {
    TFont font;
    font.SetName("Courier New");
    font.SetHeight(-13);
    graph.SetFont(font);
    bitmap.Canvas().Font().Assign(font);
  }
  bool Paint() { return graph.PaintTo(bitmap.Canvas(), Rect(0, 0, 640, 480)); }
  TColor At(TPoint p) const { return bitmap.Handle()->Pixel(p.X, p.Y); }
  TColor At(const TRealPoint& p) const { return At(ScreenPixel(p)); }
  int Count(TColor colour, const TRect& area = Rect(0, 0, 640, 480)) const {
    return CountPixels(*bitmap.Handle(), area, colour);
  }
  // Whether a pixel next to p, or p itself, has the colour.
  bool Near(const TRealPoint& p, TColor colour) const {
    const TPoint c = ScreenPixel(p);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (At(TPoint{c.X + dx, c.Y + dy}) == colour) return true;
    return false;
  }
  TRealPoint Centroid(const TXElem& e) const {
    long double x = 0, y = 0;
    for (int i = 0; i < e.Count(); ++i) {
      x += e.GetVertex(i)->Screen.X / e.Count();
      y += e.GetVertex(i)->Screen.Y / e.Count();
    }
    return MakeScreenPoint(x, y);
  }

  // Two points per row: z 0 on the left column, 1 on the right, in a box
  // of -1 .. 1 by 0 .. 1 set by hand.
  TXMesh& AddStep(TShader shader, TRenderer renderer, TBrushStyle style = bsSolid) {
    TXMesh& mesh = AddMesh(2, 2, [](long double x, long double) { return x > 0 ? 1 : 0; });
    mesh.Opts.Shader = shader;
    mesh.Opts.Renderer = renderer;
    mesh.Brush.Style = std::uint8_t(style);
    mesh.Brush.Color = clMaroon;
    mesh.Pen.Style = psClear;
    ManualBox(-1, 1);
    graph.Options.Min.Z = 0;
    return mesh;
  }
  const TXElem& OnlyPolygon() const {
    EXPECT_EQ(1u, graph.Elements.size());
    return *graph.Elements.front();
  }
  // The flat colour of a polygon: its vertex colours' channels averaged.
  static TRGBColor Mean(const TXElem& e) {
    long double r = 0, g = 0, b = 0;
    for (int i = 0; i < e.Count(); ++i) {
      const TRGBColor c = ColorToRGB3(e.GetVertex(i)->Color);
      r += c.R;
      g += c.G;
      b += c.B;
    }
    return MakeRGB3(float(r / e.Count()), float(g / e.Count()), float(b / e.Count()));
  }
};

TEST_F(Graph3DDrawTest, WithoutDataOnlyTheBackgroundIsPainted) {
  bitmap.Canvas().Brush().SetColor(clAqua);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(640 * 480, Count(clAqua));
}

TEST_F(Graph3DDrawTest, ADataSetThatDrawsNothingShowsTheWalls) {
  graph.AddData("empty", SeriesKind);
  graph.BackBrush.Color = clYellow;
  ASSERT_TRUE(Paint());
  for (int face : {2, 3, 4}) {
    const TXElem& wall = *graph.BoxFaces[std::size_t(face)];
    ASSERT_TRUE(wall.Facing) << face;
    EXPECT_EQ(clYellow, At(Centroid(wall))) << face;
    for (int i = 0; i < 4; ++i) {
      const TRealPoint a = wall.GetVertex(i)->Screen, b = wall.GetVertex((i + 1) % 4)->Screen;
      EXPECT_TRUE(Near(MakeScreenPoint((a.X + b.X) / 2, (a.Y + b.Y) / 2), clBlack)) << face << " side " << i;
    }
  }
  EXPECT_EQ(clWhite, At(TPoint{2, 2})) << "outside the box";
}

TEST_F(Graph3DDrawTest, NearSquaresArePaintedOverFarOnes) {
  AddSquare(0.5L, clRed);
  AddSquare(-0.5L, clBlue);
  ManualBox(-1, 1);
  SetView(0, 0);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(clBlue, At(TPoint{320, 240}));
  SetView(0, 180);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(clRed, At(TPoint{320, 240}));
}

// Seen from above, each corner pixel of a Gouraud polygon has its vertex's colour.
TEST_F(Graph3DDrawTest, GouraudCornersHaveTheirVertexColours) {
  AddStep(shHeightColour, rdGouraud);
  SetView(90, 0);
  ASSERT_TRUE(Paint());
  const TXElem& cell = OnlyPolygon();
  for (int i = 0; i < 4; ++i) {
    const TXVertex& v = *cell.GetVertex(i);
    EXPECT_EQ(v.Point.X < 0 ? Violet : Orange, v.Color) << i;
    EXPECT_EQ(v.Color, At(v.Screen)) << i;
  }
  EXPECT_NE(At(cell.GetVertex(0)->Screen), At(Centroid(cell)));
}

// Flat: one colour, the mean of the vertex colours; a hatched brush or
// shader 0 (in the brush colour) fall back to it from Gouraud.
TEST_F(Graph3DDrawTest, FlatPolygonsHaveOneColour) {
  struct TCase {
    const char* name;
    TShader shader;
    TRenderer renderer;
    TBrushStyle style;
  };
  const TCase cases[] = {{"flat", shHeightColour, rdFlat, bsSolid},
                         {"hatched Gouraud", shHeightColour, rdGouraud, bsCross},
                         {"shader 0 Gouraud", shColour, rdGouraud, bsSolid}};
  for (const TCase& c : cases) {
    graph.Clear();
    AddStep(c.shader, c.renderer, c.style);
    SetView(90, 0);
    ASSERT_TRUE(Paint());
    const TXElem& cell = OnlyPolygon();
    const TColor expected = c.shader == shColour ? clMaroon : RGB3ToColor(ClampRGB(Mean(cell)));
    const TRealPoint centre = Centroid(cell);
    for (int i = 0; i < 4; ++i) {
      const TRealPoint inside = MakeScreenPoint((cell.GetVertex(i)->Screen.X * 3 + centre.X) / 4,
                                                (cell.GetVertex(i)->Screen.Y * 3 + centre.Y) / 4);
      EXPECT_EQ(expected, At(inside)) << c.name << ", towards corner " << i;
    }
  }
}

// Seen from below, a surface is turned away: grey.
TEST_F(Graph3DDrawTest, PolygonsTurnedAwayAreGrey) {
  AddStep(shColour, rdFlat);
  SetView(-90, 0);
  ASSERT_TRUE(Paint());
  ASSERT_FALSE(OnlyPolygon().Facing);
  EXPECT_EQ(clGray, At(Centroid(OnlyPolygon())));

  graph.Clear();
  AddStep(shHeightColour, rdFlat);
  ASSERT_TRUE(Paint());
  EXPECT_EQ(GrayOfRGB(Mean(OnlyPolygon())), At(Centroid(OnlyPolygon())));

  graph.Clear();
  AddStep(shHeightColour, rdGouraud);
  ASSERT_TRUE(Paint());
  for (int i = 0; i < 4; ++i) {
    const TXVertex& v = *OnlyPolygon().GetVertex(i);
    EXPECT_EQ(ColorToGray(v.Color), At(v.Screen)) << i;
  }
}

// While the view is dragged with FastDraw on, the box, axes and legend
// are painted but not the data.
TEST_F(Graph3DDrawTest, FastDrawLeavesOutTheDataWhileTheViewTurns) {
  AddStep(shColour, rdFlat).Brush.Color = clRed;
  SetView(20, 330);
  graph.Options.FastDraw = true;
  graph.Options.Legend = true;
  graph.Options.LabelsX = true;
  graph.Rotating = true;
  ASSERT_TRUE(Paint());
  const int legend = graph.LegendWidth(bitmap.Canvas());
  const TRect plot = Rect(0, 0, 640 - legend, 480), strip = Rect(640 - legend, 0, 640, 480);
  EXPECT_EQ(0, Count(clRed, plot));
  EXPECT_TRUE(graph.Elements.empty()) << "nor built";
  EXPECT_GT(Count(clRed, strip), 0) << "the legend's swatch";
  EXPECT_EQ(clWhite, At(Centroid(*graph.BoxFaces[4]))) << "the floor";
  EXPECT_GT(Count(clBlack, plot), 100) << "walls and x labels";
  graph.Rotating = false;
  ASSERT_TRUE(Paint());
  EXPECT_GT(Count(clRed, plot), 1000);
}

TEST_F(Graph3DDrawTest, ALineBreaksAroundAPointOutsideTheBox) {
  ManualBox(-1, 1);
  for (const bool outside : {false, true}) {
    graph.Clear();
    TXSeries3D& series = AddSeries3D({{-0.5L, 0, 0}, {0, 0, outside ? 2 : 0.5L}, {0.5L, 0, 0}});
    series.Pen.Color = clRed;
    ASSERT_TRUE(Paint());
    if (outside)
      EXPECT_EQ(0, Count(clRed)) << "no line to or from the point";
    else
      EXPECT_GT(Count(clRed), 50);
  }
}

// With pen width 1 a marker has radius 1, a stem's marker 3; the stem
// runs from its foot on the floor.
TEST_F(Graph3DDrawTest, MarkersStemsAndNoSymbol) {
  ManualBox(-1, 1);
  struct TCase {
    TDrawKind kind;
    TSymbol symbol;
    int size;
  };
  for (const TCase& c : {TCase{dkScatter, smSquare, 3}, TCase{dkStems, smSquare, 7}, TCase{dkScatter, smNone, 0}}) {
    graph.Clear();
    TXSeries3D& series = AddSeries3D({{0, 0, 0}});
    series.Opts.DrawKind = c.kind;
    series.Opts.Symbol = c.symbol;
    series.Pen.Color = clRed;
    series.Brush.Color = clBlue;
    ASSERT_TRUE(Paint());
    if (c.size == 0) {
      EXPECT_EQ(0, Count(clRed) + Count(clBlue));
      continue;
    }
    const TXElem& marker = *graph.Elements.front();
    const TPoint centre = ScreenPixel(marker.GetVertex(0)->Screen);
    const TRect near = Rect(centre.X - 10, centre.Y - 10, centre.X + 11, centre.Y - 10 + 21);
    const TRect fill = ColorBounds(*bitmap.Handle(), near, clBlue);
    EXPECT_EQ(c.size - 2, fill.Width()) << c.kind;
    const TRect outline = ColorBounds(*bitmap.Handle(), Rect(centre.X - 4, centre.Y - 4, centre.X + 5, centre.Y + 5), clRed);
    EXPECT_EQ(centre.X - c.size / 2, outline.Left) << c.kind;
    EXPECT_EQ(centre.Y - c.size / 2, outline.Top) << c.kind;
    EXPECT_EQ(c.size, outline.Width()) << c.kind;
    if (c.kind == dkStems) {
      const TRealPoint foot = marker.GetVertex(1)->Screen, top = marker.GetVertex(0)->Screen;
      EXPECT_EQ(clRed, At(MakeScreenPoint((foot.X + 3 * top.X) / 4, (foot.Y + 3 * top.Y) / 4 + 6)))
          << "the stem";
    }
  }
}

TEST_F(Graph3DDrawTest, ArrowHeadsAreSevenLongAndThreeAndAHalfWide) {
  auto& field = static_cast<TXField&>(*graph.AddData("field", FieldKind));
  field.Pen.Color = field.Brush.Color = clRed;
  graph.DrawArrow(bitmap.Canvas(), field, MakeScreenPoint(10, 10), MakeScreenPoint(42, 10));
  for (TPoint p : {TPoint{35, 8}, TPoint{42, 10}, TPoint{35, 12}}) EXPECT_EQ(clRed, At(p)) << p.X << "," << p.Y;
  EXPECT_NE(clRed, At(TPoint{35, 14}));
}

// The strip is as wide as the widest name + 57; entries are h + 5 apart,
// from 5 below the top.
TEST_F(Graph3DDrawTest, LegendEntriesAndSwatches) {
  AddStep(shColourHeight, rdGouraud).Name = "a";
  graph.GetItem(0)->Brush.Color = RGB(0, 0, 200);
  TXMesh& heights = AddMesh(2, 2, [](long double, long double) { return 0.5L; });
  heights.Name = "heights";
  heights.Opts.Shader = shHeightColour;
  AddSeries3D({{0, 0, 0.5L}}).Name = "cc";
  graph.Options.Legend = true;
  ASSERT_TRUE(Paint());
  const int h = bitmap.Canvas().TextHeight("Xp");
  const int width = graph.LegendWidth(bitmap.Canvas());
  EXPECT_EQ(bitmap.Canvas().TextWidth("heights") + 57, width);
  const int x = 640 - width + 5;
  const std::vector<MetafileProbe::TText> texts = MetafileProbe::Texts(
      MetafileProbe::RecordEmf([this](TCanvas& c) { graph.Draw(c, Rect(0, 0, 640, 480)); }));
  const char* names[] = {"a", "heights", "cc"};
  for (int k = 0; k < 3; ++k) {
    const auto entry = std::find_if(texts.begin(), texts.end(), [&](const auto& t) { return t.Text == names[k]; });
    ASSERT_NE(texts.end(), entry) << names[k];
    EXPECT_EQ((TPoint{x + 42, 5 + k * (h + 5)}), entry->At) << names[k];
  }
  // White to the brush colour to black; red to yellow over lime to blue.
  const int middle = 5 + h / 2, bottom = 5 + h - 1;
  EXPECT_EQ(clWhite, At(TPoint{x + 16, 5}));
  EXPECT_EQ(RGB(0, 0, 200), At(TPoint{x + 16, middle}));
  EXPECT_LT(GetBValue(At(TPoint{x + 16, bottom})), 40);
  const int second = 5 + h + 5;
  EXPECT_EQ(clRed, At(TPoint{x + 16, second}));
  EXPECT_EQ(clLime, At(TPoint{x + 16, second + h / 2}));
  EXPECT_GT(GetRValue(At(TPoint{x + 16, second + h / 2 - 1})), 200);
  EXPECT_GT(GetGValue(At(TPoint{x + 16, second + h / 2 - 1})), 200) << "nearly yellow";
  EXPECT_GT(GetBValue(At(TPoint{x + 16, second + h - 1})), 200) << "nearly blue";
}

// z 0 .. 1 by 0.1: eleven swatches from the top of the box down.
TEST_F(Graph3DDrawTest, TheHeightsBarRunsDownFromTheTop) {
  AddStep(shHeightColour, rdGouraud);
  graph.Options.Inc.Z = 0.1L;
  graph.Options.HeightsBar = true;
  ASSERT_TRUE(Paint());
  const int h = bitmap.Canvas().TextHeight("Xp");
  const int x = 640 - graph.LegendWidth(bitmap.Canvas()) + 5;
  const std::vector<MetafileProbe::TText> texts = MetafileProbe::Texts(
      MetafileProbe::RecordEmf([this](TCanvas& c) { graph.Draw(c, Rect(0, 0, 640, 480)); }));
  std::vector<std::string> labels;
  for (const auto& t : texts)
    if (t.At.X == x + 42) labels.push_back(t.Text);
  EXPECT_EQ((std::vector<std::string>{"1", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4", "0.3", "0.2", "0.1", "0"}), labels);
  EXPECT_EQ(Orange, At(TPoint{x + 16, 5 + h / 2}));
  EXPECT_EQ(Violet, At(TPoint{x + 16, 5 + 10 * h + h / 2}));
}

}  // namespace

// Renders the 2D renderer's sample plots and the 3D renderer's scenes
// offscreen at 640 x 480 and writes them as PNG files, for reviewing what
// a user will see:
//   graph-pictures DIR

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "graphics/RGBColor.h"
#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"

namespace {

void FillWhite(TBitmap& bitmap) {
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

bool Save(const TBitmap& bitmap, const std::string& fileName) {
  if (!SaveBitmapAsPng(bitmap, fileName)) {
    std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
    return false;
  }
  std::printf("%s\n", fileName.c_str());
  return true;
}

bool Render(const std::string& fileName, const std::function<void(TXGraph&)>& fill) {
  TXGraph graph;
  SamplePlots::UseCourier(graph);
  fill(graph);
  TBitmap bitmap(640, 480, pf32bit);
  FillWhite(bitmap);
  graph.PaintTo(bitmap.Canvas(), Rect(0, 0, 640, 480));
  return Save(bitmap, fileName);
}

// The scene as the renderer builds it, before the renderer paints: each
// polygon in list order (far to near) filled with the mean of its vertex
// colours, grey when it does not face the viewer, then the box's edges.
void PaintScene(TCanvas& canvas, TXGraph3D& graph, TRect rect) {
  if (!graph.Build(canvas, rect)) return;
  std::vector<TPoint> points;
  for (const TXElem* elem : graph.Elements) {
    if (elem->Kind != TXElem::PolygonKind) continue;
    points.clear();
    float r = 0, g = 0, b = 0;
    for (int k = 0; k < elem->Count(); ++k) {
      const TRGBColor c = ColorToRGB3(elem->GetVertex(k)->Color);
      r += c.R / elem->Count();
      g += c.G / elem->Count();
      b += c.B / elem->Count();
      points.push_back(ScreenPointToPoint(elem->GetVertex(k)->Screen));
    }
    const TRGBColor mean = ClampRGB(MakeRGB3(r, g, b));
    const TColor fill = elem->Facing ? RGB3ToColor(mean) : GrayOfRGB(mean);
    canvas.Brush().SetColor(fill);
    canvas.Pen().SetColor(fill);
    canvas.Polygon(points);
  }
  canvas.Pen().SetColor(clBlack);
  static constexpr int edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                       {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  for (const auto& edge : edges) {
    const TPoint from = ScreenPointToPoint(graph.GetVertex(edge[0])->Screen);
    const TPoint to = ScreenPointToPoint(graph.GetVertex(edge[1])->Screen);
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  }
}

// The default content at the default view.
bool RenderSinc(const std::string& fileName) {
  TXGraph3D graph;
  TBitmap bitmap(640, 480, pf32bit);
  FillWhite(bitmap);
  PaintScene(bitmap.Canvas(), graph, Rect(0, 0, 640, 480));
  return Save(bitmap, fileName);
}

// The default content from four views, each in a quarter of the sheet
// with its (elevation, azimuth) at the top left.
bool RenderViews(const std::string& fileName) {
  const TPoint3D views[4] = {{20, 0, 330}, {60, 0, 45}, {-20, 0, 330}, {90, 0, 0}};
  TBitmap bitmap(1280, 960, pf32bit);
  FillWhite(bitmap);
  TCanvas& canvas = bitmap.Canvas();
  for (int k = 0; k < 4; ++k) {
    TXGraph3D graph;
    graph.View = views[k];
    const TRect cell = Bounds(640 * (k % 2), 480 * (k / 2), 640, 480);
    PaintScene(canvas, graph, cell);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(cell.Left + 5, cell.Top + 5,
                   "(" + std::to_string(int(views[k].X)) + ", " + std::to_string(int(views[k].Z)) + ")");
    canvas.Brush().SetStyle(bsSolid);
  }
  return Save(bitmap, fileName);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: graph-pictures DIR\n");
    return 2;
  }
  const std::string folder = argv[1];
  StartQtPlatform(argc, argv);
  bool ok = Render(folder + "/graph-sine.png", [](TXGraph& g) { SamplePlots::CanonicalSine(g); });
  ok = Render(folder + "/graph-polar.png", [](TXGraph& g) { SamplePlots::PolarTwin(g); }) && ok;
  ok = Render(folder + "/graph-loglog.png", [](TXGraph& g) { SamplePlots::LogLog(g); }) && ok;
  ok = Render(folder + "/graph-series-kinds.png", SamplePlots::AllKinds) && ok;
  ok = RenderSinc(folder + "/graph3d-scene-sinc.png") && ok;
  ok = RenderViews(folder + "/graph3d-scene-views.png") && ok;
  ok = Render(folder + "/graph-heights.png", [](TXGraph& g) { g.Options.HeightsBar = true; }) && ok;
  ok = Render(folder + "/graph-heights-markers.png", [](TXGraph& g) { SamplePlots::HeightMarkers(g); }) && ok;
  ok = Render(folder + "/graph-contours.png", [](TXGraph& g) {
    SamplePlots::Paraboloid(g);
    g.Options.HeightsBar = true;
  }) && ok;
  ok = Render(folder + "/graph-filled-contours.png", [](TXGraph& g) {
    SamplePlots::Paraboloid(g).Brush.Style = bsSolid;
  }) && ok;
  return ok ? 0 : 1;
}

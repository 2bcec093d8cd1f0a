// Renders the 2D renderer's sample plots and the 3D renderer's scenes
// offscreen at 640 x 480 and writes them as PNG files, and the sine plot
// and the 3D default content as EMF and WMF files, for reviewing what a
// user will see:
//   graph-pictures DIR

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "graphics/XGraph.h"
#include "graphics/XGraph3D.h"
#include "tests/graphics/SamplePlots.h"
#include "tests/graphics/SampleScenes3D.h"
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

// The 3D renderer painted over the whole sheet, as the graph window paints.
bool Render3D(const std::string& fileName, const std::function<void(TXGraph3D&)>& fill) {
  TXGraph3D graph;
  SampleScenes3D::UseCourier(graph);
  fill(graph);
  TBitmap bitmap(640, 480, pf32bit);
  FillWhite(bitmap);
  graph.PaintTo(bitmap.Canvas(), Rect(0, 0, 640, 480));
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
    SampleScenes3D::UseCourier(graph);
    graph.View = views[k];
    const TRect cell = Bounds(640 * (k % 2), 480 * (k / 2), 640, 480);
    graph.Draw(canvas, cell);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(cell.Left + 5, cell.Top + 5,
                   "(" + std::to_string(int(views[k].X)) + ", " + std::to_string(int(views[k].Z)) + ")");
    canvas.Brush().SetStyle(bsSolid);
  }
  return Save(bitmap, fileName);
}

// A picture file of the renderer at 640 x 480 in an export format.
template <class TRenderer>
bool Export(TRenderer& graph, std::uint8_t format, const std::string& fileName) {
  graph.Options.ExportFormat = format;
  try {
    graph.SaveToFile(fileName, Rect(0, 0, 640, 480));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return false;
  }
  std::printf("%s\n", fileName.c_str());
  return true;
}

bool ExportBoth(const std::string& folder, const std::string& name, const std::function<void(TXGraph&)>& fill) {
  TXGraph graph;
  SamplePlots::UseCourier(graph);
  fill(graph);
  return Export(graph, 2, folder + "/" + name + ".emf") && Export(graph, 1, folder + "/" + name + ".wmf");
}

bool ExportBoth3D(const std::string& folder, const std::string& name) {
  TXGraph3D graph;
  SampleScenes3D::UseCourier(graph);
  return Export(graph, 2, folder + "/" + name + ".emf") && Export(graph, 1, folder + "/" + name + ".wmf");
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
  ok = Render(folder + "/graph-heights.png", [](TXGraph& g) { g.Options.HeightsBar = true; }) && ok;
  ok = Render(folder + "/graph-heights-markers.png", [](TXGraph& g) { SamplePlots::HeightMarkers(g); }) && ok;
  ok = Render(folder + "/graph-contours.png", [](TXGraph& g) {
    SamplePlots::Paraboloid(g);
    g.Options.HeightsBar = true;
  }) && ok;
  ok = Render(folder + "/graph-filled-contours.png", [](TXGraph& g) {
    SamplePlots::Paraboloid(g).Brush.Style = bsSolid;
  }) && ok;
  ok = Render3D(folder + "/graph3d-sinc.png", [](TXGraph3D&) {}) && ok;
  ok = RenderViews(folder + "/graph3d-views.png") && ok;
  ok = Render3D(folder + "/graph3d-kinds.png", SampleScenes3D::AllKinds) && ok;
  ok = Render3D(folder + "/graph3d-fastdraw.png", [](TXGraph3D& g) {
    g.Options.FastDraw = true;
    g.Rotating = true;
  }) && ok;
  ok = ExportBoth(folder, "graph-sine", [](TXGraph& g) { SamplePlots::CanonicalSine(g); }) && ok;
  ok = ExportBoth3D(folder, "graph3d-sinc") && ok;
  return ok ? 0 : 1;
}

// Renders the 2D renderer's sample plots offscreen at 640 x 480 and writes
// them as PNG files, for reviewing what a user will see:
//   graph-pictures DIR

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "graphics/XGraph.h"
#include "tests/graphics/SamplePlots.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/qt/QtPlatform.h"
#include "toolkit/qt/Screenshot.h"

namespace {

bool Render(const std::string& fileName, const std::function<void(TXGraph&)>& fill) {
  TXGraph graph;
  SamplePlots::UseCourier(graph);
  fill(graph);
  TBitmap bitmap(640, 480, pf32bit);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect(0, 0, 640, 480));
  graph.PaintTo(bitmap.Canvas(), Rect(0, 0, 640, 480));
  if (!SaveBitmapAsPng(bitmap, fileName)) {
    std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
    return false;
  }
  std::printf("%s\n", fileName.c_str());
  return true;
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
  return ok ? 0 : 1;
}

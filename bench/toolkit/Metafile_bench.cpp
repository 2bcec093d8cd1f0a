// Gradient triangles as a 3D surface fills them (80,000 small ones over a
// full-HD 32-bit bitmap), and the same calls recorded into an EMF and a
// WMF, with the files' sizes.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Metafile.h"
#include "toolkit/gdi/MetafileCanvas.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

TTriVertex Vertex(int x, int y, int shade) {
  return {x, y, std::uint16_t(shade << 8), std::uint16_t((255 - shade) << 8), std::uint16_t((shade * 7 % 256) << 8), 0};
}

// A 200 x 200 grid of cells over the picture, two triangles each, as one
// GradientFill call per cell.
void FillGrid(TCanvas& canvas) {
  HDC dc = canvas.Handle();
  static constexpr TGradientTriangle halves[2] = {{0, 1, 2}, {0, 2, 3}};
  for (int i = 0; i < 200; ++i)
    for (int j = 0; j < 200; ++j) {
      const int x0 = j * Width / 200, x1 = (j + 1) * Width / 200, y0 = i * Height / 200, y1 = (i + 1) * Height / 200;
      const TTriVertex corners[4] = {Vertex(x0, y0, i), Vertex(x1, y0, j), Vertex(x1, y1, (i + j) % 256),
                                     Vertex(x0, y1, (i * j) % 256)};
      GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
    }
}

void BM_GradientFillGridOnBitmap(benchmark::State& state) {
  TBitmap bitmap(Width, Height, pf32bit);
  for (auto _ : state) FillGrid(bitmap.Canvas());
}
BENCHMARK(BM_GradientFillGridOnBitmap)->Unit(benchmark::kMillisecond);

void RecordGrid(benchmark::State& state, bool enhanced) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    TMetafile metafile;
    metafile.SetWidth(Width);
    metafile.SetHeight(Height);
    metafile.SetEnhanced(enhanced);
    {
      TMetafileCanvas canvas(metafile);
      FillGrid(canvas);
    }
    bytes = metafile.Bytes().size();
  }
  state.counters["file MB"] = double(bytes) / 1e6;
}

void BM_GradientFillGridAsEmf(benchmark::State& state) { RecordGrid(state, true); }
BENCHMARK(BM_GradientFillGridAsEmf)->Unit(benchmark::kMillisecond);

// WMF has no gradient record: every row becomes a bitmap row.
void BM_GradientFillGridAsWmf(benchmark::State& state) { RecordGrid(state, false); }
BENCHMARK(BM_GradientFillGridAsWmf)->Unit(benchmark::kMillisecond);

}  // namespace

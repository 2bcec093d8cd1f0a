// The plot model's hot paths: filling a series, the colour round trip of
// the 3D shaders, and the four-colour gradient fill.

#include <benchmark/benchmark.h>

#include "graphics/RGBColor.h"
#include "graphics/XData.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

void BM_SeriesAddPoint(benchmark::State& state) {
  const int count = int(state.range(0));
  for (auto _ : state) {
    TXSeries series("s");
    for (int i = 0; i < count; ++i) series.AddPoint(i * 1e-3L, (i % 1000) * 0.5L);
    benchmark::DoNotOptimize(series.Max);
  }
  state.counters["ns/point"] =
      benchmark::Counter(double(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SeriesAddPoint)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_HslRoundTrip(benchmark::State& state) {
  TRGBColor colour = MakeRGB3(0.2f, 0.6f, 0.9f);
  for (auto _ : state) {
    TRGBColor hsl = RGB3ToHSL(colour);
    benchmark::DoNotOptimize(hsl);
    colour = HSLToRGB3(hsl);
    benchmark::DoNotOptimize(colour);
  }
}
BENCHMARK(BM_HslRoundTrip);

void BM_FillGradientFourColours(benchmark::State& state) {
  TBitmap bitmap(1920, 1080, pf32bit);
  for (auto _ : state) FillGradient(bitmap.Canvas(), Rect(0, 0, 1920, 1080), clRed, clLime, clBlue, clYellow);
}
BENCHMARK(BM_FillGradientFourColours)->Unit(benchmark::kMillisecond);

}  // namespace

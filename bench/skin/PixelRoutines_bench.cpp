// A skinned repaint must fit one frame and a fade step its 8 ms: the pixel
// routines and the gradients over a whole 1920 x 1080 picture, per call.

#include <benchmark/benchmark.h>

#include "skin/SkinCommonData.h"
#include "skin/paint/Gradient.h"
#include "skin/paint/PixelRoutines.h"
#include "toolkit/gdi/Bitmap.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

// A picture with every byte value in it, so no table or branch is favoured.
std::unique_ptr<TBitmap> Picture(int seed) {
  auto bmp = NewBitmap24(Width, Height);
  for (int y = 0; y < Height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bmp->ScanLine(y));
    for (int i = 0; i < 3 * Width; ++i) row[i] = std::uint8_t(i * 7 + y * 13 + seed);
  }
  return bmp;
}

void BM_MixBitmapRect(benchmark::State& state) {
  const auto dst = Picture(1);
  const auto src = Picture(2);
  for (auto _ : state) MixBitmapRect(dst.get(), src.get(), 100, {0, 0, Width, Height}, {0, 0});
}
BENCHMARK(BM_MixBitmapRect)->Unit(benchmark::kMillisecond);

// One step of a form's fade-in.
void BM_MergeByMaskFadeStep(benchmark::State& state) {
  const auto screen = Picture(1);
  const auto form = Picture(2);
  const auto work = NewBitmap32(Width, Height);
  for (auto _ : state) MergeByMask(work.get(), screen.get(), form.get(), nullptr, 128);
}
BENCHMARK(BM_MergeByMaskFadeStep)->Unit(benchmark::kMillisecond);

void BM_TintRect(benchmark::State& state) {
  const auto bmp = Picture(1);
  for (auto _ : state) TintRect(bmp.get(), {0, 0, Width, Height}, 30, 0x00336699);
}
BENCHMARK(BM_TintRect)->Unit(benchmark::kMillisecond);

void BM_DimImageBlended(benchmark::State& state) {
  const auto backdrop = Picture(2);
  const TBackdropRef ready{backdrop.get(), 0, 0, clSkinKey, true};
  for (auto _ : state) {
    state.PauseTiming();
    const auto image = Picture(1);
    state.ResumeTiming();
    DimImage(image.get(), dkBlended, nullptr, ready, {0, 0});
  }
}
BENCHMARK(BM_DimImageBlended)->Unit(benchmark::kMillisecond);

void BM_PaintGradient(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  const auto bmp = Picture(1);
  const TSkinGradArray steps{{0x00FFFFFF, 0x00C0C0C0, 50, mode},
                             {0x00C0C0C0, 0x00808080, 50, mode},
                             {0x00808080, 0x00404040, 50, mode},
                             {0x00404040, 0x00000000, 50, mode},
                             {0x00123456, 0x00654321, 50, mode}};
  for (auto _ : state) PaintGradient(bmp.get(), {0, 0, Width, Height}, steps, 0);
}
BENCHMARK(BM_PaintGradient)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

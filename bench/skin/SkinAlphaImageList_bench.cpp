// Building an alpha image list's store from 100 PNG items of 16 x 16
// (RGB with alpha, every filter), as a form's list is built when it loads.

#include <string>

#include <benchmark/benchmark.h>

#include "skin/png/SkinAlphaImageList.h"
#include "tests/skin/PngFiles.h"

namespace {

void GenerateImages(benchmark::State& state) {
  TSkinAlphaImageList list(nullptr);
  list.KeepImageData = true;
  for (std::uint32_t i = 0; i < 100; ++i) {
    const std::string file = WriteWithLibpng(MakePngImage(16, 16, 6, 8, false, i));
    TSkinImgListItem& item = list.Items().Add();
    item.PixelFormat = pf32bit;
    item.ImageData().WriteBuffer(file.data(), std::int64_t(file.size()));
  }
  for (auto _ : state) {
    list.GenerateImages();
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(GenerateImages)->Unit(benchmark::kMillisecond);

}  // namespace

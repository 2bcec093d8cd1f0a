// A skinned form repaints its frame and background on every resize: the
// nine-grid, the section painter and a caption over 1920 x 1080, per call.

#include <benchmark/benchmark.h>

#include <string>

#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/Gradient.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "tests/skin/TestSkinManager.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

// A picture with every byte value in it, so no table or branch is favoured.
std::unique_ptr<TBitmap> Picture(int width, int height, int seed) {
  auto bmp = NewBitmap24(width, height);
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<std::uint8_t*>(bmp->ScanLine(y));
    for (int i = 0; i < 3 * width; ++i) row[i] = std::uint8_t(i * 7 + y * 13 + seed);
  }
  return bmp;
}

// A skin in memory: a master of varied pixels with magenta corners, plain
// and masked borders of 3 frames of 48 x 48 (borders 8 wide), a 32 x 32
// texture, and one section with texture, gradient and transparency.
class TBenchSkin {
public:
  TBenchSkin() {
    auto master = Picture(256, 192, 3);
    for (int f = 0; f < 3; ++f)
      for (int top : {0, 96}) {
        PutKey(*master, f * 48, top);
        PutKey(*master, f * 48 + 47, top);
      }
    manager.SetMasterBitmap(std::move(master));
    TSkinGeneralData& section = manager.AddSection("FORM");
    section.Color = 0x00C0A080;
    section.Transparency = 50;
    section.ImagePercent = 40;
    section.GradientPercent = 30;
    ParseGradientData("16777215;12632256;50;0;0;12632256;8421504;50;0;0", section.GradientArray);
    manager.AddMask("FORM", "PATTERN", Rect(144, 0, 176, 32), 1, 0);
  }
  int Border(int maskType, int stretchMode) {
    return manager.AddMask("FORM", "BORDER", Rect(0, 0, 144, maskType == 0 ? 48 : 96 + 48), 3, maskType,
                           {8, 8, 8, 8}, stretchMode | smCentreInMask);
  }
  static void PutKey(TBitmap& bmp, int x, int y) {
    auto* pixel = static_cast<std::uint8_t*>(bmp.ScanLine(y)) + 3 * x;
    pixel[0] = 0xFF;
    pixel[1] = 0;
    pixel[2] = 0xFF;
  }

  TTestSkinManager manager;
};

void DrawBorders(benchmark::State& state, int maskType, int stretchMode) {
  TBenchSkin skin;
  const int mask = skin.Border(maskType, stretchMode);
  const auto target = Picture(Width, Height, 1);
  const auto behind = Picture(Width, Height, 2);
  const TBackdropRef backdrop = MakeBackdropRef(behind.get(), 0, 0);
  for (auto _ : state)
    DrawMaskRect(target.get(), Rect(0, 0, Width, Height), true, backdrop, skin.manager.Masks[mask], 1, true);
}

void BM_DrawMaskRectTiled(benchmark::State& state) { DrawBorders(state, 0, 0); }
BENCHMARK(BM_DrawMaskRectTiled)->Unit(benchmark::kMillisecond);

void BM_DrawMaskRectHalftone(benchmark::State& state) { DrawBorders(state, 0, smStretch); }
BENCHMARK(BM_DrawMaskRectHalftone)->Unit(benchmark::kMillisecond);

void BM_DrawMaskRectMasked(benchmark::State& state) { DrawBorders(state, 1, 0); }
BENCHMARK(BM_DrawMaskRectMasked)->Unit(benchmark::kMillisecond);

void BM_PaintSectionTextureGradientHalfTransparent(benchmark::State& state) {
  TBenchSkin skin;
  const auto target = NewBitmap24(Width, Height);
  const auto behind = Picture(Width, Height, 2);
  const TBackdropRef backdrop = MakeBackdropRef(behind.get(), 0, 0);
  for (auto _ : state)
    PaintSection(0, "FORM", backdrop, true, 0, Rect(0, 0, Width, Height), {}, target.get(), &skin.manager);
}
BENCHMARK(BM_PaintSectionTextureGradientHalfTransparent)->Unit(benchmark::kMillisecond);

void BM_WriteControlTextFourContours(benchmark::State& state) {
  TBenchSkin skin;
  skin.manager.SectionData[0].FontColor = {0x00000000, 0x00FFFFFF, 0x00FFFFFF, 0x00808080, 0x00808080};
  TSkinCommonData data(nullptr, false);
  data.SetSkinManager(&skin.manager);
  data.SectionIndex = 0;
  const auto target = Picture(400, 30, 1);
  TCanvas& canvas = target->Canvas();
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-13);
  const std::string caption = "A caption of forty characters, in skins.";
  for (auto _ : state)
    WriteControlText(canvas, caption.c_str(), true, Rect(4, 4, 396, 26), DT_SINGLELINE | DT_VCENTER, data, false);
}
BENCHMARK(BM_WriteControlTextFourContours)->Unit(benchmark::kMicrosecond);

}  // namespace

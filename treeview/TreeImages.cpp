#include "treeview/TreeImages.h"

#include <map>
#include <mutex>
#include <vector>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/FrameControl.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/SysMetrics.h"
#include "treeview/DataTreeError.h"

namespace {

constexpr int ImageCount = 25;
constexpr int StripSide = 16;
// Never part of a glyph: the transparent colour of every strip.
constexpr TColor StripKey = clFuchsia;

struct TStripLook {
  TButtonGlyphLook Look;
  bool Flat;
};

const std::map<std::string, TStripLook>& StripLooks() {
  // Classic colours: white, silver and grey are remapped to the system's.
  static const std::map<std::string, TStripLook> looks{
      {"DTREE_CHECK_LIGHT", {{clWhite, clSilver, clGray, clGray, clWhite, clBlack, clNavy, cmsCheck}, false}},
      {"DTREE_CHECK_DARK", {{clWhite, clSilver, clGray, clBlack, clWhite, clBlack, clNavy, cmsCheck}, false}},
      {"DTREE_TICK_LIGHT", {{clWhite, clSilver, clGray, clGray, clWhite, clBlack, clNavy, cmsTick}, false}},
      {"DTREE_TICK_DARK", {{clWhite, clSilver, clGray, clBlack, clWhite, clBlack, clNavy, cmsTick}, false}},
      {"DTREE_FLAT", {{clWhite, clSilver, clGray, clBlack, clWhite, clBlack, clNavy, cmsCheck}, true}},
      {"DTREE_XP",
       {{clWhite, RGB(236, 233, 216), RGB(202, 200, 187), RGB(28, 81, 128), clWhite, RGB(33, 161, 33),
         RGB(248, 179, 48), cmsTick},
        true}},
  };
  return looks;
}

// The glyph of an image of the strip layout (1 to 24).
UINT GlyphStateOf(int image) {
  const int series = image - 1;
  static constexpr UINT Looks[4] = {0, DFCS_HOT, DFCS_PUSHED, DFCS_INACTIVE};
  UINT state = Looks[series % 4];
  if (series < 8) state |= DFCS_BUTTONRADIO;
  else if (series >= 20) state |= DFCS_BUTTONPUSH;
  if (series >= 16 && series < 20) state |= DFCS_BUTTON3STATE;
  if ((series >= 4 && series < 8) || (series >= 12 && series < 20)) state |= DFCS_CHECKED;
  return state;
}

// Classic colours of the strips and what they become.
void RemapClassicColors(TBitmap& bitmap) {
  const std::map<std::uint32_t, std::uint32_t> remap{
      {ColorToPixel(clWhite), ColorToPixel(ColorToRGB(clWindow))},
      {ColorToPixel(clSilver), ColorToPixel(ColorToRGB(clBtnFace))},
      {ColorToPixel(clGray), ColorToPixel(ColorToRGB(clBtnShadow))}};
  TGdiBitmap& pixels = *bitmap.Handle();
  pixels.EndPainting();
  std::vector<std::uint32_t> row(pixels.Width());
  for (int y = 0; y < pixels.Height(); ++y) {
    pixels.FetchRow(y, 0, pixels.Width(), row.data());
    for (std::uint32_t& pixel : row)
      if (const auto found = remap.find(pixel | 0xFF000000u); found != remap.end()) pixel = found->second;
    pixels.StoreRow(y, 0, pixels.Width(), row.data());
  }
}

std::mutex& StripLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

std::unique_ptr<TBitmap> DrawCheckImageStrip(const std::string& name) {
  const auto found = StripLooks().find(name);
  if (found == StripLooks().end()) return nullptr;
  const TStripLook& strip = found->second;
  auto bitmap = std::make_unique<TBitmap>(ImageCount * StripSide, StripSide, pf32bit);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(StripKey);
  canvas.FillRect(Rect(0, 0, bitmap->Width(), bitmap->Height()));
  for (int image = 1; image < ImageCount; ++image) {
    const UINT state = GlyphStateOf(image) | (strip.Flat ? DFCS_FLAT : 0);
    const int left = image * StripSide;
    const TRect r = state & DFCS_BUTTONPUSH ? Rect(left + 1, 1, left + StripSide - 1, StripSide - 1)
                                            : Rect(left + 2, 2, left + StripSide - 1, StripSide - 1);
    DrawButtonGlyph(canvas.Handle(), r, state, strip.Look);
  }
  return bitmap;
}

void LoadImageStrip(TImageList& imageList, const std::string& resourceName, bool remapColors) {
  std::lock_guard<std::mutex> guard(StripLock());
  std::unique_ptr<TBitmap> strip = DrawCheckImageStrip(resourceName);
  if (!strip || strip->Height() < 1)
    RaiseTreeError("Internal image \"" + resourceName + "\" is missing or corrupt.", 0);
  if (remapColors) RemapClassicColors(*strip);
  imageList.Clear();
  imageList.SetSize(strip->Height(), strip->Height());
  imageList.AddMasked(*strip, strip->Handle()->Pixel(0, 0));
}

void BuildSystemCheckImages(std::unique_ptr<TImageList>& imageList, bool flat) {
  const int width = GetSystemMetrics(SM_CXMENUCHECK) + 3;
  const int height = GetSystemMetrics(SM_CYMENUCHECK) + 3;
  TBitmap strip(ImageCount * width, height, pf32bit);
  TCanvas& canvas = strip.Canvas();
  canvas.Brush().SetColor(StripKey);
  canvas.FillRect(Rect(0, 0, strip.Width(), strip.Height()));
  for (int image = 1; image <= 20; ++image) {
    const int left = image * width;
    DrawFrameControl(canvas.Handle(), Rect(left + 1, 2, left + width - 2, height - 1), DFC_BUTTON,
                     GlyphStateOf(image) | (flat ? DFCS_FLAT : 0));
  }
  TImageList buttons;
  LoadImageStrip(buttons, flat ? "DTREE_FLAT" : "DTREE_CHECK_DARK", true);
  for (int image = 21; image < ImageCount; ++image)
    buttons.Draw(canvas, image * width + (width - buttons.Width()) / 2, (height - buttons.Height()) / 2, image);
  if (!imageList) imageList = std::make_unique<TImageList>(width, height);
  imageList->Clear();
  imageList->SetSize(width, height);
  imageList->AddMasked(strip, StripKey);
}

#include "treeview/TreeImages.h"

#include <map>
#include <mutex>
#include <vector>

#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/FrameControl.h"
#include "toolkit/gdi/GdiBitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Cursor.h"
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

std::unique_ptr<TBitmap> DrawUtilityStrip() {
  auto bitmap = std::make_unique<TBitmap>(UtilityImageCount * StripSide, StripSide, pf32bit);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(StripKey);
  canvas.FillRect(Rect(0, 0, bitmap->Width(), bitmap->Height()));
  auto round = [&](int left, int image) {
    const int x = image * StripSide + left;
    canvas.Pen().SetColor(clNavy);
    canvas.Brush().SetColor(clNavy);
    canvas.Ellipse(x, 3, x + 10, 13);
  };
  round(1, UtilityDropLeft);
  round(5, UtilityDropRight);
  auto triangle = [&](int image, bool up, TColor color) {
    const int x = image * StripSide;
    const std::vector<TPoint> points = up ? std::vector<TPoint>{{x + 4, 10}, {x + 12, 10}, {x + 8, 5}}
                                          : std::vector<TPoint>{{x + 4, 5}, {x + 12, 5}, {x + 8, 10}};
    canvas.Pen().SetColor(color);
    canvas.Brush().SetColor(color);
    canvas.Polygon(points);
  };
  // Grey becomes the button shadow when the strip is loaded.
  triangle(UtilitySortDescending, false, clGray);
  triangle(UtilitySortAscending, true, clGray);
  triangle(UtilityFlatSortDescending, false, clBlack);
  triangle(UtilityFlatSortAscending, true, clBlack);
  // The orange bar under a hot XP cell: three rows, its ends rounded off.
  static constexpr TColor Bar[3] = {RGB(255, 199, 60), RGB(248, 179, 48), RGB(229, 151, 0)};
  for (int image : {UtilityHotBarLeft, UtilityHotBarMiddle, UtilityHotBarRight})
    for (int row = 0; row < 3; ++row) {
      const int left = image * StripSide + (image == UtilityHotBarLeft && row != 1 ? 1 : 0);
      const int right = (image + 1) * StripSide - (image == UtilityHotBarRight && row != 1 ? 1 : 0);
      canvas.Brush().SetColor(Bar[row]);
      canvas.FillRect(Rect(left, row, right, row + 1));
    }
  return bitmap;
}

std::unique_ptr<TBitmap> DrawShadedButton(const std::string& name) {
  const bool plus = name == "DTREE_XPBUTTONPLUS";
  if (!plus && name != "DTREE_XPBUTTONMINUS") return nullptr;
  constexpr int Side = 9;
  auto bitmap = std::make_unique<TBitmap>(Side, Side, pf32bit);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(StripKey);
  canvas.FillRect(Rect(0, 0, Side, Side));
  // A blue-grey frame around a face shading from white down to beige.
  canvas.Brush().SetColor(RGB(122, 138, 153));
  for (const TRect& edge : {Rect(1, 0, Side - 1, 1), Rect(1, Side - 1, Side - 1, Side), Rect(0, 1, 1, Side - 1),
                            Rect(Side - 1, 1, Side, Side - 1)})
    canvas.FillRect(edge);
  for (int y = 1; y < Side - 1; ++y) {
    const int step = y - 1;
    canvas.Brush().SetColor(RGB(255 - step * 8, 255 - step * 9, 255 - step * 10));
    canvas.FillRect(Rect(1, y, Side - 1, y + 1));
  }
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(Rect(2, 4, 7, 5));
  if (plus) canvas.FillRect(Rect(4, 2, 5, 7));
  return bitmap;
}

void LoadImageStrip(TImageList& imageList, const std::string& resourceName, bool remapColors) {
  std::lock_guard<std::mutex> guard(StripLock());
  std::unique_ptr<TBitmap> strip =
      resourceName == "DTREE_UTILITIES" ? DrawUtilityStrip() : DrawCheckImageStrip(resourceName);
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

std::unique_ptr<TBitmap> DrawHeaderSplitCursor() {
  auto bitmap = std::make_unique<TBitmap>(32, 32, pf32bit);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(StripKey);
  canvas.FillRect(Rect(0, 0, 32, 32));
  // Two bars between two arrows, white around black, centred on (16, 16).
  auto shape = [&](TColor color, int grow) {
    canvas.Pen().SetColor(color);
    canvas.Brush().SetColor(color);
    canvas.FillRect(Rect(14 - grow, 8 - grow, 15 + grow, 25 + grow));
    canvas.FillRect(Rect(17 - grow, 8 - grow, 18 + grow, 25 + grow));
    canvas.FillRect(Rect(6 - grow, 16 - grow, 26 + grow, 17 + grow));
    canvas.Polygon(std::vector<TPoint>{{9 + grow, 12 - 2 * grow}, {9 + grow, 21 + 2 * grow}, {4 - 2 * grow, 16}});
    canvas.Polygon(std::vector<TPoint>{{23 - grow, 12 - 2 * grow}, {23 - grow, 21 + 2 * grow}, {28 + 2 * grow, 16}});
  };
  shape(clWhite, 1);
  shape(clBlack, 0);
  return bitmap;
}

namespace {

// The arrows of a panning picture as compass points, by the name's end.
const std::map<std::string, std::vector<std::string>>& PanningArrows() {
  static const std::map<std::string, std::vector<std::string>> arrows{
      {"DTREE_MOVEALL", {"N", "E", "S", "W"}}, {"DTREE_MOVEEW", {"E", "W"}}, {"DTREE_MOVENS", {"N", "S"}},
      {"DTREE_MOVEN", {"N"}},   {"DTREE_MOVENE", {"NE"}}, {"DTREE_MOVEE", {"E"}},  {"DTREE_MOVESE", {"SE"}},
      {"DTREE_MOVES", {"S"}},   {"DTREE_MOVESW", {"SW"}}, {"DTREE_MOVEW", {"W"}},  {"DTREE_MOVENW", {"NW"}},
  };
  return arrows;
}

// A filled arrow from near the plate's centre towards its rim.
void DrawPanningArrow(TCanvas& canvas, const std::string& compass) {
  const int dx = compass.find('E') != std::string::npos ? 1 : compass.find('W') != std::string::npos ? -1 : 0;
  const int dy = compass.find('S') != std::string::npos ? 1 : compass.find('N') != std::string::npos ? -1 : 0;
  // Diagonal arrows are as long as straight ones: 10/14 of each step.
  const int reach = dx != 0 && dy != 0 ? 7 : 10;
  const int base = dx != 0 && dy != 0 ? 3 : 5;
  const TPoint tip{16 + dx * reach, 16 + dy * reach};
  const TPoint foot{16 + dx * base, 16 + dy * base};
  // Across the arrow: the direction turned by a right angle.
  const int acrossX = -dy * 4;
  const int acrossY = dx * 4;
  canvas.Polygon(std::vector<TPoint>{tip, {foot.X + acrossX, foot.Y + acrossY}, {foot.X - acrossX, foot.Y - acrossY}});
}

}  // namespace

std::unique_ptr<TBitmap> DrawPanningPicture(const std::string& name) {
  const auto arrows = PanningArrows().find(name);
  if (arrows == PanningArrows().end()) return nullptr;
  auto bitmap = std::make_unique<TBitmap>(32, 32, pf32bit);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(StripKey);
  canvas.FillRect(Rect(0, 0, 32, 32));
  canvas.Pen().SetColor(clGray);
  canvas.Brush().SetColor(clSilver);
  canvas.Ellipse(2, 2, 30, 30);
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clBlack);
  canvas.Ellipse(14, 14, 19, 19);
  for (const std::string& compass : arrows->second) DrawPanningArrow(canvas, compass);
  return bitmap;
}

std::vector<std::uint32_t> UnkeyedPixels(TBitmap& picture) {
  const int width = picture.Width();
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(picture.Height()));
  TGdiBitmap& surface = *picture.Handle();
  surface.EndPainting();
  const std::uint32_t key = ColorToPixel(StripKey) | 0xFF000000u;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
    surface.FetchRow(y, 0, width, row);
    for (int x = 0; x < width; ++x) row[x] = (row[x] | 0xFF000000u) == key ? 0 : row[x] | 0xFF000000u;
  }
  return pixels;
}

HCURSOR CreateKeyedCursor(TBitmap& picture, TPoint hotSpot) {
  TCursorPicture cursor;
  cursor.Width = picture.Width();
  cursor.Height = picture.Height();
  cursor.HotSpot = hotSpot;
  cursor.Pixels = UnkeyedPixels(picture);
  return CreatePictureCursor(std::move(cursor));
}

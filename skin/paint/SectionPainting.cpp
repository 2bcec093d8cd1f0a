#include "skin/paint/SectionPainting.h"

#include <algorithm>
#include <memory>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/forms/SkinProvider.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/Gradient.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/Textures.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"

namespace {

// The values of a section painted for one state.
struct TLook {
  TColor Color = 0;
  int Transparency = 0;
  int ImagePercent = 0;
  int GradientPercent = 0;
  const TSkinGradArray* Gradient = nullptr;
};

// The two ways of painting a background: the full one and the quick one of
// painters that keep their texture indexes.
enum class TVariant { Full, Quick };

// A section's texture: a piece of the skin's pictures or a pattern picture.
struct TTexture {
  const TSkinMaskData* Mask = nullptr;
  TGraphic* Pattern = nullptr;
  bool Usable() const { return Mask || Pattern; }
};

// Where content is painted: q of bmp, and what lies behind it placed so
// that the backdrop's pixel (x + X, y + Y) is behind pixel (x, y).
struct TContentArea {
  TBitmap* Bmp;
  TRect Q;
  TBackdropRef Behind;
  TColor FillColor;  // of the backdrop as given
  bool BackdropReady;
};

const TSkinMaskData NoMask;

// The full variant reads no texture or gradient of a fully transparent look.
TLook LookOf(const TSkinGeneralData& section, int state, TVariant variant) {
  const bool hot = state != 0;
  TLook look;
  look.Color = hot ? section.HotColor : section.Color;
  look.Transparency = hot ? section.HotTransparency : section.Transparency;
  if (variant == TVariant::Full && look.Transparency == 100) return look;
  look.ImagePercent = hot ? section.HotImagePercent : section.ImagePercent;
  look.GradientPercent = hot ? section.HotGradientPercent : section.GradientPercent;
  if (look.GradientPercent != 0) look.Gradient = hot ? &section.HotGradientArray : &section.GradientArray;
  return look;
}

TLook CustomLook(TColor color) {
  TLook look;
  look.Color = color;
  return look;
}

// The backdrop moved so that it lines up with pixels of an area whose
// top-left (areaTopLeft) is r's: r's top-left lies at offset on it.
TBackdropRef BehindArea(TBackdropRef backdrop, TPoint offset, TPoint areaTopLeft) {
  backdrop.X += offset.X - areaTopLeft.X;
  backdrop.Y += offset.Y - areaTopLeft.Y;
  return backdrop;
}

const char* TextureName(int state) { return state == 0 ? "PATTERN" : "HOTPATTERN"; }

// A texture index that is given names a plain piece (a piece with alpha
// rows waits for the last layer); -1 looks the name up, any piece; without
// a piece, a pattern picture of the name.
TTexture FindTexture(const TSkinManager& manager, int skinIndex, const std::string& section, int state,
                     int textureIndex, int hotTextureIndex) {
  int index = state == 0 ? textureIndex : hotTextureIndex;
  if (index == -1)
    index = manager.MaskIndexOf(skinIndex, section, TextureName(state));
  else if (manager.IsMaskIndex(index) && manager.Masks[index].MaskType != 0)
    index = -1;
  if (manager.IsMaskIndex(index)) return {&manager.Masks[index], nullptr};
  const int pattern = manager.PatternIndexOf(skinIndex, section, TextureName(state));
  if (pattern >= 0) return {nullptr, manager.Patterns[pattern].Image.get()};
  return {};
}

TTexture GivenTexture(const TSkinManager& manager, int state, int textureIndex, int hotTextureIndex) {
  const int index = state == 0 ? textureIndex : hotTextureIndex;
  return manager.IsMaskIndex(index) ? TTexture{&manager.Masks[index], nullptr} : TTexture{};
}

void FillArea(const TContentArea& area, const TRect& r, TColor color) {
  FillDeviceRect(area.Bmp->Canvas().Handle(), r, color);
}

// True when something was drawn; what it left is filled with the colour.
bool PaintTexture(const TContentArea& area, const TTexture& texture, TColor color) {
  if (!texture.Usable()) return false;
  TRect rest = area.Q;
  TCanvas& canvas = area.Bmp->Canvas();
  if (texture.Pattern)
    TileTexture(canvas, rest, texture.Pattern, 0, NoMask);
  else if (texture.Mask->MaskType == 0)
    TileTexture(canvas, rest, texture.Mask->Image.get(), texture.Mask->StretchMode, *texture.Mask);
  else
    TileMaskTexture(area.Bmp, rest, area.Behind, texture.Mask->StretchMode, *texture.Mask);
  if (rest.Right != NoRest.Right) FillArea(area, rest, color);
  return true;
}

void PaintGradientOrColor(TBitmap* bmp, const TRect& r, const TLook& look) {
  if (!look.Gradient || look.Gradient->empty())
    FillDeviceRect(bmp->Canvas().Handle(), r, look.Color);
  else
    PaintGradient(bmp, r, *look.Gradient, 0);
}

// Over a texture the gradient is mixed in, the texture weighing the image
// percent; its rightmost column keeps the texture alone.
void PaintGradientLayer(const TContentArea& area, const TLook& look, bool textured, TVariant variant) {
  if (!textured) {
    PaintGradientOrColor(area.Bmp, area.Q, look);
    return;
  }
  const int width = area.Q.Width(), height = area.Q.Height();
  const std::unique_ptr<TBitmap> gradient = NewBitmap24(width, height);
  PaintGradientOrColor(gradient.get(), Rect(0, 0, width, height), look);
  const int weight = variant == TVariant::Full ? look.ImagePercent * 255 / 100 : look.ImagePercent * 256 / 100;
  MixBitmapRect(area.Bmp, gradient.get(), std::uint8_t(std::clamp(weight, 0, 255)), Rect(0, 0, width - 1, height),
                area.Q.TopLeft());
}

// The colour's share of what texture and gradient leave. A fully
// transparent look over a plain backdrop shows the backdrop's colour.
void PaintColorShare(const TContentArea& area, const TLook& look, TVariant variant) {
  const int share = look.ImagePercent + look.GradientPercent;
  const TRect& q = area.Q;
  if (share > 0 && share < 100) {
    TintRect(area.Bmp, Rect(q.Left, q.Top, q.Right - 1, q.Bottom - 1), std::uint8_t(share), look.Color);
  } else if (share == 0 || (variant == TVariant::Quick && share > 100)) {
    const bool plainBehind = !area.BackdropReady && look.Transparency == 100;
    FillArea(area, q, plainBehind ? area.FillColor : look.Color);
  }
}

void PaintContent(const TContentArea& area, const TLook& look, const TTexture& texture, TVariant variant) {
  bool textured = false;
  if (look.ImagePercent > 0) {
    textured = PaintTexture(area, texture, look.Color);
    if (!textured) FillArea(area, area.Q, look.Color);
  }
  if (look.GradientPercent > 0) PaintGradientLayer(area, look, textured, variant);
  PaintColorShare(area, look, variant);
}

// What lies behind r, copied from a ready backdrop (unless r is on the
// backdrop's own bitmap) or filled with its colour.
void ShowBackdrop(TBitmap* itemBmp, const TRect& r, const TBackdropRef& backdrop, TPoint offset) {
  HDC dc = itemBmp->Canvas().Handle();
  if (!backdrop.Ready)
    FillDeviceRect(dc, r, backdrop.FillColor);
  else if (backdrop.Bmp && backdrop.Bmp != itemBmp)
    BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), backdrop.Bmp->Canvas().Handle(), backdrop.X + offset.X,
           backdrop.Y + offset.Y, SRCCOPY);
}

// The content straight into r, or into a bitmap of its own that is mixed
// over the backdrop, which weighs the transparency.
void PaintThroughTransparency(TBitmap* itemBmp, const TRect& r, const TBackdropRef& backdrop, TPoint offset,
                              const TLook& look, const TTexture& texture, TVariant variant, bool direct) {
  const TContentArea inPlace{itemBmp, r, BehindArea(backdrop, offset, r.TopLeft()), backdrop.FillColor, backdrop.Ready};
  if (direct || look.Transparency == 0) {
    PaintContent(inPlace, look, texture, variant);
    return;
  }
  if (look.Transparency == 100) {
    ShowBackdrop(itemBmp, r, backdrop, offset);
    return;
  }
  const std::unique_ptr<TBitmap> content = NewBitmap24(r.Width(), r.Height());
  const TContentArea apart{content.get(), Rect(0, 0, r.Width(), r.Height()), BehindArea(backdrop, offset, {0, 0}),
                           backdrop.FillColor, backdrop.Ready};
  PaintContent(apart, look, texture, variant);
  ShowBackdrop(itemBmp, r, backdrop, offset);
  const int alpha = std::clamp(look.Transparency * 255 / 100, 0, 255);
  MixBitmapRect(itemBmp, content.get(), std::uint8_t(alpha), apart.Q, r.TopLeft());
}

// In the normal state a texture with alpha rows drawn in whole tiles comes
// last, over everything, the rest of r showing the backdrop.
void TileWholeMaskedTexture(const TSkinManager& manager, TBitmap* itemBmp, const TRect& r, const TBackdropRef& behind,
                            int textureIndex, int hotTextureIndex) {
  const auto wholeTiled = [&](int index) {
    return manager.IsMaskIndex(index) && manager.Masks[index].MaskType > 0 && manager.Masks[index].StretchMode == 10;
  };
  const int index = wholeTiled(textureIndex) ? textureIndex : wholeTiled(hotTextureIndex) ? hotTextureIndex : -1;
  if (index < 0) return;
  TRect rest = r;
  TileMaskTexture(itemBmp, rest, behind, 10, manager.Masks[index]);
}

TSkinManager* ManagerOrDefault(TSkinManager* manager) { return manager ? manager : DefaultManager(); }

bool IsPaintable(const TRect& r) { return r.Left < r.Right && r.Top < r.Bottom; }

bool LiesInside(const TRect& r, const TBitmap& bmp) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= bmp.Width() && r.Bottom <= bmp.Height();
}

// The four corner images; the bitmap itself is their backdrop, so their
// key pixels leave what is painted under them.
void DrawCornerImages(const TSkinManager& manager, int skinIndex, const std::string& section, int state,
                      const TRect& r, TBitmap* itemBmp) {
  const TBackdropRef self = MakeBackdropRef(itemBmp, 0, 0);
  const auto draw = [&](const char* name, auto place) {
    const int index = manager.MaskIndexOf(skinIndex, section, name);
    if (!manager.IsMaskIndex(index)) return;
    const TSkinMaskData& mask = manager.Masks[index];
    DrawMaskImage(itemBmp, place(MaskFrameWidth(mask), MaskFrameHeight(mask)), state, 1, mask, self);
  };
  draw("IMGTOPLEFT", [&](int, int) { return TPoint{r.Left, r.Top}; });
  draw("IMGTOPRIGHT", [&](int width, int) { return TPoint{r.Right - width, r.Top}; });
  draw("IMGBTMLEFT", [&](int, int height) { return TPoint{r.Left, r.Bottom - height}; });
  draw("IMGBTMRIGHT", [&](int width, int height) { return TPoint{r.Right - width, r.Bottom - height}; });
}

void DrawBorders(const TSkinManager& manager, int maskIndex, TBitmap* itemBmp, const TRect& r, bool filling,
                 const TBackdropRef& backdrop, TPoint offset, int state, bool updateCorners) {
  if (!manager.IsMaskIndex(maskIndex)) return;
  DrawMaskRect(itemBmp, r, filling, BehindArea(backdrop, offset, r.TopLeft()), manager.Masks[maskIndex], state,
               updateCorners);
}

}  // namespace

void PaintSectionBackground(int skinIndex, const std::string& section, const TBackdropRef& backdrop, int state,
                            const TRect& r, TPoint offset, TBitmap* itemBmp, TSkinManager* manager, int textureIndex,
                            int hotTextureIndex, TColor customColor) {
  manager = ManagerOrDefault(manager);
  if (!manager || !manager->IsSectionIndex(skinIndex) || !itemBmp || !IsPaintable(r)) return;
  const bool custom = customColor != clSkinKey;
  const TLook look = custom ? CustomLook(customColor) : LookOf(manager->Section(skinIndex), state, TVariant::Full);
  const TTexture texture = look.ImagePercent > 0
                               ? FindTexture(*manager, skinIndex, section, state, textureIndex, hotTextureIndex)
                               : TTexture{};
  const bool backdropUsable = backdrop.Ready || backdrop.FillColor != clSkinKey;
  PaintThroughTransparency(itemBmp, r, backdrop, offset, look, texture, TVariant::Full, !backdropUsable);
  if (state == 0 && !custom)
    TileWholeMaskedTexture(*manager, itemBmp, r, BehindArea(backdrop, offset, r.TopLeft()), textureIndex,
                           hotTextureIndex);
}

void PaintControlBackground(TSkinCommonData& skinData, const TBackdropRef& backdrop, int state, const TRect& r,
                            TPoint offset, TBitmap* itemBmp) {
  TColor custom = clSkinKey;
  if (skinData.CustomColor()) {
    if (auto* provider = dynamic_cast<TSkinProvider*>(skinData.HostObject())) {
      if (TForm* form = OwnerForm(provider)) custom = ColorToRGB(form->Color());
    } else if (skinData.HostControl()) {
      custom = ColorToRGB(skinData.HostControl()->Color());
    }
  }
  PaintSectionBackground(skinData.SectionIndex, skinData.SkinSection(), backdrop, state, r, offset, itemBmp,
                         skinData.GetSkinManager(), skinData.PatternIndex, skinData.HotPatternIndex, custom);
}

void PaintSectionBackgroundQuick(int skinIndex, int textureIndex, int hotTextureIndex, const std::string&,
                                 const TBackdropRef& backdrop, int state, const TRect& r, TPoint offset,
                                 TBitmap* itemBmp, TSkinManager* manager) {
  manager = ManagerOrDefault(manager);
  if (!manager || !manager->IsSectionIndex(skinIndex) || !itemBmp || !IsPaintable(r)) return;
  const TLook look = LookOf(manager->Section(skinIndex), state, TVariant::Quick);
  const TTexture texture = GivenTexture(*manager, state, textureIndex, hotTextureIndex);
  PaintThroughTransparency(itemBmp, r, backdrop, offset, look, texture, TVariant::Quick, !backdrop.Ready);
}

void PaintSection(int skinIndex, const std::string& section, const TBackdropRef& backdrop, bool filling, int state,
                  const TRect& r, TPoint offset, TBitmap* itemBmp, TSkinManager* manager, int textureIndex,
                  int hotTextureIndex) {
  manager = ManagerOrDefault(manager);
  if (!itemBmp || !IsPaintable(r) || !manager || !manager->IsSectionIndex(skinIndex) || !LiesInside(r, *itemBmp))
    return;
  PaintSectionBackground(skinIndex, section, backdrop, state, r, offset, itemBmp, manager, textureIndex,
                         hotTextureIndex, clSkinKey);
  DrawCornerImages(*manager, skinIndex, section, state, r, itemBmp);
  DrawBorders(*manager, manager->MaskIndexOf(skinIndex, section, "BORDERSMASK"), itemBmp, r, filling, backdrop, offset,
              state, true);
}

void PaintSectionToDC(int skinIndex, const std::string& section, const TBackdropRef& backdrop, bool filling,
                      int state, const TRect& r, TPoint offset, HDC dc, TSkinManager* manager) {
  manager = ManagerOrDefault(manager);
  if (!dc || !manager || !manager->IsSectionIndex(skinIndex) || r.Left < 0 || r.Top < 0 || r.Width() < 1 ||
      r.Height() < 1)
    return;
  const int saved = SaveDC(dc);
  const std::unique_ptr<TBitmap> bmp = NewBitmap24(r.Width(), r.Height());
  PaintSection(skinIndex, section, backdrop, filling, state, Rect(0, 0, r.Width(), r.Height()), offset, bmp.get(),
               manager);
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), bmp->Canvas().Handle(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void PaintSectionQuick(int skinIndex, int borderIndex, int textureIndex, int hotTextureIndex,
                       const std::string& section, const TBackdropRef& backdrop, bool filling, int state,
                       const TRect& r, TPoint offset, TBitmap* itemBmp, TSkinManager* manager) {
  manager = ManagerOrDefault(manager);
  if (!itemBmp || !manager || !manager->IsSectionIndex(skinIndex) || !LiesInside(r, *itemBmp)) return;
  PaintSectionBackgroundQuick(skinIndex, textureIndex, hotTextureIndex, section, backdrop, state, r, offset, itemBmp,
                              manager);
  DrawBorders(*manager, borderIndex, itemBmp, r, filling, backdrop, offset, state, true);
}

void PaintControl(TSkinCommonData& skinData, const TBackdropRef& backdrop, bool filling, int state, const TRect& r,
                  TPoint offset, TBitmap* itemBmp, bool updateCorners) {
  TSkinManager* manager = skinData.GetSkinManager();
  if (!itemBmp || !manager || !manager->IsSectionIndex(skinData.SectionIndex) || !LiesInside(r, *itemBmp)) return;
  PaintControlBackground(skinData, backdrop, state, r, offset, itemBmp);
  DrawBorders(*manager, skinData.BorderMaskIndex, itemBmp, r, filling, backdrop, offset, state, updateCorners);
  DrawCornerImages(*manager, skinData.SectionIndex, skinData.SkinSection(), state, r, itemBmp);
}

void PaintControlOnParent(TSkinCommonData& skinData, TControl* parent, bool filling, int state, const TRect& r,
                          TPoint offset, TBitmap* itemBmp, bool updateCorners) {
  TBackdropRef backdrop = EmptyBackdrop;
  if (parent) {
    TBackdropQuery query;
    AskBackdrop(query, parent, false);
    backdrop = QueryToBackdropRef(query);
  }
  PaintControl(skinData, backdrop, filling, state, r, offset, itemBmp, updateCorners);
}

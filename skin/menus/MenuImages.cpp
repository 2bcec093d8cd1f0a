// The menu images: one picture of each pop-up menu window shown (the
// "MAINMENU" background, the icon strip, the frame from its borders mask,
// the extra line), the region that cuts off the frame's transparent
// corners, and the window procedure that keeps the window from painting
// its frame and background over the picture.

#include <algorithm>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/ImageList.h"
#include "toolkit/gdi/Region.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "toolkit/win/WindowRegion.h"

std::vector<TSkMenuImage> MenuImages;
std::string ExtraLineSection;
std::string ExtraLineCaption;
std::unique_ptr<TBitmap> ExtraLineGlyph;
int IconStripWidth = 0;

namespace {

// The first item of the system menu's list of skins: its menu has no extra line.
constexpr const char* SkinListItem = "SkinSelectItem";

int GlyphWidthOf(TMenuItem* item) {
  if (!item->Bitmap().Empty()) return item->Bitmap().Width();
  const TMenu* menu = item->GetParentMenu();
  return menu && menu->Images() ? menu->Images()->Width() : 16;
}

// The extra line's caption reads from bottom to top.
void SetRotatedFont(TCanvas& canvas, const TFont& font, TColor color) {
  canvas.Font().Assign(font);
  canvas.Font().SetHeight(-font.Size());
  canvas.Font().SetOrientation(-2700);
  canvas.Font().SetColor(color);
}

}  // namespace

void ClearMenuImages() { MenuImages.clear(); }

void ResetMenuGlobals() {
  ClearMenuImages();
  ExtraLineSection.clear();
  ExtraLineCaption.clear();
  ExtraLineGlyph.reset();
  IconStripWidth = 0;
  CurrentItemType = smNormal;
  MenuMeasured = false;
  MdiMainProvider = nullptr;
  SysLocaleMiddleEast = false;
}

int TSkinableMenus::ExtraLineWidthOf(const TSkMenuImage& entry) const {
  if (!Owner || !Owner->MenuSupport().UseExtraLine || !entry.HaveExtraLine) return 0;
  return Owner->MenuSupport().ExtraLineWidth;
}

bool TSkinableMenus::AskExtraLineData(TMenuItem* firstItem) {
  if (!Owner || Designing() || (firstItem && firstItem->Name() == SkinListItem)) return false;
  ExtraLineSection = "EXTRALINE";
  ExtraLineGlyph.reset();
  ExtraLineCaption = "Use OnGetExtraLineData event";
  bool lineVisible = true;
  if (Owner->OnGetMenuExtraLineData)
    Owner->OnGetMenuExtraLineData(firstItem, ExtraLineSection, ExtraLineCaption, ExtraLineGlyph, lineVisible);
  ExtraLineCaption = RemoveChar(ExtraLineCaption, '&');
  if (!lineVisible) ExtraLineGlyph.reset();
  return lineVisible;
}

bool TSkinableMenus::FindMenuImage(TMenuItem* item, int width, TSkMenuImage& entry, HWND wnd, int height) {
  entry = {};
  const TMenuItem* firstItem = item && item->Parent() && item->Parent()->Count() > 0 ? item->Parent()->Items(0) : nullptr;
  const auto matches = [&](const TSkMenuImage& image) {
    return item ? image.FirstItem == firstItem : (wnd && image.Wnd == wnd);
  };
  auto found = std::find_if(MenuImages.begin(), MenuImages.end(), matches);
  if (found == MenuImages.end() && item && firstItem && width != 0) {
    BuildMenuImage(const_cast<TMenuItem*>(firstItem), width, wnd, height);
    found = std::find_if(MenuImages.begin(), MenuImages.end(), matches);
  }
  if (found == MenuImages.end()) return false;
  entry = *found;
  return true;
}

void TSkinableMenus::BuildMenuImage(TMenuItem* firstItem, int width, HWND wnd, int height) {
  TSkMenuImage entry;
  entry.FirstItem = firstItem;
  entry.Wnd = wnd;
  entry.HaveExtraLine = AskExtraLineData(firstItem);
  const int extraWidth = ExtraLineWidthOf(entry);
  entry.Image = NewBitmap24(width, height);
  TBitmap* image = entry.Image.get();
  IconStripWidth = Margin + GlyphWidthOf(firstItem) + Spacing;
  const int section = SectionIndexOf("MAINMENU");
  if (Owner && section >= 0) {
    const TRect whole{0, 0, width, height};
    const int border = SkinBorderWidth();
    PaintSectionBackground(section, "MAINMENU", EmptyBackdrop, 0, whole, {0, 0}, image, Owner, -1, -1, clFuchsia);
    const std::string& icoLine = Owner->MenuSupport().IcoLineSkin;
    if (const int strip = SectionIndexOf(icoLine.c_str()); strip >= 0 && !icoLine.empty()) {
      std::unique_ptr<TBitmap> bmp = NewBitmap24(IconStripWidth, height - 2 * border);
      PaintSection(strip, icoLine, MakeBackdropRef(image, 0, 0), true, 0, {0, 0, bmp->Width(), bmp->Height()},
                   {extraWidth + border, border}, bmp.get(), Owner);
      BitBlt(image->Canvas().Handle(), extraWidth + border, border, bmp->Width(), bmp->Height(),
             bmp->Canvas().Handle(), 0, 0, SRCCOPY);
    }
    const int mask = Owner->MaskIndexOf(section, "MAINMENU", "BORDERSMASK");
    if (mask >= 0) DrawMaskRect(image, whole, false, MakeBackdropRef(image, 0, 0), Owner->Masks[mask], 0, false);
    if (Owner->MenuSupport().UseExtraLine && entry.HaveExtraLine) {
      DrawExtraLine(image, border);
      ExtraLineGlyph.reset();
    }
    CornerRects.clear();
    if (mask >= 0) {
      const TSkinMaskData& borders = Owner->Masks[mask];
      CollectKeyRects(CornerRects, width, borders, 0, false);
      CollectKeyRects(CornerRects, width, borders, height - borders.WB, true);
    }
    if (wnd) ShapeMenuWindow(wnd, image);
  }
  MenuImages.push_back(std::move(entry));
}

// The band at the left: its section, the glyph near the bottom and the caption above it.
void TSkinableMenus::DrawExtraLine(TBitmap* image, int border) {
  const int section = SectionIndexOf(ExtraLineSection.c_str());
  if (section < 0) return;
  const TSkMenuSupport& support = Owner->MenuSupport();
  std::unique_ptr<TBitmap> strip = NewBitmap24(support.ExtraLineWidth, image->Height() - 2 * border);
  PaintSection(section, ExtraLineSection, MakeBackdropRef(image, 0, 0), true, 0, {0, 0, strip->Width(), strip->Height()},
               {border, border}, strip.get(), Owner);
  int textBottom = 12;
  if (ExtraLineGlyph) {
    strip->Canvas().Draw((strip->Width() - ExtraLineGlyph->Width()) / 2,
                         strip->Height() - ExtraLineGlyph->Height() - 12, *ExtraLineGlyph);
    textBottom = ExtraLineGlyph->Height() + 20;
  }
  if (!ExtraLineCaption.empty()) {
    TCanvas& canvas = strip->Canvas();
    SetRotatedFont(canvas, support.ExtraLineFont(), Owner->Section(section).FontColor[0]);
    const int textHeight = canvas.TextHeight(ExtraLineCaption);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect({0, 0, strip->Width(), strip->Height()}, (strip->Width() - textHeight) / 2,
                    strip->Height() - textBottom, ExtraLineCaption);
  }
  BitBlt(image->Canvas().Handle(), border, border, strip->Width(), strip->Height(), strip->Canvas().Handle(), 0, 0,
         SRCCOPY);
}

void TSkinableMenus::ShapeMenuWindow(HWND wnd, TBitmap* image) {
  if (Shaping) return;
  const auto procedure = reinterpret_cast<LONG_PTR>(&MenuWndProc);
  if (GetWindowLongPtr(wnd, GWL_WNDPROC) != procedure) {
    SetWindowLongPtr(wnd, GWL_USERDATA, GetWindowLongPtr(wnd, GWL_WNDPROC));
    SetWindowLongPtr(wnd, GWL_WNDPROC, procedure);
  }
  if (IsNTPlatform && image && SendSkinCommand(wnd, scIsMenuBorderDrawn, 0) == 0) {
    SendSkinCommand(wnd, scMenuBorderDrawn, 0);
    Shaping = true;
    const HRGN region = CreateRectRgn(0, 0, image->Width(), image->Height());
    const auto cut = [region](const TRect& r) {
      const HRGN piece = CreateRectRgnIndirect(r);
      CombineRgn(region, region, piece, RGN_DIFF);
      DeleteObject(piece);
    };
    if (CornerRects.empty()) cut({0, 0, 1, 1});
    for (const TRect& r : CornerRects) cut(r);
    SetWindowRgn(wnd, region, true);
    Application().ProcessMessages();
  }
  Shaping = false;
}

LRESULT MenuWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY: ClearMenuImages(); break;
    case WM_ERASEBKGND:
    case WM_NCPAINT: return 1;
    default: break;
  }
  return CallWindowProc(reinterpret_cast<WNDPROC>(GetWindowLongPtr(wnd, GWL_USERDATA)), wnd, msg, wParam, lParam);
}

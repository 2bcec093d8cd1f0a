#include "skin/ToolButtonLook.h"

#include <memory>

#include "skin/SkinCommonData.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/png/SkinAlphaImageList.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/ToolBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"

int ToolButtonStateIndex(const TToolButton& button, TCustomDrawState state) {
  const bool pressed = button.Marked() || button.Indeterminate();
  if (!pressed && (state == 0 || state == cdsDisabled)) return 0;
  return pressed || (state & (cdsSelected | cdsChecked)) ? 2 : 1;
}

void CopyToolButtonImage(TToolBar& bar, TToolButton* button, int stateIndex, TBitmap* bmp) {
  TImageList* list = bar.Images();
  if (stateIndex != 0 && bar.HotImages() && button->ImageIndex() < bar.HotImages()->Count()) list = bar.HotImages();
  if (!list) return;
  TPoint at;
  if (bar.List()) {
    at = {5, (button->Height() - list->Height()) / 2};
  } else {
    const int captionHeight = bar.ShowCaptions() ? bmp->Canvas().TextHeight("A") + 3 : 0;
    at = {(button->Width() - list->Width()) / 2 + 1 - (button->Style() == tbsDropDown ? 8 : 0),
          (button->Height() - list->Height() - captionHeight) / 2};
  }
  if (stateIndex == 2) at = {at.X + 1, at.Y + 1};
  // An alpha list blends its image over the button itself.
  if (auto* alpha = dynamic_cast<TSkinAlphaImageList*>(bar.Images()))
    return alpha->Draw(bmp->Canvas(), at.X, at.Y, button->ImageIndex(), true);
  // The image over the key colour; what stays key is left out.
  const std::unique_ptr<TBitmap> image = NewBitmap24(list->Width(), list->Height());
  FillDeviceRect(image->Canvas().Handle(), Rect(0, 0, list->Width(), list->Height()), clSkinKey);
  list->Draw(image->Canvas(), 0, 0, button->ImageIndex());
  CopyKeyedBitmap(bmp, image.get(), at.X, at.Y, clSkinKey);
}

void PaintToolButtonArrow(TToolBar& bar, TSkinManager* manager, TToolButton* button, bool dropped,
                          TCustomDrawState state, TBitmap* bmp, int left, const TBackdropRef& backdrop) {
  const int glyph = manager->CachedIndexes.ScrollButtonGlyphs[1];
  if (!manager->IsMaskIndex(glyph)) return;
  const int arrowState = dropped || button->Down() ? 2 : (state & cdsHot) ? 1 : 0;
  const int border = manager->MaskIndexOf(manager->SectionIndexOf("TOOLBUTTON"), "TOOLBUTTON", "BORDERSMASK");
  if (manager->IsMaskIndex(border))
    DrawMaskRect(bmp, Rect(left, 0, bmp->Width(), bar.ButtonHeight()), false, backdrop, manager->Masks[border],
                 arrowState, true);
  const TSkinMaskData& mask = manager->Masks[glyph];
  const int glyphWidth = MaskFrameWidth(mask), glyphHeight = MaskFrameHeight(mask);
  const int arrowWidth = bmp->Width() - left;
  DrawMaskImage(bmp, {(arrowWidth - glyphWidth - 3) / 2 + left + 2, (bar.ButtonHeight() - glyphHeight) / 2},
                arrowState, 1, mask, backdrop);
}

void CopyBandsAroundClient(HDC dc, HDC cache, const TRect& client, int width, int height) {
  const TRect bands[] = {Rect(0, 0, width, client.Top), Rect(0, client.Top, client.Left, client.Bottom),
                         Rect(0, client.Bottom, width, height), Rect(client.Right, client.Top, width, client.Bottom)};
  for (const TRect& band : bands)
    if (band.Width() > 0 && band.Height() > 0)
      BitBlt(dc, band.Left, band.Top, band.Width(), band.Height(), cache, band.Left, band.Top, SRCCOPY);
}

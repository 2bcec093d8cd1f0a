#include "skin/adapters/SkToolBarVCLWnd.h"

#include <memory>

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/ToolButtonLook.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/ControlCanvas.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

constexpr unsigned CaptionFlags = 0x25;  // DT_CENTER, DT_VCENTER, DT_SINGLELINE

void BarThunk(TObject* self, TToolBar*, const TRect& rect, TCustomDrawStage stage, bool& defaultDraw) {
  static_cast<TSkToolBarVCLWnd*>(self)->PaintBar(rect, stage, defaultDraw);
}

void ButtonThunk(TObject* self, TToolBar*, TToolButton* button, TCustomDrawState state, TCustomDrawStage stage,
                 TTBCustomDrawFlags& flags, bool& defaultDraw) {
  static_cast<TSkToolBarVCLWnd*>(self)->PaintButton(button, state, stage, flags, defaultDraw);
}

bool TracksHot(const TToolButton& button) {
  return button.Style() == tbsButton || button.Style() == tbsCheck || button.Style() == tbsDropDown;
}

}  // namespace

void TSkToolBarVCLWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager,
                              const std::string& section, bool repaint) {
  TSkMainWnd::Create(handle, skinData, manager, section, repaint);
  HotIndex = -1;
  if (SkinData->SectionIndex < 0) SkinData->ResolveIndexes();
  BarCtrl = dynamic_cast<TToolBar*>(SkinData->HostControl());
  if (!BarCtrl) return;
  previousBarHandler_ = BarCtrl->OnAdvancedCustomDraw;
  previousButtonHandler_ = BarCtrl->OnAdvancedCustomDrawButton;
  BarCtrl->OnAdvancedCustomDraw = TTBAdvancedCustomDrawEvent::OfMethod(&BarThunk, this);
  BarCtrl->OnAdvancedCustomDrawButton = TTBAdvancedCustomDrawBtnEvent::OfMethod(&ButtonThunk, this);
}

// The bar's handlers come back where the events still hold the adapter's:
// a paint after the adapter went must not call into it.
TSkToolBarVCLWnd::~TSkToolBarVCLWnd() {
  if (!BarCtrl || !TakeoverTarget()) return;
  if (BarCtrl->OnAdvancedCustomDraw.Method() == TTBAdvancedCustomDrawEvent::OfMethod(&BarThunk, this).Method())
    BarCtrl->OnAdvancedCustomDraw = previousBarHandler_;
  if (BarCtrl->OnAdvancedCustomDrawButton.Method() ==
      TTBAdvancedCustomDrawBtnEvent::OfMethod(&ButtonThunk, this).Method())
    BarCtrl->OnAdvancedCustomDrawButton = previousButtonHandler_;
}

bool TSkToolBarVCLWnd::Skinned() const { return BarCtrl && !Detached && SkinData && SkinData->Skinned(false); }

bool TSkToolBarVCLWnd::Designing() const { return BarCtrl && (BarCtrl->ComponentState() & csDesigning); }

TRect TSkToolBarVCLWnd::ClientInWindow() const {
  TRect client;
  ClientRectInWindow(Handle, client);
  return client;
}

void TSkToolBarVCLWnd::BuildCache() {
  SkinData->PrepareCacheBitmap();
  TBackdropRef backdrop;
  SkinData->ParentBackdrop(backdrop);
  PaintControl(*SkinData, backdrop, false, 0, Rect(0, 0, BarCtrl->Width(), BarCtrl->Height()),
               {BarCtrl->Left(), BarCtrl->Top()}, SkinData->CacheBitmap(), true);
  SkinData->CacheStale = false;
}

void TSkToolBarVCLWnd::AdapterWndProc(TMessage& message) {
  if (Skinned()) {
    switch (message.Msg) {
      case SM_SKINCMD:
        if (SubCommandOf(message.WParam) == scGetBackdrop) return AnswerBackgroundRequest(message);
        if (SubCommandOf(message.WParam) == scSkinRemoved || SubCommandOf(message.WParam) == scSkinChanged)
          DropButton = nullptr;
        break;
      case WM_ERASEBKGND: message.Result = 1; return;
      case WM_NCPAINT: return PaintBorder(nullptr);
      case WM_PRINT: return Print(reinterpret_cast<HDC>(message.WParam));
      case CN_NOTIFY: FollowNotification(message); break;
      default: break;
    }
  }
  TSkMainWnd::AdapterWndProc(message);
  if (!Skinned()) return;
  switch (message.Msg) {
    case WM_SIZE: RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE); break;
    case WM_MOUSEMOVE:
      if (!BarCtrl->Flat() && !Designing()) TrackHotButton({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
      break;
    case CN_DROPDOWNCLOSED:
      if (DropButton) {
        HotIndex = -1;
        RepaintButton(DropButton->Index());
        DropButton = nullptr;
      }
      break;
    case CM_MOUSELEAVE:
      if (!BarCtrl->Flat() && !Designing()) SetHotIndex(-1);
      break;
    default: break;
  }
}

void TSkToolBarVCLWnd::AnswerBackgroundRequest(TMessage& message) {
  ReadWindowGeometry(*this);
  auto& query = *reinterpret_cast<TBackdropQuery*>(message.LParam);
  SkinData->AnswerBackgroundRequest(query, 0, Handle);
  const TRect client = ClientInWindow();
  query.Offset.X += client.Left;
  query.Offset.Y += client.Top;
}

void TSkToolBarVCLWnd::FollowNotification(const TMessage& message) {
  const auto& record = *reinterpret_cast<const NMTOOLBAR*>(message.LParam);
  if (record.hdr.code == TBN_DELETINGBUTTON) {
    if (HotIndex >= BarCtrl->ButtonCount()) HotIndex = -1;
  } else if (record.hdr.code == TBN_DROPDOWN) {
    TBBUTTON button;
    if (SendMessage(Handle, TB_GETBUTTON, record.iItem, reinterpret_cast<LPARAM>(&button))) {
      DropButton = reinterpret_cast<TToolButton*>(button.dwData);
      RepaintButton(record.iItem);
    }
  }
}

int TSkToolBarVCLWnd::ButtonAt(TPoint point) const {
  for (int i = 0; i < BarCtrl->ButtonCount(); ++i) {
    TRect r;
    if (!SendMessage(Handle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)) || !PtInRect(r, point)) continue;
    return TracksHot(*BarCtrl->Buttons(i)) ? i : -1;
  }
  return -1;
}

// A disabled button under the mouse leaves the hot one as it is.
void TSkToolBarVCLWnd::TrackHotButton(TPoint point) {
  const int index = ButtonAt(point);
  if (index == HotIndex || (index >= 0 && !BarCtrl->Buttons(index)->Enabled())) return;
  SetHotIndex(index);
}

// The old and the new hot buttons are repainted, unless they are down.
void TSkToolBarVCLWnd::SetHotIndex(int index) {
  const int old = HotIndex;
  HotIndex = index;
  for (int i : {old, index})
    if (i >= 0 && i < BarCtrl->ButtonCount() && !BarCtrl->Buttons(i)->Down()) RepaintButton(i);
}

void TSkToolBarVCLWnd::RepaintButton(int index) {
  if (!BarCtrl || index < 0 || index >= BarCtrl->ButtonCount() || !BarCtrl->Buttons(index)->Visible()) return;
  const HDC dc = GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  const TRect client = ClientInWindow();
  OffsetWindowOrgEx(dc, -client.Left, -client.Top, nullptr);
  TTBCustomDrawFlags flags = tbNoEdges | tbNoEtchedEffect;
  bool defaultDraw = false;
  static_cast<TControlCanvas&>(BarCtrl->Canvas()).PaintWith(
      dc, [&] { PaintButton(BarCtrl->Buttons(index), 0, cdPrePaint, flags, defaultDraw); });
  RestoreDC(dc, saved);
  ReleaseDC(Handle, dc);
}

void TSkToolBarVCLWnd::PaintBar(const TRect& rect, TCustomDrawStage stage, bool& defaultDraw) {
  if (!Skinned()) {
    defaultDraw = true;
    return;
  }
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (stage != cdPrePaint) {
    defaultDraw = false;
    return;
  }
  if (SkinData->PaintSuspended) return;
  if (SkinData->CacheBitmap()) SkinData->CacheBitmap()->Canvas().Font().Assign(BarCtrl->Font());
  if (SkinData->CacheStale || !SkinData->CacheBitmap()) BuildCache();
  const TRect client = ClientInWindow();
  const HDC dc = BarCtrl->Canvas().Handle();
  CopyCacheToDC(BarCtrl, *SkinData, client, 0, 0, true, dc, rect);
  PaintGraphicChildren(dc, BarCtrl, {0, 0});
  RepaintChildren(BarCtrl);
  if (client != Rect(0, 0, BarCtrl->Width(), BarCtrl->Height())) SendMessage(Handle, WM_NCPAINT, 1, 0);
}

void TSkToolBarVCLWnd::PaintButton(TToolButton* button, TCustomDrawState state, TCustomDrawStage stage,
                                   TTBCustomDrawFlags& flags, bool& defaultDraw) {
  if (!Skinned()) {
    defaultDraw = true;
    return;
  }
  defaultDraw = false;
  if (stage != cdPrePaint || !button) return;
  TSkinManager* manager = SkinData->GetSkinManager();
  if (!BarCtrl->Flat() && !Designing() && button->Index() == HotIndex) state |= cdsHot;
  flags |= tbNoEdges | tbNoEtchedEffect;
  if (SkinData->CacheStale || !SkinData->CacheBitmap()) BuildCache();
  TRect item;
  SendMessage(Handle, TB_GETITEMRECT, button->Index(), reinterpret_cast<LPARAM>(&item));
  const std::unique_ptr<TBitmap> bmp = NewBitmap24(item.Width(), item.Height());
  bmp->Canvas().Font().Assign(BarCtrl->Font());
  const int k = ToolButtonStateIndex(*button, state);
  const TRect client = ClientInWindow();
  TBackdropRef backdrop = MakeBackdropRef(SkinData->CacheBitmap(), client.Left, client.Top);
  const int section = manager->SectionIndexOf("TOOLBUTTON");
  const TRect face{0, 0, item.Width(), button->Height()};
  PaintSectionBackground(section, "TOOLBUTTON", backdrop, k, face, {button->Left(), button->Top()}, bmp.get(),
                         manager, -1, -1, clSkinKey);
  backdrop.X += button->Left();
  backdrop.Y += button->Top();
  const int border = manager->MaskIndexOf(section, "TOOLBUTTON", "BORDERSMASK");
  if (manager->IsMaskIndex(border)) DrawMaskRect(bmp.get(), face, true, backdrop, manager->Masks[border], k, true);
  const int dropWidth = button->Style() == tbsDropDown ? GetSystemMetrics(SM_CXVSCROLL) - 2 : 0;
  const int contentWidth = item.Width() - dropWidth;
  TImageList* images = BarCtrl->Images();
  if (BarCtrl->ShowCaptions()) {
    TCanvas& canvas = bmp->Canvas();
    const int height = button->Height();
    TRect text;
    if (BarCtrl->List()) {
      text = {images ? images->Width() + 6 : 1, 2, contentWidth - 2, height - 2};
    } else {
      const int textWidth = canvas.TextWidth(button->Caption());
      const int imageHeight = images ? images->Height() : 0;
      const int y = images ? (height - imageHeight - canvas.TextHeight("A") - 3) / 2 : (height - canvas.TextHeight("A")) / 2;
      const int side = (contentWidth - textWidth) / 2;
      text = {side - 1, images ? y + imageHeight + 3 : y, contentWidth - side + 2, height - y};
    }
    if (k == 2) OffsetRect(text, 1, 1);
    WriteSectionText(canvas, button->Caption().c_str(), true, text, CaptionFlags,
                     FontSectionOfToolButton(button, section, manager), k > 0, manager);
  }
  if (images && button->ImageIndex() >= 0 && button->ImageIndex() < images->Count())
    CopyToolButtonImage(*BarCtrl, button, k, bmp.get());
  if (button->Style() == tbsDropDown)
    PaintToolButtonArrow(*BarCtrl, manager, button, button == DropButton && button->DropdownMenu, state, bmp.get(),
                         contentWidth, backdrop);
  if (!button->Enabled() || button->Indeterminate())
    DimImage(bmp.get(), dkBlended, BarCtrl->Parent(), backdrop, {0, 0});
  BitBlt(BarCtrl->Canvas().Handle(), button->Left(), button->Top(), item.Width(), item.Height(),
         bmp->Canvas().Handle(), 0, 0, SRCCOPY);
}

// The bands from the cache, then the bar's own painting (the custom-draw
// handlers) into the client part of the DC; the DC is left as it came.
void TSkToolBarVCLWnd::Print(HDC dc) {
  if (!dc) return;
  const TRect client = ClientInWindow();
  if (SkinData->CacheStale || !SkinData->CacheBitmap()) BuildCache();
  CopyBandsAroundClient(dc, SkinData->CacheBitmap()->Canvas().Handle(), client, BarCtrl->Width(), BarCtrl->Height());
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, -client.Left, -client.Top, nullptr);
  IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
  SendMessage(Handle, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

// The bands around the client area from the cache; none when the client
// area is the whole window.
void TSkToolBarVCLWnd::PaintBorder(HDC given) {
  const TRect client = ClientInWindow();
  if (client == Rect(0, 0, BarCtrl->Width(), BarCtrl->Height())) return;
  if (SkinData->CacheStale || !SkinData->CacheBitmap()) BuildCache();
  const HDC dc = given ? given : GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
  CopyBandsAroundClient(dc, SkinData->CacheBitmap()->Canvas().Handle(), client, BarCtrl->Width(), BarCtrl->Height());
  RestoreDC(dc, saved);
  if (!given) ReleaseDC(Handle, dc);
}

#include "skin/adapters/SkGroupBoxWnd.h"

#include <algorithm>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/WinControl.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

constexpr unsigned CaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

}  // namespace

TRect GroupBoxCaptionBand(TSize text, int width) {
  TRect band{6, 0, text.cx + 14, std::max(text.cy, 4) + 2};
  if (band.Right > width) band.Right = width - 1;
  return band;
}

void AnnounceNewChild(TSkMainWnd& container) {
  if (TControl* owner = container.SkinData->HostControl())
    AnnounceToParentForm(owner);
  else
    SendToTopWindow(container.Handle);
}

void TSkGroupBoxWnd::AdapterWndProc(TMessage& message) {
  if (HandledUnskinned(*this, message)) return;
  switch (message.Msg) {
    case SM_SKINCMD:
      if (SubCommandOf(message.WParam) == scGetCaptionHeight) {
        message.Result = CaptionBand().Height();
        return;
      }
      if (SubCommandOf(message.WParam) == scSkinRemoved && SkinData->HostControl())
        SkinData->HostControl()->ControlStyle &= ~csOpaque;
      break;
    case WM_SETTEXT:
      TSkMainWnd::AdapterWndProc(message);
      SkinData->CacheStale = true;
      RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return;
    case WM_PAINT:
      if (DialogMode) break;
      Paint(0, 0);
      message.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (DialogMode) break;
      message.Result = 1;
      return;
    case WM_NCPAINT:
      if (!DialogMode) break;
      Paint(0, 0);
      message.Result = 1;
      return;
    case WM_PRINT:
      if (DialogMode) break;
      SkinData->CacheStale = true;
      Paint(message.WParam, 1);
      return;
    case WM_PARENTNOTIFY:
      TSkMainWnd::AdapterWndProc(message);
      if (LOWORD(message.WParam) == WM_CREATE) AnnounceNewChild(*this);
      return;
  }
  TSkMainWnd::AdapterWndProc(message);
}

void TSkGroupBoxWnd::SelectCaptionFont() {
  SkinData->PrepareCacheBitmap();
  TCanvas& canvas = SkinData->CacheBitmap()->Canvas();
  if (TControl* host = SkinData->HostControl())
    canvas.Font().Assign(host->Font());
  else
    canvas.Font().SetHandle(reinterpret_cast<HFONT>(SendMessage(Handle, WM_GETFONT, 0, 0)));
}

TRect TSkGroupBoxWnd::CaptionBand() {
  SelectCaptionFont();
  TCanvas& canvas = SkinData->CacheBitmap()->Canvas();
  const HDC dc = canvas.Handle();
  SelectObject(dc, canvas.Font().Handle());
  TRect r{};
  DrawText(dc, WndText, r, DT_CALCRECT | DT_CENTER);
  TRect window;
  GetWindowRect(Handle, window);
  return GroupBoxCaptionBand({r.Width(), r.Height()}, window.Width());
}

void TSkGroupBoxWnd::Paint(WPARAM wParam, LPARAM lParam) {
  ReadWindowGeometry(*this);
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    const bool given = lParam == 1 && wParam;
    const HDC dc = given ? reinterpret_cast<HDC>(wParam) : GetWindowDC(Handle);
    PrepareCache();
    const TRect whole{0, 0, WndSize.cx, WndSize.cy};
    const int saved = SaveDC(dc);
    if (DialogMode) {
      const TSkinManager* manager = AdapterManager(*this);
      if (manager && manager->IsMaskIndex(SkinData->BorderMaskIndex)) {
        const TMaskBorders borders = manager->MaskBorders(SkinData->BorderMaskIndex);
        ExcludeClipRect(dc, borders.Left, CaptionBand().Height(), WndSize.cx - borders.Right,
                        WndSize.cy - borders.Bottom);
      }
    }
    CopyCacheToDCByWindows(Handle, *SkinData, whole, 0, 0, false, dc, whole);
    if (auto* owner = dynamic_cast<TWinControl*>(SkinData->HostControl())) PaintGraphicChildren(dc, owner, {0, 0});
    RestoreDC(dc, saved);
    if (!given) ReleaseDC(Handle, dc);
    RepaintChildWindows(Handle);
  }
  EndPaint(Handle, paint);
}

void TSkGroupBoxWnd::PrepareCache() {
  SelectCaptionFont();
  TBitmap* cache = SkinData->CacheBitmap();
  cache->SetSize(WndSize.cx, WndSize.cy);
  const TRect band = CaptionBand();
  const int middle = band.Height() / 2;
  TBackdropRef backdrop;
  SkinData->WindowParentBackdrop(Handle, backdrop);
  FillFromBackdrop(cache, backdrop, {0, 0, WndSize.cx, band.Bottom}, PosInParent);
  PaintSection(SkinData->SectionIndex, SkinData->SkinSection(), backdrop, false, 0, {0, middle, WndSize.cx, WndSize.cy},
               {PosInParent.X, PosInParent.Y + middle}, cache, AdapterManager(*this));
  if (!WndText.empty()) {
    FillFromBackdrop(cache, backdrop, band, PosInParent);
    TCanvas& canvas = cache->Canvas();
    canvas.Brush().SetStyle(bsClear);
    WriteControlText(canvas, WndText.c_str(), true, band, CaptionFormat, *SkinData, false);
  }
  SkinData->CacheStale = false;
}

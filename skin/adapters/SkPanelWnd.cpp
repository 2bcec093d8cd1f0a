#include "skin/adapters/SkPanelWnd.h"

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/adapters/SkGroupBoxWnd.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/SectionPainting.h"
#include "skin/paint/TextLayout.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

const char* PanelSectionOf(TPanelBevel outer, TPanelBevel inner, TBorderStyle border) {
  if (outer == bvLowered) return inner == bvRaised ? "GROUPBOX" : "PANEL_LOW";
  if (outer == bvRaised) return inner == bvLowered ? "GROUPBOX" : "PANEL";
  return border == bsSingle ? "PANEL_LOW" : "CHECKBOX";
}

namespace {

// Half of what the window's frame takes from its width: the border's width.
int FrameBorderOf(HWND window) {
  TRect bounds, client;
  GetWindowRect(window, bounds);
  GetClientRect(window, client);
  return (bounds.Width() - client.Width()) / 2;
}

// The four bands of the border, size wide, from the cache to the window's DC.
void CopyBorder(HWND window, HDC given, TBitmap* cache, int size) {
  if (size <= 0 || !cache) return;
  const HDC dc = given ? given : GetWindowDC(window);
  BlitFrame(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, size);
  if (!given) ReleaseDC(window, dc);
}

}  // namespace

// ---------------------------------------------------------------- toolkit panels

void TSkPanelWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager, const std::string& section,
                         bool repaint) {
  TSkMainWnd::Create(handle, skinData, manager, section, repaint);
  if (const TPanel* owner = Owner())
    SkinData->SetSkinSection(PanelSectionOf(owner->BevelOuter(), owner->BevelInner(), owner->BorderStyle()));
}

TPanel* TSkPanelWnd::Owner() const { return dynamic_cast<TPanel*>(SkinData->HostControl()); }

void TSkPanelWnd::AdapterWndProc(TMessage& message) {
  TPanel* owner = Owner();
  if (Detached || !owner || !(owner->ControlStyle & csAcceptsControls)) {
    TSkMainWnd::AdapterWndProc(message);
    return;
  }
  if (message.Msg == SM_SKINCMD && SkinCommand(message)) return;
  if (message.Msg != SM_SKINCMD && SkinData->Skinned(false)) {
    switch (message.Msg) {
      case WM_SETTEXT:
        if (!IsWindowVisible(Handle)) break;
        SendMessage(Handle, WM_SETREDRAW, 0, 0);
        TSkMainWnd::AdapterWndProc(message);
        SendMessage(Handle, WM_SETREDRAW, 1, 0);
        SkinData->CacheStale = true;
        SendMessage(Handle, WM_PAINT, 0, 0);
        return;
      case WM_PAINT: {
        InvalidateRect(Handle, nullptr, true);
        PAINTSTRUCT paint;
        BeginPaint(Handle, paint);
        EndPaint(Handle, paint);
        return;
      }
      case WM_ERASEBKGND:
        PaintClient(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
      case WM_NCPAINT:
        PaintBorder(nullptr);
        return;
      case WM_UPDATEUISTATE:
        message.Result = 1;
        return;
      case WM_PARENTNOTIFY:
        TSkMainWnd::AdapterWndProc(message);
        if (LOWORD(message.WParam) == WM_CREATE) AnnounceNewChild(*this);
        return;
      case WM_PRINT:
        PaintClient(reinterpret_cast<HDC>(message.WParam));
        PaintBorder(reinterpret_cast<HDC>(message.WParam));
        return;
    }
  }
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg == WM_WINDOWPOSCHANGING) SendMessage(Handle, WM_NCPAINT, 0, 0);
}

bool TSkPanelWnd::SkinCommand(TMessage& message) {
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      BroadcastToChildren(Owner(), message);
      return false;
    case scSkinRemoved:
      SkinData->SectionIndex = -1;
      Owner()->ControlStyle &= ~csOpaque;
      return false;
    case scResumePainting:
      SkinData->PaintSuspended = false;
      RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    case scIsSkinnable:
      message.Result = 1;
      return true;
    case scPaintBackdropToCache:
      return true;
    case scGetApplication:
      message.Result = reinterpret_cast<LRESULT>(&Application());
      return true;
    default:
      return false;
  }
}

void TSkPanelWnd::PaintClient(HDC given) {
  TPanel* owner = Owner();
  if (owner->IsDestroying() || (owner->Parent() && (owner->Parent()->ControlState & csCreating))) return;
  const HDC dc = given ? given : GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    if (SkinData->PartlyPainted || SkinData->CacheStale) PrepareCache();
    SkinData->PartlyPainted = false;
    const int border = FrameBorderOf(Handle);
    const TRect inside{border, border, owner->Width() - border, owner->Height() - border};
    CopyCacheToDC(owner, *SkinData, inside, 0, 0, false, dc, inside);
    PaintGraphicChildren(dc, owner, {0, 0});
    if (!AnimationRunning) RepaintChildren(owner);
  }
  RestoreDC(dc, saved);
  if (!given) ReleaseDC(Handle, dc);
}

void TSkPanelWnd::PaintBorder(HDC given) {
  if (SkinData->CacheStale) PrepareCache();
  CopyBorder(Handle, given, SkinData->CacheBitmap(), FrameBorderOf(Handle));
}

void TSkPanelWnd::PrepareCache() {
  TPanel* owner = Owner();
  SkinData->PrepareCacheBitmap();
  TBitmap* cache = SkinData->CacheBitmap();
  const TRect whole{0, 0, owner->Width(), owner->Height()};
  PaintControlOnParent(*SkinData, owner->Parent(), false, 0, whole, {owner->Left(), owner->Top()}, cache, true);
  const int bevels = (owner->BevelOuter() != bvNone ? 1 : 0) + (owner->BevelInner() != bvNone ? 1 : 0);
  const int inset = owner->BorderWidth() + owner->BevelWidth() * bevels;
  TRect r = owner->ClientRect();
  InflateRect(r, -inset, -inset);
  TCanvas& canvas = cache->Canvas();
  canvas.Font().Assign(owner->Font());
  canvas.Brush().SetStyle(bsClear);
  const int lineHeight = canvas.TextHeight("W");
  r.Top = (r.Top + r.Bottom - lineHeight) / 2;
  r.Bottom = r.Top + lineHeight;
  WriteControlText(canvas, owner->Caption().c_str(), owner->Enabled(), r, DT_VCENTER | DT_CENTER, *SkinData, false);
  SkinData->CacheStale = false;
}

// ---------------------------------------------------------------- panels of standard dialogs

void TSkDlgPanelWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager,
                            const std::string& section, bool repaint) {
  // The window's own control, whoever owns it (forms need not belong to the application).
  FoundCtrl = TWinControl::FindControl(handle);
  TSkMainWnd::Create(handle, skinData, manager, section, repaint);
  const bool plainPanel = FoundCtrl && FoundCtrl->ClassName() == "TPanel";
  SkinData->SetSkinSection(plainPanel ? "CHECKBOX" : "GROUPBOX");
  if (plainPanel) TakeGlobalColor();
}

void TSkDlgPanelWnd::TakeGlobalColor() {
  const TSkinManager* manager = AdapterManager(*this);
  if (FoundCtrl && manager && FoundCtrl->Color() != manager->GlobalColor()) FoundCtrl->SetColor(manager->GlobalColor());
}

void TSkDlgPanelWnd::ApplySkinLook() {
  TSkMainWnd::ApplySkinLook();
  TakeGlobalColor();
}

void TSkDlgPanelWnd::AdapterWndProc(TMessage& message) {
  if (Detached) {
    TSkMainWnd::AdapterWndProc(message);
    return;
  }
  switch (message.Msg) {
    case SM_SKINCMD:
      if (SubCommandOf(message.WParam) == scSkinApplied) {
        if (auto* owner = dynamic_cast<TWinControl*>(SkinData->HostControl())) BroadcastToChildren(owner, message);
      }
      break;
    case WM_SETTEXT:
      if (IsWindowVisible(Handle)) SkinData->CacheStale = true;
      break;
    case WM_PAINT: {
      if (!SkinLookApplied) ApplySkinLook();
      TakeGlobalColor();
      PAINTSTRUCT paint;
      BeginPaint(Handle, paint);
      EndPaint(Handle, paint);
      return;
    }
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(message.WParam);
      const int saved = SaveDC(dc);
      PaintClient(dc);
      IntersectClipRect(dc, 6, 6, WndSize.cx - 6, WndSize.cy - 6);
      CallPrevWndProc(WM_PAINT, message.WParam, message.LParam);
      RestoreDC(dc, saved);
      message.Result = 1;
      return;
    }
    case WM_NCPAINT:
      PaintBorder(nullptr);
      message.Result = 1;
      return;
    case WM_UPDATEUISTATE:
      message.Result = 1;
      return;
    case WM_PARENTNOTIFY:
      TSkMainWnd::AdapterWndProc(message);
      TakeGlobalColor();
      if (LOWORD(message.WParam) == WM_CREATE) AnnounceNewChild(*this);
      return;
    case WM_PRINT:
      PaintClient(reinterpret_cast<HDC>(message.WParam));
      PaintBorder(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_THEMECHANGED:
      if (FoundCtrl && FoundCtrl->Color() != clBtnFace) FoundCtrl->SetColor(clBtnFace);
      break;
  }
  TSkMainWnd::AdapterWndProc(message);
}

int TSkDlgPanelWnd::BorderSize() const { return FrameBorderOf(Handle); }

void TSkDlgPanelWnd::PrepareCache() {
  ReadWindowGeometry(*this);
  SkinData->PrepareCacheBitmap();
  TBitmap* cache = SkinData->CacheBitmap();
  if (cache->Width() != WndSize.cx || cache->Height() != WndSize.cy) cache->SetSize(WndSize.cx, WndSize.cy);
  TBackdropRef backdrop;
  SkinData->WindowParentBackdrop(Handle, backdrop);
  PaintSection(SkinData->SectionIndex, SkinData->SkinSection(), backdrop, false, 0, {0, 0, WndSize.cx, WndSize.cy},
               PosInParent, cache, AdapterManager(*this));
  SkinData->CacheStale = false;
}

void TSkDlgPanelWnd::PaintClient(HDC given) {
  if (!SkinData->Skinned(false)) return;
  const HDC dc = given ? given : GetWindowDC(Handle);
  const int saved = SaveDC(dc);
  SkinData->PaintSuspended = SkinData->PaintingSuspended();
  if (!SkinData->PaintSuspended) {
    PrepareCache();
    const int b = BorderSize();
    BitBlt(dc, b, b, WndSize.cx - 2 * b, WndSize.cy - 2 * b, SkinData->CacheBitmap()->Canvas().Handle(), b, b,
           SRCCOPY);
  }
  RestoreDC(dc, saved);
  if (!given) ReleaseDC(Handle, dc);
}

void TSkDlgPanelWnd::PaintBorder(HDC given) {
  SkinData->CacheStale = true;
  PrepareCache();
  CopyBorder(Handle, given, SkinData->CacheBitmap(), BorderSize() + 6);
}

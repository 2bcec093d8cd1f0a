#include "skin/adapters/SkPageControlWnd.h"

#include <algorithm>
#include <vector>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/AdapterPainting.h"
#include "skin/paint/Backdrop.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

std::vector<TSkAdapterPtr<TSkPageWnd>>& PageList() {
  static std::vector<TSkAdapterPtr<TSkPageWnd>> pages;
  return pages;
}

// Frees the adapter of a page whose window is gone. The adapter is in the
// middle of its last message: nothing of it may be touched afterwards.
void ReleasePage(TSkPageWnd* page) {
  auto& pages = PageList();
  const auto found =
      std::find_if(pages.begin(), pages.end(), [page](const TSkAdapterPtr<TSkPageWnd>& p) { return p.get() == page; });
  if (found != pages.end()) pages.erase(found);
}

}  // namespace

std::size_t PageAdapterCount() { return PageList().size(); }

void FreePageAdapters() {
  auto& pages = PageList();
  for (auto& page : pages) page.reset();
  pages.clear();
}

// ---------------------------------------------------------------- the page control

void TSkPageControlWnd::AdapterWndProc(TMessage& message) {
  if (!Detached && SkinData->Skinned(false)) {
    switch (message.Msg) {
      case WM_ERASEBKGND:
        if (!IsWindowVisible(Handle)) break;
        if (!AnimationRunning) Paint(0);
        message.Result = 1;
        return;
      case WM_NCPAINT:
        AttachPages();
        return;
      case WM_PARENTNOTIFY:
        if (LOWORD(message.WParam) == WM_CREATE) AttachPages();
        break;
    }
  }
  TSkTabControlWnd::AdapterWndProc(message);
}

void TSkPageControlWnd::AttachPages() {
  EnumChildWindows(Handle, [this](HWND child) {
    if (GetParent(child) != Handle) return true;
    auto* manager = reinterpret_cast<TSkinManager*>(SendSkinCommand(Handle, scGetTabManager, 0));
    if (!manager || WindowAnswersOne(child, scIsSkinnable)) return true;
    PageList().push_back(TSkMainWnd::Make<TSkPageWnd>(child, nullptr, manager, "CHECKBOX", false));
    return true;
  });
}

// ---------------------------------------------------------------- pages

void TSkPageWnd::AdapterWndProc(TMessage& message) {
  // The framework gives the window back at the first of the two.
  if (message.Msg == WM_DESTROY || message.Msg == WM_NCDESTROY) {
    TSkMainWnd::AdapterWndProc(message);
    ReleasePage(this);
    return;
  }
  if (Detached) {
    TSkMainWnd::AdapterWndProc(message);
    return;
  }
  if (message.Msg == SM_SKINCMD && AnswerSkinCommand(message)) return;
  if (SkinData->Skinned(false)) {
    switch (message.Msg) {
      case WM_ERASEBKGND:
        if (!IsWindowVisible(Handle)) break;
        Paint(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
      case WM_NCPAINT:
        return;
      case WM_PRINT:
        Paint(reinterpret_cast<HDC>(message.WParam));
        SendMessage(Handle, WM_PAINT, message.WParam, message.LParam);
        message.Result = 1;
        return;
    }
  }
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg == WM_PARENTNOTIFY && LOWORD(message.WParam) == WM_CREATE) SendToTopWindow(Handle);
}

bool TSkPageWnd::AnswerSkinCommand(TMessage& message) {
  const bool fromOwn = reinterpret_cast<TSkinManager*>(message.LParam) == AdapterManager(*this);
  switch (SubCommandOf(message.WParam)) {
    case scSkinApplied:
      TellNewSkin(*this, message, fromOwn);
      return true;
    case scSkinRemoved:
    case scSkinChanged:
      TakeSkinChange(*this, message, fromOwn);
      BroadcastToChildWindows(Handle, message);
      return SubCommandOf(message.WParam) == scSkinChanged;
    case scResumePainting:
      if (!SkinData->PaintingSuspended()) return false;
      SkinData->PaintSuspended = false;
      InvalidateRect(Handle, nullptr, true);
      return true;
    case scIsSkinnable: message.Result = 1; return true;
    case scIsPaintingSuspended: message.Result = SkinData->PaintSuspended ? 1 : 0; return true;
    case scGetBackdrop: {
      ReadWindowGeometry(*this);
      SendSkinCommand(GetParent(Handle), scGetBackdrop, message.LParam);
      auto& query = *reinterpret_cast<TBackdropQuery*>(message.LParam);
      query.Offset = {query.Offset.X + PosInParent.X, query.Offset.Y + PosInParent.Y};
      return true;
    }
    default: return false;
  }
}

void TSkPageWnd::Paint(HDC dc) {
  ReadWindowGeometry(*this);
  TBackdropQuery query;
  AskWindowBackdrop(query, ParentHandle, false);
  const TBackdropRef backdrop = QueryToBackdropRef(query);
  const TRect whole{0, 0, WndSize.cx, WndSize.cy};
  if (backdrop.Ready && backdrop.Bmp) {
    BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, backdrop.Bmp->Canvas().Handle(), backdrop.X + PosInParent.X,
           backdrop.Y + PosInParent.Y, SRCCOPY);
    return;
  }
  FillDeviceRect(dc, whole, backdrop.FillColor);
  if (!query.Bmp) return;
  const TPageStrip strip =
      PageStripOf(TabOrientationOf(DWORD(GetWindowLongPtr(ParentHandle, GWL_STYLE))), WndSize, PosInParent);
  BitBlt(dc, strip.Dest.Left, strip.Dest.Top, strip.Dest.Width(), strip.Dest.Height(), query.Bmp->Canvas().Handle(),
         strip.Source.X, strip.Source.Y, SRCCOPY);
}

#include "skin/adapters/AdapterPainting.h"

#include <algorithm>

#include "skin/ControlRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/adapters/SkMainWnd.h"
#include "skin/paint/Backdrop.h"
#include "skin/paint/PixelRoutines.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

bool HandledUnskinned(TSkMainWnd& adapter, TMessage& message) {
  if (!adapter.Detached && adapter.SkinData->Skinned(false)) return false;
  adapter.TSkMainWnd::AdapterWndProc(message);
  return true;
}

void TellNewSkin(TSkMainWnd& adapter, TMessage& message, bool fromOwn) {
  BroadcastToChildWindows(adapter.Handle, message);
  if (fromOwn) HandleCommonMessage(message, adapter.SkinData);
}

void TakeSkinChange(TSkMainWnd& adapter, TMessage& message, bool fromOwn) {
  if (!fromOwn) return;
  HandleCommonMessage(message, adapter.SkinData);
  InvalidateRect(adapter.Handle, nullptr, true);
}

TSkinManager* AdapterManager(const TSkMainWnd& adapter) {
  if (adapter.Manager) return adapter.Manager;
  return adapter.SkinData ? adapter.SkinData->GetSkinManager() : nullptr;
}

bool IsHotWindow(HWND window) {
  const TSkinManager* manager = DefaultManager();
  return window && manager && manager->HotWindow() == window;
}

bool TrackHotWindow(HWND window) {
  TSkinManager* manager = DefaultManager();
  if (!manager || (manager->ComponentState() & csDesigning) || !IsWindowEnabled(window)) return false;
  TPoint cursor;
  TRect bounds;
  GetCursorPos(cursor);
  GetWindowRect(window, bounds);
  if (!PtInRect(bounds, cursor)) {
    if (manager->HotWindow() == window) manager->ChangeHotWindow(nullptr);
    return false;
  }
  if (manager->HotWindow() == window) return true;
  manager->ChangeHotWindow(window);
  return false;
}

TAdapterDC::TAdapterDC(HWND window, WPARAM wParam)
    : window_(window), dc_(reinterpret_cast<HDC>(wParam)), borrowed_(wParam == 0) {
  if (borrowed_) dc_ = GetDC(window);
}

TAdapterDC::~TAdapterDC() {
  if (borrowed_ && dc_) ReleaseDC(window_, dc_);
}

void FillFromBackdrop(TBitmap* cache, const TBackdropRef& backdrop, const TRect& r, TPoint pos) {
  if (!cache || IsRectEmpty(r)) return;
  const HDC dc = cache->Canvas().Handle();
  if (backdrop.Ready && backdrop.Bmp) {
    const int width = std::min(r.Width(), backdrop.Bmp->Width()), height = std::min(r.Height(), backdrop.Bmp->Height());
    BitBlt(dc, r.Left, r.Top, width, height, backdrop.Bmp->Canvas().Handle(), backdrop.X + pos.X + r.Left,
           backdrop.Y + pos.Y + r.Top, SRCCOPY);
    return;
  }
  FillDeviceRect(dc, r, backdrop.FillColor);
}

void FadeDisabledCache(TBitmap* cache, const TBackdropRef& backdrop, TPoint pos) {
  if (!cache) return;
  if (backdrop.Ready && backdrop.Bmp) {
    const int left = backdrop.X + pos.X, top = backdrop.Y + pos.Y;
    BlendKeyedRect(cache, 0, 0, backdrop.Bmp, {left, top, left + cache->Width() - 1, top + cache->Height() - 1}, 0.4,
                   0xFFFFFFFF);
    return;
  }
  TintBitmap(cache, backdrop.FillColor, clSkinKey, 0.4);
}

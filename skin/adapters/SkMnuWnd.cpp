#include "skin/adapters/SkMnuWnd.h"

#include "skin/SkinCommonData.h"
#include "skin/menus/SkinableMenus.h"
#include "skin/paint/FrameRoutines.h"
#include "skin/paint/MaskDrawing.h"
#include "skin/paint/SectionPainting.h"
#include "skin/skins/SkinManager.h"
#include "toolkit/controls/Application.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

// The platform's menu window frame on every side.
constexpr int MenuFrameWidth = 3;

}  // namespace

void TSkMnuWnd::AdapterWndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY: return WindowGoes(message);
    case SM_SKINCMD:
      if (HandleMenuSkinCommand(message)) return;
      break;
    case WM_ERASEBKGND:
      if (MenuMeasured) return EraseBackground(message);
      break;
    case WM_NCPAINT:
      if (MenuMeasured && MenusActive()) return PaintFrame();
      break;
    default: break;
  }
  TSkScrollWnd::AdapterWndProc(message);
}

bool TSkMnuWnd::MenusActive() const {
  const TSkinManager* manager = SkinData ? SkinData->GetSkinManager() : nullptr;
  return manager && manager->SkinableMenus().Active();
}

bool TSkMnuWnd::HandleMenuSkinCommand(TMessage& message) {
  switch (SubCommandOf(message.WParam)) {
    case scIsSkinnable: message.Result = 1; break;
    case scIsMenuBorderDrawn: message.Result = BorderDrawn ? 1 : 0; break;
    case scMenuBorderDrawn:
      if (IsWindowVisible(Handle)) BorderDrawn = true;
      break;
    case scGetApplication: message.Result = reinterpret_cast<LRESULT>(&Application()); break;
    default: break;
  }
  return true;
}

// The window's procedure answers first; then the window is given back and
// the menus hear that a menu window closed. The adapter frees itself last:
// nothing touches it after.
void TSkMnuWnd::WindowGoes(TMessage& message) {
  BorderDrawn = false;
  message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
  const bool release = !Detached && (PrevWndProc || SavedWindowProc);
  if (release) DetachScrollWindow(*this, false);
  ClearMenuImages();
  MenuMeasured = false;
  if (release) Destroy();
}

void TSkMnuWnd::EraseBackground(TMessage& message) {
  PrepareCache();
  const auto given = reinterpret_cast<HDC>(message.WParam);
  const HDC dc = given ? given : GetDC(Handle);
  const TBitmap* cache = SkinData->CacheBitmap();
  if (cache)
    BitBlt(dc, 0, 0, cache->Width(), cache->Height(), const_cast<TBitmap*>(cache)->Canvas().Handle(), MenuFrameWidth,
           MenuFrameWidth, SRCCOPY);
  if (!given) ReleaseDC(Handle, dc);
  BorderDrawn = false;
  message.Result = 1;
}

void TSkMnuWnd::PaintFrame() {
  TSkMenuImage entry;
  SkinData->GetSkinManager()->SkinableMenus().FindMenuImage(nullptr, 0, entry, Handle, 0);
  TRect bounds;
  GetWindowRect(Handle, bounds);
  // The menus build the image at the window's size: only then is it this window's picture.
  TBitmap* source = entry.Image.get();
  if (!source || source->Width() != bounds.Width() || source->Height() != bounds.Height()) {
    PrepareCache();
    source = SkinData->CacheBitmap();
  }
  if (!source) return;
  const HDC dc = GetWindowDC(Handle);
  BlitFrame(dc, 0, 0, bounds.Width(), bounds.Height(), source->Canvas().Handle(), 0, 0, MenuFrameWidth);
  ReleaseDC(Handle, dc);
}

void TSkMnuWnd::PrepareCache() {
  ReadWindowGeometry(*this);
  if (!SkinData->CacheStale) return;
  SkinData->PrepareCacheBitmap();
  TBitmap* cache = SkinData->CacheBitmap();
  cache->SetPixelFormat(pf24bit);
  cache->SetSize(WndSize.cx, WndSize.cy);
  TRect parentRect{};
  if (const HWND parent = GetParent(Handle)) GetWindowRect(parent, parentRect);
  TRect windowRect;
  GetWindowRect(Handle, windowRect);
  PaintSection(SkinData->SectionIndex, SkinData->SkinSection(), EmptyBackdrop, true, 0,
               {0, 0, WndSize.cx, WndSize.cy},
               {windowRect.Left - parentRect.Left, windowRect.Top - parentRect.Top}, cache, SkinData->GetSkinManager());
  FillTransparentCorners(*SkinData, 0, *this);
  SkinData->CacheStale = false;
}

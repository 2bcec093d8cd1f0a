#include "skin/adapters/SkStatusBarWnd.h"

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
#include "toolkit/controls/StatusBar.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"

namespace {

constexpr unsigned PanelTextFlags = 0x24;  // DT_SINGLELINE, DT_VCENTER
constexpr WPARAM SimplePart = 255;

}  // namespace

void TSkStatusBarWnd::Create(HWND handle, TSkinCommonData* skinData, TSkinManager* manager,
                             const std::string& section, bool repaint) {
  TSkMainWnd::Create(handle, skinData, manager, section, repaint);
  if (SkinData->SectionIndex < 0) SkinData->ResolveIndexes();
  StatusCtrl = dynamic_cast<TStatusBar*>(SkinData->HostControl());
}

bool TSkStatusBarWnd::Skinned() const { return !Detached && SkinData && SkinData->Skinned(false); }

void TSkStatusBarWnd::AdapterWndProc(TMessage& message) {
  if (Skinned()) {
    switch (message.Msg) {
      case WM_PAINT: {
        InvalidateRect(Handle, nullptr, true);
        PAINTSTRUCT paint;
        BeginPaint(Handle, paint);
        EndPaint(Handle, paint);
        message.Result = 0;
        return;
      }
      case WM_ERASEBKGND:
      case WM_PRINT:
        PaintAll(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
      case WM_NCPAINT: PaintBorder(nullptr); return;
      default: break;
    }
  }
  TSkMainWnd::AdapterWndProc(message);
  if (message.Msg == WM_SIZE && Skinned()) RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void TSkStatusBarWnd::PaintAll(HDC given) {
  ReadWindowGeometry(*this);
  BuildCache();
  const HDC dc = given ? given : GetWindowDC(Handle);
  TBitmap* cache = SkinData->CacheBitmap();
  BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas().Handle(), 0, 0, SRCCOPY);
  if (!given) ReleaseDC(Handle, dc);
}

void TSkStatusBarWnd::PaintBorder(HDC given) {
  if (!StatusCtrl) return;
  ReadWindowGeometry(*this);
  if (SkinData->CacheStale || !SkinData->CacheBitmap()) BuildCache();
  TRect client;
  ClientRectInWindow(Handle, client);
  const HDC dc = given ? given : GetWindowDC(Handle);
  CopyBandsAroundClient(dc, SkinData->CacheBitmap()->Canvas().Handle(), client, WndSize.cx, WndSize.cy);
  if (!given) ReleaseDC(Handle, dc);
}

void TSkStatusBarWnd::BuildCache() {
  SkinData->PrepareCacheBitmap();
  TBitmap* cache = SkinData->CacheBitmap();
  cache->SetSize(WndSize.cx, WndSize.cy);
  TBackdropRef backdrop;
  SkinData->WindowParentBackdrop(Handle, backdrop);
  PaintControl(*SkinData, backdrop, false, 0, {0, 0, WndSize.cx, WndSize.cy}, PosInParent, cache, true);
  if (SendMessage(Handle, SB_ISSIMPLE, 0, 0) == 1) {
    PaintPanel(-1, {0, 1, WndSize.cx - 1, WndSize.cy - 1}, true);
  } else {
    const auto parts = static_cast<int>(SendMessage(Handle, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
      TRect panel;
      SendMessage(Handle, SB_GETRECT, i, reinterpret_cast<LPARAM>(&panel));
      InflateRect(panel, -1, -1);
      PaintPanel(i, panel, false);
      if (i + 1 < parts && SkinData->GetSkinManager()->MaskIndexOf(SkinData->SectionIndex, SkinData->SkinSection(),
                                                                    "STATUSPANELMASK") < 0)
        PaintDivider(panel);
    }
  }
  SkinData->CacheStale = false;
}

void TSkStatusBarWnd::PaintPanel(int index, const TRect& panel, bool simple) {
  TSkinManager* manager = SkinData->GetSkinManager();
  TBitmap* cache = SkinData->CacheBitmap();
  if (!manager->IsSectionIndex(SkinData->SectionIndex)) return;
  const int mask = manager->MaskIndexOf(SkinData->SectionIndex, SkinData->SkinSection(), "STATUSPANELMASK");
  if (mask >= 0)
    DrawMaskRect(cache, simple ? TRect{0, 0, WndSize.cx, WndSize.cy} : panel, true, EmptyBackdrop,
                 manager->Masks[mask], 0, false);
  TRect text = panel;
  InflateRect(text, -1, -1);
  text.Bottom -= 1;
  text.Left += 2;
  text.Right -= 4;
  if (!StatusCtrl) return;
  TCanvas& canvas = cache->Canvas();
  canvas.Font().Assign(StatusCtrl->Font());
  const std::string fitted = FitText(canvas, PanelText(index, simple), text.Width());
  WriteControlText(canvas, fitted.c_str(), true, text, PanelTextFlags, *SkinData, false);
}

// A DIVIDER strip at the panel's right edge, over the cache.
void TSkStatusBarWnd::PaintDivider(const TRect& panel) {
  TSkinManager* manager = SkinData->GetSkinManager();
  const int section = manager->SectionIndexOf("DIVIDER");
  const int mask = section >= 0 ? manager->MaskIndexOf(section, "DIVIDER", "BORDERSMASK") : -1;
  if (mask < 0) return;
  TBitmap* cache = SkinData->CacheBitmap();
  const int width = MaskFrameWidth(manager->Masks[mask]) - 1, height = WndSize.cy - 2;
  if (width <= 0 || height <= 0) return;
  const std::unique_ptr<TBitmap> strip = NewBitmap24(width, height);
  const TPoint at{panel.Right - width, 1};
  BitBlt(strip->Canvas().Handle(), 0, 0, width, height, cache->Canvas().Handle(), at.X, panel.Top, SRCCOPY);
  PaintSection(section, "DIVIDER", MakeBackdropRef(cache, 0, 0), true, 0, {0, 0, width, height}, at, strip.get(),
               manager);
  BitBlt(cache->Canvas().Handle(), at.X, at.Y, width, height, strip->Canvas().Handle(), 0, 0, SRCCOPY);
}

// Simple texts are read at their length: SB_GETTEXT takes no buffer size.
std::string TSkStatusBarWnd::SimpleText() const {
  const auto length = LOWORD(static_cast<DWORD>(SendMessage(Handle, SB_GETTEXTLENGTH, SimplePart, 0)));
  std::string text(length + 1u, '\0');
  SendMessage(Handle, SB_GETTEXT, SimplePart, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

std::string TSkStatusBarWnd::PanelText(int index, bool simple) const {
  if (simple) return SimpleText();
  if (!StatusCtrl) return {};
  if (StatusCtrl->Panels().Count() == 0) return StatusCtrl->SimpleText();
  return StatusCtrl->Panels()[index].Text();
}

#include "skin/adapters/SkStaticWnd.h"

#include "skin/ControlRoutines.h"
#include "skin/GeneralRoutines.h"
#include "skin/SkinCommonData.h"
#include "skin/paint/TextLayout.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/gdi/Icon.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Window.h"

namespace {

// Hands the system's message font to the canvas (the platform's default when it cannot be read).
void UseMessageFont(TCanvas& canvas) {
  NONCLIENTMETRICS metrics;
  if (!SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
  const HFONT font = CreateFontIndirect(metrics.lfMessageFont);
  canvas.Font().SetHandle(font);
  DeleteObject(font);
}

}  // namespace

std::string LinkTextShown(const std::string& text) {
  return ReplaceAllText(ReplaceAllText(text, "<A>", ""), "</A>", "");
}

// ---------------------------------------------------------------- static text

bool TSkStaticWnd::PaintsItself() const {
  return (GetWindowLongPtr(Handle, GWL_STYLE) & WS_TABSTOP) || (GetWindowLongPtr(Handle, GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

void TSkStaticWnd::AdapterWndProc(TMessage& message) {
  if (!Detached && PaintsItself()) {
    message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
    return;
  }
  switch (message.Msg) {
    case WM_ERASEBKGND:
      if (!IsWindowVisible(Handle)) break;
      PaintOnErase(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(Handle, paint);
      EndPaint(Handle, paint);
      return;
    }
    case WM_MOVE:
      // The parent's background under the window changed.
      SkinData->CacheStale = true;
      TSkMainWnd::AdapterWndProc(message);
      RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
      return;
    case WM_SETTEXT:
      SkinData->CacheStale = true;
      RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
      message.Result = CallPrevWndProc(message.Msg, message.WParam, message.LParam);
      ReadWindowText();
      return;
    default: break;
  }
  TSkMainWnd::AdapterWndProc(message);
}

void TSkStaticWnd::PaintOnErase(HDC given) {
  ReadWindowGeometry(*this);
  const HDC dc = given ? given : GetDC(Handle);
  const int saved = SaveDC(dc);
  SkinData->CacheStale = true;
  SkinData->PrepareCacheBitmap();
  TBitmap& cache = *SkinData->CacheBitmap();
  cache.SetSize(WndSize.cx, WndSize.cy);
  SendSkinCommand(Handle, scPaintBackdropToCache, 0);
  PaintContent(cache);
  RestoreDC(dc, saved);
  BitBlt(dc, 0, 0, WndSize.cx, WndSize.cy, cache.Canvas().Handle(), 0, 0, SRCCOPY);
  if (!given) ReleaseDC(Handle, dc);
}

void TSkStaticWnd::PaintText(TBitmap& cache, const std::string& text) {
  TCanvas& canvas = cache.Canvas();
  canvas.Brush().SetStyle(bsClear);
  UseMessageFont(canvas);
  WriteSectionText(canvas, text.c_str(), true, {0, 0, WndSize.cx + 4, WndSize.cy},
                   DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP, SkinData->SectionIndex, false, SkinData->GetSkinManager());
}

void TSkStaticWnd::PaintContent(TBitmap& cache) { PaintText(cache, WndText); }

void TSkIconWnd::PaintContent(TBitmap& cache) {
  if (const auto icon = reinterpret_cast<HICON>(SendMessage(Handle, STM_GETICON, 0, 0)))
    DrawIconEx(cache.Canvas().Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

void TSkLinkWnd::PaintContent(TBitmap& cache) { PaintText(cache, LinkTextShown(WndText)); }

// ---------------------------------------------------------------- transparent panel

void TSkTransPanelWnd::AdapterWndProc(TMessage& message) {
  if (!Detached && message.Msg == WM_ERASEBKGND) {
    PaintPanel();
    return;
  }
  if (!Detached && message.Msg == WM_NCPAINT) return;
  TSkMainWnd::AdapterWndProc(message);
}

void TSkTransPanelWnd::PaintPanel() {
  GetWindowRect(Handle, ScreenRect);
  WndSize = {ScreenRect.Width(), ScreenRect.Height()};
  PAINTSTRUCT paint;
  BeginPaint(Handle, paint);
  const HDC dc = GetWindowDC(Handle);
  SkinData->CacheStale = true;
  SendSkinCommand(Handle, scPaintBackdropToCache, 0);
  const TRect whole{0, 0, WndSize.cx, WndSize.cy};
  CopyCacheToDCByWindows(Handle, *SkinData, whole, 0, 0, false, dc, whole);
  ReleaseDC(Handle, dc);
  EndPaint(Handle, paint);
}

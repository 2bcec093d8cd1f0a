#include "toolkit/win/NonClient.h"

#include <algorithm>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/MenuRecord.h"
#include "toolkit/win/SysMetrics.h"

namespace {

bool DesktopFramed(const TWindowRecord& record) {
  return !record.IsChild() && (record.Style & WS_CAPTION) == WS_CAPTION;
}

// Width of the border drawn from the frame styles (not the edges).
int BorderWidth(const TWindowRecord& record) {
  if (DesktopFramed(record)) return 0;
  if (record.Style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
  if ((record.Style & WS_DLGFRAME) || (record.ExStyle & WS_EX_DLGMODALFRAME)) return GetSystemMetrics(SM_CXDLGFRAME);
  if (record.Style & WS_BORDER) return GetSystemMetrics(SM_CXBORDER);
  return 0;
}

int EdgeWidth(const TWindowRecord& record) {
  int width = 0;
  if (record.ExStyle & WS_EX_CLIENTEDGE) width += GetSystemMetrics(SM_CXEDGE);
  if (record.ExStyle & WS_EX_STATICEDGE) width += GetSystemMetrics(SM_CXBORDER);
  return width;
}

void FillSys(HDC dc, const TRect& rect, int color) { FillRect(dc, rect, GetSysColorBrush(color)); }

void PaintBorder(const TWindowRecord& record, HDC dc, TRect& rect) {
  const int width = BorderWidth(record);
  if (width == 0) return;
  if (width == GetSystemMetrics(SM_CXBORDER) && !(record.Style & (WS_THICKFRAME | WS_DLGFRAME))) {
    FrameRect(dc, rect, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(rect, -1, -1);
    return;
  }
  TRect inner = rect;
  DrawEdge(dc, inner, EDGE_RAISED, BF_RECT | BF_ADJUST);
  for (int i = 2; i < width; ++i) {
    FrameRect(dc, inner, GetSysColorBrush(COLOR_BTNFACE));
    InflateRect(inner, -1, -1);
  }
  rect = inner;
}

}  // namespace

TFrameLayout FrameLayout(const TWindowRecord& record) {
  TFrameLayout layout;
  layout.Inner = {0, 0, record.Width(), record.Height()};
  const int inset = BorderWidth(record) + EdgeWidth(record);
  InflateRect(layout.Inner, -inset, -inset);
  if (record.Menu && !record.IsChild() && IsMenu(record.Menu)) {
    const int barHeight = std::min(GetSystemMetrics(SM_CYMENU), std::max(layout.Inner.Height(), 0));
    layout.MenuBar = {layout.Inner.Left, layout.Inner.Top, layout.Inner.Right, layout.Inner.Top + barHeight};
    layout.Inner.Top = layout.MenuBar.Bottom;
  }
  const int vertWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int horzHeight = GetSystemMetrics(SM_CYHSCROLL);
  layout.VertShown = (record.Style & WS_VSCROLL) && layout.Inner.Width() >= vertWidth;
  layout.HorzShown = (record.Style & WS_HSCROLL) && layout.Inner.Height() >= horzHeight;
  const TRect& inner = layout.Inner;
  const bool left = (record.ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
  const int barsBottom = inner.Bottom - (layout.HorzShown ? horzHeight : 0);
  layout.Client = {inner.Left, inner.Top, inner.Right, barsBottom};
  if (layout.VertShown) {
    // The bar lies beside the client area the window's own WM_NCCALCSIZE
    // gave: a strip the window keeps above its client area spans the width.
    const int barTop = IsRectEmpty(record.Client) ? inner.Top : std::clamp(record.Client.Top, inner.Top, barsBottom);
    layout.VertBar = left ? TRect{inner.Left, barTop, inner.Left + vertWidth, barsBottom}
                          : TRect{inner.Right - vertWidth, barTop, inner.Right, barsBottom};
    if (left)
      layout.Client.Left = layout.VertBar.Right;
    else
      layout.Client.Right = layout.VertBar.Left;
  }
  if (layout.HorzShown) layout.HorzBar = {layout.Client.Left, barsBottom, layout.Client.Right, inner.Bottom};
  if (layout.VertShown && layout.HorzShown)
    layout.SizeBox = {layout.VertBar.Left, barsBottom, layout.VertBar.Right, inner.Bottom};
  return layout;
}

void PaintFrame(const TWindowRecord& record, HDC dc) {
  TRect rect{0, 0, record.Width(), record.Height()};
  PaintBorder(record, dc, rect);
  if (record.ExStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (record.ExStyle & WS_EX_STATICEDGE) DrawEdge(dc, rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  PaintScrollBars(record, dc);
  const TFrameLayout layout = FrameLayout(record);
  if (!IsRectEmpty(layout.MenuBar)) PaintMenuBar(dc, record.Menu, layout.MenuBar, MenuBarHotItem(record.Handle), record.Handle);
  if (!IsRectEmpty(layout.SizeBox)) FillSys(dc, layout.SizeBox, COLOR_BTNFACE);
}

LRESULT HitTestFrame(const TWindowRecord& record, TPoint screenPoint) {
  const TRect screen = ScreenBounds(record);
  const TPoint p{screenPoint.X - screen.Left, screenPoint.Y - screen.Top};
  if (!PtInRect({0, 0, record.Width(), record.Height()}, p)) return HTNOWHERE;
  if (PtInRect(record.Client, p)) return HTCLIENT;
  const TFrameLayout layout = FrameLayout(record);
  if (PtInRect(layout.MenuBar, p)) return HTMENU;
  if (layout.VertShown && PtInRect(layout.VertBar, p)) return HTVSCROLL;
  if (layout.HorzShown && PtInRect(layout.HorzBar, p)) return HTHSCROLL;
  if (PtInRect(layout.SizeBox, p)) return (record.Style & WS_THICKFRAME) ? HTBOTTOMRIGHT : HTBORDER;
  if (!PtInRect(layout.Inner, p) && (record.Style & WS_THICKFRAME)) {
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const bool left = p.X < frame, right = p.X >= record.Width() - frame;
    const bool top = p.Y < frame, bottom = p.Y >= record.Height() - frame;
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    return left ? HTLEFT : HTRIGHT;
  }
  return HTBORDER;
}

TRect MenuBarRect(const TWindowRecord& record) { return FrameLayout(record).MenuBar; }

#include "toolkit/win/NonClient.h"

#include <algorithm>
#include <limits>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/MenuRecord.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/SysMetrics.h"

namespace {

bool HasCaptionStyle(const TWindowRecord& record) {
  return !record.IsChild() && (record.Style & WS_CAPTION) == WS_CAPTION;
}

bool DesktopFramed(const TWindowRecord& record) { return HasCaptionStyle(record) && !record.OwnFrame; }

bool IsToolWindow(const TWindowRecord& record) { return (record.ExStyle & WS_EX_TOOLWINDOW) != 0; }

int CaptionHeight(const TWindowRecord& record) {
  if (!record.OwnFrame || !HasCaptionStyle(record)) return 0;
  return GetSystemMetrics(IsToolWindow(record) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

// The caption takes the top of the area inside the borders; its buttons
// are squares at its right end, close apart from the other two.
void LayCaption(const TWindowRecord& record, TFrameLayout& layout) {
  const int height = std::min(CaptionHeight(record), std::max(layout.Inner.Height(), 0));
  if (height == 0) return;
  TRect& inner = layout.Inner;
  layout.Caption = {inner.Left, inner.Top, inner.Right, inner.Top + height};
  inner.Top = layout.Caption.Bottom;
  if (!(record.Style & WS_SYSMENU)) return;
  constexpr int Margin = 2;
  const int size = height - 2 * Margin;
  TRect button{layout.Caption.Right - Margin - size, layout.Caption.Top + Margin, layout.Caption.Right - Margin,
               layout.Caption.Top + Margin + size};
  layout.CloseButton = button;
  if (IsToolWindow(record) || !(record.Style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) return;
  OffsetRect(button, -size - Margin, 0);
  layout.MaxButton = button;
  OffsetRect(button, -size, 0);
  layout.MinButton = button;
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

HFONT CaptionFont(bool small) {
  static HFONT fonts[2] = {nullptr, nullptr};
  HFONT& font = fonts[small ? 1 : 0];
  if (!font) {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = CreateFontIndirect(small ? metrics.lfSmCaptionFont : metrics.lfCaptionFont);
  }
  return font;
}

// The bar's rows, each SM_CYMENU high.
int MenuBarHeight(const TWindowRecord& record) {
  const int row = GetSystemMetrics(SM_CYMENU);
  if (!record.OwnFrame) return row;
  int bottom = row;
  for (const TRect& item : LayoutMenuBar(record.Menu, record.Handle, MenuBarRowWidth(record)))
    bottom = std::max(bottom, item.Bottom);
  return bottom;
}

enum class TCaptionGlyph { Close, Maximize, Minimize };

void PaintCaptionButton(HDC dc, TRect rect, TCaptionGlyph glyph) {
  FillSys(dc, rect, COLOR_BTNFACE);
  DrawEdge(dc, rect, EDGE_RAISED, BF_RECT | BF_ADJUST);
  const int inset = std::max(rect.Width() / 4, 1);
  InflateRect(rect, -inset, -inset);
  const HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
  switch (glyph) {
    case TCaptionGlyph::Close: {
      const HPEN pen = CreatePen(PS_SOLID, 2, GetSysColor(COLOR_BTNTEXT));
      const HGDIOBJ old = SelectObject(dc, pen);
      MoveToEx(dc, rect.Left, rect.Top, nullptr);
      LineTo(dc, rect.Right, rect.Bottom);
      MoveToEx(dc, rect.Right, rect.Top, nullptr);
      LineTo(dc, rect.Left, rect.Bottom);
      SelectObject(dc, old);
      DeleteObject(pen);
      return;
    }
    case TCaptionGlyph::Maximize:
      FrameRect(dc, rect, ink);
      FillRect(dc, {rect.Left, rect.Top, rect.Right, rect.Top + 2}, ink);
      return;
    case TCaptionGlyph::Minimize: FillRect(dc, {rect.Left, rect.Bottom - 2, rect.Right, rect.Bottom}, ink); return;
  }
}

// A plain caption: its colour, the window's text and the buttons the styles allow.
void PaintCaption(const TWindowRecord& record, HDC dc, const TFrameLayout& layout) {
  const bool active = record.CaptionActive;
  FillSys(dc, layout.Caption, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  if (!IsRectEmpty(layout.CloseButton)) PaintCaptionButton(dc, layout.CloseButton, TCaptionGlyph::Close);
  if (!IsRectEmpty(layout.MaxButton)) PaintCaptionButton(dc, layout.MaxButton, TCaptionGlyph::Maximize);
  if (!IsRectEmpty(layout.MinButton)) PaintCaptionButton(dc, layout.MinButton, TCaptionGlyph::Minimize);
  const int textRight = !IsRectEmpty(layout.MinButton)     ? layout.MinButton.Left
                        : !IsRectEmpty(layout.CloseButton) ? layout.CloseButton.Left
                                                           : layout.Caption.Right;
  TRect text{layout.Caption.Left + 4, layout.Caption.Top, textRight - 2, layout.Caption.Bottom};
  const int level = SaveDC(dc);
  SelectObject(dc, CaptionFont(IsToolWindow(record)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DrawText(dc, record.Text, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  RestoreDC(dc, level);
}

}  // namespace

TFrameLayout FrameLayout(const TWindowRecord& record) {
  TFrameLayout layout;
  layout.Inner = {0, 0, record.Width(), record.Height()};
  InflateRect(layout.Inner, -BorderWidth(record), -BorderWidth(record));
  LayCaption(record, layout);
  InflateRect(layout.Inner, -EdgeWidth(record), -EdgeWidth(record));
  if (record.Menu && !record.IsChild() && IsMenu(record.Menu)) {
    const int barHeight = std::min(MenuBarHeight(record), std::max(layout.Inner.Height(), 0));
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
  if (const TFrameLayout layout = FrameLayout(record); !IsRectEmpty(layout.Caption)) {
    PaintCaption(record, dc, layout);
    rect.Top = layout.Caption.Bottom;
  }
  if (record.ExStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, rect, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (record.ExStyle & WS_EX_STATICEDGE) DrawEdge(dc, rect, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  PaintScrollBars(record, dc);
  const TFrameLayout layout = FrameLayout(record);
  if (!IsRectEmpty(layout.MenuBar)) PaintMenuBar(dc, record.Menu, layout.MenuBar, MenuBarHotItem(record.Handle), record.Handle,
                 MenuBarRowWidth(record));
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
  if (PtInRect(layout.CloseButton, p)) return HTCLOSE;
  if (PtInRect(layout.MaxButton, p)) return HTMAXBUTTON;
  if (PtInRect(layout.MinButton, p)) return HTMINBUTTON;
  if (PtInRect(layout.Caption, p)) return HTCAPTION;
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

int MenuBarRowWidth(const TWindowRecord& record) {
  if (!record.OwnFrame) return std::numeric_limits<int>::max();
  const int frame = BorderWidth(record);
  return record.Width() - 2 * frame - (frame + EdgeWidth(record));
}

namespace {

// The non-client margins the window's WM_NCCALCSIZE gives at these bounds:
// left, top, right and bottom as a rectangle's sides.
TRect MarginsAt(HWND window, const TRect& bounds) {
  NCCALCSIZE_PARAMS params;
  params.rgrc[0] = params.rgrc[1] = params.rgrc[2] = bounds;
  SendMessage(window, WM_NCCALCSIZE, false, reinterpret_cast<LPARAM>(&params));
  const TRect& client = params.rgrc[0];
  return {client.Left - bounds.Left, client.Top - bounds.Top, bounds.Right - client.Right, bounds.Bottom - client.Bottom};
}

TRect Around(const TRect& client, const TRect& margins) {
  return {client.Left - margins.Left, client.Top - margins.Top, client.Right + margins.Right,
          client.Bottom + margins.Bottom};
}

}  // namespace

void SetOwnFrame(HWND window, bool own) {
  TWindowRecord* record = FindWindowRecord(window);
  if (!record || record->IsChild() || record->OwnFrame == own) return;
  const TPoint origin = ClientOrigin(*record);
  const TRect client = Bounds(origin.X, origin.Y, record->Client.Width(), record->Client.Height());
  TRect margins{record->Client.Left, record->Client.Top, record->Width() - record->Client.Right,
                record->Height() - record->Client.Bottom};
  record->OwnFrame = own;
  // The menu bar's rows depend on the width: measure again at the new one.
  for (int pass = 0; pass < 2; ++pass) margins = MarginsAt(window, Around(client, margins));
  const TRect bounds = Around(client, margins);
  SetWindowPos(window, nullptr, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if ((record = FindWindowRecord(window)) && record->Host) record->Host->FrameOwnerChanged();
}

bool HasOwnFrame(HWND window) {
  const TWindowRecord* record = FindWindowRecord(window);
  return record && record->OwnFrame;
}

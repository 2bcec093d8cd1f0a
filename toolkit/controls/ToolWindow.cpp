#include "toolkit/controls/ToolWindow.h"

#include <algorithm>

#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/Paint.h"

TToolWindow::TToolWindow(TComponent* owner) : TCustomControl(owner) { ControlStyle |= csAcceptsControls; }

void TToolWindow::SetEdgeBorders(TEdgeBorders borders) {
  if (borders == edgeBorders_) return;
  edgeBorders_ = borders;
  FrameChanged();
}

void TToolWindow::SetEdgeInner(TEdgeStyle style) {
  if (style == edgeInner_) return;
  edgeInner_ = style;
  FrameChanged();
}

void TToolWindow::SetEdgeOuter(TEdgeStyle style) {
  if (style == edgeOuter_) return;
  edgeOuter_ = style;
  FrameChanged();
}

void TToolWindow::SetBorderWidth(int width) {
  if (width == borderWidth_) return;
  borderWidth_ = width;
  FrameChanged();
}

TRect TToolWindow::NonClientWidths() const {
  const int band = 2 * borderWidth_;
  const int edges = EdgeCount();
  return {band + ((edgeBorders_ & ebLeft) ? edges : 0), band + ((edgeBorders_ & ebTop) ? edges : 0),
          band + ((edgeBorders_ & ebRight) ? edges : 0), band + ((edgeBorders_ & ebBottom) ? edges : 0)};
}

void TToolWindow::FrameChanged() {
  if (HandleAllocated())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Realign();
  Invalidate();
}

void TToolWindow::Dispatch(TMessage& message) {
  static const TMessageHandlers<TToolWindow> handlers{
      {WM_NCCALCSIZE, &TToolWindow::WMNCCalcSize},
      {WM_NCPAINT, &TToolWindow::WMNCPaint},
  };
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
}

void TToolWindow::WMNCCalcSize(TMessage& message) {
  DefaultHandler(message);
  TRect& client = reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0];
  const TRect widths = NonClientWidths();
  client = {client.Left + widths.Left, client.Top + widths.Top, std::max(client.Left + widths.Left, client.Right - widths.Right),
            std::max(client.Top + widths.Top, client.Bottom - widths.Bottom)};
}

// The band in the window's colour, then the edges at the outside.
void TToolWindow::WMNCPaint(TMessage& message) {
  DefaultHandler(message);
  const HDC dc = GetWindowDC(Handle());
  TRect window{0, 0, Width(), Height()};
  const TRect widths = NonClientWidths();
  ExcludeClipRect(dc, widths.Left, widths.Top, Width() - widths.Right, Height() - widths.Bottom);
  const HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
  FillRect(dc, window, brush);
  DeleteObject(brush);
  static constexpr UINT inner[] = {0, BDR_RAISEDINNER, BDR_SUNKENINNER};
  static constexpr UINT outer[] = {0, BDR_RAISEDOUTER, BDR_SUNKENOUTER};
  DrawEdge(dc, window, inner[edgeInner_] | outer[edgeOuter_], edgeBorders_);
  ReleaseDC(Handle(), dc);
  message.Result = 0;
}

// The tree's side of its header: the non-client rows the header takes and
// the header's event firers.

#include <algorithm>

#include "toolkit/win/Messages.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"

bool TBaseDataTree::HeaderMessage(TMessage& message) {
  if (header_->HandleHeaderMessage(message)) return true;
  const bool visible = header_->Options().Contains(hoVisible);
  switch (message.Msg) {
    case WM_NCCALCSIZE: {
      TCustomControl::Dispatch(message);
      TRect& client = message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                                     : *reinterpret_cast<TRect*>(message.LParam);
      // The bevel and the border lie inside the window's border, the header strip above the client area.
      const int edge = BevelEdgeSize();
      client.Left += borderWidth_ + (bevelEdges_.Contains(beLeft) ? edge : 0);
      client.Top += borderWidth_ + (bevelEdges_.Contains(beTop) ? edge : 0);
      client.Right -= borderWidth_ + (bevelEdges_.Contains(beRight) ? edge : 0);
      client.Bottom -= borderWidth_ + (bevelEdges_.Contains(beBottom) ? edge : 0);
      if (visible) client.Top += header_->Height();
      client.Right = std::max(client.Right, client.Left);
      client.Bottom = std::max(client.Bottom, client.Top);
      return true;
    }
    case WM_NCHITTEST: {
      TCustomControl::Dispatch(message);
      TPoint p = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
      ::ScreenToClient(Handle(), p);
      if (visible && header_->PointInHeader(p)) message.Result = HTBORDER;
      return true;
    }
    case WM_NCPAINT: {
      TCustomControl::Dispatch(message);
      PaintHeader();
      const HDC dc = GetWindowDC(Handle());
      PaintFrame(dc);
      ReleaseDC(Handle(), dc);
      return true;
    }
    case WM_PRINT:
      TCustomControl::Dispatch(message);
      if (!(message.LParam & PRF_NONCLIENT)) return true;
      if (visible)
        header_->Columns().PaintHeaderCells(reinterpret_cast<HDC>(message.WParam), header_->HeaderRect(),
                                            -effectiveOffsetX_);
      PaintFrame(reinterpret_cast<HDC>(message.WParam));
      return true;
    case WM_SIZE: header_->SpreadSpringDelta(); return false;
    case CM_FONTCHANGED:
    case CM_PARENTFONTCHANGED:
      // The tree takes its new font first.
      TCustomControl::Dispatch(message);
      header_->TreeFontChanged();
      return true;
    default: return false;
  }
}

void TBaseDataTree::PaintHeader() {
  if (!header_->Options().Contains(hoVisible)) return;
  const HDC dc = GetWindowDC(Handle());
  header_->Columns().PaintHeaderCells(dc, header_->HeaderRect(), -effectiveOffsetX_);
  ReleaseDC(Handle(), dc);
}

void TBaseDataTree::FireHeaderClick(TColumnIndex column, TMouseButton button, TShiftState shift, int x, int y) {
  if (OnHeaderClick) OnHeaderClick(header_.get(), column, button, shift, x, y);
}

void TBaseDataTree::FireHeaderDblClick(TColumnIndex column, TMouseButton button, TShiftState shift, int x, int y) {
  if (OnHeaderDblClick) OnHeaderDblClick(header_.get(), column, button, shift, x, y);
}

void TBaseDataTree::FireHeaderMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnHeaderMouseDown) OnHeaderMouseDown(header_.get(), button, shift, x, y);
}

void TBaseDataTree::FireHeaderMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnHeaderMouseUp) OnHeaderMouseUp(header_.get(), button, shift, x, y);
}

void TBaseDataTree::FireHeaderMouseMove(TShiftState shift, int x, int y) {
  if (OnHeaderMouseMove) OnHeaderMouseMove(header_.get(), shift, x, y);
}

void TBaseDataTree::FireHeaderDragged(TColumnIndex column, int oldPosition) {
  if (OnHeaderDragged) OnHeaderDragged(header_.get(), column, oldPosition);
}

void TBaseDataTree::FireHeaderDraggedOut(TColumnIndex column, TPoint dropPosition) {
  if (OnHeaderDraggedOut) OnHeaderDraggedOut(header_.get(), column, dropPosition);
}

void TBaseDataTree::FireGetHeaderCursor(HCURSOR& cursor) {
  if (OnGetHeaderCursor) OnGetHeaderCursor(header_.get(), cursor);
}

void TBaseDataTree::FireHeaderDraw(TCanvas& canvas, TColumnIndex column, const TRect& r, bool hover, bool pressed,
                                   TDTDropMarkMode dropMark) {
  if (OnHeaderDraw) OnHeaderDraw(header_.get(), canvas, column, r, hover, pressed, dropMark);
}

void TBaseDataTree::FireHeaderDrawQueryElements(THeaderPaintInfo& paintInfo, THeaderPaintElements& elements) {
  if (OnHeaderDrawQueryElements) OnHeaderDrawQueryElements(header_.get(), paintInfo, elements);
}

void TBaseDataTree::FireAdvancedHeaderDraw(THeaderPaintInfo& paintInfo, THeaderPaintElements elements) {
  if (OnAdvancedHeaderDraw) OnAdvancedHeaderDraw(header_.get(), paintInfo, elements);
}

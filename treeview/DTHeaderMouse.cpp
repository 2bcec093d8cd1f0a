// The header's mouse work: hover, press and click, resizing a column by its
// right edge and dragging a column to another position.

#include <algorithm>
#include <cstdlib>

#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTDragImage.h"
#include "treeview/DTHeader.h"

namespace {

TPoint MessagePoint(const TMessage& message) {
  return Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
}

}  // namespace

// ---- Hover, press and click (the columns' part) -------------------------------------

bool TDataTreeColumns::HoverColumnAtPoint(TPoint p) {
  const TColumnIndex column = ColumnAtPoint(p.X, true);
  if (column == HoverIndex) return false;
  if (HoverIndex >= 0) header_.InvalidateHeader(HoverIndex, false);
  if (column >= 0) header_.InvalidateHeader(column, false);
  HoverIndex = column;
  return true;
}

TColumnIndex TDataTreeColumns::PressColumnAtPoint(TPoint p) {
  const TColumnIndex column = ColumnAtPoint(p.X, true);
  if (column >= 0 && column != DownIndex && ColumnAt(column).Options().Contains(coAllowClick) &&
      ColumnAt(column).Options().Contains(coEnabled)) {
    if (DownIndex >= 0) header_.InvalidateHeader(DownIndex, false);
    DownIndex = column;
    header_.InvalidateHeader(column, false);
  }
  return column;
}

void TDataTreeColumns::ProcessHeaderClick(TPoint p, TMouseButton button, bool force, bool dblClick) {
  const TColumnIndex column = ColumnAtPoint(p.X, true);
  if (column < 0 || !ColumnAt(column).Options().Contains(coAllowClick) || (column != DownIndex && !force)) {
    ClickIndex = ColumnNone;
    return;
  }
  ClickIndex = column;
  TShiftState shift = TDTHeader::KeyboardShiftState();
  if (dblClick) shift |= ssDouble;
  header_.Tree().FireHeaderClick(column, button, shift, p.X, p.Y + header_.Height());
  header_.InvalidateHeader(column, false);
}

// ---- Header ---------------------------------------------------------------------------

TShiftState TDTHeader::KeyboardShiftState() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  return shift;
}

bool TDTHeader::PointInHeader(TPoint p) const {
  const TRect r = HeaderRect();
  return p.X >= 0 && p.X < r.Width() && p.Y >= -r.Height() && p.Y < 0;
}

bool TDTHeader::HandleHeaderMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SIZE:
      if (options_.Contains(hoAutoResize) && !tree_.TreeStates().Contains(tsWindowCreating)) {
        columns_.FitAutoSizeColumn(false);
        InvalidateHeader(ColumnNone, false);
      }
      return false;
    case WM_KILLFOCUS: return CancelMouseWork();
    case WM_KEYDOWN: return message.WParam == VK_ESCAPE && CancelMouseWork();
    case WM_SETCURSOR: return SetHeaderCursor(message);
    case WM_NCMOUSEMOVE: NonClientMouseMove(message); return false;
    case WM_NCLBUTTONDOWN: return NonClientLeftButtonDown(message);
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: {
      const TPoint p = ClientPoint(message);
      if (PointInHeader(p))
        tree_.FireHeaderMouseDown(message.Msg == WM_NCRBUTTONDOWN ? mbRight : mbMiddle, KeyboardShiftState(), p.X,
                                  p.Y + height_);
      return false;
    }
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP: return LeftButtonUp(message);
    case WM_NCRBUTTONUP: return NonClientRightButtonUp(message);
    case WM_NCMBUTTONUP: {
      const TPoint p = ClientPoint(message);
      if (PointInHeader(p)) {
        columns_.ProcessHeaderClick(p, mbMiddle, true, false);
        tree_.FireHeaderMouseUp(mbMiddle, KeyboardShiftState(), p.X, p.Y + height_);
        columns_.DownIndex = ColumnNone;
      }
      return false;
    }
    case WM_NCLBUTTONDBLCLK: NonClientDoubleClick(message, mbLeft); return false;
    case WM_NCRBUTTONDBLCLK: NonClientDoubleClick(message, mbRight); return false;
    case WM_NCMBUTTONDBLCLK: NonClientDoubleClick(message, mbMiddle); return false;
    case WM_MOUSEMOVE: return HeaderMouseMove(message);
    case WM_TIMER:
      if (message.WParam != TBaseDataTree::HeaderTimer) return false;
      HeaderTimerTick();
      return true;
    default: return false;
  }
}

TPoint TDTHeader::ClientPoint(const TMessage& message) const {
  TPoint p = MessagePoint(message);
  ScreenToClient(tree_.Handle(), p);
  return p;
}

bool TDTHeader::CancelMouseWork() {
  if (states_.Contains(hdDragging)) {
    ReleaseCapture();
    dragImage_->FinishDrag();
    states_.Exclude(hdDragging);
    columns_.DropTarget = ColumnNone;
    InvalidateHeader(ColumnNone, false);
    return true;
  }
  if (states_.Contains(hdTracking)) {
    ReleaseCapture();
    states_.Exclude(hdTracking);
    return true;
  }
  return false;
}

bool TDTHeader::SetHeaderCursor(TMessage& message) {
  if (!states_.Empty()) {
    message.Result = 1;
    return true;
  }
  TPoint p;
  GetCursorPos(p);
  ScreenToClient(tree_.Handle(), p);
  if (!PointInHeader(p)) return false;
  HCURSOR cursor = Screen().Cursors(tree_.Cursor());
  if (!options_.Contains(hoColumnResize)) return false;
  if (SplitterAtPoint(p.X)) cursor = Screen().Cursors(crHeaderSplit);
  tree_.FireGetHeaderCursor(cursor);
  if (cursor == Screen().Cursors(crDefault)) return false;
  ::SetCursor(cursor);
  message.Result = 1;
  return true;
}

void TDTHeader::NonClientMouseMove(const TMessage& message) {
  const TPoint p = ClientPoint(message);
  tree_.FireHeaderMouseMove(KeyboardShiftState(), p.X, p.Y + height_);
  if (!PointInHeader(p)) return;
  const bool hoverChanged = columns_.HoverColumnAtPoint(p);
  if (hoverChanged || (columns_.DownIndex >= 0 && columns_.HoverIndex != columns_.DownIndex)) {
    tree_.KillTreeTimer(TBaseDataTree::HeaderTimer);
    SetTimer(tree_.Handle(), TBaseDataTree::HeaderTimer, 50, nullptr);
  }
}

bool TDTHeader::NonClientLeftButtonDown(const TMessage& message) {
  for (UINT_PTR timer : {TBaseDataTree::ScrollTimer, TBaseDataTree::EditTimer}) tree_.KillTreeTimer(timer);
  tree_.ChangeTreeStates({}, {tsScrollPending, tsScrolling, tsEditPending});
  dragStart_ = MessagePoint(message);
  const TPoint p = ClientPoint(message);
  if (!PointInHeader(p)) return false;
  tree_.FireHeaderMouseDown(mbLeft, KeyboardShiftState(), p.X, p.Y + height_);
  if (options_.Contains(hoColumnResize) && SplitterAtPoint(p.X)) {
    columns_.HoverIndex = ColumnNone;
    trackStart_ = p;
    states_.Include(hdTrackPending);
    SetCapture(tree_.Handle());
    return true;
  }
  const TColumnIndex column = columns_.PressColumnAtPoint(p);
  if (options_.Contains(hoDrag) && column >= 0 && columns_.ColumnAt(column).Options().Contains(coDraggable)) {
    states_.Include(hdDragPending);
    SetCapture(tree_.Handle());
    return true;
  }
  return false;
}

bool TDTHeader::LeftButtonUp(const TMessage& message) {
  const bool hadState = !states_.Empty();
  if (hadState) {
    ReleaseCapture();
    if (states_.Contains(hdDragging)) {
      DropDraggedColumn(message);
      columns_.DropTarget = ColumnNone;
      InvalidateHeader(ColumnNone, false);
      EndMouseWork();
      return true;
    }
  }
  if (message.Msg == WM_NCLBUTTONUP) {
    const TPoint p = ClientPoint(message);
    columns_.ProcessHeaderClick(p, mbLeft, false, false);
    tree_.FireHeaderMouseUp(mbLeft, KeyboardShiftState(), p.X, p.Y + height_);
  } else {
    const TPoint p = MessagePoint(message);
    if (columns_.DownIndex >= 0) columns_.ProcessHeaderClick(p, mbLeft, false, false);
    if (hadState) tree_.FireHeaderMouseUp(mbLeft, ShiftStateOfKeys(message.WParam), p.X, p.Y);
  }
  EndMouseWork();
  return hadState;
}

void TDTHeader::EndMouseWork() {
  dragImage_->FinishDrag();
  for (TColumnIndex* index : {&columns_.TrackIndex, &columns_.DownIndex}) {
    if (*index >= 0) InvalidateHeader(*index, false);
    *index = ColumnNone;
  }
  states_.Exclude(hdDragging);
  states_.Exclude(hdDragPending);
  states_.Exclude(hdTracking);
  states_.Exclude(hdTrackPending);
}

void TDTHeader::DropDraggedColumn(const TMessage& message) {
  TPoint screen = MessagePoint(message);
  if (message.Msg == WM_LBUTTONUP) ClientToScreen(tree_.Handle(), screen);
  TRect window;
  GetWindowRect(tree_.Handle(), window);
  const TColumnIndex dragged = columns_.DragIndex;
  const TColumnIndex target = columns_.DropTarget;
  if (!columns_.ColumnExists(target) || target == dragged || !PtInRect(window, screen)) {
    tree_.FireHeaderDraggedOut(dragged, screen);
    return;
  }
  const int from = columns_.ColumnAt(dragged).Position();
  const int to = columns_.ColumnAt(target).Position();
  int position = 0;
  if (columns_.DropBefore)
    position = from < to ? std::max(0, to - 1) : to;
  else
    position = from < to ? to : to + 1;
  columns_.ColumnAt(dragged).SetPosition(position);
  tree_.FireHeaderDragged(dragged, from);
}

bool TDTHeader::NonClientRightButtonUp(const TMessage& message) {
  const TPoint p = ClientPoint(message);
  if (PointInHeader(p)) {
    columns_.ProcessHeaderClick(p, mbRight, true, false);
    tree_.FireHeaderMouseUp(mbRight, KeyboardShiftState(), p.X, p.Y + height_);
    columns_.DownIndex = ColumnNone;
    columns_.TrackIndex = ColumnNone;
  }
  if (!PopupMenu) return false;
  for (UINT_PTR timer : {TBaseDataTree::ScrollTimer, TBaseDataTree::HeaderTimer}) tree_.KillTreeTimer(timer);
  columns_.HoverIndex = ColumnNone;
  tree_.ChangeTreeStates({}, {tsScrollPending, tsScrolling});
  PopupMenu->PopupComponent = &tree_;
  const TPoint screen = MessagePoint(message);
  PopupMenu->Popup(screen.X, screen.Y);
  return true;
}

void TDTHeader::NonClientDoubleClick(const TMessage& message, TMouseButton button) {
  const TPoint p = ClientPoint(message);
  if (!PointInHeader(p)) return;
  if (options_.Contains(hoDblClickResize) && columns_.TrackIndex >= 0) {
    const TColumnIndex column = columns_.TrackIndex;
    columns_.ResizeAnimated(column,
                            std::max(columns_.ColumnAt(column).MinWidth(), tree_.WidestCellInColumn(column)));
  } else {
    columns_.ProcessHeaderClick(p, button, true, true);
  }
  if (columns_.ClickIndex >= 0)
    tree_.FireHeaderDblClick(columns_.ClickIndex, button, KeyboardShiftState() | ssDouble, p.X, p.Y + height_);
}

bool TDTHeader::HeaderMouseMove(const TMessage& message) {
  const TPoint p = MessagePoint(message);
  if (states_.Contains(hdTrackPending)) {
    tree_.KillTreeTimer(TBaseDataTree::HeaderTimer);
    states_.Exclude(hdTrackPending);
    states_.Include(hdTracking);
    return true;
  }
  if (states_.Contains(hdTracking)) {
    const bool rightToLeft = tree_.BiDiMode() == bdRightToLeft;
    columns_.ColumnAt(columns_.TrackIndex).SetWidth(rightToLeft ? trackPos_ - p.X : p.X - trackPos_);
    return true;
  }
  TPoint screen = p;
  ClientToScreen(tree_.Handle(), screen);
  if (states_.Contains(hdDragPending)) {
    const int threshold = GetSystemMetrics(SM_CXDRAG);
    if (!options_.Contains(hoDrag) || !tree_.FireHeaderDragging(columns_.DownIndex) ||
        (std::abs(screen.X - dragStart_.X) <= threshold && std::abs(screen.Y - dragStart_.Y) <= threshold))
      return false;
    tree_.KillTreeTimer(TBaseDataTree::HeaderTimer);
    if (columns_.DownIndex >= 0) InvalidateHeader(columns_.DownIndex, false);
    columns_.DownIndex = ColumnNone;
    columns_.HoverIndex = ColumnNone;
    BeginColumnDrag(dragStart_);
    states_.Exclude(hdDragPending);
    states_.Include(hdDragging);
    return true;
  }
  if (states_.Contains(hdDragging)) {
    DragColumnTo(screen);
    return true;
  }
  return false;
}

void TDTHeader::HeaderTimerTick() {
  TPoint p;
  GetCursorPos(p);
  ScreenToClient(tree_.Handle(), p);
  if (PointInHeader(p) && (columns_.DownIndex < 0 || columns_.HoverIndex == columns_.DownIndex)) return;
  tree_.KillTreeTimer(TBaseDataTree::HeaderTimer);
  columns_.HoverIndex = ColumnNone;
  columns_.ClickIndex = ColumnNone;
  columns_.DownIndex = ColumnNone;
  InvalidateHeader(ColumnNone, false);
}

// ---- Column drag ------------------------------------------------------------------------

void TDTHeader::BeginColumnDrag(TPoint start) {
  columns_.DropTarget = ColumnNone;
  TPoint p = start;
  ScreenToClient(tree_.Handle(), p);
  columns_.DragIndex = columns_.ColumnAtPoint(p.X, true);
  if (!columns_.ColumnExists(columns_.DragIndex)) return;
  const TDataTreeColumn& column = columns_.ColumnAt(columns_.DragIndex);
  TBitmap picture(column.Width(), height_, pf32bit);
  picture.Canvas().Brush().SetColor(clBtnFace);
  picture.Canvas().FillRect(Rect(0, 0, picture.Width(), picture.Height()));
  // The header as painted, seen through a window on the column (the header
  // paint adds the right-to-left shift, taken back here).
  const int shift = tree_.RightToLeftOffset();
  SetWindowOrgEx(picture.Canvas().Handle(), column.Left(), 0, nullptr);
  columns_.PaintHeaderCells(picture.Canvas().Handle(), Rect(0, 0, columns_.TotalColumnsWidth(), height_), -shift);
  SetWindowOrgEx(picture.Canvas().Handle(), 0, 0, nullptr);
  TPoint position{column.ViewLeft() + shift, 0};
  ClientToScreen(tree_.Handle(), position);
  position.Y -= height_;
  dragImage_->MoveRestriction = options_.Contains(hoRestrictDrag) ? dmrHorizontalOnly : dmrNone;
  dragImage_->PrepareImage(picture, position, start);
  dragImage_->ShowImage();
}

bool TDTHeader::DragColumnTo(TPoint screen) {
  TPoint p = screen;
  ScreenToClient(tree_.Handle(), p);
  const TColumnIndex column = columns_.ColumnAtPoint(p.X, true);
  bool repaint = column >= 0 && column != columns_.DropTarget;
  if (column >= 0) {
    int left = 0;
    int right = 0;
    columns_.ColumnHorzExtent(column, left, right);
    const bool before = p.X < (left + right) / 2;
    if (before != columns_.DropBefore) {
      columns_.DropBefore = before;
      repaint = true;
    }
  }
  if (repaint) {
    if (columns_.DropTarget >= 0) InvalidateHeader(columns_.DropTarget, false);
    columns_.DropTarget = ColumnNone;
    if (column >= 0) {
      InvalidateHeader(column, false);
      columns_.DropTarget = column;
    }
  }
  return dragImage_->MoveTo(screen, repaint);
}

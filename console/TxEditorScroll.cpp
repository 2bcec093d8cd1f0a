// Scrolling of the text editor: vertical scrolls shift the pixels already
// painted and paint only the rows they uncover.

#include <algorithm>

#include "console/TxCustomEditor.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/win/Paint.h"

void TTxCustomEditor::Scroll(bool vertical, int pos) {
  if (updateLock_ > 0) {
    (vertical ? topRow_ : leftCol_) = pos;
    RecomputeLastVisible();
    return;
  }
  PaintCaret(false);
  if (vertical) {
    ScrollVertically(pos);
  } else {
    leftCol_ = pos;
    Invalidate();
  }
  RecomputeLastVisible();
  if (updateLock_ == 0 && HandleAllocated()) {
    PaintRightMargin(0, ClientHeight());
    PaintCaret(true);
  }
  if (OnScroll) OnScroll(this);
}

void TTxCustomEditor::ScrollVertically(int pos) {
  const int distance = (topRow_ - pos) * cellHeight_;
  topRow_ = pos;
  if (!HandleAllocated()) return;
  if (std::abs(distance) < ClientHeight()) {
    const TRect area{0, 0, ClientWidth(), (visibleRowCount_ + 1) * cellHeight_};
    TRect uncovered;
    HDC dc = GetDC(Handle());
    ScrollDC(dc, 0, distance, &area, &area, nullptr, &uncovered);
    ReleaseDC(Handle(), dc);
    InvalidateRect(Handle(), &uncovered, false);
  } else {
    Invalidate();
  }
  Update();
}

void TTxCustomEditor::RecomputeLastVisible() {
  lastVisibleCol_ = leftCol_ + visibleColCount_ - 1;
  lastVisibleRow_ = topRow_ + visibleRowCount_ - 1;
}

void TTxCustomEditor::SetLeftTop(int col, int row) {
  col = std::max(col, 0);
  row = std::max(row, 0);
  if (col != leftCol_) {
    scrollBarHorz_.SetPosition(col);
    Scroll(false, col);
  }
  if (row != topRow_) {
    scrollBarVert_.SetPosition(row);
    Scroll(true, row);
  }
}

void TTxCustomEditor::MakeRowVisible(int row) {
  if (row < topRow_ || row > lastVisibleRow_) SetLeftTop(leftCol_, std::max(row - visibleRowCount_ / 2, 0));
}

// Only line, page and thumb-track requests move the view.
void TTxCustomEditor::ScrollBarScroll(bool vertical, int code, int pos) {
  switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN:
    case SB_THUMBTRACK: Scroll(vertical, pos); break;
    default: break;
  }
}

bool TTxCustomEditor::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  scrollBarVert_.SetPosition(scrollBarVert_.Position() - wheelDelta / 40);
  Scroll(true, scrollBarVert_.Position());
  return true;
}

int TTxCustomEditor::LongestRow() const {
  int longest = 0;
  for (int row = 0; row < lines_->Count(); ++row) longest = std::max(longest, lines_->RowLength(row));
  return longest;
}

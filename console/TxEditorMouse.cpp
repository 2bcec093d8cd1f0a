// Mouse handling of the text editor: placing the caret, dragging a
// selection (scrolling by timer beyond the window), double clicks.

#include <algorithm>
#include <cmath>

#include "console/TxCustomEditor.h"
#include "console/TxTextRoutines.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/controls/Timer.h"

// The column is the nearest cell boundary.
TPoint TTxCustomEditor::Mouse2Cell(int x, int y) const {
  const int column = static_cast<int>(std::lround(static_cast<double>(x - client_.Left()) / cellWidth_));
  const int row = (y - client_.Top()) / cellHeight_;
  return {column, row};
}

TPoint TTxCustomEditor::Mouse2Caret(int x, int y) const {
  const TPoint cell = Mouse2Cell(x, y);
  const int column = std::min(std::max(cell.X, 0) + leftCol_, lastVisibleCol_);
  const int row = std::min(std::max(cell.Y, 0) + topRow_, std::max(lines_->Count() - 1, 0));
  return {column, row};
}

void TTxCustomEditor::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (dblClickFlag_) {
    dblClickFlag_ = false;
    return;
  }
  completion_->CloseUp();
  const TPoint position = Mouse2Caret(x, y);
  PaintCaret(false);
  if (button == mbLeft) {
    selection_.SelBlockFormat = bfNonInclusive;
    ClearSelection();
  }
  SetFocus();
  if (button == mbLeft) SetCaret(position.X, position.Y);
  PaintCaret(true);
  mouseDownFlag_ = true;
  TCustomControl::MouseDown(button, shift, x, y);
}

void TTxCustomEditor::MouseMove(TShiftState shift, int x, int y) {
  if (mouseDownFlag_ && (shift & (ssLeft | ssRight | ssMiddle)) == ssLeft) {
    PaintCaret(false);
    mouseY_ = y;
    const TPoint position = Mouse2Caret(x, y);
    mouseCol_ = position.X;
    mouseRow_ = position.Y;
    if (mouseRow_ <= lastVisibleRow_) {
      SetSel(mouseCol_, mouseRow_);
      SetCaret(mouseCol_, mouseRow_);
    }
    scrollTimer_->SetEnabled(y < 0 || y > ClientHeight());
    PaintCaret(true);
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TTxCustomEditor::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  scrollTimer_->SetEnabled(false);
  mouseDownFlag_ = false;
  TCustomControl::MouseUp(button, shift, x, y);
}

// Beyond the window the selection grows a row a tick, a page a tick once
// the pointer is more than 20 pixels away.
void TTxCustomEditor::ScrollTimerTick() {
  if (mouseY_ >= 0 && mouseY_ <= ClientHeight()) return;
  if (mouseY_ < -20) mouseRow_ -= visibleRowCount_;
  else if (mouseY_ < 0) mouseRow_ -= 1;
  else if (mouseY_ > ClientHeight() + 20) mouseRow_ += visibleRowCount_;
  else mouseRow_ += 1;
  mouseRow_ = std::clamp(mouseRow_, 0, std::max(lines_->Count() - 1, 0));
  PaintCaret(false);
  SetSel(mouseCol_, mouseRow_);
  SetCaret(mouseCol_, mouseRow_);
  PaintCaret(true);
}

void TTxCustomEditor::DblClick() {
  dblClickFlag_ = true;
  TCustomControl::DblClick();
  if (DoubleClickLine) SelectRowAtCaret();
  else SelectWordAtCaret();
}

void TTxCustomEditor::SelectRowAtCaret() {
  const bool lastRow = caretY_ >= lines_->Count() - 1;
  const int endX = lastRow && caretY_ < lines_->Count() ? lines_->RowLength(caretY_) : 0;
  const int endY = lastRow ? caretY_ : caretY_ + 1;
  ClearSelection();
  SetCaretInternal(0, caretY_);
  SetSel(0, caretY_);
  SetSel(endX, endY);
  SetCaretInternal(endX, endY);
}

// On the blank space after a row the last word is taken.
void TTxCustomEditor::SelectWordAtCaret() {
  if (caretY_ >= lines_->Count()) return;
  const std::string row = lines_->Strings(caretY_);
  const std::string trimmed = row.substr(0, row.find_last_not_of(' ') + 1);
  const int length = CellCount(trimmed);
  if (length == 0) return;
  const std::string padded = row + " ";
  int x = caretX_;
  if (x < length) {
    while (x < length && GetWordOnPos(padded, x + 1) != " ") ++x;
  } else {
    x = length - 1;
  }
  int beg = 0;
  int end = 0;
  GetWordOnPosEx(padded, x + 1, beg, end);
  ClearSelection();
  SetCaretInternal(beg - 1, caretY_);
  SetSel(beg - 1, caretY_);
  SetSel(end - 1, caretY_);
  SetCaretInternal(end - 1, caretY_);
}

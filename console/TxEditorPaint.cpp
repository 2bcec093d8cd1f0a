// Painting of the text editor: rows in runs of equal attributes, one text
// call a run with every character one cell wide; the selection; the right
// margin; the gutter; the caret.

#include <algorithm>

#include "console/TxCustomEditor.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/win/Caret.h"
#include "toolkit/win/Paint.h"

namespace {

// The text of cells [begin, end) of a row: blanks past its end, and the
// replacement character for a byte that is not UTF-8 (so that every cell
// stays one character for the text call).
std::string CellsText(std::string_view row, int rowCells, int begin, int end) {
  std::string text;
  const int inside = std::min(end, rowCells);
  if (begin < inside) {
    std::size_t at = ByteOfCell(row, begin);
    for (int cell = begin; cell < inside; ++cell) {
      const std::size_t bytes = CellBytes(row.substr(at));
      if (bytes == 1 && static_cast<unsigned char>(row[at]) >= 0x80) text += "\xEF\xBF\xBD";
      else text += row.substr(at, bytes);
      at += bytes;
    }
  }
  text.append(static_cast<std::size_t>(std::max(end - std::max(begin, rowCells), 0)), ' ');
  return text;
}

}  // namespace

void TTxCustomEditor::Paint() {
  if (updateLock_ > 0) return;
  PaintCaret(false);
  TRect area = Bounds(0, 0, client_.Width(), client_.Height());
  if (!fullRepaint_) {
    area = Canvas().ClipRect();
    OffsetRect(area, -gutterWidth_, 0);
  }
  const int colBeg = area.Left / cellWidth_;
  const int colEnd = area.Right / cellWidth_ + 1;
  for (int row = area.Top / cellHeight_; row <= area.Bottom / cellHeight_ + 1; ++row)
    PaintLine(topRow_ + row, leftCol_ + colBeg - 1, leftCol_ + colEnd);
  PaintCaret(true);
  gutter_.Paint();
  fullRepaint_ = false;
}

void TTxCustomEditor::PaintLine(int line, int colBeg, int colEnd) {
  if (line < topRow_ || line > topRow_ + visibleRowCount_) return;
  colBeg = std::max(colBeg, leftCol_);
  if (colEnd < 0 || colEnd > leftCol_ + visibleColCount_) colEnd = leftCol_ + visibleColCount_;
  const TRect strip = Bounds(CellRect(leftCol_, line).Left - 1, CellRect(leftCol_, line).Top, 1, cellHeight_);
  int stoppedAt;
  if (line < lines_->Count()) {
    BuildLineAttrs(line, colBeg, colEnd);
    FillPixels(strip, columnAttrs_[static_cast<std::size_t>(leftCol_ + 1)].BC);
    stoppedAt = PaintRuns(lines_->Strings(line), line, colBeg, colEnd);
  } else {
    FillPixels(strip, Color());
    stoppedAt = CellRect(colBeg, line).Left;
  }
  FillRowEnd(line, stoppedAt);
  PaintRightMargin(strip.Top, strip.Bottom);
}

// Answers the x where the runs stopped.
int TTxCustomEditor::PaintRuns(const std::string& row, int line, int colBeg, int colEnd) {
  const int rowCells = CellCount(row);
  const auto attrOf = [this](int col) -> const TColumnAttr& { return columnAttrs_[static_cast<std::size_t>(col + 1)]; };
  int g = colBeg;
  while (g < colEnd) {
    const TColumnAttr attr = attrOf(g);
    int end = g + 1;
    while (end <= colEnd && attrOf(end) == attr) ++end;
    const TRect cells{CellRect(g, line).Left, CellRect(g, line).Top, CellRect(end - 1, line).Right,
                      CellRect(g, line).Bottom};
    FillPixels({cells.Left, cells.Bottom - 1, cells.Right, cells.Bottom}, attr.BC);
    const std::string text = CellsText(row, rowCells, g, end);
    if (charWidths_.size() < static_cast<std::size_t>(end - g)) charWidths_.resize(static_cast<std::size_t>(end - g));
    std::fill_n(charWidths_.begin(), end - g, cellWidth_);
    Canvas().Brush().SetColor(attr.BC);
    Canvas().Font().SetColor(attr.FC);
    Canvas().Font().SetStyle(attr.Style);
    Canvas().TextRect({cells.Left, cells.Top, cells.Right, cells.Bottom - 1}, cells.Left, cells.Top, text,
                      charWidths_.data());
    g = end;
  }
  return CellRect(g, line).Left;
}

void TTxCustomEditor::FillRowEnd(int line, int x) {
  const TTxSelection& s = selection_;
  const bool breakSelected = s.Selected && s.SelBlockFormat != bfColumn && s.SelBegY <= line && line < s.SelEndY;
  const TRect cell = CellRect(leftCol_, line);
  FillPixels({x, cell.Top, ClientWidth(), cell.Bottom}, breakSelected ? SelBackColor : Color());
}

void TTxCustomEditor::BuildLineAttrs(int line, int colBeg, int colEnd) {
  const TColumnAttr plain{Font().Color(), Color(), Font().Style()};
  const std::size_t size = static_cast<std::size_t>(std::max(colEnd, leftCol_) + 2);
  columnAttrs_.assign(size, plain);
  GetLineAttr(line, colBeg, colEnd);
  if (OnGetLineAttr) {
    std::string copy = lines_->Strings(line);
    OnGetLineAttr(this, copy, line, columnAttrs_);
  }
  columnAttrs_.resize(size, plain);  // a handler may not take columns away
  if (selection_.Selected) ColorizeSelection(line, colBeg, colEnd);
  AfterLineAttrs(line, colBeg, colEnd);
}

void TTxCustomEditor::GetLineAttr(int, int, int) {}

void TTxCustomEditor::AfterLineAttrs(int, int, int) {}

// The first row of a stream selection is selected to the right edge of the
// view, wherever the view is scrolled.
void TTxCustomEditor::ColorizeSelection(int line, int colBeg, int colEnd) {
  const TTxSelection& s = selection_;
  const auto select = [&](int from, int to) {
    for (int col = std::max(from, 0); col <= std::min(to, colEnd); ++col) {
      TColumnAttr& attr = columnAttrs_[static_cast<std::size_t>(col + 1)];
      attr.FC = SelForeColor;
      attr.BC = SelBackColor;
    }
  };
  if (s.SelBlockFormat == bfColumn) {
    if (s.SelBegY <= line && line <= s.SelEndY) select(s.SelBegX, s.SelEndX);
    return;
  }
  const int lastSelected = s.SelBlockFormat == bfInclusive ? s.SelEndX : s.SelEndX - 1;
  if (line == s.SelBegY && line == s.SelEndY) select(s.SelBegX, lastSelected);
  else if (line == s.SelBegY) select(s.SelBegX, colEnd);
  else if (line > s.SelBegY && line < s.SelEndY) select(colBeg, colEnd);
  else if (line == s.SelEndY) select(colBeg, lastSelected);
}

// Between top and bottom: a painted row needs only its part of the line.
void TTxCustomEditor::PaintRightMargin(int top, int bottom) {
  if (!rightMarginVisible_ || leftCol_ >= rightMargin_ || rightMargin_ >= lastVisibleCol_ + 3) return;
  const int x = CellRect(rightMargin_, topRow_).Left;
  FillPixels({x, top, x + 1, bottom}, rightMarginColor_);
}

void TTxCustomEditor::FillPixels(const TRect& rect, TColor color) {
  Canvas().Brush().SetColor(color);
  Canvas().FillRect(rect);
}

void TTxGutter::Paint() {
  TTxCustomEditor& e = editor_;
  const int width = e.gutterWidth_;
  const int height = e.ClientHeight();
  e.FillPixels({0, e.client_.Top(), width, height}, e.gutterColor_);
  e.FillPixels(Bounds(width - 2, 0, 1, height), e.Color());
  e.FillPixels(Bounds(width + 1, 0, 2, height), e.Color());
  e.FillPixels(Bounds(width - 1, 0, 1, height), clGray);
  e.Canvas().Brush().SetColor(e.gutterColor_);  // what the gutter's own painting draws on
  e.PaintGutter(e.Canvas());
}

void TTxCustomEditor::RepaintGutter() {
  if (HandleAllocated() && updateLock_ == 0) gutter_.Paint();
}

void TTxCustomEditor::PaintGutter(TCanvas& canvas) {
  if (OnPaintGutter) OnPaintGutter(this, canvas);
}

// The system caret: 2 pixels wide, one pixel into its cell's row.
void TTxCustomEditor::PaintCaret(bool show) {
  if (HideCaret || !HandleAllocated()) return;
  if (!show) {
    ::HideCaret(Handle());
    return;
  }
  if (!Focused()) return;
  const TRect cell = CellRect(caretX_, caretY_);
  SetCaretPos(cell.Left - 1, cell.Top + 1);
  ::ShowCaret(Handle());
}

void TTxCustomEditor::RepaintRows(int fromRow, int toRow) {
  if (!HandleAllocated() || updateLock_ > 0) return;
  fromRow = std::max(fromRow, topRow_);
  toRow = std::min(toRow, topRow_ + visibleRowCount_);
  if (fromRow > toRow) return;
  const TRect rows{0, CellRect(leftCol_, fromRow).Top, ClientWidth(), CellRect(leftCol_, toRow).Bottom};
  InvalidateRect(Handle(), &rows, false);
}

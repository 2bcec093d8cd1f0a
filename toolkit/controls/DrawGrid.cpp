#include "toolkit/controls/DrawGrid.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "runtime/Utf8Cells.h"
#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Screen.h"
#include "toolkit/win/Cursor.h"
#include "toolkit/win/Edges.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ScrollBar.h"

namespace {

// A press this near a column (row) edge in the fixed cells starts sizing it.
constexpr int SizingReach = 2;

// Columns (rows) are shown in this order: the fixed ones, then the
// scrolling ones from the first shown.
int FirstShown(int fixedCount, int first) { return fixedCount > 0 ? 0 : first; }
int NextShown(int index, int fixedCount, int first) { return index + 1 == fixedCount ? first : index + 1; }

TGridRect RectOf(TGridCoord a, TGridCoord b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

}  // namespace

// The in-place editor: an edit over the focused cell. It hands the keys that
// move between cells back to the grid, and every change of its text to the
// cell at once.
class TInplaceEdit : public TEdit {
public:
  explicit TInplaceEdit(TDrawGrid& grid) : TEdit(&grid), grid_(grid) {
    SetBorderStyle(bsNone);
    AutoSelect = false;
    Hide();
  }

protected:
  void Change() override {
    TEdit::Change();
    grid_.EditorTextChanged(Text());
  }

  void KeyDown(WORD& key, TShiftState shift) override {
    TEdit::KeyDown(key, shift);
    const bool toGrid = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                        (key == VK_TAB && (grid_.Options() & goTabs));
    if (toGrid) grid_.KeyDown(key, shift);
  }

  // Enter ends editing with the text typed, Esc with the text the edit started with.
  void KeyPress(char32_t& key) override {
    TEdit::KeyPress(key);
    if (key != U'\r' && key != 27) return;
    const bool accept = key == U'\r';
    key = 0;
    grid_.HideEditor(accept);
  }

  void Dispatch(TMessage& message) override {
    TEdit::Dispatch(message);
    if (message.Msg == WM_KILLFOCUS) {
      // The focus going anywhere but to the grid ends the edit there.
      const auto next = reinterpret_cast<HWND>(message.WParam);
      if (next != grid_.Handle()) grid_.HideEditor(true, false);
      return;
    }
    if (message.Msg != WM_GETDLGCODE) return;
    message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (grid_.Options() & goTabs) message.Result |= DLGC_WANTTAB;
  }

private:
  TDrawGrid& grid_;
};

TDrawGrid::TDrawGrid(TComponent* owner) : TCustomControl(owner) {
  ControlStyle |= csOpaque | csDoubleClicks;
  SetBounds(0, 0, 320, 120);
  SetColor(clWindow);
  TabStop = true;
  colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
  rowHeights_.assign(static_cast<size_t>(rowCount_), defaultRowHeight_);
}

TDrawGrid::~TDrawGrid() = default;

void TDrawGrid::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.ExStyle |= WS_EX_CLIENTEDGE;
  if (scrollBars_ == ssBoth || scrollBars_ == ssVertical) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssBoth || scrollBars_ == ssHorizontal) params.Style |= WS_HSCROLL;
}

// ---------------------------------------------------------------- size and content

void TDrawGrid::ResizeGrid(int cols, int rows) {
  const int oldCols = colCount_;
  const int oldRows = rowCount_;
  colWidths_.resize(static_cast<size_t>(cols), defaultColWidth_);
  rowHeights_.resize(static_cast<size_t>(rows), defaultRowHeight_);
  colCount_ = cols;
  rowCount_ = rows;
  SizeChanged(oldCols, oldRows);
  const auto clampInto = [this](TGridCoord& cell) {
    cell.X = std::clamp(cell.X, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    cell.Y = std::clamp(cell.Y, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
  };
  clampInto(current_);
  clampInto(anchor_);
  clampInto(topLeft_);
  UpdateScrollBars();
  Invalidate();
}

void TDrawGrid::SetColCount(int count) {
  if (count == colCount_) return;
  if (count <= fixedCols_) throw EInvalidOperation("Fixed column count must be less than column count");
  ResizeGrid(count, rowCount_);
}

void TDrawGrid::SetRowCount(int count) {
  if (count == rowCount_) return;
  if (count <= fixedRows_) throw EInvalidOperation("Fixed row count must be less than row count");
  ResizeGrid(colCount_, count);
}

void TDrawGrid::SetFixedCols(int count) {
  if (count < 0 || count >= colCount_) throw EInvalidOperation("Fixed column count must be less than column count");
  fixedCols_ = count;
  ResizeGrid(colCount_, rowCount_);
}

void TDrawGrid::SetFixedRows(int count) {
  if (count < 0 || count >= rowCount_) throw EInvalidOperation("Fixed row count must be less than row count");
  fixedRows_ = count;
  ResizeGrid(colCount_, rowCount_);
}

void TDrawGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = width;
  std::fill(colWidths_.begin(), colWidths_.end(), width);
  UpdateScrollBars();
  Invalidate();
}

void TDrawGrid::SetDefaultRowHeight(int height) {
  defaultRowHeight_ = height;
  std::fill(rowHeights_.begin(), rowHeights_.end(), height);
  UpdateScrollBars();
  Invalidate();
}

int TDrawGrid::ColWidths(int col) const { return colWidths_.at(static_cast<size_t>(col)); }

void TDrawGrid::SetColWidths(int col, int width) {
  colWidths_.at(static_cast<size_t>(col)) = std::max(width, 0);
  UpdateScrollBars();
  Invalidate();
}

int TDrawGrid::RowHeights(int row) const { return rowHeights_.at(static_cast<size_t>(row)); }

void TDrawGrid::SetRowHeights(int row, int height) {
  rowHeights_.at(static_cast<size_t>(row)) = std::max(height, 0);
  UpdateScrollBars();
  Invalidate();
}

void TDrawGrid::SetGridLineWidth(int width) {
  gridLineWidth_ = std::max(width, 0);
  Invalidate();
}

void TDrawGrid::SetFixedColor(TColor color) {
  fixedColor_ = color;
  Invalidate();
}

void TDrawGrid::SetOptions(TGridOptions options) {
  options_ = options;
  Invalidate();
}

void TDrawGrid::SetScrollBars(TScrollStyle style) {
  if (style == scrollBars_) return;
  scrollBars_ = style;
  RecreateWnd();
}

void TDrawGrid::SizeChanged(int, int) {}

std::string TDrawGrid::CellText(int col, int row) {
  std::string text;
  if (OnGetCellText) OnGetCellText(this, col, row, text);
  return text;
}

void TDrawGrid::InvalidateCell(int col, int row) {
  if (!HandleAllocated()) return;
  const TRect rect = CellRect(col, row);
  if (!IsRectEmpty(rect)) InvalidateRect(Handle(), &rect, false);
}

// ---------------------------------------------------------------- geometry

int TDrawGrid::FixedWidth() const {
  int width = 0;
  for (int col = 0; col < fixedCols_; ++col) width += colWidths_[static_cast<size_t>(col)] + gridLineWidth_;
  return width;
}

int TDrawGrid::FixedHeight() const {
  int height = 0;
  for (int row = 0; row < fixedRows_; ++row) height += rowHeights_[static_cast<size_t>(row)] + gridLineWidth_;
  return height;
}

// Left edge of a column shown (fixed, or from LeftCol on); a column scrolled
// out of view to the left has no place (-1). Past the client area the walk
// stops: any edge beyond it will do, so that finding one is never a walk
// over every column.
int TDrawGrid::ColumnLeft(int col) const {
  if (col >= fixedCols_ && col < topLeft_.X) return -1;
  const int limit = ClientRect().Right;
  int x = 0;
  for (int c = FirstShown(fixedCols_, topLeft_.X); c < col && x <= limit; c = NextShown(c, fixedCols_, topLeft_.X))
    x += colWidths_[static_cast<size_t>(c)] + gridLineWidth_;
  return x;
}

int TDrawGrid::RowTop(int row) const {
  if (row >= fixedRows_ && row < topLeft_.Y) return -1;
  const int limit = ClientRect().Bottom;
  int y = 0;
  for (int r = FirstShown(fixedRows_, topLeft_.Y); r < row && y <= limit; r = NextShown(r, fixedRows_, topLeft_.Y))
    y += rowHeights_[static_cast<size_t>(r)] + gridLineWidth_;
  return y;
}

TRect TDrawGrid::CellRect(int col, int row) {
  if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_) return {};
  const int left = ColumnLeft(col);
  const int top = RowTop(row);
  const TRect client = ClientRect();
  if (left < 0 || top < 0 || left >= client.Right || top >= client.Bottom) return {};
  return {left, top, left + colWidths_[static_cast<size_t>(col)], top + rowHeights_[static_cast<size_t>(row)]};
}

// Each cell owns the grid line after it.
TGridCoord TDrawGrid::MouseCoord(int x, int y) {
  const auto find = [](int at, int fixedCount, int first, int count, const std::vector<int>& sizes, int line) {
    int edge = 0;
    for (int i = FirstShown(fixedCount, first); i < count; i = NextShown(i, fixedCount, first)) {
      edge += sizes[static_cast<size_t>(i)] + line;
      if (at < edge) return i;
    }
    return -1;
  };
  if (x < 0 || y < 0) return {-1, -1};
  return {find(x, fixedCols_, topLeft_.X, colCount_, colWidths_, gridLineWidth_),
          find(y, fixedRows_, topLeft_.Y, rowCount_, rowHeights_, gridLineWidth_)};
}

void TDrawGrid::MouseToCell(int x, int y, int& col, int& row) {
  const TGridCoord cell = MouseCoord(x, y);
  col = cell.X;
  row = cell.Y;
}

int TDrawGrid::VisibleColCount() {
  int x = FixedWidth();
  int count = 0;
  for (int col = topLeft_.X; col < colCount_; ++col) {
    x += colWidths_[static_cast<size_t>(col)] + gridLineWidth_;
    if (x - gridLineWidth_ > ClientWidth()) break;
    ++count;
  }
  return std::max(count, 1);
}

int TDrawGrid::VisibleRowCount() {
  int y = FixedHeight();
  int count = 0;
  for (int row = topLeft_.Y; row < rowCount_; ++row) {
    y += rowHeights_[static_cast<size_t>(row)] + gridLineWidth_;
    if (y - gridLineWidth_ > ClientHeight()) break;
    ++count;
  }
  return std::max(count, 1);
}

// ---------------------------------------------------------------- painting

TGridDrawState TDrawGrid::StateOf(int col, int row) {
  if (col < fixedCols_ || row < fixedRows_) return gdFixed;
  TGridDrawState state = 0;
  const bool focusCell = col == current_.X && row == current_.Y;
  if (focusCell && Focused()) state |= gdFocused;
  if (Selection().Contains(col, row) && (!focusCell || (options_ & (goDrawFocusSelected | goRowSelect)) || !Focused()))
    state |= gdSelected;
  return state;
}

void TDrawGrid::Paint() {
  const TRect client = ClientRect();
  const TRect clip = Canvas().ClipRect();
  int right = 0;
  int y = 0;
  for (int row = FirstShown(fixedRows_, topLeft_.Y); row < rowCount_ && y < client.Bottom;
       row = NextShown(row, fixedRows_, topLeft_.Y)) {
    const int height = rowHeights_[static_cast<size_t>(row)];
    int x = 0;
    for (int col = FirstShown(fixedCols_, topLeft_.X); col < colCount_ && x < client.Right;
         col = NextShown(col, fixedCols_, topLeft_.X)) {
      const TRect cell{x, y, x + colWidths_[static_cast<size_t>(col)], y + height};
      TRect shown;
      if (IntersectRect(shown, cell, clip)) DrawCell(col, row, cell, StateOf(col, row));
      x = cell.Right + gridLineWidth_;
    }
    right = x;
    y += height + gridLineWidth_;
  }
  const int bottom = y;
  DrawGridLines(std::min(right, client.Right), std::min(bottom, client.Bottom));
  // What lies beyond the last column and row.
  Canvas().Brush().SetStyle(bsSolid);
  Canvas().Brush().SetColor(Color());
  if (right < client.Right) Canvas().FillRect({right, 0, client.Right, client.Bottom});
  if (bottom < client.Bottom) Canvas().FillRect({0, bottom, std::min(right, client.Right), client.Bottom});
}

// A line runs after each column and row: across the whole grid after a
// fixed one (fixed lines), across the scrolling cells after another (normal lines).
void TDrawGrid::DrawGridLines(int right, int bottom) {
  if (gridLineWidth_ <= 0) return;
  TCanvas& canvas = Canvas();
  canvas.Brush().SetStyle(bsSolid);
  const auto draw = [&](bool vertical) {
    const int count = vertical ? colCount_ : rowCount_;
    const int fixedCount = vertical ? fixedCols_ : fixedRows_;
    const int first = vertical ? topLeft_.X : topLeft_.Y;
    const int limit = vertical ? right : bottom;
    const int across = vertical ? bottom : right;
    const int fixedAcross = vertical ? FixedHeight() : FixedWidth();
    const std::vector<int>& sizes = vertical ? colWidths_ : rowHeights_;
    int at = 0;
    for (int i = FirstShown(fixedCount, first); i < count && at < limit; i = NextShown(i, fixedCount, first)) {
      at += sizes[static_cast<size_t>(i)];
      const bool fixedLine = i < fixedCount;
      const bool shown = options_ & (fixedLine ? (vertical ? goFixedVertLine : goFixedHorzLine)
                                               : (vertical ? goVertLine : goHorzLine));
      canvas.Brush().SetColor(shown ? (fixedLine ? clBlack : clSilver) : (fixedLine ? fixedColor_ : Color()));
      const int from = fixedLine ? 0 : fixedAcross;
      canvas.FillRect(vertical ? TRect{at, from, at + gridLineWidth_, across}
                               : TRect{from, at, across, at + gridLineWidth_});
      // A normal line through the fixed cells takes the fixed look.
      if (!fixedLine && fixedAcross > 0) {
        canvas.Brush().SetColor((options_ & (vertical ? goFixedVertLine : goFixedHorzLine)) ? clBlack : fixedColor_);
        canvas.FillRect(vertical ? TRect{at, 0, at + gridLineWidth_, fixedAcross}
                                 : TRect{0, at, fixedAcross, at + gridLineWidth_});
      }
      at += gridLineWidth_;
    }
  };
  draw(true);
  draw(false);
}

void TDrawGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  TCanvas& canvas = Canvas();
  if (DefaultDrawing) {
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsSolid);
    if (state & gdFixed) {
      canvas.Brush().SetColor(fixedColor_);
    } else if (state & gdSelected) {
      canvas.Brush().SetColor(clHighlight);
      canvas.Font().SetColor(clHighlightText);
    } else {
      canvas.Brush().SetColor(Color());
    }
    canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, CellText(col, row));
    if (state & gdFixed) {
      TRect edge = rect;
      DrawEdge(canvas.Handle(), edge, BDR_RAISEDINNER, BF_RECT);
    }
  }
  if (OnDrawCell) OnDrawCell(this, col, row, rect, state);
  if (DefaultDrawing && (state & gdFocused) && !(options_ & (goDrawFocusSelected | goRowSelect)))
    canvas.DrawFocusRect(rect);
}

// ---------------------------------------------------------------- selection

bool TDrawGrid::SelectCell(int col, int row) {
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

TGridRect TDrawGrid::Selection() const { return RectOf(current_, anchor_); }

void TDrawGrid::SetSelection(const TGridRect& selection) {
  const TGridRect old = Selection();
  anchor_ = {selection.Left, selection.Top};
  current_ = {selection.Right, selection.Bottom};
  SelectionMoved(old);
}

void TDrawGrid::SetCol(int col) {
  if (col != current_.X) MoveCurrent(col, current_.Y, true, true);
}

void TDrawGrid::SetRow(int row) {
  if (row != current_.Y) MoveCurrent(current_.X, row, true, true);
}

void TDrawGrid::MoveCurrent(int col, int row, bool moveAnchor, bool show) {
  if (col < fixedCols_ || col >= colCount_ || row < fixedRows_ || row >= rowCount_) return;
  if (!SelectCell(col, row)) return;
  const TGridRect old = Selection();
  HideEditor();
  current_ = {col, row};
  if (moveAnchor || !(options_ & goRangeSelect)) anchor_ = current_;
  if (options_ & goRowSelect) {
    anchor_.X = colCount_ - 1;
    current_.X = fixedCols_;
  }
  if (show) ClampInView(current_);
  SelectionMoved(old);
  if (options_ & goAlwaysShowEditor) ShowEditor();
}

// Extends the range from the focused cell; with editing the focus moves instead.
void TDrawGrid::MoveAnchor(TGridCoord anchor) {
  if ((options_ & (goRangeSelect | goEditing)) != goRangeSelect) {
    MoveCurrent(anchor.X, anchor.Y, true, true);
    return;
  }
  const TGridRect old = Selection();
  anchor_ = {std::clamp(anchor.X, fixedCols_, colCount_ - 1), std::clamp(anchor.Y, fixedRows_, rowCount_ - 1)};
  if (options_ & goRowSelect) anchor_.X = colCount_ - 1;
  ClampInView(anchor_);
  SelectionMoved(old);
}

void TDrawGrid::SelectionMoved(const TGridRect& old) {
  const TGridRect now = Selection();
  if (now == old) return;
  InvalidateGridRect(old);
  InvalidateGridRect(now);
}

void TDrawGrid::InvalidateGridRect(const TGridRect& rect) {
  if (!HandleAllocated()) return;
  const int left = std::max(rect.Left, topLeft_.X);
  const int top = std::max(rect.Top, topLeft_.Y);
  const TRect first = CellRect(left, top);
  if (IsRectEmpty(first)) return;
  TRect area{first.Left, first.Top, ClientWidth(), ClientHeight()};
  const TRect last = CellRect(rect.Right, rect.Bottom);
  if (!IsRectEmpty(last)) area = {first.Left, first.Top, last.Right, last.Bottom};
  InvalidateRect(Handle(), &area, false);
}

// ---------------------------------------------------------------- scrolling

TGridCoord TDrawGrid::MaxTopLeft() {
  const auto lastFirst = [](int count, int fixedCount, const std::vector<int>& sizes, int line, int room) {
    int first = count - 1;
    int used = sizes[static_cast<size_t>(first)] + line;
    while (first > fixedCount && used + sizes[static_cast<size_t>(first) - 1] + line <= room + line)
      used += sizes[static_cast<size_t>(--first)] + line;
    return std::max(first, fixedCount);
  };
  return {lastFirst(colCount_, fixedCols_, colWidths_, gridLineWidth_, ClientWidth() - FixedWidth()),
          lastFirst(rowCount_, fixedRows_, rowHeights_, gridLineWidth_, ClientHeight() - FixedHeight())};
}

void TDrawGrid::SetTopLeft(TGridCoord topLeft) {
  const TGridCoord limit = MaxTopLeft();
  topLeft = {std::clamp(topLeft.X, fixedCols_, limit.X), std::clamp(topLeft.Y, fixedRows_, limit.Y)};
  if (topLeft == topLeft_) return;
  topLeft_ = topLeft;
  UpdateScrollBars();
  UpdateEditor();
  Invalidate();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TDrawGrid::SetLeftCol(int col) { SetTopLeft({col, topLeft_.Y}); }

void TDrawGrid::SetTopRow(int row) { SetTopLeft({topLeft_.X, row}); }

void TDrawGrid::ClampInView(TGridCoord cell) {
  TGridCoord topLeft = topLeft_;
  if (cell.X < topLeft.X) topLeft.X = cell.X;
  if (cell.Y < topLeft.Y) topLeft.Y = cell.Y;
  if (cell.X >= topLeft_.X + VisibleColCount()) topLeft.X = cell.X - VisibleColCount() + 1;
  if (cell.Y >= topLeft_.Y + VisibleRowCount()) topLeft.Y = cell.Y - VisibleRowCount() + 1;
  SetTopLeft(topLeft);
}

// A bar's positions are the scrolling columns (rows); it shows while some
// are hidden. A bar is set (and repainted) only when it changes, so that
// sizing every column of a wide grid does not repaint the bars each time.
void TDrawGrid::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  const TGridCoord limit = MaxTopLeft();
  const auto update = [this](int bar, int first, int fixedCount, int count, int last) {
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = count - fixedCount - 1;
    info.nPage = last > fixedCount ? static_cast<UINT>(count - last) : static_cast<UINT>(info.nMax + 1);
    info.nPos = first - fixedCount;
    SCROLLINFO shown;
    shown.fMask = SIF_ALL;
    if (GetScrollInfo(Handle(), bar, shown) && shown.nMin == info.nMin && shown.nMax == info.nMax &&
        shown.nPage == info.nPage && shown.nPos == info.nPos)
      return;
    SetScrollInfo(Handle(), bar, info, true);
  };
  if (scrollBars_ == ssBoth || scrollBars_ == ssHorizontal) update(SB_HORZ, topLeft_.X, fixedCols_, colCount_, limit.X);
  if (scrollBars_ == ssBoth || scrollBars_ == ssVertical) update(SB_VERT, topLeft_.Y, fixedRows_, rowCount_, limit.Y);
}

void TDrawGrid::ScrollRequest(int bar, int request) {
  const bool vertical = bar == SB_VERT;
  const int fixedCount = vertical ? fixedRows_ : fixedCols_;
  const int first = vertical ? topLeft_.Y : topLeft_.X;
  const int page = vertical ? VisibleRowCount() : VisibleColCount();
  const int last = vertical ? MaxTopLeft().Y : MaxTopLeft().X;
  SCROLLINFO info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Handle(), bar, info);
  int target = first;
  switch (request) {
    case SB_LINEUP: target = first - 1; break;
    case SB_LINEDOWN: target = first + 1; break;
    case SB_PAGEUP: target = first - page; break;
    case SB_PAGEDOWN: target = first + page; break;
    case SB_THUMBTRACK:
      if (!(options_ & goThumbTracking)) return;
      target = fixedCount + info.nTrackPos;
      break;
    case SB_THUMBPOSITION: target = fixedCount + info.nTrackPos; break;
    case SB_TOP: target = fixedCount; break;
    case SB_BOTTOM: target = last; break;
    default: return;
  }
  if (vertical)
    SetTopRow(target);
  else
    SetLeftCol(target);
}

void TDrawGrid::WMHScroll(TMessage& message) { ScrollRequest(SB_HORZ, LOWORD(message.WParam)); }

void TDrawGrid::WMVScroll(TMessage& message) { ScrollRequest(SB_VERT, LOWORD(message.WParam)); }

void TDrawGrid::WMSize(TMessage& message) {
  TCustomControl::Dispatch(message);
  UpdateScrollBars();
  SetTopLeft(topLeft_);
}

// ---------------------------------------------------------------- mouse and keys

int TDrawGrid::SizingColumnAt(int x, int y) {
  if (!(options_ & goColSizing) || y >= FixedHeight()) return -1;
  for (int col = FirstShown(fixedCols_, topLeft_.X); col < colCount_; col = NextShown(col, fixedCols_, topLeft_.X)) {
    const int left = ColumnLeft(col);
    if (left < 0 || left > ClientWidth()) break;
    const int edge = left + colWidths_[static_cast<size_t>(col)];
    if (std::abs(x - edge) <= SizingReach) return col;
  }
  return -1;
}

int TDrawGrid::SizingRowAt(int x, int y) {
  if (!(options_ & goRowSizing) || x >= FixedWidth()) return -1;
  for (int row = FirstShown(fixedRows_, topLeft_.Y); row < rowCount_; row = NextShown(row, fixedRows_, topLeft_.Y)) {
    const int top = RowTop(row);
    if (top < 0 || top > ClientHeight()) break;
    const int edge = top + rowHeights_[static_cast<size_t>(row)];
    if (std::abs(y - edge) <= SizingReach) return row;
  }
  return -1;
}

void TDrawGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && CanFocus() && !Focused()) SetFocus();
  if (button == mbLeft) {
    if ((sizingIndex_ = SizingColumnAt(x, y)) >= 0) {
      state_ = TGridState::ColSizing;
      sizingOrigin_ = x;
      sizingStart_ = colWidths_[static_cast<size_t>(sizingIndex_)];
    } else if ((sizingIndex_ = SizingRowAt(x, y)) >= 0) {
      state_ = TGridState::RowSizing;
      sizingOrigin_ = y;
      sizingStart_ = rowHeights_[static_cast<size_t>(sizingIndex_)];
    } else {
      const TGridCoord cell = MouseCoord(x, y);
      if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) {
        if (shift & ssShift)
          MoveAnchor(cell);
        else
          MoveCurrent(cell.X, cell.Y, true, true);
        state_ = TGridState::Selecting;
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TDrawGrid::MouseMove(TShiftState shift, int x, int y) {
  switch (state_) {
    case TGridState::Selecting: {
      const TGridCoord cell = MouseCoord(x, y);
      if (cell.X >= fixedCols_ && cell.Y >= fixedRows_) MoveAnchor(cell);
      break;
    }
    case TGridState::ColSizing: SetColWidths(sizingIndex_, sizingStart_ + x - sizingOrigin_); break;
    case TGridState::RowSizing: SetRowHeights(sizingIndex_, sizingStart_ + y - sizingOrigin_); break;
    case TGridState::Normal: break;
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TDrawGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  state_ = TGridState::Normal;
  TCustomControl::MouseUp(button, shift, x, y);
}

// The wheel moves the focused cell a row per notch.
bool TDrawGrid::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
  const int rows = -wheelDelta / WHEEL_DELTA;
  if (rows != 0) MoveCurrent(current_.X, std::clamp(current_.Y + rows, fixedRows_, rowCount_ - 1), true, true);
  return true;
}

void TDrawGrid::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  const bool extend = (shift & ssShift) && (options_ & goRangeSelect) && key != VK_TAB;
  TGridCoord target = extend ? anchor_ : current_;
  const int page = VisibleRowCount();
  switch (key) {
    case VK_UP: --target.Y; break;
    case VK_DOWN: ++target.Y; break;
    case VK_LEFT: --target.X; break;
    case VK_RIGHT: ++target.X; break;
    case VK_PRIOR: target.Y -= page; break;
    case VK_NEXT: target.Y += page; break;
    case VK_HOME: target.X = fixedCols_; break;
    case VK_END: target.X = colCount_ - 1; break;
    case VK_TAB:
      if (!(options_ & goTabs)) return;
      target.X += (shift & ssShift) ? -1 : 1;
      break;
    case VK_F2:
      ShowEditor();
      key = 0;
      return;
    default: return;
  }
  target = {std::clamp(target.X, fixedCols_, colCount_ - 1), std::clamp(target.Y, fixedRows_, rowCount_ - 1)};
  if (extend)
    MoveAnchor(target);
  else
    MoveCurrent(target.X, target.Y, true, true);
  key = 0;
}

// Enter opens and closes the editor; a typed character starts it with that character.
void TDrawGrid::KeyPress(char32_t& key) {
  TCustomControl::KeyPress(key);
  if (key == U'\r') {
    SetEditorMode(!EditorMode());
    key = 0;
  } else if (key >= 32 && key != 127 && (options_ & goEditing)) {
    ShowEditorChar(key);
    key = 0;
  }
}

void TDrawGrid::Dispatch(TMessage& message) {
  static const TMessageHandlers<TDrawGrid> handlers{
      {WM_GETDLGCODE, &TDrawGrid::WMGetDlgCode}, {WM_HSCROLL, &TDrawGrid::WMHScroll},
      {WM_VSCROLL, &TDrawGrid::WMVScroll},       {WM_SIZE, &TDrawGrid::WMSize},
      {WM_SETCURSOR, &TDrawGrid::WMSetCursor},   {WM_LBUTTONDBLCLK, &TDrawGrid::WMLButtonDblClk},
  };
  if (!handlers.Dispatch(*this, message)) TCustomControl::Dispatch(message);
  if (message.Msg == WM_SETFOCUS || message.Msg == WM_KILLFOCUS) InvalidateGridRect({current_.X, current_.Y, current_.X, current_.Y});
}

void TDrawGrid::WMGetDlgCode(TMessage& message) {
  message.Result = DLGC_WANTARROWS;
  if (options_ & goTabs) message.Result |= DLGC_WANTTAB;
  if (options_ & goEditing) message.Result |= DLGC_WANTCHARS;
}

// Over a column or row edge that can be dragged, the sizing cursor.
void TDrawGrid::WMSetCursor(TMessage& message) {
  if (LOWORD(static_cast<uintptr_t>(message.LParam)) == HTCLIENT && state_ == TGridState::Normal) {
    TPoint point;
    GetCursorPos(point);
    point = ScreenToClient(point);
    if (SizingColumnAt(point.X, point.Y) >= 0 || SizingRowAt(point.X, point.Y) >= 0) {
      ::SetCursor(Screen().Cursors(SizingColumnAt(point.X, point.Y) >= 0 ? crSizeWE : crSizeNS));
      message.Result = 1;
      return;
    }
  }
  TCustomControl::Dispatch(message);
}

void TDrawGrid::WMLButtonDblClk(TMessage& message) {
  TCustomControl::Dispatch(message);
  const TGridCoord cell = MouseCoord(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
  if (cell == current_) ShowEditor();
}

// ---------------------------------------------------------------- editing

std::string TDrawGrid::GetEditText(int col, int row) {
  std::string text = CellText(col, row);
  if (OnGetEditText) OnGetEditText(this, col, row, text);
  return text;
}

void TDrawGrid::SetEditText(int col, int row, const std::string& value) {
  if (OnSetEditText) OnSetEditText(this, col, row, value);
}

TEdit* TDrawGrid::InplaceEditor() const { return editor_; }

bool TDrawGrid::EditorMode() const { return editor_ && editor_->Visible(); }

void TDrawGrid::SetEditorMode(bool editing) {
  if (editing)
    ShowEditor();
  else
    HideEditor();
}

void TDrawGrid::ShowEditor() {
  if (!(options_ & goEditing) || !HandleAllocated()) return;
  ClampInView(current_);
  if (!editor_) {
    editor_ = new TInplaceEdit(*this);
    editor_->SetParent(this);
    // Its window first, so that loading the text below is the only change it reports.
    editor_->HandleNeeded();
  }
  editStartText_ = GetEditText(current_.X, current_.Y);
  loadingEditor_ = true;
  editor_->SetText(editStartText_);
  loadingEditor_ = false;
  editor_->Show();
  UpdateEditor();
  editor_->SetFocus();
  editor_->SetSelStart(static_cast<int>(editor_->Text().size()));
}

void TDrawGrid::ShowEditorChar(char32_t key) {
  ShowEditor();
  if (!EditorMode()) return;
  std::string text;
  AppendUtf8(text, key);
  editor_->SetText(text);
  editor_->SetSelStart(static_cast<int>(text.size()));
}

// The editor hides before anyone hears of the end, so that an edit ends once.
void TDrawGrid::HideEditor(bool accept, bool refocus) {
  if (!EditorMode() || endingEdit_) return;
  endingEdit_ = true;
  const TGridCoord cell = current_;
  const bool hadFocus = editor_->Focused();
  const std::string text = editor_->Text();
  if (!accept && text != editStartText_) editor_->SetText(editStartText_);
  editor_->Hide();
  endingEdit_ = false;
  if (hadFocus && refocus) SetFocus();
  InvalidateCell(cell.X, cell.Y);
  if (accept && text != editStartText_ && OnAcceptEditText) OnAcceptEditText(this, cell.X, cell.Y, text);
}

void TDrawGrid::UpdateEditor() {
  if (!EditorMode()) return;
  const TRect cell = CellRect(current_.X, current_.Y);
  if (IsRectEmpty(cell)) {
    HideEditor();
    return;
  }
  editor_->SetBounds(cell.Left, cell.Top, cell.Width(), cell.Height());
}

void TDrawGrid::EditorTextChanged(const std::string& text) {
  if (!loadingEditor_) SetEditText(current_.X, current_.Y, text);
}

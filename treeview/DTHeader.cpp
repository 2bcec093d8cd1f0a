#include "treeview/DTHeader.h"

#include <algorithm>
#include <cmath>

#include "runtime/MulDiv.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTDragImage.h"
#include "treeview/DataTreeOptions.h"

TDTHeader::TDTHeader(TBaseDataTree& tree)
    : tree_(tree), columns_(*this), dragImage_(std::make_unique<TDTDragImage>(tree)) {
  dragImage_->Fade = false;
  dragImage_->PreBlendBias = -50;
  dragImage_->Transparency = 140;
  font_.OnChange = [this] { InvalidateHeader(ColumnNone, false); };
  imagesLink_.OnChange = [this] { InvalidateHeader(ColumnNone, false); };
  imagesLink_.OnFree = [this] { InvalidateHeader(ColumnNone, false); };
}

TDTHeader::~TDTHeader() = default;

void TDTHeader::Assign(const TDTHeader& source) {
  SetAutoSizeIndex(source.autoSizeIndex_);
  SetBackground(source.background_);
  SetColumns(source.columns_);
  SetFont(source.font_);
  SetHeight(source.height_);
  SetImages(source.Images());
  SetMainColumn(source.MainColumn());
  SetOptions(source.options_);
  SetParentFont(source.parentFont_);
  SetSortColumn(source.sortColumn_);
  SetSortDirection(source.sortDirection_);
  SetStyle(source.style_);
}

// ---- Main, sort and auto-size column ---------------------------------------------------

void TDTHeader::SetMainColumn(TColumnIndex column) {
  if (tree_.IsLoading()) {
    mainColumn_ = column;
    return;
  }
  column = std::min(std::max(column, 0), columns_.Count() - 1);
  if (column == mainColumn_) return;
  mainColumn_ = column;
  tree_.MainColumnSwitched();
  if (!tree_.TreeOptions().SelectionOptions().Contains(toExtendedFocus)) tree_.MoveFocusColumn(column);
  if (tree_.HandleAllocated()) tree_.Invalidate();
}

void TDTHeader::ClampMainColumn() {
  mainColumn_ = std::min(std::max(mainColumn_, 0), columns_.Count() - 1);
}

void TDTHeader::SetSortColumn(TColumnIndex column) {
  if (tree_.IsLoading()) {
    sortColumn_ = column;
    return;
  }
  column = std::min(std::max(column, ColumnNone), columns_.Count() - 1);
  if (column == sortColumn_) return;
  if (sortColumn_ >= 0) InvalidateHeader(sortColumn_, false);
  sortColumn_ = column;
  if (sortColumn_ >= 0) InvalidateHeader(sortColumn_, false);
  SortTreeIfAutomatic();
}

void TDTHeader::SetSortDirection(TSortDirection direction) {
  if (direction == sortDirection_) return;
  sortDirection_ = direction;
  InvalidateHeader(ColumnNone, false);
  SortTreeIfAutomatic();
}

void TDTHeader::SortTreeIfAutomatic() {
  if (tree_.TreeOptions().AutoOptions().Contains(toAutoSort) && tree_.UpdateCount() == 0)
    tree_.SortWholeTree(sortColumn_, sortDirection_, true);
}

void TDTHeader::SetAutoSizeIndex(TColumnIndex index) {
  if (index == autoSizeIndex_) return;
  autoSizeIndex_ = index;
  if (options_.Contains(hoAutoResize)) columns_.FitAutoSizeColumn(false);
}

void TDTHeader::ColumnsCleared() {
  autoSizeIndex_ = ColumnNone;
  mainColumn_ = ColumnNone;
  sortColumn_ = ColumnNone;
}

void TDTHeader::ColumnDeleted(TColumnIndex column) {
  for (TColumnIndex* index : {&autoSizeIndex_, &sortColumn_}) {
    if (*index == column)
      *index = ColumnNone;
    else if (*index > column)
      --*index;
  }
  // The main column must stay a real column while there is one: when it
  // goes, the first of the others takes its place, renumbered to 0.
  if (!HasColumns())
    mainColumn_ = ColumnNone;
  else if (mainColumn_ == column)
    mainColumn_ = 0;
  else if (mainColumn_ > column)
    --mainColumn_;
}

// ---- Settings ------------------------------------------------------------------------

void TDTHeader::SetOptions(TDTHeaderOptions options) {
  const TDTHeaderOptions toBeSet = options - options_;
  const TDTHeaderOptions changed = toBeSet + (options_ - options);
  options_ = options;
  if (changed.Contains(hoAutoResize) && HasColumns()) {
    columns_.FitAutoSizeColumn(false);
    if (tree_.HandleAllocated()) {
      tree_.UpdateHorzScrollBar(false);
      if (toBeSet.Contains(hoAutoResize)) tree_.Invalidate();
    }
  }
  if (tree_.IsLoading() || !tree_.HandleAllocated()) return;
  if (changed.Contains(hoVisible)) RecalcHeaderFrame();
  InvalidateHeader(ColumnNone, false);
  tree_.Invalidate();
}

void TDTHeader::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  if (!tree_.IsLoading()) RecalcHeaderFrame();
}

void TDTHeader::SetStyle(TDTHeaderStyle style) {
  if (style == style_) return;
  style_ = style;
  if (!tree_.IsLoading()) InvalidateHeader(ColumnNone, false);
}

void TDTHeader::SetBackground(TColor color) {
  if (color == background_) return;
  background_ = color;
  InvalidateHeader(ColumnNone, false);
}

void TDTHeader::SetFont(const TFont& font) {
  font_.Assign(font);
  parentFont_ = false;
}

void TDTHeader::SetParentFont(bool value) {
  if (value == parentFont_) return;
  parentFont_ = value;
  TreeFontChanged();
}

void TDTHeader::TreeFontChanged() {
  if (parentFont_) font_.Assign(tree_.Font());
}

void TDTHeader::ScaleFont(int m, int d) { font_.SetSize(MulDiv(font_.Size(), m, d)); }

void TDTHeader::SetImages(TImageList* images) {
  if (images == Images()) return;
  imagesLink_.Attach(images);
  if (!tree_.IsLoading()) InvalidateHeader(ColumnNone, false);
}

// ---- Frame and repainting ------------------------------------------------------------

TRect TDTHeader::HeaderRect() const {
  const int height = options_.Contains(hoVisible) ? height_ : 0;
  if (!tree_.HandleAllocated()) return Rect(0, 0, tree_.Width(), height);
  // Between the borders, right above the client area, the scroll bar's column included.
  TRect window;
  GetWindowRect(tree_.Handle(), window);
  TPoint origin = Point(0, 0);
  ClientToScreen(tree_.Handle(), origin);
  const int border = origin.X - window.Left;
  const int top = origin.Y - window.Top - height;
  return Rect(border, top, window.Width() - border, top + height);
}

void TDTHeader::InvalidateHeader(TColumnIndex column, bool expandToBorder) {
  if (!options_.Contains(hoVisible) || !tree_.HandleAllocated()) return;
  const TRect header = HeaderRect();
  TRect r = header;
  if (columns_.ColumnExists(column)) {
    const TDataTreeColumn& item = columns_.ColumnAt(column);
    r = item.HeaderCellRect();
    if (!item.Options().Contains(coFixed)) OffsetRect(r, -tree_.EffectiveOffsetX(), 0);
    OffsetRect(r, tree_.RightToLeftOffset(), 0);
    if (expandToBorder && tree_.BiDiMode() == bdRightToLeft)
      r.Left = header.Left;
    else if (expandToBorder)
      r.Right = header.Right;
  }
  // From window to client coordinates: the client area starts below the strip.
  OffsetRect(r, -header.Left, -header.Bottom);
  RedrawWindow(tree_.Handle(), &r, nullptr,
               RDW_FRAME | RDW_INVALIDATE | RDW_VALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_NOCHILDREN);
}

void TDTHeader::RecalcHeaderFrame() {
  if (!tree_.HandleAllocated()) return;
  SetWindowPos(tree_.Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                   SWP_NOSENDCHANGING);
}

// ---- Widths ---------------------------------------------------------------------------

bool TDTHeader::SplitterAtPoint(int x) {
  columns_.TrackIndex = ColumnNone;
  if (!HasColumns()) return false;
  return tree_.BiDiMode() == bdRightToLeft ? SplitterRightToLeft(x) : SplitterLeftToRight(x);
}

bool TDTHeader::SplitterLeftToRight(int x) {
  int edge = tree_.RangeX() - tree_.EffectiveOffsetX();
  // From the last position: where narrow columns' zones overlap the right one wins.
  for (int position = columns_.Count() - 1; position >= 0; --position) {
    const TDataTreeColumn& column = columns_.ColumnAt(columns_.ColumnAtPosition(position));
    if (!column.Visible()) continue;
    if (x > edge - 3 && x < edge + 5) return StartsTracking(column, edge - column.Width());
    edge -= column.Width();
  }
  return false;
}

bool TDTHeader::SplitterRightToLeft(int x) {
  // The columns end at the client's right edge; each column's splitter is its left edge.
  int edge = -tree_.EffectiveOffsetX() + std::max(tree_.ClientWidth() - tree_.RangeX(), 0);
  for (int position = 0; position < columns_.Count(); ++position) {
    const TDataTreeColumn& column = columns_.ColumnAt(columns_.ColumnAtPosition(position));
    if (!column.Visible()) continue;
    if (x > edge - 5 && x < edge + 3) return StartsTracking(column, edge + column.Width());
    edge += column.Width();
  }
  return false;
}

bool TDTHeader::StartsTracking(const TDataTreeColumn& column, int fixedEdge) {
  if (!column.Options().Contains(coResizable)) return false;
  columns_.TrackIndex = column.Index();
  trackPos_ = fixedEdge;
  return true;
}

void TDTHeader::SpreadSpringDelta() {
  const int width = HeaderRect().Width();
  const int delta = width - lastWidth_;
  if (options_.Contains(hoAutoSpring) && lastWidth_ != 0 && delta != 0) {
    const int sign = delta < 0 ? -1 : 1;
    float rest = static_cast<float>(std::abs(delta));
    std::vector<TDataTreeColumn*> springs;
    for (int index = 0; index < columns_.Count(); ++index) {
      TDataTreeColumn& column = columns_.ColumnAt(index);
      if (column.Visible() && column.Options().Contains(coAutoSpring)) springs.push_back(&column);
    }
    const float step = springs.empty() ? 0 : rest / static_cast<float>(springs.size());
    for (TDataTreeColumn* column : springs) {
      const float part = column->springRest_ + step;
      if (part >= 1) column->SetWidth(column->Width() + sign * static_cast<int>(part));
      column->springRest_ = part - std::trunc(part);
      rest -= step;
      if (rest < 0) break;
    }
  }
  lastWidth_ = width;
}

void TDTHeader::FitColumnsToContent() {
  for (int position = 0; position < columns_.Count(); ++position) {
    TDataTreeColumn& column = columns_.ColumnAt(columns_.ColumnAtPosition(position));
    if (column.Visible() && column.Options().Contains(coResizable))
      column.SetWidth(tree_.WidestCellInColumn(column.Index()));
  }
}

void TDTHeader::RestoreColumnWidths() {
  for (int position = columns_.Count() - 1; position >= 0; --position) {
    TDataTreeColumn& column = columns_.ColumnAt(columns_.ColumnAtPosition(position));
    if (column.Visible() && column.Options().Contains(coResizable)) column.RestorePreviousWidth();
  }
}

#include "treeview/DataTreeColumns.h"

#include <algorithm>
#include <cmath>

#include "runtime/Exceptions.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Gdi.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"

// ---- Column -----------------------------------------------------------------------

TDataTreeColumn::TDataTreeColumn(TDataTreeColumns& owner, TColumnIndex index)
    : owner_(owner), index_(index), position_(index) {
  SyncParentBiDiMode();
  SyncParentColor();
}

void TDataTreeColumn::Changed() { owner_.Changed(this); }

void TDataTreeColumn::RepaintTree() const {
  TBaseDataTree& tree = owner_.Header().Tree();
  if (tree.HandleAllocated()) tree.Invalidate();
}

void TDataTreeColumn::SetWidth(int width) {
  width = std::min(std::max(width, minWidth_), maxWidth_);
  if (width == width_) return;
  lastWidth_ = width_;
  TDTHeader& header = owner_.Header();
  const bool autoSized = header.Options().Contains(hoAutoResize) && index_ == header.AutoSizeIndex();
  if (!autoSized) {
    width_ = width;
    owner_.RecalcPositions();
  }
  if (header.Tree().IsLoading() || owner_.UpdateCount() > 0) return;
  if (header.Options().Contains(hoAutoResize)) owner_.FitAutoSizeColumn(false);
  header.Tree().ColumnResized(index_);
}

void TDataTreeColumn::SetMinWidth(int width) {
  minWidth_ = std::min(std::max(width, 0), maxWidth_);
  SetWidth(width_);
}

void TDataTreeColumn::SetMaxWidth(int width) {
  maxWidth_ = std::max(width, minWidth_);
  SetWidth(width_);
}

void TDataTreeColumn::SetPosition(int position) {
  TBaseDataTree& tree = owner_.Header().Tree();
  if (tree.IsLoading()) {
    position_ = position;
    return;
  }
  position = std::min(std::max(position, 0), owner_.Count() - 1);
  if (position == position_) return;
  owner_.SizePositionArray();
  tree.CancelNodeEdit();
  owner_.MovePositionEntry(index_, position);
  Changed();
  if (owner_.UpdateCount() == 0 && tree.HandleAllocated()) {
    owner_.Header().InvalidateHeader(index_, false);
    tree.Invalidate();
  }
  // A column dropped among fixed columns becomes fixed, and one dropped
  // among scrolled columns scrolls.
  const int neighbourPosition = options_.Contains(coFixed) && position_ > 0 ? position_ - 1 : position_ + 1;
  const TColumnIndex neighbour = owner_.ColumnAtPosition(neighbourPosition);
  if (neighbour == ColumnNone) return;
  TDTColumnOptions options = options_;
  if (owner_.ColumnAt(neighbour).Options().Contains(coFixed))
    options.Include(coFixed);
  else
    options.Exclude(coFixed);
  SetOptions(options);
}

void TDataTreeColumn::SetOptions(TDTColumnOptions options) {
  if (options == options_) return;
  const TDTColumnOptions toBeSet = options - options_;
  const TDTColumnOptions changed = (options - options_) + (options_ - options);
  options_ = options;
  if (toBeSet.Contains(coParentBidiMode)) SyncParentBiDiMode();
  if (toBeSet.Contains(coParentColor)) SyncParentColor();
  if (toBeSet.Contains(coAutoSpring)) springRest_ = 0;
  Changed();
  TBaseDataTree& tree = owner_.Header().Tree();
  if (tree.IsLoading()) return;
  if ((changed.Contains(coVisible) || toBeSet.Contains(coParentColor)) && tree.UpdateCount() == 0 &&
      tree.HandleAllocated())
    tree.Invalidate();
  if (changed.Contains(coVisible)) tree.UpdateHorzScrollBar(false);
}

void TDataTreeColumn::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Changed();
}

void TDataTreeColumn::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  RepaintTree();
  Changed();
}

void TDataTreeColumn::SetBiDiMode(TBiDiMode mode) {
  biDiMode_ = mode;
  options_.Exclude(coParentBidiMode);
  RepaintTree();
  Changed();
}

void TDataTreeColumn::SetColor(TColor color) {
  color_ = color;
  options_.Exclude(coParentColor);
  RepaintTree();
  Changed();
}

void TDataTreeColumn::SetImageIndex(int index) {
  if (index == imageIndex_) return;
  imageIndex_ = index;
  Changed();
}

void TDataTreeColumn::SetLayout(TDTHeaderColumnLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Changed();
}

void TDataTreeColumn::SetStyle(TDataTreeColumnStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TDataTreeColumn::SetMargin(int margin) {
  if (margin < 0) margin = 4;
  if (margin == margin_) return;
  margin_ = margin;
  Changed();
}

void TDataTreeColumn::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Changed();
}

int TDataTreeColumn::ViewLeft() const {
  if (Visible() && options_.Contains(coFixed)) return left_;
  return left_ - owner_.Header().Tree().EffectiveOffsetX();
}

void TDataTreeColumn::AbsoluteExtent(int& left, int& right) const {
  left = left_;
  right = left_ + width_;
}

TRect TDataTreeColumn::HeaderCellRect() const {
  TRect r = owner_.Header().HeaderRect();
  r.Left += left_;
  r.Right = r.Left + width_;
  return r;
}

bool TDataTreeColumn::SameAs(const TDataTreeColumn& other) const {
  return biDiMode_ == other.biDiMode_ && imageIndex_ == other.imageIndex_ && layout_ == other.layout_ &&
         margin_ == other.margin_ && maxWidth_ == other.maxWidth_ && minWidth_ == other.minWidth_ &&
         position_ == other.position_ && spacing_ == other.spacing_ && style_ == other.style_ &&
         text_ == other.text_ && Hint == other.Hint && width_ == other.width_ && alignment_ == other.alignment_ &&
         color_ == other.color_ && Tag == other.Tag && options_ == other.options_;
}

void TDataTreeColumn::Assign(const TDataTreeColumn& source) {
  // Without options the setters below cannot hand the parent's mode or
  // colour back; the source's options are set last, through their setter.
  const TDTColumnOptions saved = options_;
  options_ = {};
  SetBiDiMode(source.biDiMode_);
  SetImageIndex(source.imageIndex_);
  SetLayout(source.layout_);
  SetMargin(source.margin_);
  SetMaxWidth(source.maxWidth_);
  SetMinWidth(source.minWidth_);
  SetPosition(source.position_);
  SetSpacing(source.spacing_);
  SetStyle(source.style_);
  SetText(source.text_);
  Hint = source.Hint;
  SetWidth(source.width_);
  SetAlignment(source.alignment_);
  SetColor(source.color_);
  Tag = source.Tag;
  options_ = saved;
  SetOptions(source.options_);
  Changed();
}

void TDataTreeColumn::RestorePreviousWidth() { owner_.ResizeAnimated(index_, lastWidth_); }

void TDataTreeColumn::SyncParentBiDiMode() {
  const TBiDiMode treeMode = owner_.Header().Tree().BiDiMode();
  if (!options_.Contains(coParentBidiMode) || biDiMode_ == treeMode) return;
  biDiMode_ = treeMode;
  Changed();
}

void TDataTreeColumn::SyncParentColor() {
  const TColor treeColor = owner_.Header().Tree().Color();
  if (!options_.Contains(coParentColor) || color_ == treeColor) return;
  color_ = treeColor;
  Changed();
}

// ---- Collection ---------------------------------------------------------------------

TDataTreeColumns::TDataTreeColumns(TDTHeader& header) : header_(header) {}

TDataTreeColumns::~TDataTreeColumns() = default;

TDataTreeColumn& TDataTreeColumns::ColumnAt(TColumnIndex index) const {
  if (!ColumnExists(index)) throw ERangeError();
  return *columns_[static_cast<size_t>(index)];
}

TDataTreeColumn& TDataTreeColumns::AddColumn() {
  columns_.push_back(std::make_unique<TDataTreeColumn>(*this, Count()));
  Changed();
  return *columns_.back();
}

void TDataTreeColumns::ForgetDeletedIndex(TColumnIndex& index, TColumnIndex deleted) const {
  if (index == deleted)
    index = ColumnNone;
  else if (index > deleted)
    --index;
}

void TDataTreeColumns::DeleteColumn(TColumnIndex column) {
  const int position = ColumnAt(column).Position();
  columns_.erase(columns_.begin() + column);
  for (size_t index = static_cast<size_t>(column); index < columns_.size(); ++index)
    columns_[index]->index_ = static_cast<TColumnIndex>(index);
  positionToIndex_.erase(positionToIndex_.begin() + position);
  for (TColumnIndex& entry : positionToIndex_)
    if (entry > column) --entry;
  for (TColumnIndex* index : {&HoverIndex, &DownIndex, &TrackIndex, &ClickIndex, &DragIndex, &DropTarget})
    ForgetDeletedIndex(*index, column);
  header_.ColumnDeleted(column);
  Changed();
}

void TDataTreeColumns::ClearColumns() {
  clearing_ = true;
  HoverIndex = DownIndex = TrackIndex = ClickIndex = ColumnNone;
  if (!header_.States().Contains(hdLoading)) header_.ColumnsCleared();
  columns_.clear();
  positionToIndex_.clear();
  clearing_ = false;
  Changed();
}

void TDataTreeColumns::Assign(const TDataTreeColumns& source) {
  BeginUpdate();
  columns_.clear();
  positionToIndex_.clear();
  for (const auto& column : source.columns_) {
    columns_.push_back(std::make_unique<TDataTreeColumn>(*this, Count()));
    columns_.back()->position_ = Count() - 1;
    SizePositionArray();
    columns_.back()->Assign(*column);
  }
  positionToIndex_ = source.positionToIndex_;
  RecalcPositions(true);
  EndUpdate();
}

bool TDataTreeColumns::SameAs(const TDataTreeColumns& other) const {
  if (Count() != other.Count() || positionToIndex_ != other.positionToIndex_) return false;
  for (int index = 0; index < Count(); ++index)
    if (!ColumnAt(index).SameAs(other.ColumnAt(index))) return false;
  return true;
}

void TDataTreeColumns::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  Changed();
}

void TDataTreeColumns::RecalcPositions(bool force) {
  if (needPositionsFix_ || (!force && updateCount_ > 0)) return;
  int x = 0;
  for (size_t position = 0; position < positionToIndex_.size(); ++position) {
    TDataTreeColumn& column = *columns_[static_cast<size_t>(positionToIndex_[position])];
    column.position_ = static_cast<int>(position);
    column.left_ = x;
    if (column.Visible()) x += column.width_;
  }
}

void TDataTreeColumns::SizePositionArray() {
  const size_t count = columns_.size();
  // Dropping the entries not below Count keeps the array a permutation,
  // where lowering them could name one column twice.
  std::erase_if(positionToIndex_, [count](TColumnIndex entry) { return entry >= static_cast<int>(count); });
  while (positionToIndex_.size() < count) positionToIndex_.push_back(static_cast<TColumnIndex>(positionToIndex_.size()));
}

void TDataTreeColumns::MovePositionEntry(TColumnIndex column, int position) {
  const auto from = std::find(positionToIndex_.begin(), positionToIndex_.end(), column);
  if (from == positionToIndex_.end()) return;
  positionToIndex_.erase(from);
  positionToIndex_.insert(positionToIndex_.begin() + position, column);
}

void TDataTreeColumns::ApplyLoadedPositions() {
  positionToIndex_.assign(columns_.size(), ColumnNone);
  for (const auto& column : columns_) {
    const auto position = static_cast<size_t>(column->position_);
    if (position >= positionToIndex_.size() || positionToIndex_[position] != ColumnNone) throw ERangeError();
    positionToIndex_[position] = column->index_;
  }
  needPositionsFix_ = false;
  RecalcPositions(true);
}

void TDataTreeColumns::ResetPositions(bool rightToLeft) {
  for (int position = 0; position < Count(); ++position)
    positionToIndex_[static_cast<size_t>(position)] = rightToLeft ? Count() - 1 - position : position;
  RecalcPositions(true);
}

TColumnIndex TDataTreeColumns::ColumnAtPosition(int position) const {
  if (position < 0 || position >= static_cast<int>(positionToIndex_.size())) return ColumnNone;
  return positionToIndex_[static_cast<size_t>(position)];
}

void TDataTreeColumns::Changed(TDataTreeColumn* column) {
  SizePositionArray();
  TBaseDataTree& tree = header_.Tree();
  if (tree.IsLoading())
    needPositionsFix_ = true;
  else
    RecalcPositions();
  if (!columns_.empty() && header_.MainColumn() < 0) header_.SetMainColumn(0);
  if (tree.IsLoading() || header_.States().Contains(hdLoading) || updateCount_ > 0) return;
  if (header_.Options().Contains(hoAutoResize)) FitAutoSizeColumn(false);
  if (column) {
    header_.InvalidateHeader(column->Index(), false);
    return;
  }
  tree.ColumnsChanged();
}

void TDataTreeColumns::FitAutoSizeColumn(bool force) {
  if (columns_.empty()) return;
  TColumnIndex autoSize = header_.AutoSizeIndex();
  if (!ColumnExists(autoSize)) autoSize = Count() - 1;
  const TBaseDataTree& tree = header_.Tree();
  int available = tree.HandleAllocated() ? tree.ClientWidth() : tree.Width();
  for (const auto& column : columns_)
    if (column->index_ != autoSize && column->Visible()) available -= column->width_;
  TDataTreeColumn& column = *columns_[static_cast<size_t>(autoSize)];
  const int width = std::max(column.minWidth_, std::min(column.maxWidth_, available));
  if (!force && width == column.width_) return;
  column.width_ = width;
  RecalcPositions();
  header_.Tree().ColumnResized(autoSize);
}

void TDataTreeColumns::ResizeAnimated(TColumnIndex column, int newWidth) {
  TDataTreeColumn& item = ColumnAt(column);
  newWidth = std::min(std::max(newWidth, item.minWidth_), item.maxWidth_);
  if (newWidth == item.width_) return;
  if (header_.Tree().HandleAllocated()) SlideColumnEdge(item, newWidth - item.width_);
  item.SetWidth(newWidth);
}

void TDataTreeColumns::SlideColumnEdge(const TDataTreeColumn& column, int delta) {
  constexpr int Steps = 32;
  const int stepSize = delta / Steps;
  TBaseDataTree& tree = header_.Tree();
  const TRect header = header_.HeaderRect();
  // The client area in window coordinates lies below the header.
  TPoint client = Point(0, 0);
  ClientToScreen(tree.Handle(), client);
  TRect window;
  GetWindowRect(tree.Handle(), window);
  const int clientLeft = client.X - window.Left;
  const int clientTop = client.Y - window.Top;
  const int edge = header.Left + column.Left() + column.Width();
  TRect headerStrip = Rect(edge, header.Top, header.Right, header.Bottom);
  TRect clientStrip = Rect(clientLeft + column.Left() + column.Width(), clientTop, clientLeft + tree.ClientWidth(),
                           clientTop + tree.ClientHeight());
  const HDC dc = GetWindowDC(tree.Handle());
  try {
    if (stepSize > 0) {
      const HBRUSH brush = CreateSolidBrush(ColorToRGB(tree.Color()));
      FillRect(dc, Rect(clientStrip.Left, clientStrip.Top, clientStrip.Left + stepSize, clientStrip.Bottom), brush);
      DeleteObject(brush);
    } else {
      headerStrip.Left += stepSize;
      clientStrip.Left += stepSize;
    }
    for (int step = 0; step < Steps; ++step) {
      for (TRect* strip : {&headerStrip, &clientStrip}) {
        ScrollDC(dc, stepSize, 0, strip, strip, nullptr, nullptr);
        strip->Left += stepSize;
      }
      tree.WaitAnimationStep(1);
    }
  } catch (...) {
    ReleaseDC(tree.Handle(), dc);
    throw;
  }
  ReleaseDC(tree.Handle(), dc);
}

TColumnIndex TDataTreeColumns::ColumnAndBoundsAt(int x, int& left, int& right, bool relative) const {
  const int shift = header_.Tree().RightToLeftOffset();
  for (TColumnIndex column : positionToIndex_) {
    const TDataTreeColumn& item = ColumnAt(column);
    if (!item.Visible()) continue;
    left = (relative ? item.ViewLeft() : item.Left()) + shift;
    right = left + item.Width();
    if (x >= left && x < right) return column;
  }
  return ColumnNotFound;
}

TColumnIndex TDataTreeColumns::ColumnAtPoint(int x, bool relative) const {
  if (x < 0) return ColumnNotFound;
  int left = 0;
  int right = 0;
  return ColumnAndBoundsAt(x, left, right, relative);
}

void TDataTreeColumns::ColumnHorzExtent(TColumnIndex column, int& left, int& right) const {
  const TBaseDataTree& tree = header_.Tree();
  if (column == ColumnNone || !ColumnExists(column)) {
    left = 0;
    right = tree.ClientWidth();
    return;
  }
  const TDataTreeColumn& item = ColumnAt(column);
  left = item.ViewLeft() + tree.RightToLeftOffset();
  right = left + item.Width();
}

TColumnIndex TDataTreeColumns::FirstVisibleColumn() const {
  for (TColumnIndex column : positionToIndex_)
    if (ColumnAt(column).Visible()) return column;
  return ColumnNotFound;
}

TColumnIndex TDataTreeColumns::LastVisibleColumn() const {
  for (auto column = positionToIndex_.rbegin(); column != positionToIndex_.rend(); ++column)
    if (ColumnAt(*column).Visible()) return *column;
  return ColumnNotFound;
}

TColumnIndex TDataTreeColumns::NextColumn(TColumnIndex column) const {
  if (!ColumnExists(column)) return ColumnNotFound;
  const TColumnIndex next = ColumnAtPosition(ColumnAt(column).Position() + 1);
  return next == ColumnNone ? ColumnNotFound : next;
}

TColumnIndex TDataTreeColumns::PreviousColumn(TColumnIndex column) const {
  if (!ColumnExists(column) || ColumnAt(column).Position() == 0) return ColumnNotFound;
  return ColumnAtPosition(ColumnAt(column).Position() - 1);
}

TColumnIndex TDataTreeColumns::NextVisibleColumn(TColumnIndex column) const {
  do column = NextColumn(column);
  while (column != ColumnNotFound && !ColumnAt(column).Visible());
  return column;
}

TColumnIndex TDataTreeColumns::PreviousVisibleColumn(TColumnIndex column) const {
  do column = PreviousColumn(column);
  while (column != ColumnNotFound && !ColumnAt(column).Visible());
  return column;
}

std::vector<TDataTreeColumn*> TDataTreeColumns::VisibleColumnsArray() const {
  std::vector<TDataTreeColumn*> visible;
  for (TColumnIndex column : positionToIndex_)
    if (ColumnAt(column).Visible()) visible.push_back(&ColumnAt(column));
  return visible;
}

int TDataTreeColumns::FixedColumnsWidth() const {
  int width = 0;
  for (const auto& column : columns_)
    if (column->Visible() && column->Options().Contains(coFixed)) width += column->Width();
  return width;
}

int TDataTreeColumns::TotalColumnsWidth() const {
  const TColumnIndex last = LastVisibleColumn();
  if (last == ColumnNotFound) return 0;
  return ColumnAt(last).Left() + ColumnAt(last).Width();
}

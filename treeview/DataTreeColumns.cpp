#include "treeview/DataTreeColumns.h"

#include <algorithm>

#include "runtime/Exceptions.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"

TDataTreeColumn::TDataTreeColumn(TDataTreeColumns& owner, TColumnIndex index)
    : owner_(owner), index_(index), position_(index) {}

void TDataTreeColumn::SetWidth(int width) {
  width = std::min(std::max(width, minWidth_), maxWidth_);
  if (width == width_) return;
  width_ = width;
  owner_.Changed();
}

void TDataTreeColumn::SetMinWidth(int width) {
  minWidth_ = std::min(std::max(width, 0), maxWidth_);
  SetWidth(width_);
}

void TDataTreeColumn::SetMaxWidth(int width) {
  maxWidth_ = std::max(width, minWidth_);
  SetWidth(width_);
}

void TDataTreeColumn::SetOptions(TDTColumnOptions options) {
  if (options == options_) return;
  options_ = options;
  owner_.Changed();
}

int TDataTreeColumn::ViewLeft() const {
  if (Visible() && options_.Contains(coFixed)) return left_;
  return left_ - owner_.Header().Tree().EffectiveOffsetX();
}

void TDataTreeColumn::AbsoluteExtent(int& left, int& right) const {
  left = left_;
  right = left_ + width_;
}

TDataTreeColumn& TDataTreeColumns::ColumnAt(TColumnIndex index) const {
  if (!ColumnExists(index)) throw ERangeError();
  return *columns_[static_cast<size_t>(index)];
}

TDataTreeColumn& TDataTreeColumns::AddColumn() {
  columns_.push_back(std::make_unique<TDataTreeColumn>(*this, Count()));
  positionToIndex_.push_back(Count() - 1);
  Changed();
  return *columns_.back();
}

void TDataTreeColumns::ClearColumns() {
  columns_.clear();
  positionToIndex_.clear();
  header_.ColumnsCleared();
  Changed();
}

void TDataTreeColumns::RecalcPositions() {
  int x = 0;
  for (size_t position = 0; position < positionToIndex_.size(); ++position) {
    TDataTreeColumn& column = *columns_[static_cast<size_t>(positionToIndex_[position])];
    column.position_ = static_cast<int>(position);
    column.left_ = x;
    if (column.Visible()) x += column.width_;
  }
}

TColumnIndex TDataTreeColumns::ColumnAtPosition(int position) const {
  if (position < 0 || position >= static_cast<int>(positionToIndex_.size())) return ColumnNone;
  return positionToIndex_[static_cast<size_t>(position)];
}

void TDataTreeColumns::SetColumnPosition(TColumnIndex column, int position) {
  position = std::min(position, Count() - 1);
  const int old = ColumnAt(column).Position();
  if (position == old || position < 0) return;
  positionToIndex_.erase(positionToIndex_.begin() + old);
  positionToIndex_.insert(positionToIndex_.begin() + position, column);
  Changed();
}

void TDataTreeColumns::Changed() {
  RecalcPositions();
  if (!columns_.empty() && header_.MainColumn() < 0) header_.SetMainColumn(0);
  header_.Tree().ColumnsChanged();
}

TColumnIndex TDataTreeColumns::ColumnAndBoundsAt(int x, int& left, int& right, bool relative) const {
  for (TColumnIndex column : positionToIndex_) {
    const TDataTreeColumn& item = ColumnAt(column);
    if (!item.Visible()) continue;
    left = relative ? item.ViewLeft() : item.Left();
    right = left + item.Width();
    if (x >= left && x < right) return column;
  }
  return ColumnNotFound;
}

TColumnIndex TDataTreeColumns::ColumnAtPoint(int x, bool relative) const {
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
  left = item.ViewLeft();
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

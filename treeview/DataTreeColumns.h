#pragma once
// The header's columns. A column is named by its index (its place in the
// collection) and shown at its position (its place from left to right).
// Invariants after every change: the position array is a permutation of the
// indexes; the column at position p has Position p; its Left is the sum of
// the widths of the visible columns at positions below p.

#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls/Control.h"
#include "toolkit/gdi/Color.h"
#include "treeview/DataTreeTypes.h"

class TDataTreeColumns;

class TDataTreeColumn {
public:
  TDataTreeColumn(TDataTreeColumns& owner, TColumnIndex index);

  TColumnIndex Index() const { return index_; }
  int Position() const { return position_; }
  int Left() const { return left_; }
  int Width() const { return width_; }
  // Clamped to MinWidth, then to MaxWidth.
  void SetWidth(int width);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int width);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int width);
  TDTColumnOptions Options() const { return options_; }
  void SetOptions(TDTColumnOptions options);
  bool Visible() const { return options_.Contains(coVisible); }

  // Left, minus the tree's horizontal offset unless the column is visible and fixed.
  int ViewLeft() const;
  // Left and right edge, unscrolled.
  void AbsoluteExtent(int& left, int& right) const;
  bool ReadsRightToLeft() const { return RightToLeft; }

  std::string Text;
  std::string Hint;
  TAlignment Alignment = taLeftJustify;
  bool RightToLeft = false;
  TColor Color = clWindow;
  int Margin = 4;
  int Spacing = 4;
  int Tag = 0;

private:
  friend class TDataTreeColumns;

  TDataTreeColumns& owner_;
  TColumnIndex index_;
  int position_;
  int left_ = 0;
  int width_ = 50;
  int minWidth_ = 10;
  int maxWidth_ = 10000;
  TDTColumnOptions options_{coAllowClick, coDraggable, coEnabled, coParentBidiMode,
                            coParentColor, coResizable, coShowDropMark, coVisible};
};

class TDTHeader;

class TDataTreeColumns {
public:
  explicit TDataTreeColumns(TDTHeader& header) : header_(header) {}

  TDTHeader& Header() const { return header_; }
  int Count() const { return static_cast<int>(columns_.size()); }
  TDataTreeColumn& ColumnAt(TColumnIndex index) const;
  TDataTreeColumn& AddColumn();
  void ClearColumns();
  bool ColumnExists(TColumnIndex column) const { return column >= 0 && column < Count(); }
  bool IsVisible(TColumnIndex column) const { return ColumnExists(column) && ColumnAt(column).Visible(); }

  // Recomputes every column's position and left edge from the position array.
  void RecalcPositions();
  // The column shown at a position; ColumnNone past the last.
  TColumnIndex ColumnAtPosition(int position) const;
  // Moves a column to another position.
  void SetColumnPosition(TColumnIndex column, int position);

  // The visible column under X (header coordinates; Relative: scrolled
  // with the tree), or ColumnNotFound.
  TColumnIndex ColumnAtPoint(int x, bool relative) const;
  TColumnIndex ColumnAndBoundsAt(int x, int& left, int& right, bool relative) const;
  // Left and right edge of a column in client coordinates; ColumnNone: the client width.
  void ColumnHorzExtent(TColumnIndex column, int& left, int& right) const;

  TColumnIndex FirstVisibleColumn() const;
  TColumnIndex LastVisibleColumn() const;
  TColumnIndex NextColumn(TColumnIndex column) const;
  TColumnIndex PreviousColumn(TColumnIndex column) const;
  TColumnIndex NextVisibleColumn(TColumnIndex column) const;
  TColumnIndex PreviousVisibleColumn(TColumnIndex column) const;
  std::vector<TDataTreeColumn*> VisibleColumnsArray() const;
  int FixedColumnsWidth() const;
  // The right edge of the last visible column; 0 without one.
  int TotalColumnsWidth() const;

  // A column changed its width, options or position.
  void Changed();

private:
  TDTHeader& header_;
  std::vector<std::unique_ptr<TDataTreeColumn>> columns_;
  std::vector<TColumnIndex> positionToIndex_;
};

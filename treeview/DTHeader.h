#pragma once
// The tree's header: its columns, the main and the sort column.

#include "treeview/DataTreeColumns.h"
#include "treeview/DataTreeTypes.h"

class TBaseDataTree;

class TDTHeader {
public:
  explicit TDTHeader(TBaseDataTree& tree) : tree_(tree), columns_(*this) {}
  TDTHeader(const TDTHeader&) = delete;
  TDTHeader& operator=(const TDTHeader&) = delete;

  TBaseDataTree& Tree() const { return tree_; }
  TDataTreeColumns& Columns() { return columns_; }
  const TDataTreeColumns& Columns() const { return columns_; }
  bool UsesColumns() const { return columns_.Count() > 0; }

  // The column that holds the tree structure; -1 while there are no columns.
  TColumnIndex MainColumn() const { return UsesColumns() ? mainColumn_ : ColumnNone; }
  void SetMainColumn(TColumnIndex column) { mainColumn_ = column; }
  TColumnIndex SortColumn() const { return sortColumn_; }
  void SetSortColumn(TColumnIndex column) { sortColumn_ = column; }
  TSortDirection SortDirection() const { return sortDirection_; }
  void SetSortDirection(TSortDirection direction) { sortDirection_ = direction; }
  TDTHeaderOptions Options() const { return options_; }
  int Height() const { return height_; }

  // The columns were all removed: no column is main or sorted any more.
  void ColumnsCleared() {
    mainColumn_ = ColumnNone;
    sortColumn_ = ColumnNone;
  }

private:
  TBaseDataTree& tree_;
  TDataTreeColumns columns_;
  TColumnIndex mainColumn_ = ColumnNone;
  TColumnIndex sortColumn_ = ColumnNone;
  TSortDirection sortDirection_ = sdAscending;
  TDTHeaderOptions options_{hoColumnResize, hoDrag};
  int height_ = 17;
};

#include "toolkit/controls/StringGrid.h"

#include <algorithm>

#include "runtime/Exceptions.h"

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) {
  cells_.resize(static_cast<size_t>(ColCount()) * static_cast<size_t>(RowCount()));
}

size_t TStringGrid::CellIndex(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
    throw EQuantrelError("Grid index out of range (" + std::to_string(col) + ", " + std::to_string(row) + ")");
  return static_cast<size_t>(row) * static_cast<size_t>(ColCount()) + static_cast<size_t>(col);
}

const std::string& TStringGrid::Cells(int col, int row) const { return cells_[CellIndex(col, row)]; }

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  cells_[CellIndex(col, row)] = text;
  InvalidateCell(col, row);
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
  cells_[CellIndex(col, row)] = value;
  TDrawGrid::SetEditText(col, row, value);
}

// The cells that stay keep their texts.
void TStringGrid::SizeChanged(int oldCols, int oldRows) {
  const auto cols = static_cast<size_t>(ColCount());
  std::vector<std::string> cells(cols * static_cast<size_t>(RowCount()));
  for (int row = 0; row < std::min(oldRows, RowCount()); ++row)
    for (int col = 0; col < std::min(oldCols, ColCount()); ++col)
      cells[static_cast<size_t>(row) * cols + col] = std::move(cells_[static_cast<size_t>(row) * oldCols + col]);
  cells_ = std::move(cells);
  TDrawGrid::SizeChanged(oldCols, oldRows);
}

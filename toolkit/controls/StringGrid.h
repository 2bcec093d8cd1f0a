#pragma once
// A grid that keeps a text per cell: what it draws and edits, and what the
// in-place editor types into it as the user types.

#include <string>
#include <vector>

#include "toolkit/controls/DrawGrid.h"

class TStringGrid : public TDrawGrid {
public:
  explicit TStringGrid(TComponent* owner);

  // Throws for a cell outside the grid.
  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);

  std::string CellText(int col, int row) override { return Cells(col, row); }

protected:
  void SetEditText(int col, int row, const std::string& value) override;
  void SizeChanged(int oldCols, int oldRows) override;

private:
  // Where a cell's text is kept; throws for a cell outside the grid.
  size_t CellIndex(int col, int row) const;

  // Row by row: cell (col, row) at row * ColCount() + col.
  std::vector<std::string> cells_;
};

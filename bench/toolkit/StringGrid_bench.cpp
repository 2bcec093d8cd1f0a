// The matrix editor's grid: filling 1,000 x 1,000 cells (time, and the heap
// the cells take; the shown grid's fill also invalidates what shows), then one repaint of an 800 x 600 view whose OnDrawCell
// fills and writes every cell.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdlib>
#include <string>

#include "toolkit/controls/Form.h"
#include "toolkit/controls/StringGrid.h"
#include "toolkit/win/Paint.h"

namespace {

constexpr int Cells = 1000;

double HeapMegabytes() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

void Fill(TStringGrid& grid) {
  for (int row = 1; row <= Cells; ++row)
    for (int col = 1; col <= Cells; ++col) grid.SetCells(col, row, std::to_string(row * Cells + col));
}

void BM_StringGridFill(benchmark::State& state) {
  double heap = 0;
  for (auto _ : state) {
    const double before = HeapMegabytes();
    TStringGrid grid(nullptr);
    grid.SetColCount(Cells + 1);
    grid.SetRowCount(Cells + 1);
    Fill(grid);
    heap = HeapMegabytes() - before;
  }
  state.counters["heap_MB"] = heap;
}
BENCHMARK(BM_StringGridFill)->Unit(benchmark::kMillisecond);

void BM_StringGridRepaint(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 900, 700);
  auto* grid = new TStringGrid(&form);
  grid->SetParent(&form);
  grid->SetColCount(Cells + 1);
  grid->SetRowCount(Cells + 1);
  grid->SetDefaultColWidth(50);
  grid->SetDefaultRowHeight(20);
  grid->DefaultDrawing = false;
  int drawn = 0;
  grid->OnDrawCell = [grid, &drawn](TObject*, int col, int row, const TRect& rect, TGridDrawState state) {
    TCanvas& canvas = grid->Canvas();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor((state & gdFixed) ? clBtnFace : clWindow);
    canvas.FillRect(rect);
    canvas.Brush().SetStyle(bsClear);
    const std::string& text = grid->Cells(col, row);
    canvas.TextOut(rect.Right - 4 - canvas.TextWidth(text), (rect.Top + rect.Bottom - canvas.TextHeight(text)) / 2,
                   text);
    ++drawn;
  };
  form.Show();
  grid->SetClientSize(800, 600);
  Fill(*grid);
  UpdateWindowTree(form.Handle());
  for (auto _ : state) {
    drawn = 0;
    grid->Invalidate();
    UpdateWindow(grid->Handle());
  }
  state.counters["cells"] = drawn;
}
BENCHMARK(BM_StringGridRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

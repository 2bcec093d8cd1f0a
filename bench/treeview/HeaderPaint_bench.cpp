// Painting the workspace's header, 1000 pixels wide, with a hot and a
// pressed cell: the whole strip composed off-screen and copied once.

#include <benchmark/benchmark.h>

#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "treeview/DTHeader.h"
#include "treeview/DataDrawTree.h"

namespace {

void BM_PaintHeaderCells(benchmark::State& state) {
  TForm form(nullptr);
  auto* tree = new TDataDrawTree(&form);
  tree->SetParent(&form);
  tree->SetBounds(0, 0, 1004, 400);
  tree->HandleNeeded();
  TDTHeader& header = tree->Header();
  TDataTreeColumns& columns = header.Columns();
  for (const char* text : {" Name ", " Value ", " Type "}) {
    TDataTreeColumn& column = columns.AddColumn();
    column.SetText(text);
    column.SetMinWidth(64);
  }
  columns.ColumnAt(0).SetWidth(96);
  columns.ColumnAt(1).SetWidth(192);
  columns.ColumnAt(2).SetWidth(96);
  header.SetHeight(20);
  header.SetOptions({hoColumnResize, hoDrag, hoHotTrack, hoShowSortGlyphs, hoVisible});
  header.SetSortColumn(0);
  columns.HoverIndex = 1;
  columns.DownIndex = 2;
  TBitmap target(1010, 30, pf32bit);
  const TRect strip = header.HeaderRect();
  for (auto _ : state) columns.PaintHeaderCells(target.Canvas().Handle(), strip, 0);
  state.counters["width"] = strip.Width();
}
BENCHMARK(BM_PaintHeaderCells)->Unit(benchmark::kMicrosecond);

}  // namespace

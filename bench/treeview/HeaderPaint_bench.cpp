// Painting the workspace's header, 1000 pixels wide, with a hot and a
// pressed cell: the whole strip composed off-screen and copied once; and a
// whole window of the workspace scene, header and 44 rows of 100,000.

#include <benchmark/benchmark.h>

#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/DataDrawTree.h"

namespace {

void SetUpWorkspaceHeader(TDataDrawTree* tree) {
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
}

void BM_PaintHeaderCells(benchmark::State& state) {
  TForm form(nullptr);
  auto* tree = new TDataDrawTree(&form);
  tree->SetParent(&form);
  tree->SetBounds(0, 0, 1004, 400);
  tree->HandleNeeded();
  SetUpWorkspaceHeader(tree);
  TDTHeader& header = tree->Header();
  TDataTreeColumns& columns = header.Columns();
  TBitmap target(1010, 30, pf32bit);
  const TRect strip = header.HeaderRect();
  for (auto _ : state) columns.PaintHeaderCells(target.Canvas().Handle(), strip, 0);
  state.counters["width"] = strip.Width();
}
BENCHMARK(BM_PaintHeaderCells)->Unit(benchmark::kMicrosecond);

void BM_PaintWorkspaceWindow(benchmark::State& state) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 500, 900);
  auto* tree = new TDataDrawTree(&form);
  tree->SetParent(&form);
  tree->SetBounds(0, 0, 420, 4 + 20 + 44 * 18);
  tree->TreeOptions().SetPaintOptions({toShowButtons, toShowHorzGridLines, toShowRoot, toShowTreeLines,
                                       toShowVertGridLines});
  tree->OnDrawNode = [](TCustomDataDrawTree*, const TDTPaintInfo& info) {
    info.Canvas->TextOut(info.ContentRect.Left + 4, info.ContentRect.Top + 2, "variable");
  };
  SetUpWorkspaceHeader(tree);
  tree->SetRootNodeCount(100000);
  form.Show();
  for (auto _ : state)
    RedrawWindow(tree->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  state.counters["rows"] = tree->ClientHeight() / 18;
}
BENCHMARK(BM_PaintWorkspaceWindow)->Unit(benchmark::kMicrosecond);

}  // namespace

// Painting a 1000 x 800 page of a three-column text tree whose cells give
// 30-character texts through OnGetText, at the top and at the bottom of
// 100,000 nodes, and counting the OnGetText calls of a repeated paint: the
// main column's widths come from the node cache, so each cell is asked once.

#include <benchmark/benchmark.h>

#include <string>

#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "treeview/DTHeader.h"
#include "treeview/DataStringTree.h"

namespace {

const std::string CellText(30, 'x');

class TTextPage {
public:
  TTextPage() : form(nullptr), tree(new TDataStringTree(&form)), target(1000, 800, pf32bit) {
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 1000, 800);
    for (int width : {300, 400, 300}) tree->Header().Columns().AddColumn().SetWidth(width);
    tree->OnGetText = [this](TBaseDataTree*, PDataNode, TColumnIndex column, TDSTTextType, std::string& text) {
      ++Calls;
      if (column == tree->Header().MainColumn()) ++MainColumnCalls;
      text = CellText;
    };
    tree->SetRootNodeCount(100'000);
  }
  // Paints the page whose top is at the fraction of the tree's height.
  void PaintAt(double fraction) {
    top_ = static_cast<int>((tree->RangeY() - 800) * fraction);
    tree->PaintTreeTo(target.Canvas(), Rect(0, top_, 1000, top_ + 800), Point(0, 0), {ptoSelection});
  }
  // The rows the last page showed, whole or in part.
  int RowsOnPage() const {
    const int height = static_cast<int>(tree->DefaultNodeHeight());
    return (top_ + 799) / height - top_ / height + 1;
  }

  TForm form;
  TDataStringTree* tree;
  TBitmap target;
  long Calls = 0;
  long MainColumnCalls = 0;

private:
  int top_ = 0;
};

TTextPage& Page() {
  static TTextPage page;
  return page;
}

void BM_PaintTextPage(benchmark::State& state) {
  TTextPage& page = Page();
  const double fraction = static_cast<double>(state.range(0));
  page.PaintAt(fraction);
  for (auto _ : state) page.PaintAt(fraction);
}
// Arguments: 0 the top of the tree, 1 its bottom.
BENCHMARK(BM_PaintTextPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GetTextCallsOfARepeatedPaint(benchmark::State& state) {
  TTextPage& page = Page();
  page.PaintAt(0.5);
  long calls = 0;
  long mainCalls = 0;
  for (auto _ : state) {
    page.Calls = page.MainColumnCalls = 0;
    page.PaintAt(0.5);
    calls = page.Calls;
    mainCalls = page.MainColumnCalls;
  }
  const int rows = page.RowsOnPage();
  state.counters["rows"] = rows;
  state.counters["OnGetText"] = static_cast<double>(calls);
  // Calls beyond one per painted main cell would be width measuring.
  state.counters["mainMeasures"] = static_cast<double>(mainCalls - rows);
}
BENCHMARK(BM_GetTextCallsOfARepeatedPaint)->Unit(benchmark::kMillisecond);

}  // namespace

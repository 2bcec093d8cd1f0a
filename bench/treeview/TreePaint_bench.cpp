// Painting a 1000 x 800 window of an owner-drawn tree that writes 40
// characters per row: at the top, middle and bottom of a million lines and
// of a thousand, so the cost is seen not to grow with the tree.

#include <benchmark/benchmark.h>

#include <string>

#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/Paint.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/DataDrawTree.h"

namespace {

const std::string RowText(40, 'x');

class TPaintedTree {
public:
  explicit TPaintedTree(unsigned lines) : form(nullptr), tree(new TDataDrawTree(&form)), target(1000, 800, pf32bit) {
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 1000, 800);
    tree->OnDrawNode = [](TCustomDataDrawTree*, const TDTPaintInfo& info) {
      info.Canvas->TextOut(info.ContentRect.Left, info.ContentRect.Top, RowText);
    };
    tree->SetRootNodeCount(lines);
  }
  // Paints the window whose top is at the fraction of the tree's height.
  void PaintAt(double fraction) {
    const int top = static_cast<int>((tree->RangeY() - 800) * fraction);
    tree->PaintTreeTo(target.Canvas(), Rect(0, top, 1000, top + 800), Point(0, 0), {ptoSelection});
  }
  TForm form;
  TDataDrawTree* tree;
  TBitmap target;
};

void BM_PaintWindow(benchmark::State& state) {
  static TPaintedTree million(1'000'000);
  static TPaintedTree thousand(1'000);
  TPaintedTree& painted = state.range(0) == 0 ? thousand : million;
  const double fraction = static_cast<double>(state.range(1)) / 2;
  painted.PaintAt(fraction);
  for (auto _ : state) painted.PaintAt(fraction);
}
// Arguments: 0 a thousand lines, 1 a million; 0 top, 1 middle, 2 bottom.
BENCHMARK(BM_PaintWindow)->ArgsProduct({{0, 1}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// A shown window of the million-line tree, painted through WM_PAINT.
TPaintedTree& ShownMillion() {
  static TPaintedTree shown(1'000'000);
  static bool made = false;
  if (!made) {
    shown.form.SetBounds(0, 0, 1010, 810);
    shown.form.Show();
    shown.tree->HandleNeeded();
    made = true;
  }
  return shown;
}

void BM_FullRepaintThroughWmPaint(benchmark::State& state) {
  TPaintedTree& shown = ShownMillion();
  for (auto _ : state) {
    shown.tree->Invalidate();
    benchmark::DoNotOptimize(RenderWindow(shown.tree->Handle()));
  }
}
BENCHMARK(BM_FullRepaintThroughWmPaint)->Unit(benchmark::kMillisecond);

void BM_WheelNotchWithRepaint(benchmark::State& state) {
  TPaintedTree& shown = ShownMillion();
  int direction = -120;
  for (auto _ : state) {
    if (shown.tree->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, direction), 0) == 0 && shown.tree->OffsetY() == 0)
      direction = -direction;
    UpdateWindowTree(shown.tree->Handle());
    if (shown.tree->OffsetY() <= shown.tree->ClientHeight() - shown.tree->RangeY()) direction = 120;
    if (shown.tree->OffsetY() == 0) direction = -120;
  }
}
BENCHMARK(BM_WheelNotchWithRepaint)->Unit(benchmark::kMillisecond);

// One iteration is 100 moves.
void BM_RubberBandSweep(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  TForm form(nullptr);
  auto* tree = new TDataDrawTree(&form);
  tree->SetParent(&form);
  tree->SetBounds(0, 0, 1000, 800);
  tree->HandleNeeded();
  tree->TreeOptions().SetSelectionOptions({toMultiSelect});
  tree->SetRootNodeCount(static_cast<unsigned>(rows));
  const int height = rows * 18;
  for (auto _ : state) {
    tree->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(900, 2));
    for (int move = 1; move <= 100; ++move) {
      // The band grows below the window: move the tree's offset with it, as auto-scrolling would.
      const int bottom = height * move / 100;
      tree->SetVertOffset(-(bottom - 700));
      tree->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(10, bottom + tree->OffsetY()));
    }
    tree->Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 700));
    state.PauseTiming();
    tree->UnselectAll();
    tree->SetVertOffset(0);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RubberBandSweep)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

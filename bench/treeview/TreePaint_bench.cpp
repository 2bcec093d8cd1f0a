// Painting a 1000 x 800 window of an owner-drawn tree that writes 40
// characters per row: at the top, middle and bottom of a million lines and
// of a thousand, so the cost is seen not to grow with the tree.

#include <string>

#include "bench/graphics/OffscreenBenchMain.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/Canvas.h"
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

}  // namespace

int main(int argc, char** argv) { return RunOffscreenBenchmarks(argc, argv); }

// The rubber band's scanners against the text rectangles the tree shows,
// in both reading directions, every alignment, with and without columns,
// check boxes and images; the focus it takes; and its drawing below the rows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/toolkit/Pixels.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/gdi/Bitmap.h"
#include "toolkit/gdi/ImageList.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeColumns.h"

namespace {

// Texts 30 + 10 x the node's index wide.
class TBandTree : public TTestTree {
public:
  int NodeContentWidth(PDataNode node, TColumnIndex, TCanvas&) override {
    return 30 + 10 * static_cast<int>(node->Index);
  }
};

struct TBandCase {
  const char* Name;
  TBiDiMode Reading;
  TAlignment Alignment;
  bool Columns;
  bool Pictures;  // check boxes, state and normal images on every other node
  bool RowsOnly;  // toSimpleDrawSelection
};

void PrintTo(const TBandCase& band, std::ostream* out) { *out << band.Name; }

// Five top-level nodes with two children each, all expanded: 15 rows over
// 270 pixels of a 300 x 400 window, so that a press below them starts a band.
class RubberBandScanTest : public testing::TestWithParam<TBandCase> {
protected:
  RubberBandScanTest() : form(nullptr) {
    const TBandCase& band = GetParam();
    PlaceTree(form, tree, 400, 5);
    tree.SetBounds(0, 0, 300, 400);
    Include(tree, toMultiSelect);
    for (PDataNode node = tree.RootNode()->FirstChild; node; node = node->NextSibling) tree.SetNodeChildCount(node, 2);
    tree.ExpandAll(nullptr);
    if (band.Columns) {
      TDataTreeColumns& columns = tree.Header().Columns();
      columns.AddColumn().SetWidth(200);
      columns.AddColumn().SetWidth(100);
      columns.ColumnAt(0).SetAlignment(band.Alignment);
    } else {
      tree.SetAlignment(band.Alignment);
    }
    tree.SetBiDiMode(band.Reading);
    if (band.RowsOnly) Include(tree, toSimpleDrawSelection);
    if (band.Pictures) ShowPictures();
  }
  ~RubberBandScanTest() override { tree.SetParent(nullptr); }

  void ShowPictures() {
    Include(tree, toCheckSupport);
    tree.SetImages(&images);
    tree.SetStateImages(&images);
    for (PDataNode node : AllNodes(tree)) node->CheckType = node->Index % 2 ? nctCheckBox : nctNone;
    tree.OnGetImageIndex = [](TBaseDataTree*, PDataNode node, TDTImageKind kind, TColumnIndex, bool&, int& index) {
      if (node->Index % 2 == 0 && (kind == ikNormal || kind == ikState)) index = 0;
    };
  }

  // The rows whose shown text (all of the row with toSimpleDrawSelection) meets the band.
  TNodeArray RowsMeeting(const TRect& band) {
    TNodeArray rows;
    for (const TShownRow& row : ShownRows(tree)) {
      const TRect text = tree.NodeDisplayRect(row.Node, tree.Header().MainColumn(), true);
      const bool vertically = text.Top < band.Bottom && text.Bottom > band.Top;
      const bool horizontally = text.Left <= band.Right && text.Right >= band.Left;
      if (vertically && (GetParam().RowsOnly || horizontally)) rows.push_back(row.Node);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  // Whether a band edge lies within a pixel of a text edge, where rounding may decide.
  bool Borderline(int x) {
    for (const TShownRow& row : ShownRows(tree)) {
      const TRect text = tree.NodeDisplayRect(row.Node, tree.Header().MainColumn(), true);
      if (std::abs(text.Left - x) <= 1 || std::abs(text.Right - x) <= 1) return true;
    }
    return false;
  }

  TForm form;
  TBandTree tree;
  TImageList images{16, 16};
};

TEST_P(RubberBandScanTest, SelectsExactlyTheRowsWhoseTextTheBandMeets) {
  std::vector<int> columnsX;
  for (int x = 3; x < 298; x += 11)
    if (!Borderline(x)) columnsX.push_back(x);
  ASSERT_GT(columnsX.size(), 12u);
  // Bands from below the rows up to rows and back, their sides at every other clear x.
  const int rowsY[] = {200, 100, 10, 150, 262, 45};
  int compared = 0;
  for (size_t start = 0; start < columnsX.size(); start += 3) {
    const int startX = columnsX[start];
    tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(startX, 380));
    for (size_t move = 0; move < std::size(rowsY); ++move) {
      const int x = columnsX[(start * 7 + move * 5) % columnsX.size()];
      tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, rowsY[move]));
      TNodeArray selected = tree.SortedSelection(false);
      std::sort(selected.begin(), selected.end());
      ASSERT_EQ(selected, RowsMeeting(NormalizeRect(Rect(startX, 380, x, rowsY[move]))))
          << "band from (" << startX << ", 380) to (" << x << ", " << rowsY[move] << ")";
      ++compared;
    }
    tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(startX, 45));
  }
  EXPECT_GT(compared, 20);
  CheckTree(tree);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, RubberBandScanTest,
    testing::Values(TBandCase{"left", bdLeftToRight, taLeftJustify, false, false, false},
                    TBandCase{"centre", bdLeftToRight, taCenter, false, false, false},
                    TBandCase{"right", bdLeftToRight, taRightJustify, false, false, false},
                    TBandCase{"pictures", bdLeftToRight, taLeftJustify, false, true, false},
                    TBandCase{"columnsCentrePictures", bdLeftToRight, taCenter, true, true, false},
                    TBandCase{"columnsRight", bdLeftToRight, taRightJustify, true, false, false},
                    TBandCase{"rowsOnly", bdLeftToRight, taLeftJustify, true, false, true},
                    TBandCase{"rtlLeft", bdRightToLeft, taLeftJustify, false, false, false},
                    TBandCase{"rtlCentre", bdRightToLeft, taCenter, false, true, false},
                    TBandCase{"rtlRight", bdRightToLeft, taRightJustify, false, false, false},
                    TBandCase{"rtlColumnsPictures", bdRightToLeft, taLeftJustify, true, true, false},
                    TBandCase{"rtlColumnsRight", bdRightToLeft, taRightJustify, true, false, false}),
    [](const testing::TestParamInfo<TBandCase>& info) { return std::string(info.param.Name); });

class RubberBandTest : public testing::Test {
protected:
  RubberBandTest() : form(nullptr) {
    Include(tree, toMultiSelect);
    rows = PlaceTree(form, tree, 200, 3);
  }
  ~RubberBandTest() override { tree.SetParent(nullptr); }

  TForm form;
  TBandTree tree;
  std::vector<PDataNode> rows;
};

TEST_F(RubberBandTest, AnActiveBandFocusesTheMainColumn) {
  TDataTreeColumns& columns = tree.Header().Columns();
  for (int i = 0; i < 3; ++i) columns.AddColumn().SetWidth(60);
  tree.Header().SetMainColumn(1);
  tree.FocusNodeAndColumn(rows[0], 2);
  tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 150));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(147, 147));
  EXPECT_EQ(tree.FocusedColumn(), 2) << "not while the band is pending";
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(90, 20));
  EXPECT_TRUE(tree.TreeStates().Contains(tsDrawSelecting));
  EXPECT_EQ(tree.FocusedColumn(), 1);
  tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(90, 20));
  CheckTree(tree);
}

// Right-justified text of the main column ends at the right of the empty cells it spans.
TEST_F(RubberBandTest, SpannedCellsCarryTheirTextAlong) {
  TDataTreeColumns& columns = tree.Header().Columns();
  columns.AddColumn().SetWidth(100);
  columns.AddColumn().SetWidth(100);
  columns.ColumnAt(0).SetAlignment(taRightJustify);
  for (const bool spanned : {false, true}) {
    if (spanned) Include(tree, toAutoSpanColumns);
    tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 150));
    tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(185, 5));
    tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(185, 5));
    EXPECT_EQ(tree.SelectionCount(), spanned ? 3 : 0) << "texts end at x " << (spanned ? 200 : 100);
  }
  CheckTree(tree);
}

// Three rows end at y 54; a band from (150, 150) up to (20, 30) covers rows and the space below them.
TEST_F(RubberBandTest, TheBandIsDrawnBelowTheLastRowToo) {
  tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 150));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(20, 30));
  ASSERT_TRUE(tree.TreeStates().Contains(tsDrawSelecting));
  TBitmap painted(200, 200, pf32bit);
  tree.PaintTreeTo(painted.Canvas(), Rect(0, 0, 200, 200), Point(0, 0), {});
  const TColor background = ColorToRGB(tree.Color());
  EXPECT_EQ(InkBounds(*painted.Handle(), Rect(0, 60, 200, 200), background), Rect(20, 60, 150, 150))
      << "the band's sides and bottom in the empty space";
  // Drawn once in each piece: inverted twice, the top edge on the rows would vanish.
  EXPECT_EQ(InkBounds(*painted.Handle(), Rect(12, 30, 200, 31), background), Rect(20, 30, 149, 31))
      << "the band's top on the rows";
  tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(20, 30));
}

}  // namespace

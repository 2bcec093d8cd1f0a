// Right-to-left geometry: every text rectangle and every hit of a tree read
// right to left mirrors the same tree read left to right, with and without columns.

#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "treeview/DTHeader.h"

namespace {

class TWideTree : public TTestTree {
public:
  int NodeContentWidth(PDataNode node, TColumnIndex, TCanvas&) override { return 20 + 3 * static_cast<int>(node->Index); }
};

// The hit as the other reading direction sees it: left and right swap.
THitPositions MirroredHit(THitPositions positions) {
  const bool left = positions.Contains(htOnItemLeft);
  const bool right = positions.Contains(htOnItemRight);
  positions.Exclude(htOnItemLeft);
  positions.Exclude(htOnItemRight);
  if (left) positions.Include(htOnItemRight);
  if (right) positions.Include(htOnItemLeft);
  return positions;
}

class RightToLeftTest : public testing::TestWithParam<int> {
protected:
  RightToLeftTest() : form(nullptr) {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 300, 400);
    tree.HandleNeeded();
    tree.SetRootNodeCount(4);
    for (PDataNode node = tree.RootNode()->FirstChild; node; node = node->NextSibling) {
      tree.SetNodeChildCount(node, 3);
      tree.SetNodeChildCount(node->FirstChild, 2);
    }
    tree.ExpandAll(nullptr);
    TDataTreeColumns& columns = tree.Header().Columns();
    for (int i = 0; i < GetParam(); ++i) columns.AddColumn().SetWidth(i == 0 ? 140 : 80);
    if (GetParam() > 2) columns.ColumnAt(2).SetAlignment(taRightJustify);
  }
  ~RightToLeftTest() override { tree.SetParent(nullptr); }

  std::vector<TColumnIndex> Cells() {
    if (GetParam() == 0) return {ColumnNone};
    std::vector<TColumnIndex> cells;
    for (TColumnIndex column = 0; column < GetParam(); ++column) cells.push_back(column);
    return cells;
  }

  THitPositions HitAt(int x, int y) {
    THitInfo info;
    tree.HitTestAt(x, y, true, info);
    return info.HitPositions;
  }

  TForm form;
  TWideTree tree;
};

TEST_P(RightToLeftTest, TextRectanglesMirror) {
  for (PDataNode node : AllNodes(tree)) {
    for (TColumnIndex column : Cells()) {
      const TRect cell = tree.NodeDisplayRect(node, column, false);
      tree.SetBiDiMode(bdLeftToRight);
      const TRect leftToRight = tree.NodeDisplayRect(node, column, true);
      const TRect wide = tree.NodeDisplayRect(node, column, true, true);
      tree.SetBiDiMode(bdRightToLeft);
      const TRect rightToLeft = tree.NodeDisplayRect(node, column, true);
      const TRect wideRightToLeft = tree.NodeDisplayRect(node, column, true, true);
      EXPECT_EQ(rightToLeft.Left + leftToRight.Right, cell.Left + cell.Right) << "column " << column;
      EXPECT_EQ(rightToLeft.Right + leftToRight.Left, cell.Left + cell.Right) << "column " << column;
      EXPECT_EQ(wideRightToLeft.Left + wide.Right, cell.Left + cell.Right) << "unclipped, column " << column;
      EXPECT_EQ(rightToLeft.Top, leftToRight.Top);
    }
  }
}

TEST_P(RightToLeftTest, HitsMirrorAwayFromBoundaries) {
  const int rowHeight = static_cast<int>(tree.DefaultNodeHeight());
  int compared = 0;
  for (PDataNode node : AllNodes(tree)) {
    const int y = tree.NodeDisplayRect(node, ColumnNone, false).Top + rowHeight / 2;
    if (y >= tree.ClientHeight()) continue;
    for (TColumnIndex column : Cells()) {
      int left = 0;
      int right = 0;
      tree.Header().Columns().ColumnHorzExtent(column, left, right);
      for (int x = left + 1; x < right - 1; ++x) {
        tree.SetBiDiMode(bdLeftToRight);
        const THitPositions here = HitAt(x, y);
        // A point next to a zone's edge may fall on either side once mirrored.
        if (HitAt(x - 1, y) != here || HitAt(x + 1, y) != here) continue;
        tree.SetBiDiMode(bdRightToLeft);
        EXPECT_EQ(HitAt(left + right - x, y), MirroredHit(here)) << "x " << x << ", column " << column;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 1000);
}

TEST_P(RightToLeftTest, ButtonLabelAndSidesReadFromTheRight) {
  tree.SetBiDiMode(bdRightToLeft);
  const PDataNode node = tree.RootNode()->FirstChild;  // level 0 with children, content width 20
  const int y = tree.NodeDisplayRect(node, ColumnNone, false).Top + 5;
  int left = 0;
  int right = 0;
  tree.Header().Columns().ColumnHorzExtent(GetParam() == 0 ? ColumnNone : 0, left, right);
  const int indent = static_cast<int>(tree.Indent());
  const int contentEnd = right - indent - tree.Margin();
  struct TCase {
    int X;
    THitPosition Expected;
  };
  for (const TCase& hit : std::vector<TCase>{{right - indent / 2, htOnItemButton},
                                             {contentEnd - 5, htOnItemLabel},
                                             {contentEnd - 40, htOnItemLeft}}) {
    const THitPositions positions = HitAt(hit.X, y);
    EXPECT_TRUE(positions.Contains(hit.Expected)) << "at " << hit.X;
    EXPECT_TRUE(positions.Contains(htOnItem));
  }
}

INSTANTIATE_TEST_SUITE_P(Columns, RightToLeftTest, testing::Values(0, 3));

}  // namespace

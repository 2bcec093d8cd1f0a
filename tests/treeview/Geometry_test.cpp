// Rows on the screen: rectangles, hit tests, offsets, scroll bars, sorting
// and options, on a tree with a window.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/ScrollBar.h"
#include "treeview/DTColors.h"
#include "treeview/DTHeader.h"
#include "treeview/ScrollBarOptions.h"

namespace {

// A tree whose nodes are as wide as their index says, so labels can be hit.
class TWideTree : public TTestTree {
public:
  int NodeContentWidth(PDataNode node, TColumnIndex, TCanvas&) override { return 20 + static_cast<int>(node->Index); }
};

class GeometryTest : public testing::Test {
protected:
  GeometryTest() : form(nullptr) {
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 200, 120);
    tree.HandleNeeded();
    tree.SetRootNodeCount(40);
  }
  ~GeometryTest() override { tree.SetParent(nullptr); }

  PDataNode Node(size_t index) { return AllNodes(tree)[index]; }

  TForm form;
  TWideTree tree;
};

TEST_F(GeometryTest, ScrollNodeIntoViewFromAboveAndBelow) {
  const int height = tree.ClientHeight();
  const PDataNode last = tree.RootNode()->LastChild;
  EXPECT_TRUE(tree.ScrollNodeIntoView(last, false));
  EXPECT_EQ(tree.NodeDisplayRect(last, ColumnNone, false).Bottom, height) << "a row below ends at the bottom";
  const PDataNode first = Node(10);
  EXPECT_TRUE(tree.ScrollNodeIntoView(first, true));
  EXPECT_EQ(tree.NodeDisplayRect(first, ColumnNone, false).Top, height / 2) << "centred from above";
  EXPECT_FALSE(tree.ScrollNodeIntoView(first, false)) << "already in view";
  CheckTree(tree);
}

TEST_F(GeometryTest, OffsetsClampToTheirRange) {
  EXPECT_TRUE(tree.SetVertOffset(-100000));
  EXPECT_EQ(tree.OffsetY(), tree.ClientHeight() - tree.RangeY());
  EXPECT_FALSE(tree.SetVertOffset(-200000)) << "nothing changes beyond the range";
  EXPECT_FALSE(tree.SetScrollOffset({5, tree.OffsetY()}, oufAll, nullptr));
  EXPECT_EQ(-tree.OffsetY(), GetScrollPos(tree.Handle(), SB_VERT));
  CheckTree(tree);
}

TEST_F(GeometryTest, ScrollNodeToTopExpandsItsAncestors) {
  const PDataNode parent = Node(20);
  const PDataNode child = tree.AppendChildNode(parent);
  tree.ScrollNodeToTop(child);
  EXPECT_TRUE(parent->Has(nsExpanded));
  EXPECT_EQ(tree.NodeDisplayRect(child, ColumnNone, false).Top, 0);
  CheckTree(tree);
}

TEST_F(GeometryTest, AfterClearTheRangeIsTheBottomSpace) {
  tree.SetBottomSpace(7);
  tree.SetVertOffset(-200);
  tree.Clear();
  EXPECT_EQ(tree.RangeY(), 7);
  EXPECT_EQ(tree.OffsetY(), 0);
  CheckTree(tree);
}

TEST_F(GeometryTest, AlwaysVisibleShowsAShortTreesBarDisabled) {
  tree.SetRootNodeCount(1);
  tree.ScrollBarOptions().SetAlwaysVisible(true);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(tree.Handle(), OBJID_VSCROLL, info));
  EXPECT_FALSE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  EXPECT_TRUE(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(GeometryTest, DisplayRectOfACollapsedBranchIsEmpty) {
  const PDataNode child = tree.AppendChildNode(Node(3));
  EXPECT_EQ(tree.NodeDisplayRect(child, ColumnNone, false), TRect{});
  const TRect text = tree.NodeDisplayRect(Node(3), ColumnNone, true);
  EXPECT_EQ(text.Left, tree.Margin() + static_cast<int>(tree.Indent()));
  EXPECT_EQ(text.Width(), 23);
}

TEST_F(GeometryTest, HitTestFlags) {
  tree.SetNodeChildCount(Node(0), 2);
  const int indent = static_cast<int>(tree.Indent());
  struct TCase {
    int X, Y;
    THitPosition Expected;
  };
  const int labelX = indent + tree.Margin() + 5;
  for (const TCase& hit : std::vector<TCase>{{-3, 5, htToLeft},
                                             {5, -3, htAbove},
                                             {5, 100000, htBelow},
                                             {100000, 5, htToRight},
                                             {indent / 2, 5, htOnItemButton},
                                             {indent / 2, 20, htOnItemIndent},
                                             {labelX, 5, htOnItemLabel},
                                             {labelX + 40, 5, htOnItemRight}}) {
    THitInfo info;
    tree.HitTestAt(hit.X, hit.Y, true, info);
    EXPECT_TRUE(info.HitPositions.Contains(hit.Expected)) << "at " << hit.X << ", " << hit.Y;
  }
  THitInfo info;
  tree.HitTestAt(labelX, 5, true, info);
  EXPECT_EQ(info.HitNode, Node(0));
  EXPECT_TRUE(info.HitPositions.Contains(htOnItem));
}

TEST_F(GeometryTest, ColumnsShapeCellsAndHits) {
  TDataTreeColumns& columns = tree.Header().Columns();
  for (int i = 0; i < 3; ++i) columns.AddColumn().SetWidth(60);
  columns.ColumnAt(2).SetAlignment(taRightJustify);
  EXPECT_EQ(tree.Header().MainColumn(), 0);
  EXPECT_EQ(tree.RangeX(), 180);
  const TRect cell = tree.NodeDisplayRect(Node(1), 1, false);
  EXPECT_EQ(cell.Left, 60);
  EXPECT_EQ(cell.Right, 119);
  THitInfo info;
  tree.HitTestAt(130, 20, true, info);
  EXPECT_EQ(info.HitColumn, 2);
  EXPECT_TRUE(info.HitPositions.Contains(htOnItemLeft)) << "right-aligned text leaves room on the left";
  Include(tree, toReportMode);
  tree.HitTestAt(130, 20, true, info);
  EXPECT_EQ(info.HitPositions, (THitPositions{htOnItem})) << "report mode: nothing beyond the item";
  columns.SetColumnPosition(2, 0);
  EXPECT_EQ(columns.ColumnAt(2).Left(), 0);
  EXPECT_EQ(columns.ColumnAtPoint(10, false), 2);
}

TEST(SortingTest, StableInBothDirectionsAndRelinked) {
  TTestTree tree;
  tree.SetRootNodeCount(9);
  const std::vector<PDataNode> before = AllNodes(tree);
  tree.OnCompareNodes = [](TBaseDataTree*, PDataNode, PDataNode, TColumnIndex, int& result) { result = 0; };
  tree.SortChildren(nullptr, 0, sdAscending);
  EXPECT_EQ(AllNodes(tree), before);
  tree.SortChildren(nullptr, 0, sdDescending);
  EXPECT_EQ(AllNodes(tree), before);
  tree.OnCompareNodes = [](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
    result = static_cast<int>(node1->Index % 3) - static_cast<int>(node2->Index % 3);
  };
  tree.SortChildren(nullptr, 0, sdDescending);
  const std::vector<PDataNode> sorted = AllNodes(tree);
  EXPECT_EQ(sorted[0], before[2]) << "index 2 sorts highest, first of its key";
  EXPECT_EQ(sorted[1], before[5]);
  EXPECT_EQ(sorted[8], before[6]);
  CheckTree(tree);
}

TEST(SortingTest, WholeTreeSkipsNeverInitialisedChildrenWithoutDoInit) {
  TTestTree tree;
  tree.SetRootNodeCount(2);
  const PDataNode first = tree.FirstRootNodeRaw();
  tree.SetNodeChildCount(first, 3);
  const std::vector<PDataNode> children = AllNodes(tree);
  tree.OnCompareNodes = [](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
    result = static_cast<int>(node2->Index) - static_cast<int>(node1->Index);
  };
  tree.SortWholeTree(ColumnNone, sdAscending, false);
  EXPECT_EQ(first->FirstChild, children[1]) << "the uninitialised parent's children stay";
  tree.SortWholeTree(-2, sdAscending, true);
  EXPECT_EQ(first->FirstChild, children[1]) << "column -2 sorts nothing";
  tree.SortWholeTree(ColumnNone, sdAscending, true);
  EXPECT_EQ(first->FirstChild, children[3]);
  CheckTree(tree);
}

TEST(OptionsTest, SelectionOptionChangesClearTheSelection) {
  TTestTree tree;
  tree.SetRootNodeCount(3);
  const auto selectFirst = [&] { tree.SetNodeSelected(tree.FirstRootNodeRaw(), true); };
  struct TCase {
    TDTSelectionOptions Options;
    bool Clears;
  };
  TCustomDataTreeOptions& options = tree.TreeOptions();
  for (const TCase& change : std::vector<TCase>{{{toMultiSelect}, true},
                                                {{toMultiSelect, toLevelSelectConstraint}, true},
                                                {{toMultiSelect}, false},
                                                {{toMultiSelect}, false},
                                                {{}, true},
                                                {{toFullRowSelect}, false}}) {
    selectFirst();
    options.SetSelectionOptions(change.Options);
    EXPECT_EQ(tree.SelectionCount() == 0, change.Clears) << change.Options.Bits();
  }
  EXPECT_EQ(tree.FocusedColumn(), ColumnNone) << "without toExtendedFocus the main column, -1 without columns";
}

TEST(OptionsTest, AssignRunsTheOtherTreesSetters) {
  TTestTree source;
  TTestTree destination;
  destination.SetRootNodeCount(2);
  destination.SetNodeSelected(destination.FirstRootNodeRaw(), true);
  Include(source, toMultiSelect);
  source.TreeOptions().AssignOptionsTo(destination.TreeOptions());
  EXPECT_TRUE(destination.TreeOptions().SelectionOptions().Contains(toMultiSelect));
  EXPECT_EQ(destination.SelectionCount(), 0);
}

TEST(OptionsTest, ColoursAndScrollBarOptions) {
  TTestTree tree;
  EXPECT_EQ(tree.Colors().Color(TreeLineColor), clBtnShadow);
  EXPECT_THROW(tree.Colors().Color(15), ERangeError);
  tree.SetRootNodeCount(50);
  tree.ScrollBarOptions().SetScrollBars(ssNone);
  EXPECT_THROW(tree.ScrollBarOptions().SetScrollBarStyle(sbmFlat), EAssertionFailed);
  EXPECT_EQ(tree.ScrollBarOptions().ScrollBarStyle(), sbmRegular);
  TForm form(nullptr);
  tree.SetParent(&form);
  tree.HandleNeeded();
  EXPECT_FALSE(GetWindowLongPtr(tree.Handle(), GWL_STYLE) & WS_VSCROLL) << "the window made later has no bars";
  tree.ScrollBarOptions().SetScrollBars(ssBoth);
  EXPECT_TRUE(GetWindowLongPtr(tree.Handle(), GWL_STYLE) & WS_VSCROLL) << "the window was made again";
  tree.SetParent(nullptr);
}

// The console appends a line and focuses it, again and again.
TEST(ConsolePatternTest, AppendAndFocusKeepsTheLastLineInView) {
  TForm form(nullptr);
  TTestTree tree;
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 300, 200);
  tree.HandleNeeded();
  PDataNode parent = nullptr;
  for (int line = 0; line < 100000; ++line) {
    const PDataNode node = tree.AppendChildNode(line % 10 == 9 ? parent : nullptr);
    if (line % 10 == 0) parent = node;
    tree.SetFocusedNode(node);
  }
  const PDataNode last = tree.FocusedNode();
  const TRect r = tree.NodeDisplayRect(last, ColumnNone, false);
  EXPECT_GT(r.Bottom, r.Top) << "the focused line's parent was expanded";
  EXPECT_LE(r.Bottom, tree.ClientHeight());
  EXPECT_GE(r.Top, 0);
  CheckTree(tree);
  tree.SetParent(nullptr);
}

}  // namespace

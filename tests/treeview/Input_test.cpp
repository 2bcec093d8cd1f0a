// Keys, mouse buttons, the wheel and the scroll bars, driven by messages.

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/qt/SyntheticInput.h"
#include "toolkit/win/Keys.h"
#include "treeview/ScrollBarOptions.h"

namespace {

// A tree whose client holds exactly five rows of 18 pixels.
class InputTest : public testing::Test {
protected:
  InputTest() : form(nullptr) {
    tree.ScrollBarOptions().SetScrollBars(ssVertical);
    tree.SetBorderStyle(bsNone);
    tree.SetParent(&form);
    tree.SetBounds(0, 0, 200, 90);
    tree.HandleNeeded();
    tree.SetRootNodeCount(20);
    rows = AllNodes(tree);
  }
  ~InputTest() override {
    for (WORD key : {VK_SHIFT, VK_CONTROL}) SetKeyDown(key, false);
    tree.SetParent(nullptr);
  }

  void Key(WORD key, std::initializer_list<WORD> held = {}) {
    for (WORD modifier : held) SetKeyDown(modifier, true);
    tree.Perform(WM_KEYDOWN, key, 0);
    for (WORD modifier : held) SetKeyDown(modifier, false);
  }
  void Click(int x, int y, WPARAM keys = 0) {
    tree.Perform(WM_LBUTTONDOWN, keys, MAKELPARAM(x, y));
    tree.Perform(WM_LBUTTONUP, keys, MAKELPARAM(x, y));
  }

  TForm form;
  TTestTree tree;
  std::vector<PDataNode> rows;
};

TEST_F(InputTest, PagesWalkOneClientHeight) {
  ASSERT_EQ(tree.ClientHeight(), 90);
  tree.SetFocusedNode(rows[1]);
  Key(VK_NEXT);
  EXPECT_EQ(tree.FocusedNode(), rows[5]);
  Key(VK_NEXT);
  EXPECT_EQ(tree.FocusedNode(), rows[9]);
  Key(VK_PRIOR);
  EXPECT_EQ(tree.FocusedNode(), rows[5]);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[5]}) << "the focus carries the selection";
  CheckTree(tree);
}

TEST_F(InputTest, LeftAndRightFoldAndWalkTheLevels) {
  const PDataNode child = tree.AppendChildNode(rows[0]);
  tree.SetFocusedNode(rows[0]);
  Key(VK_RIGHT);
  EXPECT_TRUE(rows[0]->Has(nsExpanded));
  Key(VK_RIGHT);
  EXPECT_EQ(tree.FocusedNode(), child);
  Key(VK_LEFT);
  EXPECT_EQ(tree.FocusedNode(), rows[0]);
  Key(VK_LEFT);
  EXPECT_FALSE(rows[0]->Has(nsExpanded));
  CheckTree(tree);
}

TEST_F(InputTest, ShiftArrowsExtendAndShrinkAroundTheAnchor) {
  Include(tree, toMultiSelect);
  tree.SetFocusedNode(rows[2]);
  Key(VK_DOWN);
  Key(VK_DOWN, {VK_SHIFT});
  Key(VK_DOWN, {VK_SHIFT});
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[3], rows[4], rows[5]}));
  Key(VK_UP, {VK_SHIFT});
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[3], rows[4]}));
  Key(VK_DOWN);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[5]}) << "a plain key leaves one node selected";
  CheckTree(tree);
}

TEST_F(InputTest, CtrlHomeScrollsWithoutMovingTheFocus) {
  tree.SetFocusedNode(rows[15]);
  Key(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(tree.FocusedNode(), rows[15]);
  EXPECT_EQ(tree.OffsetY(), 0);
}

TEST_F(InputTest, KeypadKeysAndSelectAll) {
  tree.SetNodeChildCount(rows[0], 2);
  for (PDataNode child = rows[0]->FirstChild; child; child = child->NextSibling) tree.SetNodeChildCount(child, 2);
  tree.SetFocusedNode(rows[0]);
  Key(VK_MULTIPLY);
  EXPECT_EQ(tree.VisibleCount(), 20u + 2u + 4u);
  Key(VK_DIVIDE);
  EXPECT_EQ(tree.VisibleCount(), 20u);
  Key('A', {VK_CONTROL});
  EXPECT_EQ(tree.SelectionCount(), 0) << "only with toMultiSelect";
  Include(tree, toMultiSelect);
  Key('A', {VK_CONTROL});
  EXPECT_EQ(tree.SelectionCount(), 20);
  CheckTree(tree);
}

TEST_F(InputTest, SwallowedOrRefusedKeysDoNothing) {
  tree.SetFocusedNode(rows[2]);
  tree.OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
  Key(VK_DOWN);
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  tree.OnKeyDown = nullptr;
  tree.OnKeyAction = [](TBaseDataTree*, WORD&, TShiftState&, bool& doDefault) { doDefault = false; };
  Key(VK_DOWN);
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  EXPECT_EQ(tree.Perform(WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
}

TEST_F(InputTest, WheelAndScrollBars) {
  tree.Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
  EXPECT_EQ(tree.OffsetY(), -3 * 18) << "three lines per notch";
  tree.Perform(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(tree.OffsetY(), -3 * 18 - 20);
  tree.Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(tree.OffsetY(), -3 * 18 - 20 - 90);
  tree.Perform(WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(tree.OffsetY(), 90 - 20 * 18) << "the last page, clamped";
  tree.Perform(WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(tree.OffsetY(), 0);
  CheckTree(tree);
}

TEST_F(InputTest, ClicksSelectFocusAndToggle) {
  Include(tree, toMultiSelect);
  Include(tree, toFullRowSelect);
  tree.AppendChildNode(rows[0]);
  const int indent = static_cast<int>(tree.Indent());
  Click(indent / 2, 9);
  EXPECT_TRUE(rows[0]->Has(nsExpanded)) << "the button toggles";
  EXPECT_EQ(tree.SelectionCount(), 0) << "and selects nothing";
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  Click(100, 2 * 18 + 9);
  EXPECT_EQ(tree.FocusedNode(), rows[1]);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[1]});
  Click(100, 4 * 18 + 9, MK_CONTROL);
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[1], rows[3]}));
  Click(100, 4 * 18 + 9, MK_CONTROL);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[1]}) << "Ctrl toggles";
  Click(100, 3 * 18 + 9, MK_SHIFT);
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[2], rows[3]})) << "Shift selects from the anchor Ctrl set";
  tree.Perform(WM_RBUTTONDOWN, 0, MAKELPARAM(100, 9));
  tree.Perform(WM_RBUTTONUP, 0, MAKELPARAM(100, 9));
  EXPECT_EQ(tree.FocusedNode(), rows[2]) << "without toRightClickSelect a right click changes nothing";
  CheckTree(tree);
}

TEST_F(InputTest, DoubleClickTogglesWholeRows) {
  Include(tree, toFullRowSelect);
  tree.AppendChildNode(rows[0]);
  tree.Perform(WM_LBUTTONDBLCLK, 0, MAKELPARAM(150, 9));
  EXPECT_TRUE(rows[0]->Has(nsExpanded));
  CheckTree(tree);
}

TEST_F(InputTest, HotNodeFollowsTheMouseAndLeavesWithIt) {
  std::vector<std::pair<PDataNode, PDataNode>> told;
  tree.OnHotChange = [&](TBaseDataTree*, PDataNode oldNode, PDataNode newNode) { told.emplace_back(oldNode, newNode); };
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(60, 10));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(60, 30));
  tree.Perform(CM_MOUSELEAVE, 0, 0);
  tree.Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(told, (std::vector<std::pair<PDataNode, PDataNode>>{
                      {nullptr, rows[0]}, {rows[0], rows[1]}, {rows[1], nullptr}}));
  EXPECT_EQ(tree.CurrentHotNode(), nullptr);
}

TEST_F(InputTest, PopupMenusAreAskedUpTheParents) {
  const PDataNode child = tree.AppendChildNode(rows[4]);
  TPopupMenu menu(nullptr);
  std::vector<PDataNode> asked;
  tree.OnGetPopupMenu = [&](TBaseDataTree*, PDataNode node, TColumnIndex, TPoint, bool& askParent,
                            TPopupMenu*& popupMenu) {
    asked.push_back(node);
    if (node == rows[4]) popupMenu = &menu;
    if (!node) askParent = false;
  };
  EXPECT_EQ(tree.FindPopupMenu(child, ColumnNone, Point(0, 0)), &menu);
  EXPECT_EQ(asked, (std::vector<PDataNode>{child, rows[4]}));
  asked.clear();
  EXPECT_EQ(tree.FindPopupMenu(rows[2], ColumnNone, Point(0, 0)), nullptr) << "up to the root, which is not asked";
  EXPECT_EQ(asked, std::vector<PDataNode>{rows[2]});
  EXPECT_TRUE(tree.NodeHasPopupMenu(child, ColumnNone, Point(0, 0)));
}

// Rows whose content is 40 pixels wide, so the mouse can miss it.
class TLabelTree : public TTestTree {
public:
  int NodeContentWidth(PDataNode, TColumnIndex, TCanvas&) override { return 40; }
};

TEST(RubberBandTest, SelectsTheRowsWhoseContentMeetsTheBand) {
  TForm form(nullptr);
  TLabelTree tree;
  tree.SetBorderStyle(bsNone);
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 200, 150);
  tree.HandleNeeded();
  Include(tree, toMultiSelect);
  tree.SetRootNodeCount(20);
  const std::vector<PDataNode> rows = AllNodes(tree);
  tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 5));
  EXPECT_TRUE(tree.TreeStates().Contains(tsDrawSelPending));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(148, 8));
  EXPECT_FALSE(tree.TreeStates().Contains(tsDrawSelecting)) << "not past the drag threshold";
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(30, 60));
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[0], rows[1], rows[2], rows[3]}));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[0], rows[1]})) << "the band shrank";
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(100, 60));
  EXPECT_EQ(tree.SelectionCount(), 0) << "right of every row's content";
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
  tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 40));
  EXPECT_FALSE(tree.TreeStates().Contains(tsDrawSelecting));
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[0], rows[1], rows[2]}));
  CheckTree(tree);
  tree.SetParent(nullptr);
}

TEST(RubberBandTest, ScrollsTheTreeAtTheEdgeAfterTheDelay) {
  TFakeClockScope time;
  TForm form(nullptr);
  TLabelTree tree;
  tree.SetBorderStyle(bsNone);
  tree.SetParent(&form);
  tree.SetBounds(0, 0, 200, 150);
  tree.HandleNeeded();
  Include(tree, toMultiSelect);
  Include(tree, toAutoScroll);
  tree.SetRootNodeCount(100);
  tree.Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(150, 5));
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(30, 145));
  EXPECT_TRUE(tree.TreeStates().Contains(tsScrollPending));
  time.AdvanceAndDispatch(500);
  EXPECT_EQ(tree.OffsetY(), 0) << "not before AutoScrollDelay";
  time.AdvanceAndDispatch(600);
  EXPECT_TRUE(tree.TreeStates().Contains(tsScrolling));
  const int insideStep = -tree.OffsetY();
  EXPECT_EQ(insideStep, 20) << "one vertical increment inside the window";
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(30, 160));
  time.AdvanceAndDispatch(10);
  EXPECT_EQ(-tree.OffsetY() - insideStep, 20 * 10) << "outside: the increment times the distance";
  EXPECT_GT(tree.SelectionCount(), 150 / 18) << "the band grew with the scroll";
  tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(30, 160));
  EXPECT_FALSE(tree.TreeStates().Contains(tsScrolling));
  CheckTree(tree);
  tree.SetParent(nullptr);
}

TEST_F(InputTest, TheHotNodeShowsTheHotCursor) {
  Include(tree, toHotTrack);
  tree.HotCursor = crHandPoint;
  std::vector<TCursor> asked;
  tree.OnGetCursor = [&](TBaseDataTree*, TCursor& cursor) { asked.push_back(cursor); };
  const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  tree.Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()), client);
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  tree.Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()), client);
  EXPECT_EQ(asked, (std::vector<TCursor>{crDefault, crHandPoint}));
}

// The road from Qt's events to the tree's handlers.
TEST_F(InputTest, RealInputReachesTheHandlers) {
  Include(tree, toFullRowSelect);
  form.SetBounds(0, 0, 240, 140);
  form.Show();
  ProcessEverything();
  SynthesizeClick(tree.Handle(), Point(60, 18 + 9));
  ProcessEverything();
  EXPECT_EQ(tree.FocusedNode(), rows[1]);
  SynthesizeKeyStroke(tree.Handle(), VK_DOWN, "");
  ProcessEverything();
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  SynthesizeWheel(tree.Handle(), Point(60, 40), -120);
  ProcessEverything();
  EXPECT_EQ(tree.OffsetY(), -3 * 18);
}

}  // namespace

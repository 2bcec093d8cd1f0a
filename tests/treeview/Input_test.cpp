// Keys, mouse buttons, the wheel and the scroll bars, driven by messages.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/treeview/TreeTestSupport.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/qt/SyntheticInput.h"
#include "runtime/Help.h"
#include "toolkit/win/Input.h"
#include "toolkit/win/Keys.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeColumns.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/ScrollBarOptions.h"

namespace {

// A tree whose client holds exactly five rows of 18 pixels.
class InputTest : public testing::Test {
protected:
  InputTest() : form(nullptr) {
    tree.ScrollBarOptions().SetScrollBars(ssVertical);
    rows = PlaceTree(form, tree, 90, 20);
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

// The sign keys of the main keyboard reach the tree as the characters they type.
TEST_F(InputTest, TypedSignsActAsTheKeypadKeys) {
  tree.SetNodeChildCount(rows[0], 2);
  tree.SetNodeChildCount(rows[0]->FirstChild, 2);
  tree.SetFocusedNode(rows[0]);
  SetFocus(tree.Handle());
  InjectKey(VK_OEM_PLUS, true, false, U"+", {});
  EXPECT_EQ(tree.VisibleCount(), 22u) << "+ expands the focused node";
  InjectKey(VK_OEM_MINUS, true, false, U"-", {});
  EXPECT_EQ(tree.VisibleCount(), 20u) << "- collapses it";
  InjectKey('8', true, false, U"*", {.Shift = true});
  EXPECT_EQ(tree.VisibleCount(), 24u) << "* expands the whole subtree";
  InjectKey(VK_OEM_2, true, false, U"/", {});
  EXPECT_EQ(tree.VisibleCount(), 20u) << "/ collapses it";
  InjectKey(VK_OEM_PLUS, true, false, U"=", {});
  EXPECT_EQ(tree.VisibleCount(), 20u) << "the key's own sign does not count";
  EXPECT_TRUE(KeyDownCharacters().empty()) << "outside a key message nothing is typed";
  CheckTree(tree);
}

// F1 asks the focused node, then its parents, then the controls for a help context.
TEST_F(InputTest, F1OpensTheHelpOfTheFocusedNode) {
  struct TViewer : IHelpViewer {
    void ShowPage(const std::string& address) override { Shown.push_back(address); }
    void ShowIndex(const std::vector<THelpKeyword>&, std::size_t) override {}
    std::vector<std::string> Shown;
  } viewer;
  SetHelpViewer(&viewer);
  const PDataNode child = tree.AppendChildNode(rows[3]);
  tree.SetFocusedNode(child);
  std::vector<PDataNode> asked;
  tree.OnGetHelpContext = [&](TBaseDataTree*, PDataNode node, TColumnIndex column, int& context) {
    EXPECT_EQ(column, 0);
    asked.push_back(node);
    if (node == rows[3]) context = 1020;
  };
  Key(VK_F1);
  EXPECT_EQ(asked, (TNodeArray{child, rows[3]})) << "the walk stops at the first context";
  EXPECT_EQ(viewer.Shown.size(), 1u);
  tree.OnGetHelpContext = nullptr;
  Key(VK_F1);
  EXPECT_EQ(viewer.Shown.size(), 1u) << "no context anywhere: no help";
  form.HelpContext = 7;
  Key(VK_F1);
  EXPECT_EQ(viewer.Shown.size(), 2u) << "the parent control's context serves";
  SetHelpViewer(nullptr);
}

// A Ctrl click on a node that may be dragged waits for the release before it toggles.
TEST_F(InputTest, CtrlClickOnADraggableNodeTogglesOnTheRelease) {
  Include(tree, toMultiSelect);
  Include(tree, toFullRowSelect);
  Include(tree, toFullRowDrag);
  tree.OnDragAllowed = [](TBaseDataTree*, PDataNode, TColumnIndex, bool& allowed) { allowed = true; };
  Click(100, 9);
  tree.Perform(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(100, 2 * 18 + 9));
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[0]}) << "nothing toggled while a drag may start";
  EXPECT_TRUE(tree.TreeStates().Contains(tsToggleFocusedSelection));
  tree.Perform(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(100, 2 * 18 + 9));
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{rows[0], rows[2]}));
  EXPECT_FALSE(tree.TreeStates().Contains(tsToggleFocusedSelection));
  Click(100, 2 * 18 + 9, MK_CONTROL);
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[0]}) << "the second Ctrl click toggles it off";
  tree.Perform(WM_LBUTTONDOWN, MK_CONTROL, MAKELPARAM(100, 3 * 18 + 9));
  tree.Perform(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(100, 4 * 18 + 9));
  EXPECT_EQ(tree.SortedSelection(false), TNodeArray{rows[0]}) << "a release on another row toggles nothing";
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

// Three columns of 96, 192 and 96 pixels in a client less than 200 pixels wide.
class ColumnKeysTest : public InputTest {
protected:
  ColumnKeysTest() {
    TDataTreeColumns& columns = tree.Header().Columns();
    for (int width : {96, 192, 96}) columns.AddColumn().SetWidth(width);
    tree.Header().SetOptions(tree.Header().Options() + TDTHeaderOptions{hoVisible});
    Include(tree, toExtendedFocus);
    tree.FocusNodeAndColumn(rows[0], 0);
  }
  // OnFocusChanging refuses the columns named.
  void Refuse(std::set<TColumnIndex> refused) {
    tree.OnFocusChanging = [refused](TBaseDataTree*, PDataNode, PDataNode, TColumnIndex, TColumnIndex column,
                                     bool& allowed) { allowed = !refused.contains(column); };
  }
  std::pair<PDataNode, TColumnIndex> Focus() const { return {tree.FocusedNode(), tree.FocusedColumn()}; }
};

TEST_F(ColumnKeysTest, TabWalksTheCellsRowByRowAndSkipsRefusedColumns) {
  const std::pair<PDataNode, TColumnIndex> expected[] = {{rows[0], 1}, {rows[0], 2}, {rows[1], 0}};
  for (const auto& cell : expected) {
    Key(VK_TAB);
    EXPECT_EQ(Focus(), cell);
  }
  Key(VK_TAB, {VK_SHIFT});
  EXPECT_EQ(Focus(), std::make_pair(rows[0], TColumnIndex{2})) << "Shift+Tab goes back into the row before";
  Refuse({0});
  Key(VK_TAB);
  EXPECT_EQ(Focus(), std::make_pair(rows[1], TColumnIndex{1})) << "the refused first column is passed";
  tree.Header().Columns().ColumnAt(2).SetOptions(tree.Header().Columns().ColumnAt(2).Options() - TDTColumnOptions{coVisible});
  Key(VK_TAB);
  EXPECT_EQ(Focus(), std::make_pair(rows[2], TColumnIndex{1})) << "hidden columns are no stops";
  CheckTree(tree);
}

TEST_F(ColumnKeysTest, HomeAndEndTakeTheFirstAcceptedColumn) {
  tree.SetFocusedNode(rows[7]);
  Refuse({0, 1, 2});
  Key(VK_HOME);
  Key(VK_END, {VK_CONTROL});
  EXPECT_EQ(Focus(), std::make_pair(rows[7], TColumnIndex{0})) << "every column refused: nothing happens";
  EXPECT_EQ(tree.OffsetX(), 0);
  Refuse({2});
  Include(tree, toGridExtensions);
  Key(VK_END);
  EXPECT_EQ(Focus(), std::make_pair(rows[7], TColumnIndex{1})) << "grid extensions: End moves the column only";
  Refuse({0});
  Key(VK_HOME, {VK_CONTROL});
  EXPECT_EQ(Focus(), std::make_pair(rows[0], TColumnIndex{1})) << "with Ctrl the first node too";
  CheckTree(tree);
}

TEST_F(ColumnKeysTest, AFocusedColumnOutsideTheWindowScrollsIntoView) {
  const int width = tree.ClientWidth();
  ASSERT_LT(width, 288) << "column 2 spans 288 to 384 of the tree";
  tree.FocusNodeAndColumn(rows[1], 2);
  const TRect cell = tree.NodeDisplayRect(rows[1], 2, false);
  EXPECT_GE(cell.Left, 0);
  EXPECT_LE(cell.Right, width);
  EXPECT_LT(tree.OffsetX(), 0);
  tree.FocusNodeAndColumn(rows[1], 0);
  EXPECT_EQ(tree.OffsetX(), 0) << "and back for column 0";
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

TEST_F(InputTest, MiddleAndRightDoubleClicksToggleOnlyWhenTheyMaySelect) {
  Include(tree, toFullRowSelect);
  Include(tree, toToggleOnDblClick);
  tree.AppendChildNode(rows[0]);
  tree.Perform(WM_MBUTTONDBLCLK, 0, MAKELPARAM(150, 9));
  tree.Perform(WM_RBUTTONDBLCLK, 0, MAKELPARAM(150, 9));
  EXPECT_FALSE(rows[0]->Has(nsExpanded));
  Include(tree, toMiddleClickSelect);
  tree.Perform(WM_MBUTTONDBLCLK, 0, MAKELPARAM(150, 9));
  EXPECT_TRUE(rows[0]->Has(nsExpanded));
  Include(tree, toRightClickSelect);
  tree.Perform(WM_RBUTTONDBLCLK, 0, MAKELPARAM(150, 9));
  EXPECT_FALSE(rows[0]->Has(nsExpanded));
  EXPECT_FALSE(tree.TreeStates().Contains(tsMiddleDblClick) || tree.TreeStates().Contains(tsRightDblClick));
  CheckTree(tree);
}

TEST_F(InputTest, HotNodeFollowsTheMouseAndLeavesWithIt) {
  Include(tree, toFullRowSelect);
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

// Records where it was asked to show instead of running a menu loop.
class TRecordingPopupMenu : public TPopupMenu {
public:
  using TPopupMenu::TPopupMenu;
  void Popup(int x, int y) override { Shown.push_back(Point(x, y)); }
  std::vector<TPoint> Shown;
};

// Rows whose content is 40 pixels wide, so the mouse can miss it.
class TLabelTree : public TTestTree {
public:
  int NodeContentWidth(PDataNode, TColumnIndex, TCanvas&) override { return 40; }
};

// Ten rows of a multi-selection tree whose labels span x 22..62.
class ClickMatrixTest : public testing::Test {
protected:
  ClickMatrixTest() : form(nullptr) {
    Include(tree, toMultiSelect);
    rows = PlaceTree(form, tree, 180, 10);
  }
  ~ClickMatrixTest() override {
    SetKeyDown(VK_MENU, false);
    tree.SetParent(nullptr);
  }
  static LPARAM At(int x, int row) { return MAKELPARAM(x, row * 18 + 9); }
  void Select(std::initializer_list<int> indexes, int focused) {
    tree.UnselectAll();
    for (int index : indexes) tree.SetNodeSelected(rows[index], true);
    tree.FocusNode(rows[focused], false);
  }
  TNodeArray Rows(std::initializer_list<int> indexes) const {
    TNodeArray nodes;
    for (int index : indexes) nodes.push_back(rows[index]);
    return nodes;
  }

  TForm form;
  TLabelTree tree;
  std::vector<PDataNode> rows;
};

TEST_F(ClickMatrixTest, APlainClickOnASelectedNodeClearsAtOnceOrOnTheReleaseOfADrag) {
  tree.OnDragAllowed = [](TBaseDataTree*, PDataNode, TColumnIndex, bool& allowed) { allowed = true; };
  Select({1, 2, 3}, 1);
  tree.Perform(WM_LBUTTONDOWN, 0, At(30, 2));
  EXPECT_EQ(tree.SortedSelection(false), Rows({1, 2, 3})) << "kept for a drag";
  EXPECT_TRUE(tree.TreeStates().Contains(tsClearPending));
  tree.Perform(WM_LBUTTONUP, 0, At(30, 2));
  EXPECT_EQ(tree.SortedSelection(false), Rows({2}));
  tree.OnDragAllowed = nullptr;
  Select({1, 2, 3}, 1);
  tree.Perform(WM_LBUTTONDOWN, 0, At(30, 3));
  EXPECT_EQ(tree.SortedSelection(false), Rows({3})) << "no drag possible: cleared at once";
  tree.Perform(WM_LBUTTONUP, 0, At(30, 3));
  CheckTree(tree);
}

TEST_F(ClickMatrixTest, TheApplicationKeyOpensTheFocusedNodesMenuAtItsText) {
  TRecordingPopupMenu menu(nullptr);
  tree.OnGetPopupMenu = [&](TBaseDataTree*, PDataNode, TColumnIndex, TPoint, bool&, TPopupMenu*& popupMenu) {
    popupMenu = &menu;
  };
  tree.Perform(WM_KEYDOWN, VK_APPS, 0);
  EXPECT_TRUE(menu.Shown.empty()) << "no focused node, no menu";
  tree.SetFocusedNode(rows[2]);
  tree.Perform(WM_KEYDOWN, VK_APPS, 0);
  ASSERT_EQ(menu.Shown.size(), 1u);
  const TRect text = tree.NodeDisplayRect(rows[2], ColumnNone, true);
  const TPoint at = tree.ScreenToClient(menu.Shown[0]);
  EXPECT_EQ(at.Y, (text.Top + text.Bottom) / 2);
  EXPECT_GT(at.X, text.Left);
  EXPECT_LT(at.X, text.Right);
  EXPECT_EQ(menu.PopupComponent, &tree);
  EXPECT_TRUE(tree.TreeStates().Contains(tsPopupMenuShown));
}

TEST_F(ClickMatrixTest, ANodeIsHotOnlyOverItsText) {
  tree.Perform(WM_MOUSEMOVE, 0, At(100, 2));
  EXPECT_EQ(tree.CurrentHotNode(), nullptr) << "beside the text";
  tree.Perform(WM_MOUSEMOVE, 0, At(30, 2));
  EXPECT_EQ(tree.CurrentHotNode(), rows[2]);
}

TEST_F(ClickMatrixTest, AltCtrlAndShiftClicks) {
  Select({1, 2, 3}, 1);
  SetKeyDown(VK_MENU, true);
  tree.Perform(WM_LBUTTONDOWN, 0, At(30, 5));
  SetKeyDown(VK_MENU, false);
  tree.Perform(WM_LBUTTONUP, 0, At(30, 5));
  EXPECT_EQ(tree.SortedSelection(false), Rows({5})) << "Alt: that node alone";
  tree.Perform(WM_LBUTTONDOWN, MK_CONTROL, At(30, 1));
  tree.Perform(WM_LBUTTONUP, MK_CONTROL, At(30, 1));
  EXPECT_EQ(tree.SortedSelection(false), Rows({1, 5}));
  EXPECT_EQ(tree.RangeAnchor(), rows[1]) << "Ctrl moves the anchor";
  tree.Perform(WM_LBUTTONDOWN, MK_CONTROL | MK_SHIFT, At(30, 3));
  tree.Perform(WM_LBUTTONUP, MK_CONTROL | MK_SHIFT, At(30, 3));
  EXPECT_EQ(tree.SortedSelection(false), Rows({1, 2, 3, 5})) << "Ctrl+Shift adds the range";
  tree.Perform(WM_LBUTTONDOWN, MK_SHIFT, At(30, 2));
  tree.Perform(WM_LBUTTONUP, MK_SHIFT, At(30, 2));
  EXPECT_EQ(tree.SortedSelection(false), Rows({1, 2})) << "Shift: from the anchor only";
  CheckTree(tree);
}

TEST_F(ClickMatrixTest, ARightClickKeepsASelectionThatHasAPopupMenu) {
  Include(tree, toRightClickSelect);
  TPopupMenu menu(nullptr);
  tree.OnGetPopupMenu = [&](TBaseDataTree*, PDataNode, TColumnIndex, TPoint, bool&, TPopupMenu*& popupMenu) {
    popupMenu = &menu;
  };
  Select({1, 2, 3}, 1);
  tree.Perform(WM_RBUTTONDOWN, 0, At(30, 2));
  EXPECT_EQ(tree.SortedSelection(false), Rows({1, 2, 3}));
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  tree.OnGetPopupMenu = nullptr;
  tree.Perform(WM_RBUTTONUP, 0, At(30, 2));
  tree.Perform(WM_RBUTTONDOWN, 0, At(30, 3));
  tree.Perform(WM_RBUTTONUP, 0, At(30, 3));
  EXPECT_EQ(tree.SortedSelection(false), Rows({3})) << "without a menu the right click selects";
  CheckTree(tree);
}

TEST_F(ClickMatrixTest, APressOnAFullRowSelectsItAndArmsABand) {
  Include(tree, toFullRowSelect);
  tree.Perform(WM_LBUTTONDOWN, 0, At(150, 2));
  EXPECT_EQ(tree.FocusedNode(), rows[2]);
  EXPECT_EQ(tree.SortedSelection(false), Rows({2}));
  EXPECT_TRUE(tree.TreeStates().Contains(tsDrawSelPending)) << "dragging from a row selects rows, as the console does";
  tree.Perform(WM_MOUSEMOVE, 0, At(150, 5));
  EXPECT_EQ(tree.SortedSelection(false), Rows({2})) << "a band right of the texts meets none";
  tree.Perform(WM_MOUSEMOVE, 0, At(50, 5));
  tree.Perform(WM_LBUTTONUP, 0, At(50, 5));
  EXPECT_EQ(tree.SortedSelection(false), Rows({2, 3, 4, 5}));
  Include(tree, toSimpleDrawSelection);
  tree.Perform(WM_LBUTTONDOWN, 0, At(150, 7));
  tree.Perform(WM_MOUSEMOVE, 0, At(150, 9));
  tree.Perform(WM_LBUTTONUP, 0, At(150, 9));
  EXPECT_EQ(tree.SortedSelection(false), Rows({7, 8, 9})) << "with toSimpleDrawSelection the rows count";
  CheckTree(tree);
}

TEST(RubberBandSelectionTest, SelectsTheRowsWhoseContentMeetsTheBand) {
  TForm form(nullptr);
  TLabelTree tree;
  Include(tree, toMultiSelect);
  const std::vector<PDataNode> rows = PlaceTree(form, tree, 150, 20);
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

// A band swept over 10,000 rows, down and back up past its start, with the window
// scrolled along, against the rows whose text span meets it.
TEST(RubberBandSelectionTest, ASweptBandSelectsExactlyTheRowsItMeets) {
  constexpr int RowCount = 10000;
  constexpr int TextLeft = 4 + 18;  // margin and the root level's indent
  constexpr int TextRight = TextLeft + 40;
  for (const bool ctrl : {false, true}) {
    TForm form(nullptr);
    TLabelTree tree;
    Include(tree, toMultiSelect);
    const std::vector<PDataNode> rows = PlaceTree(form, tree, 150, RowCount);
    for (int i = 0; i < RowCount; i += 3) tree.SetNodeSelected(rows[i], true);
    const TPoint start{150, 100};
    tree.Perform(WM_LBUTTONDOWN, ctrl ? MK_CONTROL : 0, MAKELPARAM(start.X, start.Y));
    auto expectBandTo = [&](int x, int treeY) {
      tree.SetVertOffset(std::min(0, 100 - treeY));
      tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(x, treeY + tree.OffsetY()));
      const TRect band = NormalizeRect(Rect(start.X, start.Y, x, treeY));
      TNodeArray expected;
      for (int i = 0; i < RowCount; ++i) {
        const bool meets = i * 18 < band.Bottom && i * 18 + 18 > band.Top && TextLeft < band.Right &&
                           TextRight > band.Left;
        const bool before = ctrl && i % 3 == 0;
        if (meets != before) expected.push_back(rows[static_cast<size_t>(i)]);
      }
      std::sort(expected.begin(), expected.end());
      TNodeArray actual = tree.SortedSelection(false);
      std::sort(actual.begin(), actual.end());
      ASSERT_EQ(actual, expected) << "band to (" << x << ", " << treeY << ")" << (ctrl ? " with Ctrl" : "");
    };
    for (int step = 1; step <= 20; ++step) expectBandTo(step % 2 ? 30 : 50, 40 + step * RowCount * 18 / 20 - 18);
    for (int step = 19; step >= 0; --step) expectBandTo(step % 3 ? 45 : 10, 40 + step * RowCount * 9 / 20);
    expectBandTo(10, 5);
    tree.Perform(WM_LBUTTONUP, 0, MAKELPARAM(10, 40));
    CheckTree(tree);
    tree.SetParent(nullptr);
  }
}

TEST(RubberBandSelectionTest, ScrollsTheTreeAtTheEdgeAfterTheDelay) {
  TFakeClockScope time;
  TForm form(nullptr);
  TLabelTree tree;
  Include(tree, toMultiSelect);
  Include(tree, toAutoScroll);
  PlaceTree(form, tree, 150, 100);
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
  Include(tree, toFullRowSelect);
  tree.HotCursor = crHandPoint;
  std::vector<TCursor> asked;
  tree.OnGetCursor = [&](TBaseDataTree*, TCursor& cursor) { asked.push_back(cursor); };
  const LPARAM client = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  tree.Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()), client);
  tree.Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
  tree.Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(tree.Handle()), client);
  EXPECT_EQ(asked, (std::vector<TCursor>{crDefault, crHandPoint}));
}

TEST_F(InputTest, TheHotNodeFollowsTheContentUnderAStillMouse) {
  Include(tree, toFullRowSelect);
  form.SetBounds(0, 0, 240, 140);
  form.Show();
  ProcessEverything();
  std::vector<PDataNode> hot;
  tree.OnHotChange = [&](TBaseDataTree*, PDataNode, PDataNode node) { hot.push_back(node); };
  InjectMouseMove(tree.ClientToScreen(Point(60, 2 * 18 + 9)), {});
  tree.SetVertOffset(-2 * 18);
  EXPECT_EQ(tree.CurrentHotNode(), rows[4]) << "the row now under the mouse";
  InjectMouseMove(form.ClientToScreen(Point(230, 120)), {});
  ProcessEverything();
  tree.SetVertOffset(0);
  EXPECT_EQ(hot, (std::vector<PDataNode>{rows[2], rows[4], nullptr})) << "a mouse beside the tree tracks nothing";
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

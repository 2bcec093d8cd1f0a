// Selection, focus and the (delayed) change events.

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"
#include "toolkit/win/WinEvent.h"

namespace {

class SelectionTest : public testing::Test {
protected:
  SelectionTest() {
    tree.SetRootNodeCount(6);
    nodes = AllNodes(tree);
    tree.OnChange = [this](TBaseDataTree*, PDataNode node) { changes.push_back(node); };
  }
  ~SelectionTest() override { tree.OnChange = nullptr; }

  TTestTree tree;
  std::vector<PDataNode> nodes;
  std::vector<PDataNode> changes;
};

TEST_F(SelectionTest, SelectedOrDisabledNodesAreNotSelectedAgain) {
  tree.SetNodeSelected(nodes[0], true);
  changes.clear();
  tree.SelectNode(nodes[0]);
  nodes[1]->Include(nsDisabled);
  tree.SelectNode(nodes[1]);
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(tree.SelectionCount(), 1);
  CheckTree(tree);
}

TEST_F(SelectionTest, SelectNodeArrayReportsTheOneNodeOrNil) {
  Include(tree, toMultiSelect);
  TNodeArray one{nodes[2]};
  tree.SelectNodeArray(one, 1, false);
  TNodeArray several{nodes[4], nodes[3]};
  tree.SelectNodeArray(several, 2, false);
  EXPECT_EQ(changes, (std::vector<PDataNode>{nodes[2], nullptr}));
  CheckTree(tree);
}

TEST_F(SelectionTest, WithoutMultiSelectANewSelectionReplacesTheOld) {
  tree.SetNodeSelected(nodes[0], true);
  tree.SetNodeSelected(nodes[1], true);
  EXPECT_FALSE(nodes[0]->Has(nsSelected));
  EXPECT_EQ(tree.SelectionCount(), 1);
  tree.SelectAllNodes(false);
  EXPECT_EQ(tree.SelectionCount(), 1) << "select all needs toMultiSelect";
  Include(tree, toMultiSelect);
  tree.SelectAllNodes(false);
  EXPECT_EQ(tree.SelectionCount(), 6);
  CheckTree(tree);
}

TEST_F(SelectionTest, LevelConstraintHoldsUntilTheSelectionEmpties) {
  Include(tree, toMultiSelect);
  Include(tree, toLevelSelectConstraint);
  const PDataNode child = tree.AppendChildNode(nodes[0]);
  tree.SetNodeSelected(child, true);
  tree.SetNodeSelected(nodes[1], true);
  EXPECT_FALSE(nodes[1]->Has(nsSelected));
  tree.SetNodeSelected(child, false);
  tree.SetNodeSelected(nodes[1], true);
  EXPECT_TRUE(nodes[1]->Has(nsSelected));
  CheckTree(tree);
}

TEST_F(SelectionTest, SiblingConstraintKeepsToTheAnchorsParent) {
  Include(tree, toMultiSelect);
  Include(tree, toSiblingSelectConstraint);
  const PDataNode child = tree.AppendChildNode(nodes[0]);
  tree.SetNodeSelected(nodes[1], true);
  tree.SetNodeSelected(child, true);
  tree.SetNodeSelected(nodes[2], true);
  EXPECT_FALSE(child->Has(nsSelected));
  EXPECT_TRUE(nodes[2]->Has(nsSelected));
}

TEST_F(SelectionTest, RangesFromTheAnchor) {
  Include(tree, toMultiSelect);
  tree.SetNodeSelected(nodes[1], true);
  ASSERT_EQ(tree.RangeAnchor(), nodes[1]);
  tree.SelectRange(nodes[1], nodes[4], false);
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{nodes[1], nodes[2], nodes[3], nodes[4]}));
  EXPECT_EQ(tree.RangeAnchor(), nodes[1]);
  tree.ToggleRange(nodes[1], nodes[3]);
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{nodes[1], nodes[4]})) << "the anchor stays selected";
  tree.DeselectRange(nodes[0], nodes[5]);
  EXPECT_EQ(tree.SelectionCount(), 0);
  CheckTree(tree);
}

TEST_F(SelectionTest, UnselectAllTellsOnceWithNil) {
  Include(tree, toMultiSelect);
  tree.SelectAllNodes(true);
  changes.clear();
  tree.UnselectAll();
  EXPECT_EQ(changes, std::vector<PDataNode>{nullptr});
  tree.UnselectAll();
  EXPECT_EQ(changes.size(), 1u);
}

TEST_F(SelectionTest, DelayedChangeComesOnceAfterTheLastOfABurst) {
  TFakeClockScope time;
  TForm form(nullptr);
  tree.SetParent(&form);
  tree.HandleNeeded();
  Include(tree, toMultiSelect);
  tree.SetChangeDelay(100);
  for (int i = 0; i < 3; ++i) {
    tree.SetNodeSelected(nodes[static_cast<size_t>(i)], true);
    time.AdvanceAndDispatch(30);
  }
  EXPECT_TRUE(changes.empty());
  time.AdvanceAndDispatch(60);
  EXPECT_TRUE(changes.empty()) << "90 ms after the last change";
  time.AdvanceAndDispatch(15);
  EXPECT_EQ(changes, std::vector<PDataNode>{nodes[2]});
  tree.SetChangeDelay(0);
  tree.SetNodeSelected(nodes[3], true);
  tree.SetNodeSelected(nodes[4], true);
  EXPECT_EQ(changes.size(), 3u) << "no delay: one event per change at once";
  tree.SetParent(nullptr);
}

TEST_F(SelectionTest, StructureChangesAccumulateAndWaitForTheUpdate) {
  std::vector<TChangeReason> reasons;
  tree.OnStructureChange = [&](TBaseDataTree*, PDataNode, TChangeReason reason) { reasons.push_back(reason); };
  tree.BeginUpdate();
  tree.AppendChildNode();
  EXPECT_TRUE(reasons.empty());
  tree.EndUpdate();
  EXPECT_EQ(reasons, std::vector<TChangeReason>{crChildAdded});
  tree.OnStructureChange = nullptr;
}

TEST_F(SelectionTest, AutoExpandFollowsTheFocus) {
  Include(tree, toAutoExpand);
  tree.SetNodeChildCount(nodes[0], 2);
  tree.SetNodeChildCount(nodes[1], 2);
  tree.SetFocusedNode(nodes[0]);
  EXPECT_TRUE(nodes[0]->Has(nsExpanded));
  tree.SetFocusedNode(nodes[1]);
  EXPECT_FALSE(nodes[0]->Has(nsExpanded));
  EXPECT_TRUE(nodes[1]->Has(nsExpanded));
  CheckTree(tree);
}

TEST_F(SelectionTest, RefusedFocusChangeKeepsNodeAndColumn) {
  tree.SetFocusedNode(nodes[0]);
  tree.OnFocusChanging = [](TBaseDataTree*, PDataNode, PDataNode, TColumnIndex, TColumnIndex, bool& allowed) {
    allowed = false;
  };
  tree.FocusNodeAndColumn(nodes[1], 2);
  EXPECT_EQ(tree.FocusedNode(), nodes[0]);
  EXPECT_EQ(tree.FocusedColumn(), ColumnNone);
}

TEST_F(SelectionTest, FocusChangeRaisesSixNoticesInOrder) {
  TForm form(nullptr);
  tree.SetParent(&form);
  tree.HandleNeeded();
  std::vector<DWORD> notices;
  const TWinEventObserver previous =
      SetWinEventObserver([&](DWORD event, HWND, LONG, LONG) { notices.push_back(event); });
  tree.SetFocusedNode(nodes[2]);
  EXPECT_EQ(notices, (std::vector<DWORD>{EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE,
                                         EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_STATECHANGE,
                                         EVENT_OBJECT_SELECTION, EVENT_OBJECT_FOCUS}));
  SetWinEventObserver(previous);
  tree.SetParent(nullptr);
}

}  // namespace

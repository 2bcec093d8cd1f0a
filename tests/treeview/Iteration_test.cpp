// The node walkers and the position lookups.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"

namespace {

bool FailsWith(const std::function<void()>& action, const std::string& message) {
  try {
    action();
  } catch (const EAssertionFailed& error) {
    return std::string(error.what()).starts_with(message);
  }
  return false;
}

TEST(IterationTest, EmptyTreeHasNoFirstNodes) {
  TTestTree tree;
  EXPECT_EQ(tree.FirstRootNode(), nullptr);
  EXPECT_EQ(tree.FirstVisibleNode(), nullptr);
  EXPECT_EQ(tree.FirstVisibleNodeRaw(), nullptr);
  EXPECT_EQ(tree.FirstSelectedNode(), nullptr);
  EXPECT_EQ(tree.FirstCutCopyNode(), nullptr);
  EXPECT_EQ(tree.FirstInitializedNode(), nullptr);
  EXPECT_EQ(tree.FirstChildOf(nullptr), nullptr);
  EXPECT_EQ(tree.LastNodeInOrder(nullptr), nullptr);
  EXPECT_EQ(tree.LastVisibleNode(nullptr), nullptr);
  int top = 7;
  EXPECT_EQ(tree.NodeAtPosition(0, 0, false, top), nullptr);
  EXPECT_EQ(top, 7);
}

TEST(IterationTest, FirstSelectedNodeDoesNotWalkWithoutSelection) {
  TTestTree tree;
  tree.SetRootNodeCount(5);
  int initialised = 0;
  tree.OnInitNode = [&](TBaseDataTree*, PDataNode, PDataNode, TDataNodeInitStates&) { ++initialised; };
  EXPECT_EQ(tree.FirstSelectedNode(), nullptr);
  EXPECT_EQ(initialised, 0);
}

TEST(IterationTest, TheRootIsNoNodeToWalkFrom) {
  TTestTree tree;
  const PDataNode root = tree.RootNode();
  const std::string message = "Node must not be the hidden root node.";
  EXPECT_TRUE(FailsWith([&] { tree.NextSiblingOf(root); }, message));
  EXPECT_TRUE(FailsWith([&] { tree.NextNodeInOrder(root); }, message));
  EXPECT_TRUE(FailsWith([&] { tree.PrevNodeInOrder(root); }, message));
  EXPECT_TRUE(FailsWith([&] { TreeOfNode(nullptr); }, "Node must not be nil."));
  EXPECT_EQ(tree.NextNodeInOrder(nullptr), nullptr);
}

// Top level A (expanded: A1, A2 hidden, A3), B (collapsed: B1), C hidden (C1), D.
class ShapedTreeTest : public testing::Test {
protected:
  void SetUp() override {
    tree.SetRootNodeCount(3);
    a = tree.FirstRootNodeRaw();
    b = a->NextSibling;
    d = b->NextSibling;
    a1 = tree.AppendChildNode(a);
    a2 = tree.LinkHiddenNode(a, amAddChildLast);
    a3 = tree.AppendChildNode(a);
    b1 = tree.AppendChildNode(b);
    c = tree.LinkHiddenNode(d, amInsertBefore);
    c1 = tree.AppendChildNode(c);
    tree.ToggleExpanded(a);
    tree.ToggleExpanded(c);
    tree.SetNodeRowHeight(a1, 30);
    tree.SetNodeRowHeight(d, 11);
  }

  std::vector<PDataNode> Shown(bool raw) {
    std::vector<PDataNode> rows;
    for (PDataNode node = raw ? tree.FirstVisibleNodeRaw() : tree.FirstVisibleNode(); node;
         node = raw ? tree.NextVisibleNodeRaw(node) : tree.NextVisibleNode(node))
      rows.push_back(node);
    return rows;
  }

  TTestTree tree;
  PDataNode a, a1, a2, a3, b, b1, c, c1, d;
};

TEST_F(ShapedTreeTest, VisibleWalksSkipCollapsedAndHiddenNodes) {
  const std::vector<PDataNode> expected{a, a1, a3, b, d};
  EXPECT_EQ(Shown(false), expected);
  EXPECT_EQ(Shown(true), expected);
  std::vector<PDataNode> backwards;
  for (PDataNode node = tree.LastVisibleNode(nullptr); node; node = tree.PrevVisibleNode(node))
    backwards.push_back(node);
  EXPECT_EQ(backwards, (std::vector<PDataNode>{d, b, a3, a1, a}));
  EXPECT_EQ(tree.VisibleCount(), 5u);
  CheckTree(tree);
}

TEST_F(ShapedTreeTest, NextVisibleFromInsideAHiddenBranch) {
  EXPECT_EQ(tree.NearestVisibleAncestor(b1), tree.RootNode());
  EXPECT_EQ(tree.NextVisibleNode(b1), a) << "the first shown child of the root";
  EXPECT_EQ(tree.NearestVisibleAncestor(c1), tree.RootNode());
  tree.ToggleExpanded(b);
  const PDataNode b11 = tree.AppendChildNode(b1);
  EXPECT_EQ(tree.NearestVisibleAncestor(b11), b);
  EXPECT_EQ(tree.NextVisibleNode(b11), b1);
  EXPECT_EQ(tree.PrevVisibleNodeRaw(b11), b1);
}

TEST_F(ShapedTreeTest, TreeOrderWalks) {
  std::vector<PDataNode> order;
  for (PDataNode node = tree.FirstRootNode(); node; node = tree.NextNodeInOrder(node)) order.push_back(node);
  EXPECT_EQ(order, (std::vector<PDataNode>{a, a1, a2, a3, b, b1, c, c1, d}));
  std::vector<PDataNode> backwards;
  for (PDataNode node = tree.LastNodeInOrderRaw(nullptr); node; node = tree.PrevNodeInOrderRaw(node))
    backwards.push_back(node);
  EXPECT_EQ(backwards, (std::vector<PDataNode>{d, c1, c, b1, b, a3, a2, a1, a}));
  EXPECT_EQ(tree.FirstVisibleChildOf(a), a1);
  EXPECT_EQ(tree.LastVisibleChildOf(a), a3);
  EXPECT_EQ(tree.PrevVisibleSiblingOf(a3), a1);
  EXPECT_EQ(tree.LastVisibleChildOf(b), nullptr) << "collapsed";
}

TEST_F(ShapedTreeTest, SortedSelectionLeavesDescendantsOfSelectedNodesOnRequest) {
  Include(tree, toMultiSelect);
  tree.SetNodeSelected(d, true);
  tree.SetNodeSelected(a3, true);
  tree.SetNodeSelected(a, true);
  EXPECT_EQ(tree.SortedSelection(true), (TNodeArray{a, d}));
  EXPECT_EQ(tree.SortedSelection(false), (TNodeArray{a, a3, d}));
  std::vector<PDataNode> selected;
  for (PDataNode node = tree.FirstSelectedNode(); node; node = tree.NextSelectedNode(node)) selected.push_back(node);
  EXPECT_EQ(selected, (std::vector<PDataNode>{a, a3, d}));
  CheckTree(tree);
}

TEST_F(ShapedTreeTest, NodeAtPositionMatchesTheRows) {
  CheckTree(tree);
  int top = -1;
  EXPECT_EQ(tree.NodeAtPosition(0, 18 + 29, false, top), a1);
  EXPECT_EQ(top, 18);
  EXPECT_EQ(tree.NodeAtPosition(0, 18 + 30, false, top), a3);
  EXPECT_EQ(tree.NodeAtPosition(0, -5, false, top), a);
  top = 99;
  EXPECT_EQ(tree.NodeAtPosition(0, 18 + 30 + 18 + 18 + 11, false, top), nullptr);
  EXPECT_EQ(top, 99);
  tree.ToggleExpanded(a);
  tree.ToggleExpanded(b);
  CheckTree(tree);
  tree.RemoveNode(b1);
  CheckTree(tree);
}

TEST(PositionIndexTest, LongListsAgreeWithBruteForceAfterChanges) {
  TTestTree tree;
  tree.SetRootNodeCount(3000);
  PDataNode node = tree.FirstRootNodeRaw();
  for (int i = 0; node; node = node->NextSibling, ++i) tree.SetNodeRowHeight(node, 10 + i * 7 % 31);
  CheckTree(tree);
  const PDataNode middle = AllNodes(tree)[1500];
  tree.SetNodeChildCount(middle, 40);
  tree.ToggleExpanded(middle);
  CheckTree(tree);
  tree.SetNodeRowHeight(middle->FirstChild->NextSibling, 39);
  CheckTree(tree);
  tree.RemoveNode(AllNodes(tree)[10]);
  CheckTree(tree);
  for (int i = 0; i < 50; ++i) tree.AppendChildNode();
  CheckTree(tree);
  EXPECT_TRUE(tree.TreeStates().Contains(tsUseCache)) << "a complete index is in use";
  tree.AppendChildNode();
  EXPECT_TRUE(tree.TreeStates().Contains(tsValidationNeeded));
}

}  // namespace

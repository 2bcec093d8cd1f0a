// The node store: allocation, child counts, user data, update brackets,
// lazy initialisation, linking and deletion.

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"
#include "tests/treeview/TreeTestSupport.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeError.h"

namespace {

bool ThrowsTreeError(const std::function<void()>& action, const std::string& message) {
  try {
    action();
  } catch (const EQuantrelError& error) {
    return std::string(error.what()).starts_with(message);
  }
  return false;
}

class NodeStoreTest : public testing::Test {
protected:
  TTestTree tree;
};

TEST_F(NodeStoreTest, NewTreeHasOnlyItsHiddenRoot) {
  const PDataNode root = tree.RootNode();
  EXPECT_EQ(root->PrevSibling, root);
  EXPECT_EQ(root->NextSibling, root);
  EXPECT_EQ(reinterpret_cast<TBaseDataTree*>(root->Parent), &tree);
  EXPECT_EQ(tree.RootNodeCount(), 0u);
  EXPECT_EQ(root->TotalCount, 1u);
  EXPECT_EQ(root->States, nsInitialized | nsExpanded | nsHasChildren | nsVisible);
  EXPECT_EQ(tree.NodeDataSize(), -1);
  EXPECT_EQ(tree.Header().MainColumn(), ColumnNone);
  EXPECT_EQ(tree.Header().SortColumn(), ColumnNone);
  EXPECT_EQ(tree.Header().SortDirection(), sdAscending);
  EXPECT_EQ(tree.Header().Options(), (TDTHeaderOptions{hoColumnResize, hoDrag}));
  EXPECT_EQ(tree.Header().Height(), 17);
  CheckTree(tree);
}

TEST_F(NodeStoreTest, RootNodeCountMakesAndDeletesTopLevelNodes) {
  const unsigned rootHeight = tree.RootNode()->TotalHeight;
  tree.SetRootNodeCount(3);
  std::vector<PDataNode> nodes = AllNodes(tree);
  ASSERT_EQ(nodes.size(), 3u);
  for (uint32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(nodes[i]->Index, i);
    EXPECT_EQ(nodes[i]->NodeHeight, 18);
    EXPECT_EQ(nodes[i]->Align, 50);
  }
  EXPECT_EQ(tree.RootNode()->TotalHeight, rootHeight + 54);
  EXPECT_EQ(tree.VisibleCount(), 3u);
  tree.SetRootNodeCount(1);
  EXPECT_EQ(AllNodes(tree), std::vector<PDataNode>{nodes[0]});
  CheckTree(tree);
}

TEST_F(NodeStoreTest, DefaultNodeHeightTakesZeroAsStandardAndRefusesTooHigh) {
  tree.SetDefaultNodeHeight(30);
  tree.SetDefaultNodeHeight(0);
  EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
  EXPECT_THROW(tree.SetDefaultNodeHeight(70000), ERangeError);
  EXPECT_EQ(tree.DefaultNodeHeight(), 18u);
  tree.SetRootNodeCount(1);
  EXPECT_THROW(tree.SetNodeRowHeight(tree.FirstRootNodeRaw(), 70000), ERangeError);
  CheckTree(tree);
}

TEST_F(NodeStoreTest, NodeDataSizeBelowUnknownIsUnknown) {
  tree.SetNodeDataSize(-5);
  EXPECT_EQ(tree.NodeDataSize(), -1);
  tree.AppendChildNode();
  EXPECT_EQ(tree.NodeDataSize(), 0);
  EXPECT_EQ(tree.NodePool().Stride(), 64u);
}

TEST_F(NodeStoreTest, NodeDataSizeComesFromItsEventOnce) {
  int asked = 0;
  tree.OnGetNodeDataSize = [&](TBaseDataTree*, int& size) {
    ++asked;
    size = 12;
  };
  tree.AppendChildNode();
  tree.AppendChildNode();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(tree.NodeDataSize(), 12);
  EXPECT_EQ(tree.NodePool().Stride(), 80u);
}

TEST_F(NodeStoreTest, ChangingNodeDataSizeRemakesTheTopLevelNodesZeroed) {
  tree.SetNodeDataSize(8);
  const PDataNode node = tree.AppendChildNode();
  *static_cast<int64_t*>(tree.NodeUserData(node)) = 42;
  tree.AppendChildNode();
  int freed = 0;
  tree.OnFreeNode = [&](TBaseDataTree*, PDataNode) { ++freed; };
  tree.OnInitNode = [](TBaseDataTree*, PDataNode, PDataNode, TDataNodeInitStates&) {};
  tree.FirstRootNode();
  tree.SetNodeDataSize(16);
  EXPECT_EQ(freed, 1) << "only the initialised node is told";
  EXPECT_EQ(tree.RootNodeCount(), 2u);
  for (PDataNode made : AllNodes(tree)) {
    EXPECT_FALSE(made->Has(nsInitialized));
    EXPECT_EQ(*static_cast<int64_t*>(tree.NodeUserData(made)), 0);
  }
  CheckTree(tree);
}

TEST_F(NodeStoreTest, ReadOnlyTreeWithNodesKeepsItsNodeDataSize) {
  tree.SetNodeDataSize(4);
  tree.SetRootNodeCount(2);
  Include(tree, toReadOnly);
  tree.SetNodeDataSize(64);
  EXPECT_EQ(tree.NodeDataSize(), 4) << "its nodes, which it cannot clear, have 4 bytes";
  tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() - TDTMiscOptions{toReadOnly});
  tree.AppendChildNode();
  EXPECT_EQ(tree.RootNodeCount(), 3u);
  CheckTree(tree);
}

TEST_F(NodeStoreTest, CompareNodeOrder) {
  tree.SetRootNodeCount(5);
  const PDataNode first = tree.FirstRootNodeRaw();
  const PDataNode child = tree.AppendChildNode(first);
  const PDataNode grandchild = tree.AppendChildNode(child);
  const PDataNode last = tree.RootNode()->LastChild;
  EXPECT_EQ(tree.CompareNodeOrder(first, grandchild), -1);
  EXPECT_EQ(tree.CompareNodeOrder(grandchild, first), 1);
  EXPECT_EQ(tree.CompareNodeOrder(last, first->NextSibling), 3);
  EXPECT_EQ(tree.CompareNodeOrder(first->NextSibling, last), -3);
  EXPECT_EQ(tree.CompareNodeOrder(grandchild, last), -4);
  EXPECT_EQ(tree.CompareNodeOrder(last, last), 0);
  EXPECT_TRUE(ThrowsTreeError([&] { tree.CompareNodeOrder(nullptr, last); }, "Nodes must never be nil."));
}

TEST_F(NodeStoreTest, CompactNodeArrayDropsFlaggedEntriesInOrder) {
  tree.SetRootNodeCount(3);
  const std::vector<PDataNode> nodes = AllNodes(tree);
  TNodeArray empty;
  EXPECT_EQ(TTestTree::CompactNodeArray(empty, 0), -1);
  TNodeArray items{nodes[0], reinterpret_cast<PDataNode>(reinterpret_cast<uintptr_t>(nodes[1]) | 1), nodes[2]};
  EXPECT_EQ(TTestTree::CompactNodeArray(items, 3), 2);
  EXPECT_EQ(items[0], nodes[0]);
  EXPECT_EQ(items[1], nodes[2]);
}

TEST_F(NodeStoreTest, ReadOnlyTreeRefusesStructuralChanges) {
  tree.SetRootNodeCount(2);
  const PDataNode node = tree.FirstRootNodeRaw();
  Include(tree, toReadOnly);
  tree.SetNodeChildCount(node, 4);
  tree.SetNodeRowHeight(node, 30);
  EXPECT_EQ(tree.AppendChildNode(), nullptr);
  tree.RemoveNode(node);
  tree.Clear();
  EXPECT_EQ(node->ChildCount, 0u);
  EXPECT_EQ(node->NodeHeight, 18);
  EXPECT_EQ(tree.RootNodeCount(), 2u);
  CheckTree(tree);
}

TEST_F(NodeStoreTest, InitialUserDataNeedsRoomForAPointer) {
  int marker = 0;
  tree.SetNodeDataSize(sizeof(void*) - 1);
  EXPECT_TRUE(ThrowsTreeError(
      [&] { tree.AppendChildNode(nullptr, &marker); },
      "Cannot set initial user data because there is not enough user data space allocated."));
  EXPECT_EQ(tree.RootNodeCount(), 0u) << "the refused append leaves no node";
  try {
    tree.AppendChildNode(nullptr, &marker);
  } catch (const EDataTreeError& error) {
    EXPECT_EQ(error.HelpContext, 2008);
  }
  tree.SetNodeDataSize(sizeof(void*));
  const PDataNode node = tree.AppendChildNode(nullptr, &marker);
  EXPECT_EQ(*static_cast<void**>(tree.NodeUserData(node)), &marker);
  EXPECT_TRUE(node->Has(nsInitialUserData));
  EXPECT_EQ(tree.NodeUserData(tree.RootNode()), nullptr);
  EXPECT_EQ(tree.NodeLevel(node), 0u);
  CheckTree(tree);
}

TEST_F(NodeStoreTest, UserDataBeforeItsSizeIsKnownIsRefused) {
  tree.SetNodeDataSize(0);
  EXPECT_TRUE(ThrowsTreeError([&] { tree.NodeUserData(nullptr); }, "NodeDataSize not initialized."));
}

TEST_F(NodeStoreTest, UpdateBracketHoldsEventsBackUntilItsEnd) {
  std::vector<TDTUpdateState> updates;
  int structureChanges = 0;
  tree.OnUpdating = [&](TBaseDataTree*, TDTUpdateState state) { updates.push_back(state); };
  tree.OnStructureChange = [&](TBaseDataTree*, PDataNode, TChangeReason) { ++structureChanges; };
  tree.BeginUpdate();
  for (int i = 0; i < 10; ++i) tree.AppendChildNode();
  EXPECT_EQ(structureChanges, 0);
  tree.BeginUpdate();
  tree.EndUpdate();
  tree.EndUpdate();
  EXPECT_EQ(updates, (std::vector<TDTUpdateState>{usBegin, usUpdate, usUpdate, usEnd}));
  EXPECT_EQ(structureChanges, 1);
  EXPECT_FALSE(tree.TreeStates().Contains(tsUpdating));
  tree.AppendChildNode();
  EXPECT_EQ(structureChanges, 2) << "outside an update each append tells at once";
}

TEST_F(NodeStoreTest, ChangeTreeStatesTellsBeforeAndOnlyRealChanges) {
  std::vector<std::pair<TDataTreeStates, TDataTreeStates>> told;
  bool toldBefore = false;
  tree.OnStateChange = [&](TBaseDataTree* sender, TDataTreeStates enter, TDataTreeStates leave) {
    toldBefore = told.empty() && !sender->TreeStates().Contains(tsScrolling);
    told.emplace_back(enter, leave);
  };
  tree.ChangeTreeStates({tsScrolling, tsSizing}, {tsHint});
  EXPECT_TRUE(toldBefore);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].first, (TDataTreeStates{tsScrolling, tsSizing}));
  EXPECT_EQ(told[0].second, (TDataTreeStates{tsHint}));
  tree.ChangeTreeStates({tsScrolling}, {tsHint});
  EXPECT_EQ(told.size(), 1u) << "nothing would change";
  tree.ChangeTreeStates({tsHint}, {tsHint});
  EXPECT_FALSE(tree.TreeStates().Contains(tsHint)) << "a flag in both sets ends cleared";
}

class LazyTreeTest : public NodeStoreTest {
protected:
  void SetUp() override {
    tree.OnInitNode = [this](TBaseDataTree*, PDataNode parent, PDataNode node, TDataNodeInitStates& states) {
      initialised.push_back(node);
      if (!parent) states = topLevelStates;
    };
    tree.OnInitChildren = [this](TBaseDataTree*, PDataNode, unsigned& count) {
      ++childInits;
      count = childCount;
    };
    tree.SetRootNodeCount(10);
  }

  std::vector<PDataNode> initialised;
  int childInits = 0;
  unsigned childCount = 3;
  TDataNodeInitStates topLevelStates{ivsHasChildren};
};

TEST_F(LazyTreeTest, WalkInitialisesExactlyTheNodesItReturns) {
  std::vector<PDataNode> walked;
  for (PDataNode node = tree.FirstRootNode(); node; node = tree.NextNodeInOrder(node)) walked.push_back(node);
  EXPECT_EQ(walked.size(), 40u);
  EXPECT_EQ(initialised, walked);
  EXPECT_EQ(childInits, 10);
  CheckTree(tree);
}

TEST_F(LazyTreeTest, RawWalkTouchesNothing) {
  int walked = 0;
  for (PDataNode node = tree.FirstRootNodeRaw(); node; node = tree.NextNodeInOrderRaw(node)) ++walked;
  EXPECT_EQ(walked, 10);
  EXPECT_TRUE(initialised.empty());
  EXPECT_EQ(childInits, 0);
}

TEST_F(LazyTreeTest, ExpandedAtFirstUse) {
  topLevelStates = {ivsHasChildren, ivsExpanded};
  const PDataNode first = tree.FirstRootNode();
  EXPECT_TRUE(first->Has(nsExpanded));
  EXPECT_EQ(first->ChildCount, 3u);
  EXPECT_EQ(tree.VisibleCount(), 13u);
  CheckTree(tree);
}

TEST_F(LazyTreeTest, SelectedAtFirstUseWithoutChangeEvent) {
  topLevelStates = {ivsSelected};
  int changes = 0;
  tree.OnChange = [&](TBaseDataTree*, PDataNode) { ++changes; };
  const PDataNode first = tree.FirstRootNode();
  EXPECT_TRUE(first->Has(nsSelected));
  EXPECT_EQ(tree.SelectionCount(), 1);
  EXPECT_EQ(changes, 0);
  CheckTree(tree);
}

TEST_F(LazyTreeTest, NoChildrenAfterAllRemovesTheButton) {
  childCount = 0;
  const PDataNode first = tree.FirstRootNode();
  EXPECT_EQ(tree.FirstChildOf(first), nullptr);
  EXPECT_FALSE(first->Has(nsHasChildren));
  tree.ToggleExpanded(first);
  EXPECT_FALSE(first->Has(nsExpanded));
  CheckTree(tree);
}

TEST_F(LazyTreeTest, ResetAndReinitialise) {
  const PDataNode first = tree.FirstRootNode();
  tree.ToggleExpanded(first);
  ASSERT_EQ(first->ChildCount, 3u);
  int resets = 0;
  tree.OnResetNode = [&](TBaseDataTree*, PDataNode) { ++resets; };
  tree.ResetNodeChildren(first);
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(first->ChildCount, 0u);
  EXPECT_FALSE(first->Has(nsInitialized));
  CheckTree(tree);
  initialised.clear();
  tree.ReinitializeNode(first, true);
  EXPECT_EQ(first->ChildCount, 3u);
  EXPECT_EQ(initialised.size(), 4u);
  CheckTree(tree);
  tree.EnsureNodeInitialized(nullptr, true);
  EXPECT_EQ(tree.RootNode()->TotalCount, 41u);
  CheckTree(tree);
}

class LinkingTest : public NodeStoreTest {
protected:
  void SetUp() override {
    tree.SetRootNodeCount(2);
    parent = tree.FirstRootNodeRaw();
    tree.SetNodeChildCount(parent, 2);
    tree.ToggleExpanded(parent);
  }
  PDataNode parent = nullptr;
};

TEST_F(LinkingTest, UnlinkingTheOnlyChildCollapsesItsParent) {
  tree.SetNodeChildCount(parent, 1);
  const PDataNode child = parent->FirstChild;
  tree.UnlinkNode(child, false, true);
  EXPECT_FALSE(parent->Has(nsExpanded));
  EXPECT_FALSE(parent->Has(nsHasChildren));
  EXPECT_EQ(tree.VisibleCount(), 2u);
  tree.FireFreeNode(child);
  CheckTree(tree);
}

TEST_F(LinkingTest, HiddenNodesLeaveTheParentsHeight) {
  const PDataNode child = parent->FirstChild;
  for (auto [destination, mode] : std::vector<std::pair<PDataNode, TDTNodeAttachMode>>{
           {child, amInsertBefore}, {child, amInsertAfter}, {parent, amAddChildFirst}, {parent, amAddChildLast}}) {
    const unsigned height = parent->TotalHeight;
    tree.LinkHiddenNode(destination, mode);
    EXPECT_EQ(parent->TotalHeight, height) << "attach mode " << mode;
    CheckTree(tree);
  }
  EXPECT_EQ(parent->ChildCount, 6u);
}

TEST_F(LinkingTest, HiddenOnlyChildHidesTheChildren) {
  const PDataNode leaf = parent->NextSibling;
  tree.LinkHiddenNode(leaf, amAddChildLast);
  EXPECT_TRUE(leaf->Has(nsAllChildrenHidden));
  tree.AppendChildNode(leaf);
  EXPECT_FALSE(leaf->Has(nsAllChildrenHidden));
  CheckTree(tree);
}

TEST_F(LinkingTest, FreeNodeToldOnlyForInitialisedOrDataNodes) {
  std::vector<PDataNode> freed;
  tree.OnFreeNode = [&](TBaseDataTree*, PDataNode node) { freed.push_back(node); };
  const PDataNode untouched = parent->NextSibling;
  tree.RemoveNode(untouched);
  EXPECT_TRUE(freed.empty());
  tree.RemoveNode(parent);
  EXPECT_EQ(freed, (std::vector<PDataNode>{parent})) << "its uninitialised children are not told";
  tree.OnFreeNode = nullptr;
  CheckTree(tree);
}

TEST_F(LinkingTest, InternalDataOnlyBeforeTheFirstNode) {
  EXPECT_TRUE(ThrowsTreeError([&] { tree.ReserveInternalData(4); },
                              "Internal data allocation must be done before any node is created."));
  TTestTree fresh;
  EXPECT_EQ(fresh.ReserveInternalData(6), 64u);
  EXPECT_EQ(fresh.ReserveInternalData(4), 72u);
  EXPECT_EQ(fresh.InternalDataSize(), 12u);
  fresh.SetNodeDataSize(8);
  const PDataNode node = fresh.AppendChildNode();
  EXPECT_EQ(static_cast<std::byte*>(fresh.NodeUserData(node)) - reinterpret_cast<std::byte*>(node), 76);
  CheckTree(fresh);
}

TEST_F(LinkingTest, LevelDifferenceIsSecondMinusFirst) {
  const PDataNode child = parent->FirstChild;
  EXPECT_EQ(tree.LevelDifference(parent, child), 1);
  EXPECT_EQ(tree.LevelDifference(child, parent), -1);
  EXPECT_TRUE(ThrowsTreeError([&] { tree.LevelDifference(child, nullptr); }, "Both nodes must be Assigned."));
}

class DeletionTest : public NodeStoreTest {
protected:
  void SetUp() override {
    tree.SetRootNodeCount(4);
    parent = tree.FirstRootNodeRaw();
    tree.SetNodeChildCount(parent, 3);
    tree.ToggleExpanded(parent);
  }
  PDataNode parent = nullptr;
};

TEST_F(DeletionTest, SelectedNodeRemovedInsideUpdateStaysFlaggedUntilItsEnd) {
  const PDataNode child = parent->FirstChild;
  Include(tree, toMultiSelect);
  tree.SetNodeSelected(child, true);
  tree.SetNodeSelected(parent->LastChild, true);
  tree.BeginUpdate();
  tree.RemoveNode(child);
  EXPECT_EQ(tree.SelectionCount(), 1);
  EXPECT_EQ(tree.Selection().size(), 2u);
  CheckTree(tree);
  tree.EndUpdate();
  EXPECT_EQ(tree.Selection().size(), 1u);
  CheckTree(tree);
}

TEST_F(DeletionTest, ClearLeavesAnEmptyTreeAsHighAsANewOne) {
  tree.SetFocusedNode(parent->FirstChild);
  tree.Clear();
  EXPECT_EQ(tree.FirstRootNode(), nullptr);
  EXPECT_EQ(tree.OffsetX(), 0);
  EXPECT_EQ(tree.OffsetY(), 0);
  EXPECT_EQ(tree.RootNodeCount(), 0u);
  EXPECT_EQ(tree.RootNode()->TotalHeight, tree.DefaultNodeHeight());
  EXPECT_EQ(tree.NodePool().LiveCount(), 0u);
  EXPECT_EQ(tree.NodePool().ReservedBytes(), 0u) << "the pool gives its memory back";
  CheckTree(tree);
  tree.SetRootNodeCount(2);
  CheckTree(tree);
}

TEST_F(DeletionTest, DeletingTheFocusedNodeTellsAndForgetsIt) {
  std::vector<PDataNode> told;
  tree.OnFocusChanged = [&](TBaseDataTree*, PDataNode node, TColumnIndex) { told.push_back(node); };
  tree.SetFocusedNode(parent->LastChild);
  told.clear();
  tree.RemoveNode(parent->LastChild);
  EXPECT_EQ(told, std::vector<PDataNode>{nullptr});
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  CheckTree(tree);
  tree.SetFocusedNode(parent->LastChild);
  told.clear();
  tree.RemoveNode(parent);
  EXPECT_EQ(told, std::vector<PDataNode>{nullptr}) << "deleted with its parent";
  EXPECT_EQ(tree.FocusedNode(), nullptr);
  CheckTree(tree);
}

TEST_F(DeletionTest, FreedNodeLeavesNoReferenceBehind) {
  const PDataNode child = parent->FirstChild;
  tree.BeginUpdate();
  tree.SetNodeSelected(child, true);
  tree.EndUpdate();
  EXPECT_EQ(tree.LastChangedNode(), nullptr);
  tree.BeginUpdate();
  tree.SetNodeSelected(child, false);
  EXPECT_EQ(tree.LastChangedNode(), child);
  tree.RemoveNode(child);
  EXPECT_EQ(tree.LastChangedNode(), nullptr) << "the pending change no longer names a freed node";
  tree.EndUpdate();
  CheckTree(tree);
}

TEST_F(DeletionTest, NoDeletionWhileIterating) {
  tree.ChangeTreeStates({tsIterating}, {});
  EXPECT_TRUE(ThrowsTreeError([&] { tree.RemoveChildNodes(parent); },
                              "Deleting nodes during tree iteration leads to invalid pointers."));
  EXPECT_TRUE(ThrowsTreeError([&] { tree.RemoveNode(parent); },
                              "Deleting nodes during tree iteration leads to invalid pointers."));
  tree.ChangeTreeStates({}, {tsIterating});
  CheckTree(tree);
}

TEST_F(DeletionTest, ChildCountChangesTellWhatHappened) {
  const PDataNode node = parent->NextSibling;
  tree.SetNodeChildCount(node, 5);
  std::vector<std::pair<PDataNode, TChangeReason>> told;
  tree.OnStructureChange = [&](TBaseDataTree*, PDataNode changed, TChangeReason reason) {
    told.emplace_back(changed, reason);
  };
  tree.SetNodeChildCount(node, 2);
  ASSERT_FALSE(told.empty());
  for (const auto& [changed, reason] : told) {
    EXPECT_EQ(changed, node);
    EXPECT_EQ(reason, crChildDeleted);
  }
  told.clear();
  tree.SetNodeChildCount(node, 5);
  EXPECT_EQ(told, (std::vector<std::pair<PDataNode, TChangeReason>>{{node, crChildAdded}}));
  CheckTree(tree);
}

TEST_F(DeletionTest, RemoveSelectedNodesKeepsNoDescendantTwice) {
  Include(tree, toMultiSelect);
  tree.SetNodeSelected(parent, true);
  tree.SetNodeSelected(parent->FirstChild, true);
  tree.SetNodeSelected(parent->NextSibling->NextSibling, true);
  tree.RemoveSelectedNodes();
  EXPECT_EQ(tree.RootNodeCount(), 2u);
  EXPECT_EQ(tree.SelectionCount(), 0);
  CheckTree(tree);
}

}  // namespace

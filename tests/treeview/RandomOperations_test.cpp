// Seeded runs of random operations on small trees, with CheckTree after
// every operation: whatever order of appends, removals, toggles, lazy
// children, height changes and update brackets, the counters stay exact.

#include <random>

#include <gtest/gtest.h>

#include "tests/treeview/TreeTestSupport.h"

namespace {

class TRandomRun {
public:
  explicit TRandomRun(unsigned seed) : random_(seed) {
    tree_.TreeOptions().SelectionOptions.Include(toMultiSelect);
    // Nodes of the first levels may bring children of their own when first used.
    tree_.OnInitNode = [this](TBaseDataTree* sender, PDataNode, PDataNode node, TDataNodeInitStates& states) {
      if (sender->NodeLevel(node) < 2 && Chance(3)) states.Include(ivsHasChildren);
      if (Chance(10)) states.Include(ivsExpanded);
    };
    tree_.OnInitChildren = [this](TBaseDataTree*, PDataNode, unsigned& count) { count = Number(0, 3); };
  }

  // The step of the first fault, or -1.
  std::string Run(int steps) {
    for (int step = 0; step < steps; ++step) {
      const std::string operation = Step();
      const std::string fault = TreeFaults(tree_);
      if (!fault.empty()) return "step " + std::to_string(step) + " (" + operation + "): " + fault;
    }
    while (tree_.UpdateCount() > 0) tree_.EndUpdate();
    return TreeFaults(tree_);
  }

private:
  unsigned Number(unsigned low, unsigned high) { return std::uniform_int_distribution<unsigned>(low, high)(random_); }
  bool Chance(unsigned oneIn) { return Number(1, oneIn) == 1; }

  PDataNode AnyNode(bool allowNil) {
    const std::vector<PDataNode> nodes = AllNodes(tree_);
    if (nodes.empty() || (allowNil && Chance(5))) return nullptr;
    return nodes[Number(0, static_cast<unsigned>(nodes.size() - 1))];
  }

  std::string Step() {
    const bool large = tree_.RootNode()->TotalCount > 80;
    switch (Number(0, 15)) {
      case 0:
      case 1:
        if (large) break;
        tree_.AppendChildNode(AnyNode(true));
        return "append";
      case 2: {
        if (large) break;
        const PDataNode destination = AnyNode(false);
        const auto mode = static_cast<TDTNodeAttachMode>(Number(1, 4));
        if (!destination && mode < amAddChildFirst) break;
        tree_.LinkHiddenNode(destination, mode);
        return "link hidden";
      }
      case 3:
        tree_.SetRootNodeCount(Number(0, large ? 3 : 8));
        return "root count";
      case 4:
        if (const PDataNode node = AnyNode(false)) tree_.SetNodeChildCount(node, Number(0, large ? 1 : 4));
        return "child count";
      case 5:
      case 6:
        tree_.RemoveNode(AnyNode(false));
        return "remove";
      case 7:
        if (Chance(4)) tree_.Clear();
        return "clear";
      case 8:
      case 9:
        if (const PDataNode node = AnyNode(false)) tree_.ToggleExpanded(node);
        return "toggle";
      case 10:
        if (Chance(2))
          tree_.ReinitializeNode(AnyNode(true), Chance(2));
        else
          tree_.ResetNodeChildren(AnyNode(false));
        return "reinitialise or reset";
      case 11:
        tree_.SetNodeRowHeight(AnyNode(false), Number(10, 40));
        tree_.SetDefaultNodeHeight(Number(10, 40));
        return "heights";
      case 12:
        if (tree_.UpdateCount() < 3 && Chance(2)) {
          tree_.BeginUpdate();
          return "begin update";
        }
        if (tree_.UpdateCount() > 0) tree_.EndUpdate();
        return "end update";
      case 13:
        tree_.SetNodeSelected(AnyNode(false), Chance(3) ? false : true);
        return "select";
      case 14:
        tree_.SetFocusedNode(AnyNode(true));
        return "focus";
      case 15:
        if (Chance(3)) tree_.RemoveSelectedNodes();
        else if (const PDataNode node = AnyNode(true)) tree_.ExpandAll(node);
        else tree_.CollapseAll(nullptr);
        return "bulk";
    }
    return "nothing";
  }

  std::mt19937 random_;
  TTestTree tree_;
};

TEST(RandomOperationsTest, CountersStayExact) {
  for (unsigned seed : {1u, 7u, 42u, 1234u, 99991u}) {
    TRandomRun run(seed);
    EXPECT_EQ(run.Run(600), "") << "seed " << seed;
  }
}

}  // namespace

// Seeded runs of random operations on small trees, with CheckTree after
// every operation: whatever order of appends, removals, toggles, lazy
// children, height changes, update brackets, moves within and between two
// trees and save/load round trips, the counters stay exact.

#include <random>

#include <gtest/gtest.h>

#include "runtime/Stream.h"
#include "tests/treeview/TreeTestSupport.h"
#include "toolkit/controls/Form.h"

namespace {

class TRandomRun {
public:
  explicit TRandomRun(unsigned seed) : random_(seed) {
    Include(tree_, toMultiSelect);
    // Nodes of the first levels may bring children of their own when first used.
    tree_.OnInitNode = [this](TBaseDataTree* sender, PDataNode, PDataNode node, TDataNodeInitStates& states) {
      if (sender->NodeLevel(node) < 2 && Chance(3)) states.Include(ivsHasChildren);
      if (Chance(10)) states.Include(ivsExpanded);
    };
    tree_.OnInitChildren = [this](TBaseDataTree*, PDataNode, unsigned& count) { count = Number(0, 3); };
    // An order with many equal keys, so stability matters.
    tree_.OnCompareNodes = [](TBaseDataTree*, PDataNode node1, PDataNode node2, TColumnIndex, int& result) {
      result = static_cast<int>(node1->NodeHeight % 3) - static_cast<int>(node2->NodeHeight % 3);
    };
  }

  // The tree gets a window of its own on a form.
  void ShowInWindow(TForm& form) {
    tree_.SetParent(&form);
    tree_.SetBounds(0, 0, 160, 120);
    tree_.HandleNeeded();
  }

  ~TRandomRun() { tree_.SetParent(nullptr); }

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
    switch (Number(0, 21)) {
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
      case 16:
      case 17: {
        const PDataNode end = AnyNode(false);
        if (!end || !tree_.NodeFullyShown(end)) break;
        const unsigned kind = Number(0, 2);
        if (kind == 0) tree_.SelectRange(AnyNode(true), end, Chance(2));
        if (kind == 1) tree_.ToggleRange(AnyNode(true), end);
        if (kind == 2) tree_.DeselectRange(AnyNode(true), end);
        return "range";
      }
      case 18:
        if (Chance(2))
          tree_.SortWholeTree(ColumnNone, Chance(2) ? sdAscending : sdDescending, Chance(2));
        else
          tree_.SortChildren(AnyNode(true), ColumnNone, sdDescending, true);
        return "sort";
      case 19:
        if (Chance(2))
          tree_.SelectAllNodes(Chance(2));
        else
          tree_.UnselectAll();
        return "select all";
      case 20: {
        const PDataNode source = AnyNode(false);
        if (!source) break;
        const auto mode = static_cast<TDTNodeAttachMode>(Number(1, 4));
        if (Chance(3)) {
          const std::vector<PDataNode> targets = AllNodes(other_);
          tree_.MoveNodeTo(source, targets.empty() ? other_.RootNode() : targets[Number(0, static_cast<unsigned>(targets.size() - 1))],
                           mode, Chance(3));
          if (other_.RootNode()->TotalCount > 60) other_.Clear();
          const std::string fault = TreeFaults(other_);
          return fault.empty() ? "move to the other tree" : "move to the other tree, which has: " + fault;
        }
        const PDataNode target = AnyNode(true);
        if (target && (target == source || tree_.IsDescendantOf(target, source))) break;
        tree_.MoveNodeTo(source, target, mode, Chance(4));
        return "move";
      }
      case 21: {
        TMemoryStream stream;
        tree_.SaveTreeToStream(stream, Chance(4) ? AnyNode(false) : nullptr);
        stream.SetPosition(0);
        tree_.LoadTreeFromStream(stream);
        return "save and load";
      }
    }
    return "nothing";
  }

  std::mt19937 random_;
  TTestTree tree_;
  TTestTree other_;
};

TEST(RandomOperationsTest, CountersStayExact) {
  for (unsigned seed : {1u, 7u, 42u, 1234u, 99991u}) {
    TRandomRun run(seed);
    EXPECT_EQ(run.Run(600), "") << "seed " << seed;
  }
}

TEST(RandomOperationsTest, CountersAndGeometryStayExactInAWindow) {
  for (unsigned seed : {3u, 77u, 2024u}) {
    TForm form(nullptr);
    TRandomRun run(seed);
    run.ShowInWindow(form);
    EXPECT_EQ(run.Run(500), "") << "seed " << seed;
  }
}

}  // namespace

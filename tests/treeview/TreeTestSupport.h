#pragma once
// The tree tests' tools: a tree that opens its internals to the tests,
// CheckTree, which recomputes everything the tree keeps by brute force from
// the raw links, and the fake clock with a pump for due timers and posted
// messages.

#include <cstdint>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/win/Clock.h"
#include "toolkit/win/MessageQueue.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeRoutines.h"

// A tree whose protected operations the tests call.
class TTestTree : public TBaseDataTree {
public:
  explicit TTestTree(TComponent* owner = nullptr) : TBaseDataTree(owner) {}

  using TBaseDataTree::AllocateNode;
  using TBaseDataTree::ChangeTreeStates;
  using TBaseDataTree::CompactNodeArray;
  using TBaseDataTree::CountShownDescendants;
  using TBaseDataTree::DeselectNode;
  using TBaseDataTree::FireChecking;
  using TBaseDataTree::FireCompareNodes;
  using TBaseDataTree::FireDragAllowed;
  using TBaseDataTree::FireExpanding;
  using TBaseDataTree::FireCollapsing;
  using TBaseDataTree::FireFocusChanging;
  using TBaseDataTree::FireFreeNode;
  using TBaseDataTree::FireGetCellIsEmpty;
  using TBaseDataTree::FireGetImageIndex;
  using TBaseDataTree::FireGetNodeDataSize;
  using TBaseDataTree::FireIncrementalSearch;
  using TBaseDataTree::FindPopupMenu;
  using TBaseDataTree::FireKeyAction;
  using TBaseDataTree::FlagDeselected;
  using TBaseDataTree::FocusNode;
  using TBaseDataTree::LevelDifference;
  using TBaseDataTree::Loaded;
  using TBaseDataTree::LinkNode;
  using TBaseDataTree::MergeIntoSelection;
  using TBaseDataTree::NodeHasPopupMenu;
  using TBaseDataTree::ReserveInternalData;
  using TBaseDataTree::SelectNode;
  using TBaseDataTree::SelectNodeArray;
  using TBaseDataTree::UnlinkNode;
  using TBaseDataTree::TrackHotNode;
  using TBaseDataTree::PropagateCheckState;

  // A new node, not yet shown, linked at the place the mode names.
  PDataNode LinkHiddenNode(PDataNode destination, TDTNodeAttachMode mode) {
    const PDataNode node = AllocateNode();
    node->Exclude(nsVisible);
    LinkNode(node, destination, *this, mode);
    return node;
  }
};

// Adds one option to the tree's options through their setters.
inline void Include(TBaseDataTree& tree, TDTPaintOption option) {
  tree.TreeOptions().SetPaintOptions(tree.TreeOptions().PaintOptions() + TDTPaintOptions{option});
}
inline void Include(TBaseDataTree& tree, TDTAnimationOption option) {
  tree.TreeOptions().SetAnimationOptions(tree.TreeOptions().AnimationOptions() + TDTAnimationOptions{option});
}
inline void Include(TBaseDataTree& tree, TDTAutoOption option) {
  tree.TreeOptions().SetAutoOptions(tree.TreeOptions().AutoOptions() + TDTAutoOptions{option});
}
inline void Include(TBaseDataTree& tree, TDTSelectionOption option) {
  tree.TreeOptions().SetSelectionOptions(tree.TreeOptions().SelectionOptions() + TDTSelectionOptions{option});
}
inline void Include(TBaseDataTree& tree, TDTMiscOption option) {
  tree.TreeOptions().SetMiscOptions(tree.TreeOptions().MiscOptions() + TDTMiscOptions{option});
}

// Every node below the root in tree order, from the raw links.
inline std::vector<PDataNode> AllNodes(const TBaseDataTree& tree) {
  std::vector<PDataNode> nodes;
  std::vector<PDataNode> pending;
  for (PDataNode child = tree.RootNode()->LastChild; child; child = child->PrevSibling) pending.push_back(child);
  while (!pending.empty()) {
    const PDataNode node = pending.back();
    pending.pop_back();
    nodes.push_back(node);
    for (PDataNode child = node->LastChild; child; child = child->PrevSibling) pending.push_back(child);
  }
  return nodes;
}

// Puts the tree without a border into the parent at 200 x Height, makes
// its window and gives it Count root nodes; answers every node.
inline std::vector<PDataNode> PlaceTree(TWinControl& parent, TBaseDataTree& tree, int height, unsigned count) {
  tree.SetBorderStyle(bsNone);
  tree.SetParent(&parent);
  tree.SetBounds(0, 0, 200, height);
  tree.HandleNeeded();
  tree.SetRootNodeCount(count);
  return AllNodes(tree);
}

struct TShownRow {
  PDataNode Node;
  int Top;
};

// The rows scrolling can bring into view, top to bottom, by brute force.
inline std::vector<TShownRow> ShownRows(const TBaseDataTree& tree) {
  std::vector<TShownRow> rows;
  int top = 0;
  auto walk = [&](auto& self, PDataNode parent) -> void {
    for (PDataNode child = parent->FirstChild; child; child = child->NextSibling) {
      if (!child->Has(nsVisible)) continue;
      rows.push_back({child, top});
      top += child->NodeHeight;
      if (child->Has(nsExpanded)) self(self, child);
    }
  };
  walk(walk, tree.RootNode());
  return rows;
}

namespace tree_check {

inline std::string Describe(const std::string& what, PDataNode node) {
  std::ostringstream text;
  text << what << " (node " << static_cast<const void*>(node) << ")";
  return text.str();
}

// The first fault in the links and counters below the node, or "".
inline std::string LinkFaults(const TBaseDataTree& tree, PDataNode node, bool insideUpdate) {
  const PDataNode root = tree.RootNode();
  uint32_t count = 0;
  uint64_t totalCount = 1;
  uint64_t shownHeight = 0;
  bool anyVisibleChild = false;
  PDataNode previous = nullptr;
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) {
    if (child->Parent != node) return Describe("child's Parent is not its parent", child);
    if (child->PrevSibling != previous) return Describe("PrevSibling is not the previous sibling", child);
    if (child->Index != count) return Describe("Index is not the position among siblings", child);
    if (child->Has(nsDeleting | nsClearing | nsToggling | nsChecking))
      return Describe("a transient flag is left set", child);
    if (TreeOfNode(child) != &tree) return Describe("TreeOfNode does not find the tree", child);
    const std::string below = LinkFaults(tree, child, insideUpdate);
    if (!below.empty()) return below;
    ++count;
    totalCount += child->TotalCount;
    if (child->Has(nsVisible)) {
      shownHeight += child->TotalHeight;
      anyVisibleChild = true;
    }
    previous = child;
  }
  if (node->LastChild != previous) return Describe("LastChild is not the last child", node);
  if (node->ChildCount != count) return Describe("ChildCount differs from the children", node);
  if (node->TotalCount != totalCount) return Describe("TotalCount differs from the subtree", node);
  const uint64_t height = node->NodeHeight + (node->Has(nsExpanded) ? shownHeight : 0);
  if (node->TotalHeight != height) return Describe("TotalHeight differs from the shown rows", node);
  if (count > 0 && !node->Has(nsHasChildren)) return Describe("children without nsHasChildren", node);
  if (node != root && count > 0 && !insideUpdate && node->Has(nsAllChildrenHidden) == anyVisibleChild)
    return Describe("nsAllChildrenHidden differs from the children", node);
  if (node != root && node->Has(nsExpanded) && count == 0) return Describe("expanded without children", node);
  return "";
}

inline bool FullyShown(const TBaseDataTree& tree, PDataNode node) {
  if (!node->Has(nsVisible)) return false;
  for (PDataNode run = node->Parent; run != tree.RootNode(); run = run->Parent)
    if (!run->Has(nsVisible) || !run->Has(nsExpanded)) return false;
  return true;
}

inline std::string SelectionFaults(const TBaseDataTree& tree, const TNodeArray& selection,
                                   const std::vector<PDataNode>& nodes, bool insideUpdate) {
  std::set<PDataNode> selected;
  for (PDataNode node : nodes)
    if (node->Has(nsSelected)) selected.insert(node);
  std::set<PDataNode> listed;
  uintptr_t last = 0;
  for (PDataNode entry : selection) {
    const auto value = reinterpret_cast<uintptr_t>(entry);
    if (value & 1) {
      if (!insideUpdate) return "a flagged selection entry outside an update";
      continue;
    }
    if (value <= last) return "selection entries are not strictly ascending";
    last = value;
    listed.insert(entry);
  }
  if (listed != selected) return "the selection differs from the nodes with nsSelected";
  if (static_cast<int>(listed.size()) != tree.SelectionCount()) return "SelectionCount differs from the selection";
  return "";
}

inline std::string ReferenceFaults(const TBaseDataTree& tree, const std::vector<PDataNode>& nodes) {
  const std::set<PDataNode> live(nodes.begin(), nodes.end());
  const std::map<std::string, PDataNode> references{
      {"FocusedNode", tree.FocusedNode()},         {"RangeAnchor", tree.RangeAnchor()},
      {"CurrentHotNode", tree.CurrentHotNode()},   {"DropTargetNode", tree.DropTargetNode()},
      {"PressedCheckNode", tree.PressedCheckNode()}, {"LastSearchNode", tree.LastSearchNode()},
      {"LastChangedNode", tree.LastChangedNode()}, {"LastStructureChangeNode", tree.LastStructureChangeNode()}};
  for (const auto& [name, node] : references)
    if (node && !live.contains(node)) return name + " refers to no live node of the tree";
  return "";
}

// NodeAtPosition and the row tops against the brute-force rows.
inline std::string PositionFaults(TBaseDataTree& tree) {
  const std::vector<TShownRow> rows = ShownRows(tree);
  const int end = rows.empty() ? 0 : rows.back().Top + rows.back().Node->NodeHeight;
  size_t row = 0;
  const int step = end > 4000 ? end / 997 + 1 : 1;
  for (int y = -5; y < end + 5; y += step) {
    while (row < rows.size() && y >= rows[row].Top + rows[row].Node->NodeHeight) ++row;
    const bool onRow = !rows.empty() && y < end;
    const PDataNode expected = onRow ? rows[y < 0 ? 0 : row].Node : nullptr;
    int top = -12345;
    const PDataNode found = tree.NodeAtPosition(0, y, false, top);
    if (found != expected) return "NodeAtPosition(" + std::to_string(y) + ") finds the wrong row";
    if (onRow && top != rows[y < 0 ? 0 : row].Top) return "NodeAtPosition(" + std::to_string(y) + ") gives a wrong top";
    if (!found && top != -12345) return "NodeAtPosition past the end changed NodeTop";
  }
  for (size_t i = 0; i < rows.size(); i += rows.size() > 300 ? rows.size() / 97 : 1) {
    int top = -1;
    if (!tree.NodeRowTop(rows[i].Node, top) || top != rows[i].Top)
      return "NodeRowTop of row " + std::to_string(i) + " is wrong";
  }
  return "";
}

// Ranges, offsets and display rectangles against the brute-force rows.
inline std::string GeometryFaults(TBaseDataTree& tree) {
  const PDataNode root = tree.RootNode();
  if (tree.FocusedNode() == root) return "the root is focused";
  if (tree.RangeY() != static_cast<int>(root->TotalHeight - root->NodeHeight + tree.BottomSpace()))
    return "RangeY differs from the rows and BottomSpace";
  if (tree.UpdateCount() == 0) {
    if (tree.OffsetY() > 0 || (tree.OffsetY() < 0 && tree.OffsetY() < tree.ClientHeight() - tree.RangeY()))
      return "OffsetY lies outside its range";
    if (tree.OffsetX() > 0 || (tree.OffsetX() < 0 && tree.OffsetX() < tree.ClientWidth() - tree.RangeX()))
      return "OffsetX lies outside its range";
  }
  // Only initialised nodes: the rectangle initialises a node, which may change the rows.
  const std::vector<TShownRow> rows = ShownRows(tree);
  for (size_t i = 0; i < rows.size(); i += rows.size() > 200 ? rows.size() / 53 : 1) {
    if (!rows[i].Node->Has(nsInitialized)) continue;
    const TRect r = tree.NodeDisplayRect(rows[i].Node, ColumnNone, false);
    if (r.Top != rows[i].Top + tree.OffsetY() || r.Height() != rows[i].Node->NodeHeight)
      return "NodeDisplayRect of row " + std::to_string(i) + " is not where the rows above end";
  }
  for (PDataNode node : AllNodes(tree))
    if (node->Has(nsInitialized) && !FullyShown(tree, node) && tree.NodeDisplayRect(node, ColumnNone, false).Height() > 0)
      return Describe("a node not shown has a display rectangle", node);
  return "";
}

// The position array is a permutation, each column knows its position and
// its Left is the width of the visible columns before it.
inline std::string ColumnFaults(const TDataTreeColumns& columns) {
  const std::vector<TColumnIndex>& positions = columns.PositionToIndex();
  if (static_cast<int>(positions.size()) != columns.Count()) return "the position array has not Count entries";
  std::set<TColumnIndex> seen(positions.begin(), positions.end());
  if (static_cast<int>(seen.size()) != columns.Count() || (!seen.empty() && (*seen.begin() != 0 || *seen.rbegin() != columns.Count() - 1)))
    return "the position array is not a permutation of the indexes";
  int left = 0;
  for (int position = 0; position < columns.Count(); ++position) {
    const TDataTreeColumn& column = columns.ColumnAt(positions[static_cast<size_t>(position)]);
    if (column.Position() != position) return "column " + std::to_string(column.Index()) + " has a wrong Position";
    if (column.Left() != left) return "column " + std::to_string(column.Index()) + " has a wrong Left";
    if (column.Visible()) left += column.Width();
  }
  return "";
}

}  // namespace tree_check

// The first fault of the tree, recomputed from its raw links, or "".
inline std::string TreeFaults(TBaseDataTree& tree) {
  using namespace tree_check;
  const PDataNode root = tree.RootNode();
  if (root->PrevSibling != root || root->NextSibling != root) return "the root's sibling links are not itself";
  if (reinterpret_cast<TBaseDataTree*>(root->Parent) != &tree) return "the root's Parent is not the tree";
  const bool insideUpdate = tree.UpdateCount() > 0;
  std::string fault = LinkFaults(tree, root, insideUpdate);
  if (!fault.empty()) return fault;
  const std::vector<PDataNode> nodes = AllNodes(tree);
  unsigned shown = 0;
  for (PDataNode node : nodes) shown += FullyShown(tree, node) ? 1 : 0;
  if (tree.VisibleCount() != shown) return "VisibleCount differs from the fully shown nodes";
  if (!(fault = SelectionFaults(tree, tree.Selection(), nodes, insideUpdate)).empty())
    return fault;
  if (!(fault = ReferenceFaults(tree, nodes)).empty()) return fault;
  if (tree.TreeStates().Contains(tsCheckPropagation)) return "tsCheckPropagation is set outside a check change";
  const bool checkPending = tree.TreeStates().Contains(tsMouseCheckPending) || tree.TreeStates().Contains(tsKeyCheckPending);
  if (tree.PressedCheckNode() && !checkPending) return "a pressed check node while no check is pending";
  if (!(fault = GeometryFaults(tree)).empty()) return fault;
  if (!(fault = ColumnFaults(tree.Header().Columns())).empty()) return fault;
  return PositionFaults(tree);
}

inline void CheckTree(TBaseDataTree& tree) { EXPECT_EQ(TreeFaults(tree), ""); }

// Installs a fake clock for the test's life.
class TFakeClockScope {
public:
  TFakeClockScope() { SetClock(&Clock); }
  ~TFakeClockScope() { SetClock(nullptr); }

  // Advances the clock and dispatches the timers that fell due and the posted messages.
  void AdvanceAndDispatch(uint64_t milliseconds) {
    Clock.Advance(milliseconds);
    MSG message;
    while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(message);
  }

  TFakeClock Clock;
};

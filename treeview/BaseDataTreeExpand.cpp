// Expanding and collapsing nodes, with their events and counters.

#include <vector>

#include "runtime/Exceptions.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DataTreeOptions.h"

void TBaseDataTree::ToggleExpanded(PDataNode node) {
  QASSERT(node != nullptr, "Node must not be nil.");
  if (node->Has(nsDeleting | nsToggling)) return;
  node->Include(nsToggling);
  const PDataNode topRow = updateCount_ == 0 && HandleAllocated() ? TopVisibleNode() : nullptr;
  bool allowed;
  try {
    if (node->Has(nsExpanded)) {
      allowed = FireCollapsing(node);
      if (allowed) CollapseNode(node);
    } else {
      allowed = FireExpanding(node);
      if (allowed) ExpandNode(node);
    }
  } catch (...) {
    node->Exclude(nsToggling);
    throw;
  }
  node->Exclude(nsToggling);
  if (!allowed) return;
  InvalidatePositionCache(node);
  if (updateCount_ > 0) return;
  if (node->ChildCount > 0) RefreshScrollBars(true);
  if (!HandleAllocated()) return;
  if (node->ChildCount == 0) {
    RepaintNode(node);
    return;
  }
  if (node->Has(nsExpanded) && options_->AutoOptions().Contains(toAutoScrollOnExpand)) {
    if (node->TotalHeight > static_cast<unsigned>(ClientHeight()))
      ScrollNodeToTop(node);
    else
      ScrollNodeIntoView(node->LastChild, options_->SelectionOptions().Contains(toCenterScrollIntoView));
  }
  if (TopVisibleNode() == topRow)
    RepaintFromNodeDown(node);
  else
    Invalidate();
}

bool TBaseDataTree::ToggleAnimates(PDataNode node, bool expand) {
  if (updateCount_ > 0 || !HandleAllocated() || !options_->AnimationOptions().Contains(toAnimatedToggle)) return false;
  if (!expand) return !states_.Contains(tsCollapsing);
  if (states_.Contains(tsPainting) || states_.Contains(tsExpanding) || !NextShownRow(node)) return false;
  const TRect row = NodeDisplayRect(node, ColumnNone, false);
  return row.Bottom > row.Top && row.Top >= 0 && row.Top < ClientHeight();
}

void TBaseDataTree::CollapseNode(PDataNode node) {
  if (ToggleAnimates(node, false)) AnimateToggle(node, false, node->TotalHeight - node->NodeHeight);
  if (NodeFullyShown(node)) visibleCount_ -= CountShownDescendants(node);
  ShiftTotalHeight(node, node->NodeHeight, false);
  node->Exclude(nsExpanded);
  FireCollapsed(node);
  if (options_->AutoOptions().Contains(toAutoFreeOnCollapse) && node->ChildCount > 0) {
    RemoveChildNodes(node, false);
    node->Include(nsHasChildren);
  }
}

void TBaseDataTree::ExpandNode(PDataNode node) {
  Initialized(node);
  if (node->Has(nsHasChildren) && node->ChildCount == 0) InitNodeChildren(node);
  if (node->ChildCount == 0) return;
  int64_t heightDelta = 0;
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling)
    if (child->Has(nsVisible)) heightDelta += child->TotalHeight;
  if (ToggleAnimates(node, true)) AnimateToggle(node, true, static_cast<unsigned>(heightDelta));
  node->Include(nsExpanded);
  ShiftTotalHeight(node, heightDelta);
  if (NodeFullyShown(node)) visibleCount_ += CountShownDescendants(node);
  FireExpanded(node);
}

void TBaseDataTree::SetNodeExpanded(PDataNode node, bool expanded) {
  if (!node || node == root_ || node->Has(nsExpanded) == expanded) return;
  ToggleExpanded(node);
}

void TBaseDataTree::ExpandAll(PDataNode node) {
  if (root_->TotalCount < 2) return;
  PDataNode stop = nullptr;
  if (node && node != root_) {
    stop = NextNodeAfterSubtree(node);
  } else {
    node = root_->FirstChild;
  }
  ChangeTreeStates({tsExpanding}, {});
  BeginUpdate();
  try {
    Initialized(node);
    for (PDataNode run = node; run && run != stop; run = NextNodeInOrder(run))
      if (!run->Has(nsExpanded)) ToggleExpanded(run);
  } catch (...) {
    EndUpdate();
    ChangeTreeStates({}, {tsExpanding});
    throw;
  }
  EndUpdate();
  ChangeTreeStates({}, {tsExpanding});
}

void TBaseDataTree::CollapseAll(PDataNode node) {
  if (root_->ChildCount == 0) return;
  if (node == root_) node = nullptr;
  ChangeTreeStates({tsCollapsing}, {});
  BeginUpdate();
  try {
    PDataNode run = LastVisibleNodeRaw(node);
    for (; run && run != node; run = PrevNodeInOrderRaw(run))
      if (run->Has(nsExpanded) && run->Has(nsHasChildren)) ToggleExpanded(run);
    if (node && node->Has(nsExpanded) && node->Has(nsHasChildren)) ToggleExpanded(node);
  } catch (...) {
    EndUpdate();
    ChangeTreeStates({}, {tsCollapsing});
    throw;
  }
  EndUpdate();
  ChangeTreeStates({}, {tsCollapsing});
}

PDataNode TBaseDataTree::NearestVisibleAncestor(PDataNode node) const {
  QASSERT(node != nullptr, "Node must not be nil.");
  if (node == root_) return root_;
  // The ancestors whose child rows are shown form a chain down from the
  // root: each is visible and expanded below one that is.
  std::vector<PDataNode> ancestors;
  for (PDataNode run = node->Parent; run != root_; run = run->Parent) ancestors.push_back(run);
  PDataNode nearest = root_;
  for (auto ancestor = ancestors.rbegin(); ancestor != ancestors.rend(); ++ancestor) {
    if (!(*ancestor)->Has(nsVisible) || !(*ancestor)->Has(nsExpanded)) break;
    nearest = *ancestor;
  }
  return nearest;
}

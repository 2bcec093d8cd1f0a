// Sorting siblings: a top-down merge sort on the NextSibling chain, stable
// in both directions, that allocates nothing and relinks in one pass.

#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"

PDataNode TBaseDataTree::SortRun(PDataNode& chain, unsigned count, const TSortOrder& order) {
  if (count < 2) {
    const PDataNode node = chain;
    chain = node->NextSibling;
    node->NextSibling = nullptr;
    return node;
  }
  PDataNode left = SortRun(chain, count / 2, order);
  PDataNode right = SortRun(chain, (count + 1) / 2, order);
  TDataNode head{};
  PDataNode tail = &head;
  while (left && right) {
    const int result = FireCompareNodes(left, right, order.Column);
    const bool takeRight = order.Direction == sdAscending ? result > 0 : result < 0;
    PDataNode& taken = takeRight ? right : left;
    tail->NextSibling = taken;
    tail = taken;
    taken = taken->NextSibling;
  }
  tail->NextSibling = left ? left : right;
  return head.NextSibling;
}

void TBaseDataTree::SortChildren(PDataNode node, TColumnIndex column, TSortDirection direction, bool doInit) {
  if (states_.Contains(tsEditPending)) {
    KillTreeTimer(EditTimer);
    ChangeTreeStates({}, {tsEditPending});
  }
  // A running edit is taken first; an editor that refuses keeps the order as it is.
  if (states_.Contains(tsEditing) && !FinishEditing()) return;
  node = NodeOrRoot(node);
  if (!node->Has(nsHasChildren)) return;
  if (doInit) {
    if (node->ChildCount == 0) InitNodeChildren(node);
    for (PDataNode child = node->FirstChild; child; child = child->NextSibling) Initialized(child);
  }
  if (node->ChildCount < 2) return;
  InvalidatePositionCache(node->FirstChild);
  PDataNode chain = node->FirstChild;
  node->FirstChild = SortRun(chain, node->ChildCount, {column, direction});
  PDataNode previous = nullptr;
  uint32_t index = 0;
  for (PDataNode run = node->FirstChild; run; run = run->NextSibling) {
    run->Index = index++;
    run->PrevSibling = previous;
    previous = run;
  }
  node->LastChild = previous;
  if (updateCount_ == 0 && HandleAllocated()) Invalidate();
}

void TBaseDataTree::SortSubtree(PDataNode node, TColumnIndex column, TSortDirection direction, bool doInit) {
  SortChildren(node, column, direction, doInit);
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) {
    if (doInit) Initialized(child);
    if (child->Has(nsInitialized)) SortSubtree(child, column, direction, doInit);
  }
}

void TBaseDataTree::SortWholeTree(TColumnIndex column, TSortDirection direction, bool doInit) {
  ++updateCount_;
  try {
    if (column >= ColumnNone) SortSubtree(root_, column, direction, doInit);
  } catch (...) {
    --updateCount_;
    throw;
  }
  InvalidatePositionCache();
  --updateCount_;
  if (updateCount_ == 0 && HandleAllocated()) Invalidate();
}

void TBaseDataTree::AutoSortChildren(PDataNode node) {
  if (updateCount_ > 0 || !options_->AutoOptions().Contains(toAutoSort) || header_->SortColumn() < ColumnNone)
    return;
  SortChildren(node, header_->SortColumn(), header_->SortDirection(), true);
}

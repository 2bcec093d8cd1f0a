// First-use initialisation of nodes and children, linking nodes in and out
// with every counter kept, and the release of a node.

#include "runtime/Exceptions.h"
#include "treeview/BaseDataTree.h"

void TBaseDataTree::RunNodeInit(PDataNode node) {
  node->Include(nsInitialized);
  TDataNodeInitStates initialStates;
  FireInitNode(node->Parent == root_ ? nullptr : node->Parent, node, initialStates);
  if (initialStates.Contains(ivsDisabled)) node->Include(nsDisabled);
  if (initialStates.Contains(ivsHasChildren)) node->Include(nsHasChildren);
  if (initialStates.Contains(ivsSelected)) SelectOneNode(node, false);
  if (initialStates.Contains(ivsMultiline)) node->Include(nsMultiline);
  if (node->Has(nsExpanded) == initialStates.Contains(ivsExpanded)) return;
  if (initialStates.Contains(ivsExpanded))
    ToggleExpanded(node);
  else if (node->Has(nsHasChildren))
    InitNodeChildren(node);
}

void TBaseDataTree::InitNodeChildren(PDataNode node) {
  if (!node || node == root_ || !node->Has(nsHasChildren)) return;
  unsigned count = node->ChildCount;
  FireInitChildren(node, count);
  if (count > 0) {
    SetNodeChildCount(node, count);
  } else {
    RemoveChildNodes(node, false);
    node->Exclude(nsHasChildren);
  }
}

void TBaseDataTree::LinkNode(PDataNode node, PDataNode destination, TBaseDataTree& target,
                             TDTNodeAttachMode mode) {
  node->Exclude(nsChecking | nsCutOrCopy | nsDeleting | nsClearing);
  if (mode == amNoWhere) return;
  if (!destination) destination = target.root_;
  PDataNode parent = nullptr;
  switch (mode) {
    case amInsertBefore:
      parent = destination->Parent;
      node->PrevSibling = destination->PrevSibling;
      node->NextSibling = destination;
      destination->PrevSibling = node;
      if (node->PrevSibling)
        node->PrevSibling->NextSibling = node;
      else
        parent->FirstChild = node;
      node->Index = destination->Index;
      for (PDataNode run = destination; run; run = run->NextSibling) ++run->Index;
      break;
    case amInsertAfter:
      parent = destination->Parent;
      node->NextSibling = destination->NextSibling;
      node->PrevSibling = destination;
      destination->NextSibling = node;
      if (node->NextSibling)
        node->NextSibling->PrevSibling = node;
      else
        parent->LastChild = node;
      node->Index = destination->Index;
      for (PDataNode run = node; run; run = run->NextSibling) ++run->Index;
      break;
    case amAddChildFirst:
      parent = destination;
      node->PrevSibling = nullptr;
      node->NextSibling = parent->FirstChild;
      if (parent->FirstChild)
        parent->FirstChild->PrevSibling = node;
      else
        parent->LastChild = node;
      parent->FirstChild = node;
      node->Index = 0;
      for (PDataNode run = node->NextSibling; run; run = run->NextSibling) ++run->Index;
      break;
    case amAddChildLast:
    default:
      parent = destination;
      node->NextSibling = nullptr;
      node->PrevSibling = parent->LastChild;
      if (parent->LastChild)
        parent->LastChild->NextSibling = node;
      else
        parent->FirstChild = node;
      parent->LastChild = node;
      node->Index = node->PrevSibling ? node->PrevSibling->Index + 1 : 0;
      break;
  }
  node->Parent = parent;
  ++parent->ChildCount;
  parent->Include(nsHasChildren);
  target.ShiftTotalCount(parent, node->TotalCount);
  if (parent->Has(nsExpanded) && node->Has(nsVisible)) target.ShiftTotalHeight(parent, node->TotalHeight);
  if (target.NodeFullyShown(node)) target.visibleCount_ += 1 + target.CountShownDescendants(node);
  if (parent != target.root_) {
    if (node->Has(nsVisible))
      parent->Exclude(nsAllChildrenHidden);
    else if (parent->ChildCount == 1)
      parent->Include(nsAllChildrenHidden);
  }
  target.InvalidatePositionCache(node);
}

void TBaseDataTree::UnlinkNode(PDataNode node, bool keepFocus, bool reindex) {
  QASSERT(node && node != root_, "Node must neither be nil nor the root node.");
  if (node == focusedNode_ && !keepFocus) {
    FocusNode(nullptr, false);
    FireFocusChanged(focusedNode_, focusedColumn_);
  }
  if (node == rangeAnchor_) ResetAnchor();
  const PDataNode parent = node->Parent;
  const bool tellsHiddenChildren = parent != root_ && !parent->Has(nsClearing);
  // Inside updates the flags are recomputed once, when the update ends.
  if (tellsHiddenChildren && updateCount_ > 0) states_.Include(tsUpdateHiddenChildrenNeeded);
  if (node->Has(nsDeleting)) return;

  InvalidatePositionCache(node);
  node->Exclude(nsChecking);
  // Counted while the node is still shown: the parent may collapse below.
  const unsigned shownRows = NodeFullyShown(node) ? 1 + CountShownDescendants(node) : 0;
  --parent->ChildCount;
  bool adjustHeight = parent->Has(nsExpanded) && node->Has(nsVisible);
  if (parent->ChildCount == 0) {
    parent->Exclude(nsHasChildren | nsAllChildrenHidden);
    if (parent != root_ && parent->Has(nsExpanded)) {
      parent->Exclude(nsExpanded);
      adjustHeight = node->Has(nsVisible);
    }
  }
  ShiftTotalCount(parent, -int64_t{node->TotalCount});
  if (adjustHeight) ShiftTotalHeight(parent, -int64_t{node->TotalHeight});
  visibleCount_ -= shownRows;

  if (node->PrevSibling)
    node->PrevSibling->NextSibling = node->NextSibling;
  else
    parent->FirstChild = node->NextSibling;
  if (node->NextSibling)
    node->NextSibling->PrevSibling = node->PrevSibling;
  else
    parent->LastChild = node->PrevSibling;
  if (reindex) {
    uint32_t index = node->Index;
    for (PDataNode run = node->NextSibling; run; run = run->NextSibling) run->Index = index++;
  }
  node->PrevSibling = nullptr;
  node->NextSibling = nullptr;
  // After the splice, so the flag tells the children that stay.
  if (tellsHiddenChildren && updateCount_ == 0) UpdateAllChildrenHidden(parent);
}

void TBaseDataTree::UpdateAllChildrenHidden(PDataNode node) {
  if (!node || node == root_) return;
  bool allHidden = true;
  if (node->ChildCount == 0) {
    allHidden = !node->Has(nsHasChildren);
  } else {
    for (PDataNode child = node->FirstChild; child && allHidden; child = child->NextSibling)
      allHidden = !child->Has(nsVisible);
  }
  if (allHidden)
    node->Include(nsAllChildrenHidden);
  else
    node->Exclude(nsAllChildrenHidden);
}

void TBaseDataTree::UpdateAllChildrenHiddenEverywhere() {
  for (PDataNode node = FirstRootNodeRaw(); node; node = NextNodeInOrderRaw(node)) UpdateAllChildrenHidden(node);
}

unsigned TBaseDataTree::CountShownDescendants(PDataNode node) const {
  if (!node->Has(nsExpanded)) return 0;
  unsigned count = 0;
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling)
    if (child->Has(nsVisible)) count += 1 + CountShownDescendants(child);
  return count;
}

int TBaseDataTree::LevelDifference(PDataNode node1, PDataNode node2) const {
  QASSERT(node1 && node2, "Both nodes must be Assigned.");
  return static_cast<int>(NodeLevel(node2)) - static_cast<int>(NodeLevel(node1));
}

void TBaseDataTree::ForgetNodeReferences(PDataNode node) {
  for (PDataNode* reference : {&focusedNode_, &rangeAnchor_, &currentHotNode_, &dropTargetNode_,
                               &pressedCheckNode_, &lastSearchNode_, &lastChangedNode_, &lastStructureChangeNode_})
    if (*reference == node) *reference = nullptr;
}

void TBaseDataTree::FireFreeNode(PDataNode node) {
  // No reference the tree keeps may outlive the node.
  ForgetNodeReferences(node);
  if (OnFreeNode && node->Has(nsInitialized | nsInitialUserData)) OnFreeNode(this, node);
  pool_.Release(node);
}

void TBaseDataTree::FlagCutCopySelection() {
  if (selectionLive_ == 0) return;
  for (PDataNode node : SortedSelection(false))
    if (!node->Has(nsDisabled)) node->Include(nsCutOrCopy);
}

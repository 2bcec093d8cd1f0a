// The node store: child counts, appending, deletion, update brackets and
// (re)initialisation of nodes and children.

#include <cstring>

#include "runtime/Exceptions.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DataTreeError.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"

namespace {

constexpr int UserDataTooSmallHelp = 2008;

// Runs work inside an update bracket that is closed also when the work throws.
template <class Work>
void InsideUpdate(TBaseDataTree& tree, Work work) {
  tree.BeginUpdate();
  try {
    work();
  } catch (...) {
    tree.EndUpdate();
    throw;
  }
  tree.EndUpdate();
}

}  // namespace

bool TBaseDataTree::BeingDestroyed() const { return destroying_ || IsDestroying(); }

bool TBaseDataTree::ReadOnly() const { return options_->MiscOptions().Contains(toReadOnly); }

void TBaseDataTree::SettleNodeDataSize() {
  if (nodeDataSize_ != -1) return;
  int size = 0;
  FireGetNodeDataSize(size);
  nodeDataSize_ = std::max(size, 0);
}

PDataNode TBaseDataTree::AppendChildNode(PDataNode parent, void* userData) {
  if (ReadOnly()) return nullptr;
  CancelNodeEdit();
  parent = NodeOrRoot(parent);
  if (!parent->Has(nsInitialized)) RunNodeInit(parent);
  // Checked before linking, so a refused pointer leaves no node behind.
  if (userData) {
    SettleNodeDataSize();
    if (nodeDataSize_ < static_cast<int>(sizeof userData))
      RaiseTreeError("Cannot set initial user data because there is not enough user data space allocated.",
                     UserDataTooSmallHelp);
  }
  ++updateCount_;
  SetNodeChildCount(parent, parent->ChildCount + 1);
  parent->Exclude(nsAllChildrenHidden);
  --updateCount_;
  const PDataNode node = parent->LastChild;
  if (userData) {
    std::memcpy(NodeUserData(node), &userData, sizeof userData);
    node->Include(nsInitialUserData);
  }
  if (updateCount_ == 0) {
    if (states_.Contains(tsStructureChangePending)) SignalStructureChange(parent == root_ ? nullptr : parent, crChildAdded);
    AutoSortChildren(parent);
    RepaintFromNodeDown(parent);
    RefreshScrollBars(true);
  }
  return node;
}

void TBaseDataTree::SetNodeChildCount(PDataNode node, unsigned newCount) {
  if (ReadOnly()) return;
  node = NodeOrRoot(node);
  if (newCount == 0) {
    RemoveChildNodes(node, false);
    return;
  }
  if (newCount == node->ChildCount) return;
  const bool shrinks = newCount < node->ChildCount;
  if (shrinks)
    RemoveLastChildren(node, node->ChildCount - newCount);
  else
    CreateChildren(node, newCount - node->ChildCount);
  AutoSortChildren(node);
  if (updateCount_ == 0) {
    RefreshScrollBars(true);
    if (HandleAllocated()) Invalidate();
  }
  SignalStructureChange(node == root_ ? nullptr : node, shrinks ? crChildDeleted : crChildAdded);
}

void TBaseDataTree::CreateChildren(PDataNode node, unsigned count) {
  uint32_t index = node->LastChild ? node->LastChild->Index + 1 : 0;
  if (!node->LastChild) node->Include(nsHasChildren);
  node->Exclude(nsAllChildrenHidden | nsHeightMeasured);
  int64_t heights = 0;
  PDataNode first = nullptr;
  for (unsigned i = 0; i < count; ++i) {
    const PDataNode child = AllocateNode();
    child->Index = index++;
    child->Parent = node;
    child->PrevSibling = node->LastChild;
    if (node->LastChild)
      node->LastChild->NextSibling = child;
    else
      node->FirstChild = child;
    node->LastChild = child;
    heights += child->TotalHeight;
    if (!first) first = child;
  }
  node->ChildCount += count;
  if (node->Has(nsExpanded)) {
    ShiftTotalHeight(node, heights);
    if (NodeFullyShown(node)) visibleCount_ += count;
  }
  ShiftTotalCount(node, count);
  InvalidatePositionCache(first);
}

void TBaseDataTree::RemoveLastChildren(PDataNode node, unsigned count) {
  for (unsigned i = 0; i < count; ++i) RemoveNode(node->LastChild, false);
}

void TBaseDataTree::RemoveChildNodes(PDataNode node, bool resetHasChildren) {
  node = NodeOrRoot(node);
  if (node->ChildCount == 0 && !node->FirstChild) return;
  if (ReadOnly()) return;
  QASSERT(!states_.Contains(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
  InvalidatePositionCache(node->FirstChild);
  ++updateCount_;
  const int oldOffsetX = offsetX_;
  const int oldOffsetY = offsetY_;
  const bool rowsShown = node == root_ || (node->Has(nsExpanded) && NodeFullyShown(node));
  node->Include(nsClearing);
  for (PDataNode child = node->LastChild; child;) {
    const PDataNode previous = child->PrevSibling;
    if (rowsShown && child->Has(nsVisible)) --visibleCount_;
    child->Include(nsDeleting);
    if (previous) previous->NextSibling = nullptr;
    RemoveNode(child, true);
    child = previous;
  }
  node->Exclude(nsClearing);
  if (resetHasChildren) node->Exclude(nsHasChildren);
  if (node != root_) node->Exclude(nsExpanded);
  node->ChildCount = 0;
  node->FirstChild = nullptr;
  node->LastChild = nullptr;
  if (node == root_ || node->Has(nsDeleting)) {
    // A cleared tree is as high as a new one; a node being deleted adjusts no ancestor.
    node->TotalHeight = node->NodeHeight;
    node->TotalCount = 1;
  } else {
    ShiftTotalHeight(node, node->NodeHeight, false);
    ShiftTotalCount(node, 1, false);
  }
  --updateCount_;
  if (updateCount_ == 0) {
    PackSelection();
    RefreshScrollBars(true);
    if (oldOffsetX != offsetX_ || oldOffsetY != offsetY_)
      Invalidate();
    else
      RepaintFromNodeDown(node);
  }
  SignalStructureChange(node == root_ ? nullptr : node, crChildDeleted);
}

void TBaseDataTree::RemoveNode(PDataNode node, bool reindex) {
  if (!node || node == root_ || ReadOnly()) return;
  QASSERT(!states_.Contains(tsIterating), "Deleting nodes during tree iteration leads to invalid pointers.");
  const PDataNode parent = node->Parent;
  const bool parentClearing = parent->Has(nsClearing);
  if (!parentClearing) {
    InvalidatePositionCache(node);
    SignalStructureChange(parent == root_ ? nullptr : parent, crChildDeleted);
  }
  const int oldOffsetX = offsetX_;
  const int oldOffsetY = offsetY_;
  if (node->Has(nsSelected) && updateCount_ == 0) {
    // The change of a removed selection is told at once, never delayed.
    const bool synchronous = states_.Contains(tsSynchMode);
    ChangeTreeStates({tsSynchMode}, {});
    DeselectNode(node);
    if (!synchronous) ChangeTreeStates({}, {tsSynchMode});
  } else if (node->Has(nsSelected)) {
    FlagDeselected(node);
  }
  RepaintFromNodeDown(parent);
  if (states_.Contains(tsHint)) ChangeTreeStates({}, {tsHint});
  RemoveChildNodes(node, false);
  UnlinkNode(node, false, reindex);
  FireFreeNode(node);
  if (!parentClearing) {
    UpdateAllChildrenHidden(parent);
    if (updateCount_ == 0) {
      RefreshScrollBars(true);
      if (oldOffsetX != offsetX_ || oldOffsetY != offsetY_) Invalidate();
    }
  }
}

void TBaseDataTree::RemoveSelectedNodes() {
  if (selectionLive_ == 0 || ReadOnly()) return;
  InsideUpdate(*this, [this] {
    const TNodeArray nodes = SortedSelection(true);
    for (size_t i = nodes.size() - 1; i > 0; --i) RemoveNode(nodes[i], nodes[i]->Parent != nodes[i - 1]->Parent);
    RemoveNode(nodes[0], true);
  });
}

void TBaseDataTree::Clear() {
  if (ReadOnly() && !BeingDestroyed()) return;
  InsideUpdate(*this, [this] {
    CancelNodeEdit();
    if (states_.Contains(tsCutPending) || states_.Contains(tsCopyPending)) {
      EmptyClipboard();
      ChangeTreeStates({}, {tsCutPending, tsCopyPending});
    }
    UnselectAll();
    focusedNode_ = nullptr;
    rangeAnchor_ = nullptr;
    currentHotNode_ = nullptr;
    dropTargetNode_ = nullptr;
    lastChangedNode_ = nullptr;
    lastStructureChangeNode_ = nullptr;
    pressedCheckNode_ = nullptr;
    lastSearchNode_ = nullptr;
    RemoveChildNodes(root_, true);
    visibleCount_ = 0;
    offsetX_ = 0;
    offsetY_ = 0;
  });
}

void TBaseDataTree::BeginUpdate() {
  if (!BeingDestroyed()) {
    if (updateCount_ == 0) {
      FireUpdating(usBegin);
      SetRedraw(true);
    } else {
      FireUpdating(usUpdate);
    }
  }
  ++updateCount_;
  ChangeTreeStates({tsUpdating}, {});
}

void TBaseDataTree::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  if (BeingDestroyed()) return;
  if (updateCount_ == 0 && states_.Contains(tsUpdating)) {
    if (states_.Contains(tsUpdateHiddenChildrenNeeded)) {
      UpdateAllChildrenHiddenEverywhere();
      ChangeTreeStates({}, {tsUpdateHiddenChildrenNeeded});
    }
    ChangeTreeStates({}, {tsUpdating});
    PackSelection();
    RefreshScrollBars(false);
    if (states_.Contains(tsStructureChangePending))
      FireStructureChange(lastStructureChangeNode_, lastStructureChangeReason_);
    if (states_.Contains(tsChangePending)) FireChange(lastChangedNode_);
    if (options_->AutoOptions().Contains(toAutoSort)) SortWholeTree(header_->SortColumn(), header_->SortDirection());
    SetRedraw(false);
    if (HandleAllocated()) Invalidate();
  }
  FireUpdating(updateCount_ == 0 ? usEnd : usUpdate);
}

void TBaseDataTree::SetNodeRowHeight(PDataNode node, unsigned height) {
  if (!node || node == root_ || ReadOnly()) return;
  if (height > 65535) throw ERangeError();
  if (height == node->NodeHeight) return;
  const int64_t difference = int64_t{height} - node->NodeHeight;
  node->NodeHeight = static_cast<uint16_t>(height);
  ShiftTotalHeight(node, difference);
  PlaceEditor();
  if (!NodeFullyShown(node)) return;
  InvalidatePositionCache(node);
  if (updateCount_ == 0) {
    RepaintFromNodeDown(node);
    RefreshScrollBars(true);
  }
}

void TBaseDataTree::EnsureNodeInitialized(PDataNode node, bool recursive) {
  node = NodeOrRoot(node);
  if (!node->Has(nsInitialized)) RunNodeInit(node);
  if (!recursive) return;
  if (node->Has(nsHasChildren) && node->ChildCount == 0) InitNodeChildren(node);
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) EnsureNodeInitialized(child, true);
}

void TBaseDataTree::EnsureChildrenInitialized(PDataNode node, bool recursive) {
  node = NodeOrRoot(node);
  if (!node->Has(nsInitialized)) RunNodeInit(node);
  if (node->Has(nsHasChildren) && node->ChildCount == 0) InitNodeChildren(node);
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling)
    EnsureNodeInitialized(child, recursive);
}

void TBaseDataTree::ReinitializeChildren(PDataNode node, bool recursive) {
  node = NodeOrRoot(node);
  if (node == root_) {
    unsigned count = root_->ChildCount;
    FireInitChildren(nullptr, count);
    SetNodeChildCount(root_, count);
  } else {
    InitNodeChildren(node);
  }
  for (PDataNode child = node->FirstChild; child; child = child->NextSibling) ReinitializeNode(child, recursive);
}

void TBaseDataTree::ReinitializeNode(PDataNode node, bool recursive) {
  if (node && node != root_) {
    node->Exclude(nsChecking | nsCutOrCopy | nsDeleting | nsHeightMeasured);
    RunNodeInit(node);
  }
  if (recursive) ReinitializeChildren(node, true);
}

void TBaseDataTree::ResetNodeChildren(PDataNode node) {
  CancelNodeEdit();
  if (!node || node == root_) {
    Clear();
    return;
  }
  FireResetNode(node);
  RemoveChildNodes(node, false);
  node->Exclude(nsInitialized | nsChecking | nsCutOrCopy | nsDeleting | nsExpanded | nsHasChildren |
                nsHeightMeasured);
  RepaintNode(node);
}

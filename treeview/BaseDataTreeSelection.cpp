// Tree states, the selection array, the focus and the signalling of changes.

#include <algorithm>

#include "runtime/Exceptions.h"
#include "toolkit/win/Timers.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeGlobals.h"
#include "treeview/TreeRoutines.h"

namespace {

uintptr_t Address(PDataNode node) { return reinterpret_cast<uintptr_t>(node); }
PDataNode Flagged(PDataNode node) { return reinterpret_cast<PDataNode>(Address(node) | 1); }

// Selection entries are ordered by their value, flagged ones included.
bool Before(PDataNode a, PDataNode b) { return Address(a) < Address(b); }

}  // namespace

void TBaseDataTree::ChangeTreeStates(TDataTreeStates enter, TDataTreeStates leave) {
  // A tree being destroyed no longer tells its owner, who may be gone already.
  if (OnStateChange && !BeingDestroyed()) {
    const TDataTreeStates entered = enter - states_;
    const TDataTreeStates left = states_ * leave;
    if (!(entered + left).Empty()) OnStateChange(this, enter, leave);
  }
  states_ = (states_ + enter) - leave;
}

// ---- Selection ---------------------------------------------------------------------

bool TBaseDataTree::MergeIntoSelection(TNodeArray& items, int count, bool forceInsert) {
  if (forceInsert) {
    for (int i = 0; i < count; ++i) items[static_cast<size_t>(i)]->Include(nsSelected);
  } else if (count > 0) {
    const TDTSelectionOptions options = options_->SelectionOptions();
    const bool levelConstraint = options.Contains(toLevelSelectConstraint);
    const bool siblingConstraint = options.Contains(toSiblingSelectConstraint);
    if (levelConstraint && lastSelectionLevel_ == -1) lastSelectionLevel_ = static_cast<int>(NodeLevel(items[0]));
    if (siblingConstraint && !rangeAnchor_) rangeAnchor_ = items[0];
    for (int i = 0; i < count; ++i) {
      PDataNode& item = items[static_cast<size_t>(i)];
      const bool refused = item->Has(nsSelected | nsDisabled) ||
                           (levelConstraint && static_cast<int>(NodeLevel(item)) != lastSelectionLevel_) ||
                           (siblingConstraint && item->Parent != rangeAnchor_->Parent);
      if (refused)
        item = Flagged(item);
      else
        item->Include(nsSelected);
    }
    const int kept = CompactNodeArray(items, count);
    if (kept >= 0) count = kept;
  }
  if (count <= 0) return false;
  std::sort(items.begin(), items.begin() + count, Before);
  const auto oldEnd = static_cast<std::ptrdiff_t>(selection_.size());
  selection_.insert(selection_.end(), items.begin(), items.begin() + count);
  std::inplace_merge(selection_.begin(), selection_.begin() + oldEnd, selection_.end(), Before);
  selectionLive_ += count;
  return true;
}

bool TBaseDataTree::SelectOneNode(PDataNode node, bool forceInsert) {
  QASSERT(node != nullptr, "Node must not be nil!");
  TNodeArray one{node};
  return MergeIntoSelection(one, 1, forceInsert);
}

void TBaseDataTree::SelectNode(PDataNode node) {
  if (!SelectOneNode(node, false)) return;
  RepaintNode(node);
  SignalChange(node);
}

void TBaseDataTree::SelectNodeArray(TNodeArray& items, int count, bool forceInsert) {
  const PDataNode single = count == 1 ? items[0] : nullptr;
  if (!MergeIntoSelection(items, count, forceInsert)) return;
  if (single) {
    RepaintNode(single);
  } else if (HandleAllocated() && updateCount_ == 0) {
    Invalidate();
  }
  SignalChange(single);
}

bool TBaseDataTree::FindInSelection(PDataNode node, int& index, int lowBound, int highBound) const {
  int high = highBound < 0 ? static_cast<int>(selection_.size()) - 1 : highBound;
  int low = lowBound < 0 ? 0 : lowBound;
  bool found = false;
  while (low <= high) {
    const int middle = (low + high) / 2;
    const PDataNode entry = selection_[static_cast<size_t>(middle)];
    if (Before(entry, node)) {
      low = middle + 1;
    } else {
      high = middle - 1;
      if (entry == node) {
        low = middle;
        found = true;
      }
    }
  }
  index = low;
  return found;
}

void TBaseDataTree::DeselectNode(PDataNode node) {
  QASSERT(node != nullptr, "Node must not be nil!");
  if (!node->Has(nsSelected)) return;
  node->Exclude(nsSelected);
  int index;
  if (FindInSelection(node, index, -1, -1)) {
    selection_.erase(selection_.begin() + index);
    --selectionLive_;
  }
  if (selectionLive_ == 0) ResetAnchor();
  SignalChange(node);
}

bool TBaseDataTree::FlagDeselected(PDataNode node) {
  int index;
  if (!FindInSelection(node, index, -1, -1)) return false;
  node->Exclude(nsSelected);
  selection_[static_cast<size_t>(index)] = Flagged(node);
  --selectionLive_;
  return true;
}

void TBaseDataTree::PackSelection() {
  const int kept = CompactNodeArray(selection_, static_cast<int>(selection_.size()));
  if (kept >= 0) selection_.resize(static_cast<size_t>(kept));
}

void TBaseDataTree::DropSelection() {
  PackSelection();
  for (auto entry = selection_.rbegin(); entry != selection_.rend(); ++entry) (*entry)->Exclude(nsSelected);
  ResetAnchor();
  selection_.clear();
  selectionLive_ = 0;
  ChangeTreeStates({}, {tsClearPending});
}

void TBaseDataTree::UnselectAll() {
  if (selectionLive_ == 0 || BeingDestroyed()) return;
  RepaintShownSelection();
  DropSelection();
  SignalChange(nullptr);
}

void TBaseDataTree::ResetAnchor() {
  rangeAnchor_ = focusedNode_;
  lastSelectionLevel_ = -1;
}

void TBaseDataTree::CacheTempNode(PDataNode node) {
  const auto size = static_cast<int>(tempNodes_.size());
  if (tempNodeCount_ == size) tempNodes_.resize(static_cast<size_t>(size < 100 ? 100 : size + size / 10));
  tempNodes_[static_cast<size_t>(tempNodeCount_++)] = node;
}

void TBaseDataTree::ClearTempNodeCache() {
  tempNodes_.clear();
  tempNodeCount_ = 0;
}

void TBaseDataTree::SetNodeSelected(PDataNode node, bool value) {
  if (!node || node == root_ || node->Has(nsSelected) == value) return;
  if (value) {
    if (selectionLive_ == 0)
      rangeAnchor_ = node;
    else if (!options_->SelectionOptions().Contains(toMultiSelect))
      UnselectAll();
    SelectNode(node);
    const TDataTreeColumns& columns = header_->Columns();
    const TColumnIndex mainColumn = header_->MainColumn();
    if ((focusedColumn_ < 0 || !columns.IsVisible(focusedColumn_)) && mainColumn >= 0)
      focusedColumn_ = columns.IsVisible(mainColumn) ? mainColumn : columns.FirstVisibleColumn();
    if (!rangeAnchor_) rangeAnchor_ = node;
  } else {
    DeselectNode(node);
    if (selectionLive_ == 0) ResetAnchor();
  }
  if (NodeFullyShown(node)) RepaintNode(node);
}

// ---- Focus -------------------------------------------------------------------------

void TBaseDataTree::FocusNode(PDataNode node, bool ask) {
  if (states_.Contains(tsEditing) && !AcceptNodeEdit()) return;
  if (node == root_) node = nullptr;
  const bool autoExpand = options_->AutoOptions().Contains(toAutoExpand);
  if (node != focusedNode_ && (!ask || FireFocusChanging(focusedNode_, node, focusedColumn_, focusedColumn_))) {
    if (focusedNode_) {
      if (autoExpand && node && node->Parent == focusedNode_->Parent && focusedNode_->Has(nsExpanded))
        ToggleExpanded(focusedNode_);
      else
        RepaintNode(focusedNode_);
    }
    focusedNode_ = node;
  }
  if (focusedNode_) {
    const int columnCount = header_->Columns().Count();
    if (columnCount > 0 && (focusedColumn_ < 0 || focusedColumn_ >= columnCount)) focusedColumn_ = 0;
    if (autoExpand && !focusedNode_->Has(nsExpanded)) ToggleExpanded(focusedNode_);
    RepaintNode(focusedNode_);
    if (updateCount_ == 0) {
      const bool buttonDown = states_.Contains(tsLeftButtonDown) || states_.Contains(tsMiddleButtonDown) ||
                              states_.Contains(tsRightButtonDown);
      const bool center = options_->SelectionOptions().Contains(toCenterScrollIntoView) && !buttonDown;
      ScrollNodeIntoView(focusedNode_, center, !options_->AutoOptions().Contains(toDisableAutoscrollOnFocus));
    }
  }
  if (selectionLive_ == 0) ResetAnchor();
}

void TBaseDataTree::SetFocusedNode(PDataNode node) {
  if (node == root_) node = nullptr;
  const PDataNode old = focusedNode_;
  FocusNode(node, true);
  if (focusedNode_ == node && node != old) FireFocusChanged(focusedNode_, focusedColumn_);
}

// ---- Change signalling ----------------------------------------------------------------

void TBaseDataTree::NoteChange(bool isStructure, PDataNode node, TChangeReason reason) {
  if (isStructure) {
    if (states_.Contains(tsStructureChangePending))
      KillTreeTimer(StructureChangeTimer);
    else
      ChangeTreeStates({tsStructureChangePending}, {});
    lastStructureChangeNode_ = node;
    if (lastStructureChangeReason_ == crIgnore)
      lastStructureChangeReason_ = reason;
    else if (reason != crIgnore)
      lastStructureChangeReason_ = crAccumulated;
  } else {
    if (states_.Contains(tsChangePending))
      KillTreeTimer(ChangeTimer);
    else
      ChangeTreeStates({tsChangePending}, {});
    lastChangedNode_ = node;
  }
}

void TBaseDataTree::SignalChange(PDataNode node) {
  NoteChange(false, node, crIgnore);
  if (updateCount_ > 0) return;
  if (changeDelay_ == 0 || states_.Contains(tsSynchMode) || !HandleAllocated())
    FireChange(node);
  else
    SetTimer(Handle(), ChangeTimer, changeDelay_, nullptr);
}

void TBaseDataTree::SignalStructureChange(PDataNode node, TChangeReason reason) {
  NoteChange(true, node, reason);
  if (updateCount_ > 0) return;
  if (changeDelay_ == 0 || states_.Contains(tsSynchMode) || !HandleAllocated())
    FireStructureChange(node, reason);
  else
    SetTimer(Handle(), StructureChangeTimer, changeDelay_, nullptr);
}

void TBaseDataTree::Dispatch(TMessage& message) {
  if (HeaderMessage(message) || InputMessage(message) || HintMessage(message) || AccessibilityMessage(message)) return;
  if (message.Msg == WM_NCDESTROY) {
    RevokeDropTarget();
    KillTreeTimer(ChangeTimer);
    KillTreeTimer(StructureChangeTimer);
  }
  // The rows paint their own background: erasing first would flicker.
  if (message.Msg == WM_ERASEBKGND) {
    message.Result = 1;
    return;
  }
  if (message.Msg == CM_SYSCOLORCHANGE) {
    InitTreeGlobals().ReloadCheckImages();
    InitTreeGlobals().ReloadUtilityImages();
    if (HandleAllocated()) Invalidate();
  }
  if (message.Msg == WM_TIMER && message.WParam == ExpandTimer) {
    AutoExpandDropTarget();
    return;
  }
  if (message.Msg == WM_TIMER && message.WParam == ChangeTimer) {
    FireChange(lastChangedNode_);
    return;
  }
  if (message.Msg == WM_TIMER && message.WParam == StructureChangeTimer) {
    FireStructureChange(lastStructureChangeNode_, lastStructureChangeReason_);
    return;
  }
  TCustomControl::Dispatch(message);
}

// ---- Ranges --------------------------------------------------------------------------

PDataNode TBaseDataTree::RangeStart(PDataNode startNode) {
  if (!startNode) return FirstRootNode();
  if (NodeFullyShown(startNode)) return startNode;
  const PDataNode previous = PrevVisibleNode(startNode);
  return previous ? previous : FirstRootNode();
}

void TBaseDataTree::SelectRange(PDataNode startNode, PDataNode endNode, bool addOnly) {
  QASSERT(endNode != nullptr, "EndNode must not be nil!");
  ClearTempNodeCache();
  startNode = RangeStart(startNode);
  if (!startNode) return;
  PDataNode first = startNode;
  PDataNode last = endNode;
  if (CompareNodeOrder(first, last) > 0) std::swap(first, last);
  const PDataNode anchor = rangeAnchor_;
  if (!addOnly) DropSelection();
  for (PDataNode run = first; run; run = run == last ? nullptr : NextVisibleNode(run)) CacheTempNode(run);
  SelectNodeArray(tempNodes_, tempNodeCount_, false);
  ClearTempNodeCache();
  int index;
  if (anchor && FindInSelection(anchor, index, -1, -1)) rangeAnchor_ = anchor;
}

void TBaseDataTree::ToggleRange(PDataNode startNode, PDataNode endNode) {
  QASSERT(endNode != nullptr, "EndNode must not be nil!");
  startNode = RangeStart(startNode);
  if (!startNode) return;
  const int order = CompareNodeOrder(startNode, endNode);
  if (order == 0) return;
  ClearTempNodeCache();
  const PDataNode first = order < 0 ? startNode : endNode;
  const PDataNode last = order < 0 ? endNode : startNode;
  auto toggle = [this](PDataNode node) {
    if (node->Has(nsSelected))
      FlagDeselected(node);
    else
      CacheTempNode(node);
  };
  if (rangeAnchor_ && CompareNodeOrder(first, rangeAnchor_) < 0) toggle(first);
  for (PDataNode run = NextVisibleNode(first); run && run != last; run = NextVisibleNode(run)) toggle(run);
  if (rangeAnchor_ && CompareNodeOrder(last, rangeAnchor_) > 0) toggle(last);
  PackSelection();
  if (rangeAnchor_ && !rangeAnchor_->Has(nsSelected)) CacheTempNode(rangeAnchor_);
  if (tempNodeCount_ > 0) SelectNodeArray(tempNodes_, tempNodeCount_, false);
  ClearTempNodeCache();
}

void TBaseDataTree::DeselectRange(PDataNode startNode, PDataNode endNode) {
  QASSERT(endNode != nullptr, "EndNode must not be nil!");
  startNode = RangeStart(startNode);
  if (!startNode) return;
  PDataNode first = startNode;
  PDataNode last = endNode;
  if (CompareNodeOrder(first, last) > 0) std::swap(first, last);
  for (PDataNode run = first; run; run = run == last ? nullptr : NextVisibleNode(run)) FlagDeselected(run);
  PackSelection();
}

void TBaseDataTree::SelectAllNodes(bool visibleOnly) {
  if (!options_->SelectionOptions().Contains(toMultiSelect)) return;
  ClearTempNodeCache();
  if (visibleOnly) {
    for (PDataNode node = FirstVisibleNode(); node; node = NextVisibleNode(node))
      if (!node->Has(nsSelected)) CacheTempNode(node);
  } else {
    for (PDataNode node = FirstRootNode(); node; node = NextNodeInOrder(node))
      if (!node->Has(nsSelected)) CacheTempNode(node);
  }
  SelectNodeArray(tempNodes_, tempNodeCount_, false);
  ClearTempNodeCache();
  if (HandleAllocated()) Invalidate();
}

void TBaseDataTree::RepaintShownSelection() {
  if (updateCount_ > 0 || !HandleAllocated()) return;
  int top = 0;
  PDataNode node = TopVisibleNode();
  if (!node || !NodeRowTop(node, top)) return;
  int left = selectionLive_;
  for (top += offsetY_; node && left > 0 && top < ClientHeight(); node = NextShownRow(node)) {
    if (node->Has(nsSelected)) {
      RepaintNode(node);
      --left;
    }
    top += node->NodeHeight;
  }
}

// ---- Focus and columns ---------------------------------------------------------------------

void TBaseDataTree::FocusNodeAndColumn(PDataNode node, TColumnIndex column) {
  if (node == root_) node = nullptr;
  const bool changed = node != focusedNode_ || column != focusedColumn_;
  const TColumnIndex oldColumn = focusedColumn_;
  focusedColumn_ = column;
  FocusNode(node, true);
  if (focusedNode_ == node) {
    CancelNodeEdit();
    if (changed) FireFocusChanged(focusedNode_, focusedColumn_);
  } else {
    focusedColumn_ = oldColumn;
  }
}

void TBaseDataTree::MoveFocusColumn(TColumnIndex column, bool scrollIntoView) {
  if (column == focusedColumn_ || !FireFocusChanging(focusedNode_, focusedNode_, focusedColumn_, column)) return;
  CancelNodeEdit();
  focusedColumn_ = column;
  if (focusedNode_) {
    if (scrollIntoView)
      ScrollNodeIntoView(focusedNode_, options_->SelectionOptions().Contains(toCenterScrollIntoView),
                         !options_->AutoOptions().Contains(toDisableAutoscrollOnFocus));
    RepaintNode(focusedNode_);
  }
  if (dropTargetNode_) RepaintNode(dropTargetNode_);
  FireFocusChanged(focusedNode_, focusedColumn_);
}

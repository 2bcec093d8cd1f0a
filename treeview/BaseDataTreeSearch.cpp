// Incremental search: typed characters gather in a buffer (UTF-8, counted
// in code points) and the focus jumps to the next node that
// OnIncrementalSearch accepts for it; a pause of IncrementalSearchTimeout
// milliseconds (timer 7) forgets the buffer.

#include "runtime/Utf8Cells.h"
#include "toolkit/win/PlaySound.h"
#include "toolkit/win/Timers.h"
#include "treeview/BaseDataTree.h"

void TBaseDataTree::SetIncrementalSearch(TDTIncrementalSearch mode) {
  incrementalSearch_ = mode;
  if (mode == isNone) ForgetSearch();
}

void TBaseDataTree::ForgetSearch() {
  KillTreeTimer(SearchTimer);
  ChangeTreeStates({}, {tsIncrementalSearching});
  searchBuffer_.clear();
  lastSearchNode_ = nullptr;
}

// ---- The walks ---------------------------------------------------------------------------------

PDataNode TBaseDataTree::SearchWalkEnd(bool forward) {
  switch (incrementalSearch_) {
    case isInitializedOnly: {
      if (forward) return FirstInitializedNode();
      PDataNode run = LastNodeInOrderRaw(nullptr);
      while (run && !run->Has(nsInitialized)) run = PrevNodeInOrderRaw(run);
      return run;
    }
    case isVisibleOnly: return forward ? FirstVisibleNode() : LastVisibleNode(nullptr);
    default: return forward ? FirstRootNode() : LastNodeInOrder(nullptr);
  }
}

PDataNode TBaseDataTree::SearchWalkNext(PDataNode node, bool forward) {
  switch (incrementalSearch_) {
    case isInitializedOnly: {
      if (forward) return NextInitializedNode(node);
      PDataNode run = PrevNodeInOrderRaw(node);
      while (run && !run->Has(nsInitialized)) run = PrevNodeInOrderRaw(run);
      return run;
    }
    case isVisibleOnly: return forward ? NextVisibleNode(node) : PrevVisibleNode(node);
    default: return forward ? NextNodeInOrder(node) : PrevNodeInOrder(node);
  }
}

// One step of the walk; from nil and past the end it wraps to the walk's first node.
PDataNode TBaseDataTree::SearchStep(PDataNode node, bool forward) {
  const PDataNode next = node ? SearchWalkNext(node, forward) : nullptr;
  return next ? next : SearchWalkEnd(forward);
}

PDataNode TBaseDataTree::SearchStartNode() {
  PDataNode run = nullptr;
  if (IncrementalSearchStart == ssLastHit) run = lastSearchNode_;
  if (IncrementalSearchStart == ssFocusedNode) run = focusedNode_;
  if (!run) return nullptr;
  if (incrementalSearch_ == isInitializedOnly && !run->Has(nsInitialized)) return nullptr;
  if (incrementalSearch_ == isVisibleOnly && !NodeFullyShown(run)) return nullptr;
  return run;
}

// ---- One character -------------------------------------------------------------------------------

void TBaseDataTree::IncrementalSearchKey(char32_t charCode) {
  KillTreeTimer(SearchTimer);
  if (incrementalSearch_ == isNone) return;
  if (charCode != 0) SearchFor(charCode);
  if (HandleAllocated()) SetTimer(Handle(), SearchTimer, IncrementalSearchTimeout, nullptr);
}

void TBaseDataTree::SearchFor(char32_t charCode) {
  ChangeTreeStates({tsIncrementalSearching}, {});
  const bool backSpace = charCode == 8;
  const int bufferLength = CellCount(searchBuffer_);
  if (backSpace && bufferLength <= 1) return;
  std::string newChar;
  AppendUtf8(newChar, charCode);
  PDataNode run = SearchStartNode();
  const PDataNode stopNode = run;
  const bool forward = (IncrementalSearchDirection == sdForward) != backSpace;
  bool sameLetter = !backSpace && searchBuffer_ == newChar;
  // The same first letter again moves on to the next node starting with
  // it, unless the doubled letter matches itself.
  if (sameLetter && run && FireIncrementalSearch(run, searchBuffer_ + newChar) == 0) sameLetter = false;
  if (searchBuffer_.empty() || !run || sameLetter || backSpace) run = SearchStep(run, forward);
  if (!run) return;
  std::string text = searchBuffer_ + newChar;
  if (sameLetter) text = searchBuffer_;
  if (backSpace) {
    text = searchBuffer_.substr(0, ByteOfCell(searchBuffer_, bufferLength - 1));
    searchBuffer_ = text;
  }
  bool found = false;
  do {
    if (FireIncrementalSearch(run, text) == 0) {
      found = true;
      break;
    }
    run = SearchWalkNext(run, forward);
    if (!run && stopNode) run = SearchWalkEnd(forward);
  } while (run != stopNode);
  if (found) {
    UnselectAll();
    searchBuffer_ = text;
    lastSearchNode_ = run;
    SetFocusedNode(run);
    SetNodeSelected(run, true);
  } else if (run && FireIncrementalSearch(run, text) != 0) {
    MessageBeep(0);
  }
}

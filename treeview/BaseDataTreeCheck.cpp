// Check boxes, radio buttons and push buttons in front of a node's images:
// the state a click leads to, the pressed look between press and release,
// tri-state boxes that follow their children and the check images.

#include "toolkit/gdi/ImageList.h"
#include "toolkit/win/Paint.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeGlobals.h"

namespace {

TCheckState PressedForm(TCheckState state) { return static_cast<TCheckState>(state | 1); }
TCheckState ReleasedForm(TCheckState state) { return static_cast<TCheckState>(state & ~1); }
bool IsBox(uint8_t checkType) { return checkType == nctTriStateBox || checkType == nctCheckBox; }
bool IsChecked(TCheckState state) { return ReleasedForm(state) == csCheckedNormal; }

}  // namespace

TCheckState TBaseDataTree::NextCheckState(TNodeCheckType checkType, TCheckState checkState) {
  switch (checkType) {
    case nctTriStateBox:
    case nctCheckBox: return checkState == csCheckedNormal ? csUncheckedNormal : csCheckedNormal;
    case nctRadioButton: return csCheckedNormal;
    case nctButton: return csUncheckedNormal;
    case nctNone: break;
  }
  return csMixedNormal;
}

// ---- Changing the state -----------------------------------------------------------------

void TBaseDataTree::SetNodeCheckState(PDataNode node, TCheckState state) {
  if (!node || node->CheckState == state || node->Has(nsDisabled)) return;
  if (FireChecking(node, state)) ApplyCheckClick(node, state);
}

bool TBaseDataTree::ApplyCheckClick(PDataNode node, TCheckState newState) {
  const bool changed = PropagateCheckState(node, newState);
  if (changed) FireChecked(node);
  return changed;
}

bool TBaseDataTree::PropagateCheckState(PDataNode node, TCheckState state) {
  if (node->Has(nsChecking)) return false;
  node->Include(nsChecking);
  Initialized(node);
  if (checkNesting_++ == 0) ChangeTreeStates({tsCheckPropagation}, {});
  const bool tracking = options_->AutoOptions().Contains(toAutoTristateTracking);
  if (tracking && node->CheckType == nctTriStateBox && node->ChildCount > 0 &&
      (state == csUncheckedNormal || state == csCheckedNormal)) {
    bool anyChecked = false, anyUnchecked = false, anyMixed = false;
    for (PDataNode child = FirstChildOf(node); child; child = NextSiblingOf(child)) {
      if (!IsBox(child->CheckType)) continue;
      PropagateCheckState(child, state);
      const TCheckState result = ReleasedForm(child->CheckState);
      anyChecked |= result == csCheckedNormal;
      anyUnchecked |= result == csUncheckedNormal;
      anyMixed |= result == csMixedNormal;
    }
    if (anyMixed || (anyChecked && anyUnchecked)) state = csMixedNormal;
    else if (anyChecked) state = csCheckedNormal;
  }
  if (node->CheckType == nctRadioButton && state == csCheckedNormal) {
    for (PDataNode sibling = node->Parent->FirstChild; sibling; sibling = sibling->NextSibling)
      if (sibling != node && sibling->CheckType == nctRadioButton) sibling->CheckState = csUncheckedNormal;
    if (HandleAllocated()) Invalidate();
  }
  node->CheckState = state;
  bool result = true;
  const PDataNode parent = node->Parent;
  if (parent != root_) {
    Initialized(parent);
    if (tracking && IsBox(node->CheckType) && parent->CheckType == nctTriStateBox &&
        !parent->Has(nsChecking | nsDisabled))
      result = UpdateParentCheckState(node, state);
  }
  RepaintNode(node);
  node->Exclude(nsChecking);
  if (--checkNesting_ == 0) ChangeTreeStates({}, {tsCheckPropagation});
  return result;
}

// The parent's change climbs on by itself (its own change updates the
// grandparent), so the chain of tri-state ancestors follows exactly once.
bool TBaseDataTree::UpdateParentCheckState(PDataNode node, TCheckState newCheckState) {
  int boxes = 0, checked = 0;
  bool mixed = false;
  for (PDataNode sibling = node->Parent->FirstChild; sibling; sibling = sibling->NextSibling) {
    const TCheckState state = sibling == node ? newCheckState : sibling->CheckState;
    if (!IsBox(sibling->CheckType)) continue;
    ++boxes;
    if (IsChecked(state)) ++checked;
    if (state == csMixedNormal) mixed = true;
  }
  TCheckState parentState = csUncheckedNormal;
  if (checked == boxes) parentState = csCheckedNormal;
  else if (checked > 0 || mixed) parentState = csMixedNormal;
  const PDataNode parent = node->Parent;
  if (!FireChecking(parent, parentState)) return false;
  return ApplyCheckClick(parent, parentState);
}

// ---- Mouse and keys ------------------------------------------------------------------------

bool TBaseDataTree::PressCheckImage(PDataNode node) {
  if (states_.Contains(tsKeyCheckPending) || states_.Contains(tsMouseCheckPending) || node->Has(nsDisabled))
    return false;
  TCheckState state = NextCheckState(static_cast<TNodeCheckType>(node->CheckType), node->CheckState);
  if (!FireChecking(node, state)) return false;
  ChangeTreeStates({tsMouseCheckPending}, {});
  pressedCheckNode_ = node;
  pendingCheckState_ = state;
  node->CheckState = PressedForm(node->CheckState);
  RepaintNode(node);
  return true;
}

void TBaseDataTree::ReleaseCheckImage(int x, int y) {
  if (!states_.Contains(tsMouseCheckPending)) return;
  ChangeTreeStates({}, {tsMouseCheckPending});
  const PDataNode node = pressedCheckNode_;
  pressedCheckNode_ = nullptr;
  THitInfo hit;
  HitTestAt(x, y, true, hit);
  node->CheckState = ReleasedForm(node->CheckState);
  if (hit.HitNode == node && hit.HitPositions.Contains(htOnItem)) ApplyCheckClick(node, pendingCheckState_);
  RepaintNode(node);
}

void TBaseDataTree::PressCheckKey() {
  const PDataNode node = focusedNode_;
  if (!node || node->CheckType == nctNone || states_.Contains(tsKeyCheckPending) ||
      states_.Contains(tsMouseCheckPending) || node->Has(nsDisabled))
    return;
  TCheckState state = NextCheckState(static_cast<TNodeCheckType>(node->CheckType), node->CheckState);
  if (!FireChecking(node, state)) return;
  ChangeTreeStates({tsKeyCheckPending}, {});
  pressedCheckNode_ = node;
  pendingCheckState_ = state;
  node->CheckState = PressedForm(node->CheckState);
  RepaintNode(node);
}

// Apply: the space key came up. The pressed look goes in every case, also
// when the focus moved to another node meanwhile.
void TBaseDataTree::ReleaseCheckKey(bool apply) {
  if (!states_.Contains(tsKeyCheckPending)) return;
  ChangeTreeStates({}, {tsKeyCheckPending});
  const PDataNode node = pressedCheckNode_;
  pressedCheckNode_ = nullptr;
  if (!node) return;
  node->CheckState = ReleasedForm(node->CheckState);
  if (apply && node == focusedNode_) ApplyCheckClick(node, pendingCheckState_);
  RepaintNode(node);
}

// ---- Images -------------------------------------------------------------------------------

void TBaseDataTree::SetCheckImageKind(TCheckImageKind kind) {
  checkImageKind_ = kind;
  if (HandleAllocated() && updateCount_ == 0 && !IsLoading()) InvalidateRect(Handle(), nullptr, false);
}

void TBaseDataTree::SetCustomCheckImages(TImageList* images) {
  customCheckImagesLink_.Attach(images);
  if (checkImageKind_ == ckCustom && HandleAllocated() && !IsLoading()) Invalidate();
}

TImageList* TBaseDataTree::CheckImageListFor(TCheckImageKind kind) { return InitTreeGlobals().CheckImages(kind); }

TImageList* TBaseDataTree::ActiveCheckImages() const {
  TImageList* images = CheckImageListFor(checkImageKind_);
  return images ? images : customCheckImagesLink_.Sender();
}

int TBaseDataTree::CheckImageIndexOf(PDataNode node) const {
  if (node->CheckType == nctNone) return -1;
  const TCheckState state = node->CheckState;
  int base = 17;  // mixed looks the same for every kind
  if (ReleasedForm(state) != csMixedNormal) {
    const bool checked = ReleasedForm(state) == csCheckedNormal;
    switch (node->CheckType) {
      case nctRadioButton: base = checked ? 5 : 1; break;
      case nctButton: base = 21; break;
      default: base = checked ? 13 : 9; break;
    }
  }
  const bool enabled = !node->Has(nsDisabled) && Enabled();
  if (!enabled) return base + 3;
  if (state & 1) return base + 2;
  return base + (node == currentHotNode_ ? 1 : 0);
}

int TBaseDataTree::CheckImageWidth(PDataNode node, TColumnIndex column) const {
  if (column != header_->MainColumn() || node->CheckType == nctNone ||
      !options_->MiscOptions().Contains(toCheckSupport))
    return 0;
  const TImageList* images = ActiveCheckImages();
  return images ? images->Width() + 2 : 0;
}

void TBaseDataTree::DrawCheckImage(TDTPaintInfo& paintInfo) {
  const TPaintImageEntry& entry = paintInfo.ImageSlots[pisCheck];
  if (!entry.Images || entry.Index < 0) return;
  entry.Images->Draw(*paintInfo.Canvas, entry.XPos, entry.YPos, entry.Index);
}

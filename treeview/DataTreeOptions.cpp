#include "treeview/DataTreeOptions.h"

#include "toolkit/win/Paint.h"
#include "toolkit/win/Styles.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"

namespace {

template <class Set, class Member>
bool Changed(Set toBeSet, Set toBeCleared, Member member) {
  return toBeSet.Contains(member) || toBeCleared.Contains(member);
}

}  // namespace

void TCustomDataTreeOptions::SetPaintOptions(TDTPaintOptions value) {
  if (value == paint_) return;
  const TDTPaintOptions toBeSet = value - paint_;
  const TDTPaintOptions toBeCleared = paint_ - value;
  paint_ = value;
  if (owner_.IsLoading() || !owner_.HandleAllocated()) return;
  if (Changed(toBeSet, toBeCleared, toThemeAware)) {
    // The toolkit has no visual themes: the tree never uses them.
    owner_.ChangeTreeStates({}, {tsUseThemes});
    RedrawWindow(owner_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_VALIDATE | RDW_FRAME);
  } else {
    owner_.Invalidate();
  }
}

void TCustomDataTreeOptions::SetAnimationOptions(TDTAnimationOptions value) { animation_ = value; }

void TCustomDataTreeOptions::SetAutoOptions(TDTAutoOptions value) {
  if (value == auto_) return;
  const bool spanChanged = value.Contains(toAutoSpanColumns) != auto_.Contains(toAutoSpanColumns);
  auto_ = value;
  if (spanChanged && !owner_.IsLoading() && owner_.HandleAllocated()) owner_.Invalidate();
}

void TCustomDataTreeOptions::SetSelectionOptions(TDTSelectionOptions value) {
  if (value == selection_) return;
  const TDTSelectionOptions toBeSet = value - selection_;
  const TDTSelectionOptions toBeCleared = selection_ - value;
  selection_ = value;
  if (Changed(toBeSet, toBeCleared, toMultiSelect) || toBeSet.Contains(toLevelSelectConstraint) ||
      toBeSet.Contains(toSiblingSelectConstraint))
    owner_.UnselectAll();
  const TColumnIndex mainColumn = owner_.Header().MainColumn();
  if (toBeCleared.Contains(toExtendedFocus) && owner_.focusedColumn_ > 0 && owner_.HandleAllocated()) {
    owner_.focusedColumn_ = mainColumn;
    owner_.Invalidate();
  }
  if (!value.Contains(toExtendedFocus)) owner_.focusedColumn_ = mainColumn;
}

void TCustomDataTreeOptions::SetMiscOptions(TDTMiscOptions value) {
  if (value == misc_) return;
  const TDTMiscOptions toBeSet = value - misc_;
  const TDTMiscOptions toBeCleared = misc_ - value;
  misc_ = value;
  if (owner_.IsLoading() || !owner_.HandleAllocated()) return;
  if (Changed(toBeSet, toBeCleared, toCheckSupport)) owner_.Invalidate();
  if (Changed(toBeSet, toBeCleared, toFullRepaintOnResize)) owner_.RecreateWnd();
  if (Changed(toBeSet, toBeCleared, toAcceptOLEDrop)) owner_.AcceptDropsChanged();
}

void TCustomDataTreeOptions::AssignOptionsTo(TCustomDataTreeOptions& destination) const {
  destination.SetPaintOptions(paint_);
  destination.SetAnimationOptions(animation_);
  destination.SetAutoOptions(auto_);
  destination.SetSelectionOptions(selection_);
  destination.SetMiscOptions(misc_);
}

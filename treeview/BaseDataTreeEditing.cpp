// In-place editing: whether a cell may be edited, starting, placing, ending
// and cancelling an edit through the owner's edit link.

#include "runtime/Exceptions.h"
#include "toolkit/controls/Application.h"
#include "toolkit/win/WinEvent.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTreeError.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/TreeRoutines.h"

bool TBaseDataTree::CanEditNode(PDataNode node, TColumnIndex column) {
  bool allowed = options_->MiscOptions().Contains(toEditable) && Enabled() && !ReadOnly();
  FireEditing(node, column, allowed);
  return allowed;
}

bool TBaseDataTree::StartNodeEdit(PDataNode node, TColumnIndex column) {
  QASSERT(node != nullptr, "Node must not be nil.");
  QASSERT(column >= ColumnNone && column < header_->Columns().Count(),
          "Column must be a valid column index (-1 if no header is shown).");
  if (states_.Contains(tsEditing) || ReadOnly()) return states_.Contains(tsEditing);
  SetFocusedNode(node);
  if (focusedNode_ != node || !CanEditNode(node, column)) return false;
  editColumn_ = column;
  EnsureNodeInitialized(node, false);
  BeginEditing();
  return states_.Contains(tsEditing);
}

bool TBaseDataTree::AcceptNodeEdit() {
  if (states_.Contains(tsEditing) || states_.Contains(tsEditPending)) return FinishEditing();
  return true;
}

bool TBaseDataTree::CancelNodeEdit() {
  if (HandleAllocated() && (states_.Contains(tsEditing) || states_.Contains(tsEditPending))) return CancelEditing();
  return true;
}

bool TBaseDataTree::IsRubberBandActive() const {
  return states_.Contains(tsDrawSelPending) || states_.Contains(tsDrawSelecting);
}

void TBaseDataTree::BeginEditing() {
  Application().CancelHint();
  KillTreeTimer(ScrollTimer);
  KillTreeTimer(EditTimer);
  ChangeTreeStates({}, {tsEditPending});
  if (!focusedNode_ || focusedNode_->Has(nsDisabled) || ReadOnly() || editLink_) return;
  editLink_ = FireCreateEditor(focusedNode_, editColumn_);
  if (!editLink_) return;
  ChangeTreeStates({tsEditing}, {tsToggleFocusedSelection, tsClearPending, tsDrawSelPending, tsDrawSelecting,
                                 tsMouseCheckPending, tsOLEDragging, tsOLEDragPending, tsScrolling,
                                 tsScrollPending});
  ScrollNodeIntoView(focusedNode_, options_->SelectionOptions().Contains(toCenterScrollIntoView),
                     !options_->AutoOptions().Contains(toDisableAutoscrollOnEdit));
  // The link may end the edit from inside its own calls; it lives until they return.
  const CountedPtr<IDTEditLink> link = editLink_;
  if (link->PrepareEditor(this, focusedNode_, editColumn_)) {
    PlaceEditor();
    RepaintNode(focusedNode_);
    if (!link->ShowEditor()) ChangeTreeStates({}, {tsEditing});
  } else {
    ChangeTreeStates({}, {tsEditing});
  }
  if (!states_.Contains(tsEditing)) editLink_ = nullptr;
}

bool TBaseDataTree::FinishEditing() {
  KillTreeTimer(EditTimer);
  const CountedPtr<IDTEditLink> link = editLink_;
  const bool committed = states_.Contains(tsEditing) && link && link->CommitEdit();
  if (committed) {
    ChangeTreeStates({}, {tsEditing});
    editLink_ = nullptr;
    FireEdited(focusedNode_, editColumn_);
  }
  ChangeTreeStates({}, {tsEditPending});
  return committed;
}

bool TBaseDataTree::CancelEditing() {
  KillTreeTimer(EditTimer);
  ChangeTreeStates({}, {tsEditPending});
  const CountedPtr<IDTEditLink> link = editLink_;
  const bool cancelled = states_.Contains(tsEditing) && link && link->HideEditor();
  if (cancelled) {
    ChangeTreeStates({}, {tsEditing});
    FireEditCancelled(editColumn_);
    if (!destroying_) editLink_ = nullptr;
  }
  return cancelled;
}

void TBaseDataTree::PlaceEditor() {
  if (!states_.Contains(tsEditing) || !editLink_ || !focusedNode_) return;
  TRect r = NodeDisplayRect(focusedNode_, editColumn_, true, !focusedNode_->Has(nsMultiline));
  if (options_->MiscOptions().Contains(toGridExtensions)) {
    // The editor spans the rest of the cell, from the side the text starts at.
    const TDataTreeColumns& columns = header_->Columns();
    TAlignment alignment = columns.ColumnExists(editColumn_) ? columns.ColumnAt(editColumn_).Alignment() : Alignment();
    if (ReadsRightToLeft(editColumn_)) alignment = Mirrored(alignment);
    int left = 0;
    int right = 0;
    columns.ColumnHorzExtent(editColumn_, left, right);
    if (alignment == taLeftJustify)
      r.Right = right;
    else
      r.Left = left;
  }
  if (options_->PaintOptions().Contains(toShowHorzGridLines)) --r.Bottom;
  editLink_->SetEditorBounds(r);
}

void TBaseDataTree::MainColumnSwitched() {
  CancelEditing();
  if (HandleAllocated()) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

// ---- Firers ----------------------------------------------------------------------------------

CountedPtr<IDTEditLink> TBaseDataTree::FireCreateEditor(PDataNode node, TColumnIndex column) {
  CountedPtr<IDTEditLink> link;
  if (!OnCreateEditor) return link;
  OnCreateEditor(this, node, column, link);
  if (!link) RaiseTreeError("Edit link must not be nil.", 2000);
  return link;
}

void TBaseDataTree::FireEditing(PDataNode node, TColumnIndex column, bool& allowed) {
  if (OnEditing) OnEditing(this, node, column, allowed);
}

void TBaseDataTree::FireEdited(PDataNode node, TColumnIndex column) {
  if (OnEdited) OnEdited(this, node, column);
}

void TBaseDataTree::FireEditCancelled(TColumnIndex column) {
  if (OnEditCancelled) OnEditCancelled(this, focusedNode_, column);
}

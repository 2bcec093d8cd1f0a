// Dragging nodes out of the tree, the tree as a drop target (the node and
// drop mode under the mouse, automatic expanding and scrolling, the owner's
// decision through OnDragOver and OnDragDrop) and the drop mark.

#include <cstdlib>

#include "toolkit/controls/Application.h"
#include "toolkit/controls/Clipboard.h"
#include "toolkit/controls/CustomControl.h"
#include "toolkit/gdi/Canvas.h"
#include "toolkit/gdi/GdiObject.h"
#include "toolkit/win/SysMetrics.h"
#include "toolkit/win/Paint.h"
#include "toolkit/win/Timers.h"
#include "toolkit/win/Window.h"
#include "treeview/BaseDataTree.h"
#include "toolkit/gdi/Bitmap.h"
#include "treeview/DTColors.h"
#include "treeview/DTDragImage.h"
#include "treeview/DTDragManager.h"
#include "treeview/DTHeader.h"
#include "treeview/DataTransferResults.h"
#include "treeview/DataTreeOptions.h"
#include "treeview/ScrollBarOptions.h"
#include "treeview/EnumFormatEtc.h"
#include "treeview/TransferDataObject.h"

namespace {

TShiftState ShiftOfKeys(DWORD keyState) {
  TShiftState shift = 0;
  if (keyState & MK_SHIFT) shift |= ssShift;
  if (keyState & MK_CONTROL) shift |= ssCtrl;
  if (keyState & MK_ALT) shift |= ssAlt;
  if (keyState & MK_LBUTTON) shift |= ssLeft;
  if (keyState & MK_RBUTTON) shift |= ssRight;
  if (keyState & MK_MBUTTON) shift |= ssMiddle;
  return shift;
}


}  // namespace

// ---- The drag manager and the drop target registration --------------------------------------

CountedPtr<TDTDragManager> TBaseDataTree::ObtainDragManager() {
  if (!dragManager_) {
    if (OnCreateDragManager) OnCreateDragManager(this, dragManager_);
    if (!dragManager_) dragManager_ = MakeCounted<TDTDragManager>(*this);
  }
  return dragManager_;
}

void TBaseDataTree::RegisterDropTarget() {
  if (dropTargetRegistered_ || !HandleAllocated() || !options_->MiscOptions().Contains(toAcceptOLEDrop)) return;
  dropTargetRegistered_ = RegisterDragDrop(Handle(), &ObtainDragManager()->DesktopTarget());
}

void TBaseDataTree::RevokeDropTarget() {
  if (!dropTargetRegistered_) return;
  RevokeDragDrop(Handle());
  dropTargetRegistered_ = false;
}

void TBaseDataTree::AcceptDropsChanged() {
  if (options_->MiscOptions().Contains(toAcceptOLEDrop))
    RegisterDropTarget();
  else
    RevokeDropTarget();
}

// ---- Dragging from the tree ------------------------------------------------------------------

DWORD TBaseDataTree::AllowedDropEffects() const {
  if (DragOperations.Empty()) return DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
  DWORD effects = 0;
  if (DragOperations.Contains(doCopy)) effects |= DROPEFFECT_COPY;
  if (DragOperations.Contains(doLink)) effects |= DROPEFFECT_LINK;
  if (DragOperations.Contains(doMove)) effects |= DROPEFFECT_MOVE;
  return effects;
}

void TBaseDataTree::StartNodeDrag(bool immediate, int threshold) {
  if (DragType == dtVCL || IsDragging()) return;
  dragThreshold_ = threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : threshold;
  dragStart_ = lastClickPos_;
  if (immediate)
    RunOleDrag(lastClickPos_);
  else
    ChangeTreeStates({tsOLEDragPending}, {});
}

bool TBaseDataTree::IsDragging() const {
  return states_.Contains(tsOLEDragPending) || states_.Contains(tsOLEDragging) || states_.Contains(tsVCLDragging);
}

TDragResult TBaseDataTree::RunDragDrop(IDTDataObject& dataObject, DWORD allowedEffects, DWORD& effect) {
  TDataObject transfer;
  CountedPtr<TEnumFormatEtc> enumerator;
  TFormatEtcArray formats;
  if (dataObject.EnumFormatEtc(DATADIR_GET, enumerator) == S_OK) enumerator->Next(SIZE_MAX, formats, nullptr);
  formats.push_back(TFormatEtc{TreeReferenceFormat()});
  for (TFormatEtc format : formats) {
    format.Tymed = TYMED_HGLOBAL;
    TStgMedium medium;
    if (dataObject.GetData(format, medium) == S_OK && medium.HGlobal)
      transfer.SetData(GetClipboardFormatName(format.Format), *medium.HGlobal);
  }
  return DoDragDrop(transfer, allowedEffects, effect);
}

void TBaseDataTree::RunOleDrag(TPoint) {
  CancelNodeEdit();
  TrackHotNode(nullptr);
  if (focusedNode_ && !focusedNode_->Has(nsSelected)) {
    SelectOneNode(focusedNode_, true);
    RepaintNode(focusedNode_);
  }
  dragSelection_ = SortedSelection(true);
  ChangeTreeStates({tsOLEDragging}, {tsOLEDragPending, tsClearPending});
  try {
    const CountedPtr<TDTDragManager> manager = ObtainDragManager();
    const CountedPtr<IDTDataObject> dataObject = manager->CurrentDataObject();
    PrepareNodeDragImage(dragStart_, *dataObject);
    lastDropMode_ = dmOnNode;
    DWORD effect = DROPEFFECT_NONE;
    RunDragDrop(*dataObject, AllowedDropEffects(), effect);
    manager->ForceDragLeave();
    // A drop that moved the nodes optimized emptied the drag selection: only the rest is deleted.
    if (effect == DROPEFFECT_MOVE && options_->AutoOptions().Contains(toAutoDeleteMovedNodes) &&
        !dragSelection_.empty()) {
      BeginUpdate();
      for (PDataNode node : dragSelection_) RemoveNode(node);
      EndUpdate();
    }
  } catch (...) {
    EndNodeDrag();
    throw;
  }
  EndNodeDrag();
}

void TBaseDataTree::EndNodeDrag() {
  if (dragImage_) dragImage_->FinishDrag();
  dragSelection_.clear();
  ChangeTreeStates({}, {tsOLEDragging});
}

void TBaseDataTree::PrepareNodeDragImage(TPoint hotSpot, IDTDataObject&) {
  if (!HasDragImage() || DragWidth <= 0 || DragHeight <= 0) return;
  // The rectangle around the hot spot in tree coordinates; what lies left of or above the tree is left out.
  const TPoint treeHotSpot = Point(hotSpot.X + effectiveOffsetX_, hotSpot.Y - offsetY_);
  TRect part = Rect(treeHotSpot.X - DragWidth / 2, treeHotSpot.Y - DragHeight / 2, 0, 0);
  part.Right = part.Left + DragWidth;
  part.Bottom = part.Top + DragHeight;
  const TPoint target = Point(std::max(-part.Left, 0), std::max(-part.Top, 0));
  part.Left = std::max(part.Left, 0);
  part.Top = std::max(part.Top, 0);
  TBitmap picture(DragWidth, DragHeight, pf32bit);
  picture.Canvas().Brush().SetColor(Color());
  picture.Canvas().FillRect(Rect(0, 0, DragWidth, DragHeight));
  TPaintTreeOptions options{ptoSelection, ptoSelectedOnly};
  if (DragImageKind == diMainColumnOnly) options.Include(ptoMainColumnOnly);
  PaintTreeTo(picture.Canvas(), part, target, options);
  if (!dragImage_) dragImage_ = std::make_unique<TDTDragImage>(*this);
  dragImage_->ColorKey = Color();
  const TPoint imageTopLeft = Point(hotSpot.X - DragWidth / 2, hotSpot.Y - DragHeight / 2);
  dragImage_->PrepareImage(picture, HandleAllocated() ? ClientToScreen(imageTopLeft) : imageTopLeft,
                           HandleAllocated() ? ClientToScreen(hotSpot) : hotSpot);
}

// ---- The drop target ---------------------------------------------------------------------------

TDTDragImage* TBaseDataTree::SourceDragImage() const {
  TBaseDataTree* source = dragManager_ ? dragManager_->SourceTree() : nullptr;
  TDTDragImage* image = source ? source->NodeDragImage() : nullptr;
  return image && image->Prepared() ? image : nullptr;
}

DWORD TBaseDataTree::ProposeDropEffect(TObject* source, TShiftState shift, TPoint, DWORD allowedEffects) const {
  const auto allowed = [allowedEffects](DWORD effect) { return (allowedEffects & effect) != 0; };
  DWORD base = allowedEffects;
  if (source == this && allowed(DROPEFFECT_MOVE))
    base = DROPEFFECT_MOVE;
  else if (source != this && allowed(DROPEFFECT_COPY))
    base = DROPEFFECT_COPY;
  const auto orBase = [&](DWORD effect) { return allowed(effect) ? effect : base; };
  if ((shift & ssCtrl) && (shift & ssShift)) return orBase(DROPEFFECT_LINK);
  if (shift & ssCtrl) return orBase(DROPEFFECT_COPY);
  if (shift & ssShift) return orBase(DROPEFFECT_MOVE);
  if (shift & ssAlt) return orBase(DROPEFFECT_LINK);
  return base;
}

bool TBaseDataTree::FireDragOver(TObject* source, TShiftState shift, TDragState state, TPoint pt, TDropMode mode,
                                 DWORD& effect) {
  bool accept = false;
  if (OnDragOver) OnDragOver(this, source, shift, state, pt, mode, effect, accept);
  return accept;
}

bool TBaseDataTree::AboveRowMiddle(PDataNode node, TPoint pt) {
  int top = 0;
  NodeRowTop(node, top);
  return pt.Y < top + offsetY_ + node->NodeHeight / 2;
}

TDropMode TBaseDataTree::DropModeAt(PDataNode node, const THitInfo& hit, TPoint pt) {
  if (!node) return dmNowhere;
  const bool onLabel = hit.HitPositions.Contains(htOnItemLabel);
  const bool onIcon = hit.HitPositions.Contains(htOnNormalIcon) || hit.HitPositions.Contains(htOnStateIcon);
  if (!options_->PaintOptions().Contains(toShowDropmark) || onLabel || onIcon) return dmOnNode;
  return AboveRowMiddle(node, pt) ? dmAbove : dmBelow;
}

namespace {

TShiftState ButtonsHeld(TDataTreeStates states) {
  TShiftState shift = 0;
  if (states.Contains(tsLeftButtonDown)) shift |= ssLeft;
  if (states.Contains(tsMiddleButtonDown)) shift |= ssMiddle;
  if (states.Contains(tsRightButtonDown)) shift |= ssRight;
  return shift;
}

}  // namespace

HRESULT TBaseDataTree::OleDragEnter(DWORD keyState, TPoint screenPoint, DWORD& effect) {
  try {
    autoScrollStart_.reset();
    const TShiftState shift = ShiftOfKeys(keyState) | ButtonsHeld(states_);
    const TPoint pt = HandleAllocated() ? ScreenToClient(screenPoint) : screenPoint;
    TObject* source = dragManager_ ? dragManager_->SourceTree() : nullptr;
    effect = ProposeDropEffect(source, shift, pt, effect);
    if (!FireDragOver(source, shift, dsDragEnter, pt, lastDropMode_, effect)) {
      effect = DROPEFFECT_NONE;
      return S_OK;
    }
    THitInfo hit;
    HitTestAt(pt.X, pt.Y, true, hit);
    dropTargetNode_ = hit.HitNode;
    if (!hit.HitNode)
      lastDropMode_ = dmNowhere;
    else if (hit.HitPositions.Contains(htOnItemLabel))
      lastDropMode_ = dmOnNode;
    else
      lastDropMode_ = AboveRowMiddle(hit.HitNode, pt) ? dmAbove : dmBelow;
    ArmDropExpand(hit.HitNode);
    if (TDTDragImage* image = SourceDragImage()) {
      image->ShowImage();
      image->MoveTo(screenPoint, false);
    }
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT TBaseDataTree::OleDragOver(TObject* source, DWORD keyState, TDragState dragState, TPoint screenPoint,
                                   DWORD& effect) {
  try {
    // Under a tree's own drag image the client area is repainted into the image's background
    // rather than scrolled on the screen.
    TBaseDataTree* sourceTree = dynamic_cast<TBaseDataTree*>(source);
    const TPoint pt = HandleAllocated() ? ScreenToClient(screenPoint) : screenPoint;
    lastMouse_ = pt;
    const bool scrolled = DragScroll(pt, sourceTree ? oufFrame : oufAll);
    const TShiftState shift = ShiftOfKeys(keyState) | ButtonsHeld(states_);
    THitInfo hit;
    HitTestAt(pt.X, pt.Y, true, hit);
    PDataNode node = hit.HitNode;
    if (node && options_->MiscOptions().Contains(toReportMode)) {
      const bool onContent = hit.HitPositions.Contains(htOnItemLabel) ||
                             hit.HitPositions.Contains(htOnNormalIcon) || hit.HitPositions.Contains(htOnStateIcon);
      if ((header_->HasColumns() && hit.HitColumn != header_->MainColumn()) || !onContent) node = nullptr;
    }
    const TDropMode mode = DropModeAt(node, hit, pt);
    TDTDragImage* image = sourceTree ? sourceTree->NodeDragImage() : nullptr;
    const bool imageWillMove = image && image->WouldMove(screenPoint);
    const auto repaint = [&](const TRect& rows) {
      if (sourceTree)
        RefreshUnderDragImage(sourceTree, scrolled ? ClientRect() : rows, scrolled, !imageWillMove);
      else if (HandleAllocated())
        InvalidateRect(Handle(), &rows, false);
    };
    if (node != dropTargetNode_ || mode != lastDropMode_) {
      lastDropMode_ = mode;
      TRect rows = RowRectOf(node);
      if (node != dropTargetNode_) {
        KillTreeTimer(ExpandTimer);
        UnionRect(rows, rows, RowRectOf(dropTargetNode_));
        dropTargetNode_ = node;
        if (focusedColumn_ == ColumnNone && header_->HasColumns()) focusedColumn_ = header_->MainColumn();
        ArmDropExpand(node);
      }
      repaint(rows);
    } else if (scrolled && sourceTree) {
      RefreshUnderDragImage(sourceTree, ClientRect(), true, !imageWillMove);
    }
    if (HandleAllocated()) Update();
    if (imageWillMove) image->MoveTo(screenPoint, false);
    effect = ProposeDropEffect(source, shift, pt, effect);
    if (!FireDragOver(source, shift, dragState, pt, lastDropMode_, effect)) effect = DROPEFFECT_NONE;
    if (scrolled) effect |= DROPEFFECT_SCROLL;
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

bool TBaseDataTree::DragScroll(TPoint pt, TOffsetUpdateFlags flags) {
  const unsigned directions = AutoScrollDirections(pt.X, pt.Y);
  if (!directions) return false;
  const int vertical = std::min(scrollBarOptions_->VerticalIncrement, ClientHeight());
  const int horizontal = scrollBarOptions_->HorizontalIncrement;
  TPoint offset = Point(offsetX_, offsetY_);
  if (directions & ScrollUp) offset.Y += vertical;
  if (directions & ScrollDown) offset.Y -= vertical;
  if (directions & ScrollLeft) offset.X += horizontal;
  if (directions & ScrollRight) offset.X -= horizontal;
  return SetScrollOffset(offset, flags, nullptr);
}

TRect TBaseDataTree::RowRectOf(PDataNode node) {
  if (!node || node == root_) return {};
  return NodeDisplayRect(node, ColumnNone, false);
}

void TBaseDataTree::RefreshUnderDragImage(TBaseDataTree* sourceTree, TRect treeRect, bool updateNCArea,
                                          bool reshowDragImage) {
  if (!HandleAllocated() || !IntersectRect(treeRect, treeRect, ClientRect())) return;
  // The window's own pixels first: later moves of the image sample them from the screen.
  InvalidateRect(Handle(), &treeRect, false);
  if (updateNCArea) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  UpdateWindow(Handle());
  TDTDragImage* image = sourceTree ? sourceTree->NodeDragImage() : nullptr;
  if (!image || !image->IsShown()) return;
  const HRGN visible = VisibleRegion(Handle(), {image->Window()->Handle()});
  image->RefreshBackground(*this, treeRect, visible, updateNCArea, reshowDragImage);
  DeleteObject(visible);
}

void TBaseDataTree::OleDragLeave() {
  KillTreeTimer(ExpandTimer);
  if (TDTDragImage* image = SourceDragImage()) image->HideImage();
  autoScrollStart_.reset();
  if (dropTargetNode_) {
    RepaintNode(dropTargetNode_);
    dropTargetNode_ = nullptr;
  }
  if (HandleAllocated()) Update();
  DWORD effect = DROPEFFECT_NONE;
  FireDragOver(nullptr, 0, dsDragLeave, Point(0, 0), lastDropMode_, effect);
}

HRESULT TBaseDataTree::OleDrop(IDTDataObject& dataObject, DWORD keyState, TPoint screenPoint, DWORD& effect) {
  KillTreeTimer(ExpandTimer);
  KillTreeTimer(ScrollTimer);
  ChangeTreeStates({}, {tsScrollPending, tsScrolling});
  TObject* source = dragManager_ ? dragManager_->SourceTree() : SourceTreeOf(dataObject);
  HRESULT result = OleDragOver(source, keyState, dsDragMove, screenPoint, effect);
  if (result != S_OK || (effect & ~DROPEFFECT_SCROLL) == DROPEFFECT_NONE) {
    result = E_FAIL;
  } else {
    const TShiftState shift = ShiftOfKeys(keyState) | ButtonsHeld(states_);
    const TPoint pt = HandleAllocated() ? ScreenToClient(screenPoint) : screenPoint;
    std::vector<UINT> formats;
    CountedPtr<TEnumFormatEtc> enumerator;
    TFormatEtcArray offered;
    if (dataObject.EnumFormatEtc(DATADIR_GET, enumerator) == S_OK) enumerator->Next(SIZE_MAX, offered, nullptr);
    for (const TFormatEtc& format : offered) formats.push_back(format.Format);
    effect &= ~DROPEFFECT_SCROLL;
    try {
      if (OnDragDrop) OnDragDrop(this, source, dataObject, formats, shift, pt, effect, lastDropMode_);
    } catch (...) {
      // Shown by the application: raised on, it would leave the drag loop's event handler.
      Application().HandleException(std::current_exception());
      result = E_UNEXPECTED;
    }
  }
  if (dropTargetNode_) {
    RepaintNode(dropTargetNode_);
    dropTargetNode_ = nullptr;
  }
  autoScrollStart_.reset();
  return result;
}

void TBaseDataTree::ArmDropExpand(PDataNode node) {
  if (node && options_->AutoOptions().Contains(toAutoDropExpand) && node->Has(nsHasChildren) &&
      !node->Has(nsExpanded) && HandleAllocated())
    SetTimer(Handle(), ExpandTimer, AutoExpandDelay, nullptr);
}

void TBaseDataTree::AutoExpandDropTarget() {
  KillTreeTimer(ExpandTimer);
  if (!dropTargetNode_ || !dropTargetNode_->Has(nsHasChildren) || dropTargetNode_->Has(nsExpanded)) return;
  TDTDragImage* image = SourceDragImage();
  if (image) image->HideImage();
  ToggleExpanded(dropTargetNode_);
  if (HandleAllocated()) Update();
  if (image) image->ShowImage();
}

// ---- The drop mark ----------------------------------------------------------------------------

void TBaseDataTree::PaintDropMark(TCanvas& canvas, PDataNode node, const TRect& rowRect) {
  if (node != dropTargetNode_ || (lastDropMode_ != dmAbove && lastDropMode_ != dmBelow) ||
      !options_->PaintOptions().Contains(toShowDropmark))
    return;
  int left = margin_ + Indentation(node);
  int right = rowRect.Right;
  if (header_->HasColumns()) {
    int columnLeft = 0;
    header_->Columns().ColumnAt(header_->MainColumn()).AbsoluteExtent(columnLeft, right);
    left += columnLeft;
  }
  PaintDropIndicator(canvas, Rect(left, rowRect.Top, right, rowRect.Bottom));
}

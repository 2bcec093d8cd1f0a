#include "treeview/DTDragManager.h"

#include "treeview/BaseDataTree.h"
#include "treeview/DataTransferResults.h"
#include "treeview/TransferDataObject.h"

TDTDragManager::TDTDragManager(TBaseDataTree& owner) : owner_(owner) {}

TDTDragManager::~TDTDragManager() = default;

HRESULT TDTDragManager::DragEnter(IDTDataObject& dataObject, DWORD keyState, TPoint screenPoint, DWORD& effect) {
  dataObject_ = &dataObject;
  isDropTarget_ = true;
  dragSource_ = TBaseDataTree::SourceTreeOf(dataObject);
  return owner_.OleDragEnter(keyState, screenPoint, effect);
}

HRESULT TDTDragManager::DragOver(DWORD keyState, TPoint screenPoint, DWORD& effect) {
  return owner_.OleDragOver(dragSource_, keyState, dsDragMove, screenPoint, effect);
}

HRESULT TDTDragManager::DragLeave() {
  owner_.OleDragLeave();
  isDropTarget_ = false;
  dragSource_ = nullptr;
  dataObject_ = nullptr;
  return S_OK;
}

HRESULT TDTDragManager::Drop(IDTDataObject& dataObject, DWORD keyState, TPoint screenPoint, DWORD& effect) {
  const CountedPtr<IDTDataObject> keep(&dataObject);
  const HRESULT result = owner_.OleDrop(dataObject, keyState, screenPoint, effect);
  isDropTarget_ = false;
  dragSource_ = nullptr;
  dataObject_ = nullptr;
  return result;
}

HRESULT TDTDragManager::QueryContinueDrag(bool escapePressed, DWORD keyState) {
  const bool left = keyState & MK_LBUTTON;
  const bool right = keyState & MK_RBUTTON;
  if (escapePressed || (left && right)) return DRAGDROP_S_CANCEL_RESULT;
  return left || right ? S_OK : DRAGDROP_S_DROP_RESULT;
}

HRESULT TDTDragManager::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

CountedPtr<IDTDataObject> TDTDragManager::CurrentDataObject() {
  return dataObject_ ? dataObject_ : owner_.CreateDataObject(false);
}

void TDTDragManager::ForceDragLeave() {
  if (isDropTarget_) DragLeave();
}

DWORD TDTDragManager::TDesktopTarget::DragEnter(const TDataObject& data, DWORD keyState, TPoint screenPoint,
                                                DWORD allowedEffects) {
  DWORD effect = allowedEffects;
  const auto dataObject = MakeCounted<TTransferDataObject>(data);
  return manager_.DragEnter(*dataObject, keyState, screenPoint, effect) == S_OK ? effect : DROPEFFECT_NONE;
}

DWORD TDTDragManager::TDesktopTarget::DragOver(DWORD keyState, TPoint screenPoint, DWORD allowedEffects) {
  DWORD effect = allowedEffects;
  return manager_.DragOver(keyState, screenPoint, effect) == S_OK ? effect & ~DROPEFFECT_SCROLL : DROPEFFECT_NONE;
}

void TDTDragManager::TDesktopTarget::DragLeave() { manager_.DragLeave(); }

DWORD TDTDragManager::TDesktopTarget::Drop(const TDataObject& data, DWORD keyState, TPoint screenPoint,
                                           DWORD allowedEffects) {
  DWORD effect = allowedEffects;
  const auto dataObject = MakeCounted<TTransferDataObject>(data);
  return manager_.Drop(*dataObject, keyState, screenPoint, effect) == S_OK ? effect & ~DROPEFFECT_SCROLL
                                                                           : DROPEFFECT_NONE;
}

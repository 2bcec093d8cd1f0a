#pragma once
// A tree's drag manager: the tree's drop target (fed by the toolkit's drag
// and drop through DesktopTarget) and drop source. There is no system drop
// target service here: drags always reach the tree's own handling.

#include "runtime/CountedPtr.h"
#include "toolkit/win/DragDrop.h"
#include "treeview/DataTransfer.h"

class TBaseDataTree;

class TDTDragManager : public TCounted {
public:
  explicit TDTDragManager(TBaseDataTree& owner);
  ~TDTDragManager() override;

  // The drop target: each answers through Effect and the result code.
  HRESULT DragEnter(IDTDataObject& dataObject, DWORD keyState, TPoint screenPoint, DWORD& effect);
  HRESULT DragOver(DWORD keyState, TPoint screenPoint, DWORD& effect);
  HRESULT DragLeave();
  HRESULT Drop(IDTDataObject& dataObject, DWORD keyState, TPoint screenPoint, DWORD& effect);
  // The drop source: cancel on Escape or both buttons, go on while one is down, drop when none is.
  static HRESULT QueryContinueDrag(bool escapePressed, DWORD keyState);
  static HRESULT GiveFeedback(DWORD effect);

  void CancelHelperDrag() {}
  // The data object of the drag in progress, else a new one of the tree's formats.
  CountedPtr<IDTDataObject> CurrentDataObject();
  TBaseDataTree* SourceTree() const { return dragSource_; }
  bool HasDropTargetHelper() const { return false; }
  bool IsDropTargetNow() const { return isDropTarget_; }
  // Ends a drag over the tree as if the mouse had left it.
  void ForceDragLeave();
  // What the toolkit's drag and drop delivers to the tree's window.
  IDropTarget& DesktopTarget() { return desktopTarget_; }

private:
  class TDesktopTarget : public IDropTarget {
  public:
    explicit TDesktopTarget(TDTDragManager& manager) : manager_(manager) {}
    DWORD DragEnter(const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowedEffects) override;
    DWORD DragOver(DWORD keyState, TPoint screenPoint, DWORD allowedEffects) override;
    void DragLeave() override;
    DWORD Drop(const TDataObject& data, DWORD keyState, TPoint screenPoint, DWORD allowedEffects) override;

  private:
    TDTDragManager& manager_;
  };

  TBaseDataTree& owner_;
  TBaseDataTree* dragSource_ = nullptr;
  bool isDropTarget_ = false;
  CountedPtr<IDTDataObject> dataObject_;
  TDesktopTarget desktopTarget_{*this};
};

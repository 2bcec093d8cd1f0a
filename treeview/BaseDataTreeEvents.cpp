// The event firers: each one alone calls its event, and answers the
// default when the event is not assigned.

#include "toolkit/win/Timers.h"
#include "toolkit/win/WinEvent.h"
#include "treeview/BaseDataTree.h"
#include "treeview/DataTreeOptions.h"

void TBaseDataTree::NotifyStateChanged() {
  if (HandleAllocated()) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

void TBaseDataTree::FireChange(PDataNode node) {
  KillTreeTimer(ChangeTimer);
  if (OnChange) OnChange(this, node);
  ChangeTreeStates({}, {tsChangePending});
  lastChangedNode_ = nullptr;
}

void TBaseDataTree::FireStructureChange(PDataNode node, TChangeReason reason) {
  KillTreeTimer(StructureChangeTimer);
  if (OnStructureChange) OnStructureChange(this, node, reason);
  ChangeTreeStates({}, {tsStructureChangePending});
  lastStructureChangeNode_ = nullptr;
  lastStructureChangeReason_ = crIgnore;
}

void TBaseDataTree::FireFocusChanged(PDataNode node, TColumnIndex column) {
  if (OnFocusChanged) OnFocusChanged(this, node, column);
  if (!HandleAllocated()) return;
  for (DWORD event : {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE,
                      EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_SELECTION, EVENT_OBJECT_FOCUS})
    NotifyWinEvent(event, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

bool TBaseDataTree::FireFocusChanging(PDataNode oldNode, PDataNode newNode, TColumnIndex oldColumn,
                                      TColumnIndex newColumn) {
  bool allowed = true;
  if (OnFocusChanging) OnFocusChanging(this, oldNode, newNode, oldColumn, newColumn, allowed);
  return allowed;
}

void TBaseDataTree::FireInitNode(PDataNode parent, PDataNode node, TDataNodeInitStates& initialStates) {
  if (OnInitNode) OnInitNode(this, parent, node, initialStates);
}

void TBaseDataTree::FireInitChildren(PDataNode node, unsigned& childCount) {
  if (OnInitChildren) OnInitChildren(this, node, childCount);
}

void TBaseDataTree::FireResetNode(PDataNode node) {
  if (OnResetNode) OnResetNode(this, node);
}

void TBaseDataTree::FireGetNodeDataSize(int& size) {
  size = 0;
  if (OnGetNodeDataSize) OnGetNodeDataSize(this, size);
}

void TBaseDataTree::FireUpdating(TDTUpdateState state) {
  if (OnUpdating) OnUpdating(this, state);
}

bool TBaseDataTree::FireExpanding(PDataNode node) {
  bool allowed = true;
  if (OnExpanding) OnExpanding(this, node, allowed);
  return allowed;
}

bool TBaseDataTree::FireCollapsing(PDataNode node) {
  bool allowed = true;
  if (OnCollapsing) OnCollapsing(this, node, allowed);
  return allowed;
}

void TBaseDataTree::FireExpanded(PDataNode node) {
  if (OnExpanded) OnExpanded(this, node);
  NotifyStateChanged();
}

void TBaseDataTree::FireCollapsed(PDataNode node) {
  if (OnCollapsed) OnCollapsed(this, node);
  NotifyStateChanged();
}

bool TBaseDataTree::FireChecking(PDataNode node, TCheckState& newState) {
  if (ReadOnly()) return false;
  bool allowed = true;
  if (OnChecking) OnChecking(this, node, newState, allowed);
  return allowed;
}

void TBaseDataTree::FireChecked(PDataNode node) {
  if (OnChecked) OnChecked(this, node);
  NotifyStateChanged();
}

int TBaseDataTree::FireCompareNodes(PDataNode node1, PDataNode node2, TColumnIndex column) {
  int result = 0;
  if (OnCompareNodes) OnCompareNodes(this, node1, node2, column, result);
  return result;
}

bool TBaseDataTree::FireGetCellIsEmpty(PDataNode node, TColumnIndex column) {
  bool isEmpty = true;
  if (OnGetCellIsEmpty) OnGetCellIsEmpty(this, node, column, isEmpty);
  return isEmpty;
}

bool TBaseDataTree::FireKeyAction(WORD& charCode, TShiftState& shift) {
  bool doDefault = true;
  if (OnKeyAction) OnKeyAction(this, charCode, shift, doDefault);
  return doDefault;
}

int TBaseDataTree::FireIncrementalSearch(PDataNode node, const std::string& searchText) {
  int result = 0;
  if (OnIncrementalSearch) OnIncrementalSearch(this, node, searchText, result);
  return result;
}

bool TBaseDataTree::FireDragAllowed(PDataNode node, TColumnIndex column) {
  bool allowed = false;
  if (OnDragAllowed) OnDragAllowed(this, node, column, allowed);
  return allowed;
}

TImageList* TBaseDataTree::FireGetImageIndex(PDataNode node, TDTImageKind kind, TColumnIndex column,
                                             bool& ghosted, int& imageIndex) {
  TImageList* imageList = nullptr;
  if (OnGetImageIndexEx)
    OnGetImageIndexEx(this, node, kind, column, ghosted, imageIndex, imageList);
  else if (OnGetImageIndex)
    OnGetImageIndex(this, node, kind, column, ghosted, imageIndex);
  return imageList;
}

void TBaseDataTree::FireHotChange(PDataNode oldNode, PDataNode newNode) {
  if (OnHotChange) OnHotChange(this, oldNode, newNode);
}

bool TBaseDataTree::FireNodeCopying(PDataNode node, PDataNode target) {
  bool allowed = true;
  if (OnNodeCopying) OnNodeCopying(this, node, target, allowed);
  return allowed;
}

bool TBaseDataTree::FireNodeMoving(PDataNode node, PDataNode target) {
  bool allowed = true;
  if (OnNodeMoving) OnNodeMoving(this, node, target, allowed);
  return allowed;
}

void TBaseDataTree::FireNodeCopied(PDataNode node) {
  if (OnNodeCopied) OnNodeCopied(this, node);
}

void TBaseDataTree::FireNodeMoved(PDataNode node) {
  if (OnNodeMoved) OnNodeMoved(this, node);
}

void TBaseDataTree::FireColumnClick(TColumnIndex column, TShiftState shift) {
  if (OnColumnClick) OnColumnClick(this, column, shift);
}

void TBaseDataTree::FireColumnDblClick(TColumnIndex column, TShiftState shift) {
  if (OnColumnDblClick) OnColumnDblClick(this, column, shift);
}

void TBaseDataTree::FireMeasureItem(TCanvas& canvas, PDataNode node, int& nodeHeight) {
  if (OnMeasureItem) OnMeasureItem(this, canvas, node, nodeHeight);
}

void TBaseDataTree::FireScroll(int deltaX, int deltaY) {
  if (OnScroll) OnScroll(this, deltaX, deltaY);
}

void TBaseDataTree::FireGetCursor(TCursor& cursor) {
  if (OnGetCursor) OnGetCursor(this, cursor);
}

bool TBaseDataTree::FireHeaderDragging(TColumnIndex column) {
  bool allowed = true;
  if (OnHeaderDragging) OnHeaderDragging(&Header(), column, allowed);
  return allowed;
}

std::string TBaseDataTree::NodeHint(PDataNode, TColumnIndex, TDTTooltipLineBreakStyle& lineBreakStyle) {
  lineBreakStyle = hlbDefault;
  return Hint;
}

std::string TBaseDataTree::NodeTooltip(PDataNode node, TColumnIndex column,
                                       TDTTooltipLineBreakStyle& lineBreakStyle) {
  return TBaseDataTree::NodeHint(node, column, lineBreakStyle);
}

int TBaseDataTree::NodeContentWidth(PDataNode, TColumnIndex, TCanvas&) { return 0; }

void TBaseDataTree::CellTextInfo(PDataNode, TColumnIndex, TFont& font, TRect& r, std::string& text) {
  font.Assign(Font());
  r = TRect{};
  text.clear();
}

// In-place editing: whether a cell may be edited, starting, placing, ending
// and cancelling an edit through the owner's edit link.

#include "toolkit/win/WinEvent.h"
#include "treeview/BaseDataTree.h"

void TBaseDataTree::MainColumnSwitched() {
  CancelNodeEdit();
  if (HandleAllocated()) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Handle(), OBJID_CLIENT, CHILDID_SELF);
}

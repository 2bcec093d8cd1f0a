#pragma once
// The contract between the tree and an in-place editor. The tree holds one
// counted reference to the link of the running edit and drives it: prepare,
// place, show, then commit or hide; the link may refuse each step.

#include "runtime/CountedPtr.h"
#include "toolkit/base/Rect.h"
#include "toolkit/win/Messages.h"
#include "treeview/DataNode.h"
#include "treeview/DataTreeTypes.h"

class TBaseDataTree;

class IDTEditLink : public TCounted {
public:
  virtual bool ShowEditor() = 0;
  // Ends the edit without its value.
  virtual bool HideEditor() = 0;
  // Ends the edit taking its value; false keeps the edit open.
  virtual bool CommitEdit() = 0;
  virtual bool PrepareEditor(TBaseDataTree* tree, PDataNode node, TColumnIndex column) = 0;
  virtual TRect GetEditorBounds() = 0;
  virtual void ForwardMessage(TMessage& message) = 0;
  // R: the edited cell's text rectangle in the tree's client coordinates.
  virtual void SetEditorBounds(TRect r) = 0;
};

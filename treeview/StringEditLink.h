#pragma once
// The text tree's own in-place editor: a TDTEdit over the cell's text,
// driven by the tree through IDTEditLink. Once the edit ended (hidden or
// committed) the link is stopping and ignores further commands, so the
// calls the tree makes back into it while cancelling do nothing.

#include <string>

#include "toolkit/controls/Control.h"
#include "treeview/DTEditLink.h"

class TCustomDataStringTree;
class TDTEdit;

class TStringEditLink : public IDTEditLink {
public:
  TStringEditLink();
  ~TStringEditLink() override;

  bool ShowEditor() override;
  bool HideEditor() override;
  bool CommitEdit() override;
  bool PrepareEditor(TBaseDataTree* tree, PDataNode node, TColumnIndex column) override;
  TRect GetEditorBounds() override;
  void ForwardMessage(TMessage& message) override;
  void SetEditorBounds(TRect r) override;

  TDTEdit* Edit() const { return edit_; }
  TCustomDataStringTree* Tree() const { return tree_; }
  PDataNode Node() const { return node_; }
  TColumnIndex Column() const { return column_; }
  TAlignment Alignment() const { return alignment_; }
  // Where the cell's text was drawn (client coordinates of the tree).
  const TRect& TextBounds() const { return textBounds_; }
  bool Stopping() const { return stopping_; }
  // The edit tells the link it is gone (freed with its parent before its release message came).
  void EditGone() { edit_ = nullptr; }

private:
  TDTEdit* edit_;
  TCustomDataStringTree* tree_ = nullptr;
  PDataNode node_ = nullptr;
  TColumnIndex column_ = ColumnNone;
  TAlignment alignment_ = taLeftJustify;
  TRect textBounds_;
  bool stopping_ = false;
};

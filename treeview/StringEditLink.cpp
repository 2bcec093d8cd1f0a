#include "treeview/StringEditLink.h"

#include <algorithm>

#include "toolkit/gdi/Font.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Window.h"
#include "treeview/CustomDataStringTree.h"
#include "treeview/DTEdit.h"
#include "treeview/DTHeader.h"
#include "treeview/TreeRoutines.h"

namespace {

constexpr int MinimumEditWidth = 30;

}  // namespace

TStringEditLink::TStringEditLink() : edit_(new TDTEdit(*this)) {
  edit_->SetVisible(false);
  edit_->SetBorderStyle(bsNone);
}

TStringEditLink::~TStringEditLink() {
  if (edit_) edit_->ReleaseLater();
}

bool TStringEditLink::ShowEditor() {
  if (stopping_) return false;
  edit_->Show();
  edit_->SelectAll();
  edit_->SetFocus();
  return true;
}

bool TStringEditLink::HideEditor() {
  if (stopping_) return false;
  stopping_ = true;
  edit_->Hide();
  tree_->CancelNodeEdit();
  edit_->ForgetLink();
  return true;
}

bool TStringEditLink::CommitEdit() {
  if (stopping_) return false;
  stopping_ = true;
  try {
    if (edit_->Modified()) tree_->SetCellText(node_, column_, GetWindowText(edit_->Handle()));
    edit_->Hide();
    edit_->ForgetLink();
  } catch (...) {
    stopping_ = false;
    throw;
  }
  return true;
}

bool TStringEditLink::PrepareEditor(TBaseDataTree* tree, PDataNode node, TColumnIndex column) {
  auto* stringTree = dynamic_cast<TCustomDataStringTree*>(tree);
  if (!stringTree) return false;
  tree_ = stringTree;
  node_ = node;
  column_ = column;
  TFont font;
  std::string text;
  tree_->CellTextInfo(node, column, font, textBounds_, text);
  const TDataTreeColumns& columns = tree_->Header().Columns();
  alignment_ = columns.ColumnExists(column) ? columns.ColumnAt(column).Alignment() : tree_->Alignment();
  if (tree_->ReadsRightToLeft(column)) alignment_ = Mirrored(alignment_);
  edit_->Attach(*this);
  edit_->Font().Assign(font);
  edit_->Font().SetColor(clWindowText);
  // The window's style follows the node (one line or several) and the alignment.
  edit_->SetParent(tree_);
  if (edit_->HandleAllocated()) edit_->RecreateWnd();
  edit_->HandleNeeded();
  edit_->SetText(text);
  edit_->SetModified(false);
  return true;
}

TRect TStringEditLink::GetEditorBounds() { return edit_->BoundsRect(); }

void TStringEditLink::ForwardMessage(TMessage& message) {
  message.Result = edit_->Perform(message.Msg, message.WParam, message.LParam);
}

void TStringEditLink::SetEditorBounds(TRect r) {
  // The tree may place the editor while scrolling the node into view, before preparing it.
  if (stopping_ || !tree_) return;
  r.Left = std::max(r.Left, 0);
  if (r.Width() < MinimumEditWidth) {
    if (alignment_ == taRightJustify)
      r.Left = r.Right - MinimumEditWidth;
    else
      r.Right = r.Left + MinimumEditWidth;
  }
  r.Right = std::min(r.Right, tree_->ClientWidth());
  edit_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  // The edited text stands where the cell's text was drawn.
  TRect format = edit_->ClientRect();
  InflateRect(format, 2 - tree_->TextMargin(), 2);
  if (!node_->Has(nsMultiline)) OffsetRect(format, 0, textBounds_.Top - r.Top);
  edit_->Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
}

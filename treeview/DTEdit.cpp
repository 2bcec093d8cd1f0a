#include "treeview/DTEdit.h"

#include "toolkit/gdi/Canvas.h"
#include "toolkit/win/ControlMessages.h"
#include "toolkit/win/Keys.h"
#include "toolkit/win/MessageQueue.h"
#include "toolkit/win/Messages.h"
#include "toolkit/win/Styles.h"
#include "toolkit/win/Window.h"
#include "treeview/CustomDataStringTree.h"
#include "treeview/StringEditLink.h"

TDTEdit::TDTEdit(TStringEditLink& link) : TEdit(nullptr), link_(&link) {}

TDTEdit::~TDTEdit() {
  if (link_) link_->EditGone();
}

void TDTEdit::Attach(TStringEditLink& link) {
  link_ = &link;
  reference_ = CountedPtr<IDTEditLink>(&link);
}

void TDTEdit::ForgetLink() {
  link_ = nullptr;
  reference_ = nullptr;
}

void TDTEdit::ReleaseLater() {
  if (HandleAllocated())
    PostMessage(Handle(), ReleaseMessage, 0, 0);
  else
    delete this;
}

bool TDTEdit::SingleLine() const { return !link_ || !link_->Node() || !link_->Node()->Has(nsMultiline); }

void TDTEdit::CreateParams(TCreateParams& params) {
  TEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | WS_BORDER;
  params.ExStyle &= ~WS_EX_CLIENTEDGE;
  if (SingleLine()) {
    params.Style &= ~(WS_VSCROLL | ES_AUTOVSCROLL);
    params.Style |= ES_AUTOHSCROLL;
  } else {
    // The text wraps at the edit's width.
    params.Style &= ~(ES_AUTOHSCROLL | WS_HSCROLL);
    params.Style |= WS_VSCROLL | ES_AUTOVSCROLL;
  }
  if (link_ && link_->Alignment() == taRightJustify) params.Style |= ES_RIGHT;
  if (link_ && link_->Alignment() == taCenter) params.Style |= ES_CENTER;
  if (link_ && link_->Tree() && link_->Tree()->ReadsRightToLeft(link_->Column())) params.ExStyle |= WS_EX_RTLREADING;
}

void TDTEdit::FitToText() {
  if (!link_ || !link_->Tree()) return;
  TCustomDataStringTree& tree = *link_->Tree();
  TCanvas& canvas = tree.Canvas();
  canvas.Font().Assign(Font());
  const int width = canvas.TextWidth(GetWindowText(Handle())) + 2 * tree.TextMargin();
  // The part of the cell the edit no longer covers is drawn again.
  if (width < Width()) tree.RepaintNode(link_->Node());
  TRect r = BoundsRect();
  if (link_->Alignment() == taRightJustify)
    r.Left = r.Right - width;
  else
    r.Right = r.Left + width;
  link_->SetEditorBounds(r);
}

bool TDTEdit::EditKey(WORD key, TShiftState shift) {
  TCustomDataStringTree* tree = link_ ? link_->Tree() : nullptr;
  if (!tree) return false;
  switch (key) {
    case VK_RETURN:
      if (!SingleLine() && !(shift & ssCtrl)) return false;
      tree->RepaintNode(link_->Node());
      // Accepting ends the link; the tree is all that is left to use.
      if (tree->AcceptNodeEdit()) tree->SetFocus();
      return true;
    case VK_ESCAPE:
      tree->CancelNodeEdit();
      tree->SetFocus();
      return true;
    default: return false;
  }
}

void TDTEdit::LeaveFocus() {
  if (!link_ || link_->Stopping() || !link_->Tree()) return;
  TCustomDataStringTree& tree = *link_->Tree();
  if (tree.TreeOptions().StringOptions().Contains(toAutoAcceptEditChange))
    tree.AcceptNodeEdit();
  else
    tree.CancelNodeEdit();
}

void TDTEdit::StoreModifiedText() {
  if (!link_ || link_->Stopping() || !link_->Tree()) return;
  TCustomDataStringTree& tree = *link_->Tree();
  if (tree.TreeOptions().StringOptions().Contains(toAutoAcceptEditChange) && Modified())
    tree.SetCellText(link_->Node(), link_->Column(), GetWindowText(Handle()));
}

void TDTEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case ReleaseMessage: delete this; return;
    case WM_GETDLGCODE:
      TEdit::Dispatch(message);
      message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
      return;
    case WM_KEYDOWN: {
      const auto key = static_cast<WORD>(message.WParam);
      if (EditKey(key, KeyboardShiftState())) return;
      // One line has no lines above or below: Up and Down move the caret as Left and Right.
      if (SingleLine() && key == VK_UP) message.WParam = VK_LEFT;
      if (SingleLine() && key == VK_DOWN) message.WParam = VK_RIGHT;
      break;
    }
    case WM_CHAR:
      // An ended edit takes no more text; Tab and Escape never type, line breaks only in several lines.
      if (!link_ || message.WParam == '\t' || message.WParam == 0x1B) return;
      if (SingleLine() && (message.WParam == '\r' || message.WParam == '\n')) return;
      break;
    case CN_COMMAND:
      if (HIWORD(message.WParam) == EN_UPDATE && link_ && link_->Tree() && SingleLine() &&
          !link_->Tree()->TreeOptions().MiscOptions().Contains(toGridExtensions))
        FitToText();
      break;
    case WM_KILLFOCUS:
      TEdit::Dispatch(message);
      LeaveFocus();
      return;
    case WM_DESTROY: StoreModifiedText(); break;
    default: break;
  }
  TEdit::Dispatch(message);
}

#include "Edits/EdRes.h"

#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Panel.h"

namespace {

constexpr int EditTop = 8;

}  // namespace

TEdRes::TEdRes(TComponent* owner) : TEdRow(owner, "EdRes", rtResult, 320, 40) {
  edit_ = new TEdit(this);
  edit_->SetParent(&Panel());
  edit_->SetReadOnly(true);
  edit_->SetBounds(RowMargin, EditTop, Width() - 2 * RowMargin, edit_->Height());
  edit_->Hint = " Function result ";
  edit_->ShowHint = true;
  edit_->OnChange = [this](TObject*) { edit_->Hint = " " + edit_->Text() + " "; };
}

void TEdRes::SetResultText(const std::string& text) { edit_->SetText(text); }

std::string TEdRes::ResultText() const { return edit_->Text(); }

void TEdRes::FitControls() { edit_->SetWidth(ClientWidth() - 2 * RowMargin); }

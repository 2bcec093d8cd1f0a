#include "Edits/EdInfo.h"

#include "toolkit/controls/Edit.h"
#include "toolkit/controls/Panel.h"

namespace {

const TColor Paper = RGB(255, 251, 240);
constexpr int MemoTop = 4;

}  // namespace

TEdInfo::TEdInfo(TComponent* owner) : TEdRow(owner, "EdInfo", rtInfo, 354, 73) {
  Panel().SetColor(Paper);
  memo_ = new TMemo(this);
  memo_->SetParent(&Panel());
  memo_->SetBorderStyle(bsNone);
  memo_->SetReadOnly(true);
  memo_->SetColor(Paper);
  memo_->Font().SetName("Verdana");
  memo_->TabStop = false;
  memo_->SetBounds(RowMargin, MemoTop, Width() - 2 * RowMargin, Height() - 2 * MemoTop);
}

void TEdInfo::SetInfo(const std::string& text) { memo_->Lines().SetText(text); }

void TEdInfo::FitControls() { memo_->SetWidth(ClientWidth() - 2 * RowMargin); }

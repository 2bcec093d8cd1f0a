#include "Edits/EdBool.h"

#include "engine/Kind.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"
#include "toolkit/controls/Button.h"
#include "toolkit/controls/Panel.h"

namespace {

constexpr int CheckBoxTop = 4;

}  // namespace

TEdBool::TEdBool(TComponent* owner) : TEdRow(owner, "EdBool", rtBool, 320, 25) {
  checkBox_ = new TCheckBox(this);
  checkBox_->SetParent(&Panel());
  checkBox_->SetBounds(RowMargin, CheckBoxTop, Width() - 2 * RowMargin, checkBox_->Height());
}

void TEdBool::SetVariable(TVar* variable) {
  var_ = dynamic_cast<TBaseVar*>(variable);
  QASSERT(var_ && var_->Kind()->Code() == kcBoolean, "6A1F0B31");
  auto* param = dynamic_cast<TParamVar*>(variable);
  checkBox_->SetCaption(param ? param->Label() : VariableLabel(*variable));
  checkBox_->SetChecked(param && param->GetValue().AsBool());
  checkBox_->OnClick = [this](TObject*) { ReportChange(); };
}

void TEdBool::Commit() { var_->SetValue(TValue::Boolean(checkBox_->Checked())); }

void TEdBool::FitControls() { checkBox_->SetWidth(ClientWidth() - 2 * RowMargin); }

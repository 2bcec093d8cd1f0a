#include "Edits/EdEnum.h"

#include "engine/Kind.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"
#include "toolkit/controls/ComboBox.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"

namespace {

constexpr int LabelTop = 4;

}  // namespace

TEdEnum::TEdEnum(TComponent* owner) : TEdRow(owner, "EdEnum", rtEnum, 363, 54) {
  txt_ = new TLabel(this);
  txt_->SetParent(&Panel());
  txt_->SetLeft(RowMargin);
  txt_->SetTop(LabelTop);
  comboBox_ = new TComboBox(this);
  comboBox_->SetParent(&Panel());
  comboBox_->SetStyle(csDropDownList);
  comboBox_->SetBounds(RowMargin, RowControlTop, Width() - 2 * RowMargin, comboBox_->Height());
}

void TEdEnum::SetVariable(TVar* variable) {
  var_ = dynamic_cast<TBaseVar*>(variable);
  QASSERT(var_ && var_->Kind()->Code() == kcEnum, "6A1F0B32");
  const auto& kind = static_cast<const TEnumKind&>(*var_->Kind());
  auto* param = dynamic_cast<TParamVar*>(variable);
  lowest_ = 0;
  std::int64_t highest = kind.Count() - 1;
  if (param && param->HasLimits()) {
    lowest_ = param->Low().AsInt();
    highest = param->High().AsInt();
  }
  comboBox_->Items().Clear();
  for (std::int64_t ordinal = lowest_; ordinal <= highest; ++ordinal)
    comboBox_->Items().Add(DisplayName(kind.GetName(ordinal)));
  const std::int64_t selected = param ? param->GetValue().AsInt() : lowest_;
  comboBox_->SetItemIndex(static_cast<int>(selected - lowest_));
  fullLabel_ = param ? param->Label() : VariableLabel(*variable);
  FitControls();
  comboBox_->OnChange = [this](TObject*) { ReportChange(); };
}

TValue TEdEnum::GetValue() { return TValue::Enum(lowest_ + comboBox_->ItemIndex()); }

void TEdEnum::Commit() { var_->SetValue(GetValue()); }

void TEdEnum::FitControls() {
  const int width = ClientWidth() - 2 * RowMargin;
  comboBox_->SetWidth(width);
  txt_->SetCaption(FitLabel(fullLabel_, width, txt_->Font()));
}

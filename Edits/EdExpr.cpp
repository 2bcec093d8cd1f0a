#include "Edits/EdExpr.h"

#include "console/XEdit.h"
#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/Var.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"

namespace {

const TColor Invalid = RGB(255, 192, 192);
constexpr int LabelTop = 4;
constexpr int FontHeight = -13;

bool IsScalarCode(TKindCode code) { return code >= kcInteger && code <= kcString; }

// A value as a text that compiles back to it: Chars and Strings quoted.
std::string SourceText(const TValue& value) {
  const auto quoted = [](const std::string& text) {
    std::string source = "'";
    for (char c : text) source += c == '\'' ? std::string("''") : std::string(1, c);
    return source + "'";
  };
  switch (value.Kind()) {
    case kcString: return quoted(value.Str());
    case kcChar: return quoted(value.AsChar() == '\0' ? std::string() : std::string(1, value.AsChar()));
    default: return ValueToText(value);
  }
}

}  // namespace

TEdExpr::TEdExpr(TComponent* owner, const TEdHost& host) : TEdRow(owner, "EdExpr", rtExpression, 273, 54), host_(host) {
  eLabel_ = new TLabel(this);
  eLabel_->SetParent(&Panel());
  eLabel_->Font().SetName("Verdana");
  eLabel_->Font().SetHeight(FontHeight);
  eLabel_->SetLeft(RowMargin);
  eLabel_->SetTop(LabelTop);
}

TEdExpr::~TEdExpr() = default;

// The edit is made once the row stands in its list: it needs a window at once.
void TEdExpr::MakeEdit() {
  edit_ = new TXEdit(&Panel(), false);
  edit_->EnterExec = false;
  edit_->Syntax = host_.Syntax;
  edit_->PlainColors = false;
  edit_->SetPrompt("");
  edit_->SetBounds(RowMargin, RowControlTop, Width() - 2 * RowMargin, EditHeight);
  // The edit's own changes (SetSource) do not come here.
  edit_->OnChange = [this](TObject*) { EditChange(); };
}

void TEdExpr::SetVariable(TVar* variable) {
  if (!edit_) MakeEdit();
  var_ = variable;
  std::string text;
  if (auto* param = dynamic_cast<TParamVar*>(variable)) {
    fullLabel_ = param->Label();
    text = SourceText(param->GetValue());
  } else {
    fullLabel_ = VariableLabel(*variable);
    const TKindCode code = variable->Kind()->Code();
    if (IsScalarCode(code)) {
      TValue zero;
      ClearValue(code, zero);
      text = SourceText(zero);
    }
  }
  FitControls();
  edit_->SetSource(text);
}

std::unique_ptr<TExpression> TEdExpr::Parse(const std::string& text) {
  if (text.empty() || !var_ || host_.Engine->IsRunning()) return nullptr;
  std::unique_ptr<TExpression> tree = host_.Engine->ParseExpression(text);
  if (!tree || !tree->Check() || !IsAssignable(var_->Kind(), tree->ResultKind())) return nullptr;
  return tree;
}

bool TEdExpr::Validate() {
  if (!edit_ || host_.Engine->IsRunning()) return false;
  const bool valid = Parse(edit_->GetSource()) != nullptr;
  edit_->SetColor(valid ? clWindow : Invalid);
  return valid;
}

void TEdExpr::PrepareCommit() { prepared_ = edit_ ? Parse(edit_->GetSource()) : nullptr; }

void TEdExpr::Commit() {
  if (prepared_ && prepared_->Evaluate()) var_->Assign(*prepared_->ResultVar(), false);
  prepared_.reset();
}

void TEdExpr::DropPrepared() { prepared_.reset(); }

void TEdExpr::CatchUp() {
  if (changedWhileRunning_) EditChange();
}

void TEdExpr::EditChange() {
  changedWhileRunning_ = host_.Engine->IsRunning();
  if (!changedWhileRunning_ && Validate()) ReportChange();
}

void TEdExpr::FitControls() {
  const int width = ClientWidth() - 2 * RowMargin;
  if (edit_) edit_->SetWidth(width);
  eLabel_->SetCaption(FitLabel(fullLabel_, width, eLabel_->Font()));
}

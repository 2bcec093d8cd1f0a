#include "engine/Expression.h"

#include <utility>

#include "engine/Var.h"
#include "runtime/Exceptions.h"

TExpression::~TExpression() {
  std::unique_ptr<TExpression> rest = std::move(next_);
  while (rest) rest = std::move(rest->next_);
}

void TExpression::HoldLibraries(std::unique_ptr<TLibUses> uses) { libraryHolds_ = std::move(uses); }

TExpression* AppendExpression(TExpression& head, std::unique_ptr<TExpression> expr) {
  TExpression* last = &head;
  while (last->next_) last = last->next_.get();
  last->next_ = std::move(expr);
  return last->next_.get();
}

TVarExpr::TVarExpr(TSourcePos pos, TVar* var, TLib* lib) : TExpression(pos, ecVariable, lib) {
  QASSERT(var, "A7BE4E82");
  SetVar(var);
  ref_ = dynamic_cast<TRefVar*>(var);
}

void TVarExpr::Designate(TVar* var) {
  ClearDesignated();
  var_ = var;
  block_ = var ? var->Block() : nullptr;
  if (block_) block_->AddRef();
}

void TVarExpr::ClearDesignated() {
  var_ = nullptr;
  if (block_) std::exchange(block_, nullptr)->Release();
}

TKind* TVarExpr::ResultKind() const { return Var() ? Var()->Kind() : nullptr; }

TVar* TVarExpr::ResultVar() const { return ref_ ? ref_->Target() : Var(); }

bool TVarExpr::IsReadOnly() const { return Var() && Var()->IsConstant(); }

TCVarExpr::TCVarExpr(TSourcePos pos, TKind* kind, const TValue& value, TLib* lib) : TVarExpr(pos, lib) {
  QASSERT(kind, "16DFAD09");
  Own(MakeVar(std::string(), kind, true, value, lib));
}

TCVarExpr::TCVarExpr(TSourcePos pos, std::unique_ptr<TVar> var, TLib* lib) : TVarExpr(pos, lib) {
  QASSERT(var, "A7BE4E82");
  Own(std::move(var));
}

void TCVarExpr::Own(std::unique_ptr<TVar> var) {
  owned_ = std::move(var);
  SetVar(owned_.get());
}

TSetLitExpr::TSetLitExpr(TSourcePos pos, std::unique_ptr<TVar> setVar, TLib* lib)
    : TVarExpr(pos, setVar.get(), lib), owned_(std::move(setVar)) {}

#include "engine/OperatorExpr.h"

#include "engine/Kind.h"
#include "engine/Operator.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"

namespace {

std::unique_ptr<TVar> MakeTemporary(TKind* kind, bool isConst, TLib* lib) {
  return MakeVar(std::string(), kind, isConst, NoneValue, lib);
}

bool BooleanOf(const TVar* var) { return static_cast<const TBaseVar*>(var)->GetValue().AsBool(); }

}  // namespace

TRelationExpr::TRelationExpr(TSourcePos pos, std::unique_ptr<TExpression> first, TLib* lib)
    : TExpression(pos, ecRelation, lib), first_(std::move(first)), last_(first_.get()) {
  QASSERT(first_, "7379BD03");
  result_ = MakeTemporary(BaseKind(kcBoolean), true, lib);
}

TRelationExpr::~TRelationExpr() = default;

TKind* TRelationExpr::ResultKind() const { return BaseKind(kcBoolean); }

bool TRelationExpr::Check() {
  if (!first_->Check()) return false;
  for (TExpression* operand = first_->Next(); operand; operand = operand->Next()) {
    if (!operand->Check() || !operand->Op()) return false;
    if (!SameKind(operand->Op()->ResultKind(), BaseKind(kcBoolean))) return false;
  }
  if (temps_.empty())
    for (TExpression* operand = first_.get(); operand; operand = operand->Next())
      temps_.push_back(MakeTemporary(operand->ResultKind(), false, Lib()));
  return true;
}

bool TRelationExpr::Compute(TEvalMode mode) {
  if (Aborted(mode)) return false;
  if (bool ok; mode == TEvalMode::Run && lowered_.Run(*this, ok)) return ok;
  QASSERT(!temps_.empty(), "A3B95EE6");
  if (!first_->Compute(mode)) return false;
  temps_[0]->Assign(*first_->ResultVar(), false);
  bool all = true;
  std::size_t i = 1;
  for (TExpression* operand = first_->Next(); operand; operand = operand->Next(), ++i) {
    QASSERT(i < temps_.size(), "A3B95EE7");
    if (!operand->Compute(mode)) return false;
    temps_[i]->Assign(*operand->ResultVar(), false);
    TOperator* op = operand->Op();
    if (!op->Apply(temps_[i - 1].get(), temps_[i].get())) return false;
    all = BooleanOf(op->ResultVar()) && all;
  }
  static_cast<TBaseVar&>(*result_).SetValue(TValue::Boolean(all));
  return true;
}

TMathExpr::TMathExpr(TSourcePos pos, std::unique_ptr<TExpression> first, TLib* lib)
    : TExpression(pos, ecMath, lib), first_(std::move(first)), last_(first_.get()) {
  QASSERT(first_, "4786A101");
}

TMathExpr::~TMathExpr() = default;

TVar* TMathExpr::LastStep() const {
  QASSERT(prepared_, "Assertion failure");
  return steps_.back();
}

TKind* TMathExpr::ResultKind() const { return LastStep()->Kind(); }

TVar* TMathExpr::ResultVar() const { return LastStep(); }

bool TMathExpr::Check() {
  if (prepared_) return true;
  if (!first_->Check()) return false;
  temps_.clear();
  steps_.clear();
  TVar* current = nullptr;
  TKind* left = first_->ResultKind();
  for (TExpression* operand = first_->Next(); operand; operand = operand->Next()) {
    if (!operand->Check() || !operand->Op()) return false;
    TKind* kind = operand->Op()->ResultKindFor(left, operand->ResultKind());
    left = kind;
    if (!current || !IsAssignable(current->Kind(), kind))
      current = temps_.emplace_back(MakeTemporary(kind, true, Lib())).get();
    steps_.push_back(current);
  }
  QASSERT(!temps_.empty(), "Assertion failure");
  prepared_ = true;
  return true;
}

bool TMathExpr::Compute(TEvalMode mode) {
  QASSERT(prepared_, "Assertion failure");
  if (bool ok; mode == TEvalMode::Run && lowered_.Run(*this, ok)) return ok;
  if (!first_->Compute(mode)) return false;
  TVar* running = first_->ResultVar();
  auto step = steps_.begin();
  for (TExpression* operand = first_->Next(); operand; operand = operand->Next(), ++step) {
    if (!operand->Compute(mode) || Aborted(mode)) return false;
    TOperator* op = operand->Op();
    if (!op->Apply(running, operand->ResultVar())) return false;
    (*step)->Assign(*op->ResultVar(), false);
    running = *step;
  }
  return true;
}

TUnExpr::TUnExpr(TSourcePos pos, std::unique_ptr<TExpression> operand, TLib* lib)
    : TExpression(pos, ecUnary, lib), operand_(std::move(operand)) {
  QASSERT(operand_, "7379BD04");
  QASSERT(operand_->Op(), "CCA5F5C3");
  result_ = MakeTemporary(operand_->Op()->ResultKind(), true, lib);
}

TUnExpr::~TUnExpr() = default;

TKind* TUnExpr::ResultKind() const { return operand_->Op()->ResultKind(); }

bool TUnExpr::Check() { return operand_->Check() && operand_->Op(); }

bool TUnExpr::Compute(TEvalMode mode) {
  if (Aborted(mode)) return false;
  if (bool ok; mode == TEvalMode::Run && lowered_.Run(*this, ok)) return ok;
  if (!operand_->Compute(mode)) return false;
  TOperator* op = operand_->Op();
  if (!op->Apply(operand_->ResultVar(), nullptr)) return false;
  result_->Assign(*op->ResultVar(), false);
  return true;
}

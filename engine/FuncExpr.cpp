#include "engine/FuncExpr.h"

#include <span>
#include <string>

#include "engine/DesignatorExpr.h"
#include "engine/Func.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/Var.h"
#include "runtime/Exceptions.h"

namespace {

// A designator that names a variable of its own, not a value the compiler made.
// A constant, a const parameter or anything reached through one is no
// variable: a var parameter could change it. Routines are constants that
// built-ins take by reference, as before.
bool IsVariableDesignator(const TExpression& expr) {
  if (!dynamic_cast<const TVarExpr*>(&expr) || dynamic_cast<const TCVarExpr*>(&expr)) return false;
  const TKind* kind = expr.ResultKind();
  return !IsReadOnlyDesignator(expr) || (kind && kind->Code() == kcFunction);
}

}  // namespace

TFuncExpr::TFuncExpr(TSourcePos pos, std::unique_ptr<TExpression> callee, int argCount,
                     std::unique_ptr<TExpression> args, TLib* lib)
    : TVarExpr(pos, lib), callee_(std::move(callee)), args_(std::move(args)), argCount_(argCount) {}

TFuncExpr::~TFuncExpr() = default;

TFuncKind* TFuncExpr::Signature() const {
  TKind* kind = callee_->ResultKind();
  return kind && kind->Code() == kcFunction ? static_cast<TFuncKind*>(kind) : nullptr;
}

TKind* TFuncExpr::ResultKind() const {
  TFuncKind* signature = Signature();
  return signature ? signature->Result() : nullptr;
}

bool TFuncExpr::Check() {
  if (!callee_->Check() || !callee_->ResultKind()) return false;
  TFuncKind* signature = Signature();
  if (!signature) {
    ReportError("Function variable required", callee_->Pos(), Lib());
    return false;
  }
  if (signature->Result() && !result_)
    result_ = MakeVar(std::string(), signature->Result(), true, NoneValue, Lib());
  argKinds_.clear();
  argVars_.assign(argCount_, nullptr);
  if (signature->ArgCount() == 0) return true;
  TExpression* arg = args_.get();
  for (int number = 1; number <= argCount_; ++number, arg = arg->Next()) {
    QASSERT(arg, "4ACFD6CE");
    bool accepted = signature->Variadic() ? CheckHasValue(*arg) : CheckArgument(number, *arg, *signature);
    if (!accepted) return false;
    if (signature->Variadic()) argKinds_.push_back(arg->ResultKind());
  }
  return true;
}

bool TFuncExpr::CheckHasValue(TExpression& arg) const {
  if (!arg.Check()) return false;
  if (arg.ResultKind()) return true;
  ReportError("Procedure cannot be a parameter", arg.Pos(), Lib());
  return false;
}

bool TFuncExpr::CheckArgument(int number, TExpression& arg, const TFuncKind& signature) const {
  if (!CheckHasValue(arg)) return false;
  const TFuncArg* param = signature.Arg(number - 1);
  if (!AcceptsArgument(*param, arg.ResultKind())) {
    ReportError("Parameter " + std::to_string(number) + " must be " + param->Kind()->GetText(true) + ", not " +
                    arg.ResultKind()->GetText(true),
                arg.Pos(), Lib());
    return false;
  }
  if (param->Mode() == amVar && !IsVariableDesignator(arg)) {
    ReportError("Parameter " + std::to_string(number) + " must be a variable", Pos(), Lib());
    return false;
  }
  return true;
}

bool TFuncExpr::Compute(TEvalMode mode) {
  ClearDesignated();
  if (mode == TEvalMode::Const) return false;
  if (!callee_->Compute(mode) || Aborted(mode)) return false;
  auto* holder = static_cast<TFuncVar*>(callee_->ResultVar());
  if (!holder) return false;
  TFunc* func = holder->Func();
  if (!func) {
    ReportError("Empty function variable", Pos(), Lib());
    return false;
  }
  TFuncCall call(*func);
  return call.Begin(Pos(), argKinds_) && EvaluateArguments() && call.Finish(argVars_, Pos(), result_.get());
}

bool TFuncExpr::EvaluateArguments() {
  TExpression* arg = args_.get();
  for (TVar*& slot : argVars_) {
    if (!arg->Evaluate() || AbortFlag) return false;
    slot = arg->ResultVar();
    if (!slot) return false;
    arg = arg->Next();
  }
  return true;
}

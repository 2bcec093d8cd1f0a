#include "libraries/Callback.h"

#include "engine/NodeWalk.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "engine/Var.h"
#include "libraries/ArrayArgs.h"

TCallback::~TCallback() {
  if (!call_) return;
  for (int i = 0; i < func_->ArgCount(); ++i)
    if (func_->IsRefArg(i)) func_->Arg(i)->Reset();
}

bool TCallback::Open(const TVar& holder, TSourcePos pos, TRunPosition runPosition) {
  QASSERT(!call_, "Assertion failure");
  auto* routine = dynamic_cast<const TFuncVar*>(&holder);
  QASSERT(routine != nullptr, "Assertion failure");
  if (!routine->Func()) {
    ReportError("Function is empty", pos, nullptr);
    return false;
  }
  func_ = routine->Func();
  pos_ = runPosition == TRunPosition::Caller ? pos : NoPosition;
  call_.emplace(*func_);
  if (call_->Begin(pos, {})) return true;
  call_.reset();
  return false;
}

void TCallback::SetReal(int arg, long double x) {
  static_cast<TBaseVar*>(func_->Arg(arg))->SetValue(TValue::Real(x));
}

void TCallback::SetVector(int arg, std::span<const long double> values) { SetReals(ArrArg(*func_, arg), values); }

void TCallback::BindReference(int arg, TVar& var) { func_->BindRefArg(arg, &var); }

bool TCallback::Run() {
  QASSERT(call_, "Assertion failure");
  // A built-in routine runs no statements: the abort request comes in here.
  ProcessMessages();
  if (AbortFlag) return false;
  if (locals_ == TLocals::Reset) ResetLocalsButArguments();
  return call_->Finish({}, pos_, nullptr);
}

long double TCallback::RealResult() const {
  return RealOperand(static_cast<const TBaseVar*>(func_->ResultVariable())->GetValue());
}

bool TCallback::Evaluate(long double x, long double& y) {
  SetReal(0, x);
  return RunForResult(y);
}

bool TCallback::Evaluate(std::span<const long double> x, long double& y) {
  SetVector(0, x);
  return RunForResult(y);
}

bool TCallback::RunForResult(long double& y) {
  const bool succeeded = Run();
  y = succeeded ? RealResult() : 0;
  return succeeded;
}

// The argument variables are written before every run anyway; resetting
// them too would only free a vector's elements to make them again.
void TCallback::ResetLocalsButArguments() {
  ForEachNode(func_->Locals(), [this](THashNode* node) {
    auto* var = static_cast<TVar*>(node);
    if (!IsArgument(var)) var->Reset();
  });
}

bool TCallback::IsArgument(const TVar* var) const {
  for (int i = 0; i < func_->ArgCount(); ++i)
    if (func_->Arg(i) == var) return true;
  return false;
}

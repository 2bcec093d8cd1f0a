#include "engine/LoopStmt.h"

#include <string>

#include "engine/ArrVar.h"
#include "engine/Expression.h"
#include "engine/Kind.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/TypedEval.h"
#include "engine/Var.h"

namespace {

std::int64_t IntegerOf(const TExpression& expr) {
  return static_cast<const TBaseVar*>(expr.ResultVar())->GetValue().AsInt();
}

}  // namespace

TLoopStmt::TLoopStmt(TSourcePos pos, std::unique_ptr<TStatement> body, TLib* lib, std::uint8_t nodeCode)
    : TStatement(pos, lib, nodeCode), body_(std::move(body)) {}

TLoopStmt::~TLoopStmt() = default;

bool TLoopStmt::RunPass() {
  body_->Execute();
  return PassEnded();
}

bool TLoopStmt::PassEnded() {
  if (AbortFlag) return false;
  ContinueFlag = false;
  if (BreakFlag) {
    BreakFlag = false;
    return false;
  }
  return !ExitFlag;
}

TWhileStmt::TWhileStmt(TSourcePos pos, std::unique_ptr<TExpression> cond, std::unique_ptr<TStatement> body,
                       TLib* lib)
    : TLoopStmt(pos, std::move(body), lib, scWhile), cond_(std::move(cond)) {}

TWhileStmt::~TWhileStmt() = default;

void TWhileStmt::Execute() {
  while (!AbortFlag) {
    ProcessMessages();
    bool holds = false;
    if (!EvaluateCondition(*cond_, holds) || !holds || !RunPass()) return;
  }
}

bool TWhileStmt::Check() {
  return CheckKindCode(*cond_, kcBoolean, "Boolean expression required") && TLoopStmt::Check();
}

TRepeatStmt::TRepeatStmt(TSourcePos pos, std::unique_ptr<TExpression> cond, std::unique_ptr<TStatement> body,
                         TLib* lib)
    : TLoopStmt(pos, std::move(body), lib, scWhile), cond_(std::move(cond)) {}

TRepeatStmt::~TRepeatStmt() = default;

void TRepeatStmt::Execute() {
  while (!AbortFlag) {
    ProcessMessages();
    bool done = false;
    if (!RunPass() || !EvaluateCondition(*cond_, done) || done) return;
  }
}

bool TRepeatStmt::Check() {
  return CheckKindCode(*cond_, kcBoolean, "Boolean expression required") && TLoopStmt::Check();
}

TForStmt::TForStmt(TSourcePos pos, std::unique_ptr<TExpression> init, bool down, std::unique_ptr<TExpression> limit,
                   std::unique_ptr<TStatement> body, TLib* lib)
    : TLoopStmt(pos, std::move(body), lib, scFor), init_(std::move(init)), limit_(std::move(limit)), down_(down) {}

TForStmt::~TForStmt() = default;

// The counter stops at the limit before it would step past it, so a limit
// at either end of the 64-bit range ends the loop like any other.
void TForStmt::Execute() {
  if (AbortFlag || !init_->Evaluate()) return;
  auto* counter = static_cast<TBaseVar*>(init_->ResultVar());
  std::int64_t start = counter->GetValue().AsInt();
  if (!limit_->Evaluate()) return;
  std::int64_t limit = IntegerOf(*limit_);
  if (down_ ? start < limit : start > limit) return;
  TValue* slot = counter->StoredSlot();
  TTypedRoot* kernel = slot ? Kernel() : nullptr;
  if (kernel && kernel->RunCounted(*slot, start, limit, down_)) return;
  for (std::int64_t n = start;; n += down_ ? -1 : 1) {
    if (slot)
      slot->SetAsInt(n);
    else
      counter->SetValue(TValue::Integer(n));
    ProcessMessages();
    // What the expression statement does around its assignment.
    if (!kernel)
      Body()->Execute();
    else if (!AbortFlag)
      kernel->Run();
    if (!PassEnded() || n == limit) return;
  }
}

TTypedRoot* TForStmt::Kernel() {
  if (!kernelTried_) {
    kernelTried_ = true;
    kernel_ = LoweredAssignment(*Body());
  }
  return kernel_;
}

bool TForStmt::Check() {
  return init_->Check() && CheckKindCode(*init_, kcInteger, "Integer variable required") && limit_->Check() &&
         CheckKindCode(*limit_, kcInteger, "Integer expression required") && TLoopStmt::Check();
}

TForEachStmt::TForEachStmt(TSourcePos pos, std::unique_ptr<TExpression> loopVar, std::unique_ptr<TExpression> source,
                           std::unique_ptr<TStatement> body, TLib* lib)
    : TLoopStmt(pos, std::move(body), lib, scForEach), loopVar_(std::move(loopVar)), source_(std::move(source)) {}

TForEachStmt::~TForEachStmt() = default;

void TForEachStmt::Execute() {
  if (AbortFlag || !loopVar_->Evaluate() || !source_->Evaluate()) return;
  TVar* target = loopVar_->ResultVar();
  auto* array = static_cast<TArrVar*>(source_->ResultVar());
  if (!target || !array) return;
  auto* kind = static_cast<const TArrKind*>(array->Kind());
  std::int64_t low = array->IsDynamic() ? 1 : kind->Low();
  std::int64_t high = array->IsDynamic() ? array->Count() : kind->High();
  TSlotVar view;
  for (std::int64_t i = low; i <= high && array->IsValidIndex(i); ++i) {
    if (!target->Assign(array->Elem(i, view), false)) return;
    ProcessMessages();
    if (!RunPass()) return;
  }
}

bool TForEachStmt::Check() {
  if (!loopVar_->Check() || !source_->Check()) return false;
  TKind* varKind = loopVar_->ResultKind();
  TKind* arrayKind = source_->ResultKind();
  bool fits = varKind && arrayKind && arrayKind->Code() == kcArray &&
              IsAssignable(varKind, static_cast<const TArrKind*>(arrayKind)->Elem());
  if (!fits) {
    std::string varName = varKind ? varKind->GetText(true) : std::string();
    ReportError("Array of " + varName + " variable required", source_->Pos(), source_->Lib());
    return false;
  }
  return TLoopStmt::Check();
}

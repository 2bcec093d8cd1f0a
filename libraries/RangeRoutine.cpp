#include "libraries/RangeRoutine.h"

#include <array>

#include "engine/ArrVar.h"
#include "engine/Kind.h"
#include "engine/MessageChannel.h"
#include "engine/RunFlags.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "engine/Var.h"
#include "libraries/ScalarRoutine.h"

namespace {

// The routine F holds, or nil after the report.
TFunc* RoutineOf(const TVar* holder, TSourcePos pos) {
  auto* funcVar = dynamic_cast<const TFuncVar*>(holder);
  QASSERT(funcVar != nullptr, "Assertion failure");
  if (!funcVar->Func()) ReportError("Function is empty", pos, nullptr);
  return funcVar->Func();
}

struct TRange {
  long double From;
  long double To;
  long double Step;
};

// False after the report when the vector does not describe a finite walk.
bool ReadRange(const TArrVar& vector, TSourcePos pos, TRange& range) {
  if (ArrLength(&vector) < 2) {
    ReportError("Range vector must have at least 2 elements", pos, nullptr);
    return false;
  }
  range.From = GetVecElem(vector, 1);
  range.To = GetVecElem(vector, 2);
  range.Step = ArrLength(&vector) >= 3 ? GetVecElem(vector, 3) : 1;
  if (range.From <= range.To && !(range.Step > 0)) {
    ReportError("Range step must be positive", pos, nullptr);
    return false;
  }
  return true;
}

// F at x, passed in point, into term; false, after F or the fault reported,
// when F failed. A built-in F reports without a position.
bool EvalRealFunc(TFunc& func, TBaseVar& point, long double x, long double& term) {
  point.SetValue(TValue::Real(x));
  const std::array<TVar*, 1> args{&point};
  bool succeeded = false;
  const bool noFault = ReportingFaults([&] { succeeded = func.CallDirect(args, NoPosition); });
  if (!noFault || !succeeded) return false;
  term = RealOperand(static_cast<TBaseVar*>(func.ResultVariable())->GetValue());
  return true;
}

}  // namespace

TRangeRoutine::TRangeRoutine(const char* name, TFuncKind* signature, TLib* lib, long double start, TCombine combine)
    : TFunc(name, signature, lib), start_(start), combine_(combine) {}

bool TRangeRoutine::Execute(TSourcePos pos) {
  TFunc* func = RoutineOf(RefArg(0), pos);
  TRange range;
  if (!func || !ReadRange(*static_cast<TArrVar*>(Arg(1)), pos, range)) return false;
  TBaseVar point(std::string(), BaseKind(kcReal), false, nullptr);
  long double accumulated = start_;
  for (long double x = range.From; x <= range.To;) {
    long double term;
    ProcessMessages();
    if (AbortFlag || !EvalRealFunc(*func, point, x, term)) return false;
    accumulated = combine_(term, accumulated);
    const long double next = x + range.Step;
    // Far from zero a small step no longer moves x.
    if (next == x) {
      ReportError("Range step is too small", pos, nullptr);
      return false;
    }
    x = next;
  }
  static_cast<TBaseVar*>(ResultVariable())->SetValue(TValue::Real(accumulated));
  return true;
}

TSumMF::TSumMF(TFuncKind* signature, TLib* lib) : TRangeRoutine("Sum", signature, lib, 0, RealAdd) {}

TProdMF::TProdMF(TFuncKind* signature, TLib* lib) : TRangeRoutine("Prod", signature, lib, 1, RealMul) {}

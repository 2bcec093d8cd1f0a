#pragma once
// Sum and Prod: a real function of the script, F, accumulated over the
// points From, From + Step, ... up to To of a range vector {From, To[, Step]}.
// F runs through the guarded direct call, so a routine that is running
// (the caller of Sum passing itself) is refused, not re-entered.

#include "engine/Func.h"

class TRangeRoutine : public TFunc {
public:
  bool Execute(TSourcePos pos) override;

protected:
  using TCombine = long double (*)(long double term, long double accumulated);
  TRangeRoutine(const char* name, TFuncKind* signature, TLib* lib, long double start, TCombine combine);

private:
  long double start_;
  TCombine combine_;
};

class TSumMF final : public TRangeRoutine {
public:
  TSumMF(TFuncKind* signature, TLib* lib);
};

class TProdMF final : public TRangeRoutine {
public:
  TProdMF(TFuncKind* signature, TLib* lib);
};

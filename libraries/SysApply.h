#pragma once
// Apply: a routine applied to every element of an array, in place.

#include "engine/Func.h"

// "procedure( var F : AnyFunction; var A : AnyArray )". The elements of A
// take F's results (a function) or are handed to F (a procedure); an array
// of arrays whose elements F does not take is walked row by row. F must
// hold a routine that is not running.
class TApplySF final : public TFunc {
public:
  TApplySF(TFuncKind* kind, TLib* lib) : TFunc("Apply", kind, lib) {}
  bool Execute(TSourcePos pos) override;
};

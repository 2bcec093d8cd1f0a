#pragma once
// Integrate(F, x1, x2): the definite integral of a real function of the
// script by Simpson's rule on successively refined trapezoids.

#include "engine/Func.h"

class TIntegrateNF final : public TFunc {
public:
  TIntegrateNF(TFuncKind* signature, TLib* lib) : TFunc("Integrate", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

#pragma once
// SimplexSearch(F, X0, Params): a minimum of a function of a vector by the
// downhill simplex method, starting from a simplex around X0. Params[1]
// limits the iterations (below 1 or absent: no limit), Params[2] is the
// tolerance on the simplex's spread (default 1e-6). The result is the best
// vertex.

#include "engine/Func.h"

class TSimplexOF final : public TFunc {
public:
  TSimplexOF(TFuncKind* signature, TLib* lib) : TFunc("SimplexSearch", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

#pragma once
// GoldenSearch(F, Params): a minimum of a real function of the script. A
// bracket is found by golden-ratio steps downhill from Params[1] and
// Params[2], then narrowed by golden-section search. Params[3] limits the
// iterations (0 or absent: no limit), Params[4] is the relative tolerance
// (default 1e-6, at least the square root of the real's epsilon). The
// result is {xmin, F(xmin)}.

#include "engine/Func.h"

class TGoldOF final : public TFunc {
public:
  TGoldOF(TFuncKind* signature, TLib* lib) : TFunc("GoldenSearch", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

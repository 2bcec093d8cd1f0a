#pragma once
// SimAnnealing(F, X0, Xmin, Xmax, Params): a minimum of a function of a
// vector within the box Xmin..Xmax by simulated annealing, with a step size
// per coordinate kept to an acceptance rate near one half and a starting
// temperature estimated from random samples. Params[1] limits the
// temperature steps of a pass (below 1 or absent: no limit), Params[2] is
// the tolerance on the step sizes (default 0.001), Params[3] the number of
// passes (default 1), each starting from the best point of the one before.
// The random generator is seeded from the clock at every call.

#include "engine/Func.h"

class TSimAnnOF final : public TFunc {
public:
  TSimAnnOF(TFuncKind* signature, TLib* lib) : TFunc("SimAnnealing", signature, lib) {}
  bool Execute(TSourcePos pos) override;
};

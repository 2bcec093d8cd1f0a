#pragma once
// DSolve(DF, Y0, x1, x2, h): a system of ordinary differential equations
// solved by the classical fourth-order Runge-Kutta method, with the fixed
// step h (h >= 0) or with step doubling control (h < 0). DF has the shape
// procedure ( Y : Vector; X : Real; var DY : Vector ) and writes into DY
// the derivatives of the state Y at X. The result has one row of x values
// and one row per component of the solution at them.

#include <memory>

#include "engine/Func.h"

class TDSolveNF final : public TFunc {
public:
  TDSolveNF(TFuncKind* signature, TLib* lib);
  bool Execute(TSourcePos pos) override;

private:
  // DF's var parameter DY is bound to it. Made once: between runs of DF it
  // keeps what DF wrote, also an element DF leaves alone.
  std::unique_ptr<TVar> DYVar;
};

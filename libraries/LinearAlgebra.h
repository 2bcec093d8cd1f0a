#pragma once
// Dense linear algebra on script matrices: the determinant, the inverse and
// the solution of a linear system through one Crout LU decomposition with
// implicit partial pivoting (Math), and for library code a Gauss solver and
// the eigenvalues (_SysMath). A pivot of magnitude 1e-100 or less counts as
// zero: Det gives 0, Inverse and LinearSolve fail with "Singular matrix",
// _LS1201 gives an empty vector. The caller's matrix never changes.

#include "libraries/MatrixRoutine.h"

class TDetVF final : public TMatrixRoutine {
public:
  TDetVF(TFuncKind* signature, TLib* lib);

protected:
  bool Run(TSourcePos pos) override;
};

class TInverseVF final : public TMatrixRoutine {
public:
  TInverseVF(TFuncKind* signature, TLib* lib);

protected:
  bool Run(TSourcePos pos) override;
};

class TLinearSolveVF final : public TMatrixRoutine {
public:
  TLinearSolveVF(TFuncKind* signature, TLib* lib);

protected:
  bool Run(TSourcePos pos) override;
};

// _LS1201: Gauss elimination with partial pivoting; a singular system gives
// an empty vector and no message.
class TLinSolVF final : public TMatrixRoutine {
public:
  TLinSolVF(TFuncKind* signature, TLib* lib);

protected:
  bool Run(TSourcePos pos) override;
};

// _EV1201: real and imaginary parts of the eigenvalues into the caller's RV
// and IV; sorted descending for a symmetric matrix, in the order the QR
// iteration isolates them otherwise.
class TEigenVF final : public TMatrixRoutine {
public:
  TEigenVF(TFuncKind* signature, TLib* lib);

protected:
  bool Run(TSourcePos pos) override;
};

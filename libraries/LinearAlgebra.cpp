#include "libraries/LinearAlgebra.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>
#include <vector>

#include "Numerics/NXEigen.h"
#include "Numerics/NXMatrix.h"
#include "Numerics/NXVector.h"
#include "engine/ArrVar.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"

namespace {

// Magnitudes at or below this count as zero, for rows, pivots and leading
// right-hand-side entries alike.
constexpr long double Tiny = 1e-100L;

constexpr const char* MustBeSquare = "Matrix must be square";
constexpr const char* SingularMatrix = "Singular matrix";
constexpr const char* IncompatibleVectorSize = "Incompatible vector size";

// Unchecked 0-based access to a work matrix, whose shape each routine has
// settled before it looks inside.
class TWorkView {
public:
  explicit TWorkView(TNMatrix& m) : data_(m.Data()), cols_(static_cast<std::size_t>(m.GetCols())) {}
  long double* Row(std::int32_t i) const { return data_ + static_cast<std::size_t>(i) * cols_; }
  long double& operator()(std::int32_t i, std::int32_t j) const { return Row(i)[j]; }

private:
  long double* data_;
  std::size_t cols_;
};

std::size_t ElementCount(const TNMatrix& m) {
  return static_cast<std::size_t>(m.GetRows()) * static_cast<std::size_t>(m.GetCols());
}

// The square argument i, already checked, in a work matrix of its own.
void CopySquareArg(const TFunc& routine, int i, TNMatrix& work) {
  const auto& m = ArrArg(routine, i);
  SizeWorkMatrix(work, m.Count(), m.Count());
  CopyMatrixIn(m, work);
}

// The LU factors of a square matrix, in place: L below the diagonal (its unit
// diagonal implied) and U on and above it, for the rows in the order of the
// exchanges recorded in Index.
struct TLUFactors {
  TNMatrix A;
  std::vector<std::int32_t> Index;  // the row exchanged with row j at step j, 0-based
  long double Parity = 1;           // the sign of the row permutation
};

enum class TLUOutcome { Factored, ZeroRow, ZeroPivot };

// sum - row[0] * column[0] - ... - row[count-1] * column[count-1], in this order.
long double Eliminated(long double sum, const long double* row, const std::vector<long double>& column,
                       std::int32_t count) {
  for (std::int32_t k = 0; k < count; ++k) sum -= row[k] * column[k];
  return sum;
}

// Reciprocals of the rows' largest magnitudes; false for a row without an
// element above Tiny.
bool RowScales(const TWorkView& a, std::int32_t n, std::vector<long double>& scale) {
  for (std::int32_t i = 0; i < n; ++i) {
    long double big = 0;
    for (std::int32_t j = 0; j < n; ++j) big = std::max(big, std::fabs(a(i, j)));
    if (big <= Tiny) return false;
    scale[i] = 1 / big;
  }
  return true;
}

// Crout's order, column by column, with the pivot chosen by the scaled
// magnitude (a later row wins a tie). Each column is worked in a contiguous
// copy; the operations and their order are those of the textbook loops.
// Stops at the first pivot of magnitude Tiny or less.
TLUOutcome LUDecompose(TLUFactors& lu) {
  const std::int32_t n = lu.A.GetRows();
  const TWorkView a(lu.A);
  std::vector<long double> scale(n);
  if (!RowScales(a, n, scale)) return TLUOutcome::ZeroRow;
  lu.Index.assign(n, 0);
  lu.Parity = 1;
  std::vector<long double> column(n);
  std::int32_t imax = 0;
  for (std::int32_t j = 0; j < n; ++j) {
    CheckAbort();
    for (std::int32_t i = 0; i < n; ++i) column[i] = a(i, j);
    for (std::int32_t i = 0; i < j; ++i) column[i] = Eliminated(column[i], a.Row(i), column, i);
    long double big = 0;
    for (std::int32_t i = j; i < n; ++i) {
      column[i] = Eliminated(column[i], a.Row(i), column, j);
      const long double scaled = scale[i] * std::fabs(column[i]);
      if (scaled >= big) {
        big = scaled;
        imax = i;
      }
    }
    for (std::int32_t i = 0; i < n; ++i) a(i, j) = column[i];
    if (imax != j) {
      std::swap_ranges(a.Row(imax), a.Row(imax) + n, a.Row(j));
      lu.Parity = -lu.Parity;
      scale[imax] = scale[j];
    }
    lu.Index[j] = imax;
    if (std::fabs(a(j, j)) <= Tiny) return TLUOutcome::ZeroPivot;
    const long double reciprocal = 1 / a(j, j);
    for (std::int32_t i = j + 1; i < n; ++i) a(i, j) *= reciprocal;
  }
  return TLUOutcome::Factored;
}

// True for a full decomposition; otherwise false after "Singular matrix".
bool Factored(TLUOutcome outcome, TSourcePos pos) {
  if (outcome == TLUOutcome::Factored) return true;
  ReportError(SingularMatrix, pos, nullptr);
  return false;
}

// The parity times the diagonal of U, multiplied in this order.
long double Determinant(const TLUFactors& lu) {
  long double det = lu.Parity;
  for (std::int32_t i = 1; i <= lu.A.GetRows(); ++i) det = RealMul(det, lu.A.GetItem(i, i));
  return det;
}

// b (the right-hand side, n values) becomes the solution of A x = b. The
// forward pass skips the leading entries that count as zero.
void LUBackSubstitute(TLUFactors& lu, long double* b) {
  const std::int32_t n = lu.A.GetRows();
  const TWorkView a(lu.A);
  std::int32_t first = -1;
  for (std::int32_t i = 0; i < n; ++i) {
    const std::int32_t p = lu.Index[i];
    long double sum = b[p];
    b[p] = b[i];
    if (first >= 0) {
      for (std::int32_t j = first; j < i; ++j) sum -= a(i, j) * b[j];
    } else if (std::fabs(sum) > Tiny) {
      first = i;
    }
    b[i] = sum;
  }
  for (std::int32_t i = n - 1; i >= 0; --i) {
    long double sum = b[i];
    for (std::int32_t j = i + 1; j < n; ++j) sum -= a(i, j) * b[j];
    b[i] = sum / a(i, i);
  }
}

// True when argument i, a vector, has as many elements as the matrix rows;
// otherwise false after the report.
bool CheckVectorSize(const TFunc& routine, int i, std::int32_t rows, TSourcePos pos) {
  if (ArrArg(routine, i).Count() == rows) return true;
  ReportError(IncompatibleVectorSize, pos, nullptr);
  return false;
}

// Gauss elimination with partial pivoting (the first of equal maxima stays)
// on the augmented n x (n + 1) matrix w, then back substitution into x.
// False when a pivot falls below Tiny.
bool GaussSolve(TNMatrix& augmented, TNVector& solution) {
  const std::int32_t n = augmented.GetRows();
  const TWorkView w(augmented);
  long double* x = solution.Data();
  for (std::int32_t k = 0; k + 1 < n; ++k) {
    CheckAbort();
    std::int32_t p = k;
    for (std::int32_t i = k + 1; i < n; ++i)
      if (std::fabs(w(i, k)) > std::fabs(w(p, k))) p = i;
    if (std::fabs(w(p, k)) < Tiny) return false;
    if (p > k) std::swap_ranges(w.Row(p) + k, w.Row(p) + n + 1, w.Row(k) + k);
    for (std::int32_t i = k + 1; i < n; ++i) {
      if (!(std::fabs(w(i, k)) > Tiny)) continue;
      const long double f = w(i, k) / w(k, k);
      for (std::int32_t j = k + 1; j <= n; ++j) w(i, j) -= w(k, j) * f;
    }
  }
  if (std::fabs(w(n - 1, n - 1)) < Tiny) return false;
  for (std::int32_t i = n - 1; i >= 0; --i) {
    long double s = 0;
    for (std::int32_t j = i + 1; j < n; ++j) s += w(i, j) * x[j];
    x[i] = (w(i, n) - s) / w(i, i);
  }
  return true;
}

}  // namespace

TDetVF::TDetVF(TFuncKind* signature, TLib* lib) : TMatrixRoutine("Det", signature, lib) {}

bool TDetVF::Run(TSourcePos pos) {
  if (!CheckSquareMatrix(ArrArg(*this, 0), "Square matrix is required", pos)) return false;
  TLUFactors lu;
  CopySquareArg(*this, 0, lu.A);
  const TLUOutcome outcome = LUDecompose(lu);
  if (outcome == TLUOutcome::ZeroRow) return Factored(outcome, pos);
  // A zero pivot means dependent rows: the determinant is exactly 0.
  const long double det = outcome == TLUOutcome::ZeroPivot ? 0 : Determinant(lu);
  SetResult(*this, TValue::Real(det));
  return true;
}

TInverseVF::TInverseVF(TFuncKind* signature, TLib* lib) : TMatrixRoutine("Inverse", signature, lib) {}

bool TInverseVF::Run(TSourcePos pos) {
  if (!CheckSquareMatrix(ArrArg(*this, 0), MustBeSquare, pos)) return false;
  TLUFactors lu;
  CopySquareArg(*this, 0, lu.A);
  const std::int32_t n = lu.A.GetRows();
  const bool inputsFinite = AllFinite(lu.A.Data(), ElementCount(lu.A));
  TNMatrix inverse;
  SizeWorkMatrix(inverse, n, n);
  if (!Factored(LUDecompose(lu), pos)) return false;
  const TWorkView result(inverse);
  std::vector<long double> x(n);
  for (std::int32_t j = 0; j < n; ++j) {
    CheckAbort();
    std::fill(x.begin(), x.end(), 0.0L);
    x[j] = 1;
    LUBackSubstitute(lu, x.data());
    for (std::int32_t i = 0; i < n; ++i) result(i, j) = x[i];
  }
  WriteMatrix(ArrResult(*this), inverse, inputsFinite);
  return true;
}

TLinearSolveVF::TLinearSolveVF(TFuncKind* signature, TLib* lib) : TMatrixRoutine("LinearSolve", signature, lib) {}

bool TLinearSolveVF::Run(TSourcePos pos) {
  const auto& a = ArrArg(*this, 0);
  if (!CheckSquareMatrix(a, MustBeSquare, pos) || !CheckVectorSize(*this, 1, a.Count(), pos)) return false;
  TLUFactors lu;
  CopySquareArg(*this, 0, lu.A);
  std::vector<long double> x(a.Count());
  CopyVectorIn(ArrArg(*this, 1), x.data());
  const bool inputsFinite = AllFinite(lu.A.Data(), ElementCount(lu.A)) && AllFinite(x.data(), x.size());
  if (!Factored(LUDecompose(lu), pos)) return false;
  LUBackSubstitute(lu, x.data());
  WriteVector(ArrResult(*this), x.data(), a.Count(), inputsFinite);
  return true;
}

TLinSolVF::TLinSolVF(TFuncKind* signature, TLib* lib) : TMatrixRoutine("_LS1201", signature, lib) {}

bool TLinSolVF::Run(TSourcePos pos) {
  const auto& a = ArrArg(*this, 0);
  if (!CheckSquareMatrix(a, MustBeSquare, pos) || !CheckVectorSize(*this, 1, a.Count(), pos)) return false;
  const std::int32_t n = a.Count();
  TNMatrix augmented;
  SizeWorkMatrix(augmented, n, n + 1);
  CopyMatrixIn(a, augmented);
  const auto& b = ArrArg(*this, 1);
  for (std::int32_t i = 1; i <= n; ++i) augmented.SetItem(i, n + 1, GetVecElem(b, i));
  const bool inputsFinite = AllFinite(augmented.Data(), ElementCount(augmented));
  TNVector x(n);
  const bool solved = GaussSolve(augmented, x);
  WriteVector(ArrResult(*this), x.Data(), solved ? n : 0, inputsFinite);
  return true;
}

TEigenVF::TEigenVF(TFuncKind* signature, TLib* lib) : TMatrixRoutine("_EV1201", signature, lib) {}

bool TEigenVF::Run(TSourcePos pos) {
  SetResult(*this, TValue::Boolean(false));
  if (!CheckSquareMatrix(ArrArg(*this, 0), "Matrix has to be square", pos)) return false;
  TNMatrix a;
  CopySquareArg(*this, 0, a);
  const std::int32_t n = a.GetRows();
  const bool inputsFinite = AllFinite(a.Data(), ElementCount(a));
  TNVector real(n);
  TNVector imaginary(n);
  // The shape is square, so only the storage of the eigenvectors can fail it.
  if (!EigenValues(a, real, imaginary)) throw std::bad_alloc();
  WriteVector(ArrRefArg(*this, 1), real.Data(), n, inputsFinite);
  WriteVector(ArrRefArg(*this, 2), imaginary.Data(), n, inputsFinite);
  SetResult(*this, TValue::Boolean(true));
  return true;
}

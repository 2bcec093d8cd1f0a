#include "libraries/MatrixRoutine.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "Numerics/NXMatrix.h"
#include "engine/ArrVar.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"

bool TMatrixRoutine::Execute(TSourcePos pos) {
  try {
    return Run(pos);
  } catch (const std::bad_alloc&) {
    ReportError("Not enough memory", pos, nullptr);
    return false;
  }
}

bool CheckSquareMatrix(const TArrVar& m, const char* notSquare, TSourcePos pos) {
  if (m.Count() == 0) {
    ReportError("Empty matrix", pos, nullptr);
    return false;
  }
  if (MatColCount(m) != m.Count() || !IsRectangular(m)) {
    ReportError(notSquare, pos, nullptr);
    return false;
  }
  return true;
}

void SizeWorkMatrix(TNMatrix& work, std::int32_t rows, std::int32_t cols) {
  if (!work.SetSize(rows, cols)) throw std::bad_alloc();
}

void CopyMatrixIn(const TArrVar& m, TNMatrix& work) {
  long double* row = work.Data();
  for (std::int32_t r = 0; r < m.Count(); ++r, row += work.GetCols()) CopyVectorIn(MatRow(m, r), row);
}

void CopyVectorIn(const TArrVar& v, long double* values) {
  for (std::int32_t p = 0; p < v.Count(); ++p) values[p] = RealAt(v, p);
}

bool AllFinite(const long double* values, std::size_t count) {
  return std::all_of(values, values + count, [](long double x) { return std::isfinite(x); });
}

void WriteVector(TArrVar& v, const long double* values, std::int32_t count, bool inputsFinite) {
  SetVecSize(v, count, true);
  for (std::int32_t p = 0; p < count; ++p) SetRealAt(v, p, CheckReal(values[p], inputsFinite));
}

void WriteMatrix(TArrVar& m, const TNMatrix& work, bool inputsFinite) {
  const std::int32_t cols = work.GetCols();
  m.SetLength(work.GetRows());
  const long double* row = work.Data();
  for (std::int32_t r = 0; r < work.GetRows(); ++r, row += cols) WriteVector(MatRow(m, r), row, cols, inputsFinite);
}

#include "libraries/MatrixRoutines.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/Kind.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "engine/Var.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"

namespace {

bool RefusedUnequalRows(const TArrVar& m, TSourcePos pos) { return Refused(!IsRectangular(m), UnequalRowsMessage, pos); }

bool RunTrace(TFunc& routine, TSourcePos pos) {
  const TArrVar& m = ArrArg(routine, 0);
  if (Refused(m.Count() == 0 || MatColCount(m) == 0, "Empty matrix", pos) || RefusedUnequalRows(m, pos)) return false;
  long double trace = 0;
  for (std::int32_t i = 0; i < std::min(m.Count(), MatColCount(m)); ++i) trace = RealAdd(trace, RealAt(m, i, i));
  SetResult(routine, TValue::Real(trace));
  return true;
}

// The element that Better prefers over every other, scanning row by row
// from the first: an element replaces the current one only when Better.
template <class Better>
bool RunExtreme(TFunc& routine, TSourcePos pos) {
  const TArrVar& m = ArrArg(routine, 0);
  if (Refused(m.Count() == 0, "Matrix has no rows", pos) || Refused(MatColCount(m) == 0, "Matrix has no columns", pos) ||
      RefusedUnequalRows(m, pos))
    return false;
  long double extreme = RealAt(m, 0, 0);
  for (std::int32_t i = 0; i < m.Count(); ++i)
    for (std::int32_t j = 0; j < MatColCount(m); ++j)
      if (const long double x = RealAt(m, i, j); Better()(x, extreme)) extreme = x;
  SetResult(routine, TValue::Real(extreme));
  return true;
}

template <bool Identity>
bool RunSizedMatrix(TFunc& routine, TSourcePos pos) {
  const std::int32_t rows = Int32Arg(routine, 0);
  std::int32_t cols = Int32Arg(routine, 1);
  if (Refused(rows <= 0, "Non-positive matrix size", pos)) return false;
  if (cols < 1) cols = rows;
  RequireVarStorage(BaseKind(kcReal), std::uint64_t(rows) * std::uint64_t(cols));
  TArrVar& result = ArrResult(routine);
  result.SetLength(rows);
  for (std::int32_t i = 0; i < rows; ++i) {
    CheckAbort();
    TArrVar& row = MatRow(result, i);
    row.SetLength(cols);
    for (std::int32_t j = 0; j < cols; ++j) SetRealAt(row, j, Identity && i == j ? 1 : 0);
  }
  return true;
}

bool RunTranspose(TFunc& routine, TSourcePos pos) {
  const TArrVar& m = ArrArg(routine, 0);
  if (RefusedUnequalRows(m, pos)) return false;
  TransposeInto(m, ArrResult(routine));
  return true;
}

// Refuses a bound outside 1..count with "<ordinal> <what> index [<bound>] is
// out of range", reported with lib when given.
bool BoundRefused(std::int64_t bound, std::int64_t count, const char* ordinal, const char* what, TSourcePos pos,
                  const TLib* lib = nullptr) {
  return Refused(bound < 1 || bound > count,
                 std::string(ordinal) + " " + what + " index [" + std::to_string(bound) + "] is out of range", pos, lib);
}

bool RunPartMat(TFunc& routine, TSourcePos pos) {
  const TArrVar& m = ArrArg(routine, 0);
  TArrVar& result = ArrResult(routine);
  result.Clear();
  if (m.Count() == 0) return true;
  if (RefusedUnequalRows(m, pos)) return false;
  const std::int64_t rowMin = IntArg(routine, 1);
  const std::int64_t rowMax = IntArg(routine, 2);
  const std::int64_t colMin = IntArg(routine, 3);
  const std::int64_t colMax = IntArg(routine, 4);
  // The row bounds' messages alone name the library.
  if (BoundRefused(rowMin, m.Count(), "1st", "raw", pos, routine.Lib()) ||
      BoundRefused(rowMax, m.Count(), "2nd", "raw", pos, routine.Lib()))
    return false;
  const std::int64_t rows = rowMax - rowMin + 1;
  if (rows < 1) return true;
  result.SetLength(static_cast<std::int32_t>(rows));
  if (BoundRefused(colMin, MatColCount(m), "1st", "column", pos) ||
      BoundRefused(colMax, MatColCount(m), "2nd", "column", pos))
    return false;
  const std::int64_t cols = colMax - colMin + 1;
  if (cols < 1) return true;
  for (std::int32_t i = 0; i < rows; ++i) {
    TArrVar& row = MatRow(result, i);
    row.SetLength(static_cast<std::int32_t>(cols));
    for (std::int32_t j = 0; j < cols; ++j)
      SetRealAt(row, j, RealAt(m, static_cast<std::int32_t>(rowMin - 1 + i), static_cast<std::int32_t>(colMin - 1 + j)));
  }
  return true;
}

bool IndexRefused(std::int64_t index, std::int32_t count, TSourcePos pos) {
  return Refused(index < 1 || index > count,
                 "Index [" + std::to_string(index) + "] is out of range [1.." + std::to_string(count) + "]", pos);
}

bool RunColumn(TFunc& routine, TSourcePos pos) {
  const TArrVar& m = ArrRefArg(routine, 0);
  const std::int64_t col = IntArg(routine, 1);
  TArrVar& result = ArrResult(routine);
  result.Clear();
  if (IndexRefused(col, MatColCount(m), pos) || RefusedUnequalRows(m, pos)) return false;
  result.SetLength(m.Count());
  for (std::int32_t i = 0; i < m.Count(); ++i) SetRealAt(result, i, RealAt(m, i, static_cast<std::int32_t>(col - 1)));
  return true;
}

// The range N1..N2 of DelCol and DelRow among count columns or rows; a
// missing N2 (below 1) is N1.
bool ReadDeletion(const TFunc& routine, std::int32_t count, const char* what, TSourcePos pos, std::int32_t& first,
                  std::int32_t& last) {
  first = Int32Arg(routine, 1);
  last = Int32Arg(routine, 2);
  if (IndexRefused(first, count, pos)) return false;
  if (last < 1) {
    last = first;
    return true;
  }
  return !IndexRefused(last, count, pos) &&
         !Refused(last < first,
                  std::string("Invalid ") + what + " range specified [" + std::to_string(first) + ".." +
                      std::to_string(last) + "]",
                  pos);
}

bool RunDelCol(TFunc& routine, TSourcePos pos) {
  TArrVar& m = ArrRefArg(routine, 0);
  std::int32_t first = 0;
  std::int32_t last = 0;
  if (!ReadDeletion(routine, MatColCount(m), "column", pos, first, last) || RefusedUnequalRows(m, pos)) return false;
  return DeleteMatCols(m, first, last);
}

bool RunDelRow(TFunc& routine, TSourcePos pos) {
  TArrVar& m = ArrRefArg(routine, 0);
  std::int32_t first = 0;
  std::int32_t last = 0;
  return ReadDeletion(routine, m.Count(), "row", pos, first, last) && DeleteMatRows(m, first, last);
}

}  // namespace

void TransposeInto(const TArrVar& m, TArrVar& result) {
  const std::int32_t rows = m.Count();
  const std::int32_t cols = MatColCount(m);
  result.SetLength(cols);
  TSlotVar view, sourceView;
  for (std::int32_t i = 0; i < cols; ++i) {
    TArrVar& row = MatRow(result, i);
    row.SetLength(rows);
    for (std::int32_t j = 0; j < rows; ++j) row.ElemAt(j, view).Assign(MatRow(m, j).ElemAt(i, sourceView), false);
  }
}

const TRoutineRule TraceRule{"Trace", RunTrace};
const TRoutineRule MinMatRule{"MinMat", RunExtreme<std::less<long double>>};
const TRoutineRule MaxMatRule{"MaxMat", RunExtreme<std::greater<long double>>};
const TRoutineRule MatIdentityRule{"MatIdentity", RunSizedMatrix<true>};
const TRoutineRule MatZeroRule{"MatZero", RunSizedMatrix<false>};
const TRoutineRule TransposeRule{"Transpose", RunTranspose};
const TRoutineRule PartMatRule{"PartMat", RunPartMat};
const TRoutineRule ColumnRule{"Column", RunColumn};
const TRoutineRule DelColRule{"DelCol", RunDelCol};
const TRoutineRule DelRowRule{"DelRow", RunDelRow};

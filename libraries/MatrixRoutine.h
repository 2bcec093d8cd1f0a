#pragma once
// Built-in routines over script vectors (arrays of Real) and matrices (arrays
// of row arrays of Real). They copy their arguments once into contiguous
// native storage, compute there, and copy the results out once.

#include <cstddef>
#include <cstdint>

#include "engine/Func.h"

class TArrVar;
class TNMatrix;

// Execute runs Run; storage that cannot be had, for a work copy or for the
// result, fails the call with "Not enough memory" instead of leaving the
// engine or going on with a matrix of the wrong size.
class TMatrixRoutine : public TFunc {
public:
  bool Execute(TSourcePos pos) final;

protected:
  using TFunc::TFunc;
  virtual bool Run(TSourcePos pos) = 0;
};

// True when m has rows and every one of them as many elements as there are
// rows. Otherwise false after reporting at pos: "Empty matrix" without rows,
// notSquare when a row is shorter or longer.
bool CheckSquareMatrix(const TArrVar& m, const char* notSquare, TSourcePos pos);

// Rows x Cols zeros in work; when the storage cannot be had it throws
// std::bad_alloc, which TMatrixRoutine reports.
void SizeWorkMatrix(TNMatrix& work, std::int32_t rows, std::int32_t cols);

// m's elements into the leading columns of work, which has m's rows and at
// least as many columns as m's first row; every row of m must be that long.
void CopyMatrixIn(const TArrVar& m, TNMatrix& work);
// v's elements into values, which has room for them.
void CopyVectorIn(const TArrVar& v, long double* values);
bool AllFinite(const long double* values, std::size_t count);

// v takes count values, m work's shape and elements. Each value is checked as
// a real result: a NaN throws EInvalidOp, and an infinity throws EOverflow
// when the inputs were all finite.
void WriteVector(TArrVar& v, const long double* values, std::int32_t count, bool inputsFinite);
void WriteMatrix(TArrVar& m, const TNMatrix& work, bool inputsFinite);

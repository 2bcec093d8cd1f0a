#include "Numerics/Matrix.h"

#include <algorithm>

#include "engine/MessageChannel.h"
#include "engine/ScalarArith.h"
#include "runtime/Exceptions.h"

std::uint8_t MatrixErrorCode = 0;

std::string MatrixErrorText(std::uint8_t Code) {
  switch (Code) {
    case 1: return "Not enough memory";
    case 2: return "Incompatible size of matrices";
    case 3: return "Non-square matrix";
    case 4: return "Singular matrix";
    case 5: return "Incompatible size of the index array";
    case 6: return "Incompatible size of the vector";
    case 7: return "No convergence";
    default: return "No known errors";
  }
}

void MatrixError(std::uint8_t Code) {
  MatrixErrorCode = Code;
  ReportError(MatrixErrorText(Code), NoPosition, nullptr);
}

TMatrix::TMatrix(std::int32_t Rows, std::int32_t Cols) {
  if (!SetSize(Rows, Cols)) AssertionFailure(MatrixErrorText(MatrixNoMemory).c_str(), __FILE__, __LINE__);
}

bool TMatrix::SetSize(std::int32_t Rows, std::int32_t Cols) { return Block.SetSize(Rows, Cols); }

bool TMatrix::Resize(std::int32_t Rows, std::int32_t Cols) { return Block.Resize(Rows, Cols); }

std::int32_t TMatrix::GetRows() const { return Block.Rows(); }

std::int32_t TMatrix::GetCols() const { return Block.Cols(); }

void TMatrix::Fill(long double X) { Block.Fill(X); }

void TMatrix::SetIdentity() { Block.SetIdentity(); }

bool TMatrix::Assign(const IMatrix& Source) {
  if (&Source == this) return true;
  const std::int32_t rows = Source.GetRows();
  const std::int32_t cols = Source.GetCols();
  if (!SetSize(rows, cols)) return false;
  for (std::int32_t r = 0; r < rows; ++r)
    for (std::int32_t c = 0; c < cols; ++c) Block.At(r, c) = Source.GetItem(r, c);
  return true;
}

long double TMatrix::GetItem(std::int32_t Row, std::int32_t Col) const { return Block.At(Row, Col); }

void TMatrix::SetItem(std::int32_t Row, std::int32_t Col, long double X) { Block.At(Row, Col) = X; }

// Added through the real arithmetic, so a sum beyond the 80-bit range is an
// overflow like any other.
long double TMatrix::Trace() const {
  long double sum = 0.0L;
  const std::int32_t diagonal = std::min(Block.Rows(), Block.Cols());
  for (std::int32_t i = 0; i < diagonal; ++i) sum = RealAdd(sum, Block.At(i, i));
  return sum;
}

bool TMatrix::Equals(const IMatrix& Other) const {
  if (Other.GetRows() != GetRows() || Other.GetCols() != GetCols()) {
    MatrixError(MatrixSizeMismatch);
    return false;
  }
  for (std::int32_t r = 0; r < GetRows(); ++r)
    for (std::int32_t c = 0; c < GetCols(); ++c)
      if (Block.At(r, c) != Other.GetItem(r, c)) return false;
  return true;
}

bool TMatrix::IsSymmetric() const { return Block.IsSymmetric(); }

#include "Numerics/NXMatrix.h"

#include "Numerics/Matrix.h"
#include "runtime/Exceptions.h"

namespace {

// Indices below 1 map to -1 rather than wrapping, so the block refuses them.
std::int32_t ZeroBased(std::int32_t index) { return index < 1 ? -1 : index - 1; }

}  // namespace

std::uint8_t NXErrorCode = 0;

void SetNXError(std::uint8_t Code) { NXErrorCode = Code; }

TNMatrix::TNMatrix(std::int32_t Rows, std::int32_t Cols) {
  if (!Block.SetSize(Rows, Cols)) AssertionFailure(MatrixErrorText(MatrixNoMemory).c_str(), __FILE__, __LINE__);
}

bool TNMatrix::SetSize(std::int32_t Rows, std::int32_t Cols) {
  if (Block.SetSize(Rows, Cols)) return true;
  SetNXError(MatrixNoMemory);
  return false;
}

long double TNMatrix::GetItem(std::int32_t I, std::int32_t J) const { return Block.At(ZeroBased(I), ZeroBased(J)); }

void TNMatrix::SetItem(std::int32_t I, std::int32_t J, long double X) { Block.At(ZeroBased(I), ZeroBased(J)) = X; }

void TNMatrix::Fill(long double X) { Block.Fill(X); }

void TNMatrix::SetIdentity() { Block.SetIdentity(); }

bool IsSymmetricMatrix(const TNMatrix& M) { return M.Block.IsSymmetric(); }

#pragma once
// The 1-based matrix of the numerics routines: a plain object with one owner,
// indexed from 1 as the textbook formulas are written. The elements lie row
// after row in one contiguous array: element (I, J) at
// Data()[(I - 1) * GetCols() + (J - 1)].

#include <cstdint>

#include "Numerics/RealBlock.h"

class TNMatrix {
public:
  // Rows x Cols zeros; storage that cannot be had raises the assertion
  // failure "Not enough memory" (make an empty one and call SetSize to get a
  // false answer instead).
  explicit TNMatrix(std::int32_t Rows = 0, std::int32_t Cols = 0);

  std::int32_t GetRows() const { return Block.Rows(); }
  std::int32_t GetCols() const { return Block.Cols(); }
  // Nothing when the shape is unchanged; otherwise every element becomes 0.
  // False, with NXErrorCode 1 and the matrix unchanged, when the storage
  // cannot be had. Negative counts throw ERangeError.
  [[nodiscard]] bool SetSize(std::int32_t Rows, std::int32_t Cols);
  // I in 1 .. GetRows(), J in 1 .. GetCols(); other indices throw ERangeError.
  long double GetItem(std::int32_t I, std::int32_t J) const;
  void SetItem(std::int32_t I, std::int32_t J, long double X);
  void Fill(long double X);
  // Ones on the leading diagonal, zeros elsewhere.
  void SetIdentity();

  long double* Data() { return Block.Data(); }
  const long double* Data() const { return Block.Data(); }

private:
  friend bool IsSymmetricMatrix(const TNMatrix& M);

  TRealBlock Block;
};

// Square, and (i, j) equals (j, i) exactly for every i < j.
bool IsSymmetricMatrix(const TNMatrix& M);

// The last failure of a numerics routine, numbered as the matrix errors
// (1 no memory, 2 and 3 not square, 7 no convergence); 0 at start.
extern std::uint8_t NXErrorCode;
void SetNXError(std::uint8_t Code);

#pragma once
// The storage shared by the native matrices: a rectangular block of 80-bit
// reals kept row after row in one allocation, so numerical code can walk it
// as a plain array. Indices here are 0-based; TMatrix shows them as they are,
// TNMatrix shifts them to count from 1.
//
// Invariant: the storage holds exactly Rows() x Cols() elements, also after a
// re-size that could not get its memory.

#include <cstdint>
#include <vector>

class TRealBlock {
public:
  std::int32_t Rows() const { return RowCount; }
  std::int32_t Cols() const { return ColCount; }
  bool IsSquare() const { return RowCount == ColCount; }

  // Nothing when the shape is unchanged (the elements keep their values);
  // otherwise the new shape with every element 0. Negative counts throw
  // ERangeError. False when the storage cannot be had; the block is then
  // left as it was.
  [[nodiscard]] bool SetSize(std::int32_t rows, std::int32_t cols);
  // Like SetSize, but the elements inside both shapes keep their values.
  [[nodiscard]] bool Resize(std::int32_t rows, std::int32_t cols);

  void Fill(long double x);
  // Ones on the leading diagonal, zeros elsewhere, also when not square.
  void SetIdentity();
  // Square, and (i, j) equals (j, i) exactly for every i < j.
  bool IsSymmetric() const;

  // Element (row, col); an index outside the counts throws ERangeError.
  long double& At(std::int32_t row, std::int32_t col);
  long double At(std::int32_t row, std::int32_t col) const;

  long double* Data() { return Elements.data(); }
  const long double* Data() const { return Elements.data(); }

private:
  std::size_t Offset(std::int32_t row, std::int32_t col) const;
  std::size_t CheckedOffset(std::int32_t row, std::int32_t col) const;
  // Storage of the new shape filled with zeros, with the overlap copied when
  // keepOverlap is set.
  bool Reshape(std::int32_t rows, std::int32_t cols, bool keepOverlap);

  std::int32_t RowCount = 0;
  std::int32_t ColCount = 0;
  std::vector<long double> Elements;
};

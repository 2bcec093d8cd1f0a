#include "Numerics/RealBlock.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "runtime/Exceptions.h"
#include "runtime/StorageLimit.h"

namespace {

bool IndexWithin(std::int32_t index, std::int32_t count) {
  return static_cast<std::uint32_t>(index) < static_cast<std::uint32_t>(count);
}

}  // namespace

bool TRealBlock::SetSize(std::int32_t rows, std::int32_t cols) {
  if (rows == RowCount && cols == ColCount) return true;
  return Reshape(rows, cols, false);
}

bool TRealBlock::Resize(std::int32_t rows, std::int32_t cols) {
  if (rows == RowCount && cols == ColCount) return true;
  return Reshape(rows, cols, true);
}

// The new storage is complete before it replaces the old, so a failed
// allocation leaves counts and elements untouched.
bool TRealBlock::Reshape(std::int32_t rows, std::int32_t cols, bool keepOverlap) {
  if (rows < 0 || cols < 0) throw ERangeError();
  if (!StorageCanExist(std::uint64_t(rows) * std::uint64_t(cols), sizeof(long double))) return false;
  std::vector<long double> fresh;
  try {
    fresh.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0L);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  if (keepOverlap) {
    const std::int32_t keptRows = std::min(rows, RowCount);
    const std::int32_t keptCols = std::min(cols, ColCount);
    for (std::int32_t r = 0; r < keptRows; ++r)
      std::copy_n(Elements.begin() + Offset(r, 0), keptCols, fresh.begin() + std::size_t(r) * std::size_t(cols));
  }
  Elements.swap(fresh);
  RowCount = rows;
  ColCount = cols;
  return true;
}

void TRealBlock::Fill(long double x) { std::fill(Elements.begin(), Elements.end(), x); }

void TRealBlock::SetIdentity() {
  Fill(0.0L);
  const std::int32_t diagonal = std::min(RowCount, ColCount);
  for (std::int32_t i = 0; i < diagonal; ++i) Elements[Offset(i, i)] = 1.0L;
}

bool TRealBlock::IsSymmetric() const {
  if (!IsSquare()) return false;
  for (std::int32_t i = 0; i < RowCount; ++i)
    for (std::int32_t j = i + 1; j < ColCount; ++j)
      if (Elements[Offset(i, j)] != Elements[Offset(j, i)]) return false;
  return true;
}

long double& TRealBlock::At(std::int32_t row, std::int32_t col) { return Elements[CheckedOffset(row, col)]; }

long double TRealBlock::At(std::int32_t row, std::int32_t col) const { return Elements[CheckedOffset(row, col)]; }

std::size_t TRealBlock::CheckedOffset(std::int32_t row, std::int32_t col) const {
  if (!IndexWithin(row, RowCount) || !IndexWithin(col, ColCount)) throw ERangeError();
  return Offset(row, col);
}

std::size_t TRealBlock::Offset(std::int32_t row, std::int32_t col) const {
  return static_cast<std::size_t>(row) * static_cast<std::size_t>(ColCount) + static_cast<std::size_t>(col);
}

#include "runtime/Vector.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

#include "runtime/Exceptions.h"
#include "runtime/StorageLimit.h"

namespace {

[[noreturn]] void VectorFailure(int code, int line) {
  AssertionFailure(VectorErrorText(code).c_str(), __FILE__, line);
}

// Makes room for count elements, or fails with "Not enough memory" (as from
// line) when the machine cannot hold them; grow then changes the storage.
template <class Grow>
void GrowStorage(std::uint64_t count, int line, Grow grow) {
  if (!StorageCanExist(count, sizeof(long double))) VectorFailure(VectorNoMemory, line);
  try {
    grow();
  } catch (const std::bad_alloc&) {
    VectorFailure(VectorNoMemory, line);
  } catch (const std::length_error&) {
    VectorFailure(VectorNoMemory, line);
  }
}

}  // namespace

std::string VectorErrorText(int Code) {
  switch (Code) {
    case 1: return "Not enough memory";
    case 2: return "Incompatible size of vectors";
    case 3: return "Zero magnitude";
    case 4: return "Cross defined only for vector size of 3";
    case 5: return "Rewrite your equations as a set of order N-1";
    default: return "Unknown error";
  }
}

TVector::TVector(std::int64_t N) { SetSize(N); }

std::int64_t TVector::GetSize() const { return static_cast<std::int64_t>(Data.size()); }

// A failed re-size keeps the old size and elements, so the vector never
// claims elements it does not have.
void TVector::SetSize(std::int64_t N) {
  if (N < 0 || N == GetSize()) return;
  GrowStorage(static_cast<std::uint64_t>(N), __LINE__, [&] { Data.resize(static_cast<std::size_t>(N), 0.0L); });
}

// One unsigned comparison covers both ends; it costs no more than guarding
// the index arithmetic and keeps a caller's bad index from touching memory.
std::size_t TVector::Index(std::int64_t i) const {
  QASSERT(static_cast<std::uint64_t>(i) < Data.size(), "Assertion failure");
  return static_cast<std::size_t>(i);
}

long double TVector::GetItem(std::int64_t I) const { return Data[Index(I)]; }

void TVector::SetItem(std::int64_t I, long double X) { Data[Index(I)] = X; }

void TVector::Fill(long double X) { std::fill(Data.begin(), Data.end(), X); }

// The storage doubles when it is full, so the memory check runs once per
// doubling instead of once per element (past 256 MiB it reads the system's
// memory figures).
void TVector::Append(long double X) {
  if (Data.size() == Data.capacity()) {
    const std::uint64_t grown = std::max<std::uint64_t>(2 * Data.size(), 1);
    GrowStorage(grown, __LINE__, [&] { Data.reserve(static_cast<std::size_t>(grown)); });
  }
  Data.push_back(X);
}

void TVector::Assign(const IVector& Source) {
  if (&Source == this) return;
  std::int64_t size = Source.GetSize();
  SetSize(size);
  for (std::int64_t i = 0; i < size; ++i) Data[static_cast<std::size_t>(i)] = Source.GetItem(i);
}

// Squares beyond the 80-bit range are an overflow, as in any real arithmetic
// here; an infinite element gives an infinite magnitude.
long double TVector::Magnitude() const {
  long double sum = 0.0L;
  bool infiniteElement = false;
  for (long double x : Data) {
    sum += x * x;
    infiniteElement = infiniteElement || std::isinf(x);
  }
  if (std::isinf(sum) && !infiniteElement) throw EOverflow();
  return std::sqrt(sum);
}

bool TVector::Equals(const IVector& Other) const {
  if (Other.GetSize() != GetSize()) VectorFailure(VectorSizeMismatch, __LINE__);
  for (std::int64_t i = 0; i < GetSize(); ++i)
    if (Data[static_cast<std::size_t>(i)] != Other.GetItem(i)) return false;
  return true;
}

#include "Numerics/NXVector.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "runtime/Exceptions.h"
#include "runtime/StorageLimit.h"
#include "runtime/Vector.h"

std::string NXErrorText(std::uint8_t Code) { return VectorErrorText(Code); }

TNVector::TNVector(std::int32_t N) { SetSize(N); }

void TNVector::SetSize(std::int32_t N) {
  if (N < 0 || N == GetSize()) return;
  if (!StorageCanExist(static_cast<std::uint64_t>(N), sizeof(long double)))
    AssertionFailure(NXErrorText(VectorNoMemory).c_str(), __FILE__, __LINE__);
  try {
    Elements.resize(static_cast<std::size_t>(N), 0.0L);
  } catch (const std::bad_alloc&) {
    AssertionFailure(NXErrorText(VectorNoMemory).c_str(), __FILE__, __LINE__);
  } catch (const std::length_error&) {
    AssertionFailure(NXErrorText(VectorNoMemory).c_str(), __FILE__, __LINE__);
  }
}

std::size_t TNVector::Position(std::int32_t i) const {
  if (i < 1 || i > GetSize()) throw ERangeError();
  return static_cast<std::size_t>(i - 1);
}

long double TNVector::GetItem(std::int32_t I) const { return Elements[Position(I)]; }

void TNVector::SetItem(std::int32_t I, long double X) { Elements[Position(I)] = X; }

void TNVector::Fill(long double X) { std::fill(Elements.begin(), Elements.end(), X); }

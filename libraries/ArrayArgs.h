#pragma once
// Reading and writing the vectors and matrices of built-in routines and
// operators. A vector is an array of Real, a matrix an array of row
// vectors; positions here are 0-based. A matrix has the rows of its array
// and the columns of its first row: scripts may give later rows other
// lengths, which every code that reads columns by that count must refuse.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/ArrVar.h"
#include "engine/ScalarArith.h"

class TAbortCountdown;
class TFunc;

// The array a value parameter holds, and the caller's array behind a var parameter.
TArrVar& ArrArg(const TFunc& func, int i);
TArrVar& ArrRefArg(const TFunc& func, int i);
TArrVar& ArrResult(const TFunc& func);

// An Integer argument that must fit 32 bits, such as a count or an index;
// beyond them ERangeError is thrown.
std::int32_t Int32Arg(const TFunc& func, int i);

inline TArrVar& MatRow(const TArrVar& m, std::int32_t p) { return static_cast<TArrVar&>(*m.ElemAt(p)); }

// An element of a compact array as a Real; an Integer element widens exactly.
inline long double RealAt(const TArrVar& v, std::int32_t p) {
  const TValue& slot = v.SlotAt(p);
  return slot.Kind() == kcReal ? slot.AsReal() : RealOperand(slot);
}
inline void SetRealAt(TArrVar& v, std::int32_t p, long double x) { v.SetSlot(p, TValue::Real(x)); }
long double RealAt(const TArrVar& m, std::int32_t row, std::int32_t col);

// Long built-ins pass an abortCheck on which each element counts, so that
// an abort reaches them while they read a very long vector.
std::vector<long double> RealsOf(const TArrVar& v, TAbortCountdown* abortCheck = nullptr);
// v takes the reals' count (keeping its elements when it already had it)
// and values; each element counts on abortCheck when there is one.
void SetReals(TArrVar& v, std::span<const long double> reals, TAbortCountdown* abortCheck = nullptr);

// Every row is as long as the first.
bool IsRectangular(const TArrVar& m);
// The text reported for a matrix whose rows differ in length.
inline constexpr const char* UnequalRowsMessage = "Matrix rows must have the same length";

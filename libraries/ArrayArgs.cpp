#include "libraries/ArrayArgs.h"

#include "engine/Func.h"
#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "runtime/Exceptions.h"

TArrVar& ArrArg(const TFunc& func, int i) { return static_cast<TArrVar&>(*func.Arg(i)); }

TArrVar& ArrRefArg(const TFunc& func, int i) { return static_cast<TArrVar&>(*func.RefArg(i)); }

TArrVar& ArrResult(const TFunc& func) { return static_cast<TArrVar&>(*func.ResultVariable()); }

std::int32_t Int32Arg(const TFunc& func, int i) {
  std::int32_t n = 0;
  QASSERT(ValueToInt(func.GetArgValue(i), n), "Assertion failure");
  return n;
}

long double RealAt(const TArrVar& m, std::int32_t row, std::int32_t col) { return RealAt(MatRow(m, row), col); }

// Appended one by one rather than zeroed first: the pages are touched once.
std::vector<long double> RealsOf(const TArrVar& v, TAbortCountdown* abortCheck) {
  std::vector<long double> reals;
  reals.reserve(static_cast<std::size_t>(v.Count()));
  for (std::int32_t p = 0; p < v.Count(); ++p) {
    reals.push_back(RealAt(v, p));
    if (abortCheck) abortCheck->Step();
  }
  return reals;
}

void SetReals(TArrVar& v, std::span<const long double> reals, TAbortCountdown* abortCheck) {
  v.SetLength(static_cast<std::int32_t>(reals.size()));
  for (std::int32_t p = 0; p < v.Count(); ++p) {
    SetRealAt(v, p, reals[p]);
    if (abortCheck) abortCheck->Step();
  }
}

bool IsRectangular(const TArrVar& m) {
  const std::int32_t cols = MatColCount(m);
  for (std::int32_t r = 1; r < m.Count(); ++r)
    if (MatRow(m, r).Count() != cols) return false;
  return true;
}

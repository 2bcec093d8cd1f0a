#include "libraries/VectorRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/RunState.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"

namespace {

// Elements passed (or read) between two abort checks: well under a millisecond.
constexpr long SortAbortCheckSteps = 1 << 16;

long double Count(std::span<const long double> v) { return static_cast<long double>(v.size()); }

long double SumOf(std::span<const long double> v) {
  long double sum = 0;
  for (long double x : v) sum = RealAdd(sum, x);
  return sum;
}

long double SumOfSquares(std::span<const long double> v) {
  long double sum = 0;
  for (long double x : v) sum = RealAdd(sum, RealMul(x, x));
  return sum;
}

long double Magnitude(std::span<const long double> v) { return std::sqrt(SumOfSquares(v)); }

long double Variance(std::span<const long double> v) {
  return v.empty() ? 0 : RealDiv(SquaredDeviations(v, MeanOf(v)), Count(v));
}

long double StDev(std::span<const long double> v) { return std::sqrt(Variance(v)); }

long double RMS(std::span<const long double> v) {
  return v.empty() ? 0 : std::sqrt(RealDiv(SumOfSquares(v), Count(v)));
}

long double MaxVec(std::span<const long double> v) {
  long double largest = v.front();
  for (long double x : v.subspan(1))
    if (x > largest) largest = x;
  return largest;
}

long double MinVec(std::span<const long double> v) {
  long double smallest = v.front();
  for (long double x : v.subspan(1))
    if (x < smallest) smallest = x;
  return smallest;
}

template <long double (*Reduce)(std::span<const long double>), bool RefusesEmpty>
bool RunReduction(TFunc& routine, TSourcePos pos) {
  const std::vector<long double> v = RealsOf(ArrArg(routine, 0));
  if (RefusesEmpty && v.empty()) {
    ReportError("Vector has zero size", pos, nullptr);
    return false;
  }
  SetResult(routine, TValue::Real(Reduce(v)));
  return true;
}

bool RunCross(TFunc& routine, TSourcePos pos) {
  const std::vector<long double> a = RealsOf(ArrArg(routine, 0));
  const std::vector<long double> b = RealsOf(ArrArg(routine, 1));
  if (a.size() != 3 || b.size() != 3) {
    ReportError("Length of the vectors must be 3", pos, nullptr);
    return false;
  }
  const long double cross[] = {RealSub(RealMul(a[1], b[2]), RealMul(a[2], b[1])),
                               RealSub(RealMul(a[2], b[0]), RealMul(a[0], b[2])),
                               RealSub(RealMul(a[0], b[1]), RealMul(a[1], b[0]))};
  SetReals(ArrResult(routine), cross);
  return true;
}

bool RunJoin(TFunc& routine, TSourcePos) {
  std::vector<long double> joined = RealsOf(ArrArg(routine, 0));
  const std::vector<long double> tail = RealsOf(ArrArg(routine, 1));
  joined.insert(joined.end(), tail.begin(), tail.end());
  SetReals(ArrResult(routine), joined);
  return true;
}

bool RunAppend(TFunc& routine, TSourcePos) {
  std::vector<long double> appended = RealsOf(ArrArg(routine, 0));
  appended.push_back(RealArg(routine, 1));
  SetReals(ArrResult(routine), appended);
  return true;
}

bool RunMakeVec(TFunc& routine, TSourcePos pos) {
  const std::int32_t size = Int32Arg(routine, 0);
  if (size < 0) {
    ReportError("Vector size must be non-negative", pos, nullptr);
    return false;
  }
  // Sized first, so that storage that cannot exist is refused before any is made.
  TArrVar& result = ArrResult(routine);
  SetVecSize(result, size, true);
  const long double value = RealArg(routine, 1);
  for (std::int32_t p = 0; p < size; ++p) SetRealAt(result, p, value);
  return true;
}

// Refuses an index outside 1..count with "<ordinal> index [<index>] is out of range".
bool IndexInRange(std::int64_t index, std::int64_t count, const char* ordinal, TSourcePos pos) {
  if (index >= 1 && index <= count) return true;
  ReportError(std::string(ordinal) + " index [" + std::to_string(index) + "] is out of range", pos, nullptr);
  return false;
}

bool RunPartVec(TFunc& routine, TSourcePos pos) {
  const std::vector<long double> v = RealsOf(ArrArg(routine, 0));
  const std::int64_t first = IntArg(routine, 1);
  const std::int64_t last = IntArg(routine, 2);
  const auto count = static_cast<std::int64_t>(v.size());
  if (!IndexInRange(first, count, "1st", pos) || !IndexInRange(last, count, "2nd", pos)) return false;
  SetReals(ArrResult(routine), std::span(v).subspan(first - 1, std::max<std::int64_t>(last - first + 1, 0)));
  return true;
}

bool RunNormalize(TFunc& routine, TSourcePos pos) {
  std::vector<long double> v = RealsOf(ArrArg(routine, 0));
  ArrResult(routine).SetLength(static_cast<std::int32_t>(v.size()));
  const long double sumOfSquares = SumOfSquares(v);
  if (sumOfSquares <= 1e-100L) {
    ReportError("Vector has zero magnitude", pos, nullptr);
    return false;
  }
  const long double magnitude = std::sqrt(sumOfSquares);
  for (long double& x : v) x = RealDiv(x, magnitude);
  SetReals(ArrResult(routine), v);
  return true;
}

bool RunSortVec(TFunc& routine, TSourcePos pos) {
  TAbortCountdown copyCheck(SortAbortCheckSteps);
  std::vector<long double> v = RealsOf(ArrArg(routine, 0), &copyCheck);
  if (v.empty()) {
    ReportError("Vector parameter must not be empty", pos, nullptr);
    return false;
  }
  SortVector(v);
  SetReals(ArrResult(routine), v, &copyCheck);
  return true;
}

// Hoare's partition of v[left..right] around the middle element; on return
// v[left..last] holds no element above it and v[first..right] none below.
void Partition(std::span<long double> v, std::int64_t left, std::int64_t right, std::int64_t& last,
               std::int64_t& first, TAbortCountdown& abortCheck) {
  const long double pivot = v[(left + right) / 2];
  std::int64_t i = left;
  std::int64_t j = right;
  do {
    const std::int64_t gap = j - i;
    while (v[i] < pivot) ++i;
    while (v[j] > pivot) --j;
    if (i <= j) std::swap(v[i++], v[j--]);
    abortCheck.Step(static_cast<long>(gap - (j - i)));
  } while (i <= j);
  last = j;
  first = i;
}

void QuickSortVector(std::span<long double> v, std::int64_t left, std::int64_t right, TAbortCountdown& abortCheck) {
  while (left < right) {
    std::int64_t last = 0;
    std::int64_t first = 0;
    Partition(v, left, right, last, first, abortCheck);
    if (last - left < right - first) {
      QuickSortVector(v, left, last, abortCheck);
      left = first;
    } else {
      QuickSortVector(v, first, right, abortCheck);
      right = last;
    }
  }
}

}  // namespace

long double MeanOf(std::span<const long double> v) { return v.empty() ? 0 : RealDiv(SumOf(v), Count(v)); }

long double SquaredDeviations(std::span<const long double> v, long double mean) {
  long double sum = 0;
  for (long double x : v) {
    const long double deviation = RealSub(x, mean);
    sum = RealAdd(sum, RealMul(deviation, deviation));
  }
  return sum;
}

void SortVector(std::span<long double> v) {
  TAbortCountdown abortCheck(SortAbortCheckSteps);
  QuickSortVector(v, 0, static_cast<std::int64_t>(v.size()) - 1, abortCheck);
}

const TRoutineRule MagnitudeRule{"Magnitude", RunReduction<Magnitude, false>};
const TRoutineRule MeanRule{"Mean", RunReduction<MeanOf, false>};
const TRoutineRule VarianceRule{"Variance", RunReduction<Variance, false>};
const TRoutineRule StDevRule{"StDev", RunReduction<StDev, false>};
const TRoutineRule RMSRule{"RMS", RunReduction<RMS, false>};
const TRoutineRule MaxVecRule{"MaxVec", RunReduction<MaxVec, true>};
const TRoutineRule MinVecRule{"MinVec", RunReduction<MinVec, true>};
const TRoutineRule VecSumRule{"VecSum", RunReduction<SumOf, false>};
const TRoutineRule CrossRule{"Cross", RunCross};
const TRoutineRule JoinRule{"Join", RunJoin};
const TRoutineRule AppendRule{"Append", RunAppend};
const TRoutineRule MakeVecRule{"MakeVec", RunMakeVec};
const TRoutineRule PartVecRule{"PartVec", RunPartVec};
const TRoutineRule NormalizeRule{"Normalize", RunNormalize};
const TRoutineRule SortVecRule{"SortVec", RunSortVec};

#include "libraries/UnitConversion.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "engine/ArrVar.h"
#include "engine/ScalarArith.h"
#include "libraries/ArrayArgs.h"
#include "libraries/BuiltInArgs.h"

namespace {

constexpr long double CancellationSnap = 1e-10L;

struct TTableEntry {
  const TArrVar& Table;
  std::int64_t Position;
};

// True when every position lies in its table; otherwise false after the
// index error of the first that does not.
bool CheckPositions(std::initializer_list<TTableEntry> entries, TSourcePos pos) {
  for (const TTableEntry& entry : entries) {
    if (entry.Position < 1 || entry.Position > entry.Table.Count()) {
      ReportError("Array index = " + std::to_string(entry.Position) + " is out of range", pos, nullptr);
      return false;
    }
  }
  return true;
}

long double Entry(const TTableEntry& entry) { return GetVecElem(entry.Table, entry.Position); }

}  // namespace

TConvVF::TConvVF(TFuncKind* signature, TLib* lib) : TFunc("_CV01", signature, lib) {}

bool TConvVF::Execute(TSourcePos pos) {
  const TTableEntry source{ArrArg(*this, 0), IntArg(*this, 1)};
  const TTableEntry destination{ArrArg(*this, 0), IntArg(*this, 2)};
  if (!CheckPositions({source, destination}, pos)) return false;
  SetResult(*this, TValue::Real(RealDiv(RealMul(Entry(source), RealArg(*this, 3)), Entry(destination))));
  return true;
}

TLConvVF::TLConvVF(TFuncKind* signature, TLib* lib) : TFunc("_CV02", signature, lib) {}

bool TLConvVF::Execute(TSourcePos pos) {
  const std::int64_t s = IntArg(*this, 2);
  const std::int64_t d = IntArg(*this, 3);
  const TTableEntry sourceOffset{ArrArg(*this, 1), s};
  const TTableEntry sourceFactor{ArrArg(*this, 0), s};
  const TTableEntry destinationFactor{ArrArg(*this, 0), d};
  const TTableEntry destinationOffset{ArrArg(*this, 1), d};
  if (!CheckPositions({sourceOffset, sourceFactor, destinationFactor, destinationOffset}, pos)) return false;
  long double t = RealSub(RealArg(*this, 4), Entry(sourceOffset));
  t = RealDiv(RealMul(t, Entry(sourceFactor)), Entry(destinationFactor));
  const long double offset = Entry(destinationOffset);
  long double r = RealAdd(t, offset);
  if (std::isfinite(r) && std::fabs(r) <= CancellationSnap * std::max(std::fabs(t), std::fabs(offset))) r = 0;
  SetResult(*this, TValue::Real(r));
  return true;
}

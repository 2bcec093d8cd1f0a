#pragma once
// The unit conversions of _SysMath, for libraries that convert quantities:
// A given in unit S becomes A in unit D, where a unit is a position in the
// tables the library passes in: V holds each unit's factor to a common base
// unit and, for the affine _CV02, C its offset. A position outside a table
// is an index error.

#include "engine/Func.h"

// _CV01: V[S] * A / V[D].
class TConvVF final : public TFunc {
public:
  TConvVF(TFuncKind* signature, TLib* lib);
  bool Execute(TSourcePos pos) override;
};

// _CV02: (A - C[S]) * V[S] / V[D] + C[D]. A result that the two terms cancel
// to within 1e-10 of their size is the rounding left over from an exact
// zero, and becomes 0.
class TLConvVF final : public TFunc {
public:
  TLConvVF(TFuncKind* signature, TLib* lib);
  bool Execute(TSourcePos pos) override;
};

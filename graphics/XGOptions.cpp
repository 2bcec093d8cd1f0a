#include "graphics/XGOptions.h"

namespace {

void ExchangeRange(bool automatic, long double& min, long double& max, long double& step, long double& optionMin,
                   long double& optionMax, long double& optionInc) {
  if (automatic) {
    optionMin = min;
    optionMax = max;
    optionInc = max - min;
  } else {
    min = optionMin;
    max = optionMax;
    step = optionInc;
  }
}

}  // namespace

void TXGOptions::ExchangeRanges(TPoint3D& DataMin, TPoint3D& DataMax, TPoint3D& Step) {
  ExchangeRange(AutoX, DataMin.X, DataMax.X, Step.X, Min.X, Max.X, Inc.X);
  ExchangeRange(AutoY, DataMin.Y, DataMax.Y, Step.Y, Min.Y, Max.Y, Inc.Y);
  ExchangeRange(AutoZ, DataMin.Z, DataMax.Z, Step.Z, Min.Z, Max.Z, Inc.Z);
}

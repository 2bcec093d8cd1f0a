#pragma once
// A pixel coordinate for any real: rounded halves to even, clamped to
// +-2^30 (far outside any canvas; the toolkit clips lines with such ends
// exactly), and 0 for a NaN.

#include <algorithm>
#include <cmath>

#include "graphics/Point3D.h"

// Rounds to the nearest integer, halves to even, as nearbyintl does in the
// default rounding mode, without its cost of saving the floating-point
// environment (most of a million-point repaint). Adding 2^63 leaves no
// fraction bits in a 64-bit mantissa, so the sum itself is rounded; valid
// for |v| < 2^62.
inline long double RoundPixelValue(long double v) {
  constexpr long double shift = 9223372036854775808.0L;  // 2^63
  return v >= 0 ? (v + shift) - shift : (v - shift) + shift;
}

inline int ClampedPixel(long double v) {
  constexpr long double far = 1073741824.0L;
  if (std::isnan(v)) return 0;
  return int(RoundPixelValue(std::clamp(v, -far, far)));
}

// A projected position as the pixel it falls on.
inline TPoint ScreenPixel(const TRealPoint& P) { return {ClampedPixel(P.X), ClampedPixel(P.Y)}; }

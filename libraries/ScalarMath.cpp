#include "libraries/ScalarMath.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "engine/ScalarArith.h"
#include "runtime/Exceptions.h"

namespace {

// The trapping quotient: a zero divisor is a fault, never an infinity.
long double Quotient(long double dividend, long double divisor) {
  if (divisor == 0) {
    if (dividend == 0) throw EInvalidOp();
    throw EZeroDivide();
  }
  return CheckReal(dividend / divisor, dividend, divisor);
}

}  // namespace

long double RealSqrt(long double x) { return CheckReal(std::sqrt(x), x); }

long double RealSqr(long double x) { return RealMul(x, x); }

long double RealSin(long double x) { return CheckReal(std::sin(x), x); }

long double RealCos(long double x) { return CheckReal(std::cos(x), x); }

long double RealTan(long double x) { return CheckReal(std::tan(x), x); }

long double RealCotan(long double x) { return Quotient(1, RealTan(x)); }

long double RealExp(long double x) { return CheckReal(std::exp(x), x); }

long double RealLn(long double x) { return CheckReal(std::log(x), x); }

long double RealLog10(long double x) { return CheckReal(std::log10(x), x); }

long double RealLog2(long double x) { return CheckReal(std::log2(x), x); }

long double RealLog(long double base, long double x) { return Quotient(RealLn(x), RealLn(base)); }

long double RealSinh(long double x) { return CheckReal(std::sinh(x), x); }

long double RealCosh(long double x) { return CheckReal(std::cosh(x), x); }

long double RealTanh(long double x) { return CheckReal(std::tanh(x), x); }

long double RealCoth(long double x) { return Quotient(1, RealTanh(x)); }

long double RealArcSin(long double x) { return CheckReal(std::atan2(x, std::sqrt((1 - x) * (1 + x))), x); }

long double RealArcCos(long double x) { return CheckReal(std::atan2(std::sqrt((1 - x) * (1 + x)), x), x); }

long double RealArcTan(long double x) { return std::atan(x); }

long double RealArcTan2(long double ordinate, long double abscissa) { return std::atan2(ordinate, abscissa); }

long double RealArcCot(long double x) {
  if (x == 0) return std::numbers::pi_v<long double> / 2;
  // 1/x of a denormal x is infinite, and its arc tangent the limit +-pi/2.
  return std::atan(1 / x);
}

long double RealArcSinh(long double x) { return std::asinh(x); }

long double RealArcCosh(long double x) { return CheckReal(std::acosh(x), x); }

long double RealArcTanh(long double x) { return CheckReal(std::atanh(x), x); }

long double RealArcCoth(long double x) {
  if (std::fabs(x) == 1) return std::copysign(std::numeric_limits<long double>::infinity(), x);
  if (std::fabs(x) < 1) throw EInvalidOp();
  return std::atanh(1 / x);
}

long double RealAbs(long double x) { return std::fabs(x); }

long double RealFrac(long double x) { return CheckReal(x - std::trunc(x), x); }

long double RealHypot(long double x, long double y) {
  const long double larger = std::fmax(std::fabs(x), std::fabs(y));
  const long double smaller = std::fmin(std::fabs(x), std::fabs(y));
  if (smaller == 0 || std::isinf(larger)) return larger;
  const long double ratio = smaller / larger;
  return CheckReal(larger * std::sqrt(1 + ratio * ratio), true);
}

std::int64_t IntAbs(std::int64_t x) { return x < 0 ? IntNeg(x) : x; }

std::int64_t IntFactorial(std::int64_t x) {
  std::int64_t product = 1;
  for (std::int64_t factor = 2; factor <= x; ++factor) product = IntMul(product, factor);
  return product;
}

std::int64_t IntGCD(std::int64_t x, std::int64_t y) {
  std::int64_t a = IntAbs(x);
  std::int64_t b = IntAbs(y);
  while (b != 0) {
    const std::int64_t remainder = a % b;
    a = b;
    b = remainder;
  }
  return a;
}

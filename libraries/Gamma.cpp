#include "libraries/Gamma.h"

#include <array>
#include <cmath>
#include <numbers>
#include <span>

#include "engine/MessageChannel.h"
#include "engine/Value.h"

namespace {

constexpr long double Pi = std::numbers::pi_v<long double>;
constexpr long double SqrtTwoPi = 2.5066282746310005025L;
constexpr long double StirlingSeriesBound = 1024;
constexpr long double NearZeroBand = 0.03125L;
constexpr long double LargeArgumentBound = 13;

// Coefficients, highest power first.
constexpr std::array<long double, 8> P = {
    4.2127604874716220129e-5L, 4.5429319606080091558e-4L, 4.0926668283940355007e-3L, 2.3853632434611082525e-2L,
    1.1130628160193615591e-1L, 3.6295154366402391686e-1L, 8.3780043015731267287e-1L, 1.0L};
constexpr std::array<long double, 9> Q = {
    -1.3971485174761704408e-5L, 2.3465840591606352441e-4L, -1.2377992466531522312e-3L,
    -7.9559336824947383203e-4L, 2.7737065658400729792e-2L,  -4.6338876712445342137e-2L,
    -2.2435109056703291646e-1L, 4.1501609505884554344e-1L,  1.0L};
constexpr std::array<long double, 9> STIR = {
    7.1473913781436107890e-4L,  -2.3638488095017590614e-5L, -5.9502375540563301559e-4L,
    6.9893322606231931722e-5L,  7.8403348427447530041e-4L,  -2.2947197478731854057e-4L,
    -2.6813271618763044184e-3L, 3.4722222222300753278e-3L,  8.3333333333333318008e-2L};
// 1/Gamma(x) near zero, for positive and for negative x.
constexpr std::array<long double, 9> S = {
    -1.1939450513815100956e-3L, 7.2205994780369096724e-3L,  -9.6220233604062716458e-3L,
    -4.2197733607059154700e-2L, 1.6653861137208052067e-1L,  -4.2002635034033440543e-2L,
    -6.5587807152025406849e-1L, 5.7721566490153286083e-1L,  1.0L};
constexpr std::array<long double, 9> SN = {
    1.1333741672438943820e-3L,  7.2208372618931703256e-3L, 9.6219111550359767333e-3L,
    -4.2197733437311917214e-2L, -1.6653861139444135193e-1L, -4.2002635034021129102e-2L,
    6.5587807152025365471e-1L,  5.7721566490153286089e-1L, -1.0L};

// Codes of GammaError; the others (domain, underflow, loss of precision) never arise here.
constexpr int geSingularity = 2;
constexpr int geOverflow = 3;

void GammaError(int code) {
  static constexpr const char* Texts[] = {"Argument domain error",   "Singularity",
                                          "Overflow range error",    "Underflow range error",
                                          "Total loss of precision", "Partial loss of precision"};
  const int index = std::abs(code) - 1;
  if (index >= 0 && index < static_cast<int>(std::size(Texts))) ReportError(Texts[index], NoPosition, nullptr);
}

// The sign of Gamma(x) away from the poles.
long double GammaSign(long double x) {
  if (x > 0) return 1;
  return std::fmod(std::trunc(std::fabs(x)), 2) == 1 ? 1 : -1;
}

// Horner's rule over every coefficient of the table.
long double PolyEval(long double x, std::span<const long double> table) {
  long double y = table[0];
  for (std::size_t i = 1; i < table.size(); ++i) y = y * x + table[i];
  return y;
}

// The correction series 1 + w y of Stirling's formula, w = 1/x.
long double StirlingCorrection(long double x) {
  const long double w = 1 / x;
  long double y;
  if (x > StirlingSeriesBound)
    y = ((((6.9728137583658577740e-5L * w + 7.8403922172006662744e-4L) * w - 2.2947209362139917696e-4L) * w -
          2.6813271604938271605e-3L) * w + 3.4722222222222222222e-3L) * w + 8.3333333333333333322e-2L;
  else
    y = PolyEval(w, STIR);
  return 1 + w * y;
}

long double StirlingGamma(long double x) {
  return std::exp((x - 0.5L) * std::log(x) - x) * SqrtTwoPi * StirlingCorrection(x);
}

// Natural logarithm of StirlingGamma(x), for arguments whose Gamma is beyond the 80-bit range.
long double LogStirlingGamma(long double x) {
  return (x - 0.5L) * std::log(x) - x + std::log(SqrtTwoPi * StirlingCorrection(x));
}

long double GammaNearZero(long double z, long double x) {
  if (x == 0) {
    GammaError(geSingularity);
    return GammaMaxNum;
  }
  if (x < 0) return z / (-x * PolyEval(-x, SN));
  return z / (x * PolyEval(x, S));
}

// Reflection: Gamma(x) = pi / (x sin(pi x) Gamma(-x)) for x < -13, q = |x|.
long double ReflectedGamma(long double q, long double sign) {
  // The distance to the nearest integer; whole parts beyond 32 bits are kept.
  long double z = q - std::trunc(q);
  if (z > 0.5L) z = q - (std::trunc(q) + 1);
  const long double sineTerm = std::fabs(q * std::sin(Pi * z));
  // Gamma(q) overflows there while the true value is tiny: divide in logarithms,
  // so that the quotient underflows to a denormal or zero.
  if (q > GammaMaxArgument) return sign * std::exp(std::log(Pi) - std::log(sineTerm) - LogStirlingGamma(q));
  z = sineTerm * StirlingGamma(q);
  if (z <= Pi / GammaMaxNum) {
    GammaError(geOverflow);
    return sign * GammaMaxNum;
  }
  return sign * Pi / z;
}

// x within [-13, 13], brought to [2, 3) by the recurrence.
long double ReducedGamma(long double x) {
  long double z = 1;
  while (x >= 3) {
    x -= 1;
    z *= x;
  }
  while (x < -NearZeroBand) {
    z /= x;
    x += 1;
  }
  if (x <= NearZeroBand) return GammaNearZero(z, x);
  while (x < 2) {
    z /= x;
    x += 1;
  }
  if (x == 2) return z;
  x -= 2;
  return z * PolyEval(x, P) / PolyEval(x, Q);
}

}  // namespace

std::string GammaRefusal(long double x) {
  long double whole;
  const long double fraction = std::modf(x, &whole);
  // Near a pole the result is of no use: a negative integer within rounding counts as one.
  if (std::fabs(x) <= 1e-16L || (x < 0 && std::fabs(fraction) <= 1e-16L))
    return "Bad Gamma function argument [" + RealToText(x) + "]";
  if (x > GammaMaxArgument) return "Gamma function argument is too big [" + RealToText(x) + "]";
  return std::string();
}

long double GammaValue(long double x) {
  const long double sign = GammaSign(x);
  if (x == 0 || (x < 0 && x == std::trunc(x))) {
    GammaError(geSingularity);
    return sign * GammaMaxNum;
  }
  if (x > GammaMaxArgument) {
    GammaError(geOverflow);
    return GammaMaxNum;
  }
  const long double q = std::fabs(x);
  if (q <= LargeArgumentBound) return ReducedGamma(x);
  if (x > 0) return StirlingGamma(x);
  return ReflectedGamma(q, sign);
}

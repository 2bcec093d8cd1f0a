#include "graphics/ScaleTicks.h"

#include <cmath>

#include "engine/Value.h"

namespace {

constexpr long double Residue = 1e-9L;

bool UsableStep(long double inc) { return std::isfinite(inc) && inc > 0; }

// How many steps the scale spans; NaN or infinite when it cannot be walked.
long double StepCount(long double min, long double max, long double inc, bool logarithmic) {
  if (logarithmic) return (log10l(max) - log10l(min)) / inc;
  return (max - min) / inc;
}

}  // namespace

std::vector<TScaleTick> ScaleTicks(long double Min, long double Max, long double Inc, bool Logarithmic) {
  std::vector<TScaleTick> ticks;
  if (!UsableStep(Inc) || (Logarithmic && !(Min > 0))) return ticks;
  const long double count = StepCount(Min, Max, Inc, Logarithmic);
  if (!(count <= MaxTicks)) return ticks;
  const long double mult = powl(10, Inc);
  const long double tolerance = Residue * (Logarithmic ? Max : Inc);
  long double g = Min;
  while (true) {
    const bool last = fabsl(Max - g) <= tolerance;
    if (!(g <= Max || last)) break;
    ticks.push_back({g, last});
    const long double next = Logarithmic ? g * mult : g + Inc;
    if (next == g || ticks.size() > MaxTicks) break;
    g = next;
  }
  return ticks;
}

std::vector<long double> DescendingScaleTicks(long double Min, long double Max, long double Inc) {
  std::vector<long double> ticks;
  if (!UsableStep(Inc) || !(StepCount(Min, Max, Inc, false) <= MaxTicks)) return ticks;
  const long double tolerance = Residue * Inc;
  long double v = Max;
  while (v >= Min || fabsl(Min - v) <= tolerance) {
    ticks.push_back(v);
    const long double next = v - Inc;
    if (next == v || ticks.size() > MaxTicks) break;
    v = next;
  }
  return ticks;
}

std::vector<long double> HeightsScaleTicks(long double Min, long double Max, long double Inc) {
  std::vector<long double> values = DescendingScaleTicks(Min, Max, Inc);
  if (values.empty() && Min <= Max) values = {Max, Min};
  return values;
}

std::vector<long double> MinorTicks(long double From, long double To, bool Logarithmic) {
  std::vector<long double> ticks;
  const long double e = Logarithmic ? (To - From) / 9 : (To - From) * 0.2L;
  const std::size_t most = Logarithmic ? 8 : 4;
  if (!(e > 0)) return ticks;
  for (long double d = From + e; d < To && ticks.size() < most; d += e) ticks.push_back(d);
  return ticks;
}

bool IsZeroTick(long double Value, long double Inc) { return fabsl(Value) <= Residue * Inc; }

bool StepDownTo(long double Top, long double Lo, long double Step, long double& Bottom, int& N) {
  Bottom = Top;
  N = 0;
  do {
    ++N;
    const long double next = Bottom - Step;
    if (next == Bottom) return false;
    Bottom = next;
    if (fabsl(Bottom - Lo) < Residue * Step) Bottom = Lo;
  } while (Bottom > Lo);
  return true;
}

void TrimScaleEnds(long double& Bottom, long double& Top, long double Step, long double Lo, long double Hi) {
  if (Bottom + Step <= Lo) Bottom += Step;
  if (Top - Step >= Hi) Top -= Step;
}

std::string FormatTickLabel(long double Value, int Mantissa, int Exponent) {
  if (fabsl(Value) <= 1e-16L) return "0";
  return RealToText(Value, Mantissa, Exponent);
}

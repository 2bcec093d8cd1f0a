#pragma once
// The values of a scale from Min to Max, Inc apart (Inc decades apart on a
// logarithmic scale), for the loops that draw and measure ticks, labels and
// swatches. Every such loop ends: a step that is not a finite positive
// number, or a scale that would need more than MaxTicks ticks, gives no
// values; the last value may pass Max by a residue of 1e-9 of the step (of
// Max on a logarithmic scale); the walk stops when a step no longer moves it.

#include <vector>

inline constexpr int MaxTicks = 10000;

struct TScaleTick {
  long double Value;
  // The value lies on Max (within the residue).
  bool Last;
};

// Ascending from Min.
std::vector<TScaleTick> ScaleTicks(long double Min, long double Max, long double Inc, bool Logarithmic);
// Descending from Max to Min on a linear scale.
std::vector<long double> DescendingScaleTicks(long double Min, long double Max, long double Inc);
// The values strictly between two neighbouring ticks: four on a linear
// scale, the eight multiples 2..9 of the decade on a logarithmic one.
std::vector<long double> MinorTicks(long double From, long double To, bool Logarithmic);
// Zero within the residue of the step.
bool IsZeroTick(long double Value, long double Inc);

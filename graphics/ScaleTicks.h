#pragma once
// The values of a scale from Min to Max, Inc apart (Inc decades apart on a
// logarithmic scale), for the loops that draw and measure ticks, labels and
// swatches. Every such loop ends: a step that is not a finite positive
// number, or a scale that would need more than MaxTicks ticks, gives no
// values; the last value may pass Max by a residue of 1e-9 of the step (of
// Max on a logarithmic scale); the walk stops when a step no longer moves it.

#include <string>
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
// The values of a legend's heights scale, from Max down; only Max and Min
// when the step cannot be walked (after Clear the step is 1 while a mesh
// may span 10^9).
std::vector<long double> HeightsScaleTicks(long double Min, long double Max, long double Inc);
// The values strictly between two neighbouring ticks: four on a linear
// scale, the eight multiples 2..9 of the decade on a logarithmic one.
std::vector<long double> MinorTicks(long double From, long double To, bool Logarithmic);
// Zero within the residue of the step.
bool IsZeroTick(long double Value, long double Inc);

// Walks from Top down by Step to the first value at or below Lo and leaves
// it in Bottom, with the number of steps in N. A value within 1e-9 of the
// step of Lo becomes Lo: a rounding residue must not add an interval below
// the data. False when a step no longer lowers the value (a step below the
// resolution of Top).
bool StepDownTo(long double Top, long double Lo, long double Step, long double& Bottom, int& N);
// Takes a step off either end that lies wholly outside Lo .. Hi.
void TrimScaleEnds(long double& Bottom, long double& Top, long double Step, long double Lo, long double Hi);
// The text of a tick value with the options' digits; the residues that
// repeated steps leave at the zero tick (|Value| <= 1e-16) print as 0.
std::string FormatTickLabel(long double Value, int Mantissa, int Exponent);

#pragma once
// The catalogue of the library Math: its constants, its named procedural
// types and its routines, declared in the order the windows list them.

#include <numbers>

class TCatalogue;

// The stored value of the constant Pi, which the Fourier transform shares.
inline constexpr long double MathPi = std::numbers::pi_v<long double>;

void RegisterMathLibrary(TCatalogue& catalogue);

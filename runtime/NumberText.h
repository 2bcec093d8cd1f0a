#pragma once
// Reading numbers from text, independent of the locale: the one parser of
// all real input ("." as decimal separator, an optional exponent E or e).

#include <cstdint>
#include <string_view>

// Blanks (space, TAB, CR, LF) around the number are allowed; then an optional
// sign, digits with an optional fraction ("1.", ".5", "1.5"), an optional
// exponent with its own optional sign. A value beyond the real range does not
// read; one below it gives a denormal or zero. False leaves x unchanged.
bool TextToReal(std::string_view text, long double& x);
// Blanks around, an optional sign, decimal digits; the 64-bit range.
// False leaves n unchanged.
bool TextToInteger(std::string_view text, std::int64_t& n);

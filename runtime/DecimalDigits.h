#pragma once
// The leading decimal digits of a real's exact value, cut off rather than
// rounded: what number formatting rounds from. Both functions take a
// positive finite x and 1 <= count <= MaxDecimalDigits, write exactly
// count digits ('0'..'9', no terminator) and answer the decimal exponent of
// the first, so that x = d.ddd... x 10^exponent.

constexpr int MaxDecimalDigits = 40;

// Exact integer arithmetic for the reals between about 2^-61 and 2^128
// (every number a grid or a console line usually shows); the C library's
// printf for the others.
int TruncatedDigits(long double x, int count, char* digits);

// The C library's printf with rounding toward zero: every exponent, slower.
int PrintedTruncatedDigits(long double x, int count, char* digits);

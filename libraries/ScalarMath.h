#pragma once
// The scalar mathematics of the library Math as plain functions over 80-bit
// reals and 64-bit integers, shared by the routines and the vector code.
// Domain checks belong to the callers; a platform fault (an invalid
// operation, a division by zero, an overflow) is thrown as the exception of
// runtime/Exceptions.h that carries its message, never returned as a NaN
// or an infinity that the arguments did not already hold.

#include <cstdint>

long double RealSqrt(long double x);
long double RealSqr(long double x);
long double RealSin(long double x);
long double RealCos(long double x);
long double RealTan(long double x);
long double RealCotan(long double x);
long double RealExp(long double x);
long double RealLn(long double x);
long double RealLog10(long double x);
long double RealLog2(long double x);
// The logarithm of x to the given base.
long double RealLog(long double base, long double x);
long double RealSinh(long double x);
long double RealCosh(long double x);
long double RealTanh(long double x);
long double RealCoth(long double x);
long double RealArcSin(long double x);
long double RealArcCos(long double x);
long double RealArcTan(long double x);
// The angle of the point (abscissa, ordinate), in (-pi, pi].
long double RealArcTan2(long double ordinate, long double abscissa);
// pi/2 at 0; otherwise in (-pi/2, pi/2) with the sign of x.
long double RealArcCot(long double x);
long double RealArcSinh(long double x);
long double RealArcCosh(long double x);
long double RealArcTanh(long double x);
// +-infinity exactly at +-1; an invalid operation for |x| < 1.
long double RealArcCoth(long double x);
long double RealAbs(long double x);
// x minus its integral part, with the sign of x; 0 for the huge reals that
// have no fraction.
long double RealFrac(long double x);
// sqrt(x^2 + y^2) without overflow in the squares.
long double RealHypot(long double x, long double y);

// The integer functions throw EIntOverflow for the absolute value of the
// least 64-bit integer.
std::int64_t IntAbs(std::int64_t x);
// x in 0..20, the range whose factorials fit 64 bits.
std::int64_t IntFactorial(std::int64_t x);
// Non-negative; 0 only for GCD(0, 0).
std::int64_t IntGCD(std::int64_t x, std::int64_t y);

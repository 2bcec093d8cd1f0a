#pragma once
// Eigenvalues of a real square matrix: cyclic Jacobi rotations when it is
// exactly symmetric, otherwise reduction to Hessenberg form and Francis
// double-shift QR. The convergence tests compare sums in 80-bit arithmetic
// (x + g = x), so the thresholds, shifts and iteration limits below are part
// of the results, not tuning knobs.

#include <cstdint>

class TNMatrix;
class TNVector;

// Real parts into RV, imaginary parts into IV (both take n elements); A is
// destroyed. A symmetric A gives real values sorted descending; any other
// gives them in the order the QR iteration isolates them (from the bottom
// up), a complex pair as two entries with imaginary parts -z then +z.
// False only when A is not square (NXErrorCode 3) or its work matrix cannot
// be had (1). Without convergence the values reached so far stay, a warning
// line "No convergence" is written, and the answer is still true.
bool EigenValues(TNMatrix& A, TNVector& RV, TNVector& IV);

// Eigenvalues of a symmetric A into D, eigenvectors into the columns of V,
// the number of rotations into NRot; the part of A above the diagonal is
// destroyed. False when A is not square (NXErrorCode 2), V cannot be sized
// (1), or 50 sweeps end without convergence (7, D then holds the values
// reached).
bool JacobiEigen(TNMatrix& A, TNMatrix& V, TNVector& D, std::int32_t& NRot);

// D descending, the columns of V moving along; among equal values the last
// one is taken first. V needs at least as many columns as D has elements.
void SortEigen(TNVector& D, TNMatrix& V);

// Upper Hessenberg form of a square A by elimination with pivoting; the
// multipliers stay below the subdiagonal.
void ReduceToHessenberg(TNMatrix& A);

// Eigenvalues of an upper Hessenberg square A (elements below the subdiagonal
// are ignored) into WR and WI, which need at least n elements. False, with
// NXErrorCode 7, when one eigenvalue takes 30 iterations: the entries not yet
// isolated are left as they were.
bool HessenbergQR(TNMatrix& A, TNVector& WR, TNVector& WI);

// abs(A) when B >= 0 (negative zero included), else -abs(A).
long double CopySign(long double A, long double B);

#include "Numerics/NXEigen.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Numerics/Matrix.h"
#include "Numerics/NXMatrix.h"
#include "Numerics/NXVector.h"
#include "engine/MessageChannel.h"
#include "engine/RunState.h"
#include "runtime/Exceptions.h"

namespace {

constexpr int JacobiSweeps = 50;
constexpr int QRIterationsPerRoot = 30;

// Unchecked 1-based views for the inner loops. Each routine checks the
// shapes once on entry; every index after that is bounded by the order n.
class TMatrixView {
public:
  explicit TMatrixView(TNMatrix& m) : data(m.Data()), cols(static_cast<std::size_t>(m.GetCols())) {}
  long double& operator()(std::int32_t i, std::int32_t j) const {
    return data[static_cast<std::size_t>(i - 1) * cols + static_cast<std::size_t>(j - 1)];
  }

private:
  long double* data;
  std::size_t cols;
};

class TVectorView {
public:
  explicit TVectorView(TNVector& v) : data(v.Data()) {}
  long double& operator[](std::int32_t i) const { return data[i - 1]; }

private:
  long double* data;
};

// One Jacobi rotation applied to a pair of elements (x, y).
struct TRotation {
  long double s;
  long double tau;
  void Apply(long double& x, long double& y) const {
    const long double g = x;
    const long double h = y;
    x = g - s * (h + g * tau);
    y = h + s * (g - h * tau);
  }
};

long double OffDiagonalSum(const TMatrixView& a, std::int32_t n) {
  long double sum = 0.0L;
  for (std::int32_t p = 1; p < n; ++p)
    for (std::int32_t q = p + 1; q <= n; ++q) sum += std::fabs(a(p, q));
  return sum;
}

// Annihilates a(p,q): moves its weight onto d[p] and d[q] (z keeps the sum
// of the moves) and rotates the rest of the upper triangle and of v.
void Rotate(const TMatrixView& a, const TMatrixView& v, const TVectorView& d, const TVectorView& z, std::int32_t n,
            std::int32_t p, std::int32_t q, long double g) {
  long double h = d[q] - d[p];
  long double t;
  if (std::fabs(h) + g == std::fabs(h)) {
    t = a(p, q) / h;
  } else {
    const long double theta = 0.5L * h / a(p, q);
    t = 1.0L / (std::fabs(theta) + std::sqrt(theta * theta + 1.0L));
    if (theta < 0) t = -t;
  }
  const long double c = 1.0L / std::sqrt(t * t + 1.0L);
  const long double s = t * c;
  const TRotation rotation{s, s / (1.0L + c)};
  h = t * a(p, q);
  z[p] -= h;
  z[q] += h;
  d[p] -= h;
  d[q] += h;
  a(p, q) = 0.0L;
  for (std::int32_t j = 1; j < p; ++j) rotation.Apply(a(j, p), a(j, q));
  for (std::int32_t j = p + 1; j < q; ++j) rotation.Apply(a(p, j), a(j, q));
  for (std::int32_t j = q + 1; j <= n; ++j) rotation.Apply(a(p, j), a(q, j));
  for (std::int32_t j = 1; j <= n; ++j) rotation.Apply(v(j, p), v(j, q));
}

// The shifts of one QR iteration: x and y are the trailing diagonal
// elements (or the exceptional values), w the product of the trailing
// off-diagonal pair.
struct TShifts {
  long double x;
  long double y;
  long double w;
};

// The first column of the double-shift product, scaled: the start of the
// reflections of one QR step.
struct TReflector {
  long double p;
  long double q;
  long double r;
};

// The first l, counting down from nn to 2, whose subdiagonal element
// a(l,l-1) vanishes against its diagonal neighbours; 1 when there is none.
// Rows l .. nn then form the block still to be split.
std::int32_t NegligibleSubdiagonal(const TMatrixView& a, std::int32_t nn, long double anorm) {
  std::int32_t l = nn;
  for (; l >= 2; --l) {
    long double s = std::fabs(a(l - 1, l - 1)) + std::fabs(a(l, l));
    if (s == 0) s = anorm;
    if (std::fabs(a(l, l - 1)) + s == s) break;
  }
  return l;
}

// The roots of the trailing 2 x 2 block at rows nn-1 and nn.
void StoreRootPair(const TVectorView& wr, const TVectorView& wi, std::int32_t nn, TShifts shifts, long double t) {
  const long double p = 0.5L * (shifts.y - shifts.x);
  const long double q = p * p + shifts.w;
  long double z = std::sqrt(std::fabs(q));
  const long double x = shifts.x + t;
  if (q >= 0) {
    z = p + CopySign(z, p);
    wr[nn - 1] = wr[nn] = x + z;
    if (z != 0) wr[nn] = x - shifts.w / z;
    wi[nn - 1] = wi[nn] = 0.0L;
  } else {
    wr[nn - 1] = wr[nn] = x + p;
    wi[nn - 1] = -z;
    wi[nn] = z;
  }
}

// Moves the accumulated shift t on by a(nn,nn) and gives the exceptional
// shifts that break a cycle of slow iterations.
TShifts ExceptionalShifts(const TMatrixView& a, std::int32_t nn, long double& t) {
  const long double x = a(nn, nn);
  t += x;
  for (std::int32_t i = 1; i <= nn; ++i) a(i, i) -= x;
  const long double s = std::fabs(a(nn, nn - 1)) + std::fabs(a(nn - 1, nn - 2));
  return {0.75L * s, 0.75L * s, -0.4375L * s * s};
}

// Where the QR step may start: the highest m in l .. nn-2 below two small
// consecutive subdiagonal elements; reflector receives the step's first
// column there.
std::int32_t DoubleShiftStart(const TMatrixView& a, std::int32_t l, std::int32_t nn, TShifts shifts,
                              TReflector& reflector) {
  std::int32_t m = nn - 2;
  for (;; --m) {
    const long double z = a(m, m);
    long double r = shifts.x - z;
    long double s = shifts.y - z;
    long double p = (r * s - shifts.w) / a(m + 1, m) + a(m, m + 1);
    long double q = a(m + 1, m + 1) - z - r - s;
    r = a(m + 2, m + 1);
    s = std::fabs(p) + std::fabs(q) + std::fabs(r);
    reflector = {p / s, q / s, r / s};
    if (m == l) break;
    const long double u = std::fabs(a(m, m - 1)) * (std::fabs(reflector.q) + std::fabs(reflector.r));
    const long double v =
        std::fabs(reflector.p) * (std::fabs(a(m - 1, m - 1)) + std::fabs(z) + std::fabs(a(m + 1, m + 1)));
    if (u + v == v) break;
  }
  return m;
}

// One Francis double-shift step on rows and columns l .. nn, chasing the
// bulge from m down with 3-element Householder reflections.
void DoubleQRStep(const TMatrixView& a, std::int32_t l, std::int32_t m, std::int32_t nn, TReflector reflector) {
  for (std::int32_t i = m + 2; i <= nn; ++i) {
    a(i, i - 2) = 0.0L;
    if (i != m + 2) a(i, i - 3) = 0.0L;
  }
  auto [p, q, r] = reflector;
  long double x = 0.0L;
  for (std::int32_t k = m; k <= nn - 1; ++k) {
    const bool lastColumn = k == nn - 1;
    if (k != m) {
      p = a(k, k - 1);
      q = a(k + 1, k - 1);
      r = lastColumn ? 0.0L : a(k + 2, k - 1);
      x = std::fabs(p) + std::fabs(q) + std::fabs(r);
      if (x != 0) {
        p /= x;
        q /= x;
        r /= x;
      }
    }
    const long double s = CopySign(std::sqrt(p * p + q * q + r * r), p);
    if (s == 0) continue;
    if (k == m) {
      if (l != m) a(k, k - 1) = -a(k, k - 1);
    } else {
      a(k, k - 1) = -s * x;
    }
    p += s;
    x = p / s;
    const long double y = q / s;
    const long double z = r / s;
    q /= p;
    r /= p;
    for (std::int32_t j = k; j <= nn; ++j) {
      long double sum = a(k, j) + q * a(k + 1, j);
      if (!lastColumn) {
        sum += r * a(k + 2, j);
        a(k + 2, j) -= sum * z;
      }
      a(k + 1, j) -= sum * y;
      a(k, j) -= sum * x;
    }
    const std::int32_t lastRow = std::min(nn, k + 3);
    for (std::int32_t i = l; i <= lastRow; ++i) {
      long double sum = x * a(i, k) + y * a(i, k + 1);
      if (!lastColumn) {
        sum += z * a(i, k + 2);
        a(i, k + 2) -= sum * r;
      }
      a(i, k + 1) -= sum * q;
      a(i, k) -= sum;
    }
  }
}

// abs(a(1,1)) and the rest of the Hessenberg band below row 1: the scale
// for a subdiagonal test whose diagonal neighbours are both 0.
long double HessenbergNorm(const TMatrixView& a, std::int32_t n) {
  long double anorm = std::fabs(a(1, 1));
  for (std::int32_t i = 2; i <= n; ++i)
    for (std::int32_t j = i - 1; j <= n; ++j) anorm += std::fabs(a(i, j));
  return anorm;
}

}  // namespace

long double CopySign(long double A, long double B) { return B >= 0 ? std::fabs(A) : -std::fabs(A); }

bool EigenValues(TNMatrix& A, TNVector& RV, TNVector& IV) {
  if (A.GetRows() != A.GetCols()) {
    SetNXError(MatrixNotSquare);
    return false;
  }
  const std::int32_t n = A.GetRows();
  RV.SetSize(n);
  IV.SetSize(n);
  IV.Fill(0.0L);
  bool converged;
  if (IsSymmetricMatrix(A)) {
    TNMatrix vectors;
    if (!vectors.SetSize(n, n)) return false;
    std::int32_t rotations = 0;
    converged = JacobiEigen(A, vectors, RV, rotations);
    SortEigen(RV, vectors);
  } else {
    ReduceToHessenberg(A);
    converged = HessenbergQR(A, RV, IV);
  }
  if (!converged) WriteMessage(MatrixErrorText(MatrixNoConvergence), lkWarning, 0);
  return true;
}

bool JacobiEigen(TNMatrix& A, TNMatrix& V, TNVector& D, std::int32_t& NRot) {
  if (A.GetRows() != A.GetCols()) {
    SetNXError(MatrixSizeMismatch);
    return false;
  }
  const std::int32_t n = A.GetRows();
  TNVector B(n);
  TNVector Z(n);
  if (!V.SetSize(n, n)) return false;
  D.SetSize(n);
  D.Fill(0.0L);
  NRot = 0;
  V.SetIdentity();

  const TMatrixView a(A);
  const TMatrixView v(V);
  const TVectorView b(B);
  const TVectorView d(D);
  const TVectorView z(Z);
  for (std::int32_t i = 1; i <= n; ++i) {
    b[i] = a(i, i);
    d[i] = b[i];
    z[i] = 0.0L;
  }
  for (int sweep = 1; sweep <= JacobiSweeps; ++sweep) {
    const long double sm = OffDiagonalSum(a, n);
    if (sm == 0) return true;
    const long double tresh = sweep < 4 ? 0.2L * sm / (static_cast<long double>(n) * n) : 0.0L;
    for (std::int32_t p = 1; p < n; ++p) {
      CheckAbort();
      for (std::int32_t q = p + 1; q <= n; ++q) {
        const long double g = 100.0L * std::fabs(a(p, q));
        if (sweep > 4 && std::fabs(d[p]) + g == std::fabs(d[p]) && std::fabs(d[q]) + g == std::fabs(d[q])) {
          a(p, q) = 0.0L;
        } else if (std::fabs(a(p, q)) > tresh) {
          Rotate(a, v, d, z, n, p, q, g);
          ++NRot;
        }
      }
    }
  }
  for (std::int32_t i = 1; i <= n; ++i) {
    b[i] += z[i];
    d[i] = b[i];
    z[i] = 0.0L;
  }
  SetNXError(MatrixNoConvergence);
  return false;
}

void SortEigen(TNVector& D, TNMatrix& V) {
  const std::int32_t n = D.GetSize();
  QASSERT(V.GetCols() >= n, "Assertion failure");
  const TVectorView d(D);
  const TMatrixView v(V);
  for (std::int32_t i = 1; i <= n; ++i) {
    CheckAbort();
    std::int32_t k = i;
    long double p = d[i];
    for (std::int32_t j = i + 1; j <= n; ++j) {
      if (d[j] >= p) {
        k = j;
        p = d[j];
      }
    }
    if (k == i) continue;
    d[k] = d[i];
    d[i] = p;
    for (std::int32_t row = 1; row <= V.GetRows(); ++row) std::swap(v(row, i), v(row, k));
  }
}

void ReduceToHessenberg(TNMatrix& A) {
  const std::int32_t n = A.GetRows();
  QASSERT(A.GetCols() == n, "Assertion failure");
  const TMatrixView a(A);
  for (std::int32_t m = 2; m < n; ++m) {
    CheckAbort();
    long double x = 0.0L;
    std::int32_t pivot = m;
    for (std::int32_t j = m; j <= n; ++j) {
      if (std::fabs(a(j, m - 1)) > std::fabs(x)) {
        x = a(j, m - 1);
        pivot = j;
      }
    }
    if (pivot != m) {
      for (std::int32_t j = m - 1; j <= n; ++j) std::swap(a(pivot, j), a(m, j));
      for (std::int32_t j = 1; j <= n; ++j) std::swap(a(j, pivot), a(j, m));
    }
    if (x == 0) continue;
    for (std::int32_t i = m + 1; i <= n; ++i) {
      long double y = a(i, m - 1);
      if (y == 0) continue;
      y /= x;
      a(i, m - 1) = y;
      for (std::int32_t j = m; j <= n; ++j) a(i, j) -= y * a(m, j);
      for (std::int32_t j = 1; j <= n; ++j) a(j, m) += y * a(j, i);
    }
  }
}

bool HessenbergQR(TNMatrix& A, TNVector& WR, TNVector& WI) {
  const std::int32_t n = A.GetRows();
  QASSERT(A.GetCols() == n && WR.GetSize() >= n && WI.GetSize() >= n, "Assertion failure");
  if (n < 1) return true;
  const TMatrixView a(A);
  const TVectorView wr(WR);
  const TVectorView wi(WI);
  const long double anorm = HessenbergNorm(a, n);
  std::int32_t nn = n;
  long double t = 0.0L;
  while (nn >= 1) {
    int its = 0;
    for (;;) {
      CheckAbort();
      const std::int32_t l = NegligibleSubdiagonal(a, nn, anorm);
      if (l == nn) {
        wr[nn] = a(nn, nn) + t;
        wi[nn] = 0.0L;
        nn -= 1;
        break;
      }
      TShifts shifts{a(nn, nn), a(nn - 1, nn - 1), a(nn, nn - 1) * a(nn - 1, nn)};
      if (l == nn - 1) {
        StoreRootPair(wr, wi, nn, shifts, t);
        nn -= 2;
        break;
      }
      if (its == QRIterationsPerRoot) {
        SetNXError(MatrixNoConvergence);
        return false;
      }
      if (its == 10 || its == 20) shifts = ExceptionalShifts(a, nn, t);
      ++its;
      TReflector reflector;
      const std::int32_t m = DoubleShiftStart(a, l, nn, shifts, reflector);
      DoubleQRStep(a, l, m, nn, reflector);
    }
  }
  return true;
}

#include "Numerics/NXEigen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "Numerics/NXMatrix.h"
#include "Numerics/NXVector.h"
#include "RecordingSink.h"

#include "NumericRows.h"

namespace {

constexpr long double Epsilon = std::numeric_limits<long double>::epsilon();

Reals Column(const TNMatrix& m, std::int32_t j) {
  Reals column;
  for (std::int32_t i = 1; i <= m.GetRows(); ++i) column.push_back(m.GetItem(i, j));
  return column;
}

void ExpectClose(const Reals& actual, const Reals& expected, long double relative, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_LE(std::fabs(actual[i] - expected[i]), relative * std::fabs(expected[i]))
        << what << ": element " << i + 1 << " is " << static_cast<double>(actual[i]) << ", not "
        << static_cast<double>(expected[i]);
}

struct TEigenResult {
  bool Ok;
  Reals Real, Imaginary;
};

TEigenResult Eigen(const Rows& rows) {
  TNMatrix a = MatrixOf(rows);
  TNVector rv, iv;
  const bool ok = EigenValues(a, rv, iv);
  return {ok, Elements(rv), Elements(iv)};
}

class EigenTest : public RecordingSinkTest {
protected:
  void SetUp() override {
    RecordingSinkTest::SetUp();
    SetNXError(0);
  }
};

// Day's companion matrix of (x^2 - 1)^2: the standard and exceptional shifts
// cycle without splitting it. Below it a separate 7, isolated first.
const Rows Stalling = {{0, 2, 0, -1, 0}, {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0}, {0, 0, 0, 0, 7}};

}  // namespace

TEST_F(EigenTest, KnownSpectra) {
  const long double root2 = std::sqrt(2.0L);
  const struct {
    const char* Name;
    Rows Matrix;
    Reals Real, Imaginary;
    long double Relative;
  } cases[] = {
      {"symmetric 2x2", {{2, 1}, {1, 2}}, {3, 1}, {0, 0}, 0},
      {"rotation", {{0, -1}, {1, 0}}, {0, 0}, {-1, 1}, 0},
      {"tridiagonal", {{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}}, {2 + root2, 2, 2 - root2}, {0, 0, 0}, 4 * Epsilon},
      {"1x1", {{5}}, {5}, {0}, 0},
      {"diagonal, sorted descending", {{1, 0, 0}, {0, 3, 0}, {0, 0, 2}}, {3, 2, 1}, {0, 0, 0}, 0},
      {"rotation beside 2, isolated bottom up", {{0, -1, 0}, {1, 0, 0}, {0, 0, 2}}, {0, 0, 2}, {-1, 1, 0}, 0},
      {"companion of (x-1)(x-2)(x-3)", {{6, -11, 6}, {1, 0, 0}, {0, 1, 0}}, {3, 2, 1}, {0, 0, 0}, 16 * Epsilon},
  };
  for (const auto& c : cases) {
    const TEigenResult result = Eigen(c.Matrix);
    EXPECT_TRUE(result.Ok) << c.Name;
    ExpectClose(result.Real, c.Real, c.Relative, std::string(c.Name) + ", real parts");
    EXPECT_EQ(result.Imaginary, c.Imaginary) << c.Name;
  }
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(NXErrorCode, 0);
}

// A difference in the last bit sends the matrix to the QR iteration, whose
// values come bottom up instead of sorted.
TEST_F(EigenTest, ExactSymmetryChoosesTheJacobiPath) {
  const long double half = 0.5L;
  const long double halfAndABit = std::nextafter(half, 1.0L);
  ASSERT_FALSE(IsSymmetricMatrix(MatrixOf({{1, half}, {halfAndABit, 3}})));
  const TEigenResult symmetric = Eigen({{1, half}, {half, 3}});
  const TEigenResult nearly = Eigen({{1, half}, {halfAndABit, 3}});
  const long double root = std::sqrt(1.25L);
  ExpectClose(symmetric.Real, {2 + root, 2 - root}, 4 * Epsilon, "symmetric");
  ExpectClose(nearly.Real, {2 - root, 2 + root}, 4 * Epsilon, "one bit away");
}

TEST_F(EigenTest, NonSquareMatricesAreRefused) {
  TNMatrix a(2, 3);
  TNVector rv, iv;
  EXPECT_FALSE(EigenValues(a, rv, iv));
  EXPECT_EQ(NXErrorCode, 3);
  EXPECT_EQ(rv.GetSize(), 0) << "no eigenvalues are computed";

  TNMatrix v;
  std::int32_t rotations = -1;
  EXPECT_FALSE(JacobiEigen(a, v, rv, rotations));
  EXPECT_EQ(NXErrorCode, 2);
}

TEST_F(EigenTest, NoConvergenceWarnsAndKeepsTheValuesIsolatedSoFar) {
  const TEigenResult result = Eigen(Stalling);
  EXPECT_TRUE(result.Ok);
  EXPECT_EQ(NXErrorCode, 7);
  EXPECT_EQ(result.Real, (Reals{0, 0, 0, 0, 7}));
  EXPECT_EQ(result.Imaginary, (Reals{0, 0, 0, 0, 0}));
  EXPECT_EQ(Lines(), (std::vector<TLine>{{"No convergence", lkWarning, 0}}));
}

TEST_F(EigenTest, JacobiWithoutConvergenceWarnsToo) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_TRUE(Eigen({{inf, 1, 1}, {1, inf, 1}, {1, 1, 0}}).Ok);
  EXPECT_EQ(NXErrorCode, 7);
  EXPECT_EQ(Lines(), (std::vector<TLine>{{"No convergence", lkWarning, 0}}));
}

// Two complex pairs that only the second exceptional shift (iteration 20)
// splits apart.
TEST_F(EigenTest, TheSecondExceptionalShiftBringsConvergence) {
  const TEigenResult result = Eigen({{-2, -2, 1, 0}, {-1, 1, 3, 0}, {-3, 2, 2, -3}, {2, 3, -2, 3}});
  EXPECT_EQ(NXErrorCode, 0);
  EXPECT_TRUE(Lines().empty());
  ASSERT_EQ(result.Real.size(), 4u);
  EXPECT_NEAR(static_cast<double>(result.Real[0] + result.Real[1] + result.Real[2] + result.Real[3]), 4, 1e-15)
      << "the real parts add up to the trace";
  for (std::size_t i : {0u, 2u}) {
    EXPECT_EQ(result.Real[i], result.Real[i + 1]);
    EXPECT_LT(result.Imaginary[i], 0);
    EXPECT_EQ(result.Imaginary[i + 1], -result.Imaginary[i]);
  }
}

// The count pins the threshold of the first three sweeps: rotating every
// non-zero element from the start takes 12.
TEST(JacobiEigen, SmallElementsWaitForTheFourthSweep) {
  TNMatrix a = MatrixOf({{0.5L, -0.01171875L, 0.375L}, {-0.01171875L, -0.25L, 0}, {0.375L, 0, 0.5L}});
  TNMatrix v;
  TNVector d;
  std::int32_t rotations = 0;
  ASSERT_TRUE(JacobiEigen(a, v, d, rotations));
  EXPECT_EQ(rotations, 8);
}

TEST(JacobiEigen, ColumnsOfVAreEigenvectorsAndTheLowerTriangleSurvives) {
  const Rows rows = {{4, 1, -2, 2}, {1, 2, 0, 1}, {-2, 0, 3, -2}, {2, 1, -2, -1}};
  TNMatrix a = MatrixOf(rows);
  TNMatrix v;
  TNVector d;
  std::int32_t rotations = 0;
  ASSERT_TRUE(JacobiEigen(a, v, d, rotations));
  EXPECT_GT(rotations, 0);
  for (std::int32_t k = 1; k <= 4; ++k) {
    const Reals x = Column(v, k);
    for (std::size_t i = 0; i < 4; ++i) {
      long double ax = 0;
      for (std::size_t j = 0; j < 4; ++j) ax += rows[i][j] * x[j];
      EXPECT_LE(std::fabs(ax - d.GetItem(k) * x[i]), 1e-17L) << "A v = d v, column " << k << ", row " << i + 1;
    }
  }
  for (std::int32_t i = 1; i <= 4; ++i)
    for (std::int32_t j = 1; j <= i; ++j) EXPECT_EQ(a.GetItem(i, j), rows[i - 1][j - 1]) << i << ", " << j;
}

TEST(JacobiEigen, ADiagonalMatrixNeedsNoRotation) {
  TNMatrix a = MatrixOf({{2, 0}, {0, 5}});
  TNMatrix v(3, 1);
  TNVector d;
  std::int32_t rotations = -1;
  ASSERT_TRUE(JacobiEigen(a, v, d, rotations));
  EXPECT_EQ(rotations, 0);
  EXPECT_EQ(Elements(d), (Reals{2, 5}));
  EXPECT_EQ(Column(v, 1), (Reals{1, 0}));
  EXPECT_EQ(Column(v, 2), (Reals{0, 1}));
}

TEST(SortEigen, DescendingWithTheLastOfEqualValuesFirst) {
  TNVector d(3);
  d.SetItem(1, 1);
  d.SetItem(2, 2);
  d.SetItem(3, 2);
  TNMatrix v = MatrixOf({{11, 12, 13}, {21, 22, 23}});
  SortEigen(d, v);
  EXPECT_EQ(Elements(d), (Reals{2, 2, 1}));
  EXPECT_EQ(Column(v, 1), (Reals{13, 23})) << "the later of the equal values moves to the front";
  EXPECT_EQ(Column(v, 2), (Reals{12, 22}));
  EXPECT_EQ(Column(v, 3), (Reals{11, 21}));
}

// Worked by hand: row and column 3 pivot into place 2, then the
// multiplier 4/7 stays below the subdiagonal.
TEST(ReduceToHessenberg, PivotsOnTheLargestAndKeepsTheMultiplier) {
  TNMatrix a = MatrixOf({{1, 2, 3}, {4, 5, 6}, {7, 8, 10}});
  ReduceToHessenberg(a);
  const Rows expected = {{1, 29.0L / 7, 2}, {7, 102.0L / 7, 8}, {4.0L / 7, 26.0L / 49, 3.0L / 7}};
  for (std::int32_t i = 1; i <= 3; ++i)
    ExpectClose({a.GetItem(i, 1), a.GetItem(i, 2), a.GetItem(i, 3)}, expected[i - 1], 4 * Epsilon,
                "row " + std::to_string(i));

  TNMatrix small = MatrixOf({{1, 2}, {3, 4}});
  ReduceToHessenberg(small);
  EXPECT_EQ(small.GetItem(2, 1), 3) << "nothing happens below order 3";
}

TEST(CopySign, TakesTheSignOfTheSecondWithZeroPositive) {
  const struct {
    long double A, B, Result;
  } cases[] = {{3, 0, 3}, {3, -0.5L, -3}, {-3, -0.0L, 3}, {-3, 2, 3}, {0, -1, -0.0L}};
  for (const auto& c : cases) {
    const long double result = CopySign(c.A, c.B);
    EXPECT_EQ(result, c.Result) << static_cast<double>(c.A) << ", " << static_cast<double>(c.B);
    EXPECT_EQ(std::signbit(result), std::signbit(c.Result)) << static_cast<double>(c.A) << ", " << static_cast<double>(c.B);
  }
}

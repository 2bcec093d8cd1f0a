#include "graphics/Point3D.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "runtime/Exceptions.h"

namespace {

constexpr long double HalfPi = std::numbers::pi_v<long double> / 2;

void ExpectNear(const TPoint3D& expected, const TPoint3D& actual, long double tolerance) {
  EXPECT_NEAR(double(expected.X), double(actual.X), double(tolerance));
  EXPECT_NEAR(double(expected.Y), double(actual.Y), double(tolerance));
  EXPECT_NEAR(double(expected.Z), double(actual.Z), double(tolerance));
  EXPECT_LE(fabsl(expected.X - actual.X) + fabsl(expected.Y - actual.Y) + fabsl(expected.Z - actual.Z), tolerance);
}

TMatrix4 Multiply(const TMatrix4& a, const TMatrix4& b) {
  TMatrix4 m;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int k = 0; k < 4; ++k) m.M[r][c] += a.M[r][k] * b.M[k][c];
  return m;
}

TEST(Point3D, NormalizeLeavesTheZeroVectorAndScalesOthersToLengthOne) {
  EXPECT_EQ(MakePoint3D(0, 0, 0), NormalizePoint3D(MakePoint3D(0, 0, 0)));
  ExpectNear(MakePoint3D(0.6L, 0, 0.8L), NormalizePoint3D(MakePoint3D(3, 0, 4)), 1e-18L);
}

TEST(Point3D, ExtendBoundsStartsFromEmptyBoundsAndGrowsPerComponent) {
  TPoint3D min = MakePoint3D(1, 1, 1), max = MakePoint3D(0, 0, 0);
  ExtendBounds3D(MakePoint3D(5, -2, 7), min, max);
  EXPECT_EQ(MakePoint3D(5, -2, 7), min);
  EXPECT_EQ(MakePoint3D(5, -2, 7), max);
  ExtendBounds3D(MakePoint3D(-1, 0, 9), min, max);
  EXPECT_EQ(MakePoint3D(-1, -2, 7), min);
  EXPECT_EQ(MakePoint3D(5, 0, 9), max);
}

TEST(Point3D, SumsProductsAndTransforms) {
  EXPECT_EQ(MakePoint3D(0, 0, 1), CrossPoint3D(MakePoint3D(1, 0, 0), MakePoint3D(0, 1, 0)));
  EXPECT_EQ(MakePoint3D(4, 1, 2), AddPoint3D(MakePoint3D(1, 2, 3), MakePoint3D(3, -1, -1)));
  EXPECT_EQ(MakePoint3D(-2, 3, 4), SubPoint3D(MakePoint3D(1, 2, 3), MakePoint3D(3, -1, -1)));
  EXPECT_EQ(32, DotPoint3D(MakePoint3D(1, 2, 3), MakePoint3D(4, 5, 6)));
  const TPoint3D p = MakePoint3D(1.5L, -2, 3);
  EXPECT_EQ(p, TransformPoint3D(IdentityMatrix4(), p));
  TMatrix4 translation = IdentityMatrix4();
  translation.M[0][3] = 10;
  translation.M[1][3] = 20;
  translation.M[2][3] = 30;
  translation.M[3][0] = 99;  // row 3 takes no part
  EXPECT_EQ(MakePoint3D(11.5L, 18, 33), TransformPoint3D(translation, p));
}

TEST(Point3D, QuaternionsRotateAndComposeAsTheirMatrices) {
  const TMatrix4 quarterTurn = QuatToMatrix(QuatFromAxisAngle(MakePoint3D(0, 0, 1), HalfPi));
  ExpectNear(MakePoint3D(0, 1, 0), TransformPoint3D(quarterTurn, MakePoint3D(1, 0, 0)), 1e-18L);

  const TQuaternion a = QuatFromAxisAngle(MakePoint3D(1, 0, 0), 0.7L);
  const TQuaternion b = QuatFromAxisAngle(MakePoint3D(0, 1, 0), -1.3L);
  const TMatrix4 composed = QuatToMatrix(QuatMultiply(a, b));
  const TMatrix4 product = Multiply(QuatToMatrix(a), QuatToMatrix(b));
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(double(product.M[r][c]), double(composed.M[r][c]), 1e-15) << r << "," << c;
}

TEST(Point3D, ScreenPointsRoundHalvesToEvenAndRefuseWhatNoIntHolds) {
  EXPECT_EQ((TPoint{2, -2}), ScreenPointToPoint(MakeScreenPoint(2.5L, -2.5L)));
  EXPECT_EQ((TPoint{4, 0}), ScreenPointToPoint(MakeScreenPoint(3.5L, 0.5L)));
  EXPECT_THROW(ScreenPointToPoint(MakeScreenPoint(2147483648.0L, 0)), ERangeError);
  EXPECT_THROW(ScreenPointToPoint(MakeScreenPoint(0, NAN)), ERangeError);
}

}  // namespace

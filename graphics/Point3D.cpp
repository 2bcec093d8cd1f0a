#include "graphics/Point3D.h"

#include <cmath>
#include <cstdint>

#include "runtime/Exceptions.h"

namespace {

int RoundToInt(long double v) {
  const long double rounded = nearbyintl(v);
  if (!(rounded >= INT32_MIN && rounded <= INT32_MAX)) throw ERangeError();
  return int(rounded);
}

}  // namespace

TPoint ScreenPointToPoint(const TRealPoint& P) { return {RoundToInt(P.X), RoundToInt(P.Y)}; }

void ExtendBounds3D(const TPoint3D& P, TPoint3D& Min, TPoint3D& Max) {
  if (Min.X > Max.X) {
    Min = P;
    Max = P;
    return;
  }
  if (P.X < Min.X) Min.X = P.X;
  if (P.Y < Min.Y) Min.Y = P.Y;
  if (P.Z < Min.Z) Min.Z = P.Z;
  if (P.X > Max.X) Max.X = P.X;
  if (P.Y > Max.Y) Max.Y = P.Y;
  if (P.Z > Max.Z) Max.Z = P.Z;
}

TMatrix4 IdentityMatrix4() {
  TMatrix4 m;
  for (int i = 0; i < 4; ++i) m.M[i][i] = 1;
  return m;
}

TQuaternion QuatFromAxisAngle(const TPoint3D& Axis, long double Angle) {
  const long double s = sinl(Angle / 2);
  return {cosl(Angle / 2), Axis.X * s, Axis.Y * s, Axis.Z * s};
}

TQuaternion QuatMultiply(const TQuaternion& A, const TQuaternion& B) {
  return {A.W * B.W - A.X * B.X - A.Y * B.Y - A.Z * B.Z, A.W * B.X + A.X * B.W + A.Y * B.Z - A.Z * B.Y,
          A.W * B.Y - A.X * B.Z + A.Y * B.W + A.Z * B.X, A.W * B.Z + A.X * B.Y - A.Y * B.X + A.Z * B.W};
}

TMatrix4 QuatToMatrix(const TQuaternion& Q) {
  const long double x2 = 2 * Q.X, y2 = 2 * Q.Y, z2 = 2 * Q.Z;
  const long double xx = Q.X * x2, xy = Q.X * y2, xz = Q.X * z2;
  const long double yy = Q.Y * y2, yz = Q.Y * z2, zz = Q.Z * z2;
  const long double wx = Q.W * x2, wy = Q.W * y2, wz = Q.W * z2;
  TMatrix4 m;
  m.M[0][0] = 1 - (yy + zz);
  m.M[0][1] = xy - wz;
  m.M[0][2] = xz + wy;
  m.M[1][0] = xy + wz;
  m.M[1][1] = 1 - (xx + zz);
  m.M[1][2] = yz - wx;
  m.M[2][0] = xz - wy;
  m.M[2][1] = yz + wx;
  m.M[2][2] = 1 - (xx + yy);
  m.M[3][3] = 1;
  return m;
}

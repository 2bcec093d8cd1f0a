#pragma once
// 3D geometry on 80-bit reals: points, bounds, 4 x 4 transforms (points are
// column vectors, element [Row][Col]) and rotation quaternions. All pure.

#include <cmath>

#include "toolkit/base/Rect.h"

struct TPoint3D {
  long double X = 0;
  long double Y = 0;
  long double Z = 0;
  friend bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

// A projected position in pixels, before rounding.
struct TRealPoint {
  long double X = 0;
  long double Y = 0;
  friend bool operator==(const TRealPoint&, const TRealPoint&) = default;
};

struct TMatrix4 {
  long double M[4][4] = {};
  friend bool operator==(const TMatrix4&, const TMatrix4&) = default;
};

// W is the scalar part.
struct TQuaternion {
  long double W = 1;
  long double X = 0;
  long double Y = 0;
  long double Z = 0;
};

// The small routines are inline: the 3D renderer runs them for every
// vertex of every frame while the view is dragged.
inline TPoint3D MakePoint3D(long double X, long double Y, long double Z) { return {X, Y, Z}; }
inline TRealPoint MakeScreenPoint(long double X, long double Y) { return {X, Y}; }
// Rounds halves to even; throws ERangeError outside the 32-bit range.
TPoint ScreenPointToPoint(const TRealPoint& P);

inline TPoint3D AddPoint3D(const TPoint3D& A, const TPoint3D& B) { return {A.X + B.X, A.Y + B.Y, A.Z + B.Z}; }
inline TPoint3D SubPoint3D(const TPoint3D& A, const TPoint3D& B) { return {A.X - B.X, A.Y - B.Y, A.Z - B.Z}; }
inline long double DotPoint3D(const TPoint3D& A, const TPoint3D& B) { return A.X * B.X + A.Y * B.Y + A.Z * B.Z; }
inline TPoint3D CrossPoint3D(const TPoint3D& A, const TPoint3D& B) {
  return {A.Y * B.Z - B.Y * A.Z, B.X * A.Z - A.X * B.Z, A.X * B.Y - B.X * A.Y};
}
// A of length 1; a zero vector stays as it is.
inline TPoint3D NormalizePoint3D(const TPoint3D& A) {
  const long double length = sqrtl(DotPoint3D(A, A));
  if (length == 0) return A;
  return {A.X / length, A.Y / length, A.Z / length};
}
// Empty bounds (Min.X > Max.X) become P alone; otherwise they grow to hold P.
void ExtendBounds3D(const TPoint3D& P, TPoint3D& Min, TPoint3D& Max);

TMatrix4 IdentityMatrix4();
// M x P with rows 0..2; row 3 is not used and there is no division.
inline TPoint3D TransformPoint3D(const TMatrix4& M, const TPoint3D& P) {
  auto row = [&](int r) { return M.M[r][0] * P.X + M.M[r][1] * P.Y + M.M[r][2] * P.Z + M.M[r][3]; };
  return {row(0), row(1), row(2)};
}

// The axis is taken as given: callers pass unit axes.
TQuaternion QuatFromAxisAngle(const TPoint3D& Axis, long double Angle);
// The Hamilton product A B: B's rotation applies first.
TQuaternion QuatMultiply(const TQuaternion& A, const TQuaternion& B);
// The rotation matrix of a unit quaternion.
TMatrix4 QuatToMatrix(const TQuaternion& Q);

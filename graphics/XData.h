#pragma once
// The plot object model: the data sets that both renderers draw, each with a
// name, a pen, a brush and drawing options. The bounds Min..Max are the
// smallest box holding the finite points added since the last clear; they
// are empty while Min.X > Max.X. A point with a coordinate that is not
// finite is stored (indices keep matching the caller's vectors) but leaves
// the bounds alone. Bounds only grow: SetCount does not recompute them.
//
// Kind is the stored class code; Assign from another class copies it, and
// the settings dialog makes plain TXData objects with a descendant's code.
// Code that needs a descendant's data goes by the object's class.

#include <cstdint>
#include <string>
#include <vector>

#include "Numerics/Matrix.h"
#include "graphics/Point3D.h"
#include "runtime/CountedPtr.h"
#include "runtime/Vector.h"
#include "toolkit/gdi/Color.h"

class TPen;
class TBrush;
// The 3D renderer's drawable objects, owned and rebuilt by it.
class TXElem;
class TXVertex;

enum TDrawKind : std::uint8_t {
  dkLine, dkScatter, dkWall, dkBars, dkSurface, dkShape, dkContour, dkErrors, dkStems, dkArrows
};
enum TRenderer : std::uint8_t { rdFlat, rdGouraud };
enum TBarKind : std::uint8_t { bkLeft, bkCentre, bkRight };
enum TSymbol : std::uint8_t { smCircle, smCross, smSquare, smDiamond, smNone };
enum TShader : std::uint8_t {
  shColour, shSimpleLighting, shRealLighting, shColourHeight, shHeightColour, shHeightColourLight
};
enum TCoordSys : std::uint8_t { csLinear, csLinLog, csLogLin, csLogLog, csPolar };
enum TAxesKind : std::uint8_t { akFrame, akAxes };

// The class codes of the data sets.
inline constexpr std::uint8_t SeriesKind = 1;
inline constexpr std::uint8_t Series3DKind = 2;
inline constexpr std::uint8_t MeshKind = 3;
inline constexpr std::uint8_t ShapeKind = 4;
inline constexpr std::uint8_t FieldKind = 5;

// Style is the ordinal of the toolkit's TPenStyle; Width is also the marker size.
class TXPen {
public:
  TXPen(TColor Color, std::int32_t Width, std::uint8_t Style) : Style(Style), Width(Width), Color(Color) {}
  void Assign(const TXPen& Source) { *this = Source; }
  void AssignFrom(const TPen& Pen);
  void AssignTo(TPen& Pen) const;

  std::uint8_t Style;
  std::int32_t Width;
  TColor Color;
};

// Style is the ordinal of the toolkit's TBrushStyle.
class TXBrush {
public:
  TXBrush(TColor Color, std::uint8_t Style) : Style(Style), Color(Color) {}
  void Assign(const TXBrush& Source) { *this = Source; }
  void AssignFrom(const TBrush& Brush);
  void AssignTo(TBrush& Brush) const;

  std::uint8_t Style;
  TColor Color;
};

class TDataOpts {
public:
  TDataOpts(TDrawKind DrawKind, TBarKind BarKind, TSymbol Symbol, TRenderer Renderer, TShader Shader)
      : DrawKind(DrawKind), Renderer(Renderer), BarKind(BarKind), Symbol(Symbol), Shader(Shader) {}
  void Assign(const TDataOpts& Source) { *this = Source; }

  TDrawKind DrawKind;
  TRenderer Renderer;
  TBarKind BarKind;
  TSymbol Symbol;
  TShader Shader;
};

class TXData {
public:
  // Black solid pen of width 1, white solid brush, draw kind 0, bar kind
  // right, empty bounds, visible.
  TXData(std::string Name, std::uint8_t Kind);
  virtual ~TXData() = default;
  TXData(const TXData&) = delete;
  TXData& operator=(const TXData&) = delete;

  // Name, options, pen, brush and Visible.
  void AssignStyle(const TXData& Source);
  // The style, Kind and bounds; descendants add their data when Source is
  // of their own class.
  virtual void Assign(const TXData& Source);
  bool BoundsEmpty() const { return Min.X > Max.X; }
  // Min (1, 1, 1), Max (-1, -1, -1).
  void EmptyBounds();

  std::string Name;  // UTF-8, the legend text
  std::uint8_t Kind;
  TDataOpts Opts;
  TXPen Pen;
  TXBrush Brush;
  TPoint3D Min;
  TPoint3D Max;
  bool Visible = true;
};

// A 2D series; its z bounds stay as Clear left them.
class TXSeries : public TXData {
public:
  explicit TXSeries(std::string Name);
  void Assign(const TXData& Source) override;

  void Clear();
  std::int64_t Count() const { return X->GetSize(); }
  // New points are (0, 0); the bounds stay.
  void SetCount(std::int64_t N);
  void AddPoint(long double PX, long double PY);
  // Holds the vectors (of equal length) as its points, with the bounds
  // their points added one by one would give.
  void SetPoints(CountedPtr<IVector> PX, CountedPtr<IVector> PY);

  CountedPtr<IVector> X;
  CountedPtr<IVector> Y;

private:
  void ExtendBounds(long double PX, long double PY);
};

// A 3D series, also an error plot's data (x, y and the error in z).
class TXSeries3D : public TXData {
public:
  explicit TXSeries3D(std::string Name);
  void Assign(const TXData& Source) override;

  void Clear();
  std::int64_t Count() const { return X->GetSize(); }
  void SetCount(std::int64_t N);
  void AddPoint(long double PX, long double PY, long double PZ);
  // As TXSeries::SetPoints, over three vectors.
  void SetPoints(CountedPtr<IVector> PX, CountedPtr<IVector> PY, CountedPtr<IVector> PZ);
  // Null outside the slots.
  TXElem* GetElem(std::int64_t I) const;
  void SetElem(std::int64_t I, TXElem* Elem);

  CountedPtr<IVector> X;
  CountedPtr<IVector> Y;
  CountedPtr<IVector> Z;
  // One slot per point, not owned.
  std::vector<TXElem*> Elems;
};

// Heights over a grid: point (Row, Col) is (X[Col], Y[Row], Z[Row, Col]).
class TXMesh : public TXData {
public:
  explicit TXMesh(std::string Name);
  void Assign(const TXData& Source) override;

  std::int32_t XCount() const { return std::int32_t(X->GetSize()); }
  std::int32_t YCount() const { return std::int32_t(Y->GetSize()); }
  // A new shape of the matrix loses the heights: set both counts first.
  void SetXCount(std::int32_t N);
  void SetYCount(std::int32_t N);
  TPoint3D GetPoint(std::int32_t Row, std::int32_t Col) const;
  void SetPoint(std::int32_t Row, std::int32_t Col, const TPoint3D& P);
  // Holds the grid (PX one value per column of PZ, PY one per row), with
  // the bounds that setting each of its points would give.
  void SetGrid(CountedPtr<IVector> PX, CountedPtr<IVector> PY, CountedPtr<IMatrix> PZ);

  CountedPtr<IMatrix> Z;  // rows: the y values, columns: the x values
  CountedPtr<IVector> X;
  CountedPtr<IVector> Y;
};

// A negative V4 makes the face a triangle.
struct TXFace {
  std::int32_t V1 = 0;
  std::int32_t V2 = 0;
  std::int32_t V3 = 0;
  std::int32_t V4 = 0;
  friend bool operator==(const TXFace&, const TXFace&) = default;
};

// A polyhedron; its vertices are kept transformed by Size, Matrix and Position.
class TXShape : public TXData {
public:
  explicit TXShape(std::string Name);
  void Assign(const TXData& Source) override;

  std::int32_t VertexCount() const { return std::int32_t(Vertices.size()); }
  std::int32_t FaceCount() const { return std::int32_t(Faces.size()); }
  void SetVertexCount(std::int32_t N);
  void SetFaceCount(std::int32_t N);
  // Stores the transformed point and returns its index.
  std::int32_t AddVertex(long double PX, long double PY, long double PZ);
  // The indices are stored as given; their readers check them.
  std::int32_t AddFace(std::int32_t V1, std::int32_t V2, std::int32_t V3, std::int32_t V4);
  // These throw ERangeError outside the arrays.
  TPoint3D GetVertex(std::int32_t I) const;
  TXFace GetFace(std::int32_t I) const;
  void SetVertexObj(std::int32_t I, TXVertex* V);
  // Null outside the list.
  TXVertex* GetVertexObj(std::int32_t I) const;
  TPoint3D TransformVertex(const TPoint3D& P) const;
  // Angles in degrees about x, then y, then z, each brought into [0, 360)
  // (a value that is not finite becomes 0).
  void SetRotation(const TPoint3D& Angles);

  std::vector<TPoint3D> Vertices;
  std::vector<TXFace> Faces;
  std::vector<TXVertex*> VertexObjs;  // not owned
  TPoint3D Size{1, 1, 1};
  TPoint3D Position;
  TPoint3D Rotation;
  TMatrix4 Matrix = IdentityMatrix4();
};

// Arrows at positions (X, Y, Z) with components (VX, VY, VZ); the bounds
// hold the positions and the arrow tips.
class TXField : public TXData {
public:
  explicit TXField(std::string Name);

  std::int64_t Count() const { return X->GetSize(); }
  void SetCount(std::int64_t N);
  TPoint3D GetPoint(std::int64_t I) const;
  TPoint3D GetVector(std::int64_t I) const;
  void SetPoint(std::int64_t I, const TPoint3D& P);
  void SetVector(std::int64_t I, const TPoint3D& V);
  // Holds the six vectors (of equal length) as its arrows, with the bounds
  // that setting each point and then its vector would give.
  void SetArrows(CountedPtr<IVector> PX, CountedPtr<IVector> PY, CountedPtr<IVector> PZ, CountedPtr<IVector> PVX,
                 CountedPtr<IVector> PVY, CountedPtr<IVector> PVZ);

  CountedPtr<IVector> X, Y, Z;
  CountedPtr<IVector> VX, VY, VZ;
};

// All three coordinates finite.
bool IsFinitePoint(const TPoint3D& P);

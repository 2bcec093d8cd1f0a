#pragma once
// The drawable objects of a 3D scene: vertices in view space with their
// projected positions and shaded colours, and elements (polygons, lines,
// markers) made of them. The renderer owns both and rebuilds them on every
// drawing; an element only points at its vertices.

#include <array>
#include <cstdint>

#include "graphics/Point3D.h"
#include "toolkit/gdi/Color.h"

class TXData;

class TXVertex {
public:
  TXVertex() = default;
  explicit TXVertex(const TPoint3D& P) : Point(P) {}

  TPoint3D Point;      // view space: the data mapped into the box and turned
  TRealPoint Screen;   // (0, 0) until projected
  std::int32_t Index = -1;  // the data point it was made for
  TColor Color = 0;    // 0 until shaded
};

class TXElem {
public:
  static constexpr std::uint8_t LineKind = 0;     // one or two vertices, drawn by the data set's rules
  static constexpr std::uint8_t PolygonKind = 1;  // three or four vertices

  TXElem() = default;
  TXElem(std::uint8_t Kind, TXData* Data) : Kind(Kind), Data(Data) {}

  // At most four vertices (an assertion).
  void AddVertex(TXVertex* V);
  int Count() const { return count_; }
  TXVertex* GetVertex(int I) const;
  // The largest view-space y of the vertices: the farthest one. Computed
  // on first use; an element without vertices fails an assertion.
  long double Depth() const {
    if (!depthKnown_) ComputeDepth();
    return depth_;
  }

  std::uint8_t Kind = LineKind;
  TXData* Data = nullptr;  // null for box faces
  std::int32_t Index = -1;  // the data point the element stands for
  // Mesh polygons: the front side faces the viewer. Box faces: a back
  // face, drawn as a wall. 3D series: the point lies inside the box.
  bool Facing = true;
  // Build order: among equal depths the sort keeps it.
  std::uint32_t Sequence = 0;

private:
  void ComputeDepth() const;

  std::array<TXVertex*, 4> vertices_{};
  std::uint8_t count_ = 0;
  mutable bool depthKnown_ = false;
  mutable long double depth_ = 0;
};

#pragma once
// The scales of a 3D plot, drawn on the box itself. Each axis runs along
// the four box edges parallel to it; an edge lies between two box faces and
// holds one tick vertex per tick value. The edges of an axis form a ring:
// each shares its second face with the next edge's first, the last with
// the first's. The axis is drawn on one edge of the box's outline, chosen
// anew for every view.

#include <cstdint>
#include <memory>
#include <vector>

class TXElem;
class TXVertex;

class TXBEdge {
public:
  TXBEdge(TXElem* Face1, TXElem* Face2) : Face1(Face1), Face2(Face2) {}

  void AddVertex(TXVertex* V) { Ticks.push_back(V); }
  int Count() const { return int(Ticks.size()); }
  // I outside 0 .. Count - 1 fails an assertion.
  TXVertex* GetVertex(int I) const;
  // Null when the edge has no ticks.
  TXVertex* FirstVertex() const { return Ticks.empty() ? nullptr : Ticks.front(); }
  TXVertex* LastVertex() const { return Ticks.empty() ? nullptr : Ticks.back(); }

  std::vector<TXVertex*> Ticks;  // not owned, in tick order
  TXElem* Face1;
  TXElem* Face2;
};

class TXAxis {
public:
  TXAxis(std::uint8_t Index, bool Grid, bool Labels) : Grid(Grid), Labels(Labels), Index(Index) {}

  TXBEdge* AddEdge(TXElem* Face1, TXElem* Face2);
  int EdgeCount() const { return int(Edges.size()); }
  // I outside 0 .. EdgeCount - 1 fails an assertion.
  TXBEdge* GetEdge(int I) const;
  void AddTick(long double Value) { Ticks.push_back(Value); }

  std::vector<std::unique_ptr<TXBEdge>> Edges;  // in ring order
  std::vector<long double> Ticks;
  bool Grid;
  bool Labels;
  TXBEdge* Edge = nullptr;  // the edge the axis is drawn on; null until chosen
  std::uint8_t Index;       // 0 x, 1 y, 2 z
};

#include "graphics/XAxis3D.h"

#include "runtime/Exceptions.h"

TXVertex* TXBEdge::GetVertex(int I) const {
  QASSERT(I >= 0 && I < Count(), "Assertion failure");
  return Ticks[std::size_t(I)];
}

TXBEdge* TXAxis::AddEdge(TXElem* Face1, TXElem* Face2) {
  Edges.push_back(std::make_unique<TXBEdge>(Face1, Face2));
  return Edges.back().get();
}

TXBEdge* TXAxis::GetEdge(int I) const {
  QASSERT(I >= 0 && I < EdgeCount(), "Assertion failure");
  return Edges[std::size_t(I)].get();
}

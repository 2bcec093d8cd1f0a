#include "graphics/XElem.h"

#include "runtime/Exceptions.h"

void TXElem::AddVertex(TXVertex* V) {
  QASSERT(count_ < vertices_.size(), "Assertion failure");
  vertices_[count_++] = V;
  depthKnown_ = false;
}

TXVertex* TXElem::GetVertex(int I) const {
  QASSERT(I >= 0 && I < count_, "Assertion failure");
  return vertices_[std::size_t(I)];
}

void TXElem::ComputeDepth() const {
  QASSERT(count_ > 0, "Assertion failure");
  depth_ = vertices_[0]->Point.Y;
  for (int i = 1; i < count_; ++i)
    if (vertices_[std::size_t(i)]->Point.Y > depth_) depth_ = vertices_[std::size_t(i)]->Point.Y;
  depthKnown_ = true;
}

#include "treeview/TreeRoutines.h"

#include <algorithm>
#include <functional>

#include "runtime/Exceptions.h"

TBaseDataTree* TreeOfNode(PDataNode node) {
  QASSERT(node != nullptr, "Node must not be nil.");
  while (node->NextSibling != node) node = node->Parent;
  return reinterpret_cast<TBaseDataTree*>(node->Parent);
}

TRect NormalizeRect(const TRect& r) {
  return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
              std::max(r.Top, r.Bottom));
}

void SortNodeArray(TNodeArray& nodes, int low, int high) {
  if (low >= high) return;
  std::sort(nodes.begin() + low, nodes.begin() + high + 1, std::less<PDataNode>());
}

uint32_t ColorToRgbValue(TColor color) {
  if (color == clNone) return 0xFFFFFFFF;
  if (color == clDefault) return 0xFF000000;
  return ColorToRGB(color);
}

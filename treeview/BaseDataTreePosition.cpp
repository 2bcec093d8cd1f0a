// Position lookups: which row covers a vertical position, and where a
// node's row starts. Both start from the position index, an entry every
// PositionStride shown rows, so a lookup costs a binary search and a walk
// of at most one stride. The index is built lazily and kept as a valid
// prefix: a change drops only the entries from its node on (appending at
// the end keeps them all), and a lookup extends it only as far as it asks.

#include <algorithm>

#include "treeview/BaseDataTree.h"

namespace {

constexpr unsigned PositionStride = 16;

}  // namespace

void TBaseDataTree::InvalidatePositionCache(PDataNode fromNode) {
  ChangeTreeStates({tsValidationNeeded}, {tsUseCache});
  indexComplete_ = false;
  if (positionIndex_.empty()) return;
  if (!fromNode || fromNode == root_) {
    positionIndex_.clear();
    return;
  }
  if (CompareNodeOrder(positionIndex_.back().Node, fromNode) < 0) return;
  const auto firstChanged =
      std::partition_point(positionIndex_.begin(), positionIndex_.end(), [&](const TPositionEntry& entry) {
        return CompareNodeOrder(entry.Node, fromNode) < 0;
      });
  positionIndex_.erase(firstChanged, positionIndex_.end());
}

bool TBaseDataTree::StartPositionIndex() {
  if (!positionIndex_.empty()) return true;
  const PDataNode first = FirstVisibleNodeRaw();
  if (!first) {
    indexComplete_ = true;
    ChangeTreeStates({tsUseCache}, {tsValidationNeeded});
    return false;
  }
  positionIndex_.push_back({first, 0});
  return true;
}

bool TBaseDataTree::ExtendPositionIndex() {
  PDataNode node = positionIndex_.back().Node;
  uint32_t top = positionIndex_.back().Top;
  for (unsigned row = 0; row < PositionStride; ++row) {
    top += node->NodeHeight;
    node = NextShownRow(node);
    if (!node) {
      indexComplete_ = true;
      ChangeTreeStates({tsUseCache}, {tsValidationNeeded});
      return false;
    }
  }
  positionIndex_.push_back({node, top});
  return true;
}

PDataNode TBaseDataTree::CacheLookupPosition(int y, int& top) {
  if (!StartPositionIndex()) return nullptr;
  while (!indexComplete_ && positionIndex_.back().Top <= static_cast<uint32_t>(y) && ExtendPositionIndex()) {
  }
  const auto after = std::upper_bound(positionIndex_.begin(), positionIndex_.end(), static_cast<uint32_t>(y),
                                      [](uint32_t value, const TPositionEntry& entry) { return value < entry.Top; });
  const TPositionEntry& entry = *(after - 1);
  top = static_cast<int>(entry.Top);
  return entry.Node;
}

size_t TBaseDataTree::LastEntryAtOrBefore(PDataNode node) const {
  const auto after =
      std::partition_point(positionIndex_.begin(), positionIndex_.end(), [&](const TPositionEntry& entry) {
        return CompareNodeOrder(entry.Node, node) <= 0;
      });
  return static_cast<size_t>(after - positionIndex_.begin()) - 1;
}

PDataNode TBaseDataTree::CacheLookupNode(PDataNode node, int& top) {
  if (!StartPositionIndex() || CompareNodeOrder(positionIndex_.front().Node, node) > 0) return nullptr;
  while (!indexComplete_ && CompareNodeOrder(positionIndex_.back().Node, node) <= 0 && ExtendPositionIndex()) {
  }
  const TPositionEntry& entry = positionIndex_[LastEntryAtOrBefore(node)];
  top = static_cast<int>(entry.Top);
  return entry.Node;
}

PDataNode TBaseDataTree::NodeAtPosition(int, int y, bool relative, int& nodeTop) {
  if (relative) y -= offsetY_;
  if (y < 0) y = 0;
  int top = 0;
  PDataNode node = CacheLookupPosition(y, top);
  // From the start row on, whole subtrees that end above Y are passed over.
  while (node) {
    if (node->Has(nsVisible)) {
      if (y < top + static_cast<int>(node->TotalHeight)) {
        if (y < top + static_cast<int>(node->NodeHeight) || !node->Has(nsExpanded) || !node->FirstChild) break;
        top += node->NodeHeight;
        node = node->FirstChild;
        continue;
      }
      top += static_cast<int>(node->TotalHeight);
    }
    while (node != root_ && !node->NextSibling) node = node->Parent;
    node = node == root_ ? nullptr : node->NextSibling;
  }
  if (node) nodeTop = relative ? top + offsetY_ : top;
  return node;
}

PDataNode TBaseDataTree::TopVisibleNode() {
  int top;
  return NodeAtPosition(0, 0, true, top);
}

bool TBaseDataTree::NodeRowTop(PDataNode node, int& top) {
  if (!node || node == root_ || !NodeFullyShown(node)) return false;
  PDataNode run = CacheLookupNode(node, top);
  if (!run) return false;
  for (; run != node; run = NextShownRow(run)) top += run->NodeHeight;
  return true;
}

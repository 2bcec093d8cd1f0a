#pragma once
// The node record of the tree view control. A node is one zero-filled
// block: this record, the tree's internal data area, then the user data
// area. Invariants the tree keeps after every operation:
// - TotalCount = 1 + the TotalCount of every child;
// - TotalHeight = NodeHeight + (expanded ? the TotalHeight of every child
//   with nsVisible : 0);
// - the hidden root's PrevSibling and NextSibling point at the root itself
//   and its Parent field holds the owning tree (see TreeOfNode).

#include <cstdint>
#include <vector>

struct TDataNode;
using PDataNode = TDataNode*;

// Node state flags: bit numbers of TDataNode::States.
enum TDataNodeState : uint16_t {
  nsInitialized = 1 << 0,
  nsChecking = 1 << 1,
  nsCutOrCopy = 1 << 2,
  nsDisabled = 1 << 3,
  nsDeleting = 1 << 4,
  nsExpanded = 1 << 5,
  nsHasChildren = 1 << 6,
  nsVisible = 1 << 7,
  nsSelected = 1 << 8,
  nsInitialUserData = 1 << 9,
  nsAllChildrenHidden = 1 << 10,
  nsClearing = 1 << 11,
  nsMultiline = 1 << 12,
  nsHeightMeasured = 1 << 13,
  nsToggling = 1 << 14,
};

enum TCheckState : uint8_t {
  csUncheckedNormal,
  csUncheckedPressed,
  csCheckedNormal,
  csCheckedPressed,
  csMixedNormal,
  csMixedPressed,
};

struct TDataNode {
  uint32_t Index;
  uint32_t ChildCount;
  uint16_t NodeHeight;
  uint16_t States;
  uint8_t Align;
  TCheckState CheckState;
  uint8_t CheckType;
  uint32_t TotalCount;
  uint32_t TotalHeight;
  PDataNode Parent;
  PDataNode PrevSibling;
  PDataNode NextSibling;
  PDataNode FirstChild;
  PDataNode LastChild;

  bool Has(uint16_t flags) const { return (States & flags) != 0; }
  void Include(uint16_t flags) { States = static_cast<uint16_t>(States | flags); }
  void Exclude(uint16_t flags) { States = static_cast<uint16_t>(States & ~flags); }
};

static_assert(sizeof(TDataNode) == 64, "the node record is 64 bytes");

using TNodeArray = std::vector<PDataNode>;

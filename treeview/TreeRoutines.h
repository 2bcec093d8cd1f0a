#pragma once
// Small routines every part of the tree control uses.

#include "toolkit/gdi/Color.h"
#include "toolkit/win/Rect.h"
#include "treeview/DataNode.h"

class TBaseDataTree;

// The tree that owns a node: up the parents to the hidden root, whose Parent field holds the tree.
TBaseDataTree* TreeOfNode(PDataNode node);

// R with left/right and top/bottom exchanged where the first is the greater.
TRect NormalizeRect(const TRect& r);

// Sorts nodes[low..high] by ascending address.
void SortNodeArray(TNodeArray& nodes, int low, int high);

// The platform's value of a colour: clNone gives all bits set, clDefault 0xFF000000.
uint32_t ColorToRgbValue(TColor color);

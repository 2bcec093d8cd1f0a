#pragma once
// The owner-drawn tree as the windows use it.

#include "treeview/CustomDataDrawTree.h"

class TDataDrawTree : public TCustomDataDrawTree {
public:
  using TCustomDataDrawTree::TCustomDataDrawTree;
};

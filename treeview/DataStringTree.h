#pragma once
// The text tree as the windows use it, with TStringTreeOptions as its option holder.

#include "treeview/CustomDataStringTree.h"

class TDataStringTree : public TCustomDataStringTree {
public:
  explicit TDataStringTree(TComponent* owner) : TCustomDataStringTree(owner) {
    ReplaceTreeOptions(std::make_unique<TStringTreeOptions>(*this));
  }
};

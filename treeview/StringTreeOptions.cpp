#include "treeview/StringTreeOptions.h"

#include "treeview/BaseDataTree.h"

void TCustomStringTreeOptions::SetStringOptions(TDTStringOptions value) {
  if (value == string_) return;
  const bool staticTextChanged = value.Contains(toShowStaticText) != string_.Contains(toShowStaticText);
  string_ = value;
  if (staticTextChanged && !Owner().IsLoading() && Owner().HandleAllocated()) Owner().Invalidate();
}

void TCustomStringTreeOptions::AssignOptionsTo(TCustomDataTreeOptions& destination) const {
  TCustomDataTreeOptions::AssignOptionsTo(destination);
  if (auto* strings = dynamic_cast<TCustomStringTreeOptions*>(&destination)) strings->SetStringOptions(string_);
}

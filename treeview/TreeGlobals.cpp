#include "treeview/TreeGlobals.h"

#include <memory>

namespace {

std::unique_ptr<TTreeGlobals>& Globals() {
  static std::unique_ptr<TTreeGlobals> globals;
  return globals;
}

}  // namespace

TTreeGlobals& InitTreeGlobals() {
  if (!Globals()) Globals() = std::make_unique<TTreeGlobals>();
  return *Globals();
}

void DoneTreeGlobals() { Globals().reset(); }

bool TreeGlobalsBuilt() { return Globals() != nullptr; }

#include "treeview/DTAccessibilityFactory.h"

#include <algorithm>

#include "treeview/BaseDataTree.h"

CountedPtr<IDTAccessible> TDTAccessibilityFactory::ProvideAccessible(TBaseDataTree* tree) const {
  if (!tree || providers_.empty()) return nullptr;
  if (!tree->TreeAccessible) return providers_.front()->CreateIAccessible(*tree);
  if (tree->ItemAccessible) return tree->ItemAccessible;
  for (size_t i = providers_.size() - 1; i >= 1; --i)
    if (CountedPtr<IDTAccessible> accessible = providers_[i]->CreateIAccessible(*tree)) return accessible;
  return providers_.front()->CreateIAccessible(*tree);
}

void TDTAccessibilityFactory::RegisterAccessibleProvider(const CountedPtr<IDTAccessibleProvider>& provider) {
  if (std::find(providers_.begin(), providers_.end(), provider) == providers_.end()) providers_.push_back(provider);
}

void TDTAccessibilityFactory::UnRegisterAccessibleProvider(const CountedPtr<IDTAccessibleProvider>& provider) {
  std::erase(providers_, provider);
}

TDTAccessibilityFactory& AccessibilityFactory() {
  // Never destroyed: trees living until the process ends may still ask it.
  static auto* factory = new TDTAccessibilityFactory;
  return *factory;
}

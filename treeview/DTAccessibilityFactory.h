#pragma once
// The process-wide factory of the accessible objects of trees: providers
// registered in order, each able to make an accessible object for a tree.
// No provider is registered in this program; a tree then answers the
// desktop's object request with none, and Qt's own accessible object of the
// tree's widget stands in.

#include <vector>

#include "runtime/CountedPtr.h"

class TBaseDataTree;

// An accessible object of a tree or of its items.
class IDTAccessible : public TCounted {};

class IDTAccessibleProvider : public TCounted {
public:
  virtual CountedPtr<IDTAccessible> CreateIAccessible(TBaseDataTree& tree) = 0;
};

class TDTAccessibilityFactory {
public:
  // The tree's object: the first provider makes it while the tree has none;
  // else the tree's item object; else the providers from the last down to
  // the second, then the first. Nil without a tree or providers.
  CountedPtr<IDTAccessible> ProvideAccessible(TBaseDataTree* tree) const;
  void RegisterAccessibleProvider(const CountedPtr<IDTAccessibleProvider>& provider);
  void UnRegisterAccessibleProvider(const CountedPtr<IDTAccessibleProvider>& provider);

private:
  std::vector<CountedPtr<IDTAccessibleProvider>> providers_;
};

TDTAccessibilityFactory& AccessibilityFactory();

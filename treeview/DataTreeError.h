#pragma once
// Errors the tree raises for its callers.

#include <string>

#include "runtime/Exceptions.h"

class EDataTreeError : public EQuantrelError {
public:
  EDataTreeError(const std::string& message, int helpContext)
      : EQuantrelError(message), HelpContext(helpContext) {}

  int HelpContext;
};

[[noreturn]] void RaiseTreeError(const std::string& message, int helpContext);

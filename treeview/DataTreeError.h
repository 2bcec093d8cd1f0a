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

// The help contexts of the tree's stream, move and clipboard errors.
constexpr int TargetBelowSourceHelp = 2001;
constexpr int WrongStreamFormatHelp = 2002;
constexpr int WrongStreamVersionHelp = 2003;
constexpr int StreamTooSmallHelp = 2004;
constexpr int AnchorChunkMissingHelp = 2005;
constexpr int DataAfterNodeEndHelp = 2006;
constexpr int ClipboardFailedHelp = 2007;

[[noreturn]] void RaiseStreamTooSmall();
[[noreturn]] void RaiseAnchorChunkMissing();
[[noreturn]] void RaiseDataAfterNodeEnd();

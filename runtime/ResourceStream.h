#pragma once
// Named blocks of data compiled into the program (its pictures, say), and
// a stream that reads one. A library adds its blocks before they are
// opened; a block added under a name that exists replaces it only when asked.

#include <cstddef>
#include <string>

#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

class EResNotFound : public EQuantrelError {
public:
  using EQuantrelError::EQuantrelError;
};

// The data must live as long as the program (compiled-in arrays do).
void AddResource(const std::string& name, const void* data, std::size_t size, bool replace);
void RemoveResource(const std::string& name);

// The block's bytes, from position 0; writing changes this copy only.
class TResourceStream : public TMemoryStream {
public:
  // A name without a block raises EResNotFound "Resource <name> not found".
  explicit TResourceStream(const std::string& name);
};

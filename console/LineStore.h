#pragma once
// The bytes of a console's lines (text and token classes), packed one line
// after the other in large chunks: a line costs its bytes, not an
// allocation of its own. A block keeps its address until Clear, which gives
// back everything at once, when the console's lines are all gone.

#include <cstddef>
#include <memory>
#include <vector>

class TLineStore {
public:
  // size zero-filled bytes, unaligned (lines are read byte by byte); a
  // long line gets a chunk of its own.
  std::byte* Allocate(std::size_t size);
  void Clear();

private:
  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte* unused_ = nullptr;  // the rest of the newest shared chunk
  std::size_t left_ = 0;
};

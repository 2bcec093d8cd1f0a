#pragma once
// The node allocator of one tree: blocks of one fixed size (the stride),
// carved from chunks that grow geometrically, recycled through a free list.
// A block's address stays the same for its life. The stride can change only
// while no block is live; when the last block goes, the chunks go too.

#include <cstddef>
#include <memory>
#include <vector>

class TNodePool {
public:
  // A zero-filled block of stride bytes (a multiple of 8).
  void* Allocate(size_t stride);
  void Release(void* block);

  size_t LiveCount() const { return live_; }
  size_t Stride() const { return stride_; }
  // Bytes held in chunks, live or free.
  size_t ReservedBytes() const { return reserved_; }

private:
  void AddChunk();
  void ReleaseChunks();

  struct TFreeBlock {
    TFreeBlock* Next;
  };

  size_t stride_ = 0;
  size_t live_ = 0;
  size_t reserved_ = 0;
  std::vector<std::unique_ptr<std::byte[]>> chunks_;
  std::byte* unused_ = nullptr;  // the rest of the newest chunk
  std::byte* unusedEnd_ = nullptr;
  TFreeBlock* free_ = nullptr;
};

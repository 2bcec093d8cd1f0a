#include "treeview/NodePool.h"

#include <algorithm>
#include <cstring>

#include "runtime/Exceptions.h"

namespace {

constexpr size_t FirstChunkBlocks = 64;
constexpr size_t LargestChunkBlocks = 65536;

}  // namespace

void* TNodePool::Allocate(size_t stride) {
  if (stride != stride_) {
    QASSERT(live_ == 0, "The node size cannot change while nodes exist.");
    ReleaseChunks();
    stride_ = stride;
  }
  void* block;
  if (free_) {
    block = free_;
    free_ = free_->Next;
  } else {
    if (unused_ == unusedEnd_) AddChunk();
    block = unused_;
    unused_ += stride_;
  }
  std::memset(block, 0, stride_);
  ++live_;
  return block;
}

void TNodePool::Release(void* block) {
  auto* freed = static_cast<TFreeBlock*>(block);
  freed->Next = free_;
  free_ = freed;
  if (--live_ == 0) ReleaseChunks();
}

void TNodePool::AddChunk() {
  const size_t blocks = std::min(LargestChunkBlocks, FirstChunkBlocks << std::min<size_t>(chunks_.size(), 20));
  const size_t bytes = blocks * stride_;
  chunks_.push_back(std::make_unique_for_overwrite<std::byte[]>(bytes));
  reserved_ += bytes;
  unused_ = chunks_.back().get();
  unusedEnd_ = unused_ + bytes;
}

void TNodePool::ReleaseChunks() {
  chunks_.clear();
  reserved_ = 0;
  unused_ = unusedEnd_ = nullptr;
  free_ = nullptr;
}

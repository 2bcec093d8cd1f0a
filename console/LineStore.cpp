#include "console/LineStore.h"

#include <cstring>

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

std::unique_ptr<std::byte[]> ZeroedChunk(std::size_t size) {
  auto chunk = std::make_unique_for_overwrite<std::byte[]>(size);
  std::memset(chunk.get(), 0, size);
  return chunk;
}

}  // namespace

std::byte* TLineStore::Allocate(std::size_t size) {
  if (size > ChunkSize / 4) {
    // A long line alone: the shared chunk keeps its room for short ones.
    chunks_.push_back(ZeroedChunk(size));
    return chunks_.back().get();
  }
  if (size > left_) {
    chunks_.push_back(ZeroedChunk(ChunkSize));
    unused_ = chunks_.back().get();
    left_ = ChunkSize;
  }
  std::byte* block = unused_;
  unused_ += size;
  left_ -= size;
  return block;
}

void TLineStore::Clear() {
  chunks_.clear();
  unused_ = nullptr;
  left_ = 0;
}

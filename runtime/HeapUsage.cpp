#include "runtime/HeapUsage.h"

#include <malloc.h>

namespace {

std::function<std::int64_t()>& Source() {
  static std::function<std::int64_t()> source;
  return source;
}

// Blocks in use from the heap's arenas and the large blocks it maps on its own.
std::int64_t AllocatorCount() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
}

}  // namespace

std::int64_t HeapBytesInUse() { return Source() ? Source()() : AllocatorCount(); }

void SetHeapUsageSource(std::function<std::int64_t()> source) { Source() = std::move(source); }

#include "runtime/HeapUsage.h"

#include <malloc.h>

namespace {

std::function<std::uint64_t()>& ReplacedSource() {
  static std::function<std::uint64_t()> source;
  return source;
}

std::uint64_t AllocatorBytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<std::uint64_t>(info.uordblks) + static_cast<std::uint64_t>(info.hblkhd);
}

}  // namespace

std::uint64_t HeapBytesInUse() {
  const auto& source = ReplacedSource();
  return source ? source() : AllocatorBytesInUse();
}

void SetHeapUsageSource(std::function<std::uint64_t()> source) { ReplacedSource() = std::move(source); }

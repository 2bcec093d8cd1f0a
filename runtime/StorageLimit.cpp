#include "runtime/StorageLimit.h"

#include <unistd.h>

#include <cstddef>
#include <fstream>
#include <limits>
#include <string>

#include "runtime/Exceptions.h"

namespace {

constexpr std::uint64_t Unlimited = std::numeric_limits<std::uint64_t>::max();

// Below this a request is granted without looking at the machine.
constexpr std::uint64_t SmallRequest = std::uint64_t{256} << 20;

std::uint64_t PhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return Unlimited;
  return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

// What the system could give now without swapping; a system that does not
// say gives no limit here.
std::uint64_t AvailableMemory() {
  std::ifstream info("/proc/meminfo");
  std::string key;
  std::uint64_t kilobytes = 0;
  std::string unit;
  while (info >> key >> kilobytes >> unit)
    if (key == "MemAvailable:") return kilobytes << 10;
  return Unlimited;
}

}  // namespace

// Memory the machine has but other programs hold cannot be had either:
// asking for it would only make the system swap or end a process.
bool StorageCanExist(std::uint64_t count, std::uint64_t size) {
  std::uint64_t bytes = 0;
  if (__builtin_mul_overflow(count, size, &bytes)) return false;
  if (bytes > static_cast<std::uint64_t>(std::numeric_limits<std::ptrdiff_t>::max())) return false;
  return bytes <= SmallRequest || (bytes <= PhysicalMemory() && bytes <= AvailableMemory());
}

void RequireStorage(std::uint64_t count, std::uint64_t size) {
  if (!StorageCanExist(count, size)) throw ENotEnoughMemory();
}

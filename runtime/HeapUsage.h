#pragma once
// The bytes the program's heap holds for it now: what the allocator has
// handed out and not yet taken back, in its arenas and in blocks mapped on
// their own. Reports of memory in use show it.

#include <cstdint>
#include <functional>

std::uint64_t HeapBytesInUse();

// Tests put a count of their own in place of the allocator's; an empty
// function goes back to the allocator.
void SetHeapUsageSource(std::function<std::uint64_t()> source);

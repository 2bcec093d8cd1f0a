#pragma once
// Sizes whose storage cannot exist are refused before anything is
// allocated: asking the allocator for them would end the process (or make
// the machine swap for minutes) instead of failing one script line.

#include <cstdint>

// Whether count objects of size bytes each fit the address space, the
// machine's physical memory and what of it the system could give now.
bool StorageCanExist(std::uint64_t count, std::uint64_t size);

// Throws ENotEnoughMemory unless StorageCanExist(count, size).
void RequireStorage(std::uint64_t count, std::uint64_t size);

#pragma once
// How many bytes the program's heap holds in its allocated blocks: the
// figure the editor's memory report and the workspace window show. Tests
// replace the count with their own.

#include <cstdint>
#include <functional>

std::int64_t HeapBytesInUse();
// Nil: the heap's own count again.
void SetHeapUsageSource(std::function<std::int64_t()> source);

// AllocationCounter.h -- how many heap allocations the whole process has made so far, from any library
#pragma once

#include <cstdint>

// Calls of malloc, calloc and realloc (hence also operator new) since start; safe from any thread.
std::uint64_t HeapAllocationCount();

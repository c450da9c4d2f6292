// AllocationCounter.cpp -- stands in for glibc's malloc family to count calls, then hands each to glibc.
// Linked into a program it sees the game, the library, Mesa and Xlib alike; glibc's own internal calls bypass it.
#include "AllocationCounter.h"

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
void __libc_free(void* pointer);
}

namespace {

// Relaxed: the renderer's worker threads allocate too, and only the total matters.
std::atomic<std::uint64_t> allocations{0};

}  // namespace

std::uint64_t HeapAllocationCount()
{
    return allocations.load(std::memory_order_relaxed);
}

#ifndef PELMORA_NO_ALLOCATION_COUNT

extern "C" {

void* malloc(std::size_t size) noexcept
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) noexcept
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

void* realloc(void* pointer, std::size_t size) noexcept
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}

void free(void* pointer) noexcept
{
    __libc_free(pointer);
}

}  // extern "C"
#endif

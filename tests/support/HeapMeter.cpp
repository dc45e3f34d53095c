#include "support/HeapMeter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// Under AddressSanitizer every allocation, malloc and the C libraries' included, reaches
// the sanitizer's hooks; elsewhere this program's operator new and delete are counted.
#if defined(__SANITIZE_ADDRESS__)
#define HEAP_METER_HOOKS 1
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*taken)(const volatile void*, size_t),
                                              void (*given)(const volatile void*));
size_t __sanitizer_get_allocated_size(const volatile void* block);
}
#endif

namespace {

std::atomic<bool> metering{false};
std::atomic<long long> held{0}, peak{0};

void Count(long long bytes)
{
    const long long now = held += bytes;
    long long top = peak.load();
    while (now > top && !peak.compare_exchange_weak(top, now)) {
    }
}

#ifdef HEAP_METER_HOOKS
void Taken(const volatile void*, size_t size)
{
    if (metering.load(std::memory_order_relaxed))
        Count(static_cast<long long>(size));
}
void Given(const volatile void* block)
{
    if (block && metering.load(std::memory_order_relaxed))
        Count(-static_cast<long long>(__sanitizer_get_allocated_size(block)));
}
[[maybe_unused]] const int hooked = __sanitizer_install_malloc_and_free_hooks(Taken, Given);
#else
void* Take(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    if (metering.load(std::memory_order_relaxed))
        Count(static_cast<long long>(malloc_usable_size(block)));
    return block;
}

void Give(void* block) noexcept
{
    if (block && metering.load(std::memory_order_relaxed))
        Count(-static_cast<long long>(malloc_usable_size(block)));
    std::free(block);
}
#endif

} // namespace

HeapMeter::HeapMeter()
{
    held = peak = 0;
    metering = true;
}
HeapMeter::~HeapMeter() { metering = false; }
size_t HeapMeter::Peak() const { return size_t(peak.load()); }

#ifndef HEAP_METER_HOOKS
// Every form of new and delete goes through Take and Give, so that none is paired with another allocator's.
void* operator new(size_t size) { return Take(size); }
void* operator new[](size_t size) { return Take(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Take(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { Give(block); }
void operator delete[](void* block) noexcept { Give(block); }
void operator delete(void* block, size_t) noexcept { Give(block); }
void operator delete[](void* block, size_t) noexcept { Give(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Give(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Give(block); }
#endif

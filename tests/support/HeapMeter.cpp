#include "support/HeapMeter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<bool> metering{false};
std::atomic<long long> held{0}, peak{0};

void* Take(size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    if (metering.load(std::memory_order_relaxed)) {
        const long long now = held += static_cast<long long>(malloc_usable_size(block));
        long long top = peak.load();
        while (now > top && !peak.compare_exchange_weak(top, now)) {
        }
    }
    return block;
}

void Give(void* block) noexcept
{
    if (block && metering.load(std::memory_order_relaxed))
        held -= static_cast<long long>(malloc_usable_size(block));
    std::free(block);
}

} // namespace

HeapMeter::HeapMeter()
{
    held = peak = 0;
    metering = true;
}
HeapMeter::~HeapMeter() { metering = false; }
size_t HeapMeter::Peak() const { return size_t(peak.load()); }

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

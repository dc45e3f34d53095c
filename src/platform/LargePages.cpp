#include "platform/LargePages.h"

#include <cstdint>

#include <sys/mman.h>

namespace platform {

namespace {

constexpr uintptr_t kLargePage = uintptr_t(2) << 20;
// Smaller buffers come from memory the allocator has already touched.
constexpr size_t kAdvisedFrom = size_t(8) << 20;

} // namespace

void AdviseLargePages(void* start, size_t bytes)
{
    if (!start || bytes < kAdvisedFrom)
        return;
    const uintptr_t first = (reinterpret_cast<uintptr_t>(start) + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(start) + bytes) & ~(kLargePage - 1);
    if (end > first)
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE); // only advice: a refusal changes nothing
}

} // namespace platform

#include "platform/CpuFeatures.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace platform {

CpuFeatures QueryCpuFeatures()
{
    CpuFeatures features;
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    // __get_cpuid fails when the identification instruction or leaf 1 is missing.
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        const unsigned family = (eax >> 8) & 15;
        features.mmx = family >= 5 && (edx & (1u << 23)) != 0;
        features.sse2 = (edx & (1u << 26)) != 0;
    }
#endif
    return features;
}

} // namespace platform

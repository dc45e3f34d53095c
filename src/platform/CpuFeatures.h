#pragma once
// The processor's feature query: which instruction-set extensions the pixel code may use.

namespace platform {

struct CpuFeatures {
    bool mmx = false;
    bool sse2 = false;
};

// Asks the processor once per call; callers keep the answer (it cannot change).
CpuFeatures QueryCpuFeatures();

} // namespace platform

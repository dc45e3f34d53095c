#pragma once
// The paths of StretchTransfer, one function each, and what they share. Internal to the
// transforms unit; the tests reach the mapping tables through here.
#include "graphics/Bitmap32.h"

#include <vector>

namespace stretch {

// What every path needs to know about one transfer. DstRect is the unclipped target,
// Clip the part of it that is drawn (inside the destination), SrcRect lies inside Src.
struct Job {
    TBitmap32& dst;
    const TBitmap32& src;
    TRect dstRect;
    TRect clip;
    TRect srcRect;
    TDrawMode mode;
    TColor32 masterAlpha;
    const TPixelCombineEvent& combine;
};

// Combines Count result pixels into the destination row by the draw mode, as the
// same-size copy does: copy, BlendLine (master alpha 255) or BlendLineEx, or the callback.
void CombineRow(const TColor32* Src, TColor32* Dst, int32_t Count, const Job& job);

void SameSize(const Job& job);
void Nearest(const Job& job);
// Only when enlarging on both axes.
void Bilinear(const Job& job);
void Resample(const Job& job, TStretchFilter filter);

// One (source coordinate, weight) pair of a mapping table; the weights of one
// destination coordinate sum to 256.
struct Contribution {
    int32_t pos;
    int32_t weight;
};
using MappingTable = std::vector<std::vector<Contribution>>;

// The table of one axis: one list per destination coordinate of [clip0, clip1), for the
// destination range [dst0, dst1) and the source range [src0, src1).
MappingTable BuildMappingTable(int32_t dst0, int32_t dst1, int32_t clip0, int32_t clip1, int32_t src0, int32_t src1,
                               TStretchFilter filter);

// The kernel of a filter and its half-width; index 0 is the box.
double Kernel(TStretchFilter filter, double x);
double KernelWidth(TStretchFilter filter);

} // namespace stretch

#include "graphics/Transforms32.h"

#include "graphics/Blend32.h"
#include "graphics/LowLevel32.h"
#include "graphics/StretchPaths32.h"

#include <algorithm>
#include <cstdint>

bool FullEdge = false;

namespace {

// The checks both transfers start with. Returns false when there is nothing to draw;
// `mode` may change from dmCustom without a callback to dmOpaque.
bool PrepareTransfer(TBitmap32* Dst, const TBitmap32* Src, TDrawMode& mode, const TPixelCombineEvent& combine)
{
    if (Src != nullptr && Src->Empty())
        return false;
    if (Dst == nullptr || Dst->Empty())
        throw ETransformError("Destination bitmap is nil or empty");
    if (Src == nullptr)
        throw ETransformError("Source bitmap is nil or empty");
    if (mode == dmCustom && !combine)
        mode = dmOpaque;
    return !(mode == dmBlend && Src->MasterAlpha() == 0);
}

} // namespace

namespace stretch {

void CombineRow(const TColor32* Src, TColor32* Dst, int32_t Count, const Job& job)
{
    switch (job.mode) {
    case dmOpaque:
        MoveLongword(Src, Dst, Count);
        break;
    case dmBlend:
        if (job.masterAlpha >= 255)
            BlendLine(Src, Dst, Count);
        else
            BlendLineEx(Src, Dst, Count, job.masterAlpha);
        break;
    case dmCustom:
        for (int32_t i = 0; i < Count; ++i)
            job.combine(Src[i], Dst[i], job.masterAlpha);
        break;
    }
}

namespace {

// The rows of a small block lie a whole destination stride apart, each often in a page of
// its own, so nothing fetches them before the combine waits on them: the start of the
// destination row a few rows ahead is fetched while this one is combined. Longer rows
// fetch their own tails as they go.
constexpr int32_t kRowsAhead = 4;
constexpr uintptr_t kRowStartBytes = 256;

void PrefetchRowStart(const TColor32* row, int32_t count)
{
    const uintptr_t first = reinterpret_cast<uintptr_t>(row);
    const uintptr_t end = first + std::min<uintptr_t>(uintptr_t(count) * sizeof(TColor32), kRowStartBytes);
    for (uintptr_t line = first & ~uintptr_t(63); line < end; line += 64)
        __builtin_prefetch(reinterpret_cast<const void*>(line), 1);
}

} // namespace

// Clip is inside DstRect; the source pixel under clip (x, y) is at the same offset from
// SrcRect's corner as (x, y) from DstRect's.
void SameSize(const Job& job)
{
    const int32_t srcX = job.srcRect.Left + job.clip.Left - job.dstRect.Left;
    const int32_t srcY = job.srcRect.Top + job.clip.Top - job.dstRect.Top;
    const int32_t width = job.clip.Width();
    for (int32_t y = job.clip.Top; y < std::min(job.clip.Top + kRowsAhead, job.clip.Bottom); ++y)
        PrefetchRowStart(job.dst.PixelPtr(job.clip.Left, y), width);
    for (int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
        if (y + kRowsAhead < job.clip.Bottom)
            PrefetchRowStart(job.dst.PixelPtr(job.clip.Left, y + kRowsAhead), width);
        CombineRow(job.src.PixelPtr(srcX, srcY + y - job.clip.Top), job.dst.PixelPtr(job.clip.Left, y), width, job);
    }
}

} // namespace stretch

void BlockTransfer(TBitmap32* Dst, int32_t DstX, int32_t DstY, const TRect& DstClip, const TBitmap32* Src,
                   TRect SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack)
{
    if (!PrepareTransfer(Dst, Src, CombineOp, CombineCallBack))
        return;
    if (!IntersectRect(SrcRect, SrcRect, Src->BoundsRect()) || IsRectEmpty(SrcRect))
        return;
    TRect clip;
    IntersectRect(clip, DstClip, Dst->BoundsRect());
    // Saturated: a target past the right or bottom edge is simply not drawn.
    const TRect dstRect{DstX, DstY, RoundSaturated(double(DstX) + SrcRect.Width()),
                        RoundSaturated(double(DstY) + SrcRect.Height())};
    if (!IntersectRect(clip, clip, dstRect) || IsRectEmpty(clip))
        return;
    const stretch::Job job{*Dst, *Src, dstRect, clip, SrcRect, CombineOp, Src->MasterAlpha(), CombineCallBack};
    stretch::SameSize(job);
    EMMS();
}

void StretchTransfer(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, const TBitmap32* Src,
                     const TRect& SrcRect, TStretchFilter StretchFilter, TDrawMode CombineOp,
                     const TPixelCombineEvent& CombineCallBack)
{
    if (!PrepareTransfer(Dst, Src, CombineOp, CombineCallBack))
        return;
    if (IsRectEmpty(SrcRect))
        return;
    if (SrcRect.Left < 0 || SrcRect.Top < 0 || SrcRect.Right > Src->Width() || SrcRect.Bottom > Src->Height())
        throw ETransformError("Source rectangle is invalid");
    TRect clip;
    if (!IntersectRect(clip, DstClip, Dst->BoundsRect()) || !IntersectRect(clip, clip, DstRect) || IsRectEmpty(clip))
        return;

    const stretch::Job job{*Dst, *Src, DstRect, clip, SrcRect, CombineOp, Src->MasterAlpha(), CombineCallBack};
    // A far destination rectangle is wider than 32 bits can say.
    const int64_t dw = int64_t(DstRect.Right) - DstRect.Left, dh = int64_t(DstRect.Bottom) - DstRect.Top;
    const bool enlarging = dw > SrcRect.Width() && dh > SrcRect.Height();
    if (dw == SrcRect.Width() && dh == SrcRect.Height())
        stretch::SameSize(job);
    else if (StretchFilter == sfNearest)
        stretch::Nearest(job);
    else if (StretchFilter == sfLinear && enlarging)
        stretch::Bilinear(job);
    else
        stretch::Resample(job, StretchFilter);
    EMMS();
}

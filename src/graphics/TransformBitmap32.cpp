// Drawing a bitmap through a transformation, and SetBorderTransparent. Transform walks
// the destination rectangle and asks, per pixel, where in the source it lies. The
// affine and projective transformations get loops of their own that compute the same
// positions without a virtual call per pixel (the affine one by adding one step per
// column); any other transformation class goes through TransformReference.
#include "graphics/Blend32.h"
#include "graphics/LowLevel32.h"
#include "graphics/Transformations32.h"

#include <cmath>
#include <limits>
#include <type_traits>

namespace {

// Source and destination rectangles here have their right and bottom edges included.
struct InclusiveRect {
    int32_t left, top, right, bottom;
    template <typename T>
    bool Contains(T x, T y) const
    {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};

// Everything one Transform call needs once the rectangles are known.
struct Job {
    TBitmap32& dst;
    const TBitmap32& src;
    InclusiveRect dstRect;  // inside dst
    InclusiveRect srcRect;  // inside src
    bool bilinear;
    TDrawMode mode;
    TColor32 masterAlpha;
    const TPixelCombineEvent& combine;
};

// False when nothing is to be drawn. A source rectangle without area draws nothing.
bool PlanJob(TBitmap32& Dst, const TBitmap32& Src, TTransformation& Transformation, InclusiveRect& DstRect,
             InclusiveRect& SrcRect)
{
    if (!Transformation.TransformValid())
        Transformation.PrepareTransform();
    const TFloatRect& s = Transformation.SrcRect();
    if (IsRectEmptyF(s) || Src.Empty() || Dst.Empty())
        return false;
    TRect src{RoundSaturated(s.Left), RoundSaturated(s.Top), RoundSaturated(s.Right), RoundSaturated(s.Bottom)};
    if (!IntersectRect(src, src, TRect{0, 0, Src.Width() - 1, Src.Height() - 1}))
        return false;
    TRect dst;
    if (!IntersectRect(dst, Transformation.GetTransformedBounds(), TRect{0, 0, Dst.Width() - 1, Dst.Height() - 1}))
        return false;
    SrcRect = {src.Left, src.Top, src.Right, src.Bottom};
    DstRect = {dst.Left, dst.Top, dst.Right, dst.Bottom};
    return true;
}

template <TDrawMode Mode>
inline void Put(TColor32 Color, TColor32& Dst, const Job& job)
{
    if constexpr (Mode == dmOpaque)
        Dst = Color;
    else if constexpr (Mode == dmBlend)
        BlendMemEx(Color, Dst, job.masterAlpha);
    else
        job.combine(Color, Dst, job.masterAlpha);
}

// The 2 x 2 pixels around a position mixed by its fractions (0..255 of 256): the two
// rows first, then the rows with each other.
inline TColor32 MixFour(TColor32 p00, TColor32 p10, TColor32 p01, TColor32 p11, uint32_t fx, uint32_t fy)
{
    const TColor32 top = CombineReg(p10, p00, fx);
    const TColor32 bottom = CombineReg(p11, p01, fx);
    return CombineReg(bottom, top, fy);
}

// The bilinear colour at (X256, Y256), 1/256 pixel; false outside the source rectangle.
// Neighbours beyond it are read with GetPixelS, so the right and bottom edges fade into
// OuterColor where the rectangle ends at the bitmap's edge. Direct reads when all four
// neighbours lie inside (the same pixels GetPixelS would read).
template <bool Fast, typename T>
inline bool SampleBilinear(const Job& job, T X256, T Y256, TColor32& Color)
{
    const T px = X256 >> 8, py = Y256 >> 8;
    const InclusiveRect& r = job.srcRect;
    if (!r.Contains(px, py))
        return false;
    const uint32_t fx = uint32_t(X256 & 255), fy = uint32_t(Y256 & 255);
    const int32_t x = int32_t(px), y = int32_t(py);
    if (Fast && x < r.right && y < r.bottom) {
        const TColor32* row0 = job.src.PixelPtr(x, y);
        const TColor32* row1 = row0 + job.src.Width();
        Color = MixFour(row0[0], row0[1], row1[0], row1[1], fx, fy);
    } else {
        const TBitmap32& s = job.src;
        Color = MixFour(s.GetPixelS(x, y), s.GetPixelS(x + 1, y), s.GetPixelS(x, y + 1), s.GetPixelS(x + 1, y + 1),
                        fx, fy);
    }
    return true;
}

template <typename Body>
void WithMode(TDrawMode Mode, Body&& body)
{
    switch (Mode) {
    case dmOpaque:
        return body(std::integral_constant<TDrawMode, dmOpaque>{});
    case dmBlend:
        return body(std::integral_constant<TDrawMode, dmBlend>{});
    case dmCustom:
        return body(std::integral_constant<TDrawMode, dmCustom>{});
    }
}

// Every destination pixel through the transformation's virtual operations.
template <TDrawMode Mode>
void ReferenceRows(const Job& job, TTransformation& t)
{
    for (int32_t y = job.dstRect.top; y <= job.dstRect.bottom; ++y) {
        for (int32_t x = job.dstRect.left; x <= job.dstRect.right; ++x) {
            int32_t sx, sy;
            TColor32 color;
            if (job.bilinear) {
                if (t.Transform256(x, y, sx, sy) && SampleBilinear<false>(job, sx, sy, color))
                    Put<Mode>(color, *job.dst.PixelPtr(x, y), job);
            } else if (t.Transform(x, y, sx, sy) && job.srcRect.Contains(sx, sy)) {
                Put<Mode>(job.src.GetPixel(sx, sy), *job.dst.PixelPtr(x, y), job);
            }
        }
    }
}

// One destination row from u and v, the fixed positions of its first pixel, stepping by
// (m00, m01) per column in Sum, a type that holds every position of the row.
template <TDrawMode Mode, bool Bilinear, typename Sum>
void AffineRow(const Job& job, int32_t y, Sum u, Sum v, Sum du, Sum dv)
{
    constexpr int shift = Bilinear ? 4 : 12;
    TColor32* out = job.dst.PixelPtr(job.dstRect.left, y);
    for (int32_t x = job.dstRect.left; x <= job.dstRect.right; ++x, ++out, u += du, v += dv) {
        const Sum sx = u >> shift, sy = v >> shift;
        if constexpr (Bilinear) {
            TColor32 color;
            if (SampleBilinear<true>(job, sx, sy, color))
                Put<Mode>(color, *out, job);
        } else if (job.srcRect.Contains(sx, sy)) {
            Put<Mode>(job.src.GetPixel(int32_t(sx), int32_t(sy)), *out, job);
        }
    }
}

// The affine positions step by (m00, m01) per column: in 64 bits where the whole row
// fits there, else (a near-singular matrix far from the origin) in 128.
template <TDrawMode Mode, bool Bilinear>
void AffineRows(const Job& job, const TAffineFixedInverse& m)
{
    using Wide = __int128;
    constexpr int64_t rounding = Bilinear ? 7 : 2047;
    constexpr Wide narrow = Wide(1) << 62;
    auto fits = [&](Wide a) { return a > -narrow && a < narrow; };
    const int32_t x0 = job.dstRect.left, span = job.dstRect.right - x0;
    for (int32_t y = job.dstRect.top; y <= job.dstRect.bottom; ++y) {
        const Wide u = Wide(x0) * m.m00 + Wide(y) * m.m10 + m.m20 + rounding;
        const Wide v = Wide(x0) * m.m01 + Wide(y) * m.m11 + m.m21 + rounding;
        if (fits(u) && fits(v) && fits(u + Wide(span) * m.m00) && fits(v + Wide(span) * m.m01))
            AffineRow<Mode, Bilinear, int64_t>(job, y, int64_t(u), int64_t(v), m.m00, m.m01);
        else
            AffineRow<Mode, Bilinear, Wide>(job, y, u, v, m.m00, m.m01);
    }
}

// The projective positions as TProjectiveTransformation::Transform computes them, with
// the preparation test and the virtual call out of the loop.
template <TDrawMode Mode, bool Bilinear>
void ProjectiveRows(const Job& job, const TProjectiveTransformation& t)
{
    for (int32_t y = job.dstRect.top; y <= job.dstRect.bottom; ++y) {
        TColor32* out = job.dst.PixelPtr(job.dstRect.left, y);
        for (int32_t x = job.dstRect.left; x <= job.dstRect.right; ++x, ++out) {
            int32_t sx, sy;
            if constexpr (Bilinear) {
                TColor32 color;
                if (t.Transform256Prepared(x, y, sx, sy) && SampleBilinear<true>(job, sx, sy, color))
                    Put<Mode>(color, *out, job);
            } else if (t.TransformPrepared(x, y, sx, sy) && job.srcRect.Contains(sx, sy)) {
                Put<Mode>(job.src.GetPixel(sx, sy), *out, job);
            }
        }
    }
}

void Run(TBitmap32& Dst, const TBitmap32& Src, TTransformation& Transformation, bool UseFastPaths)
{
    InclusiveRect dstRect, srcRect;
    if (!PlanJob(Dst, Src, Transformation, dstRect, srcRect))
        return;
    TDrawMode mode = Src.DrawMode();
    if (mode == dmCustom && !Src.OnPixelCombine)
        mode = dmOpaque;
    const Job job{Dst, Src, dstRect, srcRect, Src.StretchFilter() != sfNearest, mode, Src.MasterAlpha(),
                  Src.OnPixelCombine};

    auto* affine = UseFastPaths ? dynamic_cast<TAffineTransformation*>(&Transformation) : nullptr;
    auto* projective = UseFastPaths ? dynamic_cast<TProjectiveTransformation*>(&Transformation) : nullptr;
    WithMode(mode, [&](auto modeTag) {
        constexpr TDrawMode M = decltype(modeTag)::value;
        if (affine) {
            if (affine->Singular())
                return;
            if (job.bilinear)
                AffineRows<M, true>(job, affine->FixedInverse());
            else
                AffineRows<M, false>(job, affine->FixedInverse());
        } else if (projective) {
            if (job.bilinear)
                ProjectiveRows<M, true>(job, *projective);
            else
                ProjectiveRows<M, false>(job, *projective);
        } else {
            ReferenceRows<M>(job, Transformation);
        }
    });
    EMMS();
}

} // namespace

void Transform(TBitmap32& Dst, const TBitmap32& Src, TTransformation& Transformation)
{
    Run(Dst, Src, Transformation, true);
}

void TransformReference(TBitmap32& Dst, const TBitmap32& Src, TTransformation& Transformation)
{
    Run(Dst, Src, Transformation, false);
}

void SetBorderTransparent(TBitmap32& ABitmap, const TRect& ARect)
{
    int32_t left = ARect.Left, right = ARect.Right, top = ARect.Top, bottom = ARect.Bottom;
    if (TestClip(left, right, ABitmap.Width()) && TestClip(top, bottom, ABitmap.Height())) {
        constexpr TColor32 colourBits = 0x00FFFFFF;
        for (int32_t x = left; x <= right; ++x) {
            *ABitmap.PixelPtr(x, top) &= colourBits;
            *ABitmap.PixelPtr(x, bottom) &= colourBits;
        }
        for (int32_t y = top; y <= bottom; ++y) {
            *ABitmap.PixelPtr(left, y) &= colourBits;
            *ABitmap.PixelPtr(right, y) &= colourBits;
        }
    }
    ABitmap.Changed();
}

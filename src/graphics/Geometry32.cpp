#include "graphics/Geometry32.h"

#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cmath>

// Rounding to nearest follows the default floating-point mode: halves to even. Values
// beyond the 32-bit range saturate; NaN gives 0.
TFixed Fixed(float S)
{
    return RoundSaturated(double(S) * 65536.0);
}

TPoint Point(const TFloatPoint& P)
{
    return {RoundSaturated(P.X), RoundSaturated(P.Y)};
}

TPoint Point(const TFixedPoint& P)
{
    return {FixedRound(P.X), FixedRound(P.Y)};
}

namespace {

// Edges beyond the 32-bit range saturate; a rectangle with a NaN edge is empty.
TRect RoundRect(double L, double T, double R, double B, TRectRounding Rounding)
{
    if (std::isnan(L) || std::isnan(T) || std::isnan(R) || std::isnan(B))
        return TRect{};
    TRect result;
    switch (Rounding) {
    case rrClosest:
        return {RoundSaturated(L), RoundSaturated(T), RoundSaturated(R), RoundSaturated(B)};
    case rrOutside:
        return {RoundSaturated(std::floor(L)), RoundSaturated(std::floor(T)), RoundSaturated(std::ceil(R)),
                RoundSaturated(std::ceil(B))};
    case rrInside:
        result = {RoundSaturated(std::ceil(L)), RoundSaturated(std::ceil(T)), RoundSaturated(std::floor(R)),
                  RoundSaturated(std::floor(B))};
        result.Right = std::max(result.Right, result.Left);
        result.Bottom = std::max(result.Bottom, result.Top);
        return result;
    }
    return result;
}

} // namespace

TRect MakeRect(const TFloatRect& FR, TRectRounding Rounding)
{
    return RoundRect(FR.Left, FR.Top, FR.Right, FR.Bottom, Rounding);
}

TRect MakeRect(const TFixedRect& FXR, TRectRounding Rounding)
{
    return RoundRect(FXR.Left / 65536.0, FXR.Top / 65536.0, FXR.Right / 65536.0, FXR.Bottom / 65536.0, Rounding);
}

namespace {

template <typename Rect>
bool Intersect(Rect& Dst, const Rect& R1, const Rect& R2)
{
    Rect overlap{std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
                 std::min(R1.Bottom, R2.Bottom)};
    const bool result = overlap.Right >= overlap.Left && overlap.Bottom >= overlap.Top;
    Dst = result ? overlap : Rect{};
    return result;
}

} // namespace

bool IntersectRect(TRect& Dst, const TRect& R1, const TRect& R2)
{
    return Intersect(Dst, R1, R2);
}

bool IntersectRectF(TFloatRect& Dst, const TFloatRect& R1, const TFloatRect& R2)
{
    return Intersect(Dst, R1, R2);
}

void InflateRect(TRect& R, int32_t Dx, int32_t Dy)
{
    R = {Saturated(int64_t(R.Left) - Dx), Saturated(int64_t(R.Top) - Dy), Saturated(int64_t(R.Right) + Dx),
         Saturated(int64_t(R.Bottom) + Dy)};
}

void InflateRectF(TFloatRect& R, float Dx, float Dy)
{
    R.Left -= Dx;
    R.Top -= Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

void OffsetRect(TRect& R, int32_t Dx, int32_t Dy)
{
    R = {Saturated(int64_t(R.Left) + Dx), Saturated(int64_t(R.Top) + Dy), Saturated(int64_t(R.Right) + Dx),
         Saturated(int64_t(R.Bottom) + Dy)};
}

void OffsetRectF(TFloatRect& R, float Dx, float Dy)
{
    R.Left += Dx;
    R.Top += Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

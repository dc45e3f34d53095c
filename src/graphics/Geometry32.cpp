#include "graphics/Geometry32.h"

#include <algorithm>
#include <cmath>

// Rounding to nearest follows the default floating-point mode: halves to even.
TFixed Fixed(float S)
{
    return TFixed(std::nearbyint(double(S) * 65536.0));
}

TPoint Point(const TFloatPoint& P)
{
    return {int32_t(std::nearbyint(P.X)), int32_t(std::nearbyint(P.Y))};
}

TPoint Point(const TFixedPoint& P)
{
    return {FixedRound(P.X), FixedRound(P.Y)};
}

namespace {

TRect RoundRect(double L, double T, double R, double B, TRectRounding Rounding)
{
    TRect result;
    switch (Rounding) {
    case rrClosest:
        return {int32_t(std::nearbyint(L)), int32_t(std::nearbyint(T)), int32_t(std::nearbyint(R)),
                int32_t(std::nearbyint(B))};
    case rrOutside:
        return {int32_t(std::floor(L)), int32_t(std::floor(T)), int32_t(std::ceil(R)), int32_t(std::ceil(B))};
    case rrInside:
        result = {int32_t(std::ceil(L)), int32_t(std::ceil(T)), int32_t(std::floor(R)), int32_t(std::floor(B))};
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
    R.Left -= Dx;
    R.Top -= Dy;
    R.Right += Dx;
    R.Bottom += Dy;
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
    R.Left += Dx;
    R.Top += Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

void OffsetRectF(TFloatRect& R, float Dx, float Dy)
{
    R.Left += Dx;
    R.Top += Dy;
    R.Right += Dx;
    R.Bottom += Dy;
}

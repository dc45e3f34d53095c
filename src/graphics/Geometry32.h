#pragma once
// Points, rectangles and 16.16 fixed-point numbers shared by the graphics code.
#include <cstdint>

// Signed 16.16 fixed point: 1.0 = 65536.
using TFixed = int32_t;
constexpr TFixed FixedOne = 0x10000;

struct TPoint {
    int32_t X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};
struct TFixedPoint {
    TFixed X = 0, Y = 0;
    bool operator==(const TFixedPoint&) const = default;
};
struct TFloatPoint {
    float X = 0, Y = 0;
    bool operator==(const TFloatPoint&) const = default;
};

// Right and bottom are exclusive for pixel work: the rectangle (0, 0, 2, 2) holds 4 pixels.
struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};
struct TFixedRect {
    TFixed Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TFixedRect&) const = default;
};
struct TFloatRect {
    float Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TFloatRect&) const = default;
};

// rrClosest: each edge to nearest, halves to even. rrOutside: floor left and top, ceiling
// right and bottom. rrInside: ceiling left and top, floor right and bottom, then a right
// (bottom) edge before the left (top) one is moved onto it.
enum TRectRounding : uint8_t { rrClosest, rrOutside, rrInside };

TFixed Fixed(float S);
inline TFixed Fixed(int32_t I) { return TFixed(uint32_t(I) << 16); }
inline int32_t FixedFloor(TFixed A) { return A >> 16; }
inline int32_t FixedCeil(TFixed A) { return int32_t((int64_t(A) + 0xFFFF) >> 16); }
// 0x7FFF, not 0x8000: an exact half rounds down.
inline int32_t FixedRound(TFixed A) { return int32_t((int64_t(A) + 0x7FFF) >> 16); }
// The 64-bit product shifted right 16, low 32 bits kept.
inline TFixed FixedMul(TFixed A, TFixed B) { return TFixed(uint32_t(uint64_t((int64_t(A) * B) >> 16))); }
// (A << 16) / B in 64 bits; the caller keeps B non-zero and the quotient within 32 bits.
inline TFixed FixedDiv(TFixed A, TFixed B) { return TFixed((int64_t(A) * 65536) / B); }

inline TPoint Point(int32_t X, int32_t Y) { return {X, Y}; }
TPoint Point(const TFloatPoint& P);
TPoint Point(const TFixedPoint& P);
inline TFloatPoint FloatPoint(float X, float Y) { return {X, Y}; }
inline TFloatPoint FloatPoint(const TPoint& P) { return {float(P.X), float(P.Y)}; }
inline TFloatPoint FloatPoint(const TFixedPoint& P) { return {P.X / 65536.0f, P.Y / 65536.0f}; }
inline TFixedPoint FixedPoint(int32_t X, int32_t Y) { return {Fixed(X), Fixed(Y)}; }
inline TFixedPoint FixedPoint(float X, float Y) { return {Fixed(X), Fixed(Y)}; }
inline TFixedPoint FixedPoint(const TPoint& P) { return FixedPoint(P.X, P.Y); }
inline TFixedPoint FixedPoint(const TFloatPoint& P) { return FixedPoint(P.X, P.Y); }

inline TRect MakeRect(int32_t L, int32_t T, int32_t R, int32_t B) { return {L, T, R, B}; }
TRect MakeRect(const TFloatRect& FR, TRectRounding Rounding = rrClosest);
TRect MakeRect(const TFixedRect& FXR, TRectRounding Rounding = rrClosest);
inline TFloatRect FloatRect(float L, float T, float R, float B) { return {L, T, R, B}; }
inline TFloatRect FloatRect(const TRect& R) { return {float(R.Left), float(R.Top), float(R.Right), float(R.Bottom)}; }

// The overlap (largest left and top, smallest right and bottom). True when it has
// Right >= Left and Bottom >= Top (zero width or height counts); otherwise Dst is all 0.
bool IntersectRect(TRect& Dst, const TRect& R1, const TRect& R2);
bool IntersectRectF(TFloatRect& Dst, const TFloatRect& R1, const TFloatRect& R2);
inline bool EqualRect(const TRect& R1, const TRect& R2) { return R1 == R2; }
// InflateRect and OffsetRect saturate edges moved beyond the 32-bit range.
void InflateRect(TRect& R, int32_t Dx, int32_t Dy);
void InflateRectF(TFloatRect& R, float Dx, float Dy);
void OffsetRect(TRect& R, int32_t Dx, int32_t Dy);
void OffsetRectF(TFloatRect& R, float Dx, float Dy);
inline bool IsRectEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
inline bool IsRectEmptyF(const TFloatRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }
inline bool PtInRect(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom;
}

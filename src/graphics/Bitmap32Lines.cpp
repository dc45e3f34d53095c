// General lines: integer (Bresenham), fixed-point and float (sub-pixel pixels along the
// line), stippled, and anti-aliased integer lines; the pen-position forms.
#include "graphics/Bitmap32.h"

#include "graphics/Blend32.h"
#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// How the integer lines put down their pixels: a pixel, and whole runs along a row or
// a column (both ends included).
struct OpaquePen {
    TBitmap32& bitmap;
    TColor32 color;
    void Plot(int32_t x, int32_t y) { bitmap.SetPixel(x, y, color); }
    void Horz(int32_t x1, int32_t y, int32_t x2) { bitmap.HorzLine(x1, y, x2, color); }
    void Vert(int32_t x, int32_t y1, int32_t y2) { bitmap.VertLine(x, y1, y2, color); }
};

struct BlendingPen {
    TBitmap32& bitmap;
    TColor32 color;
    void Plot(int32_t x, int32_t y) { BlendMem(color, *bitmap.PixelPtr(x, y)); }
    void Horz(int32_t x1, int32_t y, int32_t x2) { bitmap.HorzLineT(x1, y, x2, color); }
    void Vert(int32_t x, int32_t y1, int32_t y2) { bitmap.VertLineT(x, y1, y2, color); }
};

// (X1, Y1) to (X2, Y2) without the end point, then the end point when L. Slanted lines
// step along the major axis and move along the minor one when the error reaches the
// major length: the pixels nearest the ideal line, so (0, 0)-(3, 1) gives (0, 0), (1, 0),
// (2, 1) and (3, 1).
template <typename Pen>
void IntegerLine(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, bool L, Pen pen)
{
    const int32_t dx = X2 - X1, dy = Y2 - Y1;
    if (dx == 0) {
        if (dy > 0)
            pen.Vert(X1, Y1, Y2 - 1);
        else if (dy < 0)
            pen.Vert(X1, Y2 + 1, Y1);
    } else if (dy == 0) {
        if (dx > 0)
            pen.Horz(X1, Y1, X2 - 1);
        else
            pen.Horz(X2 + 1, Y1, X1);
    } else {
        const int32_t stepX = dx > 0 ? 1 : -1, stepY = dy > 0 ? 1 : -1;
        const int32_t major = std::max(std::abs(dx), std::abs(dy));
        const int32_t minor = std::min(std::abs(dx), std::abs(dy));
        const bool xMajor = std::abs(dx) > std::abs(dy);
        int32_t x = X1, y = Y1, error = major / 2;
        for (int32_t i = 0; i < major; ++i) {
            pen.Plot(x, y);
            error += minor;
            const bool stepMinor = error >= major;
            if (stepMinor)
                error -= major;
            if (xMajor) {
                x += stepX;
                y += stepMinor ? stepY : 0;
            } else {
                y += stepY;
                x += stepMinor ? stepX : 0;
            }
        }
    }
    if (L)
        pen.Plot(X2, Y2);
}

} // namespace

void TBitmap32::Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L)
{
    IntegerLine(X1, Y1, X2, Y2, L, OpaquePen{*this, Value});
    Changed();
}

void TBitmap32::LineS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L)
{
    if (!Empty() && ClipLine(X1, Y1, X2, Y2, 0, 0, Width() - 1, Height() - 1))
        Line(X1, Y1, X2, Y2, Value, L);
}

void TBitmap32::LineT(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L)
{
    IntegerLine(X1, Y1, X2, Y2, L, BlendingPen{*this, Value});
    EMMS();
    Changed();
}

void TBitmap32::LineTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L)
{
    if (!Empty() && ClipLine(X1, Y1, X2, Y2, 0, 0, Width() - 1, Height() - 1))
        LineT(X1, Y1, X2, Y2, Value, L);
}

// ---- Fixed-point and float lines ------------------------------------------------------

namespace {

// The length of a 16.16 vector in 16.16, rounded to nearest.
inline int64_t FixedLength(int64_t Dx, int64_t Dy)
{
    return std::llrint(std::hypot(double(Dx), double(Dy)));
}

inline TColor32 ScaleAlpha(TColor32 Color, int64_t Fraction16)
{
    return (Color & 0x00FFFFFF) | TColor32(((int64_t(Color >> 24) * Fraction16) >> 16) << 24);
}

// The walk steps by the 16.16 increment D * 65536 / N rounded, and every kExactEvery steps
// starts again from the exact position (Start + D * 65536 * I / N, rounded): the rounded
// step alone drifts by a pixel over 2^17 steps, and runs a long line out of the bitmap.
constexpr int64_t kExactEvery = 256;

int64_t ExactPosition(int64_t Start, int64_t D, int64_t N, int64_t I)
{
    const __int128 scaled = __int128(D) * 65536 * I;
    return Start + int64_t((scaled >= 0 ? scaled + N / 2 : scaled - N / 2) / N);
}

} // namespace

// Sub-pixel pixels one pixel apart from (X1, Y1) along the line: N = its length (one
// pixel more when L) gives N >> 16 full pixels, and the fraction left over one more
// pixel with its alpha scaled by that fraction. NextColor gives the colour of each.
template <bool Clipped, typename ColorOf>
void TBitmap32::WalkLineX(int64_t X1, int64_t Y1, int64_t X2, int64_t Y2, bool L, ColorOf&& NextColor)
{
    const int64_t dx = X2 - X1, dy = Y2 - Y1;
    const int64_t length = FixedLength(dx, dy) + (L ? FixedOne : 0);
    if (length < 0x100)
        return;
    // 16.16 positions rounded to 24.8 by the +0x7F.
    const int64_t startX = X1 + 0x7F, startY = Y1 + 0x7F;
    int64_t x = startX, y = startY;
    auto plot = [&](TColor32 color) {
        if constexpr (Clipped)
            SET_TS256(int32_t(x >> 8), int32_t(y >> 8), color);
        else
            SET_T256(int32_t(x >> 8), int32_t(y >> 8), color);
    };
    const int64_t count = length >> 16;
    const int64_t stepX = std::llrint(double(dx) * 65536.0 / double(length));
    const int64_t stepY = std::llrint(double(dy) * 65536.0 / double(length));
    for (int64_t i = 0; i < count;) {
        x = ExactPosition(startX, dx, length, i), y = ExactPosition(startY, dy, length, i);
        for (const int64_t end = std::min(count, i + kExactEvery); i < end; ++i, x += stepX, y += stepY)
            plot(NextColor());
    }
    x = ExactPosition(startX, dx, length, count), y = ExactPosition(startY, dy, length, count);
    // A line of whole pixels has no fraction left, and takes no colour for it: the next
    // piece of a stippled polyline goes on with the pattern where this one stopped.
    const int64_t fraction = length - count * FixedOne;
    if (fraction > 0)
        plot(ScaleAlpha(NextColor(), fraction));
    EMMS();
    Changed();
}

namespace {

inline float PixelsBetween(int64_t Ax, int64_t Ay, int64_t Bx, int64_t By)
{
    return float(double(FixedLength(Bx - Ax, By - Ay)) / 65536.0);
}

} // namespace

// The fixed line (48.16) cut to the bitmap grown by one pixel on every side (a sub-pixel
// pixel there still reaches the edge pixels). When the cut moved the end, the new end is
// drawn. A stippled line moves the counter on by the lengths cut off, so the pattern
// keeps its phase.
template <typename ColorOf>
void TBitmap32::ClippedLineX(int64_t X1, int64_t Y1, int64_t X2, int64_t Y2, bool L, bool Stippled,
                             ColorOf&& NextColor)
{
    if (Empty())
        return;
    const int64_t maxX = int64_t(Width()) * FixedOne, maxY = int64_t(Height()) * FixedOne;
    int64_t x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    if (!ClipLine64(x1, y1, x2, y2, -FixedOne, -FixedOne, maxX, maxY)) {
        if (Stippled)
            AdvanceStippleCounter(PixelsBetween(X1, Y1, X2, Y2) - (L ? 1.0f : 0.0f));
        return;
    }
    if (Stippled)
        AdvanceStippleCounter(PixelsBetween(X1, Y1, x1, y1));
    const bool endMoved = x2 != X2 || y2 != Y2;
    const int64_t innerMaxX = maxX - 2 * FixedOne, innerMaxY = maxY - 2 * FixedOne;
    auto inside = [&](int64_t v, int64_t hi) { return v >= 2 * FixedOne && v <= hi; };
    if (inside(x1, innerMaxX) && inside(x2, innerMaxX) && inside(y1, innerMaxY) && inside(y2, innerMaxY))
        WalkLineX<false>(x1, y1, x2, y2, L || endMoved, NextColor);
    else
        WalkLineX<true>(x1, y1, x2, y2, L || endMoved, NextColor);
    if (Stippled && endMoved)
        AdvanceStippleCounter(PixelsBetween(x2, y2, X2, Y2) - (L ? 1.0f : 0.0f));
}

namespace {

// Ends farther out than this (in pixels) are first moved along the line onto the square
// of this half-width; no bitmap reaches it, and the coordinates then fit 48.16 fixed.
constexpr double kFarPixels = double(int64_t(1) << 40);

// Cuts the segment to the square |x|, |y| <= kFarPixels; false when it misses it.
bool CutToFarSquare(double& X1, double& Y1, double& X2, double& Y2)
{
    const double dx = X2 - X1, dy = Y2 - Y1;
    double enter = 0, exit = 1;
    for (const auto& [p, d] : {std::pair(X1, dx), std::pair(Y1, dy)}) {
        if (d == 0) {
            if (std::abs(p) > kFarPixels)
                return false;
            continue;
        }
        const double a = (-kFarPixels - p) / d, b = (kFarPixels - p) / d;
        enter = std::max(enter, std::min(a, b));
        exit = std::min(exit, std::max(a, b));
    }
    if (enter > exit)
        return false;
    const double x1 = X1, y1 = Y1;
    if (exit < 1)
        X2 = x1 + exit * dx, Y2 = y1 + exit * dy;
    if (enter > 0)
        X1 = x1 + enter * dx, Y1 = y1 + enter * dy;
    return true;
}

inline int64_t FixedOf(double Pixels)
{
    return std::llrint(std::clamp(Pixels, -kFarPixels, kFarPixels) * 65536.0);
}

} // namespace

// Float ends taken as 48.16 fixed, so that ends of any distance clip exactly as near ones
// do (Fixed would saturate them at 32768 pixels and turn the line). A line with a NaN or
// infinite end has no direction and draws nothing.
template <typename ColorOf>
void TBitmap32::ClippedLineF(float X1, float Y1, float X2, float Y2, bool L, bool Stippled, ColorOf&& NextColor)
{
    if (!std::isfinite(X1) || !std::isfinite(Y1) || !std::isfinite(X2) || !std::isfinite(Y2))
        return;
    double x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    if (!CutToFarSquare(x1, y1, x2, y2)) {
        if (Stippled && !Empty())
            AdvanceStippleCounter(float(std::hypot(double(X2) - X1, double(Y2) - Y1)) - (L ? 1.0f : 0.0f));
        return;
    }
    if (Stippled && !Empty())
        AdvanceStippleCounter(float(std::hypot(x1 - X1, y1 - Y1)));
    ClippedLineX(FixedOf(x1), FixedOf(y1), FixedOf(x2), FixedOf(y2), L, Stippled, NextColor);
    if (Stippled && !Empty())
        AdvanceStippleCounter(float(std::hypot(X2 - x2, Y2 - y2)));
}

void TBitmap32::LineX(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L)
{
    WalkLineX<false>(X1, Y1, X2, Y2, L, [Value] { return Value; });
}

void TBitmap32::LineF(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L)
{
    LineX(Fixed(X1), Fixed(Y1), Fixed(X2), Fixed(Y2), Value, L);
}

void TBitmap32::LineXS(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L)
{
    ClippedLineX(X1, Y1, X2, Y2, L, false, [Value] { return Value; });
}

void TBitmap32::LineFS(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L)
{
    ClippedLineF(X1, Y1, X2, Y2, L, false, [Value] { return Value; });
}

void TBitmap32::LineXP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L)
{
    WalkLineX<false>(X1, Y1, X2, Y2, L, [this] { return GetStippleColor(); });
}

void TBitmap32::LineFP(float X1, float Y1, float X2, float Y2, bool L)
{
    LineXP(Fixed(X1), Fixed(Y1), Fixed(X2), Fixed(Y2), L);
}

void TBitmap32::LineXSP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L)
{
    ClippedLineX(X1, Y1, X2, Y2, L, true, [this] { return GetStippleColor(); });
}

void TBitmap32::LineFSP(float X1, float Y1, float X2, float Y2, bool L)
{
    ClippedLineF(X1, Y1, X2, Y2, L, true, [this] { return GetStippleColor(); });
}

// ---- Anti-aliased integer lines ----------------------------------------------------

// Along the major axis, the minor position advances by minor / major per step as a 16-bit
// fraction; the two pixels straddling the ideal line share the colour by gamma weights
// of the fraction's high byte.
void TBitmap32::LineA(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L)
{
    if (X1 == X2 || Y1 == Y2) {
        LineT(X1, Y1, X2, Y2, Value, L);
        return;
    }
    const int32_t dx = X2 - X1, dy = Y2 - Y1;
    const bool xMajor = std::abs(dx) > std::abs(dy);
    const int32_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const int32_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    // One step along each axis, and the move across the line to the second pixel.
    const int32_t majorX = xMajor ? (dx > 0 ? 1 : -1) : 0, majorY = xMajor ? 0 : (dy > 0 ? 1 : -1);
    const int32_t minorX = xMajor ? 0 : (dx > 0 ? 1 : -1), minorY = xMajor ? (dy > 0 ? 1 : -1) : 0;
    const uint32_t gradient = (uint32_t(minor) << 16) / uint32_t(major);

    auto blend = [&](int32_t x, int32_t y, uint8_t weight) {
        if (weight != 0)
            BlendMemEx(Value, *PixelPtr(x, y), weight);
    };
    BlendMem(Value, *PixelPtr(X1, Y1));
    int32_t x = X1, y = Y1;
    uint32_t fraction = 0;
    const int32_t steps = L ? major : major - 1;
    for (int32_t i = 0; i < steps; ++i) {
        x += majorX;
        y += majorY;
        fraction += gradient;
        if (fraction > 0xFFFF) {
            fraction &= 0xFFFF;
            x += minorX;
            y += minorY;
        }
        const uint32_t e = fraction >> 8;
        blend(x, y, GAMMA_TABLE[e ^ 255]);
        blend(x + minorX, y + minorY, GAMMA_TABLE[e]);
    }
    EMMS();
    Changed();
}

void TBitmap32::LineAS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L)
{
    if (!Empty() && ClipLine(X1, Y1, X2, Y2, 0, 0, Width() - 1, Height() - 1))
        LineA(X1, Y1, X2, Y2, Value, L);
}

// ---- Pen position ------------------------------------------------------------------

void TBitmap32::MoveTo(int32_t X, int32_t Y)
{
    RasterX = X;
    RasterY = Y;
}

void TBitmap32::LineToS(int32_t X, int32_t Y)
{
    LineS(RasterX, RasterY, X, Y, FPenColor);
    MoveTo(X, Y);
}

void TBitmap32::LineToTS(int32_t X, int32_t Y)
{
    LineTS(RasterX, RasterY, X, Y, FPenColor);
    MoveTo(X, Y);
}

void TBitmap32::LineToAS(int32_t X, int32_t Y)
{
    LineAS(RasterX, RasterY, X, Y, FPenColor);
    MoveTo(X, Y);
}

void TBitmap32::MoveToX(TFixed X, TFixed Y)
{
    RasterXF = X;
    RasterYF = Y;
}

void TBitmap32::MoveToF(float X, float Y)
{
    MoveToX(Fixed(X), Fixed(Y));
}

void TBitmap32::LineToXS(TFixed X, TFixed Y)
{
    LineXS(RasterXF, RasterYF, X, Y, FPenColor);
    MoveToX(X, Y);
}

void TBitmap32::LineToFS(float X, float Y)
{
    LineToXS(Fixed(X), Fixed(Y));
}

void TBitmap32::LineToXSP(TFixed X, TFixed Y)
{
    LineXSP(RasterXF, RasterYF, X, Y);
    MoveToX(X, Y);
}

void TBitmap32::LineToFSP(float X, float Y)
{
    LineToXSP(Fixed(X), Fixed(Y));
}

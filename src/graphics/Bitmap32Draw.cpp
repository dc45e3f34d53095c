// Pixels, sub-pixel pixels, the stipple pattern, horizontal and vertical runs and
// rectangles.
#include "graphics/Bitmap32.h"

#include "graphics/Blend32.h"
#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// ---- Pixels -----------------------------------------------------------------------

void TBitmap32::SetPixelT(int32_t X, int32_t Y, TColor32 Value)
{
    BlendMem(Value, *PixelPtr(X, Y));
    EMMS();
}

void TBitmap32::SetPixelT(TColor32*& Ptr, TColor32 Value)
{
    BlendMem(Value, *Ptr);
    EMMS();
    ++Ptr;
}

void TBitmap32::SetPixelTS(int32_t X, int32_t Y, TColor32 Value)
{
    if (X >= 0 && X < Width() && Y >= 0 && Y < Height() && !Empty())
        SetPixelT(X, Y, Value);
}

TColor32 TBitmap32::GetPixelB(int32_t X, int32_t Y) const
{
    return GetPixel(Constrain(X, 0, Width() - 1), Constrain(Y, 0, Height() - 1));
}

namespace {

// The four weights of a sub-pixel pixel at fraction (fx, fy) for a colour of alpha A,
// in the order: the pixel, its right neighbour, the one below the right one, the one
// below. Gamma-corrected so that a colour split between two pixels looks as bright as
// on one.
struct TSubPixelWeights {
    TColor32 W[4];
};

inline TSubPixelWeights SubPixelWeights(int32_t X, int32_t Y, TColor32 Color)
{
    const uint32_t a = Color >> 24;
    const uint32_t fx = uint32_t(X) & 255, fy = uint32_t(Y) & 255;
    const uint32_t left = GAMMA_TABLE[255 - fx], right = GAMMA_TABLE[fx];
    const uint32_t top = GAMMA_TABLE[255 - fy], bottom = GAMMA_TABLE[fy];
    return {{(left * a * top) >> 16, (right * a * top) >> 16, (right * a * bottom) >> 16, (left * a * bottom) >> 16}};
}

constexpr int32_t kSubPixelDx[4] = {0, 1, 1, 0};
constexpr int32_t kSubPixelDy[4] = {0, 0, 1, 1};

} // namespace

// A pixel whose weight is 0 is not touched at all, so a position on the last row or
// column of the bitmap stays inside it.
void TBitmap32::SET_T256(int32_t X, int32_t Y, TColor32 Color)
{
    const TSubPixelWeights weights = SubPixelWeights(X, Y, Color);
    const int32_t x = X >> 8, y = Y >> 8;
    for (int i = 0; i < 4; ++i)
        if (weights.W[i] != 0)
            CombineMem(Color, *PixelPtr(x + kSubPixelDx[i], y + kSubPixelDy[i]), weights.W[i]);
}

void TBitmap32::SET_TS256(int32_t X, int32_t Y, TColor32 Color)
{
    if (Empty() || X < -256 || Y < -256 || (X >> 8) >= Width() || (Y >> 8) >= Height())
        return;
    const TSubPixelWeights weights = SubPixelWeights(X, Y, Color);
    const int32_t x = X >> 8, y = Y >> 8;
    for (int i = 0; i < 4; ++i) {
        const int32_t px = x + kSubPixelDx[i], py = y + kSubPixelDy[i];
        if (weights.W[i] != 0 && px >= 0 && px < Width() && py >= 0 && py < Height())
            CombineMem(Color, *PixelPtr(px, py), weights.W[i]);
    }
}

namespace {

// float pixels to 24.8, to nearest with halves to even.
inline int32_t ToSubPixel(float V)
{
    return int32_t(std::lrint(double(V) * 256.0));
}

// 16.16 to 24.8, to nearest.
inline int32_t FixedToSubPixel(TFixed V)
{
    return int32_t((int64_t(V) + 127) >> 8);
}

} // namespace

void TBitmap32::SetPixelF(float X, float Y, TColor32 Value)
{
    SET_T256(ToSubPixel(X), ToSubPixel(Y), Value);
    EMMS();
}

void TBitmap32::SetPixelFS(float X, float Y, TColor32 Value)
{
    // Tested in double first: a far or NaN position must not wrap into the bitmap.
    const double x = std::nearbyint(double(X) * 256.0), y = std::nearbyint(double(Y) * 256.0);
    if (!(x >= -256.0 && y >= -256.0 && x < double(Width()) * 256.0 && y < double(Height()) * 256.0))
        return;
    SET_TS256(int32_t(x), int32_t(y), Value);
    EMMS();
}

void TBitmap32::SetPixelX(TFixed X, TFixed Y, TColor32 Value)
{
    SET_T256(FixedToSubPixel(X), FixedToSubPixel(Y), Value);
    EMMS();
}

void TBitmap32::SetPixelXS(TFixed X, TFixed Y, TColor32 Value)
{
    SET_TS256(FixedToSubPixel(X), FixedToSubPixel(Y), Value);
    EMMS();
}

// ---- Stipple ----------------------------------------------------------------------

void TBitmap32::SetStipple(const TArrayOfColor32& NewStipple)
{
    FStipplePattern = NewStipple;
    FStippleCounter = 0;
}

namespace {

// The counter brought into 0..Length in one step: subtracting the length in a loop takes
// forever, or changes nothing, once the counter is far beyond it in single precision.
float WrappedStippleCounter(float Counter, float Length)
{
    if (!std::isfinite(Counter))
        return 0;
    Counter -= std::floor(Counter / Length) * Length;
    if (Counter < 0)
        Counter += Length;
    return Counter < Length ? Counter : 0;
}

} // namespace

void TBitmap32::AdvanceStippleCounter(float LengthPixels)
{
    const float delta = LengthPixels * FStippleStep;
    if (FStipplePattern.empty() || delta == 0)
        return;
    FStippleCounter = WrappedStippleCounter(FStippleCounter + delta, float(FStipplePattern.size()));
}

// The counter C lies in 0..length; entry I = round(C - 0.5) (halves to even) and the next
// one are mixed by how far C lies past I. The index is kept inside the pattern whatever
// the counter's rounding does.
TColor32 TBitmap32::GetStippleColor()
{
    if (FStipplePattern.empty())
        return clBlack32;
    const int32_t length = int32_t(FStipplePattern.size());
    FStippleCounter = WrappedStippleCounter(FStippleCounter, float(length));
    int32_t index = int32_t(std::lrint(FStippleCounter - 0.5f));
    const int32_t weight = 255 - int32_t(std::lrint((FStippleCounter - float(index)) * 255.0f));
    if (index < 0)
        FStippleCounter = float(length - 1);
    index = Constrain(index, 0, length - 1);
    const int32_t next = index + 1 < length ? index + 1 : 0;
    TColor32 result = FStipplePattern[size_t(index)];
    if (weight != 255) {
        result = CombineReg(result, FStipplePattern[size_t(next)], TColor32(Constrain(weight, 0, 255)));
        EMMS();
    }
    FStippleCounter += FStippleStep;
    return result;
}

// ---- Horizontal and vertical runs -------------------------------------------------

namespace {

// Value blended onto Count pixels from First on, Stride pixels apart.
void BlendRun(TColor32* First, int32_t Count, int32_t Stride, TColor32 Value)
{
    for (int32_t i = 0; i < Count; ++i, First += Stride)
        BlendMem(Value, *First);
    EMMS();
}

} // namespace

void TBitmap32::HorzLine(int32_t X1, int32_t Y, int32_t X2, TColor32 Value)
{
    TestSwap(X1, X2);
    assert(X1 >= 0 && X2 < Width() && Y >= 0 && Y < Height());
    FillLongword(PixelPtr(X1, Y), X2 - X1 + 1, Value);
}

void TBitmap32::HorzLineS(int32_t X1, int32_t Y, int32_t X2, TColor32 Value)
{
    if (!Empty() && Y >= 0 && Y < Height() && TestClip(X1, X2, Width()))
        HorzLine(X1, Y, X2, Value);
}

void TBitmap32::HorzLineT(int32_t X1, int32_t Y, int32_t X2, TColor32 Value)
{
    if (X2 < X1)
        return;
    assert(X1 >= 0 && X2 < Width() && Y >= 0 && Y < Height());
    BlendRun(PixelPtr(X1, Y), X2 - X1 + 1, 1, Value);
}

void TBitmap32::HorzLineTS(int32_t X1, int32_t Y, int32_t X2, TColor32 Value)
{
    if (!Empty() && Y >= 0 && Y < Height() && TestClip(X1, X2, Width()))
        HorzLineT(X1, Y, X2, Value);
}

void TBitmap32::VertLine(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value)
{
    TestSwap(Y1, Y2);
    assert(X >= 0 && X < Width() && Y1 >= 0 && Y2 < Height());
    TColor32* p = PixelPtr(X, Y1);
    for (int32_t y = Y1; y <= Y2; ++y, p += Width())
        *p = Value;
}

void TBitmap32::VertLineS(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value)
{
    if (!Empty() && X >= 0 && X < Width() && TestClip(Y1, Y2, Height()))
        VertLine(X, Y1, Y2, Value);
}

void TBitmap32::VertLineT(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value)
{
    if (Y2 < Y1)
        return;
    assert(X >= 0 && X < Width() && Y1 >= 0 && Y2 < Height());
    BlendRun(PixelPtr(X, Y1), Y2 - Y1 + 1, Width(), Value);
}

void TBitmap32::VertLineTS(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value)
{
    if (!Empty() && X >= 0 && X < Width() && TestClip(Y1, Y2, Height()))
        VertLineT(X, Y1, Y2, Value);
}

// The run A1 -> A2 (either direction, both ends) along an axis of Size pixels, in
// stipple colours: the part before the bitmap moves the counter on first, the part after
// it last, so the pattern keeps its phase along the run.
template <typename ColorOf>
void TBitmap32::StippleRun(int32_t A1, int32_t A2, int32_t Size, ColorOf&& PlotAt)
{
    if ((A1 < 0 && A2 < 0) || (A1 >= Size && A2 >= Size)) {
        AdvanceStippleCounter(float(std::abs(int64_t(A2) - A1) + 1));
        return;
    }
    const int32_t step = A2 >= A1 ? 1 : -1;
    const int32_t first = Constrain(A1, 0, Size - 1), last = Constrain(A2, 0, Size - 1);
    AdvanceStippleCounter(float(std::abs(int64_t(first) - A1)));
    for (int32_t a = first;; a += step) {
        PlotAt(a);
        if (a == last)
            break;
    }
    AdvanceStippleCounter(float(std::abs(int64_t(A2) - last)));
}

void TBitmap32::HorzLineTSP(int32_t X1, int32_t Y, int32_t X2)
{
    if (Empty() || Y < 0 || Y >= Height())
        return;
    StippleRun(X1, X2, Width(), [&](int32_t x) { SetPixelT(x, Y, GetStippleColor()); });
}

void TBitmap32::VertLineTSP(int32_t X, int32_t Y1, int32_t Y2)
{
    if (Empty() || X < 0 || X >= Width())
        return;
    StippleRun(Y1, Y2, Height(), [&](int32_t y) { SetPixelT(X, y, GetStippleColor()); });
}

// ---- Rectangles ---------------------------------------------------------------------

void TBitmap32::FillRectT(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value)
{
    const TColor32 alpha = Value >> 24;
    if (alpha == 255) {
        FillRect(X1, Y1, X2, Y2, Value);
        return;
    }
    assert(X1 >= 0 && Y1 >= 0 && X2 <= Width() && Y2 <= Height());
    if (alpha != 0) {
        for (int32_t y = Y1; y < Y2; ++y) {
            TColor32* p = PixelPtr(X1, y);
            for (int32_t x = X1; x < X2; ++x, ++p)
                CombineMem(Value, *p, alpha);
        }
        EMMS();
    }
    Changed();
}

namespace {

// The entry test of the clipped rectangle operations: something of the rectangle
// lies on a bitmap of Width x Height.
inline bool RectTouches(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Width, int32_t Height)
{
    return X2 > X1 && Y2 > Y1 && X1 < Width && Y1 < Height && X2 >= 1 && Y2 >= 1;
}

// The outline of columns X1..X2-1 and rows Y1..Y2-1, each pixel once: the top and
// bottom rows whole, the side columns between them.
template <typename Horz, typename Vert>
void DrawFrame(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, Horz&& HorzRun, Vert&& VertRun)
{
    HorzRun(X1, Y1, X2 - 1);
    if (Y2 - 1 > Y1)
        HorzRun(X1, Y2 - 1, X2 - 1);
    if (Y2 - 2 >= Y1 + 1) {
        VertRun(X1, Y1 + 1, Y2 - 2);
        if (X2 - 1 > X1)
            VertRun(X2 - 1, Y1 + 1, Y2 - 2);
    }
}

// The alpha of a raised frame's edge: |Contrast| percent of Scale, limited to 0..255.
inline TColor32 ContrastAlpha(int32_t Contrast, int64_t Scale)
{
    return TColor32(std::min<int64_t>(std::abs(int64_t(Contrast)) * Scale / 100, 255));
}

} // namespace

void TBitmap32::FillRectTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value)
{
    if (Empty() || !RectTouches(X1, Y1, X2, Y2, Width(), Height()))
        return;
    FillRectT(std::max(X1, 0), std::max(Y1, 0), std::min(X2, Width()), std::min(Y2, Height()), Value);
}

void TBitmap32::FrameRectS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value)
{
    if (Empty() || !RectTouches(X1, Y1, X2, Y2, Width(), Height()))
        return;
    DrawFrame(X1, Y1, X2, Y2, [&](int32_t a, int32_t y, int32_t b) { HorzLineS(a, y, b, Value); },
              [&](int32_t x, int32_t a, int32_t b) { VertLineS(x, a, b, Value); });
    Changed();
}

void TBitmap32::FrameRectTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value)
{
    if (Empty() || !RectTouches(X1, Y1, X2, Y2, Width(), Height()))
        return;
    DrawFrame(X1, Y1, X2, Y2, [&](int32_t a, int32_t y, int32_t b) { HorzLineTS(a, y, b, Value); },
              [&](int32_t x, int32_t a, int32_t b) { VertLineTS(x, a, b, Value); });
    Changed();
}

void TBitmap32::FrameRectTSP(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2)
{
    if (Empty() || !RectTouches(X1, Y1, X2, Y2, Width(), Height()))
        return;
    const int32_t right = X2 - 1, bottom = Y2 - 1;
    HorzLineTSP(X1, Y1, right);
    if (bottom > Y1) {
        VertLineTSP(right, Y1 + 1, bottom);
        if (right > X1) {
            HorzLineTSP(right - 1, bottom, X1);
            if (bottom - 1 > Y1)
                VertLineTSP(X1, bottom - 1, Y1 + 1);
        }
    }
    Changed();
}

void TBitmap32::RaiseRectTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Contrast)
{
    if (Contrast == 0 || Empty() || !RectTouches(X1, Y1, X2, Y2, Width(), Height()))
        return;
    const TColor32 light = 0x00FFFFFF | ContrastAlpha(Contrast, 512) << 24;
    const TColor32 dark = ContrastAlpha(Contrast, 255) << 24;
    const TColor32 topLeft = Contrast > 0 ? light : dark;
    const TColor32 bottomRight = Contrast > 0 ? dark : light;
    HorzLineTS(X1, Y1, X2 - 1, topLeft);
    HorzLineTS(X1, Y2 - 1, X2 - 1, bottomRight);
    if (Y2 - 2 >= Y1 + 1) {
        VertLineTS(X1, Y1 + 1, Y2 - 2, topLeft);
        VertLineTS(X2 - 1, Y1 + 1, Y2 - 2, bottomRight);
    }
    Changed();
}

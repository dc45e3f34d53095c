#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

const bool USE_THEMES = false;
const HTHEME SCROLLBAR_THEME = nullptr;
const HTHEME GLOBALS_THEME = nullptr;

void FillLongword(uint32_t* Dest, int32_t Count, uint32_t Value)
{
    if (Count > 0)
        std::fill_n(Dest, Count, Value);
}

void MoveLongword(const uint32_t* Source, uint32_t* Dest, int32_t Count)
{
    if (Count < 1 || Source == Dest)
        return;
    // memmove, so that an overlapping move (a roll of the pixel array) stays defined.
    std::memmove(Dest, Source, size_t(Count) * sizeof(uint32_t));
}

bool TestClip(int32_t& A, int32_t& B, int32_t Size)
{
    TestSwap(A, B);
    if (A < 0)
        A = 0;
    if (B >= Size)
        B = Size - 1;
    return B >= A;
}

TColor32 ColorSwap(TColor WinColor)
{
    const uint32_t c = uint32_t(WinColor);
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int32_t MulDiv(int32_t A, int32_t B, int32_t D)
{
    if (D == 0)
        return -1;
    const bool negative = ((A < 0) != (B < 0)) != (D < 0);
    const uint64_t product = uint64_t(std::llabs(int64_t(A))) * uint64_t(std::llabs(int64_t(B)));
    const uint64_t divisor = uint64_t(std::llabs(int64_t(D)));
    uint64_t quotient = product / divisor;
    if ((product % divisor) * 2 >= divisor)
        ++quotient;
    const uint64_t limit = negative ? uint64_t(1) << 31 : (uint64_t(1) << 31) - 1;
    if (quotient > limit)
        return -1;
    return negative ? int32_t(-int64_t(quotient)) : int32_t(quotient);
}

namespace {

// Cohen-Sutherland outcode bits.
enum : int { kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };

int OutcodeX(int32_t X, int32_t MinX, int32_t MaxX)
{
    return X < MinX ? kLeft : (X > MaxX ? kRight : 0);
}

int Outcode(int32_t X, int32_t Y, int32_t MinX, int32_t MinY, int32_t MaxX, int32_t MaxY)
{
    return OutcodeX(X, MinX, MaxX) | (Y < MinY ? kAbove : (Y > MaxY ? kBelow : 0));
}

// Moves the end (X, Y) along the segment towards (OtherX, OtherY) onto the row of its
// vertical outcode bit; the code is then recomputed from X alone.
void ClipEndVertically(int32_t& X, int32_t& Y, int& Code, int32_t OtherX, int32_t OtherY,
                       int32_t MinX, int32_t MinY, int32_t MaxX, int32_t MaxY)
{
    const int32_t row = Code < kBelow ? MinY : MaxY;
    X += MulDiv(row - Y, OtherX - X, OtherY - Y);
    Y = row;
    Code = OutcodeX(X, MinX, MaxX);
}

void ClipEndHorizontally(int32_t& X, int32_t& Y, int& Code, int32_t OtherX, int32_t OtherY,
                         int32_t MinX, int32_t MaxX)
{
    const int32_t column = Code == kLeft ? MinX : MaxX;
    Y += MulDiv(column - X, OtherY - Y, OtherX - X);
    X = column;
    Code = 0;
}

} // namespace

bool ClipLine(int32_t& X1, int32_t& Y1, int32_t& X2, int32_t& Y2,
              int32_t MinX, int32_t MinY, int32_t MaxX, int32_t MaxY)
{
    int c1 = Outcode(X1, Y1, MinX, MinY, MaxX, MaxY);
    int c2 = Outcode(X2, Y2, MinX, MinY, MaxX, MaxY);
    if ((c1 & c2) != 0 || (c1 | c2) == 0)
        return (c1 | c2) == 0;

    if (c1 & (kAbove | kBelow))
        ClipEndVertically(X1, Y1, c1, X2, Y2, MinX, MinY, MaxX, MaxY);
    if (c2 & (kAbove | kBelow))
        ClipEndVertically(X2, Y2, c2, X1, Y1, MinX, MinY, MaxX, MaxY);

    if ((c1 & c2) == 0 && (c1 | c2) != 0) {
        if (c1 != 0)
            ClipEndHorizontally(X1, Y1, c1, X2, Y2, MinX, MaxX);
        if (c2 != 0)
            ClipEndHorizontally(X2, Y2, c2, X1, Y1, MinX, MaxX);
    }
    return (c1 | c2) == 0;
}

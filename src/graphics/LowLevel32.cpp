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

using Wide = __int128;

// A parameter along a segment, Num / Den with Den > 0, compared exactly.
struct Ratio {
    int64_t num, den;
};

bool Less(Ratio a, Ratio b)
{
    return Wide(a.num) * b.den < Wide(b.num) * a.den;
}

// N / D rounded to nearest, a remainder of at least half of |D| away from zero (the
// rounding of MulDiv).
int64_t RoundedQuotient(Wide N, int64_t D)
{
    Wide quotient = N / D;
    const Wide remainder = N % D;
    if ((remainder < 0 ? -remainder : remainder) * 2 >= (D < 0 ? -Wide(D) : Wide(D)))
        quotient += ((N < 0) != (D < 0)) ? -1 : 1;
    return int64_t(quotient);
}

// Moves (X, Y) along the segment towards (OtherX, OtherY) to where the segment enters
// the window; false when the segment misses the window. The entry is exact: the edge
// coordinate is the window's, the other one the exact crossing rounded as MulDiv rounds
// an offset from (X, Y). So the result depends only on the line and on which side the
// end lies, never on how far away the end is.
bool MoveEndIntoWindow(int64_t& X, int64_t& Y, int64_t OtherX, int64_t OtherY, int64_t MinX, int64_t MinY,
                       int64_t MaxX, int64_t MaxY)
{
    const int64_t dx = OtherX - X, dy = OtherY - Y;
    Ratio enter{0, 1}, exit{1, 1};
    int enteredOn = -1; // 0: a vertical edge, 1: a horizontal edge, -1: the end is inside
    // Narrows [enter, exit] to the parameters whose coordinate lies in Lo..Hi.
    auto limit = [&](int64_t p, int64_t d, int64_t lo, int64_t hi, int axis) {
        if (d == 0)
            return p >= lo && p <= hi;
        const Ratio in = d > 0 ? Ratio{lo - p, d} : Ratio{p - hi, -d};
        const Ratio out = d > 0 ? Ratio{hi - p, d} : Ratio{p - lo, -d};
        if (Less(enter, in)) {
            enter = in;
            enteredOn = axis;
        }
        if (Less(out, exit))
            exit = out;
        return true;
    };
    if (!limit(X, dx, MinX, MaxX, 0) || !limit(Y, dy, MinY, MaxY, 1) || Less(exit, enter))
        return false;
    if (enteredOn == 0) {
        const int64_t edge = dx > 0 ? MinX : MaxX;
        Y += RoundedQuotient(Wide(edge - X) * dy, dx);
        X = edge;
    } else if (enteredOn == 1) {
        const int64_t edge = dy > 0 ? MinY : MaxY;
        X += RoundedQuotient(Wide(edge - Y) * dx, dy);
        Y = edge;
    }
    return true;
}

} // namespace

bool ClipLine64(int64_t& X1, int64_t& Y1, int64_t& X2, int64_t& Y2, int64_t MinX, int64_t MinY, int64_t MaxX,
                int64_t MaxY)
{
    int64_t x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    // Each end from the original segment, so that neither inherits the other's rounding.
    if (!MoveEndIntoWindow(x1, y1, X2, Y2, MinX, MinY, MaxX, MaxY) ||
        !MoveEndIntoWindow(x2, y2, X1, Y1, MinX, MinY, MaxX, MaxY))
        return false;
    X1 = x1, Y1 = y1, X2 = x2, Y2 = y2;
    return true;
}

bool ClipLine(int32_t& X1, int32_t& Y1, int32_t& X2, int32_t& Y2, int32_t MinX, int32_t MinY, int32_t MaxX,
              int32_t MaxY)
{
    int64_t x1 = X1, y1 = Y1, x2 = X2, y2 = Y2;
    if (!ClipLine64(x1, y1, x2, y2, MinX, MinY, MaxX, MaxY))
        return false;
    // A clipped end lies between the original ends, so it fits in 32 bits.
    X1 = int32_t(x1), Y1 = int32_t(y1), X2 = int32_t(x2), Y2 = int32_t(y2);
    return true;
}

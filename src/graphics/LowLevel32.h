#pragma once
// Small integer routines shared by the bitmap code, the image control and the
// transfers, and the exact line clipper.
#include "graphics/Color32.h"

#include <cmath>
#include <cstdint>
#include <limits>

// Value limited to 0..255.
inline int32_t Clamp(int32_t Value)
{
    return Value < 0 ? 0 : (Value > 255 ? 255 : Value);
}

// Rounded to nearest (halves to even) and limited to the 32-bit range; NaN gives 0.
inline int32_t RoundSaturated(double Value)
{
    if (std::isnan(Value))
        return 0;
    if (Value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (Value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return int32_t(std::nearbyint(Value));
}

// Limited to the 32-bit range: sums and differences of 32-bit values saturate through it.
inline int32_t Saturated(int64_t Value)
{
    return Value < std::numeric_limits<int32_t>::min()   ? std::numeric_limits<int32_t>::min()
           : Value > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                           : int32_t(Value);
}

inline int32_t Constrain(int32_t Value, int32_t Lo, int32_t Hi)
{
    return Value < Lo ? Lo : (Value > Hi ? Hi : Value);
}

// Writes Value into Count successive words; nothing when Count < 1.
void FillLongword(uint32_t* Dest, int32_t Count, uint32_t Value);

// Copies Count words from Source to Dest; nothing when Count < 1 or the addresses are
// equal. Overlapping areas are moved as by memmove.
void MoveLongword(const uint32_t* Source, uint32_t* Dest, int32_t Count);

inline void Swap(int32_t& A, int32_t& B)
{
    const int32_t t = A;
    A = B;
    B = t;
}

// Afterwards A <= B.
inline void TestSwap(int32_t& A, int32_t& B)
{
    if (A > B)
        Swap(A, B);
}

// Orders A and B and limits them to 0..Size-1; true when something of the span is left.
bool TestClip(int32_t& A, int32_t& B, int32_t Size);

// Arithmetic right shifts (rounding toward minus infinity for negative values).
inline int32_t SAR_4(int32_t Value) { return Value >> 4; }
inline int32_t SAR_8(int32_t Value) { return Value >> 8; }
inline int32_t SAR_9(int32_t Value) { return Value >> 9; }
inline int32_t SAR_12(int32_t Value) { return Value >> 12; }
inline int32_t SAR_13(int32_t Value) { return Value >> 13; }
inline int32_t SAR_14(int32_t Value) { return Value >> 14; }
inline int32_t SAR_16(int32_t Value) { return Value >> 16; }

// A platform colour (0x00BBGGRR) as an opaque TColor32, without the system-colour lookup.
TColor32 ColorSwap(TColor WinColor);

// A * B / D through a 64-bit product, rounded to nearest with halves away from zero.
// Returns -1 when D is 0 or the rounded quotient does not fit in 32 bits.
int32_t MulDiv(int32_t A, int32_t B, int32_t D);

// Clips the segment (X1, Y1)-(X2, Y2) to the inclusive window MinX..MaxX, MinY..MaxY.
// Returns true when the segment touches the window; an end outside is then moved to where
// the segment enters it: onto the edge it crosses, the other coordinate the exact crossing
// rounded to nearest (halves away from the end). Computed exactly, whatever the distance
// of the ends. When false the ends are left as they were.
bool ClipLine(int32_t& X1, int32_t& Y1, int32_t& X2, int32_t& Y2,
              int32_t MinX, int32_t MinY, int32_t MaxX, int32_t MaxY);
// The same for coordinates of magnitude below 2^60.
bool ClipLine64(int64_t& X1, int64_t& Y1, int64_t& X2, int64_t& Y2, int64_t MinX, int64_t MinY, int64_t MaxX,
                int64_t MaxY);

// Themed drawing of scroll-bar parts. This platform has no theme library, so
// USE_THEMES stays false and both handles stay empty; callers draw without themes.
using HTHEME = void*;
extern const bool USE_THEMES;
extern const HTHEME SCROLLBAR_THEME;
extern const HTHEME GLOBALS_THEME;

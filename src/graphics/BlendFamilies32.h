#pragma once
// The two implementations behind the blend pointers of Blend32.h. Both mix alpha the
// same way as red, green and blue; they differ in rounding and in their short cuts.
//
// Integer family: a colour is split into two lanes, RB = c & 0x00FF00FF and
// AG = (c & 0xFF00FF00) >> 8, so that each channel has 16 bits of room:
//   lane * W + 0x00800080, masked with 0xFF00FF00 = per channel (c * W + 128) >> 8.
// A mix is (X * W + 128) >> 8 + (Y * (255 - W) + 128) >> 8 per channel (two roundings).
//
// SIMD family: each channel in a 16-bit lane; per channel
//   (B * 256 + (F - B) * w + 128) >> 8        (one rounding)
// which always lies in 0..255, so the 16-bit lane arithmetic is exact.
#include "graphics/Blend32.h"

// One implementation of the eight operations, in the order of the pointers.
struct TBlendFamily {
    TCombineReg CombineReg;
    TCombineMem CombineMem;
    TBlendReg BlendReg;
    TBlendMem BlendMem;
    TBlendRegEx BlendRegEx;
    TBlendMemEx BlendMemEx;
    TBlendLine BlendLine;
    TBlendLineEx BlendLineEx;
};

extern const TBlendFamily IntegerBlendFamily;

// The SIMD family, or null on processors (or builds) without SSE2.
const TBlendFamily* SimdBlendFamily();

// The short cuts the Mem forms of both families share around their own mix: a weight of
// 0 (in its low 16 bits) leaves B, 255 copies F. BlendMem is this with F's alpha.
template <TColor32 (*Mix)(TColor32 F, TColor32 B, TColor32 W)>
inline void CombineMemBy(TColor32 F, TColor32& B, TColor32 W)
{
    if ((W & 0xFFFF) == 0)
        return;
    B = W == 255 ? F : Mix(F, B, W);
}

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
#include "graphics/Color32.h"

#include <cstdint>

namespace blend_integer {

TColor32 CombineReg(TColor32 X, TColor32 Y, TColor32 W);
void CombineMem(TColor32 F, TColor32& B, TColor32 W);
TColor32 BlendReg(TColor32 F, TColor32 B);
void BlendMem(TColor32 F, TColor32& B);
TColor32 BlendRegEx(TColor32 F, TColor32 B, TColor32 M);
void BlendMemEx(TColor32 F, TColor32& B, TColor32 M);
void BlendLine(const TColor32* Src, TColor32* Dst, int32_t Count);
void BlendLineEx(const TColor32* Src, TColor32* Dst, int32_t Count, TColor32 M);

} // namespace blend_integer

namespace blend_simd {

// False on processors (or builds) without SSE2; the functions must not be called then.
bool Available();

TColor32 CombineReg(TColor32 X, TColor32 Y, TColor32 W);
void CombineMem(TColor32 F, TColor32& B, TColor32 W);
TColor32 BlendReg(TColor32 F, TColor32 B);
void BlendMem(TColor32 F, TColor32& B);
TColor32 BlendRegEx(TColor32 F, TColor32 B, TColor32 M);
void BlendMemEx(TColor32 F, TColor32& B, TColor32 M);
void BlendLine(const TColor32* Src, TColor32* Dst, int32_t Count);
void BlendLineEx(const TColor32* Src, TColor32* Dst, int32_t Count, TColor32 M);

} // namespace blend_simd

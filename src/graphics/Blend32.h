#pragma once
// Alpha compositing of TColor32 pixels through process-wide operation pointers, chosen
// once at start-up between the integer family and the SIMD family (see BlendFamilies32.h),
// and the per-channel colour operations that need no alpha.
//
// Arguments: F foreground (source), B background (destination), W weight 0..255
// (255 = all F), M master alpha 0..255. Reg forms return the result; Mem forms store it in B.
#include "graphics/Color32.h"

#include <cstdint>

using TCombineReg = TColor32 (*)(TColor32 X, TColor32 Y, TColor32 W);
using TCombineMem = void (*)(TColor32 F, TColor32& B, TColor32 W);
using TBlendReg = TColor32 (*)(TColor32 F, TColor32 B);
using TBlendMem = void (*)(TColor32 F, TColor32& B);
using TBlendRegEx = TColor32 (*)(TColor32 F, TColor32 B, TColor32 M);
using TBlendMemEx = void (*)(TColor32 F, TColor32& B, TColor32 M);
using TBlendLine = void (*)(const TColor32* Src, TColor32* Dst, int32_t Count);
using TBlendLineEx = void (*)(const TColor32* Src, TColor32* Dst, int32_t Count, TColor32 M);

// True when the processor has the SIMD extension the second family needs; the pointers
// then hold that family. Set at start-up, read-only afterwards.
extern bool MMX_ACTIVE;

extern TCombineReg CombineReg;
extern TCombineMem CombineMem;
extern TBlendReg BlendReg;
extern TBlendMem BlendMem;
extern TBlendRegEx BlendRegEx;
extern TBlendMemEx BlendMemEx;
extern TBlendLine BlendLine;
extern TBlendLineEx BlendLineEx;

// Called once after any run of the operations above. The SIMD family works in SSE
// registers, which do not share state with the floating-point unit, so there is
// nothing to reset; the call stays so that callers keep one protocol.
inline void EMMS() {}

// The processor reports the identification instruction, a family of at least 5 and the
// MMX feature bit.
bool HasMMX();

// Per channel, alpha included: C1 + C2 limited to 255; C1 - C2 limited to 0;
// (C1 * C2) >> 8; the larger; the smaller.
TColor32 ColorAdd(TColor32 C1, TColor32 C2);
TColor32 ColorSub(TColor32 C1, TColor32 C2);
TColor32 ColorModulate(TColor32 C1, TColor32 C2);
TColor32 ColorMax(TColor32 C1, TColor32 C2);
TColor32 ColorMin(TColor32 C1, TColor32 C2);

// Amount added to red, green and blue, each limited to 0..255; alpha kept.
TColor32 Lighten(TColor32 Color, int32_t Amount);

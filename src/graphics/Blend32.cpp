#include "graphics/Blend32.h"

#include "graphics/BlendFamilies32.h"
#include "platform/CpuFeatures.h"

// The pointers start on the integer family (constant-initialised, so they are usable
// at any point of start-up) and are switched once by the start-up choice below.
bool MMX_ACTIVE = false;
TCombineReg CombineReg = blend_integer::CombineReg;
TCombineMem CombineMem = blend_integer::CombineMem;
TBlendReg BlendReg = blend_integer::BlendReg;
TBlendMem BlendMem = blend_integer::BlendMem;
TBlendRegEx BlendRegEx = blend_integer::BlendRegEx;
TBlendMemEx BlendMemEx = blend_integer::BlendMemEx;
TBlendLine BlendLine = blend_integer::BlendLine;
TBlendLineEx BlendLineEx = blend_integer::BlendLineEx;

bool HasMMX()
{
    return platform::QueryCpuFeatures().mmx;
}

namespace {

// Unit start-up: the SIMD family needs SSE2 on top of what the feature query calls MMX.
bool ChooseBlendFamily()
{
    MMX_ACTIVE = HasMMX() && blend_simd::Available() && platform::QueryCpuFeatures().sse2;
    if (MMX_ACTIVE) {
        CombineReg = blend_simd::CombineReg;
        CombineMem = blend_simd::CombineMem;
        BlendReg = blend_simd::BlendReg;
        BlendMem = blend_simd::BlendMem;
        BlendRegEx = blend_simd::BlendRegEx;
        BlendMemEx = blend_simd::BlendMemEx;
        BlendLine = blend_simd::BlendLine;
        BlendLineEx = blend_simd::BlendLineEx;
    }
    return MMX_ACTIVE;
}

[[maybe_unused]] const bool kBlendFamilyChosen = ChooseBlendFamily();

// Applies `op` to each of the four channels of C1 and C2 (each 0..255) and reassembles.
template <typename Op>
inline TColor32 PerChannel(TColor32 C1, TColor32 C2, Op op)
{
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int32_t a = int32_t((C1 >> shift) & 0xFF);
        const int32_t b = int32_t((C2 >> shift) & 0xFF);
        result |= TColor32(op(a, b)) << shift;
    }
    return result;
}

inline int32_t Limit255(int32_t v)
{
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

} // namespace

TColor32 ColorAdd(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](int32_t a, int32_t b) { return Limit255(a + b); });
}

TColor32 ColorSub(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](int32_t a, int32_t b) { return Limit255(a - b); });
}

TColor32 ColorModulate(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](int32_t a, int32_t b) { return (a * b) >> 8; });
}

TColor32 ColorMax(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](int32_t a, int32_t b) { return a > b ? a : b; });
}

TColor32 ColorMin(TColor32 C1, TColor32 C2)
{
    return PerChannel(C1, C2, [](int32_t a, int32_t b) { return a < b ? a : b; });
}

TColor32 Lighten(TColor32 Color, int32_t Amount)
{
    const TColor32 rgb = PerChannel(Color & 0x00FFFFFFu, 0, [Amount](int32_t a, int32_t) { return Limit255(a + Amount); });
    return (Color & 0xFF000000u) | (rgb & 0x00FFFFFFu);
}

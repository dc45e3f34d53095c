#include "graphics/Blend32.h"

#include "graphics/BlendFamilies32.h"
#include "platform/CpuFeatures.h"

// The pointers start on the integer family and are switched once by the start-up choice
// below, before main runs.
bool MMX_ACTIVE = false;
TCombineReg CombineReg = IntegerBlendFamily.CombineReg;
TCombineMem CombineMem = IntegerBlendFamily.CombineMem;
TBlendReg BlendReg = IntegerBlendFamily.BlendReg;
TBlendMem BlendMem = IntegerBlendFamily.BlendMem;
TBlendRegEx BlendRegEx = IntegerBlendFamily.BlendRegEx;
TBlendMemEx BlendMemEx = IntegerBlendFamily.BlendMemEx;
TBlendLine BlendLine = IntegerBlendFamily.BlendLine;
TBlendLineEx BlendLineEx = IntegerBlendFamily.BlendLineEx;

bool HasMMX()
{
    return platform::QueryCpuFeatures().mmx;
}

namespace {

// Unit start-up: the SIMD family needs SSE2 on top of what the feature query calls MMX.
bool ChooseBlendFamily()
{
    const TBlendFamily* simd = SimdBlendFamily();
    MMX_ACTIVE = simd != nullptr && HasMMX() && platform::QueryCpuFeatures().sse2;
    const TBlendFamily& family = MMX_ACTIVE ? *simd : IntegerBlendFamily;
    CombineReg = family.CombineReg;
    CombineMem = family.CombineMem;
    BlendReg = family.BlendReg;
    BlendMem = family.BlendMem;
    BlendRegEx = family.BlendRegEx;
    BlendMemEx = family.BlendMemEx;
    BlendLine = family.BlendLine;
    BlendLineEx = family.BlendLineEx;
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

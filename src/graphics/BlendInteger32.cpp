#include "graphics/BlendFamilies32.h"

// The operations live in a namespace of their own: their names are those of the pointers.
namespace blend_integer {
namespace {

// Per channel (c * W + 128) >> 8, left in the high byte of each 16-bit lane.
//   RB lane: [00000000][RRRRRRRR][00000000][BBBBBBBB]
//   AG lane: [00000000][AAAAAAAA][00000000][GGGGGGGG]
inline uint32_t ScaleLaneHigh(uint32_t lane, uint32_t W)
{
    return (lane * W + 0x00800080u) & 0xFF00FF00u;
}

// X weighted W plus Y weighted 255 - W, each channel rounded on its own; the two parts
// of one channel never sum above 255, so no lane overflows into its neighbour.
inline TColor32 Mix(TColor32 X, TColor32 Y, TColor32 W)
{
    const uint32_t V = 255 - W;
    const uint32_t rb = ScaleLaneHigh(X & 0x00FF00FFu, W) + ScaleLaneHigh(Y & 0x00FF00FFu, V);
    const uint32_t ag = ScaleLaneHigh((X >> 8) & 0x00FF00FFu, W) + ScaleLaneHigh((Y >> 8) & 0x00FF00FFu, V);
    return (rb >> 8) | ag;
}

// Master alpha applied to the source alpha, as the Ex forms of one pixel weigh it.
inline TColor32 MasterWeight(TColor32 A, TColor32 M)
{
    return ((M + 1) * A) >> 8;
}

} // namespace

TColor32 CombineReg(TColor32 X, TColor32 Y, TColor32 W)
{
    if ((W & 0xFFFF) == 0)
        return Y;
    if (W == 255)
        return X;
    return Mix(X, Y, W);
}

void CombineMem(TColor32 F, TColor32& B, TColor32 W)
{
    CombineMemBy<Mix>(F, B, W);
}

TColor32 BlendReg(TColor32 F, TColor32 B)
{
    const TColor32 A = F >> 24;
    if (A == 0)
        return B;
    return A == 255 ? F : Mix(F, B, A);
}

void BlendMem(TColor32 F, TColor32& B)
{
    CombineMemBy<Mix>(F, B, F >> 24);
}

TColor32 BlendRegEx(TColor32 F, TColor32 B, TColor32 M)
{
    const TColor32 W = MasterWeight(F >> 24, M);
    return W == 0 ? B : Mix(F, B, W);
}

void BlendMemEx(TColor32 F, TColor32& B, TColor32 M)
{
    B = BlendRegEx(F, B, M);
}

void BlendLine(const TColor32* Src, TColor32* Dst, int32_t Count)
{
    for (int32_t i = 0; i < Count; ++i) {
        const TColor32 F = Src[i];
        const TColor32 A = F >> 24;
        if (A == 255)
            Dst[i] = F;
        else if (A != 0)
            Dst[i] = Mix(F, Dst[i], A);
    }
}

void BlendLineEx(const TColor32* Src, TColor32* Dst, int32_t Count, TColor32 M)
{
    for (int32_t i = 0; i < Count; ++i)
        BlendMemEx(Src[i], Dst[i], M);
}

} // namespace blend_integer

const TBlendFamily IntegerBlendFamily{
    blend_integer::CombineReg, blend_integer::CombineMem, blend_integer::BlendReg,  blend_integer::BlendMem,
    blend_integer::BlendRegEx, blend_integer::BlendMemEx, blend_integer::BlendLine, blend_integer::BlendLineEx};

// The SIMD blend family, written with SSE2 (present on every x86-64 processor).
//
// A pixel is unpacked into four 16-bit lanes of an XMM register (two pixels per
// register in the line loops):
//   [00000000 BBBBBBBB] [00000000 GGGGGGGG] [00000000 RRRRRRRR] [00000000 AAAAAAAA]
// and every lane, alpha included, is mixed as (B * 256 + (F - B) * w + 128) >> 8. The
// product wraps in 16 bits but the whole sum lies in 0..65535, so the logical shift
// gives the exact value in 0..255.
#include "graphics/BlendFamilies32.h"

#include <cassert>

#if defined(__SSE2__)
#include <emmintrin.h>

namespace blend_simd {
namespace {

// Weight table: entry w holds w in all eight 16-bit lanes (two pixels' worth).
struct alignas(16) WeightTable {
    uint16_t lanes[256][8];
};

constexpr WeightTable MakeWeightTable()
{
    WeightTable table{};
    for (int w = 0; w < 256; ++w)
        for (int lane = 0; lane < 8; ++lane)
            table.lanes[w][lane] = uint16_t(w);
    return table;
}

constexpr WeightTable kWeights = MakeWeightTable();

inline __m128i Weight(TColor32 W)
{
    assert(W <= 255);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(kWeights.lanes[W]));
}

// Entry 128: the rounding bias.
inline __m128i Bias()
{
    return Weight(128);
}

inline __m128i Unpack(TColor32 c)
{
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(c)), _mm_setzero_si128());
}

inline TColor32 Pack(__m128i lanes)
{
    return TColor32(_mm_cvtsi128_si32(_mm_packus_epi16(lanes, lanes)));
}

// Per lane (b * 256 + (f - b) * w + bias) >> 8.
inline __m128i MixLanes(__m128i f, __m128i b, __m128i w, __m128i bias)
{
    const __m128i product = _mm_mullo_epi16(_mm_sub_epi16(f, b), w);
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(b, 8), product), bias), 8);
}

inline TColor32 Mix(TColor32 F, TColor32 B, TColor32 W)
{
    return Pack(MixLanes(Unpack(F), Unpack(B), Weight(W), Bias()));
}

// Copies each pixel's alpha lane (lane 3 of each half) into its other three lanes.
inline __m128i BroadcastAlphaLanes(__m128i unpacked)
{
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(unpacked, 0xFF), 0xFF);
}

// Copies the low 16 bits of each 32-bit element into all four lanes of its pixel:
// elements [w0 w1 w2 w3] become the pair of registers {w0 x4, w1 x4} and {w2 x4, w3 x4}.
inline void BroadcastWeights(__m128i weights32, __m128i& low, __m128i& high)
{
    const __m128i doubled = _mm_or_si128(weights32, _mm_slli_epi32(weights32, 16));
    low = _mm_unpacklo_epi32(doubled, doubled);
    high = _mm_unpackhi_epi32(doubled, doubled);
}

// Four pixels at once: the mix of s over d with per-pixel weights (already broadcast).
inline __m128i MixFour(__m128i s, __m128i d, __m128i wLow, __m128i wHigh, __m128i bias)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = MixLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), wLow, bias);
    const __m128i high = MixLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), wHigh, bias);
    return _mm_packus_epi16(low, high);
}

} // namespace

bool Available()
{
    return true;
}

TColor32 CombineReg(TColor32 X, TColor32 Y, TColor32 W)
{
    return Mix(X, Y, W);
}

void CombineMem(TColor32 F, TColor32& B, TColor32 W)
{
    if ((W & 0xFFFF) == 0)
        return;
    B = W == 255 ? F : Mix(F, B, W);
}

TColor32 BlendReg(TColor32 F, TColor32 B)
{
    const __m128i f = Unpack(F);
    return Pack(MixLanes(f, Unpack(B), _mm_shufflelo_epi16(f, 0xFF), Bias()));
}

void BlendMem(TColor32 F, TColor32& B)
{
    const TColor32 A = F >> 24;
    if (A == 0)
        return;
    B = A == 255 ? F : Mix(F, B, A);
}

TColor32 BlendRegEx(TColor32 F, TColor32 B, TColor32 M)
{
    const TColor32 W = ((M + 1) * (F >> 24)) >> 8;
    return W == 0 ? B : Mix(F, B, W);
}

void BlendMemEx(TColor32 F, TColor32& B, TColor32 M)
{
    B = BlendRegEx(F, B, M);
}

// Transparent source pixels (alpha 0) come out of the mix unchanged, so only opaque
// ones need their own rule (a plain copy); blocks of four wholly transparent or wholly
// opaque pixels skip the arithmetic.
void BlendLine(const TColor32* Src, TColor32* Dst, int32_t Count)
{
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias = Bias();
    int32_t i = 0;
    for (; i + 4 <= Count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
        const __m128i alpha = _mm_and_si128(s, alphaMask);
        const __m128i opaque = _mm_cmpeq_epi32(alpha, alphaMask);
        const int opaqueBits = _mm_movemask_epi8(opaque);
        if (opaqueBits == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), s);
            continue;
        }
        if (opaqueBits == 0 && _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF)
            continue;
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + i));
        const __m128i sLow = _mm_unpacklo_epi8(s, zero);
        const __m128i sHigh = _mm_unpackhi_epi8(s, zero);
        const __m128i low = MixLanes(sLow, _mm_unpacklo_epi8(d, zero), BroadcastAlphaLanes(sLow), bias);
        const __m128i high = MixLanes(sHigh, _mm_unpackhi_epi8(d, zero), BroadcastAlphaLanes(sHigh), bias);
        const __m128i mixed = _mm_packus_epi16(low, high);
        const __m128i result = _mm_or_si128(_mm_and_si128(opaque, s), _mm_andnot_si128(opaque, mixed));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), result);
    }
    for (; i < Count; ++i)
        BlendMem(Src[i], Dst[i]);
}

// The weight of each pixel is ((A + 1) * M) >> 8; a weight of 0 leaves the destination
// as it is, which the mix itself gives, so the loop needs no per-pixel branches.
void BlendLineEx(const TColor32* Src, TColor32* Dst, int32_t Count, TColor32 M)
{
    const __m128i master = _mm_set1_epi32(int(M));
    const __m128i one = _mm_set1_epi32(1);
    const __m128i bias = Bias();
    int32_t i = 0;
    for (; i + 4 <= Count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
        const __m128i alpha = _mm_srli_epi32(s, 24);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128())) == 0xFFFF)
            continue;
        const __m128i weights = _mm_srli_epi32(_mm_mullo_epi16(_mm_add_epi32(alpha, one), master), 8);
        __m128i wLow, wHigh;
        BroadcastWeights(weights, wLow, wHigh);
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), MixFour(s, d, wLow, wHigh, bias));
    }
    for (; i < Count; ++i) {
        const TColor32 A = Src[i] >> 24;
        const TColor32 W = ((A + 1) * M) >> 8;
        if (A != 0 && W != 0)
            Dst[i] = Mix(Src[i], Dst[i], W);
    }
}

} // namespace blend_simd

#else // no SSE2: the integer family serves

namespace blend_simd {

bool Available()
{
    return false;
}

// Never chosen without SSE2; reaching one of these is a bug in the start-up choice.
TColor32 CombineReg(TColor32, TColor32 Y, TColor32) { assert(false); return Y; }
void CombineMem(TColor32, TColor32&, TColor32) { assert(false); }
TColor32 BlendReg(TColor32, TColor32 B) { assert(false); return B; }
void BlendMem(TColor32, TColor32&) { assert(false); }
TColor32 BlendRegEx(TColor32, TColor32 B, TColor32) { assert(false); return B; }
void BlendMemEx(TColor32, TColor32&, TColor32) { assert(false); }
void BlendLine(const TColor32*, TColor32*, int32_t) { assert(false); }
void BlendLineEx(const TColor32*, TColor32*, int32_t, TColor32) { assert(false); }

} // namespace blend_simd

#endif

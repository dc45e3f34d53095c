// The SIMD blend family, written with SSE2 (present on every x86-64 processor).
//
// A single pixel is unpacked into four 16-bit lanes of an XMM register (the line loops
// use another split, see MixFour):
//   [00000000 BBBBBBBB] [00000000 GGGGGGGG] [00000000 RRRRRRRR] [00000000 AAAAAAAA]
// and every lane, alpha included, is mixed as (B * 256 + (F - B) * w + 128) >> 8. The
// product wraps in 16 bits but the whole sum lies in 0..65535, so the logical shift
// gives the exact value in 0..255.
#include "graphics/BlendFamilies32.h"

#include <cassert>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>

// The operations live in a namespace of their own: their names are those of the pointers.
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

// Four pixels at once, each split into two registers of 16-bit lanes:
//   RB = c & 0x00FF00FF          lanes [00000000 BBBBBBBB] [00000000 RRRRRRRR] per pixel
//   AG = c >> 8 per 16-bit lane   lanes [00000000 GGGGGGGG] [00000000 AAAAAAAA]
// Both lanes of a pixel hold its weight w. The RB result is shifted back into the low
// bytes, the AG result is masked in the high bytes, so no unpacking or packing is needed.
inline __m128i MixFour(__m128i s, __m128i d, __m128i w, __m128i bias)
{
    const __m128i lowBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i dRB = _mm_and_si128(d, lowBytes);
    const __m128i dAG = _mm_srli_epi16(d, 8);
    const __m128i rb = MixLanes(_mm_and_si128(s, lowBytes), dRB, w, bias);
    const __m128i ag = _mm_add_epi16(_mm_add_epi16(_mm_slli_epi16(dAG, 8),
                                                   _mm_mullo_epi16(_mm_sub_epi16(_mm_srli_epi16(s, 8), dAG), w)),
                                     bias);
    return _mm_or_si128(rb, _mm_andnot_si128(lowBytes, ag));
}

// Each pixel's alpha in both of its 16-bit lanes, taken from the AG lanes (A is lane 1);
// an alpha of 255 becomes 256, with which the mix gives F exactly:
// (B * 256 + (F - B) * 256 + 128) >> 8 = F. That is the copy an opaque pixel needs.
inline __m128i BlendLineWeights(__m128i s)
{
    const __m128i ag = _mm_srli_epi16(s, 8);
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(ag, 0xF5), 0xF5);
    return _mm_sub_epi16(alpha, _mm_cmpeq_epi16(alpha, _mm_set1_epi16(255)));
}

} // namespace

TColor32 CombineReg(TColor32 X, TColor32 Y, TColor32 W)
{
    return Mix(X, Y, W);
}

void CombineMem(TColor32 F, TColor32& B, TColor32 W)
{
    CombineMemBy<Mix>(F, B, W);
}

TColor32 BlendReg(TColor32 F, TColor32 B)
{
    const __m128i f = Unpack(F);
    return Pack(MixLanes(f, Unpack(B), _mm_shufflelo_epi16(f, 0xFF), Bias()));
}

void BlendMem(TColor32 F, TColor32& B)
{
    CombineMemBy<Mix>(F, B, F >> 24);
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

// How far ahead of the blend the line is fetched into the cache: the loop waits on memory,
// not on arithmetic, and the hardware prefetcher alone keeps too few lines in flight for
// two streams. Prefetching past the end of a line is harmless.
constexpr uintptr_t kPrefetchBytes = 1024;
constexpr int32_t kCacheLinePixels = 16; // 64 bytes

// The address is formed as an integer: it may lie past the end of the line's array.
inline void PrefetchAhead(const TColor32* p)
{
    _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(p) + kPrefetchBytes), _MM_HINT_T0);
}

// Transparent source pixels (alpha 0) come out of the mix unchanged and opaque ones are
// copied through their weight of 256, so the loop needs no per-pixel branches; blocks of
// sixteen (one cache line) wholly transparent or wholly opaque pixels skip the arithmetic,
// as piece pictures mostly are, and blocks of four do the same in the line's tail.
void BlendLine(const TColor32* Src, TColor32* Dst, int32_t Count)
{
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128i colourBits = _mm_set1_epi32(0x00FFFFFF);
    const __m128i allOnes = _mm_set1_epi32(-1);
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias = Bias();
    auto load = [](const TColor32* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    auto store = [](TColor32* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); };
    auto allOpaque = [&](__m128i s) { return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_or_si128(s, colourBits), allOnes)) == 0xFFFF; };
    auto allTransparent = [&](__m128i s) { return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, alphaMask), zero)) == 0xFFFF; };
    auto mix = [&](__m128i s, TColor32* d) { store(d, MixFour(s, load(d), BlendLineWeights(s), bias)); };
    int32_t i = 0;
    for (; i + kCacheLinePixels <= Count; i += kCacheLinePixels) {
        PrefetchAhead(Src + i);
        PrefetchAhead(Dst + i);
        const __m128i s0 = load(Src + i), s1 = load(Src + i + 4), s2 = load(Src + i + 8), s3 = load(Src + i + 12);
        if (allOpaque(_mm_and_si128(_mm_and_si128(s0, s1), _mm_and_si128(s2, s3)))) {
            store(Dst + i, s0);
            store(Dst + i + 4, s1);
            store(Dst + i + 8, s2);
            store(Dst + i + 12, s3);
        } else if (!allTransparent(_mm_or_si128(_mm_or_si128(s0, s1), _mm_or_si128(s2, s3)))) {
            mix(s0, Dst + i);
            mix(s1, Dst + i + 4);
            mix(s2, Dst + i + 8);
            mix(s3, Dst + i + 12);
        }
    }
    for (; i + 4 <= Count; i += 4) {
        const __m128i s = load(Src + i);
        if (allOpaque(s))
            store(Dst + i, s);
        else if (!allTransparent(s))
            mix(s, Dst + i);
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
        const __m128i w = _mm_or_si128(weights, _mm_slli_epi32(weights, 16));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), MixFour(s, d, w, bias));
    }
    for (; i < Count; ++i) {
        const TColor32 A = Src[i] >> 24;
        const TColor32 W = ((A + 1) * M) >> 8;
        if (A != 0 && W != 0)
            Dst[i] = Mix(Src[i], Dst[i], W);
    }
}

} // namespace blend_simd

const TBlendFamily* SimdBlendFamily()
{
    static const TBlendFamily family{blend_simd::CombineReg, blend_simd::CombineMem, blend_simd::BlendReg,
                                     blend_simd::BlendMem,   blend_simd::BlendRegEx, blend_simd::BlendMemEx,
                                     blend_simd::BlendLine,  blend_simd::BlendLineEx};
    return &family;
}

#else // no SSE2: the integer family serves

const TBlendFamily* SimdBlendFamily()
{
    return nullptr;
}

#endif

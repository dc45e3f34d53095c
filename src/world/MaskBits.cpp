#include "world/MaskBits.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bit j set where pixels[j] is not 0, for 16 pixels.
uint32_t NonZero16(const TColor32* pixels)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const auto* p = reinterpret_cast<const __m128i*>(pixels);
    const __m128i z0 = _mm_cmpeq_epi32(_mm_loadu_si128(p), zero);
    const __m128i z1 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 1), zero);
    const __m128i z2 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 2), zero);
    const __m128i z3 = _mm_cmpeq_epi32(_mm_loadu_si128(p + 3), zero);
    const __m128i zeros = _mm_packs_epi16(_mm_packs_epi32(z0, z1), _mm_packs_epi32(z2, z3));
    return ~uint32_t(_mm_movemask_epi8(zeros)) & 0xFFFFu;
#else
    uint32_t bits = 0;
    for (int j = 0; j < 16; ++j)
        bits |= uint32_t(pixels[j] != 0) << j;
    return bits;
#endif
}

// ORs the 16 bits `bits` into `row` from bit position `at` on.
void Or16(uint64_t* row, int at, uint32_t bits)
{
    const int word = at >> 6, shift = at & 63;
    row[word] |= uint64_t(bits) << shift;
    if (shift > 48)
        row[word + 1] |= uint64_t(bits) >> (64 - shift);
}

} // namespace

void CMaskBits::Load(const TBitmap32& mask, int left)
{
    const int width = mask.Width();
    height_ = mask.Height();
    x0_ = FloorDiv(left, kAlign) * kAlign;
    const int offset = left - x0_;
    words_ = (offset + width + 63) / 64;
    bits_.assign(size_t(Stride()) * size_t(height_ + 2 * kPadRows), 0);
    for (int y = 0; y < height_; ++y) {
        const TColor32* pixels = mask.ScanLine(y);
        uint64_t* row = bits_.data() + size_t(y + kPadRows) * size_t(Stride()) + 1;
        int x = 0;
        for (; x + 16 <= width; x += 16)
            if (const uint32_t bits = NonZero16(pixels + x))
                Or16(row, offset + x, bits);
        for (; x < width; ++x)
            if (pixels[x] != 0)
                row[(offset + x) >> 6] |= uint64_t(1) << ((offset + x) & 63);
    }
}

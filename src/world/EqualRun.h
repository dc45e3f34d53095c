#pragma once
// Finding where a stretch of equal values ends in a row: the inner step of the
// run-based scans over the world image (32-bit) and the piece map (16-bit).
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The first index at or after `x` whose value differs from `value`, or `width`.
inline int EqualRunEnd(const uint32_t* row, int x, int width, uint32_t value)
{
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi32(int32_t(value));
    for (; x + 8 <= width; x += 8) {
        const __m128i low = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), wanted);
        const __m128i high = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4)), wanted);
        const unsigned equal = unsigned(_mm_movemask_epi8(low)) | unsigned(_mm_movemask_epi8(high)) << 16;
        if (equal != 0xFFFFFFFFu)
            return x + __builtin_ctz(~equal) / 4;
    }
#endif
    while (x < width && row[x] == value)
        ++x;
    return x;
}

// The same over 16-bit values (the piece map).
inline int EqualRunEnd(const uint16_t* row, int x, int width, uint16_t value)
{
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi16(int16_t(value));
    for (; x + 16 <= width; x += 16) {
        const __m128i low = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), wanted);
        const __m128i high = _mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 8)), wanted);
        const unsigned equal = unsigned(_mm_movemask_epi8(low)) | unsigned(_mm_movemask_epi8(high)) << 16;
        if (equal != 0xFFFFFFFFu)
            return x + __builtin_ctz(~equal) / 2;
    }
#endif
    while (x < width && row[x] == value)
        ++x;
    return x;
}

// The first index at or after `x` and before `end` whose value is `value`, or `end`.
inline int FirstEqual(const uint32_t* row, int x, int end, uint32_t value)
{
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi32(int32_t(value));
    for (; x + 4 <= end; x += 4) {
        const unsigned equal = unsigned(
            _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), wanted)));
        if (equal)
            return x + __builtin_ctz(equal) / 4;
    }
#endif
    while (x < end && row[x] != value)
        ++x;
    return x;
}

// Bilinear enlargement: each destination pixel mixes the 2 x 2 source pixels around its
// position, first the two rows per column, then the two columns.
#include "graphics/StretchPaths32.h"
#include "graphics/Transforms32.h"

#include <cassert>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stretch {
namespace {

// Two pixels mixed with weight w (0..256) for `a` and 256 - w for `b`, two channels per
// multiplication:
//   RB lane [00000000][RRRRRRRR][00000000][BBBBBBBB] and AG lane (alpha, green) alike,
//   per channel (a * w + b * (256 - w)) >> 8, which never leaves its 16 bits.
inline TColor32 MixPixels(TColor32 a, TColor32 b, uint32_t w)
{
    const uint32_t v = 256 - w;
    const uint32_t rb = (((a & 0x00FF00FFu) * w + (b & 0x00FF00FFu) * v) >> 8) & 0x00FF00FFu;
    const uint32_t ag = (((a >> 8) & 0x00FF00FFu) * w + ((b >> 8) & 0x00FF00FFu) * v) & 0xFF00FF00u;
    return rb | ag;
}

// Per destination coordinate: the two source coordinates and the weight of the first.
struct LinearEntry {
    int32_t first;
    int32_t second;
    uint32_t weight;
};

// Positions by the coordinate mapping, clamped to the bitmap; the left (top) pixel
// weighs 256 - round(frac * 256). Entries on the source rectangle's last pixel move one
// pixel back with weight 0 so that their neighbour stays inside; a source one pixel
// across has no pixel before it and takes that pixel twice.
std::vector<LinearEntry> LinearTable(int32_t dst0, int32_t dst1, int32_t clip0, int32_t clip1, int32_t src0,
                                     int32_t src1, int32_t bitmapSize)
{
    const int64_t dw = int64_t(dst1) - dst0, sw = int64_t(src1) - src0;
    assert(dw > sw);
    const double scale = FullEdge ? double(sw) / double(dw) : double(sw - 1) / double(dw - 1);
    const int32_t last = src1 - 1;
    std::vector<LinearEntry> table;
    table.reserve(size_t(clip1 - clip0));
    for (int32_t c = clip0; c < clip1; ++c) {
        const double i = double(int64_t(c) - dst0);
        double position = FullEdge ? src0 - 0.5 + (i + 0.5) * scale : src0 + i * scale;
        position = std::clamp(position, 0.0, double(bitmapSize - 1));
        const double whole = std::floor(position);
        LinearEntry entry{int32_t(whole), int32_t(whole) + 1,
                          uint32_t(256 - int32_t(std::nearbyint((position - whole) * 256)))};
        if (entry.first >= last) {
            entry = last > 0 ? LinearEntry{last - 1, last, 0} : LinearEntry{last, last, 256};
        }
        table.push_back(entry);
    }
    return table;
}

#if defined(__SSE2__)
// Four pixel pairs mixed at once with MixPixels' formula; w holds each pair's weight in
// the low 16 bits of its 32-bit element.
inline __m128i MixFourPairs(__m128i a, __m128i b, __m128i w32)
{
    const __m128i lowBytes = _mm_set1_epi32(0x00FF00FF);
    const __m128i w = _mm_or_si128(w32, _mm_slli_epi32(w32, 16));
    const __m128i v = _mm_sub_epi16(_mm_set1_epi16(256), w);
    const __m128i rb = _mm_add_epi16(_mm_mullo_epi16(_mm_and_si128(a, lowBytes), w),
                                     _mm_mullo_epi16(_mm_and_si128(b, lowBytes), v));
    const __m128i ag = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(a, 8), w),
                                     _mm_mullo_epi16(_mm_srli_epi16(b, 8), v));
    return _mm_or_si128(_mm_srli_epi16(rb, 8), _mm_andnot_si128(lowBytes, ag));
}
#endif

// Every pixel of `top` mixed with the one below it in `bottom`, one weight for all.
void MixRows(const TColor32* top, const TColor32* bottom, uint32_t weight, TColor32* out, size_t count)
{
    size_t x = 0;
#if defined(__SSE2__)
    const __m128i w = _mm_set1_epi32(int(weight));
    for (; x + 4 <= count; x += 4) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), MixFourPairs(a, b, w));
    }
#endif
    for (; x < count; ++x)
        out[x] = MixPixels(top[x], bottom[x], weight);
}

// Each destination pixel from its two columns of the vertically mixed row.
void MixColumns(const TColor32* rowMix, const int32_t* first, const int32_t* second, const uint32_t* weight,
                TColor32* out, int32_t count)
{
    int32_t i = 0;
#if defined(__SSE2__)
    for (; i + 4 <= count; i += 4) {
        const __m128i a = _mm_set_epi32(int(rowMix[first[i + 3]]), int(rowMix[first[i + 2]]),
                                        int(rowMix[first[i + 1]]), int(rowMix[first[i]]));
        const __m128i b = _mm_set_epi32(int(rowMix[second[i + 3]]), int(rowMix[second[i + 2]]),
                                        int(rowMix[second[i + 1]]), int(rowMix[second[i]]));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weight + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), MixFourPairs(a, b, w));
    }
#endif
    for (; i < count; ++i)
        out[i] = MixPixels(rowMix[first[i]], rowMix[second[i]], weight[i]);
}

} // namespace

void Bilinear(const Job& job)
{
    const std::vector<LinearEntry> columns = LinearTable(job.dstRect.Left, job.dstRect.Right, job.clip.Left,
                                                         job.clip.Right, job.srcRect.Left, job.srcRect.Right,
                                                         job.src.Width());
    const std::vector<LinearEntry> rows = LinearTable(job.dstRect.Top, job.dstRect.Bottom, job.clip.Top,
                                                      job.clip.Bottom, job.srcRect.Top, job.srcRect.Bottom,
                                                      job.src.Height());
    const int32_t width = job.clip.Width();
    // The source columns the rows use, mixed vertically once per destination row; the
    // column table split into arrays indexing that mix.
    const int32_t firstColumn = columns.front().first;
    const int32_t lastColumn = columns.back().second;
    std::vector<TColor32> rowMix(size_t(lastColumn - firstColumn + 1));
    std::vector<int32_t> first(static_cast<size_t>(width)), second(static_cast<size_t>(width));
    std::vector<uint32_t> weight(static_cast<size_t>(width));
    for (int32_t i = 0; i < width; ++i) {
        first[size_t(i)] = columns[size_t(i)].first - firstColumn;
        second[size_t(i)] = columns[size_t(i)].second - firstColumn;
        weight[size_t(i)] = columns[size_t(i)].weight;
    }
    // dmOpaque writes straight into the destination; the other modes combine a result row.
    std::vector<TColor32> result(job.mode == dmOpaque ? 0 : static_cast<size_t>(width));

    for (int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
        const LinearEntry& row = rows[size_t(y - job.clip.Top)];
        MixRows(job.src.PixelPtr(firstColumn, row.first), job.src.PixelPtr(firstColumn, row.second), row.weight,
                rowMix.data(), rowMix.size());
        TColor32* out = job.dst.PixelPtr(job.clip.Left, y);
        if (job.mode == dmOpaque) {
            MixColumns(rowMix.data(), first.data(), second.data(), weight.data(), out, width);
        } else {
            MixColumns(rowMix.data(), first.data(), second.data(), weight.data(), result.data(), width);
            CombineRow(result.data(), out, width, job);
        }
    }
}

} // namespace stretch

// Kernel resampling: separable filtering through two mapping tables of integer weights
// that sum to 256 per destination pixel, in SSE2 integer arithmetic (every x86-64). One row of vertically filtered source columns
// is kept per destination row and reused by all its pixels.
#include "graphics/StretchPaths32.h"

#include "graphics/Blend32.h"
#include "graphics/Transforms32.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <emmintrin.h>

namespace stretch {

double Kernel(TStretchFilter filter, double x)
{
    const double a = std::abs(x);
    switch (filter) {
    case sfNearest: // the box
        return (x > -0.5 && x <= 0.5) ? 1 : 0;
    case sfLinear:
        if (x >= -1 && x < 0)
            return 1 + x;
        return (x >= 0 && x < 1) ? 1 - x : 0;
    case sfSpline:
        if (a < 1)
            return 0.5 * a * a * a - a * a + 2.0 / 3.0;
        return a < 2 ? (2 - a) * (2 - a) * (2 - a) / 6 : 0;
    case sfLanczos: {
        if (a >= 3)
            return 0;
        auto sinc = [](double t) { return t == 0 ? 1.0 : std::sin(std::numbers::pi * t) / (std::numbers::pi * t); };
        return sinc(a) * sinc(a / 3);
    }
    case sfMitchell:
        if (a < 1)
            return (7 * a * a * a - 12 * a * a + 16.0 / 3.0) / 6;
        return a < 2 ? (-7.0 / 3.0 * a * a * a + 12 * a * a - 20 * a + 32.0 / 3.0) / 6 : 0;
    }
    return 0;
}

double KernelWidth(TStretchFilter filter)
{
    switch (filter) {
    case sfSpline: case sfMitchell: return 2;
    case sfLanczos: return 3;
    default: return 1;
    }
}

MappingTable BuildMappingTable(int32_t dst0, int32_t dst1, int32_t clip0, int32_t clip1, int32_t src0, int32_t src1,
                               TStretchFilter filter)
{
    MappingTable table;
    const int64_t sw = int64_t(src1) - src0;
    if (sw <= 0)
        return table;
    table.resize(size_t(clip1 - clip0));
    if (sw == 1) {
        for (auto& entries : table)
            entries.push_back({src0, 256});
        return table;
    }
    const double dw = double(int64_t(dst1) - dst0);
    const double scale = FullEdge ? dw / double(sw) : (dw - 1) / double(sw - 1);
    if (scale == 0) {
        for (auto& entries : table)
            entries.push_back({int32_t((int64_t(src0) + src1) / 2), 256});
        return table;
    }
    const double width = KernelWidth(filter);
    const double reach = scale >= 1 ? width : width / scale;
    for (int32_t c = clip0; c < clip1; ++c) {
        std::vector<Contribution>& entries = table[size_t(c - clip0)];
        const double i = double(int64_t(c) - dst0);
        const double centre = FullEdge ? src0 - 0.5 + (i + 0.5) / scale : src0 + i / scale;
        const int64_t first = int64_t(std::floor(centre - reach));
        const int64_t last = int64_t(std::ceil(centre + reach));
        for (int64_t j = first; j <= last; ++j) {
            const double weight = scale >= 1 ? Kernel(filter, centre - double(j)) * 256
                                             : Kernel(filter, (centre - double(j)) * scale) * 256 * scale;
            const int32_t rounded = int32_t(std::nearbyint(weight));
            if (rounded != 0)
                entries.push_back({int32_t(std::clamp<int64_t>(j, src0, src1 - 1)), rounded});
        }
        if (entries.empty())
            entries.push_back({int32_t(std::clamp<int64_t>(int64_t(std::floor(centre)), src0, src1 - 1)), 256});
        int32_t sum = 0;
        for (const Contribution& entry : entries)
            sum += entry.weight;
        entries[(entries.size() - 1) / 2].weight += 256 - sum;
    }
    return table;
}

namespace {

// Channel sums of one source column: 32-bit lanes [B, G, R, A], each the channel value
// times the weights applied so far.
struct ChannelSums {
    __m128i lanes;
};

// Each of `count` columns from `first`: the source pixels of the rows in `entries`, each
// times its weight. Two rows at a time: their pixels interleaved into 16-bit lanes
// [B0 B1 G0 G1 R0 R1 A0 A1] meet the weights [w0 w1 ...] in one multiply-add.
void SumRows(const TBitmap32& src, int32_t first, const std::vector<Contribution>& entries, ChannelSums* sums,
             size_t count)
{
    const __m128i zero = _mm_setzero_si128();
    std::fill(sums, sums + count, ChannelSums{zero});
    for (size_t k = 0; k < entries.size(); k += 2) {
        const TColor32* row0 = src.PixelPtr(first, entries[k].pos);
        const bool pair = k + 1 < entries.size();
        const TColor32* row1 = pair ? src.PixelPtr(first, entries[k + 1].pos) : row0;
        const uint32_t w0 = uint32_t(entries[k].weight) & 0xFFFF;
        const uint32_t w1 = pair ? uint32_t(entries[k + 1].weight) & 0xFFFF : 0;
        const __m128i weights = _mm_set1_epi32(int(w1 << 16 | w0));
        size_t x = 0;
        for (; x + 4 <= count; x += 4) {
            const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + x));
            const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row1 + x));
            const __m128i low = _mm_unpacklo_epi8(p0, p1), high = _mm_unpackhi_epi8(p0, p1);
            sums[x].lanes = _mm_add_epi32(sums[x].lanes, _mm_madd_epi16(_mm_unpacklo_epi8(low, zero), weights));
            sums[x + 1].lanes = _mm_add_epi32(sums[x + 1].lanes, _mm_madd_epi16(_mm_unpackhi_epi8(low, zero), weights));
            sums[x + 2].lanes = _mm_add_epi32(sums[x + 2].lanes, _mm_madd_epi16(_mm_unpacklo_epi8(high, zero), weights));
            sums[x + 3].lanes = _mm_add_epi32(sums[x + 3].lanes, _mm_madd_epi16(_mm_unpackhi_epi8(high, zero), weights));
        }
        for (; x < count; ++x) {
            const __m128i pair01 = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(row0[x])), _mm_cvtsi32_si128(int(row1[x])));
            sums[x].lanes = _mm_add_epi32(sums[x].lanes, _mm_madd_epi16(_mm_unpacklo_epi8(pair01, zero), weights));
        }
    }
}

// The low 32 bits of each lane's product (SSE2 has no 32-bit multiply): the even and the
// odd lanes through the 64-bit multiplier. Exact for negative values too, modulo 2^32.
inline __m128i MultiplyLanes(__m128i sums, __m128i weight)
{
    const __m128i even = _mm_mul_epu32(sums, weight);
    const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(sums, 32), weight);
    return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, 0x08), _mm_shuffle_epi32(odd, 0x08));
}

// A channel sum is the value times 65536. Kernels with negative lobes can overshoot and
// are clamped to 0..0xFF0000 first; the others cannot leave the range. The top byte of
// each lane becomes the channel.
inline TColor32 SumsToColour(__m128i sums, bool clamp)
{
    if (clamp) {
        const __m128i limit = _mm_set1_epi32(0xFF0000);
        sums = _mm_and_si128(sums, _mm_cmpgt_epi32(sums, _mm_setzero_si128()));
        const __m128i over = _mm_cmpgt_epi32(sums, limit);
        sums = _mm_or_si128(_mm_and_si128(over, limit), _mm_andnot_si128(over, sums));
    }
    const __m128i bytes = _mm_and_si128(_mm_srli_epi32(sums, 16), _mm_set1_epi32(0xFF));
    const __m128i words = _mm_packs_epi32(bytes, bytes);
    return TColor32(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

} // namespace

void Resample(const Job& job, TStretchFilter filter)
{
    const MappingTable horizontal = BuildMappingTable(job.dstRect.Left, job.dstRect.Right, job.clip.Left,
                                                      job.clip.Right, job.srcRect.Left, job.srcRect.Right, filter);
    const MappingTable vertical = BuildMappingTable(job.dstRect.Top, job.dstRect.Bottom, job.clip.Top,
                                                    job.clip.Bottom, job.srcRect.Top, job.srcRect.Bottom, filter);
    if (horizontal.empty() || vertical.empty())
        return;
    const bool clamp = filter == sfLanczos || filter == sfMitchell;

    // The source columns the horizontal table uses.
    int32_t firstColumn = horizontal.front().front().pos, lastColumn = firstColumn;
    for (const auto& entries : horizontal)
        for (const Contribution& entry : entries) {
            firstColumn = std::min(firstColumn, entry.pos);
            lastColumn = std::max(lastColumn, entry.pos);
        }
    const size_t columnCount = size_t(lastColumn - firstColumn + 1);
    std::vector<ChannelSums> columnSums(columnCount);

    for (int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
        SumRows(job.src, firstColumn, vertical[size_t(y - job.clip.Top)], columnSums.data(), columnCount);
        TColor32* out = job.dst.PixelPtr(job.clip.Left, y);
        for (int32_t x = job.clip.Left; x < job.clip.Right; ++x, ++out) {
            __m128i sum = _mm_setzero_si128();
            for (const Contribution& columnEntry : horizontal[size_t(x - job.clip.Left)])
                sum = _mm_add_epi32(sum, MultiplyLanes(columnSums[size_t(columnEntry.pos - firstColumn)].lanes,
                                                       _mm_set1_epi32(columnEntry.weight)));
            const TColor32 colour = SumsToColour(sum, clamp);
            switch (job.mode) {
            case dmOpaque: *out = colour; break;
            case dmBlend: BlendMemEx(colour, *out, job.masterAlpha); break;
            case dmCustom: job.combine(colour, *out, job.masterAlpha); break;
            }
        }
    }
}

} // namespace stretch

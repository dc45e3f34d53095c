// Kernel resampling: separable filtering through two mapping tables of integer weights
// that sum to 256 per destination pixel. One row of vertically filtered source columns
// is kept per destination row and reused by all its pixels.
#include "graphics/StretchPaths32.h"

#include "graphics/Blend32.h"
#include "graphics/Transforms32.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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
        const double i = double(c - dst0);
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

// The four channels of one pixel, each scaled by weights.
struct ChannelSums {
    int32_t a = 0, r = 0, g = 0, b = 0;
    void Add(TColor32 c, int32_t w)
    {
        a += int32_t(c >> 24) * w;
        r += int32_t((c >> 16) & 0xFF) * w;
        g += int32_t((c >> 8) & 0xFF) * w;
        b += int32_t(c & 0xFF) * w;
    }
    void Add(const ChannelSums& s, int32_t w)
    {
        a += s.a * w;
        r += s.r * w;
        g += s.g * w;
        b += s.b * w;
    }
};

// A channel sum is the value times 65536. Kernels with negative lobes can overshoot and
// are clamped to 0..0xFF0000 first; the others cannot leave the range.
inline uint32_t ChannelByte(int32_t sum, bool clamp)
{
    if (clamp)
        sum = std::clamp(sum, 0, 0xFF0000);
    return (uint32_t(sum) >> 16) & 0xFF;
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
    std::vector<ChannelSums> columnSums(size_t(lastColumn - firstColumn + 1));

    for (int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
        std::fill(columnSums.begin(), columnSums.end(), ChannelSums{});
        for (const Contribution& rowEntry : vertical[size_t(y - job.clip.Top)]) {
            const TColor32* in = job.src.PixelPtr(firstColumn, rowEntry.pos);
            for (size_t x = 0; x < columnSums.size(); ++x)
                columnSums[x].Add(in[x], rowEntry.weight);
        }
        TColor32* out = job.dst.PixelPtr(job.clip.Left, y);
        for (int32_t x = job.clip.Left; x < job.clip.Right; ++x, ++out) {
            ChannelSums sum;
            for (const Contribution& columnEntry : horizontal[size_t(x - job.clip.Left)])
                sum.Add(columnSums[size_t(columnEntry.pos - firstColumn)], columnEntry.weight);
            const TColor32 colour = ChannelByte(sum.a, clamp) << 24 | ChannelByte(sum.r, clamp) << 16 |
                                    ChannelByte(sum.g, clamp) << 8 | ChannelByte(sum.b, clamp);
            switch (job.mode) {
            case dmOpaque: *out = colour; break;
            case dmBlend: BlendMemEx(colour, *out, job.masterAlpha); break;
            case dmCustom: job.combine(colour, *out, job.masterAlpha); break;
            }
        }
    }
}

} // namespace stretch

// Bilinear enlargement: each destination pixel mixes the 2 x 2 source pixels around its
// position, first the two rows per column, then the two columns.
#include "graphics/StretchPaths32.h"
#include "graphics/Transforms32.h"

#include <cassert>
#include <cmath>
#include <vector>

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
        const double i = double(c - dst0);
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
    // The source columns the row uses, mixed vertically once per destination row.
    const int32_t firstColumn = columns.front().first;
    const int32_t lastColumn = columns.back().second;
    std::vector<TColor32> rowMix(size_t(lastColumn - firstColumn + 1));
    std::vector<TColor32> result(static_cast<size_t>(width));

    for (int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
        const LinearEntry& row = rows[size_t(y - job.clip.Top)];
        const TColor32* top = job.src.PixelPtr(firstColumn, row.first);
        const TColor32* bottom = job.src.PixelPtr(firstColumn, row.second);
        for (size_t x = 0; x < rowMix.size(); ++x)
            rowMix[x] = MixPixels(top[x], bottom[x], row.weight);
        for (int32_t i = 0; i < width; ++i) {
            const LinearEntry& column = columns[size_t(i)];
            result[size_t(i)] = MixPixels(rowMix[size_t(column.first - firstColumn)],
                                          rowMix[size_t(column.second - firstColumn)], column.weight);
        }
        CombineRow(result.data(), job.dst.PixelPtr(job.clip.Left, y), width, job);
    }
}

} // namespace stretch

// Nearest-neighbour stretching: each destination pixel takes the source pixel its
// position maps onto. Positions are computed in double precision, in one fixed order, so
// every build gives the same pixels.
#include "graphics/StretchPaths32.h"
#include "graphics/Transforms32.h"

#include <cassert>
#include <cmath>
#include <cstring>
#include <vector>

namespace stretch {
namespace {

// The source coordinate of each destination offset in [clip0 - dst0, clip1 - dst0).
// FullEdge false: round(i * (SW - 1) / (DW - 1) + src0), halves to even.
// FullEdge true: trunc(i * SW / DW + src0).
// Fewer than two destination pixels all take the middle source pixel.
std::vector<int32_t> NearestTable(int32_t dst0, int32_t dst1, int32_t clip0, int32_t clip1, int32_t src0, int32_t src1)
{
    const int64_t dw = int64_t(dst1) - dst0, sw = int64_t(src1) - src0;
    std::vector<int32_t> table(size_t(clip1 - clip0));
    if (dw < 2) {
        std::fill(table.begin(), table.end(), int32_t((int64_t(src0) + src1 - 1) / 2));
        return table;
    }
    const double scale = FullEdge ? double(sw) / double(dw) : double(sw - 1) / double(dw - 1);
    for (int32_t c = clip0; c < clip1; ++c) {
        const double position = double(int64_t(c) - dst0) * scale + src0;
        const int32_t source = int32_t(FullEdge ? std::trunc(position) : std::nearbyint(position));
        assert(source >= src0 && source < src1);
        table[size_t(c - clip0)] = source;
    }
    return table;
}

} // namespace

void Nearest(const Job& job)
{
    if (job.srcRect.Left < 0 || job.srcRect.Top < 0 || job.srcRect.Right > job.src.Width() ||
        job.srcRect.Bottom > job.src.Height())
        throw ETransformError("Invalid SrcRect");
    const std::vector<int32_t> columns =
        NearestTable(job.dstRect.Left, job.dstRect.Right, job.clip.Left, job.clip.Right, job.srcRect.Left, job.srcRect.Right);
    const std::vector<int32_t> rows =
        NearestTable(job.dstRect.Top, job.dstRect.Bottom, job.clip.Top, job.clip.Bottom, job.srcRect.Top, job.srcRect.Bottom);
    const int32_t width = job.clip.Width();
    const int32_t* column = columns.data();

    // In dmOpaque a row that maps onto the same source row as the previous one is a copy
    // of the previous destination row; otherwise the sampled row is kept and combined again.
    std::vector<TColor32> sampled(job.mode == dmOpaque ? 0 : size_t(width));
    int32_t previousRow = -1;
    for (int32_t y = job.clip.Top; y < job.clip.Bottom; ++y) {
        const int32_t sourceRow = rows[size_t(y - job.clip.Top)];
        TColor32* out = job.dst.PixelPtr(job.clip.Left, y);
        if (job.mode == dmOpaque) {
            if (sourceRow == previousRow) {
                std::memcpy(out, out - job.dst.Width(), size_t(width) * sizeof(TColor32));
            } else {
                const TColor32* in = job.src.ScanLine(sourceRow);
                for (int32_t i = 0; i < width; ++i)
                    out[i] = in[column[i]];
            }
        } else {
            if (sourceRow != previousRow) {
                const TColor32* in = job.src.ScanLine(sourceRow);
                for (int32_t i = 0; i < width; ++i)
                    sampled[size_t(i)] = in[column[i]];
            }
            CombineRow(sampled.data(), out, width, job);
        }
        previousRow = sourceRow;
    }
}

} // namespace stretch

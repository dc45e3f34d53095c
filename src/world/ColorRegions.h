#pragma once
// The regions of an image: 4-connected sets of pixels of one exact 32-bit
// value (alpha included); pixels of value 0 belong to no region. Pixels that
// touch only at a corner are not connected.
//
// Regions are numbered by their first pixel in column-major order: the region
// holding the topmost pixel of the leftmost column that has any is region 0,
// and so on. That is the order in which a flood fill started from every
// unvisited pixel, column by column, would find them.
//
// The scan reads the rows once as horizontal runs of equal pixels and joins
// each run to the runs of equal value it overlaps in the row above
// (union-find). Only the sets that reach the current row are kept: once a set
// has no run in a row it is a finished region, and its record is kept only
// while it is among the first `limit` regions met so far in column-major
// order. The work therefore grows with the width of the image and the regions
// kept, never with the number of regions in the picture (a noisy photograph
// has millions). The runs of a kept region are found afterwards, by a flood
// fill from its first pixel (TakeRuns).
#include <cstdint>
#include <limits>
#include <vector>

#include "graphics/Bitmap32.h"
#include "graphics/Geometry32.h"
#include "world/EqualRun.h"

class CColorRegions {
public:
    // Columns left..right (inclusive) of row y.
    struct TRun {
        int32_t y;
        int32_t left;
        int32_t right;
    };
    struct TRegion {
        TColor32 color = 0;
        int32_t left = 0, top = 0, right = 0, bottom = 0; // inclusive
        uint32_t pixelCount = 0;
        int32_t firstX = 0, firstY = 0; // the first pixel in column-major order

        uint64_t OrderKey() const { return uint64_t(uint32_t(firstX)) << 32 | uint32_t(firstY); }
        // The bytes of a 32-bit bitmap of the region's bounds.
        uint64_t BoundsBytes() const { return uint64_t(right - left + 1) * uint64_t(bottom - top + 1) * 4; }
    };

    static constexpr int kAll = std::numeric_limits<int>::max();

    // Scans `image`: counts all its regions and keeps the first `limit`.
    explicit CColorRegions(const TBitmap32& image, int limit = kAll);

    // The regions kept, in order.
    int Count() const { return int(regions_.size()); }
    const TRegion& operator[](int i) const { return regions_[size_t(i)]; }
    // Every region of the image, kept or not.
    int64_t Total() const { return total_; }

    // The runs of kept region `i` in `runs` (in no particular order), each of
    // their cells set to `label` in `cells` (row by row, the image's width per
    // row). Cells of the region must not hold `label` yet. `image` is the
    // scanned image.
    void TakeRuns(const TBitmap32& image, int i, uint16_t* cells, uint16_t label, std::vector<TRun>& runs) const;

private:
    int64_t total_ = 0;
    std::vector<TRegion> regions_;
};

// Columns left..right (inclusive) of row y, found and not yet taken, and the
// taken run of the row above (from = -1) or below (from = 1) it was found from.
struct TFloodSpan {
    int32_t y;
    int32_t left; // may lie inside the run when the run began before the columns scanned
    int32_t right;
    int32_t from;
    int32_t fromLeft, fromRight;
};

// The runs of the 4-connected region of `color` in `image` that holds `start`,
// by a scanline flood fill over maximal runs of `color`. `take(y, left, right)`
// is called once per run and marks it taken, either in `image` (by painting it
// another colour) or where `isTaken(x, y)` looks (any pixel of the run tells).
// Each run's row is read where a run above or below it was taken, except under
// the run it was found from, which is taken already. `stack` is working space.
template <typename IsTaken, typename Take>
void FloodFillRuns(const TBitmap32& image, TColor32 color, TPoint start, IsTaken isTaken, Take take,
                   std::vector<TFloodSpan>& stack)
{
    const int width = image.Width(), height = image.Height();
    // Pushes every open run of `color` in row `y` that overlaps columns
    // left..right, found from the taken run `found` of row y - from.
    auto pushRuns = [&](int y, int left, int right, int from, const TFloodSpan& found) {
        if (y < 0 || y >= height)
            return;
        const TColor32* row = image.ScanLine(y);
        for (int x = FirstEqual(row, left, right + 1, color); x <= right;) {
            const int end = EqualRunEnd(row, x + 1, width, color);
            if (!isTaken(x, y))
                stack.push_back({y, x, end - 1, from, found.left, found.right});
            x = FirstEqual(row, end, right + 1, color);
        }
    };
    // The same for the row that `found` was itself found from, but for the
    // columns of the run it was found from: that run is maximal and taken, so
    // the columns on either side of it hold the other runs, if any.
    auto pushRunsBeside = [&](int y, int from, const TFloodSpan& found, int takenLeft, int takenRight) {
        if (found.left < takenLeft)
            pushRuns(y, found.left, takenLeft - 1, from, found);
        if (takenRight < found.right)
            pushRuns(y, takenRight + 1, found.right, from, found);
    };
    stack.clear();
    pushRuns(start.Y, start.X, start.X, 0, TFloodSpan{start.Y, start.X, start.X, 0, 0, 0});
    while (!stack.empty()) {
        const TFloodSpan span = stack.back();
        stack.pop_back();
        const TColor32* row = image.ScanLine(span.y);
        if (row[span.left] != color || isTaken(span.left, span.y)) // taken since it was pushed
            continue;
        int left = span.left;
        while (left > 0 && row[left - 1] == color)
            --left;
        take(span.y, left, span.right);
        const TFloodSpan taken{span.y, left, span.right, span.from, span.fromLeft, span.fromRight};
        if (span.from < 0)
            pushRunsBeside(span.y - 1, 1, taken, span.fromLeft, span.fromRight);
        else
            pushRuns(span.y - 1, left, span.right, 1, taken);
        if (span.from > 0)
            pushRunsBeside(span.y + 1, -1, taken, span.fromLeft, span.fromRight);
        else
            pushRuns(span.y + 1, left, span.right, -1, taken);
    }
}

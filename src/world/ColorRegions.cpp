#include "world/ColorRegions.h"

#include <algorithm>
#include <numeric>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// A run of one row while the rows are being read.
struct TRowRun {
    int32_t left, right; // inclusive
    TColor32 color;
};

// The first column at or after `x` whose pixel differs from `color`, or `width`.
int RunEnd(const TColor32* row, int x, int width, TColor32 color)
{
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi32(int32_t(color));
    for (; x + 8 <= width; x += 8) {
        const __m128i low = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)), wanted);
        const __m128i high = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4)), wanted);
        const unsigned equal = unsigned(_mm_movemask_epi8(low)) | unsigned(_mm_movemask_epi8(high)) << 16;
        if (equal != 0xFFFFFFFFu)
            return x + __builtin_ctz(~equal) / 4;
    }
#endif
    while (x < width && row[x] == color)
        ++x;
    return x;
}

// Union-find over run indexes. A root is always the smallest index of its set,
// so every run's parent lies before it.
int32_t FindRoot(std::vector<int32_t>& parent, int32_t run)
{
    while (parent[size_t(run)] != run) {
        parent[size_t(run)] = parent[size_t(parent[size_t(run)])];
        run = parent[size_t(run)];
    }
    return run;
}

void Join(std::vector<int32_t>& parent, int32_t a, int32_t b)
{
    a = FindRoot(parent, a);
    b = FindRoot(parent, b);
    if (a < b)
        parent[size_t(b)] = a;
    else if (b < a)
        parent[size_t(a)] = b;
}

// Joins every run of the current row to the runs of the row above that share a
// column and the colour.
void JoinRows(const std::vector<TRowRun>& runs, int32_t above, int32_t current, int32_t end,
              std::vector<int32_t>& parent)
{
    int32_t a = above, c = current;
    while (a < current && c < end) {
        const TRowRun& up = runs[size_t(a)];
        const TRowRun& down = runs[size_t(c)];
        if (up.right < down.left) {
            ++a;
            continue;
        }
        if (down.right < up.left) {
            ++c;
            continue;
        }
        if (up.color == down.color)
            Join(parent, a, c);
        if (up.right < down.right)
            ++a;
        else
            ++c;
    }
}

} // namespace

CColorRegions::CColorRegions(const TBitmap32& image)
{
    if (image.Empty())
        return;
    const int width = image.Width(), height = image.Height();

    // Runs row by row, joined to the row above as they come.
    std::vector<TRowRun> runs;
    std::vector<int32_t> parent;
    std::vector<int32_t> rowStart(size_t(height) + 1);
    runs.reserve(size_t(height) * 8);
    parent.reserve(size_t(height) * 8);
    for (int y = 0; y < height; ++y) {
        rowStart[size_t(y)] = int32_t(runs.size());
        const TColor32* row = image.ScanLine(y);
        for (int x = 0; x < width;) {
            const TColor32 color = row[x];
            const int end = RunEnd(row, x + 1, width, color);
            if (color) {
                parent.push_back(int32_t(runs.size()));
                runs.push_back({x, end - 1, color});
            }
            x = end;
        }
        if (y > 0)
            JoinRows(runs, rowStart[size_t(y) - 1], rowStart[size_t(y)], int32_t(runs.size()), parent);
    }
    rowStart[size_t(height)] = int32_t(runs.size());

    // Parents lie before their runs, so one forward walk turns every entry into
    // a provisional label (regions in the order of their first run, row by row).
    std::vector<int32_t>& label = parent;
    int32_t labels = 0;
    for (size_t r = 0; r < label.size(); ++r)
        label[r] = label[r] == int32_t(r) ? labels++ : label[size_t(label[r])];

    // Per provisional label: colour, bounds, pixel count, run count, and the
    // first pixel in column-major order as the key (column in the high half).
    std::vector<TRegion> found(static_cast<size_t>(labels));
    std::vector<uint64_t> key(static_cast<size_t>(labels), UINT64_MAX);
    for (int y = 0; y < height; ++y)
        for (int32_t r = rowStart[size_t(y)]; r < rowStart[size_t(y) + 1]; ++r) {
            const TRowRun& run = runs[size_t(r)];
            TRegion& region = found[size_t(label[size_t(r)])];
            if (region.runCount++ == 0) {
                region.color = run.color;
                region.left = run.left;
                region.right = run.right;
                region.top = y;
            } else {
                region.left = std::min(region.left, run.left);
                region.right = std::max(region.right, run.right);
            }
            region.bottom = y;
            region.pixelCount += uint32_t(run.right - run.left + 1);
            key[size_t(label[size_t(r)])] =
                std::min(key[size_t(label[size_t(r)])], uint64_t(uint32_t(run.left)) << 32 | uint32_t(y));
        }

    std::vector<int32_t> order(static_cast<size_t>(labels));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int32_t a, int32_t b) { return key[size_t(a)] < key[size_t(b)]; });
    std::vector<int32_t> rank(static_cast<size_t>(labels));
    regions_.resize(static_cast<size_t>(labels));
    int32_t firstRun = 0;
    for (int32_t i = 0; i < labels; ++i) {
        rank[size_t(order[size_t(i)])] = i;
        TRegion& region = regions_[size_t(i)];
        region = found[size_t(order[size_t(i)])];
        region.firstRun = firstRun;
        firstRun += region.runCount;
    }

    // The runs grouped by region, each region's in row order; and row by row
    // with their region numbers.
    runs_.resize(runs.size());
    rowRuns_.resize(runs.size());
    std::vector<int32_t> next(static_cast<size_t>(labels));
    for (int32_t i = 0; i < labels; ++i)
        next[size_t(i)] = regions_[size_t(i)].firstRun;
    for (int y = 0; y < height; ++y)
        for (int32_t r = rowStart[size_t(y)]; r < rowStart[size_t(y) + 1]; ++r) {
            const TRowRun& run = runs[size_t(r)];
            const int32_t region = rank[size_t(label[size_t(r)])];
            runs_[size_t(next[size_t(region)]++)] = {y, run.left, run.right};
            rowRuns_[size_t(r)] = {run.left, run.right, region};
        }
    width_ = width;
    rowStart_ = std::move(rowStart);
}

void CColorRegions::WriteRegionMap(uint32_t* cells, int limit, uint32_t none) const
{
    for (size_t y = 0; y + 1 < rowStart_.size(); ++y) {
        uint32_t* row = cells + y * size_t(width_);
        int32_t x = 0;
        for (int32_t r = rowStart_[y]; r < rowStart_[y + 1]; ++r) {
            const TLabelledRun& run = rowRuns_[size_t(r)];
            std::fill(row + x, row + run.left, none);
            std::fill(row + run.left, row + run.right + 1, run.region < limit ? uint32_t(run.region) : none);
            x = run.right + 1;
        }
        std::fill(row + x, row + width_, none);
    }
}

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
// The labeller works on horizontal runs of equal pixels: one pass over the rows
// finds the runs and joins each to the runs of equal value it overlaps in the
// row above (union-find whose root is the run met first), so the pixels are
// read once and the rest of the work is per run.
#include <cstdint>
#include <vector>

#include "graphics/Bitmap32.h"

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
        int32_t firstRun = 0; // index into the runs of all regions; the region's own runs are in row order
        int32_t runCount = 0;
    };

    explicit CColorRegions(const TBitmap32& image);

    int Count() const { return int(regions_.size()); }
    const TRegion& operator[](int i) const { return regions_[size_t(i)]; }
    const TRun* RunsOf(const TRegion& region) const { return runs_.data() + region.firstRun; }

    // Writes the region number of every pixel into `cells` (row by row, the
    // image's width per row): numbers from `limit` on, and pixels of 0, become `none`.
    void WriteRegionMap(uint32_t* cells, int limit, uint32_t none) const;

private:
    struct TLabelledRun {
        int32_t left, right;
        int32_t region;
    };

    int32_t width_ = 0;
    std::vector<TRegion> regions_;
    std::vector<TRun> runs_; // grouped by region
    std::vector<TLabelledRun> rowRuns_; // row by row
    std::vector<int32_t> rowStart_;     // the first of each row's runs in rowRuns_, and the end
};

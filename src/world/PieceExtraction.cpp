// Cutting the world image into pieces: one piece per region of one colour.
#include <algorithm>
#include <memory>
#include <vector>

#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "world/ColorRegions.h"

namespace {

using TRegion = CColorRegions::TRegion;
using TRun = CColorRegions::TRun;

// The new piece of one region: colour, bounds, pixel count, kind, and a mask of
// the bounds' size holding the region's pixels.
std::unique_ptr<CProvinceMap> MakePiece(CMapProject& project, const TRegion& region, const TRun* runs)
{
    auto piece = std::make_unique<CProvinceMap>(project);
    piece->color = region.color;
    piece->left = int16_t(region.left);
    piece->top = int16_t(region.top);
    piece->right = int16_t(region.right);
    piece->bottom = int16_t(region.bottom);
    piece->pixelCount = region.pixelCount;
    const int width = piece->BoundsWidth(), height = piece->BoundsHeight();

    // Ocean and green land keep their colour in the mask. Any other piece has
    // been through the size test, which paints a mask of at least 4 × 4 white
    // while it counts.
    const CSettings& settings = TheSettings();
    TColor32 paint = region.color;
    if (region.color == settings.OceanColor())
        piece->kind = CProvinceMap::kOcean;
    else if (region.color == settings.GreenLandColor())
        piece->kind = CProvinceMap::kGreenLand;
    else {
        const bool bigEnough = CProvinceMap::IsBigEnoughShape(width, height, region.pixelCount);
        piece->kind = bigEnough ? CProvinceMap::kProvince : CProvinceMap::kSmall;
        if (CProvinceMap::IsBigEnoughShape(width, height, UINT32_MAX))
            paint = clWhite32;
    }

    piece->mask.SetSize(width, height);
    for (const TRun* run = runs; run != runs + region.runCount; ++run)
        std::fill_n(piece->mask.ScanLine(run->y - region.top) + (run->left - region.left), run->right - run->left + 1,
                    paint);
    return piece;
}

// The runs of the region of `work` that holds (x, y), cleared to 0 in `work`:
// a scanline flood fill that remembers each run it paints.
std::vector<TRun> TakeRegion(TBitmap32& work, int x, int y)
{
    const TColor32 color = work.GetPixel(x, y);
    const int width = work.Width(), height = work.Height();
    std::vector<TRun> runs;
    std::vector<TPoint> stack{{x, y}};
    // Pushes the first pixel of every stretch of `color` in columns left..right of row `row`.
    auto pushStarts = [&](int row, int left, int right) {
        if (row < 0 || row >= height)
            return;
        const TColor32* pixels = work.ScanLine(row);
        bool inStretch = false;
        for (int column = left; column <= right; ++column) {
            const bool match = pixels[column] == color;
            if (match && !inStretch)
                stack.push_back({column, row});
            inStretch = match;
        }
    };
    while (!stack.empty()) {
        const TPoint point = stack.back();
        stack.pop_back();
        TColor32* row = work.ScanLine(point.Y);
        if (row[point.X] != color) // painted since it was pushed
            continue;
        int left = point.X, right = point.X;
        while (left > 0 && row[left - 1] == color)
            --left;
        while (right + 1 < width && row[right + 1] == color)
            ++right;
        pushStarts(point.Y - 1, left, right);
        pushStarts(point.Y + 1, left, right);
        std::fill(row + left, row + right + 1, TColor32(0));
        runs.push_back({point.Y, left, right});
    }
    return runs;
}

} // namespace

void CMapProject::ExtractPieces(const TBitmap32& image)
{
    CProgressScope progress(*this, "Bitmap analyzing...", image.Width());
    const CColorRegions regions(image);
    const int first = pieces_.GetCount();
    const int taken = std::clamp(kMaxPieces - first, 0, regions.Count());
    int column = 0;
    for (int i = 0; i < taken; ++i) {
        const TRegion& region = regions[i];
        // Regions come column by column: the progress follows their first column.
        if (region.left + 1 != column)
            progress.Step(column = region.left + 1);
        pieces_.Add(MakePiece(*this, region, regions.RunsOf(region)));
    }
    // The runs give the piece map without a pass over the masks.
    mapMap_.SetSize(image.Width(), image.Height());
    if (uint32_t* cells = mapMap_.GetData()) {
        regions.WriteRegionMap(cells, taken, kNoPiece);
        if (first > 0)
            for (size_t i = 0; i < size_t(image.Width()) * size_t(image.Height()); ++i)
                cells[i] = cells[i] == kNoPiece ? kNoPiece : cells[i] + uint32_t(first);
    }
    progress.Step(image.Width());
    if (taken < regions.Count() && warnings_)
        warnings_->Add(std::make_unique<CErrorRegionsLeftOut>(*this, regions.Count() - taken));
}

int CMapProject::ExtractPiece(int x, int y, TBitmap32& work)
{
    if (pieces_.GetCount() >= kMaxPieces || x < 0 || y < 0 || x >= work.Width() || y >= work.Height())
        return 0;
    TRegion region;
    region.color = work.GetPixel(x, y);
    if (!region.color)
        return 0;
    const std::vector<TRun> runs = TakeRegion(work, x, y);
    region.left = region.right = x;
    region.top = region.bottom = y;
    for (const TRun& run : runs) {
        region.left = std::min(region.left, run.left);
        region.right = std::max(region.right, run.right);
        region.top = std::min(region.top, run.y);
        region.bottom = std::max(region.bottom, run.y);
        region.pixelCount += uint32_t(run.right - run.left + 1);
    }
    region.runCount = int32_t(runs.size());
    pieces_.Add(MakePiece(*this, region, runs.data()));
    return 1;
}

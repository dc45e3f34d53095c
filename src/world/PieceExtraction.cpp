// Cutting the world image into pieces: one piece per region of one colour.
#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "platform/Exception.h"
#include "world/ColorRegions.h"

namespace {

using TRegion = CColorRegions::TRegion;
using TRun = CColorRegions::TRun;

// The new piece of one region: colour, bounds, pixel count, kind, and a mask of
// the bounds' size holding the region's pixels.
std::unique_ptr<CProvinceMap> MakePiece(CMapProject& project, const TRegion& region, const std::vector<TRun>& runs)
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
    for (const TRun& run : runs)
        std::fill_n(piece->mask.ScanLine(run.y - region.top) + (run.left - region.left), run.right - run.left + 1,
                    paint);
    return piece;
}

std::string Megabytes(uint64_t bytes)
{
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

} // namespace

void CMapProject::ExtractPieces(const TBitmap32& image)
{
    CProgressScope progress(*this, "Bitmap analyzing...", image.Width());
    const int first = pieces_.GetCount();
    const CColorRegions regions(image, std::max(kMaxPieces - first, 0));
    uint64_t maskBytes = 0, covered = 0;
    for (int i = 0; i < regions.Count(); ++i) {
        maskBytes += regions[i].BoundsBytes();
        covered += regions[i].pixelCount;
    }
    if (maskBytes > kMaxMaskBytes)
        throw Exception("The pieces of this picture would need " + Megabytes(maskBytes) +
                        " for their masks, more than the " + Megabytes(kMaxMaskBytes) +
                        " an import may use. Use a smaller picture, or one with fewer or more compact regions.");
    // A project file holds a world through its pieces' masks, so a world may
    // leave only a little of itself outside every piece.
    const uint64_t uncovered = uint64_t(image.Width()) * uint64_t(image.Height()) - covered;
    if (uncovered > kMaxUncoveredPixels)
        throw Exception(std::to_string(uncovered) + " pixels of this picture would lie in no piece (" +
                        (regions.Total() > regions.Count()
                             ? "it has " + std::to_string(regions.Total()) + " regions, and a world holds at most " +
                                   std::to_string(kMaxPieces) + " pieces"
                             : std::string("they are transparent")) +
                        "), more than the " + std::to_string(kMaxUncoveredPixels) +
                        " a world may leave out. Use a picture with fewer regions and fewer transparent pixels.");
    // Every cell starts as no piece; each region's flood fill writes its own.
    if (!mapMap_.SetSize(image.Width(), image.Height()))
        throw std::bad_alloc();
    uint16_t* const cells = mapMap_.GetData();
    std::vector<TRun> runs;
    int column = 0;
    for (int i = 0; i < regions.Count(); ++i) {
        const TRegion& region = regions[i];
        // Regions come column by column: the progress follows their first column.
        if (region.left + 1 != column)
            progress.Step(column = region.left + 1);
        regions.TakeRuns(image, i, cells, uint16_t(first + i), runs);
        pieces_.Add(MakePiece(*this, region, runs));
    }
    progress.Step(image.Width());
    if (regions.Total() > regions.Count() && warnings_)
        warnings_->Add(std::make_unique<CErrorRegionsLeftOut>(*this, int(regions.Total() - regions.Count())));
}

int CMapProject::ExtractPiece(int x, int y, TBitmap32& work)
{
    if (pieces_.GetCount() >= kMaxPieces || x < 0 || y < 0 || x >= work.Width() || y >= work.Height())
        return 0;
    TRegion region;
    region.color = work.GetPixel(x, y);
    if (!region.color)
        return 0;
    region.left = region.right = x;
    region.top = region.bottom = y;
    std::vector<TRun> runs;
    std::vector<TFloodSpan> stack;
    FloodFillRuns(
        work, region.color, TPoint{x, y}, [](int, int) { return false; },
        [&](int row, int left, int right) {
            std::fill(work.ScanLine(row) + left, work.ScanLine(row) + right + 1, TColor32(0));
            runs.push_back({row, left, right});
            region.left = std::min(region.left, left);
            region.right = std::max(region.right, right);
            region.top = std::min(region.top, row);
            region.bottom = std::max(region.bottom, row);
            region.pixelCount += uint32_t(right - left + 1);
        },
        stack);
    pieces_.Add(MakePiece(*this, region, runs));
    return 1;
}

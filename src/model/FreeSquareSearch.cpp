#include "model/FreeSquareSearch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/ProvinceMap.h"

CFreeSquareSearch::CFreeSquareSearch(const TBitmap32& mask, ReservedPixels reserved, const TRect& blocked)
    : mask_(mask), reserved_(reserved), blocked_(blocked)
{
}

template <typename Visit>
void CFreeSquareSearch::Walk(Visit visit) const
{
    const int width = mask_.Width(), height = mask_.Height();
    if (mask_.Empty())
        return;
    // The cell of a free pixel is also the smallest of: the upper-left cell + 1,
    // the free pixels up the column and the free pixels back along the row
    // (both ending at the pixel). Only the last runs along the row; the rest
    // works on whole rows at a time.
    // Rows of the table with a zero cell in front for column -1; the column runs.
    std::vector<uint16_t> above(size_t(width) + 1, 0), current(size_t(width) + 1, 0);
    std::vector<uint16_t> upRun(size_t(width), 0), freeMask(size_t(width), 0); // 0xFFFF on a free pixel
    const bool reservedBlocks = reserved_ == kReservedBlocks;
    for (int y = 0; y < height; ++y) {
        const TColor32* row = mask_.ScanLine(y);
        for (int x = 0; x < width; ++x)
            freeMask[size_t(x)] = row[x] != 0 && !(reservedBlocks && row[x] == CProvinceMap::kReserved) ? 0xFFFF : 0;
        if (y >= blocked_.Top && y < blocked_.Bottom)
            for (int x = std::max(blocked_.Left, 0); x < std::min(blocked_.Right, width); ++x)
                freeMask[size_t(x)] = 0;
        for (int x = 0; x < width; ++x)
            upRun[size_t(x)] = uint16_t((upRun[size_t(x)] + 1) & freeMask[size_t(x)]);
        uint16_t rowRun = 0;
        for (int x = 0; x < width; ++x) {
            rowRun = uint16_t((rowRun + 1) & freeMask[size_t(x)]);
            current[size_t(x) + 1] = rowRun;
        }
        uint16_t rowLargest = 0;
        for (int x = 0; x < width; ++x) {
            const uint16_t side =
                std::min({uint16_t(above[size_t(x)] + 1), upRun[size_t(x)], current[size_t(x) + 1]});
            current[size_t(x) + 1] = side;
            rowLargest = std::max(rowLargest, side);
        }
        if (visit(y, current.data() + 1, int(rowLargest)))
            return;
        above.swap(current);
    }
}

CFreeSquareSearch::TSurvey CFreeSquareSearch::Survey(int maxSide) const
{
    // Find(side) stops at the first cell holding at least `side`: the cell
    // where the running largest first reaches `side`.
    TSurvey survey;
    Walk([&](int y, const uint16_t* sides, int rowLargest) {
        for (int x = 0; rowLargest > survey.largest_; ++x) {
            const int side = sides[x];
            if (side <= survey.largest_)
                continue;
            for (int reached = survey.largest_ + 1; reached <= std::min(side, maxSide); ++reached)
                survey.firstCorners_.push_back({x - reached + 1, y - reached + 1});
            survey.largest_ = side;
        }
        return false;
    });
    return survey;
}

TPoint CFreeSquareSearch::Find(int side) const
{
    TPoint found{-1, -1};
    if (side < 1)
        return found;
    Walk([&](int y, const uint16_t* sides, int rowLargest) {
        if (rowLargest < side)
            return false;
        const int x = int(std::find_if(sides, sides + mask_.Width(), [&](uint16_t s) { return s >= side; }) - sides);
        found = {x - side + 1, y - side + 1};
        return true;
    });
    return found;
}

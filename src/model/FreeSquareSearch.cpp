#include "model/FreeSquareSearch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/ProvinceMap.h"

CFreeSquareSearch::CFreeSquareSearch(const TBitmap32& mask, ReservedPixels reserved, const TRect& blocked)
    : mask_(mask), reserved_(reserved), blocked_(blocked)
{
}

bool CFreeSquareSearch::IsFree(TColor32 pixel, int x, int y) const
{
    if (pixel == 0 || (pixel == CProvinceMap::kReserved && reserved_ == kReservedBlocks))
        return false;
    return !(x >= blocked_.Left && x < blocked_.Right && y >= blocked_.Top && y < blocked_.Bottom);
}

template <typename Visit>
void CFreeSquareSearch::Walk(Visit visit) const
{
    const int width = mask_.Width(), height = mask_.Height();
    if (mask_.Empty())
        return;
    // Two rows of the table, each with a zero cell in front for column -1.
    std::vector<uint16_t> above(size_t(width) + 1, 0), current(size_t(width) + 1, 0);
    for (int y = 0; y < height; ++y) {
        const TColor32* row = mask_.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            uint16_t side = 0;
            if (IsFree(row[x], x, y))
                side = uint16_t(1 + std::min({above[size_t(x) + 1], current[size_t(x)], above[size_t(x)]}));
            current[size_t(x) + 1] = side;
            if (visit(x, y, int(side)))
                return;
        }
        above.swap(current);
    }
}

int CFreeSquareSearch::LargestSide() const
{
    int largest = 0;
    Walk([&](int, int, int side) {
        largest = std::max(largest, side);
        return false;
    });
    return largest;
}

TPoint CFreeSquareSearch::Find(int side) const
{
    TPoint found{-1, -1};
    if (side < 1)
        return found;
    Walk([&](int x, int y, int largest) {
        if (largest < side)
            return false;
        found = {x - side + 1, y - side + 1};
        return true;
    });
    return found;
}

// Where the castle and the army icon of each province piece stand: in the
// middle of the largest square, up to 100 pixels, that fits into the piece.
#include "world/CastlePlaces.h"

#include <algorithm>

#include "model/FreeSquareSearch.h"
#include "model/MapProject.h"

namespace {

constexpr int kStartSide = 100;
constexpr int kSideStep = 2;
constexpr int kCastleRoom = 20; // a smaller castle square marks the piece as without castle place
constexpr int kArmyRoom = 15;
constexpr int kMarkSide = 2;    // pixels around the castle point that the army may not take

struct TPlace {
    bool found = false;
    bool cramped = false; // the square is smaller than the piece needs
    TPoint point;         // mask coordinates
};

// The middle of the first free square of the largest side in 100, 98, ... that
// fits. When not even two pixels square fit, the search ends at side 0: the
// place is then the first free pixel, if any.
TPlace FindPlace(const CFreeSquareSearch& search, int room)
{
    const int largest = search.LargestSide();
    int side = kStartSide;
    while (side > largest && side > 0)
        side -= kSideStep;
    TPlace place;
    place.cramped = side < room;
    const TPoint corner = search.Find(std::max(side, 1));
    if (corner.X < 0)
        return place;
    place.found = true;
    place.point = {corner.X + side / 2, corner.Y + side / 2};
    return place;
}

} // namespace

void PlaceCastleAndArmy(CProvinceMap& piece)
{
    // Marks left in the mask by an earlier placement do not count: only this
    // placement's castle mark keeps the army away.
    const TPlace castle = FindPlace(CFreeSquareSearch(piece.mask, CFreeSquareSearch::kReservedIsFree), kCastleRoom);
    TRect mark{};
    if (castle.found) {
        piece.castleX = uint16_t(castle.point.X);
        piece.castleY = uint16_t(castle.point.Y);
        mark = {castle.point.X, castle.point.Y, castle.point.X + kMarkSide, castle.point.Y + kMarkSide};
        // Only pixels of the piece are marked: a mark on a pixel outside it
        // would add that pixel to the piece.
        for (int y = mark.Top; y < std::min(mark.Bottom, piece.mask.Height()); ++y)
            for (int x = mark.Left; x < std::min(mark.Right, piece.mask.Width()); ++x)
                if (piece.mask.GetPixel(x, y))
                    piece.mask.SetPixel(x, y, CProvinceMap::kReserved);
    }
    const TPlace army = FindPlace(CFreeSquareSearch(piece.mask, CFreeSquareSearch::kReservedIsFree, mark), kArmyRoom);
    const TPoint armyPoint = army.found ? army.point : TPoint{piece.castleX, piece.castleY};
    piece.armyX = uint16_t(armyPoint.X);
    piece.armyY = uint16_t(armyPoint.Y);
    if (castle.cramped || army.cramped)
        piece.kind = CProvinceMap::kProvinceWithoutCastlePlace;
}

void CMapProject::CalcCastlePlaces()
{
    CProgressScope progress(*this, "Castle's places calculating...", pieces_.GetCount());
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        progress.Step(i);
        if (pieces_.GetAt(i)->IsProvince())
            PlaceCastleAndArmy(*pieces_.GetAt(i));
    }
}

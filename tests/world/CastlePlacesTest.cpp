#include "world/AnalysisFixture.h"

namespace {

using CastlePlacesTest = AnalysisTest;

TPoint Castle(const CProvinceMap& piece) { return {piece.castleX, piece.castleY}; }
TPoint Army(const CProvinceMap& piece) { return {piece.armyX, piece.armyY}; }

std::vector<std::string> Solid(int width, int height)
{
    return std::vector<std::string>(size_t(height), std::string(size_t(width), '#'));
}

} // namespace

// The castle goes in the middle of the largest square (up to 100) that fits,
// the army likewise clear of the castle's 2 × 2 mark. A castle square below 20
// or an army square below 16 marks the piece as one without a castle place.
// Points and marks of an earlier run do not move the next run's places.
TEST_F(CastlePlacesTest, PlacesInTheLargestFreeSquares)
{
    constexpr uint32_t kCramped = CProvinceMap::kProvinceWithoutCastlePlace;
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        uint32_t kind;
        TPoint castle, army; // (7, 7): the points set before the run are kept
        uint32_t placedKind;
    };
    const Case cases[] = {
        {"the army's square of 100 starts just right of the mark", Solid(300, 300), CProvinceMap::kProvince,
         {50, 50}, {102, 50}, CProvinceMap::kProvince},
        {"side 18 at (0, 0); the army's 18 at (11, 0), clear of the mark at columns 9 and 10", Solid(60, 19),
         CProvinceMap::kProvince, {9, 9}, {20, 9}, kCramped},
        {"a castle square of 20, none of 16 beside the mark", Solid(20, 20), CProvinceMap::kProvince, {10, 10},
         {5, 5}, kCramped},
        {"squares of 2 at (0, 0) and (6, 0); three of the four mark pixels lie outside the piece",
         {"##..####", "##.#..##", "...#####"}, CProvinceMap::kProvince, {1, 1}, {7, 1}, kCramped},
        {"nothing of two by two: the search ends at side 0 on the first free pixel", {".#.#", "#.#.", ".#.#"},
         CProvinceMap::kProvince, {1, 0}, {3, 0}, kCramped},
        {"other kinds keep their points", Solid(50, 50), CProvinceMap::kGreenLand, {7, 7}, {7, 7},
         CProvinceMap::kGreenLand},
    };
    for (const Case& c : cases)
        AddPiece(40, 30, c.rows, c.kind);
    for (int run = 0; run < 2; ++run) {
        for (int i = 0; i < project.GetPieces().GetCount(); ++i) {
            CProvinceMap& piece = *project.GetPieces().GetAt(i);
            piece.castleX = piece.castleY = piece.armyX = piece.armyY = 7;
        }
        project.CalcCastlePlaces();
        for (int i = 0; i < project.GetPieces().GetCount(); ++i) {
            SCOPED_TRACE(testing::Message() << "run " << run << ": " << cases[i].what);
            const CProvinceMap& piece = *project.GetPieces().GetAt(i);
            EXPECT_EQ(Castle(piece), cases[i].castle);
            EXPECT_EQ(Army(piece), cases[i].army);
            EXPECT_EQ(piece.kind, cases[i].placedKind);
        }
    }
    EXPECT_EQ(progress.calls.front(), "start Castle's places calculating... 6");

    // The mark: the castle point and the three pixels right and below it, where in the piece.
    const TBitmap32& large = project.GetPieces().GetAt(0)->mask;
    const TBitmap32& holed = project.GetPieces().GetAt(3)->mask;
    for (const auto& [mask, x, y, pixel] :
         {std::tuple{&large, 51, 51, CProvinceMap::kReserved}, {&large, 52, 50, 0xFF0000CCu},
          {&holed, 1, 1, CProvinceMap::kReserved}, {&holed, 2, 2, 0u}, {&project.GetPieces().GetAt(5)->mask, 25, 25, 0xFF0000CCu}})
        EXPECT_EQ(mask->GetPixel(x, y), pixel) << x << ", " << y;
}

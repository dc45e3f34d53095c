#include "world/AnalysisFixture.h"

namespace {

using CastlePlacesTest = AnalysisTest;

TPoint Castle(const CProvinceMap& piece) { return {piece.castleX, piece.castleY}; }
TPoint Army(const CProvinceMap& piece) { return {piece.armyX, piece.armyY}; }

} // namespace

TEST_F(CastlePlacesTest, SquarePieceOfThreeHundred)
{
    CProvinceMap& piece = AddSolidPiece(40, 30, 300, 300);
    project.CalcCastlePlaces();
    EXPECT_EQ(Castle(piece), (TPoint{50, 50}));
    for (int y = 50; y <= 51; ++y)
        for (int x = 50; x <= 51; ++x)
            EXPECT_EQ(piece.mask.GetPixel(x, y), CProvinceMap::kReserved);
    EXPECT_EQ(piece.mask.GetPixel(52, 50), 0xFF0000CCu);
    // The first square of 100 clear of the mark starts just right of it.
    EXPECT_EQ(Army(piece), (TPoint{102, 50}));
    EXPECT_EQ(piece.kind, CProvinceMap::kProvince);
    EXPECT_EQ(progress.calls.front(), "start Castle's places calculating... 1");
}

// A castle square below 20 or an army square below 16 marks the piece as one
// without a castle place.
TEST_F(CastlePlacesTest, SmallSquaresMarkThePiece)
{
    // 60 × 19: side 18 at (0, 0); the army's side 18 at (11, 0), clear of the mark at columns 9 and 10.
    CProvinceMap& low = AddSolidPiece(0, 0, 60, 19);
    // 20 × 20: room for a castle square of 20, none of 16 beside the mark.
    CProvinceMap& square = AddSolidPiece(100, 0, 20, 20);
    project.CalcCastlePlaces();
    EXPECT_EQ(low.kind, CProvinceMap::kProvinceWithoutCastlePlace);
    EXPECT_EQ(Castle(low), (TPoint{9, 9}));
    EXPECT_EQ(Army(low), (TPoint{20, 9}));
    EXPECT_EQ(square.kind, CProvinceMap::kProvinceWithoutCastlePlace);
    EXPECT_EQ(Castle(square), (TPoint{10, 10}));
}

TEST_F(CastlePlacesTest, MarksOfAnEarlierRunDoNotMoveTheNextRunsPlaces)
{
    CProvinceMap& piece = AddSolidPiece(0, 0, 300, 300);
    project.CalcCastlePlaces();
    piece.castleX = piece.castleY = piece.armyX = piece.armyY = 0;
    project.CalcCastlePlaces();
    EXPECT_EQ(Castle(piece), (TPoint{50, 50}));
    EXPECT_EQ(Army(piece), (TPoint{102, 50}));
}

TEST_F(CastlePlacesTest, OnlyPixelsOfThePieceAreMarked)
{
    // A castle square of 2 at (0, 0): the point (1, 1); three of the four mark
    // pixels lie outside the piece.
    CProvinceMap& piece = AddPiece(0, 0, {"##..####",
                                          "##.#..##",
                                          "...#####"});
    project.CalcCastlePlaces();
    EXPECT_EQ(Castle(piece), (TPoint{1, 1}));
    EXPECT_EQ(piece.mask.GetPixel(1, 1), CProvinceMap::kReserved);
    EXPECT_EQ(piece.mask.GetPixel(2, 1), 0u);
    EXPECT_EQ(piece.mask.GetPixel(1, 2), 0u);
    EXPECT_EQ(piece.mask.GetPixel(2, 2), 0u);
    EXPECT_EQ(Army(piece), (TPoint{7, 1})); // the other square of 2, at (6, 0)
    EXPECT_EQ(piece.kind, CProvinceMap::kProvinceWithoutCastlePlace);
}

// Nothing of two by two fits: the search ends at side 0 on the first free pixel.
TEST_F(CastlePlacesTest, TheSearchEndsOnAPieceWithoutAnySquare)
{
    CProvinceMap& piece = AddPiece(3, 3, {".#.#",
                                          "#.#.",
                                          ".#.#"});
    project.CalcCastlePlaces();
    EXPECT_EQ(Castle(piece), (TPoint{1, 0}));
    EXPECT_EQ(Army(piece), (TPoint{3, 0}));
    EXPECT_EQ(piece.kind, CProvinceMap::kProvinceWithoutCastlePlace);
}

TEST_F(CastlePlacesTest, OtherKindsKeepTheirPoints)
{
    CProvinceMap& piece = AddSolidPiece(0, 0, 50, 50);
    piece.kind = CProvinceMap::kGreenLand;
    piece.castleX = 7;
    project.CalcCastlePlaces();
    EXPECT_EQ(Castle(piece), (TPoint{7, 0}));
    EXPECT_EQ(piece.mask.GetPixel(25, 25), 0xFF0000CCu);
}

#include "world/AnalysisFixture.h"

#include <random>

namespace {

using NeighboursTest = AnalysisTest;

// The neighbour calculation as a walk over every mask position, columns
// outer, looking each touching pixel up in the piece map one by one.
void CalcNeighboursPixelByPixel(CMapProject& project, uint8_t kindFilter)
{
    CProvinceMapList& pieces = project.GetPieces();
    for (int i = 0; i < pieces.GetCount(); ++i)
        pieces.GetAt(i)->neighbours.SetSize(0);
    auto maskAt = [](const CProvinceMap& piece, int x, int y) {
        return x < 0 || y < 0 || x >= piece.mask.Width() || y >= piece.mask.Height() ? 0u : piece.mask.GetPixel(x, y);
    };
    for (int i = 0; i < pieces.GetCount(); ++i) {
        CProvinceMap& piece = *pieces.GetAt(i);
        if (piece.IsEmpty() || piece.IsGreenLand() || piece.IsOcean() || (kindFilter && kindFilter != piece.kind))
            continue;
        for (int x = -1; x <= piece.mask.Width(); ++x)
            for (int y = -1; y <= piece.mask.Height(); ++y) {
                if (maskAt(piece, x, y) || !(maskAt(piece, x - 1, y) || maskAt(piece, x, y - 1)))
                    continue;
                const uint16_t j = uint16_t(project.GetPieceAt(x + piece.left, y + piece.top));
                const CProvinceMap* other = pieces.GetAt(j);
                if (j != 0xFFFF && other && !other->IsEmpty() && !other->IsGreenLand() && !other->IsOcean())
                    piece.AddNeighbour(j);
            }
    }
}

std::vector<Ints> AllNeighbours(const CMapProject& project)
{
    std::vector<Ints> lists;
    for (int i = 0; i < project.GetPieces().GetCount(); ++i) {
        const VK::CSimpleArray<uint16_t>& list = project.GetPieces().GetAt(i)->neighbours;
        lists.emplace_back(list.GetData(), list.GetData() + list.GetSize());
    }
    return lists;
}

// Provinces of random colours on a ragged grid, with small specks.
void RandomProvinces(std::mt19937& random, int width, int height, TBitmap32& image)
{
    image.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int cell = (x + int(random() % 3)) / 12 + 7 * ((y + int(random() % 3)) / 12);
            image.SetPixel(x, y, cell % 5 == 0 ? TheSettings().OceanColor() : 0xFF000000u + uint32_t(cell % 9) * 977);
        }
    for (int speck = 0; speck < 30; ++speck)
        image.SetPixel(int(random() % unsigned(width)), int(random() % unsigned(height)), 0xFF00FFFFu);
}

} // namespace

TEST_F(NeighboursTest, ListsMatchThePixelByPixelWalkInContentAndOrder)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        TBitmap32 image;
        RandomProvinces(random, 40 + int(random() % 60), 40 + int(random() % 60), image);
        Extract(image);
        for (uint8_t filter : {0, 3, 5}) {
            CalcNeighboursPixelByPixel(project, filter);
            const std::vector<Ints> expected = AllNeighbours(project);
            project.CalcNeighbours(filter);
            EXPECT_EQ(AllNeighbours(project), expected) << "seed " << seed << " filter " << int(filter);
        }
        project.GetPieces().DeleteAll();
    }
}

TEST_F(NeighboursTest, CornersAreNoNeighboursAndSeaAndGreenLandNeverEnter)
{
    Extract(WorldFromArt({"AB\"",
                          "BA~",
                          "AA~"}));
    project.CalcNeighbours(0);
    // Pieces: A (0,0), B (0,1), A (1,1), B (1,0), green, ocean.
    EXPECT_EQ(AllNeighbours(project), (std::vector<Ints>{{1, 3}, {0, 2}, {1, 3}, {0, 2}, {}, {}}));
}

TEST_F(NeighboursTest, AFilterVisitsOnlyItsKindButListsStayMutual)
{
    Extract(WorldFromArt({"ABC",
                          "ABC"}));
    Piece(0).kind = CProvinceMap::kProvince;
    Piece(1).kind = CProvinceMap::kProvinceWithoutCastlePlace;
    Piece(2).kind = CProvinceMap::kProvinceWithoutCastlePlace;
    project.CalcNeighbours(CProvinceMap::kProvince);
    // B's list is added to from A's side; B's touch with C is never looked at.
    EXPECT_EQ(AllNeighbours(project), (std::vector<Ints>{{1}, {0}, {}}));
    EXPECT_EQ(progress.calls[progress.calls.size() - 5], "start Neighbours calculation... 3");
}

// (Small pieces without a province turning into green land: the world fixtures.)
TEST_F(NeighboursTest, ASmallPieceInsideAProvinceIsAbsorbedAndTheWarningNamesTheProvince)
{
    std::vector<std::string> art(20, std::string(20, 'A'));
    art[5][5] = art[5][6] = 'b';
    Extract(WorldFromArt(art));
    CProvince& province = AddProvince();
    province.pieceIndex = 0;
    Table().SetProvinceName(&province, "Avalon");
    project.CalcNeighbours(0);
    EXPECT_EQ(project.ReconnectSmallPieces(), 1);
    project.PurgeProvinceMaps();
    ASSERT_EQ(PieceCount(), 1);
    EXPECT_EQ(Piece(0).pixelCount, 398u); // the province's count stays its own
    EXPECT_EQ(project.GetPieceAt(5, 5), 0u);
    EXPECT_EQ(Piece(0).mask.GetPixel(6, 5), CProvinceMap::kMergedPixel);
    EXPECT_EQ(WarningTexts(), Texts{"Piece was connected to Avalon"});
}

TEST_F(NeighboursTest, ASmallPieceBetweenTwoProvincesJoinsTheFirst)
{
    std::vector<std::string> art = Art(41, 20, 'A', {{21, 0, 20, 20, 'B'}});
    art[5][20] = 'c';
    Analyse(WorldFromArt(art));
    ASSERT_EQ(PieceCount(), 2);
    EXPECT_EQ(project.GetPieceAt(20, 5), 0u);
    EXPECT_EQ(warnings.GetCount(), 1);
}

// c touches the province only through d: the list grows while it is walked.
TEST_F(NeighboursTest, SmallPiecesReachedThroughAbsorbedOnesAreAbsorbedToo)
{
    std::vector<std::string> art = Art(30, 20, '~', {{0, 0, 20, 20, 'A'}});
    art[5][20] = 'd';
    art[5][21] = 'c';
    Analyse(WorldFromArt(art));
    ASSERT_EQ(PieceCount(), 2);
    EXPECT_EQ(Piece(0).left, 0);
    EXPECT_EQ(Piece(0).right, 21); // bounds grew over both
    EXPECT_EQ(project.GetPieceAt(21, 5), 0u);
    EXPECT_EQ(WarningTexts(), Texts(2, "Piece was connected to <unhandled map>"));
}

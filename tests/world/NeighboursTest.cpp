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


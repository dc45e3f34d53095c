#include "model/ProvinceMap.h"

#include "model/FreeSquareSearch.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

namespace {

using ProvinceMapTest = SetUpProjectTest;

std::vector<int> Neighbours(const CProvinceMap& piece)
{
    std::vector<int> list;
    for (int i = 0; i < piece.neighbours.GetSize(); ++i)
        list.push_back(piece.neighbours[i]);
    return list;
}

using Ints = std::vector<int>;

} // namespace

TEST_F(ProvinceMapTest, NeighboursStaySymmetric)
{
    CProvinceMap& a = AddSolidPiece(0, 0, 2, 2);
    CProvinceMap& b = AddSolidPiece(2, 0, 2, 2);
    CProvinceMap& c = AddSolidPiece(4, 0, 2, 2);
    a.AddNeighbour(1);
    a.AddNeighbour(1);
    a.AddNeighbour(0);      // itself
    a.AddNeighbour(0xFFFF); // no piece
    a.AddNeighbour(7);      // no piece at that index
    c.AddNeighbour(1);
    EXPECT_EQ(Neighbours(a), Ints{1});
    EXPECT_EQ(Neighbours(b), (Ints{0, 2}));
    EXPECT_EQ(Neighbours(c), Ints{1});

    a.RemoveNeighbour(2); // not a neighbour
    EXPECT_EQ(Neighbours(a), Ints{1});
    EXPECT_EQ(Neighbours(c), Ints{1});
    b.RemoveNeighbour(0);
    EXPECT_EQ(Neighbours(a), Ints{});
    EXPECT_EQ(Neighbours(b), Ints{2});

    AddPiece(6, 0, {"..", ".."});
    a.AddNeighbour(3); // an empty piece is no neighbour
    EXPECT_EQ(Neighbours(a), Ints{});
}

TEST_F(ProvinceMapTest, RemovingAPieceRenumbersEveryNeighbourList)
{
    for (int i = 0; i < 4; ++i)
        AddSolidPiece(2 * i, 0, 2, 2);
    CProvinceMapList& pieces = project.GetPieces();
    pieces.GetAt(0)->AddNeighbour(1);
    pieces.GetAt(0)->AddNeighbour(3);
    pieces.GetAt(1)->AddNeighbour(2);
    pieces.GetAt(2)->AddNeighbour(3);
    CProvinceMap* last = pieces.GetAt(3);
    pieces.Remove(1);
    ASSERT_EQ(pieces.GetCount(), 3);
    EXPECT_EQ(pieces.GetAt(2), last);
    EXPECT_EQ(Neighbours(*pieces.GetAt(0)), Ints{2});
    EXPECT_EQ(Neighbours(*pieces.GetAt(1)), Ints{2});
    EXPECT_EQ(Neighbours(*pieces.GetAt(2)), (Ints{0, 1}));
    EXPECT_THROW(pieces.Remove(3), std::out_of_range);
    EXPECT_THROW(pieces.Remove(-1), std::out_of_range);
    EXPECT_EQ(pieces.GetAt(3), nullptr);
    EXPECT_EQ(pieces.IndexOf(nullptr), -1);
}

TEST_F(ProvinceMapTest, BigEnoughNeedsFourByFourAndTwoHundredFiftyPixels)
{
    EXPECT_FALSE(AddSolidPiece(0, 0, 3, 100).IsBigEnough());
    EXPECT_FALSE(AddSolidPiece(0, 0, 100, 3).IsBigEnough());

    std::vector<std::string> rows(20, std::string(20, '.'));
    for (int i = 0; i < 249; ++i)
        rows[i / 20][i % 20] = '#';
    EXPECT_FALSE(AddPiece(0, 0, rows).IsBigEnough());
    rows[12][9] = 'r'; // a reserved pixel counts: it is not zero
    CProvinceMap& enough = AddPiece(0, 0, rows);
    EXPECT_TRUE(enough.IsBigEnough());
    EXPECT_EQ(enough.mask.GetPixel(9, 12), 0xFFFFFFFFu); // counted pixels turn white
    EXPECT_EQ(enough.mask.GetPixel(10, 12), 0u);
}

// The column skip may jump over squares only when they are blocked: on random
// masks with holes and reserved pixels the search finds the first free square
// in row-major order.
TEST_F(ProvinceMapTest, FreeSquareSearchMatchesAnExhaustiveSearch)
{
    const unsigned seed = 20240601;
    std::mt19937 random(seed);
    for (int round = 0; round < 200; ++round) {
        const int width = 4 + int(random() % 20), height = 4 + int(random() % 20);
        const int holes = int(random() % 12);
        std::vector<std::string> rows(size_t(height), std::string(size_t(width), '#'));
        for (int h = 0; h < holes; ++h)
            rows[random() % height][random() % width] = random() % 2 ? 'r' : '.';
        const int side = 1 + int(random() % 8);
        CProvinceMap& piece = AddPiece(0, 0, rows);

        TPoint expected{-1, -1};
        for (int y = 0; y + side <= height && expected.X < 0; ++y)
            for (int x = 0; x + side <= width && expected.X < 0; ++x) {
                bool free = true;
                for (int j = 0; j < side && free; ++j)
                    for (int i = 0; i < side && free; ++i)
                        free = rows[y + j][x + i] == '#';
                if (free)
                    expected = {x, y};
            }
        const TPoint found = piece.FindFreeSquare(side);
        ASSERT_EQ(found, expected) << "seed " << seed << ", round " << round << ", side " << side;
        // One survey answers the same for every side up to its limit.
        const CFreeSquareSearch search(piece.mask, CFreeSquareSearch::kReservedBlocks);
        const CFreeSquareSearch::TSurvey survey = search.Survey(8);
        ASSERT_EQ(survey.FirstSquare(side), expected) << "seed " << seed << ", round " << round;
        ASSERT_EQ(search.Find(survey.Largest()).X < 0, survey.Largest() == 0) << "seed " << seed << ", round " << round;
        ASSERT_EQ(search.Find(survey.Largest() + 1).X, -1) << "seed " << seed << ", round " << round;
    }
}

TEST_F(ProvinceMapTest, MergeUnitesBoundsMasksMapAndNeighbours)
{
    project.SetMapSize(10, 10);
    CProvinceMap& target = AddPiece(2, 2, {"###", "#r#", "###"});
    CProvinceMap& small = AddPiece(5, 3, {"#.", "##"}, CProvinceMap::kSmall);
    CProvinceMap& beyond = AddSolidPiece(7, 3, 1, 1);
    small.AddNeighbour(0);
    small.AddNeighbour(2);
    project.ReassignMapIndexes();
    const uint32_t targetPixels = target.pixelCount;

    ASSERT_EQ(target.Merge(&small), 1);
    EXPECT_EQ((Ints{target.left, target.top, target.right, target.bottom}), (Ints{2, 2, 6, 4}));
    EXPECT_EQ(target.pixelCount, targetPixels); // left as it was
    // A reserved pixel keeps its place although its alpha is 0.
    EXPECT_EQ(MaskRows(target.mask), (std::vector<std::string>{"###..", "#r##.", "#####"}));
    EXPECT_EQ(project.GetPieceAt(5, 3), 0u);
    EXPECT_EQ(project.GetPieceAt(6, 4), 0u);
    EXPECT_EQ(project.GetPieceAt(6, 3), CMapProject::kNoPiece);
    EXPECT_TRUE(small.IsEmpty());
    EXPECT_EQ(small.mask.GetPixel(0, 0), 0u);
    // The emptied piece stays listed until the empty pieces are purged.
    EXPECT_EQ(Neighbours(target), (Ints{1, 2}));
    EXPECT_EQ(Neighbours(beyond), (Ints{1, 0}));

    EXPECT_EQ(target.Merge(&small), 0); // now empty
    EXPECT_EQ(target.Merge(nullptr), 0);
    EXPECT_EQ(target.Merge(&target), 0);

    CProvinceMap& inside = AddPiece(5, 2, {"##"}); // inside the bounds, which stay
    ASSERT_EQ(target.Merge(&inside), 1);
    EXPECT_EQ(MaskRows(target.mask), (std::vector<std::string>{"#####", "#r##.", "#####"}));
}

// A target and small pieces scattered around it, each with its own pixels.
class MergeBatchTest : public SetUpProjectTest {
protected:
    void Build(CMapProject& into, unsigned seed)
    {
        std::mt19937 random(seed);
        into.SetMapSize(60, 60);
        auto add = [&](int left, int top, int width, int height) {
            auto piece = std::make_unique<CProvinceMap>(into);
            piece->left = int16_t(left);
            piece->top = int16_t(top);
            piece->right = int16_t(left + width - 1);
            piece->bottom = int16_t(top + height - 1);
            piece->mask.SetSize(width, height);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (random() % 3) {
                        piece->mask.SetPixel(x, y, 0xFF000000u | random());
                        ++piece->pixelCount;
                    }
            piece->mask.SetPixel(0, 0, 0xFF123456u);
            ++piece->pixelCount;
            into.GetPieces().Add(std::move(piece));
        };
        add(20, 20, 10, 10);
        for (int i = 0; i < 6; ++i)
            add(int(random() % 50), int(random() % 50), 1 + int(random() % 10), 1 + int(random() % 10));
        for (int i = 1; i <= 6; ++i)
            into.GetPieces().GetAt(i)->AddNeighbour(uint16_t(1 + (i % 6)));
        into.ReassignMapIndexes();
    }
};

TEST_F(MergeBatchTest, OnePassGivesWhatMergingOneByOneGives)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        CMapProject oneByOne, batched;
        Build(oneByOne, seed);
        Build(batched, seed);
        CProvinceMap& a = *oneByOne.GetPieces().GetAt(0);
        CProvinceMap& b = *batched.GetPieces().GetAt(0);
        {
            CPieceMerge merge(b);
            for (int i : {3, 1, 5, 3, 2}) {
                EXPECT_EQ(merge.Add(batched.GetPieces().GetAt(i)), a.Merge(oneByOne.GetPieces().GetAt(i)));
                EXPECT_TRUE(batched.GetPieces().GetAt(i)->IsEmpty());
            }
        }
        SCOPED_TRACE("seed " + std::to_string(seed));
        EXPECT_EQ((std::vector<int>{a.left, a.top, a.right, a.bottom}),
                  (std::vector<int>{b.left, b.top, b.right, b.bottom}));
        EXPECT_TRUE(a.mask.Equal(b.mask));
        EXPECT_EQ(Neighbours(a), Neighbours(b));
        for (int i = 1; i < 7; ++i)
            EXPECT_TRUE(oneByOne.GetPieces().GetAt(i)->mask.Equal(batched.GetPieces().GetAt(i)->mask));
        EXPECT_EQ(oneByOne.GetMapMap().GetData() != nullptr, true);
        EXPECT_TRUE(std::equal(oneByOne.GetMapMap().GetData(), oneByOne.GetMapMap().GetData() + 3600,
                               batched.GetMapMap().GetData()));
    }
}

TEST(FreeSquareSearch, LargestSideAndTheMarksThatCount)
{
    auto largest = [](const CFreeSquareSearch& search) { return search.Survey(1).Largest(); };
    TBitmap32 mask;
    mask.SetSize(6, 5);
    mask.Clear(0xFF00FF00);
    EXPECT_EQ(largest(CFreeSquareSearch(mask, CFreeSquareSearch::kReservedBlocks)), 5);
    mask.SetPixel(2, 2, CProvinceMap::kReserved);
    EXPECT_EQ(largest(CFreeSquareSearch(mask, CFreeSquareSearch::kReservedBlocks)), 3); // columns 3 to 5
    EXPECT_EQ(largest(CFreeSquareSearch(mask, CFreeSquareSearch::kReservedIsFree)), 5);
    const CFreeSquareSearch blocked(mask, CFreeSquareSearch::kReservedIsFree, TRect{0, 0, 1, 5});
    EXPECT_EQ(largest(blocked), 5);
    EXPECT_EQ(blocked.Find(5), (TPoint{1, 0}));
    EXPECT_EQ(blocked.Find(0), (TPoint{-1, -1}));
    mask.Clear(0);
    EXPECT_EQ(largest(CFreeSquareSearch(mask, CFreeSquareSearch::kReservedBlocks)), 0);
    EXPECT_EQ(CFreeSquareSearch(TBitmap32(), CFreeSquareSearch::kReservedBlocks).Find(1), (TPoint{-1, -1}));
}

#include "world/ColorRegions.h"

#include "world/WorldArt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each region as "colour left,top-right,bottom pixels".
std::vector<std::string> Summaries(const std::vector<std::string>& art)
{
    const CColorRegions regions{WorldFromArt(art)};
    std::vector<std::string> list;
    for (int i = 0; i < regions.Count(); ++i) {
        const CColorRegions::TRegion& r = regions[i];
        list.push_back(std::string(1, ArtChar(r.color)) + ' ' + std::to_string(r.left) + ',' + std::to_string(r.top) +
                       '-' + std::to_string(r.right) + ',' + std::to_string(r.bottom) + ' ' +
                       std::to_string(r.pixelCount));
    }
    return list;
}

} // namespace

TEST(ColorRegions, FourConnectedRegionsNumberedColumnByColumn)
{
    struct Case {
        const char* what;
        std::vector<std::string> art;
        std::vector<std::string> regions;
    };
    const Case cases[] = {
        {"row by row B comes first; column by column A does", {".B", "AB", "A."}, {"A 0,1-0,2 2", "B 1,0-1,1 2"}},
        {"a region whose first column starts below its top row", {"..B", "BBB"}, {"B 0,0-2,1 4"}},
        {"branches joined lower down", {"A.A.A", "A.A.A", "AAAAA", "B.B.B"},
         {"A 0,0-4,2 11", "B 0,3-0,3 1", "B 2,3-2,3 1", "B 4,3-4,3 1"}},
        {"corners do not connect", {"A.", ".A"}, {"A 0,0-0,0 1", "A 1,1-1,1 1"}},
        {"zero pixels belong to no region and enclose one", {".....", ".AAA.", ".A.A.", ".AAA.", "....."},
         {"A 1,1-3,3 8"}},
        {"a lone pixel", {"...", ".A.", "..."}, {"A 1,1-1,1 1"}},
        {"nothing but zero", {"..", ".."}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Summaries(c.art), c.regions) << c.what;
    EXPECT_EQ(CColorRegions(TBitmap32()).Count(), 0);
}

TEST(ColorRegions, TheFirstRegionsAreKeptAllCountedAndTheirRunsTaken)
{
    const WorldFromArt image({".AA",
                              "AA.",
                              "A.A"});
    const CColorRegions all(image), first(image, 1), none(image, 0);
    EXPECT_EQ(all.Count(), 2);
    EXPECT_EQ(none.Count(), 0);
    ASSERT_EQ(first.Count(), 1);
    EXPECT_EQ(first.Total(), 2);
    EXPECT_EQ((std::vector<int>{first[0].firstX, first[0].firstY}), (std::vector<int>{0, 1}));
    std::vector<uint16_t> cells(9, 7);
    std::vector<CColorRegions::TRun> runs;
    first.TakeRuns(image, 0, cells.data(), 0, runs);
    EXPECT_EQ(cells, (std::vector<uint16_t>{7, 0, 0, 0, 0, 7, 0, 7, 7}));
    EXPECT_EQ(runs.size(), 3u);
}

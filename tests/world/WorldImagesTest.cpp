#include "world/BlockImages.h"
#include "world/PreviewImage.h"
#include "world/WorldCodes.h"

#include "PictureDecoder.h"
#include "SyntheticWorld.h"
#include "TestFiles.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kOcean = CProvinceMap::kOcean;
constexpr uint32_t kGreen = CProvinceMap::kGreenLand;
constexpr uint32_t kProvince = CProvinceMap::kProvince;

test::DecodedPicture Decode(const fs::path& file)
{
    test::DecodedPicture picture;
    const std::string error = test::DecodePicture(test::ReadFile(file), 0xEE, picture);
    EXPECT_EQ(error, "") << file;
    return picture;
}

class WorldImagesTest : public testing::Test {
protected:
    void Build()
    {
        std::string error;
        EXPECT_TRUE(codes.Build(project, error)) << error;
    }

    CMapProject project;
    CWorldCodes codes;
    platform::TemporaryFolder folder;
};

// 300 x 200: ocean west of x = 100 except province C in its top-left corner,
// province A in the middle band, province B in the north-east and green land in
// the south-east. Pieces 0 ocean, 1 C, 2 A, 3 B, 4 green; provinces 0 C, 1 A, 2 B.
TEST_F(WorldImagesTest, BlocksCodesAndMapOfASmallWorld)
{
    test::AddLabelledPieces(
        project, 300, 200, [](int x, int y) { return x < 100 ? (y < 50 ? 1 : 0) : x < 200 ? 2 : y < 100 ? 3 : 4; },
        {kOcean, kProvince, kProvince, kProvince, kGreen});
    test::AddProvincesForPieces(project);
    Build();
    ASSERT_EQ(codes.Columns(), 3);
    ASSERT_EQ(codes.Rows(), 2);
    EXPECT_EQ(codes.StripWidth(0), 128);
    EXPECT_EQ(codes.StripWidth(2), 44);

    // Each code by hand once (the random worlds hold the rest to a plain version):
    // ocean, land, every shade, and local numbers counted per block.
    EXPECT_EQ(codes.CodeAt(50, 100), 255);
    EXPECT_EQ(codes.CodeAt(250, 150), 31);
    EXPECT_EQ(codes.CodeAt(0, 0), 1 << 5 | 0);    // C: upper-left corner, lightened twice, k 0
    EXPECT_EQ(codes.CodeAt(50, 25), 0);           // C inside
    EXPECT_EQ(codes.CodeAt(50, 48), 3 << 5 | 0);  // C: above its lower edge, darkened once
    EXPECT_EQ(codes.CodeAt(50, 49), 4 << 5 | 0);  // C: lower edge, darkened twice
    EXPECT_EQ(codes.CodeAt(101, 60), 2 << 5 | 1); // A, lightened once: second piece of block (0, 0)
    EXPECT_EQ(codes.CodeAt(130, 60), 0 << 5 | 0); // A: the first of block (1, 0)
    EXPECT_EQ(codes.CodeAt(250, 50), 0 << 5 | 1); // B: second in block (1, 0)
    EXPECT_EQ(codes.CodeAt(280, 50), 0 << 5 | 0); // B: first in block (2, 0)

    // No domain image for a world of at most 320 on both sides.
    EXPECT_FALSE(HasDomainImage(320, 320));
    EXPECT_TRUE(HasDomainImage(321, 100));
    EXPECT_TRUE(HasDomainImage(100, 321));
    std::string error;
    ASSERT_TRUE(project.ExportDomainImage(folder.Path(), error)) << error;
    ASSERT_TRUE(WriteDomainBlocks(project, codes, folder.Path(), error)) << error;
    ASSERT_TRUE(project.ExportWorldImage(folder.Path(), error)) << error;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"block0.img", "block1.img", "block2.img", "map.dat"}));
    // Column by column, each block its (k, province) pairs in the order of k.
    EXPECT_EQ(test::ReadFile(folder.Path() / "map.dat"),
              (Bytes{0x2C, 0x01, 0xC8, 0x00, 3,      // 300 x 200, 3 columns
                     2, 2, 0, 0, 1, 1, 1, 0, 1,      // C, A | A
                     2, 2, 0, 1, 1, 2, 1, 0, 1,      // A, B | A
                     2, 1, 0, 2, 0}));               // B | nothing
    // (The export's read-back holds every block to its strip of codes.)
    const test::DecodedPicture last = Decode(folder.Path() / "block2.img");
    EXPECT_EQ((std::vector<uint32_t>{last.width, last.height, last.transparent}), (std::vector<uint32_t>{44, 200, 0}));
    EXPECT_EQ(last.pixels, codes.Strip(2));
}

TEST_F(WorldImagesTest, ABlockNamesAtMost31ProvincePieces)
{
    // Stripes four pixels wide across one block, numbered from the west, and green land east of them.
    std::string error;
    for (int count : {31, 32}) {
        project.GetProvinces().DeleteAll();
        project.GetPieces().DeleteAll();
        std::vector<uint32_t> kinds(size_t(count), kProvince);
        kinds.push_back(kGreen);
        test::AddLabelledPieces(project, 128, 128, [count](int x, int) { return std::min(x / 4, count); }, kinds);
        test::AddProvincesForPieces(project);
        ASSERT_EQ(codes.Build(project, error), count == 31) << count;
        if (count == 31) {
            EXPECT_EQ(codes.Map().columns.GetAt(0)->cells.GetAt(0)->entries[30], (CProvincesMapID{30, 30}));
        }
    }
    EXPECT_NE(error.find("block (0, 0)"), std::string::npos) << error;
    EXPECT_NE(error.find("32 province pieces"), std::string::npos) << error;
}
TEST(WorldCodes, WorldsTheIndexMapCannotHoldAreRefused)
{
    CMapProject project;
    CWorldCodes codes;
    std::string error;
    EXPECT_FALSE(codes.Build(project, error));
    EXPECT_NE(error.find("no world image"), std::string::npos);
    project.SetMapSize(32641, 10);
    EXPECT_FALSE(codes.Build(project, error));
    EXPECT_NE(error.find("32640"), std::string::npos) << error;
}

// ---- Preview -------------------------------------------------------------------

TEST(ShrinkPreview, CellsTakeTheirTopLeftValueUnlessAQuarterIsBorderAndSmallWorldsAreCopied)
{
    // 480 x 320 into 96 x 96: cells of 5 columns and 3 or 4 rows.
    Bytes source(480 * 320, 5);
    auto at = [&](int x, int y) -> uint8_t& { return source[size_t(y) * 480 + size_t(x)]; };
    at(1, 0) = at(4, 2) = at(2, 1) = at(3, 0) = 0xFA; // 4 of 15 in cell (0, 0)
    at(5, 0) = 7;
    at(6, 1) = at(7, 2) = at(9, 2) = 0xFA;            // 3 of 15 in cell (1, 0)
    at(11, 6) = at(11, 7) = at(12, 8) = at(13, 9) = at(14, 9) = 0xFA; // 5 of 20 in cell (2, 2)
    at(16, 6) = at(16, 7) = at(17, 8) = at(18, 9) = at(19, 9) = at(15, 9) = 0xFA; // 6 of 20 in cell (3, 2)
    const Bytes preview = ShrinkPreview(source, 480, 320, 96, 96);
    ASSERT_EQ(preview.size(), 96u * 96u);
    EXPECT_EQ(preview[0], 0xFA);
    EXPECT_EQ(preview[1], 7);
    EXPECT_EQ(preview[2 * 96 + 2], 5);
    EXPECT_EQ(preview[2 * 96 + 3], 0xFA);
    EXPECT_EQ(preview[95 * 96 + 95], 5);

    // A world within the limits is copied.
    Bytes small(30 * 20);
    for (size_t i = 0; i < small.size(); ++i)
        small[i] = uint8_t(i % 7 == 0 ? 0xFA : i);
    EXPECT_EQ(ShrinkPreview(small, 30, 20, 30, 20), small);
}

TEST_F(WorldImagesTest, PreviewValuesAndSize)
{
    // 64 x 200: ocean, green land, a small piece, an owned and an unowned province piece.
    test::AddLabelledPieces(
        project, 64, 200, [](int x, int y) { return y < 40 ? 0 : y < 80 ? 1 : y < 90 ? 2 : x < 32 ? 3 : 4; },
        {kOcean, kGreen, CProvinceMap::kSmall, kProvince, kProvince});
    auto province = std::make_unique<CProvince>(project);
    province->pieceIndex = 4;
    project.GetProvinces().Add(std::move(province));
    Build();
    // The value of each kind by hand once (the random worlds hold the rest to a plain version).
    const Bytes& source = codes.PreviewSource();
    auto at = [&](int x, int y) { return source[size_t(y) * 64 + size_t(x)]; };
    EXPECT_EQ(at(10, 10), 0xFE);
    EXPECT_EQ(at(10, 50), 0xFF);
    EXPECT_EQ(at(10, 85), 0);     // a small piece
    EXPECT_EQ(at(10, 150), 0);    // no province owns piece 3
    EXPECT_EQ(at(40, 150), 0);    // inside province 0
    EXPECT_EQ(at(63, 150), 0xFA); // darkened edges are borders

    std::string error;
    ASSERT_TRUE(project.ExportPreview(folder.Path() / "Preview.img", kPreviewSide, kPreviewSide, error)) << error;
    const test::DecodedPicture preview = Decode(folder.Path() / "Preview.img");
    EXPECT_EQ(preview.width, 64u);
    EXPECT_EQ(preview.height, 96u);
    EXPECT_EQ(preview.pixels, ShrinkPreview(source, 64, 200, 64, 96));
    EXPECT_FALSE(project.ExportPreview(folder.Path() / "none.img", 0, 96, error));
}

} // namespace

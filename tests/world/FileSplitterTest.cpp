#include "world/FileSplitter.h"

#include "TestFiles.h"
#include "platform/FileSystem.h"
#include "world/GfxPicture.h"
#include "world/PackDirectory.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;
using Sizes = std::vector<uint32_t>;

const uint32_t kImg = EntryExtension("x.img");
const uint32_t kAni = EntryExtension("x.ani");
const uint32_t kWav = EntryExtension("x.wav");
const uint32_t kDat = EntryExtension("x.dat");

struct Split {
    bool ok;
    Sizes pieces;
    std::string error;
};

Split SplitBytes(const Bytes& bytes, uint32_t extension)
{
    Split split;
    split.ok = SplitFileBytes(bytes, extension, split.pieces, split.error);
    return split;
}

TEST(FileSplitter, SmallFilesAreOnePieceSoundIsCutInChunksOtherKindsNotAtAll)
{
    EXPECT_EQ(SplitBytes(Bytes(64000), kDat).pieces, Sizes{64000});
    EXPECT_EQ(SplitBytes(Bytes(100), kImg).pieces, Sizes{100}); // not even read as a picture
    EXPECT_EQ(SplitBytes(Bytes(), kDat).pieces, Sizes{0});
    Split split = SplitBytes(Bytes(64001), kDat);
    EXPECT_FALSE(split.ok);
    EXPECT_NE(split.error.find("64000"), std::string::npos) << split.error;

    // Sound is cut by its size alone: the file is never opened.
    Sizes pieces;
    std::string error;
    ASSERT_TRUE(SplitFile("/nonexistent/x.wav", kWav, 128000, pieces, error));
    EXPECT_EQ(pieces, (Sizes{64000, 64000}));
    EXPECT_FALSE(SplitFile("/nonexistent/x.wav", kWav, 255 * 64000 + 1, pieces, error));
    EXPECT_NE(error.find("256 resources"), std::string::npos) << error;
}

// Noise, no two neighbours equal: 247 pixels a row code to 250 bytes (literals
// of 127 and 119 pixels, then the last pixel as a run).
void FillNoise(std::span<uint8_t> pixels)
{
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = uint8_t(i % 2 ? 200 : i % 97);
}

// With the default 247 x 300 the file is 22 + 300 + 300 x 250.
Bytes NoisePicture(uint32_t width = 247, uint32_t height = 300)
{
    Bytes pixels(size_t(width) * height);
    FillNoise(pixels);
    CGfxPicture picture(width, height, pixels.data(), false);
    EXPECT_EQ(picture.Error(), "");
    return picture.ToBytes();
}

// The encoder's animation of two 247 x 260 frames behind its 14-byte header and
// the two end offsets: frame 0 all zeros (rows of two runs, 4 bytes; block
// 8 + 260 + 1040 = 1308 bytes), frame 1 noise (block 8 + 260 + 65000 = 65268).
Bytes Animation()
{
    CGfxPicture animation;
    EXPECT_TRUE(animation.SetFrameSize(247, 260, 2));
    FillNoise(animation.Pixels().subspan(247 * 260));
    EXPECT_NE(animation.Encode(), 0u) << animation.Error();
    return animation.ToBytes();
}

// Each layout is split from its bytes and from a file on disk, which is read
// and must still have the size the directory holds.
TEST(FileSplitter, LayoutsAreCutBetweenRowsAndFrames)
{
    struct Case {
        const char* what;
        Bytes file;
        uint32_t extension;
        size_t size;
        Sizes pieces;
    };
    const Case cases[] = {
        // 322 + 254 rows = 63822; the 255th row would reach 64072.
        {"one-byte row entries", NoisePicture(), kImg, 22 + 300 + 300 * 250, {63822, 46 * 250}},
        // Rows of 300 noise pixels code to 304 bytes: 522 + 208 rows = 63754.
        {"two-byte row entries", NoisePicture(300, 250), kImg, 22 + 500 + 250 * 304, {63754, 42 * 304}},
        // 22 + 1308 + frame 1's head and table 268 = 1598, then 249 rows to 63848.
        {"animation", Animation(), kAni, 22 + 1308 + 65268, {63848, 11 * 250}},
    };
    platform::TemporaryFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.file.size(), c.size);
        Split split = SplitBytes(c.file, c.extension);
        ASSERT_TRUE(split.ok) << split.error;
        EXPECT_EQ(split.pieces, c.pieces);
        const auto path = folder.Path() / "block0.img";
        test::WriteFile(path, c.file);
        split.pieces.clear();
        ASSERT_TRUE(SplitFile(path, c.extension, uint32_t(c.size), split.pieces, split.error)) << split.error;
        EXPECT_EQ(split.pieces, c.pieces);
        EXPECT_FALSE(SplitFile(path, c.extension, uint32_t(c.size + 1), split.pieces, split.error));
        EXPECT_NE(split.error.find("changed"), std::string::npos) << split.error;
    }
    Sizes pieces;
    std::string error;
    EXPECT_FALSE(SplitFile(folder.Path() / "missing.img", kImg, 70000, pieces, error));
    EXPECT_NE(error.find("missing.img"), std::string::npos) << error;
}

TEST(FileSplitter, BrokenPicturesAndAnimationsAreRefused)
{
    const Bytes picture = NoisePicture(), ani = Animation();
    struct Case {
        const char* what;
        Bytes file;
        uint32_t extension;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"no picture mark", picture, kImg, ""},
        {"65535 two-byte row entries past the end", Bytes(70000, 0), kImg, "row-size table"},
        {"cut short", Bytes(picture.begin(), picture.end() - 10), kImg, "covers"},
        {"a byte too many", picture, kImg, ""},
        {"frame 1 ends far past the file", ani, kAni, "frame 1"},
        {"frame 1's first row no longer fills the frame", ani, kAni, "do not fill"},
    };
    cases[0].file[0] = 0;
    cases[1].file[0] = 0xFE;
    cases[1].file[1] = 2;
    cases[1].file[16] = cases[1].file[17] = 0xFF;
    cases[3].file.push_back(0);
    cases[4].file[21] = 0xFF;
    cases[5].file[22 + 1308 + 8] = 10;
    for (const Case& c : cases) {
        const Split split = SplitBytes(c.file, c.extension);
        EXPECT_FALSE(split.ok) << c.what;
        EXPECT_NE(split.error.find(c.reason), std::string::npos) << c.what << ": " << split.error;
    }
}

} // namespace

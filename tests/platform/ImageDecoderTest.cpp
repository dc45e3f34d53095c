#include "platform/ImageDecoder.h"
#include "platform/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::DecodedImage;
using platform::DecodeBmp;
using platform::DecodeImage;
using testfiles::BmpSpec;
using testfiles::BuildBmp;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// One picture, 5 x 3, in two colours so that every depth can carry it exactly.
const std::vector<std::vector<uint8_t>> kIndexes = {
    {0, 1, 1, 0, 1},
    {1, 0, 0, 0, 1},
    {0, 0, 1, 1, 0},
};
const uint32_t kColours[2] = {kGreen, kRed};

std::vector<uint32_t> ExpectedPixels()
{
    std::vector<uint32_t> pixels;
    for (const auto& row : kIndexes)
        for (uint8_t i : row)
            pixels.push_back(kColours[i]);
    return pixels;
}

std::vector<std::vector<uint32_t>> RowsOf(uint32_t green, uint32_t red)
{
    std::vector<std::vector<uint32_t>> rows;
    for (const auto& row : kIndexes) {
        rows.emplace_back();
        for (uint8_t i : row)
            rows.back().push_back(i ? red : green);
    }
    return rows;
}

DecodedImage MustDecode(const std::vector<uint8_t>& file)
{
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(DecodeImage(file, image, error)) << error;
    return image;
}

std::string MustFail(const std::vector<uint8_t>& file)
{
    DecodedImage image;
    image.width = 77; // must survive a failure
    std::string error;
    EXPECT_FALSE(DecodeImage(file, image, error));
    EXPECT_EQ(image.width, 77);
    EXPECT_FALSE(error.empty());
    return error;
}

BmpSpec Indexed(int bits, bool topDown = false)
{
    BmpSpec spec;
    spec.width = 5;
    spec.height = topDown ? -3 : 3;
    spec.bits = uint16_t(bits);
    spec.palette = {0x00FF00, 0xFF0000};
    spec.pixelData = testfiles::PackIndexedRows(kIndexes, bits, topDown);
    return spec;
}

BmpSpec Words(int bits, uint32_t green, uint32_t red, bool topDown = false)
{
    BmpSpec spec;
    spec.width = 5;
    spec.height = topDown ? -3 : 3;
    spec.bits = uint16_t(bits);
    spec.pixelData = testfiles::PackWordRows(RowsOf(green, red), bits / 8, topDown);
    return spec;
}

} // namespace

TEST(BmpReader, HandWrittenTwoByTwo24Bit)
{
    // 2 x 2, bottom-up: stored first row is the bottom one; each row 6 bytes + 2 padding.
    std::vector<uint8_t> file = {
        'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,      // file header
        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0,    // size, width, height, planes, bits
        0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,     // compression, image size, resolution
        0, 0, 0, 0, 0, 0, 0, 0,                              // colours used, important
        0xFF, 0, 0, /**/ 0, 0xFF, 0, /**/ 0, 0,              // bottom row: blue, green
        0, 0, 0xFF, /**/ 0x30, 0x20, 0x10, /**/ 0, 0};       // top row: red, 0x102030
    const DecodedImage image = MustDecode(file);
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{kRed, 0xFF102030, kBlue, kGreen}));
}

TEST(BmpReader, EveryDepthGivesTheSamePixels)
{
    const std::vector<uint32_t> expected = ExpectedPixels();
    for (bool topDown : {false, true}) {
        for (int bits : {1, 4, 8})
            EXPECT_EQ(MustDecode(BuildBmp(Indexed(bits, topDown))).pixels, expected) << bits << " bits";
        EXPECT_EQ(MustDecode(BuildBmp(Words(16, 0x03E0, 0x7C00, topDown))).pixels, expected) << "16 bits 5-5-5";
        EXPECT_EQ(MustDecode(BuildBmp(Words(24, 0x00FF00, 0xFF0000, topDown))).pixels, expected) << "24 bits";
        EXPECT_EQ(MustDecode(BuildBmp(Words(32, 0xFF00FF00, 0xFFFF0000, topDown))).pixels, expected) << "32 bits";
    }
    BmpSpec core = Indexed(8);
    core.headerSize = 12;
    EXPECT_EQ(MustDecode(BuildBmp(core)).pixels, expected) << "core header";

    BmpSpec rgb565 = Words(16, 0x07E0, 0xF800);
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    EXPECT_EQ(MustDecode(BuildBmp(rgb565)).pixels, expected) << "16 bits 5-6-5";
}

TEST(BmpReader, SixteenBitChannelsWidenToFullRange)
{
    BmpSpec spec;
    spec.width = 1;
    spec.height = 1;
    spec.bits = 16;
    spec.pixelData = {0x10, 0x42, 0, 0}; // 0x4210: 5-bit red 16, green 16, blue 16
    // 16 * 255 / 31 = 131.6 -> 132
    EXPECT_EQ(MustDecode(BuildBmp(spec)).pixels, (std::vector<uint32_t>{0xFF848484}));
}

TEST(BmpReader, ThirtyTwoBitAlpha)
{
    // Fourth bytes not all zero: kept as alpha.
    BmpSpec kept = Words(32, 0x8000FF00, 0x00FF0000);
    std::vector<uint32_t> expected;
    for (const auto& row : kIndexes)
        for (uint8_t i : row)
            expected.push_back(i ? 0x00FF0000u : 0x8000FF00u);
    EXPECT_EQ(MustDecode(BuildBmp(kept)).pixels, expected);

    // All fourth bytes zero and no alpha mask: the byte is unused, the picture opaque.
    EXPECT_EQ(MustDecode(BuildBmp(Words(32, 0x0000FF00, 0x00FF0000))).pixels, ExpectedPixels());

    // An alpha mask keeps even an all-zero alpha.
    BmpSpec masked = Words(32, 0x0000FF00, 0x00FF0000);
    masked.headerSize = 108;
    masked.compression = 3;
    masked.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    for (uint32_t& pixel : expected)
        pixel &= 0x00FFFFFF;
    std::vector<uint32_t> transparent;
    for (uint32_t c : ExpectedPixels())
        transparent.push_back(c & 0x00FFFFFF);
    EXPECT_EQ(MustDecode(BuildBmp(masked)).pixels, transparent);
}

TEST(BmpReader, RunLengthEncodedEightAndFourBits)
{
    // RLE8 of the 5 x 3 picture, bottom row first, with every kind of code.
    BmpSpec rle8 = Indexed(8);
    rle8.compression = 1;
    rle8.pixelData = {
        2, 0, 2, 1, 1, 0, 0, 0,           // bottom row 0 0 1 1 0: runs, end of row
        0, 5, 1, 0, 0, 0, 1, 0, 0, 0,     // middle row as a literal of 5 (+1 pad), end of row
        0, 2, 1, 0,                       // top row: move right 1 (index 0 stays at x 0)
        0, 3, 1, 1, 0, 0,                 // literal 1 1 0 (+1 pad)
        1, 1,                             // run of one 1
        0, 1};                            // end of picture
    EXPECT_EQ(MustDecode(BuildBmp(rle8)).pixels, ExpectedPixels());

    BmpSpec rle4 = Indexed(4);
    rle4.compression = 2;
    // Bottom row 0 0 1 1 0 as runs: 2 x 0, 2 x 1, 1 x 0.
    rle4.pixelData = {2, 0x00, 2, 0x11, 1, 0x00, 0, 0,
                      0, 5, 0x10, 0x00, 0x10, 0, 0, 0,  // literal 1 0 0 0 1 in 3 bytes + pad to 4
                      5, 0x01, 0, 0,                    // run alternating 0 1 0 1 0
                      0, 1};
    std::vector<uint32_t> expected = ExpectedPixels();
    // The last run made the top row 0 1 0 1 0.
    const uint32_t top[5] = {kGreen, kRed, kGreen, kRed, kGreen};
    std::copy(top, top + 5, expected.begin());
    EXPECT_EQ(MustDecode(BuildBmp(rle4)).pixels, expected);
}

TEST(BmpReader, RefusesRunLengthDataPastThePicture)
{
    BmpSpec spec = Indexed(8);
    spec.compression = 1;
    spec.pixelData = {6, 1, 0, 1}; // a run of 6 in a 5-wide row
    EXPECT_NE(MustFail(BuildBmp(spec)).find("past"), std::string::npos);
    spec.pixelData = {0, 0, 0, 0, 0, 0, 1, 1, 0, 1}; // three ends of row, then a pixel in row 4 of 3
    MustFail(BuildBmp(spec));
    spec.pixelData = {0, 2, 9, 0, 0, 1}; // a move beyond the right edge
    MustFail(BuildBmp(spec));
    spec.pixelData = {0, 6, 1, 1, 1, 1, 1, 1, 0, 1}; // literal too long for the row
    MustFail(BuildBmp(spec));
    spec.pixelData = {0, 5, 1, 1}; // literal cut short by the end of the file
    MustFail(BuildBmp(spec));
    spec.pixelData = {2, 1}; // no end-of-picture mark
    MustFail(BuildBmp(spec));
    spec.height = -3; // run-length pictures cannot be top-down
    spec.pixelData = {0, 1};
    MustFail(BuildBmp(spec));
}

TEST(BmpReader, RefusesTruncatedAndLyingHeaders)
{
    const std::vector<uint8_t> good = BuildBmp(Words(24, 0x00FF00, 0xFF0000));
    for (size_t cut : {size_t(2), size_t(13), size_t(20), size_t(53)})
        MustFail(std::vector<uint8_t>(good.begin(), good.begin() + cut));
    // The pixel data misses its last bytes.
    EXPECT_NE(MustFail(std::vector<uint8_t>(good.begin(), good.end() - 5)).find("truncated"), std::string::npos);
    // Only the padding of the last row is missing: still readable.
    MustDecode(std::vector<uint8_t>(good.begin(), good.end() - 1));

    std::vector<uint8_t> offset = good;
    testfiles::Put32(offset, 10, 1000000);
    MustFail(offset);
    std::vector<uint8_t> header = good;
    testfiles::Put32(header, 14, 41000);
    MustFail(header);
    std::vector<uint8_t> depth = good;
    depth[28] = 7;
    MustFail(depth);
    // A 44-byte header with bit fields: the masks would follow it, but the file ends.
    std::vector<uint8_t> shortMasks(good.begin(), good.begin() + 14 + 44);
    testfiles::Put32(shortMasks, 14, 44);
    testfiles::Put32(shortMasks, 30, 3);
    EXPECT_NE(MustFail(shortMasks).find("masks"), std::string::npos);
    std::vector<uint8_t> compression = good;
    testfiles::Put32(compression, 30, 4); // JPEG inside BMP
    MustFail(compression);
    std::vector<uint8_t> palette = BuildBmp(Indexed(8));
    testfiles::Put32(palette, 46, 256); // claims 256 entries: 1024 bytes, more than the file holds
    MustFail(palette);
}

TEST(BmpReader, RefusesSizesPastTheCaps)
{
    auto withSize = [](int32_t width, int32_t height) {
        std::vector<uint8_t> file = BuildBmp(Words(24, 0, 0));
        testfiles::Put32(file, 18, uint32_t(width));
        testfiles::Put32(file, 22, uint32_t(height));
        return file;
    };
    EXPECT_NE(MustFail(withSize(65536, 65536)).find("too large"), std::string::npos); // 2^32 pixels
    MustFail(withSize(32768, 1));
    MustFail(withSize(1, -32768));
    MustFail(withSize(16385, 16385)); // each side fits, the pixel count does not
    MustFail(withSize(0, 3));
    MustFail(withSize(-5, 3));
    MustFail(withSize(5, INT32_MIN));
    // Within the caps but far more pixels than the file holds: refused before allocating.
    EXPECT_NE(MustFail(withSize(16384, 16384)).find("truncated"), std::string::npos);
}

TEST(ImageDecoder, ChoosesByFirstBytesAndRefusesOtherFiles)
{
    EXPECT_NE(MustFail({}).find("empty"), std::string::npos);
    EXPECT_NE(MustFail({'G', 'I', 'F', '8', '9', 'a'}).find("only BMP and JPEG"), std::string::npos);
    MustFail({'B'});
    MustFail({0xFF, 0xD8});
}

TEST(JpegReader, ReadsWhatLibjpegWrote)
{
    // Two flat halves survive quality 100 within a small error away from the edge
    // between them, where the chroma subsampling blends the two colours.
    const int width = 48, height = 16;
    std::vector<uint32_t> pixels(width * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = x < 24 ? 0x2080C0 : 0xE04010;
    for (bool progressive : {false, true}) {
        const DecodedImage image = MustDecode(testfiles::BuildJpeg(width, height, pixels, false, progressive));
        ASSERT_EQ(image.width, width);
        ASSERT_EQ(image.height, height);
        for (size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_EQ(image.pixels[i] >> 24, 255u);
            if (i % width >= 16 && i % width < 32)
                continue;
            for (int shift : {0, 8, 16})
                EXPECT_NEAR(int((image.pixels[i] >> shift) & 255), int((pixels[i] >> shift) & 255), 3) << "pixel " << i;
        }
    }
}

TEST(JpegReader, RefusesCorruptTruncatedAndCmykPictures)
{
    std::vector<uint32_t> pixels(64, 0x336699);
    const std::vector<uint8_t> good = testfiles::BuildJpeg(8, 8, pixels);
    EXPECT_NE(MustFail(testfiles::BuildJpeg(8, 8, pixels, true)).find("CMYK"), std::string::npos);
    MustFail(std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2));
    MustFail(std::vector<uint8_t>(good.begin(), good.begin() + 3));
    std::vector<uint8_t> scrambled = good;
    for (size_t i = 20; i < scrambled.size() - 2; i += 3)
        scrambled[i] ^= 0x5A;
    MustFail(scrambled);
}

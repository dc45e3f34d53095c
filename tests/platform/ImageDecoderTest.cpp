// BMP and JPEG readers: hand-worked bytes, one picture at every depth and compression, and
// broken or hostile files refused with a reason while the image is left alone.
#include "platform/ImageDecoder.h"
#include "platform/ImageTestFiles.h"

#include <gtest/gtest.h>

using platform::DecodedImage;
using testfiles::BmpSpec;
using testfiles::BuildBmp;
using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// One picture, 5 x 3, in two colours so that every depth can carry it exactly.
const std::vector<std::vector<uint8_t>> kIndexes = {{0, 1, 1, 0, 1}, {1, 0, 0, 0, 1}, {0, 0, 1, 1, 0}};

// The picture's rows with index 0 as `zero` and 1 as `one`.
std::vector<Pixels> Rows(uint32_t zero, uint32_t one)
{
    std::vector<Pixels> rows;
    for (const auto& row : kIndexes) {
        rows.emplace_back();
        for (uint8_t i : row)
            rows.back().push_back(i ? one : zero);
    }
    return rows;
}

Pixels Flat(uint32_t zero = kGreen, uint32_t one = kRed)
{
    Pixels pixels;
    for (const auto& row : Rows(zero, one))
        pixels.insert(pixels.end(), row.begin(), row.end());
    return pixels;
}

// The picture at `bits` per pixel: through a two-entry palette up to 8 bits, else as words.
BmpSpec Picture(int bits, bool topDown = false, uint32_t zero = 0x00FF00, uint32_t one = 0xFF0000)
{
    BmpSpec spec;
    spec.width = 5;
    spec.height = topDown ? -3 : 3;
    spec.bits = uint16_t(bits);
    if (bits <= 8)
        spec.palette = {zero, one};
    spec.pixelData = testfiles::PackRows(bits <= 8 ? Rows(0, 1) : Rows(zero, one), bits, topDown);
    return spec;
}

BmpSpec With(BmpSpec spec, uint32_t compression, uint32_t headerSize, Pixels masks, Bytes pixelData = {})
{
    spec.compression = compression;
    spec.headerSize = headerSize;
    spec.masks = std::move(masks);
    if (!pixelData.empty())
        spec.pixelData = std::move(pixelData);
    return spec;
}

Bytes Put(Bytes file, size_t at, uint32_t value)
{
    testfiles::Put32(file, at, value);
    return file;
}

Bytes Cut(const Bytes& file, size_t size) { return Bytes(file.begin(), file.begin() + ptrdiff_t(size)); }

Bytes Rle8(Bytes data, int32_t height = 3)
{
    BmpSpec spec = With(Picture(8), 1, 40, {}, std::move(data));
    spec.height = height;
    return BuildBmp(spec);
}

Bytes Sized(int32_t width, int32_t height) { return Put(Put(BuildBmp(Picture(24)), 18, uint32_t(width)), 22, uint32_t(height)); }

} // namespace

TEST(BmpReader, EveryDepthAndCompressionGivesItsPixels)
{
    Pixels alternatingTop = Flat(); // the last RLE4 run below makes the top row 0 1 0 1 0
    std::copy_n(Pixels{kGreen, kRed, kGreen, kRed, kGreen}.begin(), 5, alternatingTop.begin());
    std::vector<std::tuple<std::string, Bytes, Pixels>> cases = {
        // 2 x 2, bottom-up: the first stored row is the bottom one; each row 6 bytes + 2 padding.
        {"hand-worked 2 x 2",
         {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,   // file header
          40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, // size, width, height, planes, bits
          0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // compression, image size, resolution
          0, 0, 0, 0, 0, 0, 0, 0,                           // colours used, important
          0xFF, 0, 0, /**/ 0, 0xFF, 0, /**/ 0, 0,           // bottom row: blue, green
          0, 0, 0xFF, /**/ 0x30, 0x20, 0x10, /**/ 0, 0},    // top row: red, 0x102030
         {kRed, 0xFF102030, kBlue, kGreen}},
        {"core header", BuildBmp(With(Picture(8), 0, 12, {})), Flat()},
        {"16 bits 5-6-5", BuildBmp(With(Picture(16, false, 0x07E0, 0xF800), 3, 40, {0xF800, 0x07E0, 0x001F})), Flat()},
        // 0x4210: 5-bit red, green and blue 16; 16 * 255 / 31 = 131.6 -> 132
        {"16 bits widened", BuildBmp(Picture(16, false, 0x4210, 0x4210)), Flat(0xFF848484, 0xFF848484)},
        {"32 bits: alpha kept when not all zero", BuildBmp(Picture(32, false, 0x8000FF00, 0x00FF0000)),
         Flat(0x8000FF00, 0x00FF0000)},
        {"32 bits: all-zero fourth bytes unused", BuildBmp(Picture(32, false, 0x0000FF00, 0x00FF0000)), Flat()},
        {"32 bits: an alpha mask keeps even zero alpha",
         BuildBmp(With(Picture(32, false, 0x0000FF00, 0x00FF0000), 3, 108, {0xFF0000, 0xFF00, 0xFF, 0xFF000000})),
         Flat(0x0000FF00, 0x00FF0000)},
        {"RLE8 with every kind of code",
         Rle8({2, 0, 2, 1, 1, 0, 0, 0,       // bottom row 0 0 1 1 0: runs, end of row
               0, 5, 1, 0, 0, 0, 1, 0, 0, 0, // middle row as a literal of 5 (+1 pad), end of row
               0, 2, 1, 0,                   // top row: move right 1 (index 0 stays at x 0)
               0, 3, 1, 1, 0, 0,             // literal 1 1 0 (+1 pad)
               1, 1,                         // run of one 1
               0, 1}),                       // end of picture
         Flat()},
        {"RLE4",
         BuildBmp(With(Picture(4), 2, 40, {},
                       {2, 0x00, 2, 0x11, 1, 0x00, 0, 0,      // bottom row 0 0 1 1 0 as runs
                        0, 5, 0x10, 0x00, 0x10, 0, 0, 0,      // literal 1 0 0 0 1 in 3 bytes + pad to 4
                        5, 0x01, 0, 0,                        // run alternating 0 1 0 1 0
                        0, 1})),
         alternatingTop},
        {"only the last row's padding missing", Cut(BuildBmp(Picture(24)), BuildBmp(Picture(24)).size() - 1), Flat()},
    };
    for (bool topDown : {false, true}) {
        const std::string order = topDown ? " top-down" : " bottom-up";
        for (int bits : {1, 4, 8, 24})
            cases.emplace_back(std::to_string(bits) + " bits" + order, BuildBmp(Picture(bits, topDown)), Flat());
        cases.emplace_back("16 bits 5-5-5" + order, BuildBmp(Picture(16, topDown, 0x03E0, 0x7C00)), Flat());
        cases.emplace_back("32 bits" + order, BuildBmp(Picture(32, topDown, 0xFF00FF00, 0xFFFF0000)), Flat());
    }
    for (const auto& [what, file, expected] : cases) {
        SCOPED_TRACE(what);
        DecodedImage image;
        std::string error;
        ASSERT_TRUE(platform::DecodeImage(file, image, error)) << error;
        EXPECT_EQ(image.width, expected.size() == 4 ? 2 : 5);
        EXPECT_EQ(size_t(image.width * image.height), expected.size());
        EXPECT_EQ(image.pixels, expected);
    }
}

TEST(ImageDecoder, RefusesBrokenAndHostileFilesWithAReason)
{
    const Bytes good = BuildBmp(Picture(24));
    const Pixels grey(64, 0x336699);
    const Bytes jpeg = testfiles::BuildJpeg(8, 8, grey);
    Bytes scrambled = jpeg;
    for (size_t i = 20; i < scrambled.size() - 2; i += 3)
        scrambled[i] ^= 0x5A;
    const std::tuple<const char*, Bytes, const char*> cases[] = {
        {"empty", {}, "empty"},
        {"GIF", {'G', 'I', 'F', '8', '9', 'a'}, "only BMP and JPEG"},
        {"BMP signature cut", {'B'}, "only BMP"},
        {"JPEG signature alone", {0xFF, 0xD8}, "only BMP"},
        {"RLE run of 6 in a 5-wide row", Rle8({6, 1, 0, 1}), "run reaches past"},
        {"RLE pixel in row 4 of 3", Rle8({0, 0, 0, 0, 0, 0, 1, 1, 0, 1}), "run reaches past"},
        {"RLE move beyond the right edge", Rle8({0, 2, 9, 0, 0, 1}), "move reaches past"},
        {"RLE literal too long for the row", Rle8({0, 6, 1, 1, 1, 1, 1, 1, 0, 1}), "literal run reaches past"},
        {"RLE literal cut by the end of the file", Rle8({0, 5, 1, 1}), "ends inside a literal"},
        {"RLE without end-of-picture mark", Rle8({2, 1}), "before its end-of-picture"},
        {"RLE top-down", Rle8({0, 1}, -3), "bottom-up"},
        {"cut at 2", Cut(good, 2), "inside its header"},
        {"cut at 13", Cut(good, 13), "inside its header"},
        {"cut at 20", Cut(good, 20), "inside its header"},
        {"cut at 53", Cut(good, 53), "inside its header"},
        {"pixel data misses bytes", Cut(good, good.size() - 5), "need 48 bytes but 43"},
        {"pixel offset past the end", Put(good, 10, 1000000), "beyond the end"},
        {"header size 41000", Put(good, 14, 41000), "unknown header size"},
        {"7 bits", Put(good, 28, 7), "not a valid depth"},
        // A 44-byte header with bit fields: the masks would follow it, but the file ends.
        {"masks cut", Put(Put(Cut(good, 14 + 44), 14, 44), 30, 3), "masks"},
        {"JPEG inside BMP", Put(good, 30, 4), "compression 4"},
        {"palette of 256 entries, more than the file holds", Put(BuildBmp(Picture(8)), 46, 256), "inside its palette"},
        {"2^32 pixels", Sized(65536, 65536), "too large"},
        {"width 32768", Sized(32768, 1), "too large"},
        {"height -32768", Sized(1, -32768), "too large"},
        {"each side fits, the pixel count does not", Sized(16385, 16385), "too large"},
        {"width 0", Sized(0, 3), "no pixels"},
        {"width -5", Sized(-5, 3), "no pixels"},
        {"height INT32_MIN", Sized(5, INT32_MIN), "too large"},
        // Within the caps but far more pixels than the file holds: refused before allocating.
        {"16384 x 16384 in a small file", Sized(16384, 16384), "truncated"},
        {"CMYK JPEG", testfiles::BuildJpeg(8, 8, grey, true), "CMYK"},
        {"JPEG cut in half", Cut(jpeg, jpeg.size() / 2), "corrupt"},
        {"JPEG cut at 3", Cut(jpeg, 3), "corrupt"},
        {"JPEG scrambled", scrambled, "corrupt"},
    };
    for (const auto& [what, file, reason] : cases) {
        SCOPED_TRACE(what);
        DecodedImage image;
        image.width = 77; // must survive a failure
        std::string error;
        EXPECT_FALSE(platform::DecodeImage(file, image, error));
        EXPECT_EQ(image.width, 77);
        EXPECT_FALSE(error.empty());
        EXPECT_NE(error.find(reason), std::string::npos) << error;
    }
}

TEST(JpegReader, ReadsWhatLibjpegWrote)
{
    // Two flat halves survive quality 100 within a small error away from the edge
    // between them, where the chroma subsampling blends the two colours.
    Pixels pixels(48 * 16);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = i % 48 < 24 ? 0x2080C0 : 0xE04010;
    for (bool progressive : {false, true}) {
        DecodedImage image;
        std::string error;
        ASSERT_TRUE(platform::DecodeImage(testfiles::BuildJpeg(48, 16, pixels, false, progressive), image, error));
        ASSERT_EQ((std::pair{image.width, image.height}), (std::pair{48, 16}));
        for (size_t i = 0; i < pixels.size(); ++i) {
            EXPECT_EQ(image.pixels[i] >> 24, 255u);
            if (i % 48 / 16 == 1) // near the edge
                continue;
            for (int shift : {0, 8, 16})
                EXPECT_NEAR(int(image.pixels[i] >> shift & 255), int(pixels[i] >> shift & 255), 3) << i;
        }
    }
}

// BMP and JPEG readers: hand-worked bytes, one picture at every depth and compression, and
// broken or hostile files refused with a reason while the image is left alone.
#include "platform/ImageDecoder.h"
#include "platform/ImageTestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

using platform::DecodedImage;
using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// The named pictures of fixtures/bmp-pictures.hex: hex bytes, "#" comments, "= name" lines.
const std::map<std::string, Bytes>& Bmp()
{
    static const std::map<std::string, Bytes> pictures = [] {
        std::ifstream in(VALDRUNE_SOURCE_DIR "/tests/platform/fixtures/bmp-pictures.hex");
        EXPECT_TRUE(in) << "fixtures/bmp-pictures.hex is missing";
        std::map<std::string, Bytes> read;
        Bytes* picture = nullptr;
        for (std::string line; std::getline(in, line);) {
            line = line.substr(0, line.find('#'));
            if (line.starts_with("= "))
                picture = &read[line.substr(2, line.find_last_not_of(' ') - 1)];
            std::istringstream words(line.starts_with("= ") ? "" : line);
            for (std::string byte; words >> byte;)
                picture->push_back(uint8_t(std::stoul(byte, nullptr, 16)));
        }
        return read;
    }();
    return pictures;
}

// The 5 x 3 picture of the fixtures with index 0 as `zero` and 1 as `one`.
Pixels Flat(uint32_t zero = kGreen, uint32_t one = kRed)
{
    Pixels pixels;
    for (int i : {0, 1, 1, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0})
        pixels.push_back(i ? one : zero);
    return pixels;
}

Bytes Put(Bytes file, size_t at, uint32_t value)
{
    testfiles::Put32(file, at, value);
    return file;
}

Bytes Cut(const Bytes& file, size_t size) { return Bytes(file.begin(), file.begin() + ptrdiff_t(size)); }

// The RLE8 picture with other run-length data, and its header made to match.
Bytes Rle8(const Bytes& data, int32_t height = 3)
{
    Bytes file = Cut(Bmp().at("RLE8 with every kind of code"), 62);
    file.insert(file.end(), data.begin(), data.end());
    return Put(Put(Put(file, 2, uint32_t(file.size())), 22, uint32_t(height)), 34, uint32_t(data.size()));
}

Bytes Sized(int32_t width, int32_t height)
{
    return Put(Put(Bmp().at("24 bits"), 18, uint32_t(width)), 22, uint32_t(height));
}

} // namespace

TEST(BmpReader, EveryDepthAndCompressionGivesItsPixels)
{
    Pixels alternatingTop = Flat(); // the last RLE4 run makes the top row 0 1 0 1 0
    std::copy_n(Pixels{kGreen, kRed, kGreen, kRed, kGreen}.begin(), 5, alternatingTop.begin());
    const std::map<std::string, Pixels> expected = { // all others: Flat()
        {"hand-worked 2 x 2, 24 bits", {kRed, 0xFF102030, kBlue, kGreen}},
        {"16 bits widened", Flat(0xFF848484, 0xFF848484)},
        {"32 bits, alpha kept when not all zero", Flat(0x8000FF00, 0x00FF0000)},
        {"32 bits, an alpha mask keeps even zero alpha", Flat(0x0000FF00, 0x00FF0000)},
        {"RLE4", alternatingTop},
    };
    ASSERT_EQ(Bmp().size(), 21u);
    for (const auto& [name, file] : Bmp()) {
        SCOPED_TRACE(name);
        const auto known = expected.find(name);
        const Pixels pixels = known != expected.end() ? known->second : Flat();
        DecodedImage image;
        std::string error;
        ASSERT_TRUE(platform::DecodeImage(file, image, error)) << error;
        EXPECT_EQ(image.width, pixels.size() == 4 ? 2 : 5);
        EXPECT_EQ(size_t(image.width * image.height), pixels.size());
        EXPECT_EQ(image.pixels, pixels);
    }
    const Bytes& good = Bmp().at("24 bits");
    DecodedImage image;
    std::string error;
    // Only the padding of the last row is missing: still readable.
    EXPECT_TRUE(platform::DecodeImage(Cut(good, good.size() - 1), image, error)) << error;
}

TEST(ImageDecoder, RefusesBrokenAndHostileFilesWithAReason)
{
    const Bytes& good = Bmp().at("24 bits");
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
        {"palette of 256 entries, more than the file holds", Put(Bmp().at("8 bits"), 46, 256), "inside its palette"},
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

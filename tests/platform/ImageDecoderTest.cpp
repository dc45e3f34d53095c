// BMP and JPEG readers: hand-worked bytes, one picture at every depth and compression, and
// broken or hostile files refused with a reason while the image is left alone.
#include "platform/FileSystem.h"
#include "platform/ImageDecoder.h"
#include "platform/ImageTestFiles.h"
#include "support/HeapMeter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

using platform::DecodedImage;
using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;

// The named files of a hex fixture: bytes in hex, "#" comments, "= name" lines.
std::map<std::string, Bytes> HexFiles(const std::string& fixture)
{
    std::ifstream in(VALDRUNE_SOURCE_DIR "/tests/platform/fixtures/" + fixture);
    EXPECT_TRUE(in) << fixture << " is missing";
    std::map<std::string, Bytes> files;
    Bytes* file = nullptr;
    for (std::string line; std::getline(in, line);) {
        line = line.substr(0, line.find('#'));
        if (line.starts_with("= "))
            file = &files[line.substr(2, line.find_last_not_of(' ') - 1)];
        std::istringstream words(line.starts_with("= ") ? "" : line);
        for (std::string byte; words >> byte;)
            file->push_back(uint8_t(std::stoul(byte, nullptr, 16)));
    }
    return files;
}

// The 5 x 3 picture of the fixtures with index 0 as `zero` and 1 as `one`.
Pixels Flat(uint32_t zero = kGreen, uint32_t one = kRed)
{
    Pixels pixels;
    for (int i : {0, 1, 1, 0, 1, 1, 0, 0, 0, 1, 0, 0, 1, 1, 0})
        pixels.push_back(i ? one : zero);
    return pixels;
}

Bytes Cut(const Bytes& file, size_t size) { return Bytes(file.begin(), file.begin() + ptrdiff_t(size)); }

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
    const std::map<std::string, Bytes> pictures = HexFiles("bmp-pictures.hex");
    ASSERT_EQ(pictures.size(), 22u);
    for (const auto& [name, file] : pictures) {
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
}

TEST(ImageDecoder, RefusesBrokenAndHostileFilesWithAReason)
{
    // Each case is named "<what the error says>: <what is wrong>".
    std::map<std::string, Bytes> cases = HexFiles("bmp-refused.hex");
    ASSERT_EQ(cases.size(), 28u);
    const Pixels grey(64, 0x336699);
    const Bytes jpeg = testfiles::BuildJpeg(8, 8, grey);
    Bytes scrambled = jpeg;
    for (size_t i = 20; i < scrambled.size() - 2; i += 3)
        scrambled[i] ^= 0x5A;
    Pixels gradient(1024 * 2048);
    for (size_t i = 0; i < gradient.size(); ++i)
        gradient[i] = uint32_t(i % 1024 / 4 * 0x010001 + i / 8192 * 0x000100);
    const Bytes photo = testfiles::BuildJpeg(1024, 2048, gradient);
    // Claims of 16384 x 16384 in the header of a small picture: for a JPEG in its frame
    // header (height, then width), for an RLE8 BMP in that of the fixture's.
    auto claiming = [](Bytes file) {
        const uint8_t frames[] = {0xC0, 0xC2, 0xC9};
        size_t at = 2;
        while (file[at] != 0xFF || std::find(frames, frames + 3, file[at + 1]) == frames + 3)
            ++at;
        for (size_t field : {at + 5, at + 7})
            file[field] = 0x40, file[field + 1] = 0;
        return file;
    };
    Bytes rows, moves = {0, 1}; // four rows of 64 runs of 255; moves up 63 x 255 rows, the end mark
    for (int i = 0; i < 4 * 65; ++i)
        rows.insert(rows.end(), {uint8_t(i % 65 < 64 ? 0xFF : 0), uint8_t(i % 65 < 64)});
    for (int i = 0; i < 63; ++i)
        moves.insert(moves.begin(), {0, 2, 0, 0xFF});
    const Bytes rleHeader = Cut(HexFiles("bmp-pictures.hex").at("RLE8 with every kind of code"), 62);
    auto rle16384 = [&](const Bytes& codes) {
        Bytes file = rleHeader;
        testfiles::Put32(file, 18, 16384);
        testfiles::Put32(file, 22, 16384);
        file.insert(file.end(), codes.begin(), codes.end());
        return file;
    };
    Bytes rowsThenMoves = rows;
    rowsThenMoves.insert(rowsThenMoves.end(), moves.begin(), moves.end());
    // A progressive picture of 256 scans claiming 16384 x 16384, with comments enough
    // that the file is not too short for it: about 400 million blocks to decode.
    Bytes manyScans = claiming(testfiles::BuildJpeg(8, 8, grey, {.scans = 256}));
    for (int i = 0; i < 12; ++i) {
        manyScans.insert(manyScans.begin() + 2, 65533, 0);
        manyScans.insert(manyScans.begin() + 2, {0xFF, 0xFE, 0xFF, 0xFF});
    }
    cases.insert({{"CMYK: a CMYK JPEG", testfiles::BuildJpeg(8, 8, grey, {.cmyk = true})},
                  {"corrupt: a 1024 x 2048 JPEG holding half its data", Cut(photo, photo.size() / 2)},
                  {"corrupt: a JPEG cut after 3 bytes", Cut(jpeg, 3)},
                  {"corrupt: a scrambled JPEG", scrambled},
                  {"more than 256 scans: a JPEG of 379 scans", testfiles::BuildJpeg(8, 8, grey, {.scans = 379})},
                  {"too short for the 16384 x 16384 picture: a small JPEG claiming a large size", claiming(jpeg)},
                  {"arithmetic-coded 16384 x 16384: a small one claiming that size",
                   claiming(testfiles::BuildJpeg(8, 8, grey, {.arithmetic = true}))},
                  {"far more decoding: 256 scans of 16384 x 16384", manyScans},
                  {"paints only 65280 of the 16384 x 16384: an RLE8 file of 836 bytes", rle16384(rowsThenMoves)},
                  {"before its end-of-picture: an RLE8 file of 16384 x 16384 cut after four rows", rle16384(rows)}});
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        DecodedImage image;
        image.width = 77; // must survive a failure
        std::string error;
        platform::DecodeCost cost;
        HeapMeter meter; // a refusal takes little memory and work, however large the claim
        EXPECT_FALSE(platform::DecodeImage(file, image, error, &cost));
        EXPECT_LT(meter.Peak(), size_t(4) << 20);
        EXPECT_LE(cost.work, platform::kMaxJpegWork);
        EXPECT_EQ(image.width, 77);
        EXPECT_NE(error.find(name.substr(0, name.find(':'))), std::string::npos) << error;
    }
}

// Pictures as the programs users have write them (fixtures/real-pictures.sh): run-length
// BMPs of ImageMagick, JPEGs of cjpeg and jpegtran (baseline, progressive, a scan per
// coefficient, arithmetic-coded photos), some with warnings that leave every pixel
// decoded. Each reads as the plainly stored picture it is listed with.
TEST(ImageDecoder, ReadsWhatOtherProgramsWrite)
{
    platform::TemporaryFolder folder;
    const std::string script = VALDRUNE_SOURCE_DIR "/tests/platform/fixtures/real-pictures.sh";
    ASSERT_EQ(std::system(("cd '" + folder.Path().string() + "' && sh " + script).c_str()), 0);
    std::ifstream pairs(folder.Path() / "pairs.txt");
    int count = 0;
    for (std::string names[2]; pairs >> names[0] >> names[1]; ++count) {
        DecodedImage images[2];
        for (int i : {0, 1}) {
            Bytes bytes;
            std::string error;
            EXPECT_TRUE(platform::ReadFileBytes(folder.Path() / names[i], bytes, error) &&
                        platform::DecodeImage(bytes, images[i], error)) << names[i] << ": " << error;
        }
        EXPECT_TRUE(images[0].width == images[1].width && images[0].pixels == images[1].pixels) << names[0];
    }
    EXPECT_EQ(count, 22);
}

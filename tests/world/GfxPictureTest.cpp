#include "world/GfxPicture.h"

#include "HexFixture.h"
#include "PictureDecoder.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

using Bytes = std::vector<uint8_t>;

// The coded bytes of one row. With transparency a second row of visible pixels
// keeps the box as wide as the row, so the row is coded whole.
Bytes CodeRow(const Bytes& row, bool transparent = false, uint8_t transparentIndex = 0)
{
    const uint32_t height = transparent ? 2 : 1;
    Bytes pixels = row;
    pixels.resize(row.size() * height, uint8_t(transparentIndex + 1));
    CGfxPicture picture(uint32_t(row.size()), height, pixels.data(), transparent);
    picture.SetTransparentIndex(transparentIndex);
    picture.Encode();
    EXPECT_EQ(picture.Error(), "");
    Bytes stored = picture.ToBytes();
    if (stored[12] != 0)
        return {};  // a wholly transparent row is trimmed off the box
    const size_t entry = picture.WideRows() ? 2 : 1;
    const size_t size = picture.WideRows() ? stored[22] | stored[23] << 8 : stored[22];
    const size_t start = 22 + entry * height;
    return Bytes(stored.begin() + long(start), stored.begin() + long(start + size));
}

TEST(GfxPicture, OneFrameHeaderAndTable)
{
    const Bytes pixels = {1, 1, 1, 1, /**/ 2, 3, 3, 3, /**/ 3, 3, 4, 5};  // 4 x 3
    CGfxPicture picture(4, 3, pixels.data(), false);
    ASSERT_EQ(picture.Error(), "");
    const Bytes expected = test::HexFixture("picture-one-frame.hex");
    EXPECT_EQ(picture.ToBytes(), expected);
    EXPECT_EQ(picture.Write({}), expected.size());
    // Encoding again keeps the coded form.
    EXPECT_EQ(picture.Encode(), 15u);
    EXPECT_EQ(picture.ToBytes(), expected);
}

TEST(GfxPicture, TransparencyTrimsTheBoxToTheVisiblePixels)
{
    const auto box = [](const Bytes& stored) { return Bytes(stored.begin() + 10, stored.begin() + 18); };
    const auto rows = [](const Bytes& stored) { return Bytes(stored.begin() + 22, stored.end()); };
    Bytes pixels(5 * 4, 0);
    pixels[1 * 5 + 1] = 7;
    pixels[2 * 5 + 3] = 8;
    // Without transparency the box is the whole picture; switched on, the kept pixels code again.
    CGfxPicture switched(5, 4, pixels.data(), false);
    EXPECT_EQ(box(switched.ToBytes()), (Bytes{0, 0, 0, 0, 5, 0, 4, 0}));
    switched.SetTransparency(true);
    pixels.assign(pixels.size(), 9); // the caller's buffer is free once the picture is made
    switched.Encode();
    const Bytes stored = switched.ToBytes();
    EXPECT_EQ(stored[1], 1);
    EXPECT_EQ(box(stored), (Bytes{1, 0, 1, 0, 3, 0, 2, 0}));
    // Rows of the box: 7 0 0 -> literal 7, trailing transparent run dropped; 0 0 8 -> run of 0s, 8.
    EXPECT_EQ(rows(stored), (Bytes{2, 4, 0x01, 7, 0xFE, 0, 0xFF, 8}));

    // Nothing visible, or no columns at all: the whole box, four rows coded to nothing.
    pixels.assign(pixels.size(), 0);
    for (const auto& [width, transparent] : {std::pair{5, true}, {0, false}, {0, true}}) {
        const Bytes empty = CGfxPicture(width, 4, width ? pixels.data() : nullptr, transparent).ToBytes();
        EXPECT_EQ(box(empty), (Bytes{0, 0, 0, 0, uint8_t(width), 0, 4, 0})) << width;
        EXPECT_EQ(empty[18], 4);  // data size: four table entries of 0, no row bytes
        EXPECT_EQ(rows(empty), (Bytes{0, 0, 0, 0})) << width;
    }
}

// Rows made of runs of random lengths and stretches of noise over a small palette,
// the kind of content maps and pictures have, plus pure noise.
Bytes RandomPixels(std::mt19937& random, size_t count)
{
    Bytes pixels;
    while (pixels.size() < count) {
        const uint32_t kind = random() % 4, length = 1 + random() % 140, value = random() % 6;
        for (uint32_t i = 0; i < length; ++i)  // a run, small-palette noise or noise
            pixels.push_back(uint8_t(kind == 0 ? value : kind == 1 ? random() % 6 : random() % 256));
    }
    pixels.resize(count);
    return pixels;
}

// The row coder as a plain scan, step by step, to hold the fast coder to it.
Bytes ReferenceRowCode(const Bytes& p, bool transparent, uint8_t t)
{
    Bytes out;
    const size_t end = p.size();
    size_t x = 0;
    while (x < end) {
        size_t s = x, span = 1, equal = 1;
        while (s + 1 < end) {
            if (p[s] != p[s + 1]) {
                if (equal >= 4 || (transparent && p[s] == t))
                    break;
                equal = 1;
            } else {
                ++equal;
            }
            ++span;
            ++s;
        }
        if (span > equal) {
            size_t n = std::min<size_t>(span - equal, 127);
            out.push_back(uint8_t(n));
            out.insert(out.end(), p.begin() + long(x), p.begin() + long(x + n));
            x += n;
        } else {
            if (transparent && p[x] == t && x + equal >= end)
                break;
            size_t n = std::min<size_t>(equal, 128);
            out.push_back(uint8_t(256 - n));
            out.push_back(p[x]);
            x += n;
        }
    }
    return out;
}

// Hand-worked rows for the rules the picture fixtures do not show; they pin
// the plain scan, to which the random pictures hold the coder.
TEST(GfxPictureRows, CodeAsTheRowCodeRules)
{
    Bytes run(130, 3); // runs are split at 128: the 2 left open the next literal
    run.insert(run.end(), {8, 9});
    const std::tuple<Bytes, bool, Bytes> cases[] = { // row, transparent (index 0), code
        {{1, 6, 6, 6, 2, 3}, false, {0x05, 1, 6, 6, 6, 2, 0xFF, 3}}, // three equal stay in the literal,
        {{1, 6, 6, 6, 6, 3}, false, {0x01, 1, 0xFC, 6, 0xFF, 3}},    // four end it
        {{4, 4, 4, 1, 2}, false, {0x04, 4, 4, 4, 1, 0xFF, 2}},       // a short run still starts a literal
        {{1, 2, 0, 3, 4}, true, {0x02, 1, 2, 0xFF, 0, 0x01, 3, 0xFF, 4}}, // a lone transparent pixel is a run
        {run, false, {0x80, 3, 0x03, 3, 3, 8, 0xFF, 9}},
    };
    for (const auto& [row, transparent, code] : cases) {
        EXPECT_EQ(CodeRow(row, transparent, 0), code) << testing::PrintToString(row);
        EXPECT_EQ(ReferenceRowCode(row, transparent, 0), code) << testing::PrintToString(row);
    }
}

TEST(GfxPicture, RandomPicturesDecodeBackAndTheirRowsMatchThePlainScan)
{
    const uint32_t seed = 20240611;
    std::mt19937 random(seed);
    std::uniform_int_distribution<uint32_t> width(0, 600), height(1, 4), coin(0, 1), index(0, 5);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round));
        const uint32_t w = width(random), h = height(random);
        const bool transparent = coin(random);
        const uint8_t t = uint8_t(index(random));
        const Bytes pixels = RandomPixels(random, size_t(w) * h);
        CGfxPicture picture(w, h, pixels.data(), transparent);
        picture.SetTransparentIndex(t);
        picture.Encode();
        ASSERT_EQ(picture.Error(), "");
        test::DecodedPicture decoded;
        ASSERT_EQ(test::DecodePicture(picture.ToBytes(), t, decoded), "");
        EXPECT_EQ(std::tie(decoded.width, decoded.height, decoded.transparent, decoded.pixels),
                  std::tie(w, h, transparent, pixels));
        for (uint32_t y = 0; y < h; ++y) {
            const Bytes row(pixels.begin() + long(y * w), pixels.begin() + long((y + 1) * w));
            ASSERT_EQ(CodeRow(row, transparent, t), ReferenceRowCode(row, transparent, t)) << "row " << y;
        }
    }
}

TEST(GfxPicture, SeveralFramesWithDelta)
{
    CGfxPicture picture;
    ASSERT_TRUE(picture.SetFrameSize(2, 1, 2, 0x33));
    const Bytes frames = {1, 2, /**/ 1, 3};
    std::copy(frames.begin(), frames.end(), picture.Pixels().begin());
    picture.SetDelta(true);
    EXPECT_EQ(picture.Encode(), 10u);
    EXPECT_EQ(picture.ToBytes(), test::HexFixture("picture-two-frames-delta.hex"));
    EXPECT_EQ(picture.GetSize(), 14 + 12 * 2 + 10u);
    ASSERT_TRUE(picture.SetFrameSize(300, 1, 2)); // one flag: frame 0's 304-byte row widens frame 1's table
    for (size_t x = 0; x < 300; ++x)
        picture.Pixels()[x] = uint8_t(x % 2);
    picture.Encode();
    const Bytes s = picture.ToBytes();  // the flag, frame 0's entry, and two-byte entries in both blocks
    EXPECT_EQ(std::tuple(int(s[1]), s[30] | s[31] << 8, s.size()), std::tuple(6, 304, size_t(14 + 24 + 2 + 304 + 2 + 6)));
}

TEST(GfxPicture, RefusesWhatTheStoredFormCannotHold)
{
    CGfxPicture picture;
    EXPECT_FALSE(picture.SetFrameSize(65536, 1, 1));
    EXPECT_NE(picture.Error().find("65535"), std::string::npos);
    EXPECT_FALSE(picture.SetFrameSize(4, 4, 0));
    EXPECT_FALSE(picture.SetFrameSize(4, 4, 256));
    EXPECT_NE(picture.Error().find("255 frames"), std::string::npos);
    EXPECT_EQ(picture.Encode(), 0u);
    EXPECT_FALSE(picture.Error().empty());
    EXPECT_EQ(picture.GetSize(), 0u);

    // A row of 65535 alternating pixels codes to more bytes than its 16-bit entry holds.
    Bytes row(65535);
    for (size_t x = 0; x < row.size(); ++x)
        row[x] = uint8_t(x % 2);
    CGfxPicture tooWide(65535, 1, row.data(), false);
    EXPECT_NE(tooWide.Error().find("row-size entry"), std::string::npos) << tooWide.Error();
    EXPECT_EQ(tooWide.GetSize(), 0u);
}

} // namespace

// Shading of piece pictures: colour adjustment by exact values, filling and
// recolouring shapes, and the bevel worked by hand on small shapes.
#include "model/PieceShading.h"

#include "graphics/Blend32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr TColor32 kGrey = 0xFF808080;
// kGrey one and two steps lighter and darker (128 ± 51, 128 ± 102).
constexpr TColor32 kL1 = 0xFFB3B3B3, kL2 = 0xFFE6E6E6, kD1 = 0xFF4D4D4D, kD2 = 0xFF1A1A1A;

// A bitmap drawn by rows: '#' a pixel of `color`, anything else 0.
std::unique_ptr<TBitmap32> Shape(const std::vector<std::string>& rows, TColor32 color = kGrey)
{
    auto shape = std::make_unique<TBitmap32>();
    TBitmap32& bitmap = *shape;
    bitmap.SetSize(int(rows[0].size()), int(rows.size()));
    bitmap.Clear(0);
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            if (rows[y][x] == '#')
                bitmap.SetPixel(int(x), int(y), color);
    return shape;
}

std::vector<TColor32> Pixels(const TBitmap32& bitmap)
{
    return std::vector<TColor32>(bitmap.Bits(), bitmap.Bits() + bitmap.Width() * bitmap.Height());
}

} // namespace

TEST(AdjustColor, MovesEachColourChannelByPercentOf128)
{
    EXPECT_EQ(AdjustColor(0xFF102030, -40), 0xFF000000u); // 16, 32, 48 less 51 stop at 0
    EXPECT_EQ(AdjustColor(0xFF102030, 40), 0xFF435363u);  // 67, 83, 99
    EXPECT_EQ(Darker(0xFF102030), 0xFF000000u);
    EXPECT_EQ(Lighter(0xFF102030), 0xFF435363u);
    EXPECT_EQ(AdjustColor(0x80FFFFFF, 40), 0x80FFFFFFu); // alpha kept, channels stop at 255
    EXPECT_EQ(AdjustColor(0x12345678, 0), 0x12345678u);
    EXPECT_EQ(AdjustColor(0xFF000000, 1), 0xFF010101u);  // 128 / 100 = 1
    EXPECT_EQ(AdjustColor(0xFF808080, -1), 0xFF7F7F7Fu); // -128 / 100 truncates to -1
    EXPECT_EQ(AdjustColor(0xFF808080, 100), 0xFFFFFFFFu);
}

TEST(FillNonZeroPixels, PaintsOnlyShapePixelsAndCountsThem)
{
    auto bitmap = Shape({"#.#", "..#"});
    EXPECT_EQ(FillNonZeroPixels(bitmap.get(), 0xFF00FF00), 3);
    EXPECT_EQ(Pixels(*bitmap), (std::vector<TColor32>{0xFF00FF00, 0, 0xFF00FF00, 0, 0, 0xFF00FF00}));
    EXPECT_EQ(FillNonZeroPixels(bitmap.get(), 0), 3); // a 0 colour only counts, never clears
    EXPECT_EQ(Pixels(*bitmap), (std::vector<TColor32>{0xFF00FF00, 0, 0xFF00FF00, 0, 0, 0xFF00FF00}));
    EXPECT_EQ(FillNonZeroPixels(nullptr, 0xFF00FF00), 0);

    auto empty = Shape({"...", "..."});
    EXPECT_EQ(FillNonZeroPixels(empty.get(), 0xFF00FF00), 0);
    EXPECT_EQ(Pixels(*empty), std::vector<TColor32>(6, 0));
}

TEST(LightenDarkenAndReplace, ChangeShapePixelsOnlyAndKeepMembership)
{
    auto bitmap = Shape({"#."});
    LightenPixels(*bitmap);
    EXPECT_EQ(Pixels(*bitmap), (std::vector<TColor32>{kL1, 0}));
    DarkenPixels(*bitmap);
    DarkenPixels(*bitmap);
    EXPECT_EQ(Pixels(*bitmap), (std::vector<TColor32>{kD1, 0}));

    // A transparent dark pixel would darken to 0: it stays as it is instead.
    auto faint = Shape({"#"}, 0x00101010);
    DarkenPixels(*faint);
    EXPECT_EQ(faint->GetPixel(0, 0), 0x00101010u);

    auto magenta = Shape({"##."}, 0xFFFF00FF);
    magenta->SetPixel(1, 0, 0xFEFF00FF);
    ReplaceColor(*magenta, 0xFFFF00FF, 0); // exact matches only
    EXPECT_EQ(Pixels(*magenta), (std::vector<TColor32>{0, 0xFEFF00FF, 0}));

    EXPECT_EQ(RectFromWords(1, 2, 65535, 4), (TRect{1, 2, 65535, 4}));
}

// Worked by hand: light writes L² on the top row and left column with an L¹
// band inside; dark writes D² on the bottom row and right column with a D¹ band
// inside, and where the two meet the later dark bitmap wins.
TEST(Bevel, ShapesWorkedByHand)
{
    struct Case {
        std::vector<std::string> rows;
        std::vector<TColor32> expected;
        TColor32 color = kGrey;
    };
    const Case cases[] = {
        {{"#"}, {kD2}}, // every edge at once: D² blended over L²
        {{".....", ".###.", "....."}, {0, 0, 0, 0, 0, 0, kD2, kD2, kD2, 0, 0, 0, 0, 0, 0}},
        {{"###", "###", "###"}, {kL2, kD1, kD2, kD1, kD1, kD2, kD2, kD2, kD2}},
        {{"#####", "#####", "#####", "#####", "#####"},
         {kL2, kL2, kL2, kD1, kD2, //
          kL2, kL1, kL1, kD1, kD2, //
          kL2, kL1, kGrey, kD1, kD2, //
          kD1, kD1, kD1, kD1, kD2, //
          kD2, kD2, kD2, kD2, kD2}},
        // Transparent pixels darken and lighten without weight: they stay as they are.
        {{"##", "#."}, {0x00202020, 0x00202020, 0x00202020, 0}, 0x00202020},
    };
    for (const Case& c : cases) {
        auto bitmap = Shape(c.rows, c.color);
        Bevel(*bitmap);
        EXPECT_EQ(Pixels(*bitmap), c.expected) << c.rows[0];
    }
    auto ring = Shape({"####", "#..#", "####"}); // never clears a shape pixel, leaves the rest 0
    Bevel(*ring);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(ring->GetPixel(x, y) != 0, !(y == 1 && (x == 1 || x == 2))) << x << "," << y;

    TBitmap32 empty;
    Bevel(empty);
    EXPECT_TRUE(empty.Empty());
    auto pixel = Shape({"#"});
    EXPECT_EQ(FillNonZeroPixelsBevel(pixel.get(), 0xFF808080), 1);
    EXPECT_EQ(pixel->GetPixel(0, 0), kD2);
}

// The bevel as drawing makes it: every position visited along the
// anti-diagonals from the top-left corner (x rising, the diagonal through
// (0, H) twice), light and dark writes into layers, the layers blended on.
void BevelByDiagonalVisits(TBitmap32& bitmap)
{
    const int W = bitmap.Width(), H = bitmap.Height();
    TBitmap32 light, dark;
    light.SetSize(W, H);
    dark.SetSize(W, H);
    auto visit = [&](int x, int y) {
        if (x < W && y < H && bitmap.GetPixel(x, y)) {
            BevelLightPixel(bitmap, light, x, y);
            BevelDarkPixel(bitmap, dark, x, y);
        }
    };
    for (int d = 0; d <= H; ++d)
        for (int x = 0; x <= std::min(d, W - 1); ++x)
            visit(x, d - x);
    for (int s = 0; s <= W; ++s)
        for (int k = 0; k <= std::min(W - s, H); ++k)
            visit(s + k, H - k);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            TColor32 blended = bitmap.GetPixel(x, y);
            if (!blended || !(light.GetPixel(x, y) | dark.GetPixel(x, y)))
                continue;
            BlendMem(light.GetPixel(x, y), blended);
            BlendMem(dark.GetPixel(x, y), blended);
            if (blended)
                bitmap.SetPixel(x, y, blended);
        }
}

TEST(Bevel, MatchesTheDiagonalVisitsOnRandomShapes)
{
    const unsigned seed = 20240705;
    std::mt19937 random(seed);
    const TColor32 colors[] = {0xFF808080, 0xFFC83028, 0x80FFFFFF, 0x00202020, 0xFF000000};
    for (int round = 0; round < 300; ++round) {
        TBitmap32 bitmap;
        bitmap.SetSize(1 + int(random() % 24), 1 + int(random() % 24));
        const int density = 1 + int(random() % 9);
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (int(random() % 10) < density)
                    bitmap.SetPixel(x, y, colors[random() % 5] ^ (random() % 64));
        TBitmap32 expected;
        expected.Assign(&bitmap);
        BevelByDiagonalVisits(expected);
        Bevel(bitmap);
        ASSERT_TRUE(bitmap.Equal(expected)) << "seed " << seed << ", round " << round;
    }
}

#include "world/PieceShades.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A mask from rows of '#' (in the piece), 'r' (an icon-place mark, alpha 0) and
// anything else (not in the piece).
std::unique_ptr<TBitmap32> Mask(const std::vector<std::string>& rows)
{
    auto mask = std::make_unique<TBitmap32>();
    mask->SetSize(int(rows[0].size()), int(rows.size()));
    mask->Clear(0);
    for (int y = 0; y < mask->Height(); ++y)
        for (int x = 0; x < mask->Width(); ++x)
            if (rows[size_t(y)][size_t(x)] != '.')
                mask->SetPixel(x, y, rows[size_t(y)][size_t(x)] == 'r' ? 0x00FFFFFF : 0xFF7F007F);
    return mask;
}

// The shades of every row as digits (the shade codes), '.' outside the piece.
std::vector<std::string> ShadeRows(const std::unique_ptr<TBitmap32>& bitmap)
{
    const TBitmap32& mask = *bitmap;
    CPieceShades shades(mask);
    std::vector<std::string> rows;
    for (int y = 0; y < mask.Height(); ++y) {
        const uint8_t* row = shades.Row(y);
        std::string text;
        for (int x = 0; x < mask.Width(); ++x)
            text += row[x] == kShadeOutside ? '.' : char('0' + row[x]);
        rows.push_back(text);
    }
    return rows;
}

// The bevel as the world view paints it, followed step by step: light and dark
// layers written in the anti-diagonal visiting order, later writes replacing
// earlier ones, every write only onto pixels of the piece, the dark layer laid
// over the light one.
std::vector<std::string> BevelByVisitingOrder(const std::unique_ptr<TBitmap32>& bitmap)
{
    const TBitmap32& mask = *bitmap;
    const int w = mask.Width(), h = mask.Height();
    enum Layer : char { kNone = 0, kOnce = 1, kTwice = 2 };
    std::vector<char> light(size_t(w * h), kNone), dark(size_t(w * h), kNone);
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && mask.GetPixel(x, y) != 0; };
    auto set = [&](std::vector<char>& layer, int x, int y, char value) {
        if (in(x, y))
            layer[size_t(y * w + x)] = value;
    };
    auto visit = [&](int x, int y) {
        if (!in(x, y))
            return;
        if (!in(x, y - 1)) {
            set(light, x, y, kTwice);
            set(light, x, y + 1, kOnce);
        }
        if (!in(x - 1, y)) {
            set(light, x, y, kTwice);
            set(light, x + 1, y, kOnce);
        }
        if (!in(x - 1, y - 1)) {
            set(light, x, y, kTwice);
            set(light, x + 1, y, kOnce);
            set(light, x, y + 1, kOnce);
        }
        if (!in(x, y + 1)) {
            set(dark, x, y, kTwice);
            if (in(x + 1, y) && in(x + 1, y - 1))
                set(dark, x, y - 1, kOnce);
        }
        if (!in(x + 1, y)) {
            set(dark, x, y, kTwice);
            if (in(x, y + 1) && in(x - 1, y + 1))
                set(dark, x - 1, y, kOnce);
        }
        if (!in(x + 1, y + 1)) {
            set(dark, x, y, kTwice);
            if (in(x + 1, y) && in(x, y + 1)) {
                set(dark, x - 1, y, kOnce);
                set(dark, x, y - 1, kOnce);
            }
        }
    };
    for (int d = 0; d <= h; ++d)
        for (int x = 0; x <= d; ++x)
            visit(x, d - x);
    for (int s = 0; s <= w; ++s)
        for (int k = 0; h - k >= h - (w - s); ++k)
            visit(s + k, h - k);

    std::vector<std::string> rows;
    for (int y = 0; y < h; ++y) {
        std::string text;
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y * w + x);
            char shade = '0' + kShadeBase;
            if (!in(x, y))
                shade = '.';
            else if (dark[i] != kNone)
                shade = char('0' + (dark[i] == kOnce ? kShadeDarkOnce : kShadeDarkTwice));
            else if (light[i] != kNone)
                shade = char('0' + (light[i] == kOnce ? kShadeLightOnce : kShadeLightTwice));
            text += shade;
        }
        rows.push_back(text);
    }
    return rows;
}

TEST(PieceShades, SmallShapes)
{
    // An isolated pixel is an edge on every side: the dark layer wins.
    EXPECT_EQ(ShadeRows(Mask({"#"})), (std::vector<std::string>{"4"}));
    // A one-pixel line is an upper and a lower edge everywhere.
    EXPECT_EQ(ShadeRows(Mask({"#####"})), (std::vector<std::string>{"44444"}));
    EXPECT_EQ(ShadeRows(Mask({"###", "###", "###"})), (std::vector<std::string>{"134", "334", "444"}));
    EXPECT_EQ(ShadeRows(Mask({"######", "######", "######", "######", "######", "######"})),
              (std::vector<std::string>{"111134", "122234", "120034", "120034", "333334", "444444"}));
    // Holes and marks: an icon-place mark is a pixel of the piece like any other.
    EXPECT_EQ(ShadeRows(Mask({".###.", "##r##", "#####"})), ShadeRows(Mask({".###.", "#####", "#####"})));
    EXPECT_EQ(ShadeRows(Mask({"#####", "##.##", "#####"})), BevelByVisitingOrder(Mask({"#####", "##.##", "#####"})));
}

TEST(PieceShades, MatchTheBevelsVisitingOrderOnRandomMasks)
{
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        const int w = 1 + int(random() % 12), h = 1 + int(random() % 12);
        const unsigned density = 30 + random() % 70;
        std::vector<std::string> rows(size_t(h), std::string(size_t(w), '.'));
        for (std::string& row : rows)
            for (char& c : row)
                c = random() % 100 < density ? '#' : '.';
        const auto mask = Mask(rows);
        ASSERT_EQ(ShadeRows(mask), BevelByVisitingOrder(mask)) << "seed " << seed << ", round " << round;
    }
}

TEST(PieceShades, RowsMayBeSkipped)
{
    const auto mask = Mask({"####", "#..#", "####", "#.##", "####"});
    const std::vector<std::string> all = ShadeRows(mask);
    CPieceShades shades(*mask);
    const uint8_t* row = shades.Row(3);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(all[3][size_t(x)], row[x] == kShadeOutside ? '.' : char('0' + row[x])) << x;
}

} // namespace

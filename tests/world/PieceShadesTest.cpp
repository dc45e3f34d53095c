#include "world/PieceShades.h"

#include "model/PieceShading.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The shades of every row as digits (the shade codes), '.' outside the piece,
// with the mask's column 0 at world column `left`.
std::vector<std::string> ShadeRows(const std::unique_ptr<TBitmap32>& mask, int left = 0)
{
    CMaskBits bits;
    bits.Load(*mask, left);
    std::vector<std::string> rows;
    for (int y = 0; y < mask->Height(); ++y) {
        std::string text;
        for (int x = 0; x < mask->Width(); ++x) {
            const int bit = left - bits.X0() + x;
            const ShadeWord shade = ShadeWordAt(bits, y, bit / 64);
            const auto at = [bit](uint64_t plane) { return int(plane >> (bit % 64) & 1); };
            text += at(shade.inside) == 0 ? '.' : char('0' + (at(shade.code[0]) | at(shade.code[1]) << 1 | at(shade.code[2]) << 2));
        }
        rows.push_back(text);
    }
    return rows;
}

// The shades as the world view paints them: the shape filled with one colour
// and bevelled, each pixel's colour read back as a shade.
std::vector<std::string> PaintedShades(const std::unique_ptr<TBitmap32>& mask)
{
    constexpr TColor32 kColor = 0xFF7F007F;
    TBitmap32 painted;
    painted.SetSize(mask->Width(), mask->Height());
    std::copy_n(mask->Bits(), size_t(mask->Width()) * size_t(mask->Height()), painted.Bits());
    FillNonZeroPixelsBevel(&painted, kColor);
    const std::pair<TColor32, PieceShade> shades[] = {
        {kColor, kShadeBase},
        {Lighter(Lighter(kColor)), kShadeLightTwice},
        {Lighter(kColor), kShadeLightOnce},
        {Darker(kColor), kShadeDarkOnce},
        {Darker(Darker(kColor)), kShadeDarkTwice},
    };
    std::vector<std::string> rows;
    for (int y = 0; y < painted.Height(); ++y) {
        std::string text;
        for (int x = 0; x < painted.Width(); ++x) {
            const TColor32 color = painted.GetPixel(x, y);
            char shade = color == 0 ? '.' : '?';
            for (const auto& [shadeColor, code] : shades)
                if (color == shadeColor)
                    shade = char('0' + code);
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
    EXPECT_EQ(ShadeRows(Mask({"#####", "##.##", "#####"})), PaintedShades(Mask({"#####", "##.##", "#####"})));
}

TEST(PieceShades, MatchThePaintedBevelOnRandomMasks)
{
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    for (int round = 0; round < 3000; ++round) {
        // Small masks give every neighbourhood; wide ones at any world column
        // cross words and blocks.
        const bool wide = round % 10 == 0;
        const int w = 1 + int(random() % (wide ? 300 : 12)), h = 1 + int(random() % 12);
        const int left = wide ? int(random() % 400) - 150 : 0;
        const unsigned density = 30 + random() % 70;
        std::vector<std::string> rows(size_t(h), std::string(size_t(w), '.'));
        for (std::string& row : rows)
            for (char& c : row)
                c = random() % 100 < density ? '#' : '.';
        const auto mask = Mask(rows);
        ASSERT_EQ(ShadeRows(mask, left), PaintedShades(mask)) << "seed " << seed << ", round " << round;
    }
}

} // namespace

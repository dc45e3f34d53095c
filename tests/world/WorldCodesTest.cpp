// The export's world codes, index map, preview and domain strips against a
// plain pixel-by-pixel version of the same rules on random worlds, whose
// shades are those the world view paints.
#include "world/BlockImages.h"
#include "world/PieceShades.h"
#include "model/PieceShading.h"
#include "world/PreviewImage.h"
#include "world/WorldCodes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

// The shades the world codes give a lone piece drawn by `rows` ('#' in the
// piece, 'r' an icon-place mark), as digits (the shade codes), '.' outside it.
std::vector<std::string> BuiltShades(const std::vector<std::string>& rows)
{
    CMapProject project;
    const int w = int(rows[0].size()), h = int(rows.size());
    project.SetMapSize(uint16_t(w), uint16_t(h));
    auto piece = std::make_unique<CProvinceMap>(project);
    piece->kind = CProvinceMap::kProvince;
    piece->mask.SetSize(w, h);
    piece->mask.Clear(0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (rows[size_t(y)][size_t(x)] != '.')
                piece->mask.SetPixel(x, y, rows[size_t(y)][size_t(x)] == 'r' ? CProvinceMap::kReserved : 0xFF0000CC);
    project.GetPieces().Add(std::move(piece));
    CWorldCodes codes;
    std::string error;
    EXPECT_TRUE(codes.Build(project, error)) << error;
    std::vector<std::string> shades = rows;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (rows[size_t(y)][size_t(x)] != '.')
                shades[size_t(y)][size_t(x)] = char('0' + (codes.CodeAt(x, y) >> 5));
    return shades;
}

// The shades as the world view paints them: the shape filled with one colour
// and bevelled, each pixel's colour read back as a shade.
std::vector<std::string> PaintedShades(const TBitmap32& mask)
{
    constexpr TColor32 kColor = 0xFF7F007F;
    TBitmap32 painted;
    painted.SetSize(mask.Width(), mask.Height());
    std::copy_n(mask.Bits(), size_t(mask.Width()) * size_t(mask.Height()), painted.Bits());
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

// Hand-worked shades of small shapes; random worlds below hold the codes to the painted bevel.
TEST(PieceShades, SmallShapes)
{
    // An isolated pixel is an edge on every side: the dark layer wins.
    EXPECT_EQ(BuiltShades({"#"}), (std::vector<std::string>{"4"}));
    // A one-pixel line is an upper and a lower edge everywhere.
    EXPECT_EQ(BuiltShades({"#####"}), (std::vector<std::string>{"44444"}));
    EXPECT_EQ(BuiltShades({"###", "###", "###"}), (std::vector<std::string>{"134", "334", "444"}));
    EXPECT_EQ(BuiltShades({"######", "######", "######", "######", "######", "######"}),
              (std::vector<std::string>{"111134", "122234", "120034", "120034", "333334", "444444"}));
    // An icon-place mark is a pixel of the piece like any other.
    EXPECT_EQ(BuiltShades({".###.", "##r##", "#####"}), BuiltShades({".###.", "#####", "#####"}));
}

constexpr int kSide = CWorldCodes::kBlockSide;

struct PlainCodes {
    std::vector<uint8_t> codes, preview; // world rows
    // Per block (column-major): the province of each local number.
    std::vector<std::vector<uint8_t>> blocks;
};

PlainCodes PlainBuild(const CMapProject& project)
{
    const int width = project.GetWidth(), height = project.GetHeight();
    const int columns = (width + kSide - 1) / kSide, rows = (height + kSide - 1) / kSide;
    const CProvinceMapList& pieces = project.GetPieces();
    std::vector<uint8_t> provinceOf(size_t(pieces.GetCount()), CProvincesMapID::kNoProvince);
    for (int i = project.GetProvinces().GetSize() - 1; i >= 0; --i)
        provinceOf[size_t(project.GetProvinces().GetAt(i)->pieceIndex)] = uint8_t(i);
    const auto covers = [&](int i, int x, int y) {
        const CProvinceMap& piece = *pieces.GetAt(i);
        const int mx = x - piece.left, my = y - piece.top;
        return mx >= 0 && my >= 0 && mx < piece.mask.Width() && my < piece.mask.Height() &&
               piece.mask.GetPixel(mx, my) != 0;
    };

    PlainCodes plain;
    plain.codes.assign(size_t(width) * size_t(height), CWorldCodes::kLand);
    plain.preview.assign(size_t(width) * size_t(height), CWorldCodes::kPreviewLand);
    // Local numbers in the order a scan of the block (column by column) meets the pieces.
    std::vector<std::vector<int>> local(size_t(columns) * size_t(rows), std::vector<int>(size_t(pieces.GetCount()), -1));
    plain.blocks.resize(local.size());
    for (size_t block = 0; block < local.size(); ++block) {
        const int bx = int(block) / rows * kSide, by = int(block) % rows * kSide;
        for (int x = bx; x < std::min(width, bx + kSide); ++x)
            for (int y = by; y < std::min(height, by + kSide); ++y)
                for (int i = 0; i < pieces.GetCount(); ++i)
                    if (pieces.GetAt(i)->IsProvince() && local[block][size_t(i)] < 0 && covers(i, x, y)) {
                        local[block][size_t(i)] = int(plain.blocks[block].size());
                        plain.blocks[block].push_back(provinceOf[size_t(i)]);
                    }
    }
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < pieces.GetCount(); ++i) {
            const CProvinceMap& piece = *pieces.GetAt(i);
            if (piece.IsProvince() != (pass == 0))
                continue;
            const std::vector<std::string> shades = PaintedShades(piece.mask);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    if (!covers(i, x, y))
                        continue;
                    const size_t at = size_t(y) * size_t(width) + size_t(x);
                    if (pass == 1) {
                        plain.codes[at] = piece.IsOcean() ? CWorldCodes::kOcean : CWorldCodes::kLand;
                        plain.preview[at] = piece.IsOcean()       ? CWorldCodes::kPreviewOcean
                                            : piece.IsGreenLand() ? CWorldCodes::kPreviewLand
                                                                  : CWorldCodes::kPreviewOther;
                        continue;
                    }
                    const int shade = shades[size_t(y - piece.top)][size_t(x - piece.left)] - '0';
                    const int k = local[size_t(x / kSide) * size_t(rows) + size_t(y / kSide)][size_t(i)];
                    plain.codes[at] = uint8_t(shade << 5 | k);
                    const uint8_t province = provinceOf[size_t(i)];
                    plain.preview[at] = province == CProvincesMapID::kNoProvince ? CWorldCodes::kPreviewOther
                                        : shade >= kShadeDarkOnce               ? CWorldCodes::kPreviewBorder
                                                                                : province;
                }
        }
    return plain;
}

// A world of random size with random blobs of every kind, some reaching out of
// the world, overlapping, marked with icon places or left without a province.
void AddRandomWorld(CMapProject& project, std::mt19937& random)
{
    const int width = 1 + int(random() % 400), height = 1 + int(random() % 300);
    project.SetMapSize(uint16_t(width), uint16_t(height));
    const int count = 1 + int(random() % 12);
    for (int p = 0; p < count; ++p) {
        auto piece = std::make_unique<CProvinceMap>(project);
        const uint32_t kinds[] = {CProvinceMap::kProvince, CProvinceMap::kProvinceWithoutCastlePlace,
                                  CProvinceMap::kOcean, CProvinceMap::kGreenLand, CProvinceMap::kSmall,
                                  CProvinceMap::kUnclassified};
        piece->kind = random() % 2 ? CProvinceMap::kProvince : kinds[random() % 6];
        const int w = 1 + int(random() % 200), h = 1 + int(random() % 160);
        piece->left = int16_t(int(random() % uint32_t(width + 40)) - 40);
        piece->top = int16_t(int(random() % uint32_t(height + 40)) - 40);
        piece->mask.SetSize(w, h);
        piece->mask.Clear(0);
        // A few discs, speckled with holes and icon-place marks, or noise of every density.
        const uint32_t holes = random() % 2 ? 50 : 2 + random() % 3;
        for (int disc = 1 + int(random() % 4); disc > 0; --disc) {
            const int cx = int(random() % uint32_t(w)), cy = int(random() % uint32_t(h));
            const int r = 1 + int(random() % 60);
            for (int y = std::max(0, cy - r); y < std::min(h, cy + r + 1); ++y)
                for (int x = std::max(0, cx - r); x < std::min(w, cx + r + 1); ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r && random() % holes != 0)
                        piece->mask.SetPixel(x, y, random() % 20 == 0 ? CProvinceMap::kReserved : 0xFF0000CC);
        }
        project.GetPieces().Add(std::move(piece));
    }
    // Provinces for most province pieces, now and then two for one piece.
    for (int i = 0; i < count; ++i) {
        if (!project.GetPieces().GetAt(i)->IsProvince() || random() % 5 == 0)
            continue;
        for (int copies = random() % 6 == 0 ? 2 : 1; copies > 0; --copies) {
            auto province = std::make_unique<CProvince>(project);
            province->pieceIndex = i;
            project.GetProvinces().Add(std::move(province));
        }
    }
}

TEST(WorldCodes, MatchThePlainPixelByPixelRulesOnRandomWorlds)
{
    const unsigned seed = 7411;
    std::mt19937 random(seed);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round));
        CMapProject project;
        AddRandomWorld(project, random);
        CWorldCodes codes;
        std::string error;
        ASSERT_TRUE(codes.Build(project, error)) << error;
        const PlainCodes plain = PlainBuild(project);
        const int width = codes.Width(), height = codes.Height();

        std::vector<uint8_t> built(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                built[size_t(y) * size_t(width) + size_t(x)] = codes.CodeAt(x, y);
        ASSERT_EQ(built, plain.codes);
        ASSERT_EQ(codes.PreviewSource(), plain.preview);
        // Cells of any size, and cells of one or two pixels where every border pixel tells.
        const std::pair<int, int> previewSizes[] = {
            {1 + int(random() % uint32_t(width)), 1 + int(random() % uint32_t(height))},
            {(width + 1) / 2, (height + 1) / 2}};
        for (const auto& [previewWidth, previewHeight] : previewSizes)
            ASSERT_EQ(ShrinkPreview(codes, previewWidth, previewHeight),
                      ShrinkPreview(plain.preview, width, height, previewWidth, previewHeight));
        for (int column = 0; column < codes.Columns(); ++column)
            for (int row = 0; row < codes.Rows(); ++row) {
                const auto& entries = codes.Map().columns.GetAt(column)->cells.GetAt(row)->entries;
                std::vector<uint8_t> provinces;
                for (int k = 0; k < entries.GetSize(); ++k) {
                    ASSERT_EQ(entries[k].piece, k);
                    provinces.push_back(entries[k].province);
                }
                ASSERT_EQ(provinces, plain.blocks[size_t(column) * size_t(codes.Rows()) + size_t(row)]) << column << ", " << row;
            }

        // Domain strips: every second pixel of every second row, shades folded.
        for (int column = 0; column < codes.Columns(); ++column) {
            uint32_t stripWidth = 0, stripHeight = 0;
            const std::vector<uint8_t> strip = DomainStrip(codes, column, stripWidth, stripHeight);
            std::vector<uint8_t> expected;
            for (int y = 0; y < height / 2; ++y)
                for (int x = 0; x < codes.StripWidth(column) / 2; ++x) {
                    const uint8_t code = codes.CodeAt(column * kSide + 2 * x, 2 * y);
                    const int shade = code == CWorldCodes::kOcean ? -1 : code >> 5;
                    const int folded = shade == kShadeLightTwice ? kShadeLightOnce
                                       : shade == kShadeDarkTwice ? kShadeDarkOnce
                                                                  : shade;
                    expected.push_back(shade < 0 ? code : uint8_t(folded << 5 | (code & 31)));
                }
            ASSERT_EQ(strip, expected) << column;
        }
    }
}

} // namespace

// Texture strips and piece pictures: loading, texture coordinates in the
// mask's own space, flat colours where a texture is missing, the picture of
// every piece kind, highlighting and drawing into the world.
#include "world/Textures.h"

#include "model/ErrorList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "WorldFixture.h"
#include "platform/FileSystem.h"

namespace fs = std::filesystem;

TEST(Textures, StartUpLoadsTheThreeAndNamesEachMissingOne)
{
    const fs::path data = VALDRUNE_DATA_DIR;
    platform::TemporaryFolder folder;
    fs::create_directory(folder.Path() / "res");
    fs::copy_file(data / "res" / "MapTexturesNormal.bmp", folder.Path() / "res" / "MapTexturesNormal.bmp");
    EXPECT_EQ(LoadTextures(folder.Path()), (std::vector<std::string>{"Cannot find res/MapTexturesSelected.bmp",
                                                                      "Cannot find res/SeaTexture.bmp"}));
    EXPECT_EQ(NormalTexture().tileSize, 64);
    EXPECT_EQ(SeaTexture().tileSize, 0);

    // The bundled strips: eight tiles of 64 (the last for green land), one sea tile.
    EXPECT_TRUE(LoadTextures(data).empty());
    for (const auto& [strip, tiles] : {std::pair{&NormalTexture(), 8}, {&SelectedTexture(), 8}, {&SeaTexture(), 1}}) {
        EXPECT_EQ(strip->tileSize, 64);
        EXPECT_TRUE(strip->HasTile(tiles - 1));
        EXPECT_FALSE(strip->HasTile(tiles));
    }
    UnloadTextures();
}

// Mask coordinates wrap inside the tile; pixels outside the mask are kept.
TEST(Textures, PixelsWrapInsideTheirTileAtMaskCoordinates)
{
    CTextures texture;
    texture.bitmap.SetSize(6, 3); // two tiles of 3
    std::mt19937 random(11);
    std::generate_n(texture.bitmap.Bits(), 18, [&] { return random() | 0xFF000000u; });
    texture.width = 6;
    texture.height = texture.tileSize = 3;
    EXPECT_EQ(texture.Pixel(1, 7, 5), texture.bitmap.GetPixel(3 + 1, 2));
    TBitmap32 mask;
    mask.SetSize(5, 4);
    mask.Clear(0);
    mask.SetPixel(4, 3, 1);
    mask.SetPixel(2, 1, 1);
    EXPECT_EQ(TexturePixels(&mask, texture, 1, 0xFF123456), 2);
    EXPECT_EQ(mask.GetPixel(4, 3), texture.bitmap.GetPixel(3 + 1, 0)); // 4 mod 3, 3 mod 3
    EXPECT_EQ(mask.GetPixel(2, 1), texture.bitmap.GetPixel(3 + 2, 1));
    EXPECT_EQ(mask.GetPixel(3, 3), 0u);
}

// A texture that failed to load has no tiles (and never divides by its tile
// size); a missing tile or a zero texel takes the flat colour: a mask pixel
// is never cleared.
TEST(Textures, MissingTilesAndZeroTexelsTakeTheFlatColour)
{
    CTextures missing;
    EXPECT_EQ(missing.Load("no/such/texture.bmp"), 0);
    EXPECT_FALSE(missing.HasTile(0));
    CTextures clear;
    clear.bitmap.SetSize(2, 2);
    clear.bitmap.Clear(0); // a fully transparent texture
    clear.width = 2;
    clear.height = clear.tileSize = 2;
    TBitmap32 mask;
    mask.SetSize(3, 3);
    mask.Clear(0xFF0000CC);
    for (const auto& [texture, tile, flat] : {std::tuple{&missing, 0, 0xFF123456u}, {&clear, 0, 0xFF445566u},
                                              {&clear, 5, 0xFF778899u}}) {
        EXPECT_EQ(TexturePixels(&mask, *texture, tile, flat), 9);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(mask.GetPixel(i % 3, i / 3), flat) << i;
    }
    EXPECT_EQ(TexturePixelsBevel(&mask, clear, 0, 0), 9); // no fallback at all
    for (int i = 0; i < 9; ++i)
        EXPECT_NE(mask.GetPixel(i % 3, i / 3), 0u) << i;
    EXPECT_EQ(TexturePixels(nullptr, clear, 0, 1), 0);
}

// ---- Piece pictures -----------------------------------------------------------

using PiecePictureTest = WorldViewTest;

TEST_F(PiecePictureTest, EachKindTakesItsTextureOrColour)
{
    struct Case {
        uint32_t kind;
        TColor32 expected;
    };
    const CSettings& settings = TheSettings();
    const Case cases[] = {
        {CProvinceMap::kOcean, TileColor(kSea, 0)},
        {CProvinceMap::kGreenLand, TileColor(kNormal, 7)},
        {CProvinceMap::kSmall, settings.colors[CSettings::kPiecePaintLight]},
        {CProvinceMap::kUnclassified, settings.colors[CSettings::kPiecePaint]},
        {77, settings.colors[CSettings::kPiecePaint]}, // an unknown kind
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const int index = project.GetPieces().GetCount();
        CProvinceMap& piece = AddPiece(10, 20, {"##.", ".##"}, c.kind);
        piece.pixelCount = 99;
        project.UpdateProvinceMapPicture(index);
        EXPECT_EQ(piece.pixelCount, 4u);
        EXPECT_EQ(piece.mask.GetPixel(0, 0), c.expected);
        EXPECT_EQ(piece.mask.GetPixel(2, 0), 0u);
        EXPECT_EQ(image.Bitmap()->GetPixel(11, 21), c.expected); // drawn into the world
        EXPECT_EQ(image.Bitmap()->GetPixel(12, 20), 0xFFFFFFFFu);
    }
    project.UpdateProvinceMapPicture(project.GetPieces().GetCount()); // beyond the list: nothing

    // A piece without pixels is not drawn; indexes outside the list draw nothing.
    CProvinceMap& empty = AddPiece(5, 5, {"#"}, CProvinceMap::kSmall);
    empty.mask.SetPixel(0, 0, 0xFF00AA00);
    empty.pixelCount = 0;
    project.DrawAllPieces();
    project.DrawPiece(-1);
    project.DrawPiece(project.GetPieces().GetCount());
    EXPECT_EQ(image.Bitmap()->GetPixel(5, 5), 0xFFFFFFFFu);
}

TEST_F(PiecePictureTest, HighlightSwitchesToTheSelectedTexture)
{
    AddLinkedProvince(0, 0, 5, 5, 0);
    AddPiece(30, 0, {"###"}, CProvinceMap::kOcean);
    const CProvinceMap& piece = *project.GetPieces().GetAt(0);
    project.HighlightPiece(0);
    EXPECT_EQ(piece.highlight, 1u);
    EXPECT_EQ(piece.mask.GetPixel(2, 2), TileColor(kSelected, 1));
    EXPECT_EQ(image.Bitmap()->GetPixel(2, 2), TileColor(kSelected, 1));
    project.UnhighlightPiece(0);
    EXPECT_EQ(piece.highlight, 0u);
    EXPECT_EQ(piece.mask.GetPixel(2, 2), TileColor(kNormal, 1));

    // A connect warning shows its target highlighted until it is hidden.
    struct ProjectView : IWorldView {
        explicit ProjectView(CMapProject& p) : project(p) {}
        void DrawPiece(int i) override { project.DrawPiece(i); }
        void RebuildPiecePicture(int i) override { project.UpdateProvinceMapPicture(i); }
        CMapProject& project;
    } view(project);
    project.SetWorldView(&view);
    CErrorList warnings;
    warnings.Add(std::make_unique<CErrorConnect>(project, *project.GetPieces().GetAt(1), project.GetPieces().GetAt(0)));
    warnings.GetAt(0)->Show();
    EXPECT_EQ(image.Bitmap()->GetPixel(2, 2), TileColor(kSelected, 1));
    warnings.Clear();
    EXPECT_EQ(image.Bitmap()->GetPixel(2, 2), TileColor(kNormal, 1));
    project.SetWorldView(nullptr);

    project.HighlightPiece(1); // ocean: never highlighted
    EXPECT_EQ(project.GetPieces().GetAt(1)->highlight, 0u);
    project.HighlightPiece(CProvinceMap::kNoIndex);
    project.UnhighlightPiece(CProvinceMap::kNoIndex);
}

// Texture strips and piece pictures: loading, texture coordinates in the
// mask's own space, flat colours where a texture is missing, the picture of
// every piece kind, highlighting and drawing into the world.
#include "world/Textures.h"

#include "model/ErrorList.h"

#include <gtest/gtest.h>

#include <random>

#include "WorldFixture.h"
#include "platform/FileSystem.h"

namespace {

std::filesystem::path Resource(const char* name)
{
    return std::filesystem::path(VALDRUNE_DATA_DIR) / "res" / name;
}

// Every pixel random, from a fixed seed.
void FillRandom(TBitmap32& bitmap, unsigned seed)
{
    std::mt19937 random(seed);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, random() | 0xFF000000u);
}

} // namespace

TEST(Textures, StartUpLoadsTheThreeAndNamesEachMissingOne)
{
    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    std::filesystem::create_directory(folder.Path() / "res");
    std::filesystem::copy_file(Resource("MapTexturesNormal.bmp"), folder.Path() / "res" / "MapTexturesNormal.bmp");
    EXPECT_EQ(LoadTextures(folder.Path()), (std::vector<std::string>{"Cannot find res/MapTexturesSelected.bmp",
                                                                      "Cannot find res/SeaTexture.bmp"}));
    EXPECT_EQ(NormalTexture().tileSize, 64);
    EXPECT_EQ(SeaTexture().tileSize, 0);

    // The bundled strips: eight tiles of 64 (the last for green land), one sea tile.
    EXPECT_TRUE(LoadTextures(std::filesystem::path(VALDRUNE_DATA_DIR)).empty());
    for (const CTextures* strip : {&NormalTexture(), &SelectedTexture()}) {
        EXPECT_EQ(strip->width, 512);
        EXPECT_EQ(strip->height, 64);
        EXPECT_EQ(strip->tileSize, 64);
        EXPECT_TRUE(strip->HasTile(7));
        EXPECT_FALSE(strip->HasTile(8));
    }
    EXPECT_EQ(SeaTexture().tileSize, 64);
    EXPECT_TRUE(SeaTexture().HasTile(0));
    EXPECT_FALSE(SeaTexture().HasTile(1));
    UnloadTextures();
}

TEST(Textures, MissingPictureLeavesTheTextureAsItWas)
{
    CTextures texture;
    EXPECT_EQ(texture.Load("no/such/texture.bmp"), 0);
    EXPECT_EQ(texture.tileSize, 0);
    EXPECT_FALSE(texture.HasTile(0));
    // A texture without tiles never divides: pieces take the flat colour.
    auto mask = std::make_unique<TBitmap32>();
    mask->SetSize(2, 1);
    mask->Clear(0xFF0000CC);
    EXPECT_EQ(TexturePixels(mask.get(), texture, 0, 0xFF123456), 2);
    EXPECT_EQ(mask->GetPixel(1, 0), 0xFF123456u);
}

TEST(Textures, TexturePixelWrapsInsideItsTile)
{
    const unsigned seed = 7;
    SCOPED_TRACE(seed);
    CTextures texture;
    texture.bitmap.SetSize(512, 64);
    FillRandom(texture.bitmap, seed);
    texture.width = 512;
    texture.height = texture.tileSize = 64;
    EXPECT_EQ(texture.Pixel(2, 70, 130), texture.bitmap.GetPixel(134, 2));
    EXPECT_EQ(texture.Pixel(0, 0, 0), texture.bitmap.GetPixel(0, 0));
    EXPECT_EQ(texture.Pixel(7, 63, 63), texture.bitmap.GetPixel(511, 63));
}

TEST(Textures, TexturePixelsUsesMaskCoordinatesAndKeepsTheRest)
{
    CTextures texture;
    texture.bitmap.SetSize(6, 3); // two tiles of 3
    FillRandom(texture.bitmap, 11);
    texture.width = 6;
    texture.height = texture.tileSize = 3;
    TBitmap32 mask;
    mask.SetSize(5, 4);
    mask.Clear(0);
    mask.SetPixel(0, 0, 1);
    mask.SetPixel(4, 3, 1);
    mask.SetPixel(2, 1, 1);
    EXPECT_EQ(TexturePixels(&mask, texture, 1, 0xFF123456), 3);
    EXPECT_EQ(mask.GetPixel(0, 0), texture.bitmap.GetPixel(3, 0));
    EXPECT_EQ(mask.GetPixel(4, 3), texture.bitmap.GetPixel(3 + 1, 0)); // 4 mod 3, 3 mod 3
    EXPECT_EQ(mask.GetPixel(2, 1), texture.bitmap.GetPixel(3 + 2, 1));
    EXPECT_EQ(mask.GetPixel(1, 0), 0u);
    EXPECT_EQ(mask.GetPixel(3, 3), 0u);
}

TEST(Textures, ZeroTexelsAndMissingTilesNeverClearAMaskPixel)
{
    CTextures texture;
    texture.bitmap.SetSize(2, 2);
    texture.bitmap.Clear(0); // a fully transparent texture
    texture.width = 2;
    texture.height = texture.tileSize = 2;
    TBitmap32 mask;
    mask.SetSize(3, 3);
    mask.Clear(0xFF0000CC);
    EXPECT_EQ(TexturePixels(&mask, texture, 0, 0xFF445566), 9);
    EXPECT_EQ(mask.GetPixel(2, 2), 0xFF445566u);
    EXPECT_EQ(TexturePixels(&mask, texture, 5, 0xFF778899), 9); // no tile 5
    EXPECT_EQ(mask.GetPixel(0, 0), 0xFF778899u);
    EXPECT_EQ(TexturePixelsBevel(&mask, texture, 0, 0), 9); // no fallback at all
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_NE(mask.GetPixel(x, y), 0u);
    EXPECT_EQ(TexturePixels(nullptr, texture, 0, 1), 0);
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
}

TEST_F(PiecePictureTest, ProvincesTakeTheirOwnersTileWhenOwnerColoursAreOn)
{
    CProvince& owned = AddLinkedProvince(0, 0, 5, 5, 2);
    CProvince& foreign = AddLinkedProvince(10, 0, 5, 5, 9); // no such player
    CProvince& free = AddLinkedProvince(20, 0, 5, 5);
    project.GetPieces().GetAt(0)->pixelCount = 1234;
    project.RedrawPieces(false);
    auto centre = [&](const CProvince& p) { return project.GetPieces().GetAt(p.pieceIndex)->mask.GetPixel(2, 2); };
    EXPECT_EQ(centre(owned), TileColor(kNormal, 3));
    EXPECT_EQ(centre(foreign), TileColor(kNormal, 0));
    EXPECT_EQ(centre(free), TileColor(kNormal, 0));
    EXPECT_EQ(project.GetPieces().GetAt(0)->pixelCount, 1234u); // province counts are kept
    // The edges are bevelled.
    EXPECT_NE(project.GetPieces().GetAt(0)->mask.GetPixel(0, 0), TileColor(kNormal, 3));

    TheSettings().OwnerColors = 0;
    project.RedrawPieces(false);
    EXPECT_EQ(centre(owned), TileColor(kNormal, 0));
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

TEST_F(PiecePictureTest, MissingTexturesGiveFlatColoursThatKeepTheMask)
{
    UnloadTextures();
    AddLinkedProvince(0, 0, 5, 5, 1);
    AddPiece(30, 0, {"###"}, CProvinceMap::kOcean);
    AddPiece(40, 0, {"###"}, CProvinceMap::kGreenLand);
    project.RedrawPieces(true);
    for (int i = 0; i < 3; ++i) {
        const TBitmap32& mask = project.GetPieces().GetAt(i)->mask;
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x)
                EXPECT_NE(mask.GetPixel(x, y), 0u) << "piece " << i;
    }
    EXPECT_EQ(project.GetPieces().GetAt(1)->mask.GetPixel(0, 0), TheSettings().OceanColor());
}

TEST_F(PiecePictureTest, DrawPieceSkipsEmptyPiecesAndIndexesOutside)
{
    CProvinceMap& piece = AddPiece(5, 5, {"#"}, CProvinceMap::kSmall);
    piece.mask.SetPixel(0, 0, 0xFF00AA00);
    piece.pixelCount = 0;
    project.DrawAllPieces();
    EXPECT_EQ(image.Bitmap()->GetPixel(5, 5), 0xFFFFFFFFu);
    piece.pixelCount = 1;
    project.DrawPiece(-1);
    project.DrawPiece(1);
    project.DrawAllPieces();
    EXPECT_EQ(image.Bitmap()->GetPixel(5, 5), 0xFF00AA00u);
}

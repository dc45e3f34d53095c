#include "world/ImportFixture.h"

#include "world/WorldBitmap.h"

#include <map>

namespace {

// A world of `width` × `height`: ocean with a province block of 30 × 30 at (20, 20).
class OceanWithProvince : public WorldFromArt {
public:
    OceanWithProvince(int width, int height) : WorldFromArt(Art(width, height, '~', {{20, 20, 30, 30, 'A'}})) {}
};

} // namespace

TEST_F(ImportTest, ASmallPictureIsRaisedToTheLeastSizeOrRefused)
{
    struct Case {
        int width, height;
        bool autoResize, confirm;
        int result, worldWidth, worldHeight;
        size_t questions;
    };
    const Case cases[] = {
        {200, 200, false, true, 1, 200, 200, 0}, // large enough: kept as it is
        {100, 100, false, false, 0, 200, 200, 1}, // resize refused: the old world stays
        {100, 100, false, true, 1, 160, 160, 1},
        {100, 300, true, false, 1, 160, 300, 0}, // raised without a question
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " auto " << c.autoResize);
        TheSettings().AutoResize = c.autoResize;
        prompts.confirm = c.confirm;
        prompts.questions.clear();
        const int pieces = PieceCount();
        EXPECT_EQ(Import(OceanWithProvince(c.width, c.height)), c.result);
        EXPECT_EQ(prompts.questions, Texts(c.questions, "Warning: Map image has wrong size (less than 160x160). Resize?"));
        EXPECT_EQ((Ints{project.GetWidth(), project.GetHeight()}), (Ints{c.worldWidth, c.worldHeight}));
        EXPECT_TRUE(c.result || PieceCount() == pieces) << "a refused picture leaves the pieces";
        EXPECT_EQ(progress.calls.back(), "end");
    }
    // Stretched width-wise: the block now spans columns 32 to 79.
    EXPECT_EQ((Ints{Piece(1).left, Piece(1).right}), (Ints{32, 79}));
    EXPECT_EQ((Ints{image.Bitmap()->Width(), image.Width()}), (Ints{160, 170}));
}

TEST_F(ImportTest, APictureThatCannotBeLoadedFailsAndKeepsTheOldWorld)
{
    ASSERT_EQ(Import(OceanWithProvince(200, 200)), 1);
    const std::filesystem::path junk = folder.Path() / "junk.bmp";
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically(junk, std::vector<uint8_t>{'B', 'M', 1, 2, 3}, error));
    // The message names the picture and what is wrong with it.
    for (const std::filesystem::path& picture : {junk, folder.Path() / "missing.bmp"}) {
        prompts.messages.clear();
        EXPECT_EQ(project.ImportWorldImage(picture, false), 0);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_TRUE(prompts.messages[0].starts_with("Cannot import picture\nCannot load picture \"" + picture.string() +
                                                    "\": "))
            << prompts.messages[0];
        EXPECT_TRUE(prompts.messages[0].ends_with("\nNo project is open now: the old one was closed before the import."));
    }
    EXPECT_EQ(PieceCount(), 2);
}

TEST_F(ImportTest, ProvincesKeptOnAReloadFollowTheirPointsAndIcons)
{
    OceanWithProvince picture(200, 200);
    ASSERT_EQ(Import(picture), 1);
    ASSERT_EQ(project.CreateProvincesFromPieces(), 1);
    CProvince& province = Province(0);
    EXPECT_EQ(province.markerX, 35); // the castle point of the 30 × 30 block
    province.castleX = 5, province.castleY = 1; // world (25, 21)
    AddProvince(); // unlinked, at (0, 0): the ocean is no place for it

    // The same world at twice the size: the block covers 40 to 99.
    ResizeBitmap(picture, 400, 400);
    ASSERT_EQ(project.ImportWorldImage(Save(picture, "twice.bmp"), true), 1);
    EXPECT_EQ((Ints{province.markerX, province.linked, province.pieceIndex, province.castleX}), (Ints{70, 1, 1, 10}));
    // The castle at world (50, 42), the army at world (27, 27) before, (54, 54) now.
    EXPECT_EQ((Ints{Piece(1).left, Piece(1).castleX, Piece(1).castleY, Piece(1).armyX}), (Ints{40, 10, 2, 14}));
    EXPECT_EQ((Ints{Province(1).linked, Province(1).pieceIndex}), (Ints{0, -1}));

    // A kept province whose icons leave its piece gets them computed, as for a new province.
    province.castleX = 120; // beyond the block
    ASSERT_EQ(project.ImportWorldImage(Save(picture, "again.bmp"), true), 1);
    EXPECT_EQ((Ints{province.linked, Piece(1).castleX, province.castleX}), (Ints{1, 30, 30}));
}

// A reload that fails inside the analysis (here the progress display throws
// once the neighbours are sought) leaves pieces, map, provinces, warnings,
// view and modified flag as they were, and says why.
TEST_F(ImportTest, AReloadThatFailsInsideTheAnalysisKeepsTheOldWorld)
{
    struct FailingProgress : IProgressDisplay {
        void Start(const std::string& caption, int) override
        {
            if (caption == "Neighbours calculation...")
                throw Exception("The disk caught fire.");
        }
    } failing;
    std::vector<std::string> art = Art(200, 200, '~', {{20, 20, 30, 30, 'A'}});
    art[100][100] = 'c';
    ASSERT_EQ(Import(WorldFromArt(art)), 1);
    ASSERT_EQ(project.CreateProvincesFromPieces(), 1);
    ASSERT_EQ(project.GetProvinces().GetAt(0)->linked, 1);
    project.SetModified(false);
    const std::vector<uint8_t> before = Stored(project);
    const Texts warningsBefore = WarningTexts();
    project.SetProgressDisplay(&failing);
    EXPECT_EQ(Import(OceanWithProvince(300, 250), true), 0);
    EXPECT_EQ(Stored(project), before);
    EXPECT_EQ(WarningTexts(), warningsBefore);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(image.Bitmap()->Width(), 200);
    EXPECT_EQ(prompts.messages, Texts{"Cannot import picture\nThe disk caught fire.\nThe world was left as it was."});
}

// Every bundled sample world imports cleanly: no region left out, sea and
// green land recognised, and only the warnings a designer expects of the few
// specks it was drawn with (each may leave a piece and cut a sliver off a
// province) and of a stray fragment or two of its warped provinces.
TEST_F(ImportTest, EverySampleWorldImportsCleanly)
{
    const std::map<std::string, int> specks = {
        {"isles-320x240.bmp", 12}, {"kingdoms-640x480.bmp", 30}, {"valley-200x150.jpg", 0}};
    int worlds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VALDRUNE_DATA_DIR) / "worlds")) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        ASSERT_TRUE(specks.contains(name)) << "a sample world this test does not know";
        ASSERT_EQ(project.ImportWorldImage(entry.path(), false), 1);
        std::map<uint32_t, int> kinds;
        for (int i = 0; i < PieceCount(); ++i)
            ++kinds[Piece(i).kind];
        EXPECT_TRUE(kinds[CProvinceMap::kOcean] && kinds[CProvinceMap::kGreenLand] && kinds[CProvinceMap::kProvince])
            << "sea, green land and provinces";
        EXPECT_LE(warnings.GetCount(), 2 * specks.at(name) + 2) << warnings.GetAt(0)->GetText();
        for (const std::string& text : WarningTexts())
            EXPECT_EQ(text.find("left out"), std::string::npos) << text;
        ++worlds;
    }
    EXPECT_EQ(worlds, 3);
}

TEST(WorldBitmap, ResizeStretchesWithTheNearestPixelAndCropKeepsTheInclusiveRectangle)
{
    TBitmap32 bitmap;
    bitmap.SetSize(2, 1);
    bitmap.SetPixel(0, 0, 0x80112233);
    bitmap.SetPixel(1, 0, 0xFF445566);
    EXPECT_EQ(ResizeBitmap(bitmap, 4, 2), 1);
    ASSERT_EQ((std::vector<int>{bitmap.Width(), bitmap.Height()}), (std::vector<int>{4, 2}));
    EXPECT_EQ(bitmap.GetPixel(0, 1), 0x80112233u); // opaque combining keeps alpha as it is
    EXPECT_EQ(bitmap.GetPixel(3, 0), 0xFF445566u);

    bitmap.SetSize(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            bitmap.SetPixel(x, y, uint32_t(10 * y + x));
    CropBitmap(bitmap, 1, 2, 3, 3);
    ASSERT_EQ((std::vector<int>{bitmap.Width(), bitmap.Height()}), (std::vector<int>{3, 2}));
    EXPECT_EQ(bitmap.GetPixel(0, 0), 21u);
    EXPECT_EQ(bitmap.GetPixel(2, 1), 33u);
}

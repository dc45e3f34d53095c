#include "world/AnalysisFixture.h"

#include "support/HeapMeter.h"

#include <random>

namespace {

using ExtractionTest = AnalysisTest;

// The extraction one region at a time: a flood fill from every pixel left, column by column.
void ExtractByFloodFill(CMapProject& project, const TBitmap32& image)
{
    TBitmap32 work;
    work.Assign(&image);
    for (int x = 0; x < work.Width(); ++x)
        for (int y = 0; y < work.Height(); ++y)
            if (work.GetPixel(x, y) && !project.ExtractPiece(x, y, work))
                return;
}

void ExpectSamePieces(const CMapProject& expected, const CMapProject& actual, unsigned seed)
{
    ASSERT_EQ(expected.GetPieces().GetCount(), actual.GetPieces().GetCount()) << "seed " << seed;
    for (int i = 0; i < expected.GetPieces().GetCount(); ++i) {
        const CProvinceMap& a = *expected.GetPieces().GetAt(i);
        const CProvinceMap& b = *actual.GetPieces().GetAt(i);
        SCOPED_TRACE("seed " + std::to_string(seed) + " piece " + std::to_string(i));
        EXPECT_EQ(a.color, b.color);
        EXPECT_EQ((std::vector<int>{a.left, a.top, a.right, a.bottom}),
                  (std::vector<int>{b.left, b.top, b.right, b.bottom}));
        EXPECT_EQ(a.pixelCount, b.pixelCount);
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(b.mask.Width(), b.BoundsWidth());
        EXPECT_EQ(b.mask.Height(), b.BoundsHeight());
        EXPECT_EQ(b.mask.DrawMode(), dmBlend);
        EXPECT_TRUE(a.mask.Equal(b.mask));
    }
}

// A random world of a few colours (0, the key colours, one with another
// alpha, and some province colours) with blobs so that regions grow large.
void RandomWorld(std::mt19937& random, int width, int height, TBitmap32& image)
{
    const TColor32 palette[] = {0, TheSettings().OceanColor(), TheSettings().GreenLandColor(), 0x7F0000FF,
                                0xFF123456, 0xFF654321, 0x00ABCDEF};
    image.SetSize(width, height);
    image.Clear(palette[random() % 7]);
    for (int blob = 0; blob < 40; ++blob) {
        const int x = int(random() % unsigned(width)), y = int(random() % unsigned(height));
        const int w = 1 + int(random() % 30), h = 1 + int(random() % 30);
        image.FillRectS(x, y, x + w, y + h, palette[random() % 7]);
    }
    for (int speck = 0; speck < 200; ++speck)
        image.SetPixel(int(random() % unsigned(width)), int(random() % unsigned(height)), palette[random() % 7]);
}

} // namespace

TEST_F(ExtractionTest, RegionLabellingMatchesTheFloodFillPieceForPiece)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        TBitmap32 image;
        RandomWorld(random, 20 + int(random() % 80), 20 + int(random() % 80), image);
        CMapProject reference;
        ExtractByFloodFill(reference, image);
        project.GetPieces().DeleteAll();
        project.ExtractPieces(image);
        ExpectSamePieces(reference, project, seed);
    }
}

TEST_F(ExtractionTest, ThePieceMapIsTheOneTheMasksGive)
{
    std::mt19937 random(7);
    TBitmap32 image;
    RandomWorld(random, 70, 50, image);
    project.SetMapSize(70, 50);
    project.ExtractPieces(image);
    const std::vector<uint16_t> extracted(project.GetMapMap().GetData(), project.GetMapMap().GetData() + 70 * 50);
    project.ReassignMapIndexes();
    EXPECT_TRUE(std::equal(extracted.begin(), extracted.end(), project.GetMapMap().GetData()));
}

TEST_F(ExtractionTest, KindsFromKeyColoursAndSize)
{
    // 249 pixels: 20 × 12 plus 9; 250: one more.
    std::vector<std::string> art(15, std::string(22, '~'));
    for (int y = 1; y <= 12; ++y)
        for (int x = 1; x <= 20; ++x)
            art[size_t(y)][size_t(x)] = 'A';
    for (int x = 1; x <= 9; ++x)
        art[13][size_t(x)] = 'A';
    art[0][21] = '"';
    Extract(WorldFromArt(art));
    ASSERT_EQ(PieceCount(), 3);
    EXPECT_EQ(Piece(0).kind, CProvinceMap::kOcean);
    EXPECT_EQ(Piece(1).pixelCount, 249u);
    EXPECT_EQ(Piece(1).kind, CProvinceMap::kSmall);
    EXPECT_EQ(Piece(2).kind, CProvinceMap::kGreenLand);

    art[13][10] = 'A';
    project.GetPieces().DeleteAll();
    Extract(WorldFromArt(art));
    EXPECT_EQ(Piece(1).pixelCount, 250u);
    EXPECT_EQ(Piece(1).kind, CProvinceMap::kProvince);

    // The ocean colour with another alpha is no ocean.
    TBitmap32 image;
    image.SetSize(2, 1);
    image.SetPixel(0, 0, TheSettings().OceanColor());
    image.SetPixel(1, 0, TheSettings().OceanColor() & 0x00FFFFFF);
    project.GetPieces().DeleteAll();
    Extract(image);
    ASSERT_EQ(PieceCount(), 2);
    EXPECT_EQ(Piece(0).kind, CProvinceMap::kOcean);
    EXPECT_EQ(Piece(1).kind, CProvinceMap::kSmall);
}

// A noisy photograph: the work grows with the pieces kept, not with the
// quarter million regions of the picture.
TEST_F(ExtractionTest, ANoisyPictureCostsThePiecesKeptNotItsRegions)
{
    TBitmap32 image;
    image.SetSize(512, 512);
    std::mt19937 random(3);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            image.SetPixel(x, y, 0xFF000000 | TColor32(random()));
    HeapMeter meter;
    Extract(image);
    ASSERT_EQ(PieceCount(), CMapProject::kMaxPieces);
    EXPECT_EQ(WarningTexts(),
              Texts{"260643 regions of the picture were left out: a world image holds at most 1501 pieces"});
    EXPECT_LT(meter.Peak(), size_t(3) << 20); // the 1 MB piece map and the 1501 pieces
}

// Pictures whose world no project file or mission could hold, each refused
// with its reason before any piece is made.
TEST_F(ExtractionTest, PicturesAProjectOrMissionCouldNotHoldAreRefused)
{
    const struct { int width, height; TColor32 (*pixel)(int x, int y); const char* reason; } cases[] = {
        // 1000 diagonal stripes of 2 pixels, each 4-connected, whose bounds overlap: about 1.3 GB of masks.
        {1000, 1000, [](int x, int y) { return (x + y) / 2 % 2 ? 0xFF123456u : 0xFF654321u; },
         " for their masks, more than the 1024 MB an import may use."},
        // 1600 one-pixel regions in the first two columns, then one that comes after the first 1501.
        {1400, 800, [](int x, int y) { return x > 1 ? 0xFF00FF00u : (x + y) % 2 ? 0xFF123456u : 0xFF654321u; },
         "1118499 pixels of this picture would lie in no piece (it has 1601 regions, and a world holds at most 1501 "
         "pieces), more than the 1048576 a world may leave out."},
        {1100, 1000, [](int x, int y) { return x < 200 && y < 200 ? 0xFF123456u : 0u; },
         "1060000 pixels of this picture would lie in no piece (they are transparent)"},
        {13697, 160, [](int, int) { return 0xFF0000FFu; },
         "It is 13697 x 160 pixels, but the world of a mission may be at most 13696 pixels wide and 32640 high."},
    };
    for (const auto& c : cases) {
        TBitmap32 image;
        image.SetSize(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                image.ScanLine(y)[x] = c.pixel(x, y);
        prompts.messages.clear();
        EXPECT_EQ(Import(image), 0);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_TRUE(prompts.messages[0].starts_with("Cannot import picture\n")) << prompts.messages[0];
        EXPECT_NE(prompts.messages[0].find(c.reason), std::string::npos) << prompts.messages[0];
        EXPECT_EQ(PieceCount(), 0);
    }
}

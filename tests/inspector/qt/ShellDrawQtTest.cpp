// Turned text and file-type icons through the Qt window system.
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmLibraryRanges.h"
#include "inspector/rmLibraryShell.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include "inspector/ExpectMessage.h"

#include <cmath>

namespace {

constexpr TColor32 kPaper = 0xFF000000;

} // namespace

// The base line's middle lies at half the text's diagonal from the corner; the glyphs
// stand on it, turned anticlockwise.
TEST(RotateText, TurnsAboutTheMiddleOfTheBaseLine)
{
    platform::FontSpec font;
    font.PointSize = 14;
    font.Color = 0xFFFFFF;
    const std::string text = "MMMMMMMM";
    for (const double angle : {0.0, 90.0, 45.0}) {
        SCOPED_TRACE(angle);
        TBitmap32 bitmap;
        bitmap.SetSize(200, 200);
        bitmap.Clear(kPaper);
        const platform::Size extent = bitmap.Canvas().TextExtent(text, font);
        const int32_t half = RectDiameter(extent.Width, extent.Height) / 2, cx = 10 + half, cy = 20 + half;
        RotateText(bitmap.Canvas(), text, {10, 20, 190, 190}, angle, font);
        // The ink's bounds, and its mean height left and right of the centre column.
        TRect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        double sums[2] = {0, 0}, counts[2] = {0, 0};
        for (int32_t y = 0; y < bitmap.Height(); ++y)
            for (int32_t x = 0; x < bitmap.Width(); ++x)
                if (bitmap.GetPixel(x, y) != kPaper) {
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
                    sums[x >= cx] += y;
                    ++counts[x >= cx];
                }
        const int32_t width = ink.Right - ink.Left, height = ink.Bottom - ink.Top;
        if (angle == 0) {
            EXPECT_GT(width, 3 * height); // lying, above the base line, centred on cx
            EXPECT_LE(ink.Bottom, cy + 1);
            EXPECT_NEAR(ink.Left + width / 2.0, cx, 3);
        } else if (angle == 90) {
            EXPECT_GT(height, 3 * width); // standing, reading upwards, left of the base line
            EXPECT_LE(ink.Right, cx + 1);
            EXPECT_NEAR(ink.Top + height / 2.0, cy, 3);
        } else {
            EXPECT_NEAR(width, height, 4); // rising to the right
            ASSERT_TRUE(counts[0] > 0 && counts[1] > 0);
            EXPECT_GT(sums[0] / counts[0], sums[1] / counts[1] + width / 4.0);
        }
        EXPECT_GE(ink.Left, 10);
        EXPECT_GE(ink.Top, 20);
    }
}

TEST(FileIcons, OneIndexPerPictureAndShortcutsShowTheirTarget)
{
    platform::TemporaryFolder folder;
    const int32_t text = GetFileImageIndex("notes.txt", true);
    ASSERT_GE(text, 0);
    EXPECT_EQ(GetFileImageIndex("other.txt", true), text);
    const int32_t dir = GetFileImageIndex(folder.Path().string(), true);
    EXPECT_NE(dir, text);
    const std::string link = (folder.Path() / "folder.lnk").string();
    TShortcutDetails toFolder;
    toFolder.Target = folder.Path().string();
    WriteShortCutFile(link, toFolder);
    EXPECT_EQ(GetFileImageIndex(link, true), dir);
    TBitmap32 icon;
    GetFileIcon("notes.txt", true, icon);
    EXPECT_EQ((std::pair{icon.Width(), icon.Height()}), (std::pair{16, 16}));
    TBitmap32List images;
    GetFileImages(images, true);
    ASSERT_GT(images.Bitmaps()->Count(), std::max(text, dir));
    EXPECT_TRUE(images.Bitmaps()->Items(text)->Bitmap()->Equal(icon));
    GetFileIcon("notes.txt", false, icon);
    EXPECT_EQ(icon.Width(), 32);
    ExpectThrowWithMessage<Exception>([] { GetFileImageIndex("", true); }, "No file specified");
}

// The bitmap's platform side over Qt: its canvas, drawing onto platform canvases, platform
// pictures, the clipboard and the program's resources.
#include "graphics/Bitmap32.h"
#include "platform/Control.h"
#include "platform/Picture.h"
#include "platform/qt/QtWindowSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pixels = std::vector<TColor32>;

class QtBitmapPlatform : public ::testing::Test {
protected:
    void SetUp() override { platform::SetWindowSystem(&windowSystem); }
    void TearDown() override { platform::SetWindowSystem(nullptr); }

    static Pixels PixelsOf(const TBitmap32& bitmap)
    {
        return {bitmap.Bits(), bitmap.Bits() + size_t(bitmap.Width()) * size_t(bitmap.Height())};
    }
    platform::qt::QtWindowSystem windowSystem;
};

} // namespace

TEST_F(QtBitmapPlatform, CanvasDrawsIntoThePixelsAndIsDroppedWithTheSize)
{
    constexpr TColor32 o = 0x00112233, R = 0xFFFF0000, B = 0xFF0000FF, K = 0xFF000000, G = 0xFF00FF00, P = 0xFF123456;
    TBitmap32 bitmap;
    bitmap.SetSize(6, 4);
    bitmap.Clear(o); // alpha 0: drawn pixels turn opaque
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.Canvas().FillRect({1, 1, 3, 3}, 0xFF0000);
    bitmap.Canvas().Line(0, 3, 5, 3, 0x0000FF);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(PixelsOf(bitmap), (Pixels{o, o, o, o, o, o, o, R, R, o, o, o, o, R, R, o, o, o, B, B, B, B, B, B}));
    EXPECT_TRUE(bitmap.CanvasAllocated());
    bitmap.SetSize(2, 2);
    EXPECT_FALSE(bitmap.CanvasAllocated());
    bitmap.Clear(0);
    bitmap.Canvas().FillRect({0, 0, 9, 9}, 0x00FF00); // the new pixels, clipped to them
    EXPECT_EQ(PixelsOf(bitmap), Pixels(4, G));

    // Onto another bitmap's canvas: copied at (1, 1), then stretched 2 x 2 per pixel.
    TBitmap32 target;
    target.SetSize(4, 4);
    target.Clear(K);
    bitmap.SetPixel(1, 0, 0x80123456);
    bitmap.DrawTo(target.Canvas(), 1, 1);
    EXPECT_EQ(PixelsOf(target), (Pixels{K, K, K, K, K, G, P, K, K, G, G, K, K, K, K, K}));
    bitmap.DrawTo(target.Canvas(), TRect{0, 0, 4, 4}, TRect{0, 0, 2, 2});
    EXPECT_EQ(PixelsOf(target), (Pixels{G, G, P, P, G, G, P, P, G, G, G, G, G, G, G, G}));
}

TEST_F(QtBitmapPlatform, PicturesAndTheClipboardCarryTheBitmap)
{
    TBitmap32 bitmap;
    bitmap.SetSize(3, 2);
    const Pixels pixels = {0x00000000, 0x80FF0000, 0xFF00FF00, 0x400000FF, 0xFFFFFFFF, 0x01020304};
    std::copy(pixels.begin(), pixels.end(), bitmap.Bits());

    platform::TClipboard clipboard;
    clipboard.Assign(&bitmap);
    EXPECT_TRUE(clipboard.HasPicture());
    TBitmap32 pasted;
    pasted.Assign(&clipboard);
    EXPECT_EQ(PixelsOf(pasted), pixels);

    platform::TPicture picture;
    picture.Assign(&bitmap);
    EXPECT_EQ(picture.Image().pixels, pixels);
    picture.SetImage(picture.Image(), false); // an opaque picture: alpha becomes 255
    TBitmap32 opaque;
    opaque.Assign(&picture);
    EXPECT_EQ(PixelsOf(opaque), (Pixels{0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF020304}));

    TBitmap32 sized;
    sized.SetSizeFrom(&picture);
    EXPECT_EQ((std::pair{sized.Width(), sized.Height()}), (std::pair{3, 2}));
    platform::Control control;
    control.SetBounds(0, 0, 7, 5);
    sized.SetSizeFrom(&control);
    EXPECT_EQ((std::pair{sized.Width(), sized.Height()}), (std::pair{7, 5}));
}

TEST_F(QtBitmapPlatform, BitmapResourcesLoadByNameAndNumber)
{
    TBitmap32 bitmap;
    bitmap.LoadFromResourceName("SAMPLE");
    EXPECT_EQ(PixelsOf(bitmap), (Pixels{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF808080}));
    bitmap.LoadFromResourceID(1);
    EXPECT_EQ(PixelsOf(bitmap), (Pixels{0xFFFFFF00, 0xFF00FFFF}));
    try {
        bitmap.LoadFromResourceName("NONE");
        ADD_FAILURE() << "a missing resource loaded";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot load the bitmap resource \"bitmaps/NONE.bmp\": the program has no resource "
                               "\"bitmaps/NONE.bmp\"");
    }
    EXPECT_EQ(bitmap.Width(), 1); // the failed load leaves the bitmap as it was
}

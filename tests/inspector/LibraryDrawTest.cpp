#include "inspector/rmDrawText.h"
#include "inspector/rmLibraryDraw.h"

#include "RecordingCanvas.h"
#include "graphics/SystemColorNames.h"
#include "platform/Exception.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000;

} // namespace

TEST(GrayText, HighlightOffsetThenShadowAndRectGrows)
{
    RecordingCanvas canvas;
    platform::Rect rect{4, 8, 100, 30};
    DrawGrayText(canvas, "Off", rect, dt::SingleLine, {});
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(std::tuple(canvas.texts[0].X, canvas.texts[0].Y, canvas.texts[0].Color, canvas.texts[1].X,
                         canvas.texts[1].Color),
              std::tuple(5, 9, CanvasColorOf(clBtnHighlight), 4, CanvasColorOf(clBtnShadow)));
    EXPECT_EQ(rect, (platform::Rect{4, 8, 101, 31}));
    canvas.Clear();
    platform::Rect measure{0, 0, 0, 0};
    DrawGrayText(canvas, "Off", measure, dt::SingleLine | dt::CalcRect, {});
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_EQ(measure, (platform::Rect{0, 0, 19, 14}));
}

TEST(ColourArithmetic, DarkenLightenAndColourArrays)
{
    EXPECT_EQ(DarkenColor(0x00C86432, 100), 0x00643219);      // halves: 200, 100, 50 -> 100, 50, 25
    EXPECT_EQ(DarkenColor(0x00030303, 100), 0x00020202);      // 1.5 to the nearest even
    EXPECT_EQ(LightenColor(0x00643219, 100), 0x00C86432);
    EXPECT_EQ(LightenColor(0x00000000, 50), 0x00000000);
    EXPECT_THROW(LightenColor(0x00000081, 100), ERangeError); // 129 * 2 > 255
    EXPECT_EQ(DarkenColor(clWindow, 0), 0x00FFFFFF);          // system colours resolve first
    const std::vector<TColor> colors = CreateColorArray(0x00000000, 0x00FF6402, 5);
    ASSERT_EQ(colors.size(), 5u);
    // 2/4 -> 0, 100/4 -> 25, 255/4 -> 63
    EXPECT_EQ(std::tuple(colors[0], colors[1], colors[4]), std::tuple(0x00000000, 0x003F1900, 0x00FF6402));
    EXPECT_EQ(CreateColorArray(kRed, kBlue, 1), std::vector<TColor>{kRed}); // no division by zero
    EXPECT_TRUE(CreateColorArray(kRed, kBlue, 0).empty());
}

// Each pixel listed, then its colour after the fill.
void ExpectPixels(const TBitmap32& bitmap, std::initializer_list<std::tuple<int32_t, int32_t, TColor32>> pixels)
{
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(bitmap.GetPixel(x, y), colour) << x << "," << y;
}

TEST(Gradients, BandsOutlinesAndShapesCoverWhatTheyShould)
{
    TBitmap32 bitmap;
    bitmap.SetSize(10, 3);
    bitmap.Clear(0xFF123456);
    GradientFillColors(bitmap, {kRed, 0x00FF00, kBlue}, MakeRect(1, 1, 10, 3));
    ExpectPixels(bitmap, {{0, 1, 0xFF123456u}, {1, 1, 0xFFFF0000u}, {3, 2, 0xFFFF0000u}, {4, 1, 0xFF00FF00u},
                          {7, 1, 0xFF0000FFu}, {9, 2, 0xFF0000FFu}, {5, 0, 0xFF123456u}});
    bitmap.SetSize(255, 1);
    GradientFill(bitmap, 0x00000000, 0x00FEFEFE, MakeRect(0, 0, 255, 1), gfLinear);
    for (int32_t x = 0; x < 255; ++x)
        ASSERT_EQ(bitmap.GetPixel(x, 0), Gray32(uint8_t(x))) << "x " << x;
    // Three nested outlines: from, halfway, to.
    bitmap.SetSize(8, 6);
    bitmap.Clear(0);
    GradientFill(bitmap, 0x00000000, 0x00C8C8C8, MakeRect(0, 0, 8, 6), gfRectangle);
    ExpectPixels(bitmap, {{0, 0, Gray32(0)}, {7, 5, Gray32(0)}, {1, 1, Gray32(100)}, {6, 4, Gray32(100)},
                          {2, 2, Gray32(200)}, {5, 3, Gray32(200)}});
    // One step: the lone outline takes the first colour instead of dividing by zero.
    bitmap.SetSize(3, 3);
    bitmap.Clear(0);
    GradientFill(bitmap, kRed, kBlue, MakeRect(0, 0, 3, 3), gfOval);
    const std::set<TColor32> seen(bitmap.Bits(), bitmap.Bits() + 9);
    EXPECT_TRUE(seen.count(0xFFFF0000u) && !seen.count(0xFF0000FFu));
    for (const TGradientFill style : {gfOval, gfRoundRect}) { // the corners are left alone
        SCOPED_TRACE(int(style));
        bitmap.SetSize(40, 40);
        bitmap.Clear(0xFF000000);
        GradientFill(bitmap, kRed, kBlue, MakeRect(0, 0, 40, 40), style);
        ExpectPixels(bitmap, {{0, 0, 0xFF000000u}, {20, 0, 0xFFFF0000u}, {0, 20, 0xFFFF0000u}});
        EXPECT_NE(bitmap.GetPixel(20, 19), 0xFF000000u); // filled to the middle
    }
}

TEST(Gradients, RadialRisesToTheFarSideAndBack)
{
    TBitmap32 bitmap;
    bitmap.SetSize(100, 61); // row 30 lies on the horizontal axis
    bitmap.Clear(0xFF000000);
    GradientFill(bitmap, 0x00000000, 0x00FFFFFF, MakeRect(0, 0, 100, 61), gfRadial);
    // Outside the ellipse; angle 0 at the left end; two degrees up (the second wedge); half a
    // turn, (359 - 180) / 180 of the way; two degrees short of a whole turn; a quarter turn,
    // 90 / 179 of the way.
    ExpectPixels(bitmap, {{0, 0, 0xFF000000u}, {2, 30, Gray32(0)}, {2, 29, Gray32(1)}, {97, 30, Gray32(253)},
                          {2, 31, Gray32(1)}, {50, 2, Gray32(128)}});
}

TEST(Rotation, QuarterTurnsAndSilverOutside)
{
    TBitmap32 source;
    source.SetSize(4, 4);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            source.SetPixel(x, y, Color32(uint8_t(x * 16), uint8_t(y * 16), 0, 0x40));
    TBitmap32 turned;
    // A quarter turn reads the source at (3 - y, x) for a square of even side.
    for (const int32_t angle : {0, 90}) {
        RotateImage(turned, source, angle);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x)
                ASSERT_EQ(turned.GetPixel(x, y), source.GetPixel(angle ? 3 - y : x, angle ? x : y) | 0xFF000000u)
                    << angle << ": " << x << "," << y;
    }
    TBitmap32 wide;
    wide.SetSize(6, 2);
    wide.Clear(0xFF112233);
    RotateImage(wide, wide, 90); // in place
    ExpectPixels(wide, {{0, 0, 0xFFC0C0C0u}, {3, 1, 0xFF112233u}});
}

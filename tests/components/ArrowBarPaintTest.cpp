// What the bars paint: the sunken border, the arrow triangles, the checkered track and
// the handle in the classic style, and the Mac style's frames and colours.
#include "components/RangeBars32.h"
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kFace = 0xF0F0F0, kShadow = 0xA0A0A0, kHighlight = 0xFFFFFF, kText = 0x000000;

} // namespace

TEST(ArrowBarPaint, ClassicBarWithBorderArrowsTrackAndHandle)
{
    TRangeBar bar; // 100 x 16; client 98 x 14 from (1, 1)
    bar.SetParams(1000, 100);
    bar.SetPosition(450); // handle at client 40..57
    PixelCanvas canvas(100, 16);
    bar.HostPaint(canvas);
    // Sunken border: shadow above and left, highlight below and right.
    EXPECT_EQ(canvas.At(50, 0), kShadow);
    EXPECT_EQ(canvas.At(0, 8), kShadow);
    EXPECT_EQ(canvas.At(50, 15), kHighlight);
    EXPECT_EQ(canvas.At(99, 8), kHighlight);
    // The left arrow in the 14 x 14 button: centre (6, 6), size 3, moved 1 toward the
    // tail: tip at client (4, 6), base along x = 7 from y 3 to 9.
    EXPECT_EQ(canvas.At(1 + 4, 1 + 6), kText);
    EXPECT_EQ(canvas.At(1 + 3, 1 + 6), kFace);
    EXPECT_EQ(canvas.At(1 + 7, 1 + 3), kText);
    EXPECT_EQ(canvas.At(1 + 7, 1 + 9), kText);
    EXPECT_EQ(canvas.At(1 + 7, 1 + 2), kFace);
    EXPECT_EQ(canvas.At(1 + 8, 1 + 6), kFace);
    // The right arrow points the other way: tip at client 84 + 8 = 92, base at 84 + 6 - 1 = 89.
    EXPECT_EQ(canvas.At(1 + 92, 1 + 6), kText);
    EXPECT_EQ(canvas.At(1 + 93, 1 + 6), kFace);
    EXPECT_EQ(canvas.At(1 + 89, 1 + 3), kText);
    // The track: a pixel checkerboard of the highlight and the bar's colour.
    const uint32_t barColor = bar.Color();
    EXPECT_EQ(canvas.At(1 + 20, 1 + 4), kHighlight);
    EXPECT_EQ(canvas.At(1 + 21, 1 + 4), barColor);
    EXPECT_EQ(canvas.At(1 + 21, 1 + 5), kHighlight);
    EXPECT_EQ(canvas.At(1 + 70, 1 + 10), kHighlight);
    // The handle: raised edge around the face.
    EXPECT_EQ(canvas.At(1 + 48, 1 + 7), kFace);
    EXPECT_EQ(canvas.At(1 + 41, 1 + 7), kHighlight);
    EXPECT_EQ(canvas.At(1 + 55, 1 + 7), kShadow);
}

TEST(ArrowBarPaint, DisabledBarShowsNoHandleAndEmbossedArrows)
{
    TRangeBar bar;
    bar.SetParams(50, 100); // nothing to scroll
    PixelCanvas canvas(100, 16);
    bar.HostPaint(canvas);
    EXPECT_EQ(canvas.At(1 + 7, 1 + 3), kShadow);
    EXPECT_EQ(canvas.At(1 + 8, 1 + 4), kHighlight);
    for (int32_t x = 14; x < 84; ++x)
        ASSERT_TRUE(canvas.At(1 + x, 1 + 4) == kHighlight || canvas.At(1 + x, 1 + 4) == bar.Color()) << x;
}

TEST(ArrowBarPaint, MacStyleFramesAndHandleShades)
{
    TGaugeBar bar;
    bar.SetBorderStyle(bsNone); // client = control, 100 x 16
    bar.SetStyle(rbsMac);       // buttons 15 long
    bar.SetHandleColor(0x00808080);
    bar.SetBorderColor(0x00000000);
    bar.SetPosition(50);
    PixelCanvas canvas(100, 16);
    bar.HostPaint(canvas);
    // The first button is framed in the border colour on all sides but its right one.
    EXPECT_EQ(canvas.At(0, 8), 0u);
    EXPECT_EQ(canvas.At(7, 0), 0u);
    EXPECT_EQ(canvas.At(7, 15), 0u);
    EXPECT_NE(canvas.At(14, 8), 0u);
    // The handle (16 long at 15 + round(54 x 0.5) = 42): frame, then light 0x989898
    // (grey + 24) above and left, and Blend(black, grey, 96) = 0x4F4F4F below and right.
    EXPECT_EQ(canvas.At(42, 8), 0u);
    EXPECT_EQ(canvas.At(57, 8), 0u);
    EXPECT_EQ(canvas.At(43, 8), 0x989898u);
    EXPECT_EQ(canvas.At(56, 8), 0x4F4F4Fu);
    EXPECT_EQ(canvas.At(47, 8), 0x808080u);
    // Grip ridges at -2 and +1 of the centre 50 (and -5, +4): light then dark.
    EXPECT_EQ(canvas.At(48, 8), 0x989898u);
    EXPECT_EQ(canvas.At(49, 8), 0x4F4F4Fu);
    EXPECT_EQ(canvas.At(51, 8), 0x989898u);
    EXPECT_EQ(canvas.At(52, 8), 0x4F4F4Fu);
    EXPECT_EQ(canvas.At(50, 8), 0x808080u);
}

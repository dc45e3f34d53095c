// Text drawn by Qt into bitmaps, under the offscreen platform.
#include "graphics/Bitmap32.h"
#include "platform/qt/QtTextRasterizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr TColor32 kPaper = 0xFF204060;

class QtText : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetTextRasterizer(&rasterizer);
        bitmap.SetSize(240, 90);
        bitmap.Clear(kPaper);
        platform::FontSpec font;
        font.PointSize = 12;
        font.Color = 0xFFFF00;
        bitmap.SetFont(font);
    }
    void TearDown() override { platform::SetTextRasterizer(nullptr); }

    // The smallest rectangle holding every pixel that is no longer paper, after checking it
    // is not empty and lies inside `outer`.
    TRect ChangedBoundsInside(const TRect& outer) const
    {
        TRect b{bitmap.Width(), bitmap.Height(), 0, 0};
        for (int32_t y = 0; y < bitmap.Height(); ++y)
            for (int32_t x = 0; x < bitmap.Width(); ++x)
                if (bitmap.GetPixel(x, y) != kPaper)
                    b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
        EXPECT_FALSE(IsRectEmpty(b)) << "no text was drawn";
        EXPECT_TRUE(b.Left >= outer.Left && b.Top >= outer.Top && b.Right <= outer.Right && b.Bottom <= outer.Bottom);
        return b;
    }

    platform::qt::QtTextRasterizer rasterizer;
    TBitmap32 bitmap;
};

} // namespace

TEST_F(QtText, TextoutWritesOpaqueGlyphsOnlyInsideTheClip)
{
    bitmap.Textout(10, 10, "Mission");
    const TRect whole = ChangedBoundsInside(
        TRect{10, 10, 10 + bitmap.TextWidth("Mission"), 10 + bitmap.TextHeight("Mission")});
    EXPECT_NE(std::find(bitmap.Bits(), bitmap.Bits() + 240 * 90, 0xFFFFFF00u), bitmap.Bits() + 240 * 90); // opaque yellow

    bitmap.Clear(kPaper);
    const TRect clip{whole.Left, whole.Top, whole.Left + whole.Width() / 2, whole.Bottom};
    bitmap.Textout(10, 10, clip, "Mission");
    ChangedBoundsInside(clip);

    // Measuring only: one line bounds the text; word-wrapped lines keep to the width and
    // add a line each; nothing is drawn.
    bitmap.Clear(kPaper);
    const int32_t line = bitmap.TextHeight("Mission");
    TRect one{5, 6, 200, 80};
    bitmap.Textout(one, platform::kTextCalcRect | platform::kTextSingleLine, "Mission Mission");
    EXPECT_EQ(one, (TRect{5, 6, 5 + bitmap.TextWidth("Mission Mission"), 6 + line}));
    TRect wrapped{5, 6, 5 + bitmap.TextWidth("Mission") + 2, 80};
    bitmap.Textout(wrapped, platform::kTextCalcRect | platform::kTextWordBreak, "Mission Mission Mission");
    EXPECT_LE(wrapped.Right, 5 + bitmap.TextWidth("Mission") + 2);
    EXPECT_EQ(wrapped.Bottom, 6 + 3 * line);
    EXPECT_EQ(std::count(bitmap.Bits(), bitmap.Bits() + 240 * 90, kPaper), 240 * 90);
    TRect box{20, 10, 40, 30}; // laid out in a box: kept inside it, unless told not to clip
    bitmap.Textout(box, 0, "HHHHHHHH");
    ChangedBoundsInside(box);
    bitmap.Clear(kPaper);
    bitmap.Textout(box, platform::kTextNoClip, "HHHHHHHH");
    EXPECT_GT(ChangedBoundsInside({0, 0, 240, 90}).Right, 40);
}

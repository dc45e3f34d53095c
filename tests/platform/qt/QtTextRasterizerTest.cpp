// Text drawn by Qt into bitmaps, under the offscreen platform.
#include "graphics/Bitmap32.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtTextRasterizer.h"

#include <QFontMetrics>
#include <QString>

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

TEST_F(QtText, RenderedTextLandsInsideItsExtentAndNowhereElse)
{
    const std::string text = "Valdrune";
    const platform::Size extent = bitmap.TextExtent(text + " ");
    ASSERT_GT(extent.Width, 0);
    ASSERT_GT(extent.Height, 0);
    bitmap.RenderText(20, 10, text, 0, 0xFFFFFFFF);
    const TRect drawn = ChangedBoundsInside(TRect{20, 10, 20 + extent.Width, 10 + extent.Height});
    EXPECT_GT(drawn.Width(), bitmap.TextWidth(text) / 2); // the glyphs fill most of the text's width

    // Smoothed text is drawn four times as large and scaled down.
    bitmap.Clear(kPaper);
    bitmap.RenderText(20, 10, text, 2, 0xFFFFFFFF);
    platform::FontSpec enlarged = bitmap.Font();
    enlarged.PointSize *= 4;
    const platform::Size large = rasterizer.TextExtent(text + " ", enlarged);
    ChangedBoundsInside(TRect{20, 10, 20 + (large.Width >> 2) + 1, 10 + (large.Height >> 2)});
}

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
}

TEST_F(QtText, TextsAreWindows1252AndFontsHaveTheirPixelSizeOnEveryScreen)
{
    const QFontMetrics metrics(platform::qt::ToQFont(bitmap.Font()));
    // 0x80 is the euro sign and 0xE9 e acute in Windows-1252.
    EXPECT_EQ(bitmap.TextWidth("\x80"), metrics.horizontalAdvance(QString::fromUtf8("\xE2\x82\xAC")));
    EXPECT_EQ(bitmap.TextWidth("caf\xE9"), metrics.horizontalAdvance(QString::fromUtf8("caf\xC3\xA9")));
    EXPECT_GT(bitmap.TextWidth("\x80"), 0);
    platform::FontSpec font;
    font.PointSize = 9;
    EXPECT_EQ(platform::qt::ToQFont(font).pixelSize(), 12);
    font.PointSize = 0;
    EXPECT_EQ(platform::qt::ToQFont(font).pixelSize(), 1);
}

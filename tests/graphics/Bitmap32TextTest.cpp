// Text on bitmaps, checked exactly with a rasteriser of fixed cells.
#include "platform/TextRasterizer.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

namespace {

// Every character has a cell of P x (2P - 1) pixels, P the font's point size; the
// extent has one more pixel of width (an overhang). A glyph other than the blank
// covers the left P / 2 columns of its cell fully, in the font's colour.
class FixedCellRasterizer : public platform::TextRasterizer {
public:
    platform::Size TextExtent(std::string_view text, const platform::FontSpec& font) override
    {
        return {int32_t(text.size()) * font.PointSize + 1, 2 * font.PointSize - 1};
    }

    void TextOut(const platform::PixelView& target, int32_t x, int32_t y, const platform::Rect& clip,
                 std::string_view text, const platform::FontSpec& font) override
    {
        drawn.push_back({target.Width, target.Height, font, std::string(text)});
        const platform::Rect area = clip.Intersect({0, 0, target.Width, target.Height});
        const int32_t p = font.PointSize;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == ' ')
                continue;
            const int32_t left = x + int32_t(i) * p;
            for (int32_t py = y; py < y + 2 * p - 1; ++py)
                for (int32_t px = left; px < left + p / 2; ++px)
                    if (area.Contains(px, py))
                        target.Row(py)[px] = 0xFF000000u | font.Color;
        }
    }

    void DrawText(const platform::PixelView& target, const platform::Rect& rect, uint32_t flags,
                  std::string_view text, const platform::FontSpec& font) override
    {
        formatted.push_back({rect, flags});
        TextOut(target, rect.Left, rect.Top, rect, text, font);
    }

    struct Drawing {
        int32_t targetWidth, targetHeight;
        platform::FontSpec font;
        std::string text;
    };
    struct Formatted {
        platform::Rect rect;
        uint32_t flags;
    };
    std::vector<Drawing> drawn;
    std::vector<Formatted> formatted;
};

// A bitmap of one colour whose font is green at the given point size.
struct Sheet : TBitmap32 {
    Sheet(int32_t width, int32_t height, TColor32 color, int32_t pointSize)
    {
        SetSize(width, height);
        Clear(color);
        platform::FontSpec font;
        font.PointSize = pointSize;
        font.Color = 0x00FF00;
        SetFont(font);
    }
};

class BitmapText : public ::testing::Test {
protected:
    void SetUp() override { platform::SetTextRasterizer(&rasterizer); }
    void TearDown() override { platform::SetTextRasterizer(nullptr); }

    FixedCellRasterizer rasterizer;
};

// The pixels of the bitmap that differ from `paper`, as a picture: '#' for `ink`,
// '+' for another colour, '.' for unchanged.
std::string Changes(const TBitmap32& bitmap, TColor32 paper, TColor32 ink)
{
    return RowPicture(bitmap, [=](TColor32 p) { return p == paper ? '.' : (p == ink ? '#' : '+'); });
}

} // namespace

TEST_F(BitmapText, OnlyThePartThatLandsIsRenderedAndABiggerOneIsRefused)
{
    // 20000 glyphs of 8 pixels: past the limit as a whole, while the part on a 10 x 10
    // bitmap is what two glyphs at the same place show (19998 glyphs lie left of it).
    const std::string longText(20000, 'x');
    const struct {
        int32_t x, y, level;
    } cases[] = {{0, 0, 4}, {-159984, 1, 4}, {-159984, -3, 0}};
    for (const auto& c : cases) {
        Sheet part(10, 10, 0xFF000000, 8), two(10, 10, 0xFF000000, 8);
        part.RenderText(c.x, c.y, longText, c.level, 0xFFFFFFFF);
        two.RenderText(0, c.y, "xx", c.level, 0xFFFFFFFF);
        EXPECT_TRUE(part.Equal(two)) << c.x << " level " << c.level;
        EXPECT_FALSE(two.Equal(Sheet(10, 10, 0xFF000000, 8)));
    }
    EXPECT_EQ(rasterizer.drawn[0].targetWidth, 160); // the landing part at 16 times the size
    rasterizer.drawn.clear();
    Sheet bitmap(5000, 20, 0xFF000000, 8);
    const std::string refused = MessageOf([&] { bitmap.RenderText(0, 0, longText, 4, 0xFFFFFFFF); });
    EXPECT_EQ(refused.rfind("Cannot render the text: it needs a work bitmap of ", 0), 0u) << refused;
    Sheet huge(10, 10, 0xFF000000, 4000);
    EXPECT_NE(MessageOf([&] { huge.RenderText(0, 0, "x", 1, 0xFFFFFFFF); }).find("use a smaller font"),
              std::string::npos);
    EXPECT_TRUE(rasterizer.drawn.empty());
    EXPECT_TRUE(bitmap.Equal(Sheet(5000, 20, 0xFF000000, 8)));
}

TEST_F(BitmapText, RenderTextTurnsCoverageIntoAlphaScaledByTheColoursAlpha)
{
    const TColor32 paper = 0xFF204060, masks[2] = {0xFFFF0000, 0x7FFF0000};
    TColor32 full = paper, half = paper;
    BlendLineEx(&masks[0], &full, 1, 128);
    BlendLineEx(&masks[1], &half, 1, 128);
    Sheet bitmap(12, 6, paper, 3);
    bitmap.RenderText(1, 0, "ab", 2, 0x80FF0000); // "ab " 37 x 23: 40 x 23 work, a 10 x 5 mask of whole, half or no glyph
    bitmap.RenderText(0, 0, "ab", 7, 0); // levels 7 and -1 as 4 and 0; alpha 0 draws nothing
    bitmap.RenderText(0, 0, "ab", -1, 0);
    EXPECT_EQ(RowPicture(bitmap, [&](TColor32 p) { return p == paper ? '.' : p == full ? 'F' : p == half ? 'H' : '?'; }),
              ".FH.FH....../.FH.FH....../.FH.FH....../.FH.FH....../.FH.FH....../............");
    std::vector<std::tuple<int32_t, int32_t, int32_t>> work; // each work bitmap's size and font size
    for (const auto& d : rasterizer.drawn)
        work.emplace_back(d.targetWidth, d.targetHeight, d.font.PointSize);
    EXPECT_EQ(work, (std::vector<std::tuple<int32_t, int32_t, int32_t>>{{40, 23, 12}, {160, 95, 48}, {10, 5, 3}}));
}

TEST_F(BitmapText, TextoutWritesOpaqueGlyphsInTheFontColour)
{
    Sheet bitmap(8, 4, 0xFF000000, 2);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.Textout(0, 0, "ab");
    EXPECT_EQ(Changes(bitmap, 0xFF000000, 0xFF00FF00), "#.#...../#.#...../#.#...../........");
    bitmap.Clear(0xFF000000);
    bitmap.Textout(0, 0, TRect{1, 0, 8, 2}, "ab");
    EXPECT_EQ(Changes(bitmap, 0xFF000000, 0xFF00FF00), "..#...../..#...../......../........");
    bitmap.Clear(0xFF000000);
    TRect box{4, 1, 8, 4};
    bitmap.Textout(box, platform::kTextCenter | platform::kTextSingleLine, "c");
    ASSERT_EQ(rasterizer.formatted.size(), 1u);
    EXPECT_EQ(std::pair(rasterizer.formatted[0].rect, rasterizer.formatted[0].flags), std::pair(platform::Rect{4, 1, 8, 4}, 0x21u));
    EXPECT_EQ(bitmap.GetPixel(4, 1), 0xFF00FF00u);
    EXPECT_EQ(changes, 5);
    // Measuring draws nothing and reports nothing: "abc" is 7 x 3 in this font.
    const std::vector<TColor32> before = PixelsOf(bitmap);
    bitmap.Textout(box, platform::kTextCalcRect | platform::kTextSingleLine, "abc");
    EXPECT_EQ(box, (TRect{4, 1, 11, 4}));
    EXPECT_EQ(PixelsOf(bitmap), before);
    EXPECT_EQ(changes, 5);

    TBitmap32 empty;
    empty.SetFont(bitmap.Font());
    empty.Textout(0, 0, "ab");
    empty.RenderText(0, 0, "ab", 2, 0xFFFFFFFF);
    EXPECT_EQ(rasterizer.drawn.size(), 3u);
    EXPECT_EQ(empty.TextExtent("abc"), bitmap.TextExtent("abc"));
    EXPECT_EQ(std::pair(bitmap.TextWidth("abc"), bitmap.TextHeight("abc")), std::pair(7, 3));
}

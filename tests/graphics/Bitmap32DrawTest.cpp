// Blended pixels and rectangles, frames, and the whole-bitmap operations: rolls,
// flips, turns, tiling onto a canvas and copying from a pixel surface.
#include "graphics/Bitmap32.h"
#include "graphics/Blend32.h"
#include "platform/Canvas.h"

#include <gtest/gtest.h>

#include "graphics/GraphicsTestHelpers.h"

#include <vector>

using namespace graphicstest;

namespace {

constexpr TColor32 kPaper = 0xFF404040;

// A bitmap of one colour.
struct Paper : TBitmap32 {
    Paper(int32_t width, int32_t height)
    {
        SetSize(width, height);
        Clear(kPaper);
    }
};

// Pixel (x, y) holds 1 + y * width + x: every pixel tells where it came from.
struct Numbered : TBitmap32 {
    Numbered(int32_t width, int32_t height)
    {
        SetSize(width, height);
        for (int32_t i = 0; i < width * height; ++i)
            Bits()[i] = TColor32(i + 1);
    }
};

// Each row of the bitmap as a string of characters 'a' + value - 1 ('.' for 0, '#' for
// `mark`, '-' for any other colour), rows separated by '/'.
std::string Picture(const TBitmap32& bitmap, TColor32 mark = kPaper)
{
    return RowPicture(bitmap, [mark](TColor32 p) {
        return p == mark ? '#' : (p == 0 ? '.' : (p <= 26 ? char('a' + p - 1) : '-'));
    });
}

// Records what reaches the canvas.
class BlitRecorder : public platform::NullCanvas {
public:
    struct Blit {
        int32_t x, y, width, height;
        std::vector<uint32_t> pixels;
    };
    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        Blit blit{x, y, width, height, {}};
        for (int32_t row = 0; row < height; ++row)
            blit.pixels.insert(blit.pixels.end(), pixels + row * rowPixels, pixels + row * rowPixels + width);
        blits.push_back(std::move(blit));
    }
    std::vector<Blit> blits;
};

} // namespace

TEST(BlendedPixels, SetPixelTBlendsAndTheSafeFormsIgnoreTheOutside)
{
    Paper bitmap(3, 2);
    const TColor32 half = 0x80FF0000;
    bitmap.SetPixelT(1, 0, half);
    EXPECT_EQ(bitmap.GetPixel(1, 0), BlendReg(half, kPaper));
    TColor32* p = bitmap.PixelPtr(0, 1);
    bitmap.SetPixelT(p, half);
    bitmap.SetPixelT(p, 0xFF00FF00);
    EXPECT_EQ(p, bitmap.PixelPtr(2, 1));
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0xFF00FF00u);
    bitmap.SetPixelTS(-1, 0, half);
    bitmap.SetPixelTS(3, 1, half);
    bitmap.SetPixelTS(0, 2, half);
    EXPECT_EQ(bitmap.GetPixel(0, 0), kPaper);
    EXPECT_EQ(bitmap.GetPixel(2, 1), kPaper);

    const Numbered numbered(3, 2);
    EXPECT_EQ(numbered.GetPixelB(-5, -5), 1u);
    EXPECT_EQ(numbered.GetPixelB(7, 0), 3u);
    EXPECT_EQ(numbered.GetPixelB(1, 9), 5u);
}

TEST(Rectangles, BlendedFillFollowsTheColoursAlpha)
{
    Paper opaque(5, 4);
    Paper plain(5, 4);
    opaque.FillRectT(1, 1, 4, 3, 0xFF123456);
    plain.FillRect(1, 1, 4, 3, 0xFF123456);
    EXPECT_EQ(PixelsOf(opaque), PixelsOf(plain));

    Paper bitmap(5, 4);
    bitmap.FillRectT(0, 0, 5, 4, 0x00FFFFFF);
    EXPECT_EQ(Picture(bitmap, kPaper), "#####/#####/#####/#####");
    bitmap.FillRectTS(-3, 2, 2, 9, 0x80FFFFFF);
    const TColor32 mixed = CombineReg(0x80FFFFFF, kPaper, 0x80);
    EXPECT_EQ(Picture(bitmap, mixed), "-----/-----/##---/##---");
    bitmap.FillRectTS(TRect{3, 0, 3, 4}, 0x80FFFFFF); // no width
    bitmap.FillRectTS(5, 0, 9, 4, 0x80FFFFFF);        // right of the bitmap
    EXPECT_EQ(bitmap.GetPixel(3, 0), kPaper);
    EXPECT_EQ(bitmap.GetPixel(4, 0), kPaper);
}

TEST(Rectangles, FramesDrawEachOutlinePixelOnce)
{
    const TColor32 half = 0x80FFFFFF;
    const TColor32 once = BlendReg(half, kPaper);
    Paper bitmap(6, 5);
    bitmap.FrameRectTS(0, 0, 5, 4, half);
    EXPECT_EQ(Picture(bitmap, once), "#####-/#---#-/#---#-/#####-/------");

    // Clipped: only the parts inside; one-pixel-high and one-pixel-wide frames.
    Paper clipped(4, 4);
    clipped.FrameRectS(-2, 1, 3, 9, 0xFF000000);
    EXPECT_EQ(Picture(clipped, 0xFF000000), "----/###-/--#-/--#-");

    Paper thin(4, 3);
    thin.FrameRectTS(0, 1, 4, 2, half); // one row: blended once, not twice
    thin.FrameRectTS(3, 0, 4, 3, half); // one column crossing it
    EXPECT_EQ(thin.GetPixel(0, 1), once);
    EXPECT_EQ(thin.GetPixel(3, 0), once);
    EXPECT_EQ(thin.GetPixel(3, 1), BlendReg(half, once));
    EXPECT_EQ(thin.GetPixel(3, 2), once);
}

TEST(Rectangles, StippledFrameRunsClockwise)
{
    Paper bitmap(3, 3);
    const TColor32 r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF, w = 0xFFFFFFFF;
    bitmap.SetStipple({r, g, b, w});
    bitmap.FrameRectTSP(0, 0, 3, 3);
    // Top r g b, right side down w r, bottom leftwards g b, left side up w.
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor32>{r, g, b, w, kPaper, w, b, g, r}));
}

TEST(Rectangles, RaisedFramesLightAndShadeOppositeEdges)
{
    Paper bitmap(5, 4);
    bitmap.RaiseRectTS(0, 0, 5, 4, 50); // white at 255 (256 limited), black at 127
    const TColor32 shade = BlendReg(0x7F000000, kPaper);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(4, 0), 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(0, 2), 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(0, 3), shade);
    EXPECT_EQ(bitmap.GetPixel(4, 1), shade);
    EXPECT_EQ(bitmap.GetPixel(4, 3), shade);
    EXPECT_EQ(bitmap.GetPixel(2, 1), kPaper);

    Paper sunken(5, 4);
    sunken.RaiseRectTS(TRect{0, 0, 5, 4}, -20); // black at 51, white at 102
    EXPECT_EQ(sunken.GetPixel(2, 0), BlendReg(0x33000000, kPaper));
    EXPECT_EQ(sunken.GetPixel(0, 1), BlendReg(0x33000000, kPaper));
    EXPECT_EQ(sunken.GetPixel(2, 3), BlendReg(0x66FFFFFF, kPaper));
    EXPECT_EQ(sunken.GetPixel(4, 2), BlendReg(0x66FFFFFF, kPaper));

    Paper flat(5, 4);
    flat.RaiseRectTS(0, 0, 5, 4, 0);
    flat.RaiseRectTS(0, 0, 5, 2, 1000000000); // two rows: no side columns between them
    EXPECT_EQ(flat.GetPixel(0, 2), kPaper);
    EXPECT_EQ(flat.GetPixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(flat.GetPixel(0, 1), 0xFF000000u);
}

TEST(WholeBitmap, FlipsAndTurnsOfAnAsymmetricBitmap)
{
    // Each operation of abc/def into another bitmap and in place.
    using Operation = void (TBitmap32::*)(TBitmap32*);
    const std::pair<Operation, const char*> cases[] = {
        {&TBitmap32::FlipHorz, "cba/fed"},  {&TBitmap32::FlipVert, "def/abc"},  {&TBitmap32::Rotate90, "da/eb/fc"},
        {&TBitmap32::Rotate180, "fed/cba"}, {&TBitmap32::Rotate270, "cf/be/ad"},
    };
    for (const auto& [operation, picture] : cases) {
        Numbered source(3, 2), bitmap(3, 2), self(3, 2);
        TBitmap32 result;
        (source.*operation)(&result);
        EXPECT_EQ(Picture(result), picture);
        EXPECT_EQ(Picture(source), "abc/def");
        bitmap.SetDrawMode(dmBlend); // the drawing properties stay
        bitmap.SetMasterAlpha(77);
        bitmap.SetOuterColor(0x12345678);
        (bitmap.*operation)(nullptr);
        EXPECT_EQ(Picture(bitmap), picture);
        EXPECT_EQ(bitmap.DrawMode(), dmBlend);
        EXPECT_EQ(bitmap.MasterAlpha(), 77u);
        EXPECT_EQ(bitmap.OuterColor(), 0x12345678u);
        (self.*operation)(&self);
        EXPECT_EQ(Picture(self), picture);
    }
    // The result reports one change, after it is complete.
    Numbered bitmap(3, 2);
    TBitmap32 watched;
    std::string seen;
    watched.OnChange = [&](TObject*) { seen += Picture(watched) + ";"; };
    bitmap.Rotate90(&watched);
    EXPECT_EQ(seen, "da/eb/fc;");
}

TEST(WholeBitmap, RollMovesThePixelsAsOneRun)
{
    // Rolls abcd/efgh/ijkl; filled pixels show as '#'.
    auto rolled = [](int32_t dx, int32_t dy, bool fillBack) {
        Numbered bitmap(4, 3);
        bitmap.Roll(dx, dy, fillBack, 0xFF);
        return Picture(bitmap, 0xFF);
    };
    EXPECT_EQ(rolled(1, 0, false), "aabc/defg/hijk"); // pixels carried into the next row
    EXPECT_EQ(rolled(1, 0, true), "#abc/#efg/#ijk");
    EXPECT_EQ(rolled(0, -1, true), "efgh/ijkl/####");
    EXPECT_EQ(rolled(-1, 1, true), "####/bcd#/fgh#");
    EXPECT_EQ(rolled(4, 0, false), "abcd/efgh/ijkl"); // a whole width: left alone without FillBack
    EXPECT_EQ(rolled(0, -3, true), "####/####/####");
    EXPECT_EQ(rolled(0, 0, true), "abcd/efgh/ijkl");
}

TEST(WholeBitmap, TileToSendsTilesOfAtMost1024Pixels)
{
    TBitmap32 source;
    source.SetSize(1500, 1100);
    FillRandom(source, 7);
    BlitRecorder canvas;
    source.TileTo(canvas, source.BoundsRect(), source.BoundsRect());
    ASSERT_EQ(canvas.blits.size(), 4u);
    const int32_t expected[4][4] = {{0, 0, 1024, 1024}, {1024, 0, 476, 1024}, {0, 1024, 1024, 76}, {1024, 1024, 476, 76}};
    for (size_t i = 0; i < 4; ++i) {
        const BlitRecorder::Blit& blit = canvas.blits[i];
        EXPECT_EQ((std::vector<int32_t>{blit.x, blit.y, blit.width, blit.height}),
                  (std::vector<int32_t>(expected[i], expected[i] + 4)));
        // Same size: every pixel of the tile is the source pixel under it.
        bool same = true;
        for (int32_t y = 0; y < blit.height && same; ++y)
            for (int32_t x = 0; x < blit.width && same; ++x)
                same = blit.pixels[size_t(y) * size_t(blit.width) + size_t(x)] == source.GetPixel(blit.x + x, blit.y + y);
        EXPECT_TRUE(same) << "tile " << i;
    }
}

TEST(WholeBitmap, DrawFromAPixelSurfaceScalesByNearestPixel)
{
    const uint32_t surface[6] = {1, 2, 99, 3, 4, 99}; // 2 x 2 pixels in rows of 3
    const platform::ConstPixelView view{surface, 2, 2, 3};
    TBitmap32 bitmap;
    bitmap.SetSize(5, 4);
    bitmap.Draw(TRect{1, 0, 5, 4}, TRect{0, 0, 2, 2}, view);
    EXPECT_EQ(Picture(bitmap), ".aabb/.aabb/.ccdd/.ccdd");
    bitmap.Clear(0);
    bitmap.Draw(TRect{-1, 3, 1, 5}, TRect{0, 0, 2, 2}, view); // clipped to the bitmap
    EXPECT_EQ(Picture(bitmap), "...../...../...../b....");
    bitmap.Clear(0);
    bitmap.Draw(TRect{0, 0, 4, 1}, TRect{1, 1, 5, 2}, view); // source pixels past the surface are skipped
    EXPECT_EQ(Picture(bitmap), "d..../...../...../.....");
}

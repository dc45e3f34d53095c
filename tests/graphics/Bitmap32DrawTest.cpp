// Blended pixels and rectangles, frames, and the whole-bitmap operations: rolls,
// flips, turns, tiling onto a canvas and copying from a pixel surface.
#include "ControlTestHelpers.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

namespace {

constexpr TColor32 kPaper = 0xFF404040;

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

} // namespace

TEST(BlendedPixels, SetPixelTBlendsAndTheSafeFormsIgnoreTheOutside)
{
    Paper bitmap(3, 2, kPaper);
    const TColor32 half = 0x80FF0000;
    bitmap.SetPixelT(1, 0, half);
    TColor32* p = bitmap.PixelPtr(0, 1);
    bitmap.SetPixelT(p, half);
    bitmap.SetPixelT(p, 0xFF00FF00);
    EXPECT_EQ(p, bitmap.PixelPtr(2, 1));
    for (auto [x, y] : {std::pair{-1, 0}, {3, 1}, {0, 2}})
        bitmap.SetPixelTS(x, y, half);
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor32>{kPaper, BlendReg(half, kPaper), kPaper, BlendReg(half, kPaper),
                                                      0xFF00FF00u, kPaper}));
    const Numbered numbered(3, 2);
    EXPECT_EQ((std::vector<TColor32>{numbered.GetPixelB(-5, -5), numbered.GetPixelB(7, 0), numbered.GetPixelB(1, 9)}),
              (std::vector<TColor32>{1, 3, 5}));
}

TEST(Rectangles, BlendedFillFollowsTheColoursAlpha)
{
    Paper opaque(5, 4, kPaper), plain(5, 4, kPaper), bitmap(5, 4, kPaper);
    opaque.FillRectT(1, 1, 4, 3, 0xFF123456);
    plain.FillRect(1, 1, 4, 3, 0xFF123456);
    EXPECT_EQ(PixelsOf(opaque), PixelsOf(plain));
    bitmap.FillRectT(0, 0, 5, 4, 0x00FFFFFF);
    EXPECT_EQ(Picture(bitmap, kPaper), "#####/#####/#####/#####");
    bitmap.FillRectTS(-3, 2, 2, 9, 0x80FFFFFF);
    bitmap.FillRectTS(TRect{3, 0, 3, 4}, 0x80FFFFFF); // no width
    bitmap.FillRectTS(5, 0, 9, 4, 0x80FFFFFF);        // right of the bitmap
    EXPECT_EQ(Picture(bitmap, CombineReg(0x80FFFFFF, kPaper, 0x80)), "-----/-----/##---/##---");
    EXPECT_EQ(Picture(bitmap, kPaper), "#####/#####/--###/--###");
}

TEST(Rectangles, FramesDrawEachOutlinePixelOnceAndRaisedOnesLightAndShadeOppositeEdges)
{
    const TColor32 half = 0x80FFFFFF, once = BlendReg(half, kPaper);
    Paper bitmap(6, 5, kPaper), clipped(4, 4, kPaper), thin(4, 3, kPaper);
    bitmap.FrameRectTS(0, 0, 5, 4, half);
    EXPECT_EQ(Picture(bitmap, once), "#####-/#---#-/#---#-/#####-/------");
    // Clipped: only the parts inside; one-pixel-high and one-pixel-wide frames.
    clipped.FrameRectS(-2, 1, 3, 9, 0xFF000000);
    EXPECT_EQ(Picture(clipped, 0xFF000000), "----/###-/--#-/--#-");
    thin.FrameRectTS(0, 1, 4, 2, half); // one row: blended once, not twice
    thin.FrameRectTS(3, 0, 4, 3, half); // one column crossing it
    EXPECT_EQ(PixelsAt(thin, {{0, 1}, {3, 0}, {3, 1}, {3, 2}}), (std::vector<TColor32>{once, once, BlendReg(half, once), once}));
    // A stippled frame runs clockwise: top r g b, right side down w r, bottom leftwards
    // g b, left side up w.
    Paper stippled(3, 3, kPaper);
    const TColor32 r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF, w = 0xFFFFFFFF;
    stippled.SetStipple({r, g, b, w});
    stippled.FrameRectTSP(0, 0, 3, 3);
    EXPECT_EQ(PixelsOf(stippled), (std::vector<TColor32>{r, g, b, w, kPaper, w, b, g, r}));
    Paper raised(5, 4, kPaper), sunken(5, 4, kPaper), flat(5, 4, kPaper);
    raised.RaiseRectTS(0, 0, 5, 4, 50); // white at 255 (256 limited), black at 127
    const TColor32 white = 0xFFFFFFFF, shade = BlendReg(0x7F000000, kPaper);
    EXPECT_EQ(PixelsAt(raised, {{0, 0}, {4, 0}, {0, 2}, {0, 3}, {4, 1}, {4, 3}, {2, 1}}),
              (std::vector<TColor32>{white, white, white, shade, shade, shade, kPaper}));
    sunken.RaiseRectTS(TRect{0, 0, 5, 4}, -20); // black at 51, white at 102
    const TColor32 dark = BlendReg(0x33000000, kPaper), light = BlendReg(0x66FFFFFF, kPaper);
    EXPECT_EQ(PixelsAt(sunken, {{2, 0}, {0, 1}, {2, 3}, {4, 2}}), (std::vector<TColor32>{dark, dark, light, light}));
    flat.RaiseRectTS(0, 0, 5, 4, 0);
    flat.RaiseRectTS(0, 0, 5, 2, 1000000000); // two rows: no side columns between them
    EXPECT_EQ(PixelsAt(flat, {{0, 2}, {0, 0}, {0, 1}}), (std::vector<TColor32>{kPaper, white, 0xFF000000u}));
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
        EXPECT_EQ(Picture(result) + " " + Picture(source), std::string(picture) + " abc/def");
        bitmap.SetDrawMode(dmBlend); // the drawing properties stay
        bitmap.SetMasterAlpha(77);
        bitmap.SetOuterColor(0x12345678);
        (bitmap.*operation)(nullptr);
        (self.*operation)(&self);
        EXPECT_EQ(Picture(bitmap) + " " + Picture(self), std::string(picture) + " " + picture);
        EXPECT_EQ((std::tuple{bitmap.DrawMode(), bitmap.MasterAlpha(), bitmap.OuterColor()}),
                  (std::tuple{dmBlend, 77u, 0x12345678u}));
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
    PictureCanvas canvas(1500, 1100);
    source.TileTo(canvas, source.BoundsRect(), source.BoundsRect());
    EXPECT_EQ(canvas.blits, 4);
    EXPECT_EQ(canvas.lastBlit, (platform::Rect{1024, 1024, 1500, 1100}));
    for (int32_t y = 0; y < 1100; ++y)
        for (int32_t x = 0; x < 1500; ++x)
            ASSERT_EQ(canvas.At(x, y), source.GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
}

TEST(WholeBitmap, DrawFromAPixelSurfaceScalesByNearestPixel)
{
    const uint32_t surface[6] = {1, 2, 99, 3, 4, 99}; // 2 x 2 pixels in rows of 3
    const platform::ConstPixelView view{surface, 2, 2, 3};
    Paper bitmap(5, 4, 0);
    bitmap.Draw(TRect{1, 0, 5, 4}, TRect{0, 0, 2, 2}, view);
    EXPECT_EQ(Picture(bitmap), ".aabb/.aabb/.ccdd/.ccdd");
    bitmap.Clear(0);
    bitmap.Draw(TRect{-1, 3, 1, 5}, TRect{0, 0, 2, 2}, view); // clipped to the bitmap
    EXPECT_EQ(Picture(bitmap), "...../...../...../b....");
    bitmap.Clear(0);
    bitmap.Draw(TRect{0, 0, 4, 1}, TRect{1, 1, 5, 2}, view); // source pixels past the surface are skipped
    EXPECT_EQ(Picture(bitmap), "d..../...../...../.....");
}

// Lines: Bresenham in every octant, clipping at every edge, blended, sub-pixel,
// anti-aliased and stippled forms, and the pen position.
#include "graphics/Bitmap32.h"
#include "graphics/Blend32.h"

#include <gtest/gtest.h>

#include "graphics/GraphicsTestHelpers.h"

#include <functional>
#include <random>
#include <vector>

using namespace graphicstest;

namespace {

constexpr TColor32 kInk = 0xFF123456;
constexpr TColor32 kPaper = 0xFF000000;

// The pixels of the given colour, row by row.
std::vector<TPoint> PixelsOfColor(const TBitmap32& bitmap, TColor32 color)
{
    std::vector<TPoint> points;
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            if (bitmap.GetPixel(x, y) == color)
                points.push_back({x, y});
    return points;
}

std::vector<TPoint> Sorted(std::vector<TPoint> points)
{
    std::sort(points.begin(), points.end(), [](TPoint a, TPoint b) { return a.Y != b.Y ? a.Y < b.Y : a.X < b.X; });
    return points;
}

// A bitmap of one colour.
struct Paper : TBitmap32 {
    Paper(int32_t width, int32_t height, TColor32 color = kPaper)
    {
        SetSize(width, height);
        Clear(color);
    }
};

struct OctantCase {
    TPoint delta;
    std::vector<TPoint> pixels; // from (5, 5), end included
};

class LineOctants : public ::testing::TestWithParam<OctantCase> {};

} // namespace

// Each case draws on a clear 8 x 8 bitmap; the pixels in the ink, row by row.
TEST(Lines, RunsEndPointsAndClippingAtEveryEdge)
{
    using Draw = std::function<void(TBitmap32&)>;
    const std::pair<Draw, std::vector<TPoint>> cases[] = {
        {[](TBitmap32& b) { b.Line(0, 0, 5, 0, kInk, false); }, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
        {[](TBitmap32& b) { b.Line(0, 1, 5, 1, kInk, true); }, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}},
        {[](TBitmap32& b) { b.Line(0, 0, 3, 1, kInk, true); }, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {[](TBitmap32& b) { b.Line(2, 3, 2, 0, kInk); }, {{2, 1}, {2, 2}, {2, 3}}}, // upwards, the end left out
        {[](TBitmap32& b) { b.Line(4, 2, 4, 2, kInk); }, {}},
        {[](TBitmap32& b) { b.HorzLine(5, 2, 5, kInk); }, {{5, 2}}},
        {[](TBitmap32& b) { b.HorzLineS(-3, 1, 1, kInk), b.VertLineS(7, 6, 9, kInk); }, {{0, 1}, {1, 1}, {7, 6}, {7, 7}}},
        {[](TBitmap32& b) { b.LineS(-4, 3, 3, 3, kInk, true); }, {{0, 3}, {1, 3}, {2, 3}, {3, 3}}}, // from the left
        {[](TBitmap32& b) { b.LineS(12, 4, 5, 4, kInk, true); }, {{5, 4}, {6, 4}, {7, 4}}},         // from the right
        {[](TBitmap32& b) { b.LineS(3, -5, 3, 1, kInk, true); }, {{3, 0}, {3, 1}}},                  // from above
        {[](TBitmap32& b) { b.LineS(2, 20, 2, 6, kInk, true); }, {{2, 6}, {2, 7}}},                  // from below
        {[](TBitmap32& b) { b.LineS(-2, -2, 10, 10, kInk, true); }, // through two corners
         {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
        {[](TBitmap32& b) { b.LineS(-5, 2, 2, -5, kInk, true), b.LineS(9, 0, 20, 7, kInk, true); }, {}}, // outside
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        Paper bitmap(8, 8);
        cases[i].first(bitmap);
        EXPECT_EQ(PixelsOfColor(bitmap, kInk), cases[i].second) << "case " << i;
    }
    TBitmap32 empty;
    empty.LineS(0, 0, 5, 5, kInk, true);
    empty.LineXS(0, 0, Fixed(5), Fixed(5), kInk, true);
    empty.HorzLineTSP(0, 0, 4);
    EXPECT_TRUE(empty.Empty());
}

TEST_P(LineOctants, BresenhamPicksThePixelsNearestTheIdealLine)
{
    const OctantCase& c = GetParam();
    Paper bitmap(11, 11);
    bitmap.Line(5, 5, 5 + c.delta.X, 5 + c.delta.Y, kInk, true);
    EXPECT_EQ(PixelsOfColor(bitmap, kInk), Sorted(c.pixels));

    // The same line without its end point, and drawn backwards with it: the middle
    // pixels stay, the ends swap roles.
    bitmap.Clear(kPaper);
    bitmap.Line(5, 5, 5 + c.delta.X, 5 + c.delta.Y, kInk, false);
    std::vector<TPoint> withoutEnd(c.pixels.begin(), c.pixels.end() - 1);
    EXPECT_EQ(PixelsOfColor(bitmap, kInk), Sorted(withoutEnd));
}

INSTANTIATE_TEST_SUITE_P(
    AllOctants, LineOctants,
    ::testing::Values(OctantCase{{4, 1}, {{5, 5}, {6, 5}, {7, 6}, {8, 6}, {9, 6}}},
                      OctantCase{{1, 4}, {{5, 5}, {5, 6}, {6, 7}, {6, 8}, {6, 9}}},
                      OctantCase{{-1, 4}, {{5, 5}, {5, 6}, {4, 7}, {4, 8}, {4, 9}}},
                      OctantCase{{-4, 1}, {{5, 5}, {4, 5}, {3, 6}, {2, 6}, {1, 6}}},
                      OctantCase{{-4, -1}, {{5, 5}, {4, 5}, {3, 4}, {2, 4}, {1, 4}}},
                      OctantCase{{-1, -4}, {{5, 5}, {5, 4}, {4, 3}, {4, 2}, {4, 1}}},
                      OctantCase{{1, -4}, {{5, 5}, {5, 4}, {6, 3}, {6, 2}, {6, 1}}},
                      OctantCase{{4, -1}, {{5, 5}, {6, 5}, {7, 4}, {8, 4}, {9, 4}}},
                      OctantCase{{5, 2}, {{5, 5}, {6, 5}, {7, 6}, {8, 6}, {9, 7}, {10, 7}}},
                      OctantCase{{3, 3}, {{5, 5}, {6, 6}, {7, 7}, {8, 8}}}));

// Every clipped form with ends far around the bitmap: nothing lands outside (the
// sanitizers watch the memory), and the unclipped forms' debug checks never fire.
TEST(Lines, ClippedFormsStayInsideForRandomEnds)
{
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int32_t> coordinate(-40, 60);
    Paper bitmap(20, 15);
    bitmap.SetStipple({0xFFFF0000, 0x8000FF00, 0xFF0000FF});
    bitmap.SetStippleStep(0.7f);
    for (int i = 0; i < 2000; ++i) {
        const int32_t x1 = coordinate(random), y1 = coordinate(random);
        const int32_t x2 = coordinate(random), y2 = coordinate(random);
        const bool l = (i & 1) != 0;
        bitmap.LineS(x1, y1, x2, y2, kInk, l);
        bitmap.LineTS(x1, y1, x2, y2, 0x80FFFFFF, l);
        bitmap.LineAS(x1, y1, x2, y2, 0xC0FF00FF, l);
        bitmap.LineXS(x1 * 40503, y1 * 40503, x2 * 40503, y2 * 40503, 0xC000FFFF, l);
        bitmap.LineFSP(x1 * 0.6f, y1 * 0.6f, x2 * 0.6f, y2 * 0.6f, l);
        bitmap.HorzLineTSP(x1, y1, x2);
        bitmap.VertLineTSP(x1, y1, y2);
        bitmap.FrameRectTSP(x1, y1, x2, y2);
        bitmap.SET_TS256(x1 * 37, y1 * 37, kInk);
    }
    SUCCEED() << "seed " << seed;
}

TEST(Lines, BlendedLinesBlendEachPixelOnce)
{
    const TColor32 half = 0x80FF0000;
    const TColor32 mixed = BlendReg(half, kPaper);
    Paper bitmap(6, 6);
    bitmap.LineT(0, 0, 5, 2, half, true);
    EXPECT_EQ(PixelsOfColor(bitmap, mixed).size(), 6u);
    bitmap.Clear(kPaper);
    bitmap.LineTS(-3, 4, 10, 4, half, true);
    EXPECT_EQ(PixelsOfColor(bitmap, mixed).size(), 6u);
    EXPECT_EQ(PixelsOfColor(bitmap, kPaper).size(), 30u);
}

TEST(Lines, AntiAliasedLineSharesTheColourAcrossTheIdealLine)
{
    Paper bitmap(8, 8);
    bitmap.LineA(0, 0, 4, 2, 0xFFFFFFFF, true);
    // The first pixel is blended whole; at x = 2 the ideal line lies on pixel row 1;
    // at odd x it lies half-way between two rows, which share the colour.
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFFFFFFFFu);
    const TColor32 onTheLine = BlendRegEx(0xFFFFFFFF, kPaper, GAMMA_TABLE[255]);
    EXPECT_EQ(bitmap.GetPixel(2, 1), onTheLine);
    EXPECT_EQ(bitmap.GetPixel(4, 2), onTheLine);
    const TColor32 halfway = BlendRegEx(0xFFFFFFFF, kPaper, GAMMA_TABLE[127]);
    EXPECT_EQ(bitmap.GetPixel(1, 0), halfway);
    EXPECT_EQ(bitmap.GetPixel(1, 1), BlendRegEx(0xFFFFFFFF, kPaper, GAMMA_TABLE[128]));
    EXPECT_EQ(PixelsOfColor(bitmap, kPaper).size(), 64u - 7u);

    // Straight lines are the blended ones; the end is left out without L.
    bitmap.Clear(kPaper);
    bitmap.LineA(1, 6, 5, 6, 0xFFFFFFFF, false);
    EXPECT_EQ(PixelsOfColor(bitmap, 0xFFFFFFFF), (std::vector<TPoint>{{1, 6}, {2, 6}, {3, 6}, {4, 6}}));
}

TEST(Lines, SubPixelPixelsSpreadByGammaWeights)
{
    Paper bitmap(20, 20, 0xFF204060);
    const TColor32 c = 0xFFFFFFFF;
    bitmap.SetPixelF(10.5f, 10.0f, c);
    // x fraction 128: the left pixel weighs G[127], the right G[128], each times the
    // alpha and the full row weight G[255], over 2^16.
    EXPECT_EQ(bitmap.GetPixel(10, 10), CombineReg(c, 0xFF204060, (GAMMA_TABLE[127] * 255 * 255) >> 16));
    EXPECT_EQ(bitmap.GetPixel(11, 10), CombineReg(c, 0xFF204060, (GAMMA_TABLE[128] * 255 * 255) >> 16));
    EXPECT_EQ(PixelsOfColor(bitmap, 0xFF204060).size(), 398u); // nothing reached row 11

    bitmap.Clear(0xFF204060);
    bitmap.SET_TS256(-100, 0, c); // only the right half of the position lies inside
    EXPECT_EQ(bitmap.GetPixel(0, 0), CombineReg(c, 0xFF204060, (GAMMA_TABLE[156] * 255 * 255) >> 16));
    EXPECT_EQ(PixelsOfColor(bitmap, 0xFF204060).size(), 399u);

    // A position on the last row and column touches nothing past them.
    bitmap.Clear(0xFF204060);
    bitmap.SetPixelX(Fixed(19), Fixed(19), c);
    EXPECT_EQ(PixelsOfColor(bitmap, 0xFF204060).size(), 399u);
    bitmap.SetPixelFS(25.0f, 3.0f, c);
    bitmap.SetPixelXS(-Fixed(2), Fixed(3), c);
    EXPECT_EQ(PixelsOfColor(bitmap, 0xFF204060).size(), 399u);
}

TEST(Lines, FixedLinesDrawOneSubPixelPixelPerPixelOfLength)
{
    Paper bitmap(10, 4);
    const TColor32 fullWeight = CombineReg(kInk, kPaper, (255 * 255 * 255) >> 16);
    bitmap.LineX(Fixed(1), Fixed(1), Fixed(6), Fixed(1), kInk, false);
    EXPECT_EQ(PixelsOfColor(bitmap, fullWeight), (std::vector<TPoint>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    // With the end point, six pixels' worth spread evenly from the start to the end.
    bitmap.Clear(kPaper);
    bitmap.LineF(1.0f, 2.0f, 6.0f, 2.0f, kInk, true);
    std::vector<TPoint> changed;
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 10; ++x)
            if (bitmap.GetPixel(x, y) != kPaper)
                changed.push_back({x, y});
    EXPECT_EQ(changed, (std::vector<TPoint>{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}}));
    EXPECT_EQ(bitmap.GetPixel(1, 2), fullWeight);
    // A line shorter than 1/256 pixel draws nothing.
    bitmap.Clear(kPaper);
    bitmap.LineX(Fixed(3), Fixed(3), Fixed(3) + 0xFF, Fixed(3), kInk, false);
    EXPECT_EQ(PixelsOfColor(bitmap, kPaper).size(), 40u);
}

TEST(Stipple, PatternColoursAndCounter)
{
    TBitmap32 bitmap;
    EXPECT_EQ(bitmap.GetStippleColor(), 0xFF000000u);
    const TColor32 r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF;
    bitmap.SetStipple({r, g, b});
    EXPECT_EQ(bitmap.GetStippleColor(), r);
    EXPECT_EQ(bitmap.GetStippleColor(), g);
    EXPECT_EQ(bitmap.GetStippleColor(), b);
    EXPECT_EQ(bitmap.GetStippleColor(), r);
    bitmap.AdvanceStippleCounter(4); // 1 + 4 = 5, which is 2 in a pattern of 3
    EXPECT_EQ(bitmap.GetStippleColor(), b);

    // Half steps mix neighbours: at 0.5, entry 0 weighs 255 - round(127.5) = 127.
    bitmap.SetStipple({r, g, b});
    bitmap.SetStippleStep(0.5f);
    EXPECT_EQ(bitmap.GetStippleColor(), r);
    EXPECT_EQ(bitmap.GetStippleColor(), CombineReg(r, g, 127));
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 1.0f);
    // A counter outside the pattern is brought back into it first.
    bitmap.SetStippleCounter(-1.0f);
    EXPECT_EQ(bitmap.GetStippleColor(), b);
    bitmap.SetStippleCounter(7.0f);
    EXPECT_EQ(bitmap.GetStippleColor(), g);
}

TEST(Stipple, RunsKeepTheirPhaseAcrossTheEdges)
{
    const TColor32 r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF;
    Paper bitmap(4, 2);
    bitmap.SetStipple({r, g, b});
    bitmap.HorzLineTSP(-2, 0, 4); // two pixels before the bitmap, one after
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor32>{b, r, g, b, kPaper, kPaper, kPaper, kPaper}));
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 1.0f); // 7 steps in all
    bitmap.SetStipple({r, g, b});
    bitmap.HorzLineTSP(5, 1, -1); // leftwards
    EXPECT_EQ(bitmap.GetPixel(3, 1), b);
    EXPECT_EQ(bitmap.GetPixel(0, 1), b);
    EXPECT_EQ(bitmap.GetPixel(2, 1), r);
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 1.0f);
    bitmap.HorzLineTSP(-9, 0, -3); // wholly outside: 7 steps, nothing drawn
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 2.0f);
    bitmap.VertLineTSP(1, -1, 1);
    EXPECT_EQ(bitmap.GetPixel(1, 0), r); // counter 2 + 1 cut off above: 3, which is 0
    EXPECT_EQ(bitmap.GetPixel(1, 1), g);
}

TEST(Stipple, ClippedFixedLineKeepsThePhaseOfTheWholeLine)
{
    const TArrayOfColor32 pattern = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    Paper whole(30, 6);
    whole.SetStipple(pattern);
    whole.LineXSP(Fixed(1), Fixed(3), Fixed(18), Fixed(3));
    Paper cut(8, 6);
    cut.SetStipple(pattern);
    cut.LineXSP(Fixed(-5), Fixed(3), Fixed(6), Fixed(3)); // its first 11 pixels, 6 pixels to the left
    for (int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(cut.GetPixel(x, 3), whole.GetPixel(x + 6, 3)) << x;
    EXPECT_EQ(PixelsOfColor(cut, kPaper).size(), 42u);

    // Pen position: from the pen to the point, the end left for the next piece.
    Paper pen(30, 6);
    pen.SetStipple(pattern);
    pen.MoveToX(Fixed(1), Fixed(3));
    pen.LineToXSP(Fixed(7), Fixed(3));
    pen.LineToFSP(18.0f, 3.0f);
    EXPECT_EQ(PixelsOf(pen), PixelsOf(whole));
}

TEST(Lines, PenPositionDrawsInThePenColourWithoutTheEnd)
{
    Paper bitmap(6, 6);
    bitmap.SetPenColor(kInk);
    bitmap.MoveTo(0, 0);
    bitmap.LineToS(3, 0);
    bitmap.LineToS(3, 3);
    EXPECT_EQ(PixelsOfColor(bitmap, kInk), (std::vector<TPoint>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}}));
    bitmap.SetPenColor(0xFFFFFFFF);
    bitmap.LineToTS(5, 3);
    bitmap.LineToAS(5, 5);
    EXPECT_EQ(PixelsOfColor(bitmap, 0xFFFFFFFF), (std::vector<TPoint>{{3, 3}, {4, 3}, {5, 3}, {5, 4}}));
    bitmap.Clear(kPaper);
    bitmap.MoveToF(0.0f, 5.0f);
    bitmap.LineToFS(3.0f, 5.0f);
    bitmap.LineToXS(Fixed(5), Fixed(5));
    EXPECT_EQ(PixelsOfColor(bitmap, kPaper).size(), 31u);
}

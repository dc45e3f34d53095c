// Lines: Bresenham in every octant, clipping at every edge, blended, sub-pixel,
// anti-aliased and stippled forms, and the pen position.
#include "graphics/GraphicsTestHelpers.h"

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

} // namespace

TEST(Lines, BresenhamPicksThePixelsNearestTheIdealLineInEveryOctant)
{
    // Each line from (5, 5) by the delta, and its pixels with the end included.
    const std::pair<TPoint, std::vector<TPoint>> cases[] = {
        {{4, 1}, {{5, 5}, {6, 5}, {7, 6}, {8, 6}, {9, 6}}},   {{1, 4}, {{5, 5}, {5, 6}, {6, 7}, {6, 8}, {6, 9}}},
        {{-1, 4}, {{5, 5}, {5, 6}, {4, 7}, {4, 8}, {4, 9}}},  {{-4, 1}, {{5, 5}, {4, 5}, {3, 6}, {2, 6}, {1, 6}}},
        {{-4, -1}, {{5, 5}, {4, 5}, {3, 4}, {2, 4}, {1, 4}}}, {{-1, -4}, {{5, 5}, {5, 4}, {4, 3}, {4, 2}, {4, 1}}},
        {{1, -4}, {{5, 5}, {5, 4}, {6, 3}, {6, 2}, {6, 1}}},  {{4, -1}, {{5, 5}, {6, 5}, {7, 4}, {8, 4}, {9, 4}}},
        {{5, 2}, {{5, 5}, {6, 5}, {7, 6}, {8, 6}, {9, 7}, {10, 7}}}, {{3, 3}, {{5, 5}, {6, 6}, {7, 7}, {8, 8}}},
    };
    for (const auto& [delta, pixels] : cases) {
        // The line with its end point, then without it.
        for (const bool withEnd : {true, false}) {
            Paper bitmap(11, 11, kPaper);
            bitmap.Line(5, 5, 5 + delta.X, 5 + delta.Y, kInk, withEnd);
            EXPECT_EQ(PixelsOfColor(bitmap, kInk), Sorted({pixels.begin(), pixels.end() - (withEnd ? 0 : 1)}))
                << delta.X << "," << delta.Y << " end " << withEnd;
        }
    }
}

namespace {

// The plain reference of the clipping: the first point, from P towards Q, where the
// segment meets the window, tried edge by edge in exact rationals; the crossing rounded
// as an offset from P, halves away from zero. Nothing when the segment misses.
std::optional<std::pair<int64_t, int64_t>> Entry(int64_t px, int64_t py, int64_t qx, int64_t qy, int64_t lo,
                                                 int64_t hiX, int64_t hiY)
{
    using Wide = __int128;
    if (px >= lo && px <= hiX && py >= lo && py <= hiY)
        return std::pair(px, py);
    std::optional<std::pair<int64_t, int64_t>> best;
    Wide bestNum = 0, bestDen = 1;
    for (int edge = 0; edge < 4; ++edge) {
        const bool onX = edge < 2;
        const int64_t at = edge % 2 == 0 ? lo : (onX ? hiX : hiY), hi = onX ? hiY : hiX;
        const int64_t p = onX ? px : py, o = onX ? py : px, d = onX ? qx - px : qy - py, e = onX ? qy - py : qx - px;
        if (d == 0)
            continue;
        Wide num = Wide(at) - p, den = d; // t = num / den
        if (den < 0)
            num = -num, den = -den;
        const Wide cross = Wide(o) * den + num * e; // the other coordinate times den
        if (num < 0 || num > den || cross < Wide(lo) * den || cross > Wide(hi) * den)
            continue;
        if (best && num * bestDen >= bestNum * den)
            continue;
        const Wide offset = (Wide(at) - p) * e, q = offset / d, r = offset % d;
        const Wide rounded = q + ((r < 0 ? -r : r) * 2 >= (d < 0 ? -Wide(d) : Wide(d)) ? ((offset < 0) != (d < 0) ? -1 : 1) : 0);
        best = onX ? std::pair(at, int64_t(o + rounded)) : std::pair(int64_t(o + rounded), at);
        bestNum = num, bestDen = den;
    }
    return best;
}

// Random ends from near to 2^31 away, half of them on lines through the bitmap.
struct FarEnds {
    std::mt19937_64 random{20240611};
    int64_t Next(int64_t limit)
    {
        const int64_t scale = int64_t(1) << (random() % 32);
        return std::clamp<int64_t>(int64_t(random() % uint64_t(2 * scale + 1)) - scale, -limit, limit);
    }
    std::array<int64_t, 4> Line(int64_t limit, int64_t size)
    {
        std::array<int64_t, 4> e{Next(limit), Next(limit), Next(limit), Next(limit)};
        if (random() % 2 == 0) { // through a point in or near the bitmap: the far end mirrored
            const int64_t cx = int64_t(random() % uint64_t(size + 4)) - 2, cy = int64_t(random() % uint64_t(size + 4)) - 2;
            e[2] = std::clamp(2 * cx - e[0], -limit, limit), e[3] = std::clamp(2 * cy - e[1], -limit, limit);
        }
        return e;
    }
};

} // namespace

// Clipped forms with ends up to 2^31 away (fixed and float ends too), and NaN and infinite
// ones, draw exactly what the reference clipping gives; the sanitizers watch the memory.
TEST(Lines, ClippedFormsDrawWhatExactClippingGives)
{
    constexpr int32_t w = 7, h = 5, margin = 4;
    auto inner = [](const TBitmap32& wide) {
        std::vector<TColor32> pixels;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                pixels.push_back(wide.GetPixel(x + margin, y + margin));
        return pixels;
    };
    FarEnds ends;
    for (int i = 0; i < 20000; ++i) {
        const bool l = (i & 1) != 0;
        const auto [x1, y1, x2, y2] = ends.Line(INT32_MAX, w);
        Paper clipped(w, h, kPaper), expected(w, h, kPaper);
        clipped.LineS(int32_t(x1), int32_t(y1), int32_t(x2), int32_t(y2), kInk, l);
        clipped.LineAS(int32_t(x2), int32_t(y2), int32_t(x1), int32_t(y1), 0x80FFFFFF, l);
        const auto a = Entry(x1, y1, x2, y2, 0, w - 1, h - 1), b = Entry(x2, y2, x1, y1, 0, w - 1, h - 1);
        ASSERT_EQ(a.has_value(), b.has_value());
        if (a) {
            expected.Line(int32_t(a->first), int32_t(a->second), int32_t(b->first), int32_t(b->second), kInk, l);
            expected.LineA(int32_t(b->first), int32_t(b->second), int32_t(a->first), int32_t(a->second), 0x80FFFFFF, l);
        }
        ASSERT_EQ(PixelsOf(clipped), PixelsOf(expected)) << x1 << "," << y1 << " " << x2 << "," << y2 << " L " << l;
        // Sub-pixel lines: the reference drawn unclipped on a bitmap with a margin round the
        // window the clipped forms cut to (one pixel round the bitmap); fixed ends as given,
        // float ends as exact 48.16.
        const auto [fx1, fy1, fx2, fy2] = ends.Line(INT32_MAX, w << 16);
        const float f[4] = {float(x1) / 3, float(y1) / 3, float(x2) / 3, float(y2) / 3};
        for (const bool fixedEnds : {true, false}) {
            std::array<int64_t, 4> e{fx1, fy1, fx2, fy2};
            Paper sub(w, h, kPaper);
            if (fixedEnds) {
                sub.LineXS(int32_t(e[0]), int32_t(e[1]), int32_t(e[2]), int32_t(e[3]), kInk, l);
            } else {
                for (int k = 0; k < 4; ++k)
                    e[size_t(k)] = std::llrint(double(f[k]) * 65536);
                sub.LineFS(f[0], f[1], f[2], f[3], kInk, l);
            }
            Paper wide(w + 2 * margin, h + 2 * margin, kPaper);
            const auto p = Entry(e[0], e[1], e[2], e[3], -65536, int64_t(w) << 16, int64_t(h) << 16);
            const auto q = Entry(e[2], e[3], e[0], e[1], -65536, int64_t(w) << 16, int64_t(h) << 16);
            if (p) {
                const bool endMoved = q->first != e[2] || q->second != e[3];
                wide.LineX(int32_t(p->first) + Fixed(margin), int32_t(p->second) + Fixed(margin),
                           int32_t(q->first) + Fixed(margin), int32_t(q->second) + Fixed(margin), kInk, l || endMoved);
            }
            ASSERT_EQ(PixelsOf(sub), inner(wide))
                << (fixedEnds ? "LineXS " : "LineFS ") << e[0] << "," << e[1] << " " << e[2] << "," << e[3];
        }
        // A sub-pixel pixel: the unclipped form where the position reaches the bitmap.
        Paper dot(w, h, kPaper), wideDot(w + 2 * margin, h + 2 * margin, kPaper);
        dot.SetPixelFS(f[0], f[1], kInk);
        const double sx = std::nearbyint(double(f[0]) * 256), sy = std::nearbyint(double(f[1]) * 256);
        if (sx >= -256 && sy >= -256 && sx < w * 256 && sy < h * 256)
            wideDot.SET_T256(int32_t(sx) + margin * 256, int32_t(sy) + margin * 256, kInk);
        ASSERT_EQ(PixelsOf(dot), inner(wideDot)) << f[0] << "," << f[1];
    }
    // Ends without a direction, and positions that wrap to the bitmap in 32 bits, draw nothing.
    Paper untouched(w, h, kPaper);
    for (const float v : {NAN, INFINITY, -INFINITY}) {
        untouched.LineFS(v, 2, 3, 3, kInk, true);
        untouched.LineFSP(2, 2, 3, v, true);
    }
    for (const float v : {NAN, INFINITY, -INFINITY, 16777218.0f, -16777214.0f}) {
        untouched.SetPixelFS(v, 2, kInk);
        untouched.SetPixelFS(2, v, kInk);
    }
    EXPECT_TRUE(untouched.Equal(Paper(w, h, kPaper)));
}

TEST(Lines, BlendedAndAntiAliasedLines)
{
    const TColor32 half = 0x80FF0000, mixed = BlendReg(half, kPaper), white = 0xFFFFFFFF;
    Paper bitmap(6, 6, kPaper), clipped(6, 6, kPaper), aa(8, 8, kPaper);
    bitmap.LineT(0, 0, 5, 2, half, true); // each pixel blended once
    clipped.LineTS(-3, 4, 10, 4, half, true);
    EXPECT_EQ(PixelsOfColor(bitmap, mixed).size(), 6u);
    EXPECT_EQ(PixelsOfColor(clipped, mixed).size(), 6u);
    EXPECT_EQ(PixelsOfColor(clipped, kPaper).size(), 30u);
    // The first pixel is blended whole; at x = 2 the ideal line lies on pixel row 1;
    // at odd x it lies half-way between two rows, which share the colour.
    aa.LineA(0, 0, 4, 2, white, true);
    const TColor32 onTheLine = BlendRegEx(white, kPaper, GAMMA_TABLE[255]);
    EXPECT_EQ(PixelsAt(aa, {{0, 0}, {2, 1}, {4, 2}, {1, 0}, {1, 1}}),
              (std::vector<TColor32>{white, onTheLine, onTheLine, BlendRegEx(white, kPaper, GAMMA_TABLE[127]),
                                     BlendRegEx(white, kPaper, GAMMA_TABLE[128])}));
    EXPECT_EQ(PixelsOfColor(aa, kPaper).size(), 64u - 7u);
}

TEST(Lines, SubPixelPixelsSpreadByGammaWeights)
{
    const TColor32 ground = 0xFF204060, c = 0xFFFFFFFF;
    // The weight of a pixel: its gamma weight times the alpha and the full row weight G[255], over 2^16.
    auto weighted = [&](int g) { return CombineReg(c, ground, (GAMMA_TABLE[g] * 255 * 255) >> 16); };
    Paper bitmap(20, 20, ground);
    bitmap.SetPixelF(10.5f, 10.0f, c); // x fraction 128: the left pixel weighs G[127], the right G[128]
    EXPECT_EQ(PixelsAt(bitmap, {{10, 10}, {11, 10}}), (std::vector<TColor32>{weighted(127), weighted(128)}));
    EXPECT_EQ(PixelsOfColor(bitmap, ground).size(), 398u); // nothing reached row 11
    bitmap.Clear(ground);
    bitmap.SET_TS256(-100, 0, c); // only the right half of the position lies inside
    EXPECT_EQ(bitmap.GetPixel(0, 0), weighted(156));
    EXPECT_EQ(PixelsOfColor(bitmap, ground).size(), 399u);
    // A position on the last row and column touches nothing past them.
    bitmap.Clear(ground);
    bitmap.SetPixelX(Fixed(19), Fixed(19), c);
    bitmap.SetPixelFS(25.0f, 3.0f, c);
    bitmap.SetPixelXS(-Fixed(2), Fixed(3), c);
    EXPECT_EQ(PixelsOfColor(bitmap, ground).size(), 399u);
    Paper wide(300000, 8, ground);
    wide.LineFS(2, 3, 299998, 6, c, false); // ends where it should: no rounding gathers along it
    EXPECT_NE(wide.GetPixel(299997, 6), ground);
    EXPECT_EQ(std::count(wide.Bits() + 7 * 300000, wide.Bits() + 8 * 300000, ground), 300000);
}

TEST(Stipple, RunsKeepTheirPhaseAcrossTheEdges)
{
    const TColor32 r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF;
    Paper bitmap(4, 2, kPaper);
    bitmap.SetStipple({r, g, b});
    bitmap.HorzLineTSP(-2, 0, 4); // two pixels before the bitmap, one after
    EXPECT_EQ(PixelsOf(bitmap), (std::vector<TColor32>{b, r, g, b, kPaper, kPaper, kPaper, kPaper}));
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 1.0f); // 7 steps in all
    bitmap.SetStipple({r, g, b});
    bitmap.HorzLineTSP(5, 1, -1); // leftwards
    EXPECT_EQ(PixelsAt(bitmap, {{3, 1}, {0, 1}, {2, 1}}), (std::vector<TColor32>{b, b, r}));
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 1.0f);
    bitmap.HorzLineTSP(-9, 0, -3); // wholly outside: 7 steps, nothing drawn
    EXPECT_FLOAT_EQ(bitmap.StippleCounter(), 2.0f);
    bitmap.VertLineTSP(1, -1, 1); // counter 2 + 1 cut off above: 3, which is 0
    EXPECT_EQ(PixelsAt(bitmap, {{1, 0}, {1, 1}}), (std::vector<TColor32>{r, g}));
    bitmap.Clear(kPaper);
    bitmap.SetStippleStep(1e8f); // far beyond the pattern in single precision; 2^31 pixels cut off
    bitmap.HorzLineTSP(INT32_MIN, 0, 3);
    EXPECT_EQ(PixelsOfColor(bitmap, kPaper), (std::vector<TPoint>{{0, 1}, {1, 1}, {2, 1}, {3, 1}}));
}

TEST(Stipple, ClippedFixedLineAndPenKeepThePhaseOfTheWholeLine)
{
    const TArrayOfColor32 pattern = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    Paper whole(30, 6, kPaper), cut(8, 6, kPaper), pen(30, 6, kPaper);
    for (TBitmap32* b : {&whole, &cut, &pen})
        b->SetStipple(pattern);
    whole.LineXSP(Fixed(1), Fixed(3), Fixed(18), Fixed(3));
    cut.LineXSP(Fixed(-5), Fixed(3), Fixed(6), Fixed(3)); // its first 11 pixels, 6 pixels to the left
    for (int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(cut.GetPixel(x, 3), whole.GetPixel(x + 6, 3)) << x;
    EXPECT_EQ(PixelsOfColor(cut, kPaper).size(), 42u);
    // Pen position: from the pen to the point, the end left for the next piece.
    pen.MoveToX(Fixed(1), Fixed(3));
    pen.LineToXSP(Fixed(7), Fixed(3));
    pen.LineToFSP(18.0f, 3.0f);
    EXPECT_TRUE(pen.Equal(whole));
}

TEST(Lines, PenPositionDrawsInThePenColourWithoutTheEnd)
{
    Paper bitmap(6, 6, kPaper);
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

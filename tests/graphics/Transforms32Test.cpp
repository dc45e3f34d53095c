#include "graphics/StretchPaths32.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

namespace {

std::vector<TColor32> RowOf(const TBitmap32& bitmap, int32_t y)
{
    return std::vector<TColor32>(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
}

// The opaque blue row `blues`, `height` rows high, stretched onto `width` x `height`
// pixels: each destination row as its pixels' low bytes, the alpha checked opaque.
using Rows = std::vector<std::vector<int>>;
Rows Stretched(std::vector<uint8_t> blues, int32_t width, TStretchFilter filter, int32_t height = 1)
{
    TBitmap32 src, dst;
    src.SetSize(int32_t(blues.size()), height);
    for (int32_t y = 0; y < height; ++y)
        for (size_t x = 0; x < blues.size(); ++x)
            src.SetPixel(int32_t(x), y, 0xFF000000u | blues[x]);
    dst.SetSize(width, height);
    StretchTransfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), filter, dmOpaque);
    Rows rows(static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y)
        for (TColor32 c : RowOf(dst, y)) {
            EXPECT_EQ(c & 0xFFFFFF00u, 0xFF000000u);
            rows[size_t(y)].push_back(int(c & 0xFF));
        }
    return rows;
}

// Restores the unit-wide flag after each test.
class Transforms32 : public testing::Test {
protected:
    void TearDown() override { FullEdge = false; }
};

const TStretchFilter kFilters[] = {sfNearest, sfLinear, sfSpline, sfLanczos, sfMitchell};

} // namespace

TEST_F(Transforms32, ErrorsAndNothingToDraw)
{
    TBitmap32 src, dst, empty;
    src.SetSize(4, 4);
    dst.SetSize(4, 4);
    dst.Clear(0x12345678);
    const TRect all{0, 0, 4, 4}, big{0, 0, 8, 8};
    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { BlockTransfer(nullptr, 0, 0, all, &src, all, dmOpaque); }, "Destination bitmap is nil or empty"},
        {[&] { StretchTransfer(&empty, all, all, &src, all, sfLinear, dmOpaque); }, "Destination bitmap is nil or empty"},
        {[&] { BlockTransfer(&dst, 0, 0, all, nullptr, all, dmOpaque); }, "Source bitmap is nil or empty"},
        // An empty source returns before anything is checked.
        {[&] { StretchTransfer(nullptr, all, all, &empty, all, sfLinear, dmOpaque); }, "(nothing raised)"},
        {[&] { StretchTransfer(&dst, big, all, &src, {0, 0, 5, 4}, sfLinear, dmOpaque); }, "Source rectangle is invalid"},
        {[&] { StretchTransfer(&dst, big, all, &src, {-1, 0, 4, 4}, sfNearest, dmOpaque); }, "Source rectangle is invalid"},
        {[&] { StretchTransfer(&dst, all, all, &src, {2, 2, 2, 4}, sfLinear, dmOpaque); }, "(nothing raised)"},
    };
    for (const auto& [transfer, message] : cases)
        EXPECT_EQ(MessageOf(transfer), message);
    EXPECT_EQ(PixelsOf(dst), std::vector<TColor32>(16, 0x12345678u));
}

TEST_F(Transforms32, SameSizeIsAPlainCopyWhateverTheFilter)
{
    TBitmap32 src;
    src.SetSize(100, 100);
    FillRandom(src, 7);
    Paper copy(120, 110, 0);
    for (int32_t y = 0; y < 100; ++y)
        std::copy(src.ScanLine(y), src.ScanLine(y) + 100, copy.PixelPtr(15, y + 7));
    for (TStretchFilter filter : kFilters) {
        Paper dst(120, 110, 0);
        StretchTransfer(&dst, {15, 7, 115, 107}, dst.BoundsRect(), &src, src.BoundsRect(), filter, dmOpaque);
        ASSERT_TRUE(dst.Equal(copy)) << "filter " << int(filter);
    }
}

TEST_F(Transforms32, DrawModes)
{
    TBitmap32 src;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0x80FF0000);
    src.SetPixel(1, 0, 0xFF00FF00);
    Paper dst(2, 1, 0xFF0000FF);
    auto transfer = [&](TDrawMode mode, TPixelCombineEvent combine = nullptr) {
        BlockTransfer(&dst, 0, 0, dst.BoundsRect(), &src, src.BoundsRect(), mode, combine);
    };
    src.SetMasterAlpha(0);
    transfer(dmBlend);
    EXPECT_EQ(PixelsOf(dst), std::vector<TColor32>(2, 0xFF0000FFu)); // master alpha 0: unchanged
    src.SetMasterAlpha(255);
    transfer(dmBlend);
    EXPECT_EQ(PixelsOf(dst), (std::vector<TColor32>{BlendReg(0x80FF0000, 0xFF0000FF), 0xFF00FF00u}));

    dst.Clear(0xFF0000FF);
    src.SetMasterAlpha(100);
    transfer(dmBlend);
    std::vector<TColor32> expected(2, 0xFF0000FF);
    BlendLineEx(src.Bits(), expected.data(), 2, 100);
    EXPECT_EQ(PixelsOf(dst), expected);

    std::vector<TColor32> masters;
    transfer(dmCustom, [&](TColor32 F, TColor32& B, TColor32 M) {
        masters.push_back(M);
        B = F ^ 0xFFFFFFFF;
    });
    EXPECT_EQ(masters, (std::vector<TColor32>{100, 100}));
    EXPECT_EQ(dst.GetPixel(0, 0), 0x7F00FFFFu);
    transfer(dmCustom); // without a callback: a copy
    EXPECT_EQ(PixelsOf(dst), PixelsOf(src));
}

TEST_F(Transforms32, StretchesByHandAndNegativeLobesClampedNotWrapped)
{
    // Positions 0, 0.5, 1, 1.5, 2, 2.5, 3 rounded halves to even.
    EXPECT_EQ(Stretched({0, 1, 2, 3}, 7, sfNearest), (Rows{{0, 0, 1, 2, 2, 2, 3}}));
    // One destination pixel takes the middle source pixel, (0 + 4 - 1) div 2.
    EXPECT_EQ(Stretched({0, 1, 2, 3}, 1, sfNearest), (Rows{{1}}));
    // Columns at 0, 1/3, 2/3, 1: left weights 256, 171, 85 and the last column alone.
    // Blue (0 * w + 255 * (256 - w)) >> 8 = 0, 84, 170, 255; both rows alike.
    EXPECT_EQ(Stretched({0, 255}, 4, sfLinear, 2), (Rows{{0, 84, 170, 255}, {0, 84, 170, 255}}));
    // A hard edge enlarged with Lanczos overshoots on both sides of it. Blue 255 at the
    // ends; alpha stays 255 everywhere, so its overshoot clamps too (Stretched checks it).
    for (TStretchFilter filter : {sfLanczos, sfMitchell}) {
        const std::vector<int> row = Stretched({255, 0, 0, 255, 255, 255}, 24, filter)[0];
        EXPECT_EQ(row[16], 255);
        EXPECT_EQ(row[23], 255);
    }
    FullEdge = true;
    EXPECT_EQ(Stretched({0, 1, 2, 3}, 8, sfNearest), (Rows{{0, 0, 1, 1, 2, 2, 3, 3}})); // trunc(i * 4 / 8)
}

TEST_F(Transforms32, BilinearFromOnePixelStaysInsideTheBitmap)
{
    // The source is the top-left pixel of a bitmap: there is no pixel before it. The
    // sanitizers watch the reads.
    TBitmap32 src, dst, column;
    src.SetSize(1, 1);
    src.SetPixel(0, 0, 0xFF123456);
    column.SetSize(1, 4);
    FillRandom(column, 5);
    for (bool fullEdge : {false, true}) {
        FullEdge = fullEdge;
        dst.SetSize(5, 3);
        StretchTransfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), sfLinear, dmOpaque);
        EXPECT_EQ(PixelsOf(dst), std::vector<TColor32>(15, 0xFF123456u));
    }
    dst.SetSize(3, 9);
    FullEdge = false;
    StretchTransfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &column, column.BoundsRect(), sfLinear, dmOpaque);
    EXPECT_EQ(PixelsAt(dst, {{2, 0}, {1, 8}}), PixelsAt(column, {{0, 0}, {0, 3}}));
}

TEST_F(Transforms32, KernelsAndMappingTables)
{
    const struct {
        TStretchFilter filter;
        double x, want;
    } cases[] = {
        {sfNearest, 0.5, 1},       {sfNearest, -0.5, 0},        {sfLinear, -0.25, 0.75},    {sfLinear, 1, 0},
        {sfSpline, 0, 2.0 / 3},    {sfSpline, -1, 1.0 / 6},     {sfLanczos, 0, 1},          {sfLanczos, 1, 0},
        {sfLanczos, 3, 0},         {sfMitchell, 0, 16.0 / 18},  {sfMitchell, 1, 1.0 / 18},  {sfMitchell, 2, 0},
        {sfLanczos, 0.5, (2 / M_PI) * (std::sin(M_PI / 6) / (M_PI / 6))},
        {sfMitchell, -1.5, (-7.0 / 3 * 3.375 + 12 * 2.25 - 30 + 32.0 / 3) / 6},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(stretch::Kernel(c.filter, c.x), c.want, 1e-12) << int(c.filter) << " at " << c.x;
    EXPECT_TRUE(stretch::BuildMappingTable(0, 4, 0, 4, 3, 3, sfSpline).empty());
    const auto single = stretch::BuildMappingTable(0, 3, 0, 3, 5, 6, sfSpline);
    ASSERT_EQ(single.size(), 3u);
    ASSERT_EQ(single[2].size(), 1u);
    EXPECT_EQ((std::pair{single[2][0].pos, single[2][0].weight}), (std::pair{5, 256}));
    // One destination pixel without FullEdge: scale 0, the middle source pixel.
    EXPECT_EQ(stretch::BuildMappingTable(0, 1, 0, 1, 2, 9, sfLanczos)[0][0].pos, 5);
    // Every list sums to 256 and stays inside the source range.
    for (TStretchFilter filter : kFilters)
        for (bool fullEdge : {false, true}) {
            FullEdge = fullEdge;
            for (auto [d, s] : {std::pair{7, 3}, {3, 7}, {50, 13}, {2, 40}})
                for (const auto& entries : stretch::BuildMappingTable(-2, d - 2, 0, d - 2, 1, s + 1, filter)) {
                    int32_t sum = 0;
                    for (auto e : entries) {
                        sum += e.weight;
                        ASSERT_TRUE(e.pos >= 1 && e.pos <= s);
                    }
                    ASSERT_EQ(sum, 256);
                }
        }
}

TEST_F(Transforms32, DrawToAndDraw)
{
    TBitmap32 src, empty;
    src.SetSize(2, 2);
    FillRandom(src, 9);
    Paper dst(4, 4, 0);
    int changes = 0;
    dst.OnChange = [&](TObject*) { ++changes; };
    src.DrawTo(dst, 3, 3);
    EXPECT_EQ(changes, 1);
    dst.Draw(0, 0, {1, 0, 2, 2}, &src);
    EXPECT_EQ(PixelsAt(dst, {{3, 3}, {0, 1}}), PixelsAt(src, {{0, 0}, {1, 1}}));
    dst.Draw(0, 0, nullptr);
    EXPECT_EQ(changes, 2);
    src.DrawTo(dst, TRect{0, 0, 4, 4});
    EXPECT_EQ(dst.GetPixel(3, 3), src.GetPixel(1, 1)); // nearest, the bitmap's filter
    dst.Draw(TRect{0, 0, 4, 4}, TRect{0, 0, 1, 1}, &src);
    EXPECT_EQ(PixelsOf(dst), std::vector<TColor32>(16, src.GetPixel(0, 0)));
    empty.DrawTo(dst);
    src.DrawTo(empty);
    EXPECT_EQ(changes, 4);
}

namespace {

// Bilinear reference, one pixel at a time from the written rule: positions i * (S - 1) /
// (D - 1), left weight 256 - round(frac * 256), the last source pixel taken alone, rows
// mixed first, then columns, each channel (a * w + b * (256 - w)) >> 8.
struct LinearPick {
    int32_t first, second;
    uint32_t weight;
};

LinearPick ReferencePick(int64_t i, int64_t d, int32_t s)
{
    const double p = i * (double(s - 1) / double(d - 1));
    const int32_t f = int32_t(std::floor(p));
    if (f >= s - 1)
        return {s - 2, s - 1, 0};
    return {f, f + 1, uint32_t(256 - int32_t(std::nearbyint((p - f) * 256)))};
}

TColor32 ReferenceMix(TColor32 a, TColor32 b, uint32_t w)
{
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= ((((a >> shift) & 255) * w + ((b >> shift) & 255) * (256 - w)) >> 8) << shift;
    return result;
}

// The resampled pixel from the entries of its column and its row, channel by channel:
// the vertical sums per column, then the horizontal sum, clamped for the kernels with
// negative lobes, top byte taken.
TColor32 ReferenceResampled(const TBitmap32& src, const std::vector<stretch::Contribution>& across,
                            const std::vector<stretch::Contribution>& down, bool clamp)
{
    TColor32 expected = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int64_t sum = 0;
        for (auto c : across) {
            int64_t column = 0;
            for (auto r : down)
                column += int64_t((src.GetPixel(c.pos, r.pos) >> shift) & 255) * r.weight;
            sum += column * c.weight;
        }
        if (clamp)
            sum = std::clamp<int64_t>(sum, 0, 0xFF0000);
        expected |= TColor32((uint32_t(sum) >> 16) & 255) << shift;
    }
    return expected;
}

// The entries of destination offset i of an enlargement of S source pixels onto D, from
// the written rule: centre i / scale, weights round(k(centre - j) * 256), source
// positions clamped, the middle entry taking what the weights lack of 256.
std::vector<stretch::Contribution> ReferenceEntries(int64_t i, int64_t d, int32_t s, TStretchFilter filter)
{
    const double scale = double(d - 1) / double(s - 1), centre = double(i) / scale;
    const double reach = stretch::KernelWidth(filter);
    std::vector<stretch::Contribution> entries;
    int32_t sum = 0;
    for (int64_t j = int64_t(std::floor(centre - reach)); j <= int64_t(std::ceil(centre + reach)); ++j)
        if (const auto w = int32_t(std::nearbyint(stretch::Kernel(filter, centre - double(j)) * 256)); w != 0) {
            entries.push_back({int32_t(std::clamp<int64_t>(j, 0, s - 1)), w});
            sum += w;
        }
    entries[(entries.size() - 1) / 2].weight += 256 - sum;
    return entries;
}

} // namespace

// Enlargements onto the whole destination and onto rectangles reaching up to 2^31 pixels
// away: each visible pixel is sampled where the whole rectangle's mapping puts it, by the
// per-pixel references of the nearest, bilinear and resampling rules.
TEST_F(Transforms32, FarDestinationsSampleWhereTheWholeMappingSays)
{
    TBitmap32 src;
    src.SetSize(9, 7);
    FillRandom(src, 99);
    const TRect targets[] = {{0, 0, 23, 17},
                             {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                             {-2000000000, 1, 2100000000, 1900000000},
                             {-5, -7, INT32_MAX, INT32_MAX - 3}};
    for (const TRect& r : targets)
        for (const TStretchFilter filter : {sfNearest, sfLinear, sfSpline}) {
            Paper dst(23, 17, 0);
            StretchTransfer(&dst, r, dst.BoundsRect(), &src, src.BoundsRect(), filter, dmOpaque);
            const int64_t dw = int64_t(r.Right) - r.Left, dh = int64_t(r.Bottom) - r.Top;
            for (int32_t y = 0; y < dst.Height(); ++y)
                for (int32_t x = 0; x < dst.Width(); ++x) {
                    const int64_t i = x - int64_t(r.Left), j = y - int64_t(r.Top);
                    TColor32 expected = 0;
                    if (!PtInRect(r, {x, y})) {
                        // outside the rectangle: untouched
                    } else if (filter == sfNearest) {
                        expected = src.GetPixel(int32_t(std::nearbyint(double(i) * (8.0 / double(dw - 1)))),
                                                int32_t(std::nearbyint(double(j) * (6.0 / double(dh - 1)))));
                    } else if (filter == sfLinear) {
                        const LinearPick pr = ReferencePick(j, dh, 7), pc = ReferencePick(i, dw, 9);
                        const TColor32 left = ReferenceMix(src.GetPixel(pc.first, pr.first), src.GetPixel(pc.first, pr.second), pr.weight);
                        const TColor32 right = ReferenceMix(src.GetPixel(pc.second, pr.first), src.GetPixel(pc.second, pr.second), pr.weight);
                        expected = ReferenceMix(left, right, pc.weight);
                    } else {
                        expected = ReferenceResampled(src, ReferenceEntries(i, dw, 9, filter), ReferenceEntries(j, dh, 7, filter), false);
                    }
                    ASSERT_EQ(dst.GetPixel(x, y), expected) << "filter " << int(filter) << " at " << x << "," << y
                                                            << " of " << r.Left << "," << r.Top << "," << r.Right;
                }
        }
}

// A master alpha above 255 is stored as 255 and draws as 255, in every transfer.
TEST_F(Transforms32, MasterAlphaAbove255DrawsAs255)
{
    TBitmap32 src, base;
    src.SetSize(3, 3);
    FillRandom(src, 11);
    src.SetDrawMode(dmBlend);
    base.SetSize(7, 5);
    FillRandom(base, 12);
    const TRect targets[] = {{1, 1, 4, 4}, {0, 0, 7, 5}, {0, 0, 2, 2}}; // same size, enlarged, reduced
    for (const uint32_t alpha : {256u, 1000u, 100000u, UINT32_MAX})
        for (const TStretchFilter filter : {sfNearest, sfLinear, sfSpline})
            for (const TRect& target : targets) {
                TBitmap32 atAlpha, at255;
                atAlpha.Assign(&base);
                at255.Assign(&base);
                src.SetStretchFilter(filter);
                src.SetMasterAlpha(255);
                src.DrawTo(at255, target);
                src.SetMasterAlpha(alpha);
                EXPECT_EQ(src.MasterAlpha(), 255u);
                src.DrawTo(atAlpha, target);
                ASSERT_EQ(PixelsOf(atAlpha), PixelsOf(at255)) << alpha << " filter " << int(filter);
            }
}

// The resampler's sums written out plainly from a mapping table.
TEST_F(Transforms32, ResamplerAgainstAScalarReference)
{
    const unsigned seed = 777;
    TBitmap32 src;
    src.SetSize(13, 11);
    FillRandom(src, seed);
    for (TStretchFilter filter : {sfLinear, sfSpline, sfLanczos, sfMitchell})
        for (auto [w, h] : {std::pair{29, 5}, {6, 23}, {4, 4}}) {
            TBitmap32 dst;
            dst.SetSize(w, h);
            StretchTransfer(&dst, dst.BoundsRect(), dst.BoundsRect(), &src, src.BoundsRect(), filter, dmOpaque);
            const auto across = stretch::BuildMappingTable(0, w, 0, w, 0, 13, filter);
            const auto down = stretch::BuildMappingTable(0, h, 0, h, 0, 11, filter);
            const bool clamp = filter == sfLanczos || filter == sfMitchell;
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x)
                    ASSERT_EQ(dst.GetPixel(x, y), ReferenceResampled(src, across[size_t(x)], down[size_t(y)], clamp))
                        << "seed " << seed << " filter " << int(filter) << " size " << w << "x" << h << " at " << x
                        << "," << y;
        }
}

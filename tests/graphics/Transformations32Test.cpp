// Matrix routines, the affine and projective transformations against hand-worked
// points, Transform's sampling and draw modes, its fast paths against the plain
// per-pixel reference, and SetBorderTransparent.
#include "graphics/Blend32.h"
#include "graphics/Transformations32.h"

#include <gtest/gtest.h>

#include "graphics/GraphicsTestHelpers.h"

#include <random>
#include <vector>

using namespace graphicstest;

namespace {

void ExpectMatrixNear(const TFloatMatrix& expected, const TFloatMatrix& actual, float tolerance = 1e-5f)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(expected[i][j], actual[i][j], tolerance) << "element [" << i << "][" << j << "]";
}

// The point (x, y) carried forward by the matrix.
void ExpectMaps(const TFloatMatrix& m, float x, float y, float wantX, float wantY, float tolerance = 1e-5f)
{
    const TVector3f v = VectorTransform(m, {x, y, 1});
    EXPECT_NEAR(wantX, v[0], tolerance) << "from " << x << "," << y;
    EXPECT_NEAR(wantY, v[1], tolerance) << "from " << x << "," << y;
}

TPoint SourceOf(TTransformation& t, int32_t x, int32_t y)
{
    TPoint p{-999, -999};
    EXPECT_TRUE(t.Transform(x, y, p.X, p.Y)) << "at " << x << "," << y;
    return p;
}

TPoint Source256Of(TTransformation& t, int32_t x, int32_t y)
{
    TPoint p{-999, -999};
    EXPECT_TRUE(t.Transform256(x, y, p.X, p.Y)) << "at " << x << "," << y;
    return p;
}

void SetCorners(TProjectiveTransformation& t, std::array<TFloatPoint, 4> corners)
{
    t.SetX0(corners[0].X), t.SetY0(corners[0].Y);
    t.SetX1(corners[1].X), t.SetY1(corners[1].Y);
    t.SetX2(corners[2].X), t.SetY2(corners[2].Y);
    t.SetX3(corners[3].X), t.SetY3(corners[3].Y);
}

// A bitmap whose pixel (x, y) is opaque with red x and green y: where a pixel came
// from can be read off its colour.
void FillCoordinates(TBitmap32& b, int32_t w, int32_t h)
{
    b.SetSize(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.SetPixel(x, y, Color32(uint8_t(x), uint8_t(y), 0));
}

constexpr TColor32 kBackground = 0xFF0000EE;

void FillCanvas(TBitmap32& b, int32_t w, int32_t h)
{
    b.SetSize(w, h);
    b.Clear(kBackground);
}

// A coordinate source, a destination of the background colour, and an affine
// transformation of the whole source.
struct Scene {
    Scene(int32_t sw, int32_t sh, int32_t dw, int32_t dh)
    {
        FillCoordinates(src, sw, sh);
        FillCanvas(dst, dw, dh);
        t.SetSrcRect(FloatRect(src.BoundsRect()));
    }
    TBitmap32 src, dst;
    TAffineTransformation t;
};

std::vector<TColor32> Untouched(int32_t w, int32_t h)
{
    return std::vector<TColor32>(size_t(w * h), kBackground);
}

} // namespace

// ---- Matrix routines ----

TEST(Matrix, DeterminantAdjointAndInverseOfAKnownMatrix)
{
    const TFloatMatrix m = {{{1, 2, 3}, {0, 1, 4}, {5, 6, 0}}};
    EXPECT_FLOAT_EQ(1.0f, Determinant(m));
    const TFloatMatrix inverse = {{{-24, 18, 5}, {20, -15, -4}, {-5, 4, 1}}};
    TFloatMatrix adjoint = m;
    Adjoint(adjoint);
    ExpectMatrixNear(inverse, adjoint); // determinant 1: the adjugate is the inverse
    TFloatMatrix inverted = m;
    Invert(inverted);
    ExpectMatrixNear(inverse, inverted);
    ExpectMatrixNear(IdentityMatrix, Mult(m, inverted));

    TFloatMatrix doubled = {{{2, 0, 0}, {0, 4, 0}, {0, 0, 1}}};
    EXPECT_FLOAT_EQ(8.0f, Determinant(doubled));
    Invert(doubled);
    ExpectMatrixNear({{{0.5f, 0, 0}, {0, 0.25f, 0}, {0, 0, 1}}}, doubled);
}

TEST(Matrix, InvertOfANearlySingularMatrixGivesTheIdentity)
{
    TFloatMatrix m = {{{0.01f, 0, 0}, {0, 0.01f, 0}, {0, 0, 0.01f}}}; // determinant 1e-6
    Invert(m);
    EXPECT_EQ(IdentityMatrix, m);
    TFloatMatrix zero{};
    Invert(zero);
    EXPECT_EQ(IdentityMatrix, zero);
}

// ---- Affine transformation ----

TEST(AffineTransformation, OperationsApplyInTheOrderTheyAreCalled)
{
    TAffineTransformation t;
    t.Translate(10, 0);
    EXPECT_EQ((TPoint{5, 3}), SourceOf(t, 15, 3));
    t.Scale(2, 2); // after the translation: (x + 10) * 2
    ExpectMaps(t.Matrix(), 1, 0, 22, 0);
    EXPECT_EQ((TPoint{1, 4}), SourceOf(t, 22, 8));
    t.Clear(); // back to the identity
    EXPECT_EQ(IdentityMatrix, t.Matrix());
    EXPECT_EQ((TPoint{-15, 4095}), SourceOf(t, -15, 4095));
    EXPECT_EQ((TPoint{-15 * 256, 4095 * 256}), Source256Of(t, -15, 4095));

    TAffineTransformation rotated, about, skewed;
    rotated.Rotate(0, 0, 90);
    ExpectMaps(rotated.Matrix(), 1, 0, 0, -1);
    about.Rotate(5, 5, 90); // turns about (5, 5)
    ExpectMaps(about.Matrix(), 5, 5, 5, 5);
    ExpectMaps(about.Matrix(), 6, 5, 5, 4);
    EXPECT_EQ((TPoint{6, 5}), SourceOf(about, 5, 4));
    skewed.Skew(0.5f, 0.25f); // the off-diagonal elements
    EXPECT_FLOAT_EQ(0.5f, skewed.Matrix()[1][0]);
    EXPECT_FLOAT_EQ(0.25f, skewed.Matrix()[0][1]);
    ExpectMaps(skewed.Matrix(), 4, 8, 8, 9);
}

TEST(AffineTransformation, FixedPointRoundingOfHalfPixels)
{
    TAffineTransformation t;
    t.Translate(0.5f, 0);
    // Destination 10 lies on source 9.5: 9 in whole pixels (halves go down), 2432 in 1/256.
    EXPECT_EQ((TPoint{9, 0}), SourceOf(t, 10, 0));
    EXPECT_EQ((TPoint{2432, 0}), Source256Of(t, 10, 0));
    EXPECT_EQ(-2048, t.FixedInverse().m20);
    EXPECT_EQ(4096, t.FixedInverse().m00);
    // Any operation asks for a new preparation.
    EXPECT_TRUE(t.TransformValid());
    t.Translate(1, 0);
    EXPECT_FALSE(t.TransformValid());
    EXPECT_EQ((TPoint{8, 0}), SourceOf(t, 10, 0));
}

TEST(AffineTransformation, TransformedBoundsAreTheRoundedCornerBox)
{
    TAffineTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 10, 20));
    t.Scale(2, 3);
    t.Translate(1, 1);
    EXPECT_EQ((TRect{1, 1, 21, 61}), t.GetTransformedBounds());

    TAffineTransformation r;
    r.SetSrcRect(FloatRect(0, 0, 10, 20));
    r.Rotate(0, 0, 90); // (x, y) -> (y, -x)
    EXPECT_EQ((TRect{0, -10, 20, 0}), r.GetTransformedBounds());
}

TEST(AffineTransformation, ExtremeMatrices)
{
    // The forward determinant is 4e-6: a 1e-5 cut-off would draw the picture unshrunk.
    TAffineTransformation shrink;
    shrink.Scale(0.002f, 0.002f);
    EXPECT_FALSE(shrink.Singular());
    EXPECT_EQ((TPoint{500, 1000}), SourceOf(shrink, 1, 2));

    // A singular matrix has no source positions.
    TAffineTransformation flat;
    flat.Scale(0, 1);
    int32_t x = 7, y = 7;
    EXPECT_FALSE(flat.Transform(3, 3, x, y));
    EXPECT_FALSE(flat.Transform256(3, 3, x, y));
    EXPECT_TRUE(flat.Singular());

    // A near-singular matrix draws the row it squeezes the picture onto, as a less extreme
    // one does: its inverse keeps the ratios of its entries.
    TBitmap32 src;
    src.SetSize(4, 4);
    FillRandom(src, 3);
    src.ResetAlpha();
    for (const float sy : {1e-4f, 1e-6f}) {
        TAffineTransformation squash;
        squash.SetSrcRect(FloatRect(src.BoundsRect()));
        squash.Scale(1, sy);
        squash.Translate(0, 5);
        TBitmap32 dst;
        dst.SetSize(6, 8);
        dst.Clear(0);
        Transform(dst, src, squash);
        std::vector<TColor32> expected(48, 0);
        std::copy(src.ScanLine(0), src.ScanLine(0) + 4, expected.begin() + 5 * 6);
        EXPECT_EQ(PixelsOf(dst), expected) << sy;
    }

    // Source positions beyond 32 bits saturate instead of overflowing.
    TAffineTransformation tiny;
    tiny.Scale(1e-9f, 1e-9f);
    ASSERT_TRUE(tiny.Transform(2000000000, -2000000000, x, y));
    EXPECT_EQ(INT32_MAX, x);
    EXPECT_EQ(INT32_MIN, y);
}

// ---- Projective transformation ----

TEST(ProjectiveTransformation, ARectangleOfCornersScalesLikeAnAffineMapping)
{
    TProjectiveTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 10, 10));
    SetCorners(t, {{{0, 0}, {20, 0}, {20, 20}, {0, 20}}});
    EXPECT_EQ((TPoint{5, 2}), SourceOf(t, 10, 4));
    EXPECT_EQ((TPoint{1280, 512}), Source256Of(t, 10, 4));
    EXPECT_EQ((TRect{0, 0, 20, 20}), t.GetTransformedBounds()); // Round(-0.5) = 0, Round(20.5) = 20: halves to even

    SetCorners(t, {{{0, 0}, {10, 0}, {15, 10}, {5, 10}}}); // a parallelogram leaning right
    EXPECT_FALSE(t.TransformValid());
    EXPECT_EQ((TPoint{0, 10}), SourceOf(t, 5, 10));
    EXPECT_EQ((TPoint{5, 4}), SourceOf(t, 7, 4));
}

TEST(ProjectiveTransformation, ATrapezoidMapsWithPerspective)
{
    // Source (0, 0, 1, 1) onto the trapezoid (0,0) (8,0) (6,8) (2,8). Source (0.5, u) goes
    // to ((4 + 4u) / (1 + u), 16u / (1 + u)): destination (4, 4) is source (0.5, 1/3).
    TProjectiveTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 1, 1));
    SetCorners(t, {{{0, 0}, {8, 0}, {6, 8}, {2, 8}}});
    EXPECT_EQ((TPoint{128, 85}), Source256Of(t, 4, 4));
    EXPECT_EQ((TPoint{256, 256}), Source256Of(t, 6, 8));
    EXPECT_EQ((TPoint{0, 256}), Source256Of(t, 2, 8));
    EXPECT_EQ((TPoint{256, 0}), Source256Of(t, 8, 0));
    // The sides meet at (4, 16): the horizon y = 16 has no source positions.
    int32_t x = 0, y = 0;
    EXPECT_FALSE(t.Transform(4, 16, x, y));
    EXPECT_FALSE(t.Transform256(0, 16, x, y));
}

TEST(ProjectiveTransformation, DegenerateCorners)
{
    TProjectiveTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 10, 10));
    // Corners 1, 2 and 3 on one line and no parallelogram: no mapping exists.
    SetCorners(t, {{{0, 0}, {10, 0}, {20, 0}, {30, 0}}});
    EXPECT_THROW(t.PrepareTransform(), ETransformError);

    // A flat parallelogram takes the affine branch: no error, but no source positions.
    SetCorners(t, {{{0, 0}, {10, 0}, {10, 0}, {0, 0}}});
    EXPECT_NO_THROW(t.PrepareTransform());
    int32_t x = 0, y = 0;
    EXPECT_FALSE(t.Transform(5, 0, x, y));

    // A source rectangle without width maps nothing either.
    SetCorners(t, {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}});
    t.SetSrcRect(FloatRect(3, 0, 3, 10));
    EXPECT_FALSE(t.Transform(5, 5, x, y));
}

// ---- Transform ----

TEST(TransformBitmap, IdentityCopiesTheSourceRectangle)
{
    for (TStretchFilter filter : {sfNearest, sfLinear}) {
        Scene s(6, 5, 6, 5);
        s.src.SetStretchFilter(filter);
        Transform(s.dst, s.src, s.t);
        EXPECT_EQ(PixelsOf(s.src), PixelsOf(s.dst)) << "filter " << int(filter);
    }
}

TEST(TransformBitmap, TranslationAndSourceRectangleClip)
{
    Scene s(6, 5, 8, 8);
    auto& [src, dst, t] = s;
    // Edges included: columns 1..3 and rows 1..2.
    t.SetSrcRect(FloatRect(1, 1, 3, 2));
    t.Translate(2, 1);
    Transform(dst, src, t);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x) {
            const bool inside = x >= 3 && x <= 5 && y >= 2 && y <= 3;
            const TColor32 expected = inside ? src.GetPixel(x - 2, y - 1) : kBackground;
            EXPECT_EQ(expected, dst.GetPixel(x, y)) << x << "," << y;
        }
}

TEST(TransformBitmap, NearestEnlargementTakesHalvesDown)
{
    Scene s(3, 1, 7, 1);
    auto& [src, dst, t] = s;
    t.Scale(2, 1);
    Transform(dst, src, t);
    // Destination x lies on source x / 2, exact halves rounding down; destination 6 lies
    // on source 3, beyond the last column.
    const std::vector<int> columns = {0, 0, 1, 1, 2, 2};
    for (int32_t x = 0; x < 6; ++x)
        EXPECT_EQ(src.GetPixel(columns[size_t(x)], 0), dst.GetPixel(x, 0)) << x;
    EXPECT_EQ(kBackground, dst.GetPixel(6, 0));
}

TEST(TransformBitmap, BilinearHalfPixelMixesNeighboursAndFadesAtTheEdge)
{
    TBitmap32 src;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0xFF000000);
    src.SetPixel(1, 0, 0xFF0000FF);
    src.SetOuterColor(0x00000000);
    src.SetStretchFilter(sfLinear);
    TBitmap32 dst;
    FillCanvas(dst, 4, 1);
    TAffineTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 2, 1));
    t.Translate(0.5f, 0);
    Transform(dst, src, t);
    // Destination 1 lies on source 0.5: blue (255 * 128 + 128) >> 8 = 128. Destination 2
    // lies on 1.5, half pixel 1 and half the transparent outside; row 1 of the source is
    // outside too, but its weight is 0.
    EXPECT_EQ(kBackground, dst.GetPixel(0, 0)); // source -0.5 is left of the rectangle
    EXPECT_EQ(0xFF000080u, dst.GetPixel(1, 0));
    // (The two blend families round that half differently: 0x7F or 0x80 per channel.)
    EXPECT_EQ(CombineReg(0x00000000, 0xFF0000FF, 128), dst.GetPixel(2, 0));
    EXPECT_NEAR(0x7F, dst.GetPixel(2, 0) >> 24, 1);
    EXPECT_EQ(dst.GetPixel(2, 0) >> 24, dst.GetPixel(2, 0) & 0xFF);
    EXPECT_EQ(kBackground, dst.GetPixel(3, 0));
}

TEST(TransformBitmap, DrawModes)
{
    TBitmap32 src;
    src.SetSize(2, 1);
    src.SetPixel(0, 0, 0x00123456); // transparent
    src.SetPixel(1, 0, 0xFF00FF00);
    TAffineTransformation t;
    t.SetSrcRect(FloatRect(src.BoundsRect()));

    src.SetDrawMode(dmBlend);
    TBitmap32 blended;
    FillCanvas(blended, 2, 1);
    Transform(blended, src, t);
    EXPECT_EQ(kBackground, blended.GetPixel(0, 0));
    EXPECT_EQ(BlendRegEx(0xFF00FF00, kBackground, 255), blended.GetPixel(1, 0));

    src.SetMasterAlpha(0);
    TBitmap32 hidden;
    FillCanvas(hidden, 2, 1);
    Transform(hidden, src, t);
    EXPECT_EQ(Untouched(2, 1), PixelsOf(hidden));

    // dmCustom without a callback draws opaque.
    src.SetDrawMode(dmCustom);
    TBitmap32 opaque;
    FillCanvas(opaque, 2, 1);
    Transform(opaque, src, t);
    EXPECT_EQ(0x00123456u, opaque.GetPixel(0, 0));

    std::vector<TColor32> masters;
    src.OnPixelCombine = [&](TColor32 F, TColor32& B, TColor32 M) {
        masters.push_back(M);
        B = F ^ 0xFFFFFFFF;
    };
    TBitmap32 custom;
    FillCanvas(custom, 2, 1);
    Transform(custom, src, t);
    EXPECT_EQ((std::vector<TColor32>{0, 0}), masters);
    EXPECT_EQ(0xFFEDCBA9u, custom.GetPixel(0, 0));
    EXPECT_EQ(0x00FF00FFu, custom.GetPixel(1, 0));
}

TEST(TransformBitmap, NothingToDrawIsNoError)
{
    Scene s(4, 4, 4, 4);
    auto& [src, dst, t] = s;
    t.SetSrcRect(FloatRect(2, 2, 2, 4)); // no width
    Transform(dst, src, t);
    EXPECT_EQ(Untouched(4, 4), PixelsOf(dst));

    t.SetSrcRect(FloatRect(0, 0, 4, 4));
    t.Translate(100, 100); // wholly outside the destination
    Transform(dst, src, t);
    EXPECT_EQ(Untouched(4, 4), PixelsOf(dst));

    TBitmap32 empty;
    Transform(empty, src, t);
    Transform(dst, empty, t);
    EXPECT_EQ(Untouched(4, 4), PixelsOf(dst));

    TAffineTransformation flat;
    flat.SetSrcRect(FloatRect(0, 0, 4, 4));
    flat.Scale(1, 0);
    Transform(dst, src, flat);
    EXPECT_EQ(Untouched(4, 4), PixelsOf(dst));
}

TEST(TransformBitmap, AOneColumnDestinationIsDrawn)
{
    Scene s(4, 4, 1, 3);
    auto& [src, dst, t] = s;
    t.Translate(-2, 0);
    Transform(dst, src, t);
    for (int32_t y = 0; y < 3; ++y)
        EXPECT_EQ(src.GetPixel(2, y), dst.GetPixel(0, y));
}

TEST(TransformBitmap, CollinearProjectiveCornersRaiseBeforeDrawing)
{
    Scene s(4, 4, 8, 8);
    TProjectiveTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 4, 4));
    SetCorners(t, {{{0, 0}, {2, 2}, {4, 4}, {6, 6}}});
    EXPECT_THROW(Transform(s.dst, s.src, t), ETransformError);
    EXPECT_EQ(Untouched(8, 8), PixelsOf(s.dst));
}

// The fast loops against the per-pixel reference: random transformations, bitmaps,
// filters and draw modes, from a fixed seed.
TEST(TransformBitmap, FastPathsMatchTheReference)
{
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> unit(-1, 1);
    const TDrawMode modes[] = {dmOpaque, dmBlend, dmCustom};
    int drawn = 0; // comparisons where the transfer changed something
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
        TBitmap32 src;
        src.SetSize(int32_t(random() % 23 + 1), int32_t(random() % 19 + 1));
        FillRandom(src, random());
        src.SetOuterColor(random());
        src.SetStretchFilter(round % 2 ? sfLinear : sfNearest);
        src.SetDrawMode(modes[(round / 2) % 3]);
        src.SetMasterAlpha(random() % 256);
        src.OnPixelCombine = [](TColor32 F, TColor32& B, TColor32 M) { B = (F + B) ^ M; };
        const TFloatRect srcRect{unit(random) * 3, unit(random) * 3, float(src.Width()) + unit(random) * 3,
                                 float(src.Height()) + unit(random) * 3};

        TAffineTransformation affine;
        affine.SetSrcRect(srcRect);
        affine.Rotate(float(src.Width()) / 2, float(src.Height()) / 2, unit(random) * 180);
        affine.Scale(1 + unit(random) * 0.8f, 1 + unit(random) * 0.8f);
        affine.Skew(unit(random) * 0.3f, unit(random) * 0.3f);
        affine.Translate(unit(random) * 10 + 8, unit(random) * 10 + 8);

        TProjectiveTransformation projective;
        projective.SetSrcRect(srcRect);
        SetCorners(projective, {{{unit(random) * 5, unit(random) * 5},
                                 {30 + unit(random) * 5, unit(random) * 5},
                                 {30 + unit(random) * 5, 25 + unit(random) * 5},
                                 {unit(random) * 5, 25 + unit(random) * 5}}});

        for (TTransformation* t : {static_cast<TTransformation*>(&affine), static_cast<TTransformation*>(&projective)}) {
            TBitmap32 fast, reference;
            fast.SetSize(32, 30);
            FillRandom(fast, seed + unsigned(round));
            reference.Assign(&fast);
            const std::vector<TColor32> before = PixelsOf(fast);
            Transform(fast, src, *t);
            drawn += PixelsOf(fast) != before;
            TransformReference(reference, src, *t);
            ASSERT_EQ(PixelsOf(reference), PixelsOf(fast)) << (t == &affine ? "affine" : "projective");
        }
    }
    EXPECT_GT(drawn, 100);
}

// ---- SetBorderTransparent ----

TEST(SetBorderTransparent, ClearsTheAlphaOfTheClippedOutlineOnly)
{
    struct Case {
        int32_t w, h;
        TRect rect;
        TRect outline; // inclusive; empty when nothing changes
    };
    const Case cases[] = {
        {6, 6, {1, 1, 4, 4}, {1, 1, 4, 4}},
        {6, 6, {4, 4, 1, 1}, {1, 1, 4, 4}},       // corners in either order
        {4, 3, {-5, -5, 100, 100}, {0, 0, 3, 2}}, // the bitmap's own outline
        {4, 3, {10, 10, 20, 20}, {0, 0, -1, -1}}, // wholly outside
    };
    for (const Case& c : cases) {
        TBitmap32 b;
        b.SetSize(c.w, c.h);
        b.Clear(0xFF112233);
        int changes = 0;
        b.OnChange = [&](TObject*) { ++changes; };
        SetBorderTransparent(b, c.rect);
        EXPECT_EQ(1, changes);
        const TRect& o = c.outline;
        for (int32_t y = 0; y < c.h; ++y)
            for (int32_t x = 0; x < c.w; ++x) {
                const bool inRect = x >= o.Left && x <= o.Right && y >= o.Top && y <= o.Bottom;
                const bool onOutline = inRect && (x == o.Left || x == o.Right || y == o.Top || y == o.Bottom);
                EXPECT_EQ(onOutline ? 0x00112233u : 0xFF112233u, b.GetPixel(x, y)) << x << "," << y;
            }
    }
    TBitmap32 empty;
    SetBorderTransparent(empty, TRect{0, 0, 5, 5}); // nothing to clip to, no crash
}

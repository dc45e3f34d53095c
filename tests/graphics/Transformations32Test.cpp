// Matrix routines, the affine and projective transformations against hand-worked
// points, Transform's sampling, its fast paths against the plain per-pixel
// reference, and SetBorderTransparent.
#include "graphics/Transformations32.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

namespace {

void ExpectMatrixNear(const TFloatMatrix& expected, const TFloatMatrix& actual)
{
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(expected[i / 3][i % 3], actual[i / 3][i % 3], 1e-5f) << "element [" << i / 3 << "][" << i % 3 << "]";
}

// The point (x, y) carried forward by the matrix.
void ExpectMaps(const TFloatMatrix& m, float x, float y, float wantX, float wantY)
{
    const TVector3f v = VectorTransform(m, {x, y, 1});
    EXPECT_NEAR(wantX, v[0], 1e-5f) << "from " << x << "," << y;
    EXPECT_NEAR(wantY, v[1], 1e-5f) << "from " << x << "," << y;
}

// The source position of destination (x, y), in whole pixels or in 1/256.
TPoint SourceOf(TTransformation& t, int32_t x, int32_t y, bool in256 = false)
{
    TPoint p{-999, -999};
    EXPECT_TRUE(in256 ? t.Transform256(x, y, p.X, p.Y) : t.Transform(x, y, p.X, p.Y)) << "at " << x << "," << y;
    return p;
}

void SetCorners(TProjectiveTransformation& t, std::array<TFloatPoint, 4> c)
{
    t.SetX0(c[0].X), t.SetY0(c[0].Y), t.SetX1(c[1].X), t.SetY1(c[1].Y);
    t.SetX2(c[2].X), t.SetY2(c[2].Y), t.SetX3(c[3].X), t.SetY3(c[3].Y);
}

constexpr TColor32 kBackground = 0xFF0000EE;

// A source whose pixel (x, y) is opaque with red x and green y (where a pixel came from
// can be read off its colour), a destination of the background colour, and an affine
// transformation of the whole source.
struct Scene {
    Scene(int32_t sw, int32_t sh, int32_t dw, int32_t dh) : dst(dw, dh, kBackground)
    {
        src.SetSize(sw, sh);
        for (int32_t y = 0; y < sh; ++y)
            for (int32_t x = 0; x < sw; ++x)
                src.SetPixel(x, y, Color32(uint8_t(x), uint8_t(y), 0));
        t.SetSrcRect(FloatRect(src.BoundsRect()));
    }
    // Each destination pixel is the source pixel at the position Origin gives, or the
    // background where Origin gives none.
    template <typename Origin>
    void ExpectDrawn(Origin&& origin) const
    {
        for (int32_t y = 0; y < dst.Height(); ++y)
            for (int32_t x = 0; x < dst.Width(); ++x) {
                const std::optional<TPoint> o = origin(x, y);
                EXPECT_EQ(o ? src.GetPixel(o->X, o->Y) : kBackground, dst.GetPixel(x, y)) << x << "," << y;
            }
    }
    TBitmap32 src;
    Paper dst;
    TAffineTransformation t;
};

} // namespace

TEST(Matrix, DeterminantAdjointAndInverse)
{
    const TFloatMatrix m = {{{1, 2, 3}, {0, 1, 4}, {5, 6, 0}}};
    EXPECT_FLOAT_EQ(1.0f, Determinant(m));
    const TFloatMatrix inverse = {{{-24, 18, 5}, {20, -15, -4}, {-5, 4, 1}}};
    TFloatMatrix adjoint = m, inverted = m;
    Adjoint(adjoint);
    ExpectMatrixNear(inverse, adjoint); // determinant 1: the adjugate is the inverse
    Invert(inverted);
    ExpectMatrixNear(inverse, inverted);
    ExpectMatrixNear(IdentityMatrix, Mult(m, inverted));
    // A nearly singular matrix (determinant 1e-6) and a zero one invert to the identity.
    TFloatMatrix small = {{{0.01f, 0, 0}, {0, 0.01f, 0}, {0, 0, 0.01f}}}, zero{};
    Invert(small);
    Invert(zero);
    EXPECT_EQ(IdentityMatrix, small);
    EXPECT_EQ(IdentityMatrix, zero);
}

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
    EXPECT_EQ((TPoint{-15 * 256, 4095 * 256}), SourceOf(t, -15, 4095, true));

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
        Paper dst(6, 8, 0);
        Transform(dst, src, squash);
        std::vector<TColor32> expected(48, 0);
        std::copy(src.ScanLine(0), src.ScanLine(0) + 4, expected.begin() + 5 * 6);
        EXPECT_EQ(PixelsOf(dst), expected) << sy;
    }
    // Source positions beyond 32 bits saturate instead of overflowing.
    TAffineTransformation tiny;
    tiny.Scale(1e-9f, 1e-9f);
    ASSERT_TRUE(tiny.Transform(2000000000, -2000000000, x, y));
    EXPECT_EQ((TPoint{INT32_MAX, INT32_MIN}), (TPoint{x, y}));
}

TEST(ProjectiveTransformation, RectanglesScaleAffinelyAndTrapezoidsWithPerspective)
{
    TProjectiveTransformation t;
    t.SetSrcRect(FloatRect(0, 0, 10, 10));
    SetCorners(t, {{{0, 0}, {20, 0}, {20, 20}, {0, 20}}});
    EXPECT_EQ((TPoint{5, 2}), SourceOf(t, 10, 4));
    EXPECT_EQ((TPoint{1280, 512}), SourceOf(t, 10, 4, true));
    EXPECT_EQ((TRect{0, 0, 20, 20}), t.GetTransformedBounds()); // Round(-0.5) = 0, Round(20.5) = 20: halves to even
    // Source (0, 0, 1, 1) onto the trapezoid (0,0) (8,0) (6,8) (2,8). Source (0.5, u) goes
    // to ((4 + 4u) / (1 + u), 16u / (1 + u)): destination (4, 4) is source (0.5, 1/3).
    t.SetSrcRect(FloatRect(0, 0, 1, 1));
    SetCorners(t, {{{0, 0}, {8, 0}, {6, 8}, {2, 8}}});
    EXPECT_EQ((std::vector<TPoint>{{128, 85}, {256, 256}, {0, 256}, {256, 0}}),
              (std::vector<TPoint>{SourceOf(t, 4, 4, true), SourceOf(t, 6, 8, true), SourceOf(t, 2, 8, true),
                                   SourceOf(t, 8, 0, true)}));
    // The sides meet at (4, 16): the horizon y = 16 has no source positions.
    int32_t x = 0, y = 0;
    EXPECT_FALSE(t.Transform(4, 16, x, y));
    EXPECT_FALSE(t.Transform256(0, 16, x, y));
}

TEST(TransformBitmap, HandWorkedNearestMappings)
{
    Scene clipped(6, 5, 8, 8);
    clipped.t.SetSrcRect(FloatRect(1, 1, 3, 2)); // edges included: columns 1..3 and rows 1..2
    clipped.t.Translate(2, 1);
    Transform(clipped.dst, clipped.src, clipped.t);
    clipped.ExpectDrawn([](int32_t x, int32_t y) {
        return x >= 3 && x <= 5 && y >= 2 && y <= 3 ? std::optional(TPoint{x - 2, y - 1}) : std::nullopt;
    });
    // Destination x lies on source x / 2, exact halves rounding down; destination 6 lies
    // on source 3, beyond the last column.
    Scene enlarged(3, 1, 7, 1);
    enlarged.t.Scale(2, 1);
    Transform(enlarged.dst, enlarged.src, enlarged.t);
    enlarged.ExpectDrawn([](int32_t x, int32_t) { return x < 6 ? std::optional(TPoint{x / 2, 0}) : std::nullopt; });
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
            Transform(fast, src, *t);
            drawn += !fast.Equal(reference);
            TransformReference(reference, src, *t);
            ASSERT_EQ(PixelsOf(reference), PixelsOf(fast)) << (t == &affine ? "affine" : "projective");
        }
    }
    EXPECT_GT(drawn, 100);
}

TEST(SetBorderTransparent, ClearsTheAlphaOfTheClippedOutlineOnly)
{
    const struct {
        int32_t w, h;
        TRect rect;
        TRect outline; // inclusive; empty when nothing changes
    } cases[] = {
        {6, 6, {1, 1, 4, 4}, {1, 1, 4, 4}},
        {6, 6, {4, 4, 1, 1}, {1, 1, 4, 4}},       // corners in either order
        {4, 3, {-5, -5, 100, 100}, {0, 0, 3, 2}}, // the bitmap's own outline
        {4, 3, {10, 10, 20, 20}, {0, 0, -1, -1}}, // wholly outside
    };
    for (const auto& c : cases) {
        Paper b(c.w, c.h, 0xFF112233);
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

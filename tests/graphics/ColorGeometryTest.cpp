#include "graphics/Color32.h"
#include "graphics/Geometry32.h"
#include "graphics/GraphicsTestHelpers.h"

TEST(Color32, ConstructionComponentsAndSystemColours)
{
    TPalette32 palette{};
    palette[7] = 0x12345678;
    // The button face (system colour 15) is 0xF0F0F0 here, the window background
    // (5) white; system colours are looked up by their low byte and come out opaque.
    EXPECT_EQ((std::vector<TColor32>{Color32(0x00332211), Color32(0x11, 0x22, 0x33), Color32(0x11, 0x22, 0x33, 0x44),
                                     Gray32(0x80), Gray32(0x80, 0x10), Color32(7, palette), SetAlpha(0x12345678, 300),
                                     SetAlpha(0x12345678, -4), SetAlpha(0x12345678, 0x80), Color32(TColor(0x8000000F)),
                                     Color32(TColor(0xFF000005))}),
              (std::vector<TColor32>{0xFF112233, 0xFF112233, 0x44112233, 0xFF808080, 0x10808080, 0x12345678, 0xFF345678,
                                     0x00345678, 0x80345678, 0xFFF0F0F0, 0xFFFFFFFF}));
    EXPECT_EQ(WinColor(0x80112233), 0x00332211);
    EXPECT_EQ(ArrayOfColor32({1, 2, 3}), (TArrayOfColor32{1, 2, 3}));
    // Intensity of pure red: 255 * 61 >> 8.
    EXPECT_EQ((std::vector<int>{RedComponent(0x40302010), GreenComponent(0x40302010), BlueComponent(0x40302010),
                                AlphaComponent(0x40302010), Intensity(0xFFFFFFFF), Intensity(0x00FF0000)}),
              (std::vector<int>{0x30, 0x20, 0x10, 0x40, 255, 60}));
}

TEST(Color32, HslConversionsAndGammaTable)
{
    EXPECT_EQ((std::vector<TColor32>{HSLtoRGB(0, 0, 0.5f), HSLtoRGB(0, 1, 0.5f), HSLtoRGB(1.0f / 3, 1, 0.5f),
                                     HSLtoRGB(2.0f / 3, 1, 0.25f)}),
              (std::vector<TColor32>{0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFF000080}));
    float H, S, L;
    RGBtoHSL(0xFFFF00FF, H, S, L); // magenta: hue 5/6, reached through a negative hue
    EXPECT_NEAR(H, 5.0 / 6, 1e-6);
    // A round trip through HSL gives the colour back, grey included.
    for (TColor32 c : {0xFF123456u, 0xFFFEDCBAu, 0xFF00FF80u, 0xFF7F7F00u, 0xFF404040u, 0xFF0000FFu}) {
        RGBtoHSL(c, H, S, L);
        EXPECT_EQ(HSLtoRGB(H, S, L), c);
    }
    // Set at start-up with 0.7: 255 * (128 / 255)^0.7 = 157.
    EXPECT_EQ((std::vector<int>{GAMMA_TABLE[0], GAMMA_TABLE[128], GAMMA_TABLE[255]}), (std::vector<int>{0, 157, 255}));
    SetGamma(1.0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(GAMMA_TABLE[i], i);
    SetGamma(0.7);
    EXPECT_EQ(GAMMA_TABLE[128], 157);
}

TEST(Geometry32, FixedPoint)
{
    // Halves round down, also below zero; far values saturate, NaN is 0.
    EXPECT_EQ((std::vector<int32_t>{FixedRound(0x8000), FixedRound(0x8001), FixedRound(-0x8000), FixedCeil(0x10000),
                                    FixedCeil(0x10001), FixedFloor(-1)}),
              (std::vector<int32_t>{0, 1, -1, 1, 2, -1}));
    EXPECT_EQ((std::vector<TFixed>{Fixed(1.5f), Fixed(40000.0f), Fixed(-1e30f), Fixed(NAN), Fixed(int32_t(-2)),
                                   FixedMul(Fixed(int32_t(3)), 0x8000), FixedMul(Fixed(int32_t(-3)), 0x8000),
                                   FixedDiv(Fixed(int32_t(3)), Fixed(int32_t(2)))}),
              (std::vector<TFixed>{0x18000, INT32_MAX, INT32_MIN, 0, -0x20000, 0x18000, -0x18000, 0x18000}));
    EXPECT_EQ(Point(FixedPoint(1.5f, 2.5f)), (TPoint{1, 2})); // fixed halves round down
    EXPECT_EQ(Point(FloatPoint(1.5f, 2.5f)), (TPoint{2, 2}));  // float halves to even
    EXPECT_EQ(FloatPoint(TFixedPoint{0x18000, -0x8000}), (TFloatPoint{1.5f, -0.5f}));
}

TEST(Geometry32, Rectangles)
{
    const TFloatRect r{0.5f, 1.5f, 2.5f, 3.4f};
    // Inside rounding of a rectangle thinner than a pixel collapses onto its left/top.
    EXPECT_EQ((std::vector<TRect>{MakeRect(r, rrClosest), MakeRect(r, rrOutside), MakeRect(r, rrInside),
                                  MakeRect(TFloatRect{0.2f, 0.2f, 0.8f, 0.8f}, rrInside),
                                  MakeRect(TFixedRect{0x8000, 0x18000, 0x28000, 0x30000}, rrClosest)}),
              (std::vector<TRect>{{0, 2, 2, 3}, {0, 1, 3, 4}, {1, 2, 2, 3}, {1, 1, 1, 1}, {0, 2, 2, 3}}));
    // Far edges saturate in every rounding; a NaN edge makes the rectangle empty.
    for (const TRectRounding rounding : {rrClosest, rrOutside, rrInside}) {
        EXPECT_EQ(MakeRect(TFloatRect{-INFINITY, -3e9f, 1e10f, INFINITY}, rounding),
                  (TRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}));
        EXPECT_EQ(MakeRect(TFloatRect{0, NAN, 5, 5}, rounding), TRect{});
    }

    TRect dst{9, 9, 9, 9};
    EXPECT_TRUE(IntersectRect(dst, {0, 0, 10, 10}, {5, 5, 20, 20}));
    EXPECT_EQ(dst, (TRect{5, 5, 10, 10}));
    EXPECT_TRUE(IntersectRect(dst, {0, 0, 10, 10}, {10, 0, 20, 10})); // touching edges count
    EXPECT_EQ(dst, (TRect{10, 0, 10, 10}));
    EXPECT_FALSE(IntersectRect(dst, {0, 0, 10, 10}, {11, 0, 20, 10}));
    EXPECT_EQ(dst, (TRect{0, 0, 0, 0}));
    TFloatRect fdst;
    EXPECT_TRUE(IntersectRectF(fdst, {0, 0, 1.5f, 1}, {1, 0.5f, 3, 3}));
    EXPECT_EQ(fdst, (TFloatRect{1, 0.5f, 1.5f, 1}));

    TRect moved{1, 2, 3, 4};
    InflateRect(moved, 1, 2);
    EXPECT_EQ(moved, (TRect{0, 0, 4, 6}));
    OffsetRect(moved, 5, -1);
    EXPECT_EQ(moved, (TRect{5, -1, 9, 5}));
    InflateRect(moved, INT32_MAX, 0); // edges beyond the 32-bit range saturate
    OffsetRect(moved, INT32_MAX, INT32_MIN);
    EXPECT_EQ(moved, (TRect{5, INT32_MIN, INT32_MAX, INT32_MIN + 5}));
    TFloatRect f{1, 1, 2, 2};
    InflateRectF(f, 0.5f, 0.25f);
    OffsetRectF(f, 1, 1);
    EXPECT_EQ(f, (TFloatRect{1.5f, 1.75f, 3.5f, 3.25f}));
    EXPECT_EQ((std::vector<bool>{IsRectEmpty({0, 0, 0, 5}), IsRectEmpty({0, 0, 1, 1}), IsRectEmptyF({0, 0, 1, -1}),
                                 PtInRect({0, 0, 2, 2}, {1, 1}), PtInRect({0, 0, 2, 2}, {2, 1}),
                                 EqualRect({1, 2, 3, 4}, MakeRect(1, 2, 3, 4))}),
              (std::vector<bool>{true, false, true, true, false, true}));
}

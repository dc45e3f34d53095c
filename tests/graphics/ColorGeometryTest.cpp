#include "graphics/Color32.h"
#include "graphics/Geometry32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Color32, ConstructionAndComponents)
{
    EXPECT_EQ(Color32(0x00332211), 0xFF112233u);
    EXPECT_EQ(Color32(0x11, 0x22, 0x33), 0xFF112233u);
    EXPECT_EQ(Color32(0x11, 0x22, 0x33, 0x44), 0x44112233u);
    EXPECT_EQ(Gray32(0x80), 0xFF808080u);
    EXPECT_EQ(Gray32(0x80, 0x10), 0x10808080u);
    EXPECT_EQ(WinColor(0x80112233), 0x00332211);
    TPalette32 palette{};
    palette[7] = 0x12345678;
    EXPECT_EQ(Color32(7, palette), 0x12345678u);
    EXPECT_EQ(ArrayOfColor32({1, 2, 3}), (TArrayOfColor32{1, 2, 3}));
    EXPECT_EQ(RedComponent(0x40302010), 0x30);
    EXPECT_EQ(GreenComponent(0x40302010), 0x20);
    EXPECT_EQ(BlueComponent(0x40302010), 0x10);
    EXPECT_EQ(AlphaComponent(0x40302010), 0x40);
    EXPECT_EQ(Intensity(0xFFFFFFFF), 255);
    EXPECT_EQ(Intensity(0x00FF0000), 60); // 255 * 61 >> 8
    EXPECT_EQ(SetAlpha(0x12345678, 300), 0xFF345678u);
    EXPECT_EQ(SetAlpha(0x12345678, -4), 0x00345678u);
    EXPECT_EQ(SetAlpha(0x12345678, 0x80), 0x80345678u);
}

TEST(Color32, SystemColoursAreLookedUpByTheirLowByte)
{
    // The button face (index 15) is 0xF0F0F0 here; the result is opaque.
    EXPECT_EQ(Color32(TColor(0x8000000F)), 0xFFF0F0F0u);
    EXPECT_EQ(Color32(TColor(0xFF000005)), 0xFFFFFFFFu); // window background
}

TEST(Color32, HslConversions)
{
    EXPECT_EQ(HSLtoRGB(0, 0, 0.5f), 0xFF808080u);
    EXPECT_EQ(HSLtoRGB(0, 1, 0.5f), 0xFFFF0000u);
    EXPECT_EQ(HSLtoRGB(1.0f / 3, 1, 0.5f), 0xFF00FF00u);
    EXPECT_EQ(HSLtoRGB(2.0f / 3, 1, 0.25f), 0xFF000080u);
    float H, S, L;
    RGBtoHSL(0xFF0000FF, H, S, L);
    EXPECT_NEAR(H, 2.0 / 3, 1e-6);
    EXPECT_FLOAT_EQ(S, 1);
    EXPECT_FLOAT_EQ(L, 0.5f);
    RGBtoHSL(0xFFFF00FF, H, S, L); // magenta: hue 5/6, reached through a negative hue
    EXPECT_NEAR(H, 5.0 / 6, 1e-6);
    RGBtoHSL(0x80404040, H, S, L);
    EXPECT_EQ(H, 0);
    EXPECT_EQ(S, 0);
    // A round trip through HSL gives the colour back.
    for (TColor32 c : {0xFF123456u, 0xFFFEDCBAu, 0xFF00FF80u, 0xFF7F7F00u}) {
        RGBtoHSL(c, H, S, L);
        EXPECT_EQ(HSLtoRGB(H, S, L), c);
    }
}

TEST(Color32, GammaTable)
{
    // Set at start-up with 0.7.
    EXPECT_EQ(GAMMA_TABLE[0], 0);
    EXPECT_EQ(GAMMA_TABLE[255], 255);
    EXPECT_EQ(GAMMA_TABLE[128], uint8_t(std::lround(255 * std::pow(128 / 255.0, 0.7)))); // 157
    EXPECT_EQ(GAMMA_TABLE[128], 157);
    SetGamma(1.0);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(GAMMA_TABLE[i], i);
    SetGamma(0.7);
    EXPECT_EQ(GAMMA_TABLE[128], 157);
}

TEST(Geometry32, FixedPoint)
{
    EXPECT_EQ(FixedRound(0x8000), 0);
    EXPECT_EQ(FixedRound(0x8001), 1);
    EXPECT_EQ(FixedRound(-0x8000), -1); // halves round down, also below zero
    EXPECT_EQ(FixedCeil(0x10000), 1);
    EXPECT_EQ(FixedCeil(0x10001), 2);
    EXPECT_EQ(FixedFloor(-1), -1);
    EXPECT_EQ(Fixed(1.5f), 0x18000);
    EXPECT_EQ((std::vector<TFixed>{Fixed(40000.0f), Fixed(-1e30f), Fixed(NAN)}),
              (std::vector<TFixed>{INT32_MAX, INT32_MIN, 0})); // saturated; NaN 0
    EXPECT_EQ(Fixed(int32_t(-2)), -0x20000);
    EXPECT_EQ(FixedMul(Fixed(int32_t(3)), 0x8000), 0x18000);
    EXPECT_EQ(FixedMul(Fixed(int32_t(-3)), 0x8000), -0x18000);
    EXPECT_EQ(FixedDiv(Fixed(int32_t(3)), Fixed(int32_t(2))), 0x18000);
    EXPECT_EQ(Point(FixedPoint(1.5f, 2.5f)), (TPoint{1, 2})); // fixed halves round down
    EXPECT_EQ(Point(FloatPoint(1.5f, 2.5f)), (TPoint{2, 2}));  // float halves to even
    EXPECT_EQ(FloatPoint(TFixedPoint{0x18000, -0x8000}), (TFloatPoint{1.5f, -0.5f}));
}

TEST(Geometry32, RectangleRounding)
{
    const TFloatRect r{0.5f, 1.5f, 2.5f, 3.4f};
    EXPECT_EQ(MakeRect(r, rrClosest), (TRect{0, 2, 2, 3}));
    EXPECT_EQ(MakeRect(r, rrOutside), (TRect{0, 1, 3, 4}));
    EXPECT_EQ(MakeRect(r, rrInside), (TRect{1, 2, 2, 3}));
    // Inside rounding of a rectangle thinner than a pixel collapses onto its left/top.
    EXPECT_EQ(MakeRect(TFloatRect{0.2f, 0.2f, 0.8f, 0.8f}, rrInside), (TRect{1, 1, 1, 1}));
    EXPECT_EQ(MakeRect(TFixedRect{0x8000, 0x18000, 0x28000, 0x30000}, rrClosest), (TRect{0, 2, 2, 3}));
    // Far edges saturate in every rounding; a NaN edge makes the rectangle empty.
    for (const TRectRounding rounding : {rrClosest, rrOutside, rrInside}) {
        EXPECT_EQ(MakeRect(TFloatRect{-INFINITY, -3e9f, 1e10f, INFINITY}, rounding),
                  (TRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}));
        EXPECT_EQ(MakeRect(TFloatRect{0, NAN, 5, 5}, rounding), TRect{});
    }
}

TEST(Geometry32, RectangleFunctions)
{
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

    TRect r{1, 2, 3, 4};
    InflateRect(r, 1, 2);
    EXPECT_EQ(r, (TRect{0, 0, 4, 6}));
    OffsetRect(r, 5, -1);
    EXPECT_EQ(r, (TRect{5, -1, 9, 5}));
    TFloatRect f{1, 1, 2, 2};
    InflateRectF(f, 0.5f, 0.25f);
    OffsetRectF(f, 1, 1);
    EXPECT_EQ(f, (TFloatRect{1.5f, 1.75f, 3.5f, 3.25f}));
    EXPECT_TRUE(IsRectEmpty({0, 0, 0, 5}));
    EXPECT_FALSE(IsRectEmpty({0, 0, 1, 1}));
    EXPECT_TRUE(IsRectEmptyF({0, 0, 1, -1}));
    EXPECT_TRUE(PtInRect({0, 0, 2, 2}, {1, 1}));
    EXPECT_FALSE(PtInRect({0, 0, 2, 2}, {2, 1}));
    EXPECT_TRUE(EqualRect({1, 2, 3, 4}, MakeRect(1, 2, 3, 4)));
}

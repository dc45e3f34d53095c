#include "graphics/LowLevel32.h"

#include <gtest/gtest.h>

#include <vector>

TEST(LowLevel32, ClampAndConstrain)
{
    EXPECT_EQ(Clamp(300), 255);
    EXPECT_EQ(Clamp(-1), 0);
    EXPECT_EQ(Clamp(77), 77);
    EXPECT_EQ(Constrain(-5, 0, 10), 0);
    EXPECT_EQ(Constrain(15, 0, 10), 10);
    EXPECT_EQ(Constrain(7, 0, 10), 7);
}

TEST(LowLevel32, FillLongwordWritesExactlyCountWords)
{
    std::vector<uint32_t> words(6, 1);
    FillLongword(words.data() + 1, 4, 0xABCDEF01);
    EXPECT_EQ(words, (std::vector<uint32_t>{1, 0xABCDEF01, 0xABCDEF01, 0xABCDEF01, 0xABCDEF01, 1}));
    FillLongword(words.data(), 0, 9);
    FillLongword(words.data(), -3, 9);
    EXPECT_EQ(words[0], 1u);
}

TEST(LowLevel32, MoveLongwordCopiesAndIgnoresCountsBelowOne)
{
    const std::vector<uint32_t> source{1, 2, 3, 4};
    std::vector<uint32_t> dest(4, 0);
    MoveLongword(source.data(), dest.data(), 3);
    EXPECT_EQ(dest, (std::vector<uint32_t>{1, 2, 3, 0}));
    MoveLongword(source.data(), dest.data(), -1);
    MoveLongword(source.data(), dest.data(), 0);
    EXPECT_EQ(dest, (std::vector<uint32_t>{1, 2, 3, 0}));

    // An overlapping move towards lower addresses (a roll) keeps every word.
    std::vector<uint32_t> run{1, 2, 3, 4, 5};
    MoveLongword(run.data() + 1, run.data(), 4);
    EXPECT_EQ(run, (std::vector<uint32_t>{2, 3, 4, 5, 5}));
    std::vector<uint32_t> back{1, 2, 3, 4, 5};
    MoveLongword(back.data(), back.data() + 1, 4);
    EXPECT_EQ(back, (std::vector<uint32_t>{1, 1, 2, 3, 4}));
}

TEST(LowLevel32, SwapTestSwapAndTestClip)
{
    int32_t a = 12, b = 3;
    TestSwap(a, b);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 12);
    Swap(a, b);
    EXPECT_EQ(a, 12);

    a = 12, b = 3;
    EXPECT_TRUE(TestClip(a, b, 10));
    EXPECT_EQ(a, 3);
    EXPECT_EQ(b, 9);

    a = 10, b = 15;
    EXPECT_FALSE(TestClip(a, b, 10));
    a = -4, b = -1;
    EXPECT_FALSE(TestClip(a, b, 10));
    a = -4, b = 0;
    EXPECT_TRUE(TestClip(a, b, 10));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
}

TEST(LowLevel32, ArithmeticShiftsKeepTheSign)
{
    EXPECT_EQ(SAR_4(-16), -1);
    EXPECT_EQ(SAR_8(-1), -1);
    EXPECT_EQ(SAR_9(1024), 2);
    EXPECT_EQ(SAR_12(-4097), -2);
    EXPECT_EQ(SAR_13(8192), 1);
    EXPECT_EQ(SAR_14(-16384), -1);
    EXPECT_EQ(SAR_16(0x7FFFFFFF), 0x7FFF);
}

TEST(LowLevel32, ColorSwapMovesRedAndBlueAndMakesOpaque)
{
    EXPECT_EQ(ColorSwap(0x00332211), 0xFF112233u);
    EXPECT_EQ(ColorSwap(0x000000FF), 0xFFFF0000u);
}

TEST(LowLevel32, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(7, 3, 2), 11);
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);
    EXPECT_EQ(MulDiv(7, -3, -2), 11);
    EXPECT_EQ(MulDiv(10, 1, 4), 3);   // 2.5 -> 3
    EXPECT_EQ(MulDiv(9, 1, 4), 2);    // 2.25 -> 2
    EXPECT_EQ(MulDiv(-9, 1, 4), -2);
    EXPECT_EQ(MulDiv(0, 5, 3), 0);
    // The 64-bit intermediate carries products beyond 32 bits.
    EXPECT_EQ(MulDiv(1 << 20, 1 << 20, 1 << 10), 1 << 30);
}

TEST(LowLevel32, MulDivAnswersMinusOneWhenTheResultDoesNotFit)
{
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 2, 1), -1);
    EXPECT_EQ(MulDiv(1 << 30, 4, 2), -1);            // 2^31 does not fit as a positive value
    EXPECT_EQ(MulDiv(1 << 30, -4, 2), INT32_MIN);    // -2^31 does
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
    // The exact quotient fits but the rounded one does not: (2^31 - 1) + 0.5 rounds to 2^31.
    EXPECT_EQ(MulDiv(65535, 65537, 2), -1); // 2^32 - 1 over 2
    EXPECT_EQ(MulDiv(65535, 65537, 3), 1431655765);
}

struct ClipCase {
    int32_t x1, y1, x2, y2;
    bool visible;
    int32_t ex1, ey1, ex2, ey2; // expected ends when visible
};

class ClipLineCases : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipLineCases, AgainstWindow0To8)
{
    const ClipCase c = GetParam();
    int32_t x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
    EXPECT_EQ(ClipLine(x1, y1, x2, y2, 0, 0, 8, 8), c.visible);
    if (c.visible) {
        EXPECT_EQ(x1, c.ex1);
        EXPECT_EQ(y1, c.ey1);
        EXPECT_EQ(x2, c.ex2);
        EXPECT_EQ(y2, c.ey2);
    }
}

INSTANTIATE_TEST_SUITE_P(LowLevel32, ClipLineCases, testing::Values(
    ClipCase{-10, 5, 10, 5, true, 0, 5, 8, 5},       // horizontal through both sides
    ClipCase{-5, -5, -1, 20, false, 0, 0, 0, 0},     // wholly left
    ClipCase{1, 1, 7, 7, true, 1, 1, 7, 7},          // inside: untouched
    ClipCase{4, -4, 4, 12, true, 4, 0, 4, 8},        // vertical through top and bottom
    ClipCase{-4, 2, 2, -4, false, 0, 0, 0, 0},       // passes the top-left corner outside
    ClipCase{-4, -4, 12, 12, true, 0, 0, 8, 8},      // diagonal through two corners
    ClipCase{0, 8, 8, 8, true, 0, 8, 8, 8},          // along the inclusive bottom edge
    ClipCase{9, 0, 9, 8, false, 0, 0, 0, 0}));       // just right of the window

TEST(LowLevel32, ClipLineLeavesRejectedEndsAlone)
{
    int32_t x1 = -5, y1 = -5, x2 = -1, y2 = 20;
    ClipLine(x1, y1, x2, y2, 0, 0, 8, 8);
    EXPECT_EQ(x1, -5);
    EXPECT_EQ(y2, 20);
}

TEST(LowLevel32, NoThemesOnThisPlatform)
{
    EXPECT_FALSE(USE_THEMES);
    EXPECT_EQ(SCROLLBAR_THEME, nullptr);
    EXPECT_EQ(GLOBALS_THEME, nullptr);
}

#include "graphics/LowLevel32.h"
#include "graphics/GraphicsTestHelpers.h"

TEST(LowLevel32, SmallArithmetic)
{
    // The arithmetic shifts keep the sign.
    EXPECT_EQ((std::vector<int32_t>{Clamp(300), Clamp(-1), Clamp(77), Constrain(-5, 0, 10), Constrain(15, 0, 10),
                                    Constrain(7, 0, 10), SAR_4(-16), SAR_8(-1), SAR_9(1024), SAR_12(-4097), SAR_13(8192),
                                    SAR_14(-16384), SAR_16(0x7FFFFFFF)}),
              (std::vector<int32_t>{255, 0, 77, 0, 10, 7, -1, -1, 2, -2, 1, -1, 0x7FFF}));
    // ColorSwap exchanges red and blue and makes the colour opaque.
    EXPECT_EQ((std::vector<uint32_t>{ColorSwap(0x00332211), ColorSwap(0x000000FF)}),
              (std::vector<uint32_t>{0xFF112233, 0xFFFF0000}));
}

TEST(LowLevel32, FillAndMoveLongwordTouchExactlyCountWordsAndKeepOverlaps)
{
    std::vector<uint32_t> words(6, 1);
    FillLongword(words.data() + 1, 4, 0xABCDEF01);
    EXPECT_EQ(words, (std::vector<uint32_t>{1, 0xABCDEF01, 0xABCDEF01, 0xABCDEF01, 0xABCDEF01, 1}));
    FillLongword(words.data(), 0, 9);
    FillLongword(words.data(), -3, 9);
    EXPECT_EQ(words[0], 1u);

    const std::vector<uint32_t> source{1, 2, 3, 4};
    std::vector<uint32_t> dest(4, 0);
    MoveLongword(source.data(), dest.data(), 3);
    MoveLongword(source.data() + 3, dest.data() + 3, -1);
    MoveLongword(source.data() + 3, dest.data() + 3, 0);
    EXPECT_EQ(dest, (std::vector<uint32_t>{1, 2, 3, 0}));
    // Overlapping moves towards lower addresses (a roll) and towards higher ones.
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
    EXPECT_EQ(a * 100 + b, 312);
    TestSwap(a, b); // already ordered: kept
    EXPECT_EQ(a * 100 + b, 312);
    Swap(a, b);
    EXPECT_EQ(a * 100 + b, 1203);

    struct Case {
        int32_t a, b;
        bool visible;
        int32_t wantA, wantB;
    };
    for (const Case& c : {Case{12, 3, true, 3, 9}, Case{10, 15, false, 0, 0}, Case{-4, -1, false, 0, 0},
                          Case{-4, 0, true, 0, 0}}) {
        a = c.a, b = c.b;
        EXPECT_EQ(TestClip(a, b, 10), c.visible) << c.a << ".." << c.b;
        if (c.visible) {
            EXPECT_EQ(a * 100 + b, c.wantA * 100 + c.wantB) << c.a << ".." << c.b;
        }
    }
}

TEST(LowLevel32, MulDivRoundsHalvesAwayFromZeroAndAnswersMinusOneOnOverflow)
{
    struct Case {
        int32_t a, b, c, want;
    };
    const Case cases[] = {
        {7, 3, 2, 11}, {-7, 3, 2, -11}, {7, -3, -2, 11}, {10, 1, 4, 3}, {9, 1, 4, 2}, {-9, 1, 4, -2}, {0, 5, 3, 0},
        {1 << 20, 1 << 20, 1 << 10, 1 << 30}, // a 64-bit intermediate
        {5, 5, 0, -1},
        {0x7FFFFFFF, 2, 1, -1},
        {1 << 30, 4, 2, -1},        // 2^31 does not fit as a positive value
        {1 << 30, -4, 2, INT32_MIN}, // -2^31 does
        {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
        // The exact quotient fits but the rounded one does not: (2^31 - 1) + 0.5 rounds to 2^31.
        {65535, 65537, 2, -1},
        {65535, 65537, 3, 1431655765},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << " * " << c.b << " / " << c.c;
}

TEST(LowLevel32, ClipLineAgainstWindow0To8)
{
    constexpr int32_t kAny = INT32_MIN; // the ends of a rejected line that are left as they fall
    const struct {
        int32_t x1, y1, x2, y2;
        bool visible;
        int32_t ex1, ey1, ex2, ey2; // the ends afterwards: clipped when visible, untouched when not
    } cases[] = {
        {-10, 5, 10, 5, true, 0, 5, 8, 5},       // horizontal through both sides
        {-5, -5, -1, 20, false, -5, -5, -1, 20}, // wholly left
        {1, 1, 7, 7, true, 1, 1, 7, 7},          // inside: untouched
        {4, -4, 4, 12, true, 4, 0, 4, 8},        // vertical through top and bottom
        {-4, 2, 2, -4, false, kAny, 0, 0, 0},    // passes the top-left corner outside
        {-4, -4, 12, 12, true, 0, 0, 8, 8},      // diagonal through two corners
        {0, 8, 8, 8, true, 0, 8, 8, 8},          // along the inclusive bottom edge
        {9, 0, 9, 8, false, 9, 0, 9, 8},         // just right of the window
    };
    for (const auto& c : cases) {
        int32_t x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        EXPECT_EQ(ClipLine(x1, y1, x2, y2, 0, 0, 8, 8), c.visible) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        if (c.ex1 != kAny) {
            EXPECT_EQ((std::vector<int32_t>{x1, y1, x2, y2}), (std::vector<int32_t>{c.ex1, c.ey1, c.ex2, c.ey2}));
        }
    }
}

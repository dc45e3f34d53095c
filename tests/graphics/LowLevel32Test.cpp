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

#include "graphics/BlendFamilies32.h"
#include "graphics/GraphicsTestHelpers.h"

namespace {

// Scalar references, one channel at a time, written from the two families' formulas.
uint32_t IntegerChannel(uint32_t x, uint32_t y, uint32_t w)
{
    return ((x * w + 128) >> 8) + ((y * (255 - w) + 128) >> 8);
}

uint32_t SimdChannel(uint32_t f, uint32_t b, uint32_t w)
{
    return (b * 256 + (int32_t(f) - int32_t(b)) * int32_t(w) + 128) >> 8;
}

template <typename ChannelMix>
TColor32 MixByChannel(TColor32 F, TColor32 B, uint32_t w, ChannelMix mix)
{
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= mix((F >> shift) & 0xFF, (B >> shift) & 0xFF, w) << shift;
    return result;
}

TColor32 IntegerMix(TColor32 F, TColor32 B, uint32_t w) { return MixByChannel(F, B, w, IntegerChannel); }
TColor32 SimdMix(TColor32 F, TColor32 B, uint32_t w) { return MixByChannel(F, B, w, SimdChannel); }

// The expected results of each operation, short cuts included.
struct Reference {
    TColor32 (*mix)(TColor32, TColor32, uint32_t);
    bool regShortCuts;           // integer CombineReg and BlendReg: weight 0 -> B, 255 -> F (the Mem forms always)
    bool lineExWeightFromAlpha1; // SIMD BlendLineEx: W = ((A + 1) * M) >> 8

    TColor32 Combine(TColor32 F, TColor32 B, uint32_t W, bool shortCuts = true) const
    {
        return shortCuts && W == 0 ? B : (shortCuts && W == 255 ? F : mix(F, B, W));
    }
    TColor32 Blend(TColor32 F, TColor32 B, bool shortCuts = true) const { return Combine(F, B, F >> 24, shortCuts); }
    TColor32 BlendRegEx(TColor32 F, TColor32 B, uint32_t M) const
    {
        const uint32_t W = ((M + 1) * (F >> 24)) >> 8;
        return W == 0 ? B : mix(F, B, W);
    }
    TColor32 BlendLineExPixel(TColor32 F, TColor32 B, uint32_t M) const
    {
        const uint32_t A = F >> 24;
        const uint32_t W = lineExWeightFromAlpha1 ? ((A + 1) * M) >> 8 : ((M + 1) * A) >> 8;
        return (A == 0 || W == 0) ? B : mix(F, B, W);
    }
};

struct Family {
    const char* name;
    const TBlendFamily* ops; // null when the processor lacks the family
    Reference reference;
};

const Family kInteger{"integer", &IntegerBlendFamily, {IntegerMix, true, false}};
const Family kSimd{"simd", SimdBlendFamily(), {SimdMix, false, true}};

// Foreground and background of one (alpha-or-weight, value) pair: each channel gets a
// different relation between F and B so that every lane sees small, large and equal
// differences of both signs over the 256 values.
TColor32 PairForeground(uint32_t alpha, uint32_t v)
{
    return (alpha << 24) | (v << 16) | ((255 - v) << 8) | ((v * 7) & 255);
}
TColor32 PairBackground(uint32_t v)
{
    return (((v * 13 + 5) & 255) << 24) | ((255 - v) << 16) | (v << 8) | (v >> 1);
}

class BlendFamilies : public testing::TestWithParam<Family> {
protected:
    void SetUp() override
    {
        if (GetParam().ops == nullptr)
            GTEST_SKIP() << "no SSE2 on this processor";
    }
};

// Every (weight or alpha, value) pair through the pixel operations, and the Ex forms at
// a spread of master alphas.
TEST_P(BlendFamilies, PixelOperationsExhaustiveOverWeightsAlphasAndValues)
{
    const Family& f = GetParam();
    const Reference& r = f.reference;
    for (uint32_t w = 0; w < 256; ++w)
        for (uint32_t v = 0; v < 256; ++v) {
            const TColor32 C = PairForeground(v, v), F = PairForeground(w, v), B = PairBackground(v);
            TColor32 combined = B, blended = B;
            f.ops->CombineMem(C, combined, w);
            f.ops->BlendMem(F, blended);
            ASSERT_EQ((std::vector{f.ops->CombineReg(C, B, w), combined, f.ops->BlendReg(F, B), blended}),
                      (std::vector{r.Combine(C, B, w, r.regShortCuts), r.Combine(C, B, w), r.Blend(F, B, r.regShortCuts),
                                   r.Blend(F, B)}))
                << "W/A=" << w << " v=" << v;
            for (uint32_t M : {0u, 1u, 64u, 127u, 128u, 200u, 254u, 255u}) {
                TColor32 dst = B;
                f.ops->BlendMemEx(F, dst, M);
                ASSERT_EQ((std::pair{f.ops->BlendRegEx(F, B, M), dst}), (std::pair{r.BlendRegEx(F, B, M), r.BlendRegEx(F, B, M)}))
                    << "M=" << M << " A=" << w << " v=" << v;
            }
        }
}

// One row of all 65536 (alpha, value) pairs, so the vector loops see every combination
// in every position of their blocks.
TEST_P(BlendFamilies, LinesExhaustiveOverAlphasAndValues)
{
    const Family& f = GetParam();
    std::vector<TColor32> src, background;
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t v = 0; v < 256; ++v) {
            src.push_back(PairForeground((a + v) & 255, v));
            background.push_back(PairBackground(v ^ a));
        }
    const int32_t count = int32_t(src.size());

    std::vector<TColor32> dst = background;
    f.ops->BlendLine(src.data(), dst.data(), count);
    for (int32_t i = 0; i < count; ++i)
        ASSERT_EQ(dst[i], f.reference.Blend(src[i], background[i])) << "pixel " << i;

    for (uint32_t M : {0u, 1u, 100u, 254u, 255u}) {
        dst = background;
        f.ops->BlendLineEx(src.data(), dst.data(), count, M);
        for (int32_t i = 0; i < count; ++i)
            ASSERT_EQ(dst[i], f.reference.BlendLineExPixel(src[i], background[i], M)) << "M=" << M << " pixel " << i;
    }
}

// Short rows at every offset reach the tails after the vector blocks; counts below
// one touch nothing.
TEST_P(BlendFamilies, LinesOfEveryShortLengthAndOffset)
{
    const Family& f = GetParam();
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    std::vector<TColor32> src(64), background(64);
    for (size_t i = 0; i < src.size(); ++i) {
        src[i] = random();
        background[i] = random();
    }
    // Runs of 16 transparent and 16 opaque pixels, so whole blocks of four and of sixteen
    // take the skip and copy paths (at offset 8 the runs are whole blocks of sixteen).
    for (size_t i = 8; i < 40; ++i)
        src[i] = i < 24 ? src[i] & 0x00FFFFFFu : src[i] | 0xFF000000u;
    src[46] &= 0x00FFFFFFu;
    for (int32_t offset = 0; offset < 9; ++offset)
        for (int32_t count = -2; count < 44; ++count) {
            std::vector<TColor32> dst = background;
            f.ops->BlendLine(src.data() + offset, dst.data() + offset, count);
            std::vector<TColor32> dstEx = background;
            f.ops->BlendLineEx(src.data() + offset, dstEx.data() + offset, count, 99);
            for (int32_t i = 0; i < 64; ++i) {
                const bool inside = i >= offset && i < offset + count;
                ASSERT_EQ(dst[i], inside ? f.reference.Blend(src[i], background[i]) : background[i])
                    << "seed " << seed << " offset " << offset << " count " << count << " pixel " << i;
                ASSERT_EQ(dstEx[i], inside ? f.reference.BlendLineExPixel(src[i], background[i], 99) : background[i])
                    << "seed " << seed << " offset " << offset << " count " << count << " pixel " << i;
            }
        }
}

INSTANTIATE_TEST_SUITE_P(Blend32, BlendFamilies, testing::Values(kInteger, kSimd),
                         [](const testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

} // namespace

TEST(Blend32, ChannelOperations)
{
    EXPECT_EQ(ColorSub(0x10203040, 0x20202020), 0x00001020u);
    EXPECT_EQ(ColorAdd(0x80808080, 0x80808080), 0xFFFFFFFFu);
    EXPECT_EQ(ColorAdd(0x01020304, 0x10203040), 0x11223344u);
    EXPECT_EQ(ColorModulate(0xFF80FF00, 0x80FF4020), 0x7F7F3F00u);
    EXPECT_EQ(ColorMax(0x10F020E0, 0x20E030D0), 0x20F030E0u);
    EXPECT_EQ(ColorMin(0x10F020E0, 0x20E030D0), 0x10E020D0u);
    EXPECT_EQ(Lighten(0x80F01008, 20), 0x80FF241Cu);
    EXPECT_EQ(Lighten(0x80F01008, -20), 0x80DC0000u);
}

#include "platform/CpuFeatures.h"

#include <gtest/gtest.h>

TEST(CpuFeatures, EveryX86_64ProcessorHasMmxAndSse2)
{
#if defined(__x86_64__)
    const platform::CpuFeatures features = platform::QueryCpuFeatures();
    EXPECT_TRUE(features.mmx);
    EXPECT_TRUE(features.sse2);
#else
    GTEST_SKIP() << "only x86-64 guarantees both";
#endif
}

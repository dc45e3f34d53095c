#include "platform/CpuFeatures.h"

#include <gtest/gtest.h>

#if defined(__x86_64__) // only x86-64 guarantees both
TEST(CpuFeatures, EveryX86_64ProcessorHasMmxAndSse2)
{
    const platform::CpuFeatures features = platform::QueryCpuFeatures();
    EXPECT_TRUE(features.mmx && features.sse2);
}
#endif

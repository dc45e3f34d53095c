#include <deque>

#include "model/MapProject.h"
#include "ui/Income.h"

#include <gtest/gtest.h>

namespace {

// Every draw repeats while it gives the old value, and the chance draws of
// resources 1 and 2 replace the first value when they fall below 20 and 10.
TEST(RollIncome, DrawsUntilEachValueDiffersFromTheOldOne)
{
    CMapProject project;
    CProvince province(project);
    province.ResizeResources(3);
    const int old[] = {3, 3, 1}, rolled[] = {4, 1, 3};
    for (int i = 0; i < 3; ++i)
        province.SetResource(i, old[i]);
    std::deque<int> script = {
        1, 2,           // resource 0: 3 (old, again), then 4
        1, 50, 2, 5, 1, // resource 1: 3 kept (old, again), then 4 replaced by 1
        1, 99, 3, 50,   // resource 2: 1 kept (old, again), then 3
    };
    RollIncome(province, [&script] {
        const int next = script.front();
        script.pop_front();
        return next;
    });
    EXPECT_TRUE(script.empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(province.resources[i], rolled[i]) << i;
    EXPECT_TRUE(project.IsModified());
}

} // namespace

#pragma once
// A bar under test, with hand-driven timers and counts of its change events.
#include "platform/ManualTimerService.h"
#include "platform/Persistent.h"

#include <gtest/gtest.h>

template <class Bar>
struct BarFixture : ::testing::Test {
    BarFixture()
    {
        bar.OnChange = [this](TObject*) { ++changes; };
        bar.OnUserChange = [this](TObject*) { ++userChanges; };
    }

    ManualTimerService timers;
    Bar bar;
    int changes = 0;
    int userChanges = 0;
};

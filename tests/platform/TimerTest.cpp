// Timers: started on the installed service only while enabled with an interval, restarted
// by a new interval, stopped when disabled or destroyed.
#include "platform/ManualTimerService.h"
#include "platform/Timer.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Timer, TicksOnlyWhileEnabledAndRestartsOnANewInterval)
{
    ManualTimerService service;
    int ticks = 0;
    platform::Timer timer([&] { ++ticks; });
    const auto ticksAfter = [&](uint64_t ms) {
        service.Advance(ms);
        return ticks;
    };
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(ticksAfter(5000), 0);
    timer.SetInterval(300);
    timer.SetEnabled(true);
    EXPECT_TRUE(service.IsRunning(timer));
    EXPECT_EQ(ticksAfter(299), 0);
    EXPECT_EQ(ticksAfter(1), 1);
    EXPECT_EQ(ticksAfter(250), 1);
    timer.SetInterval(250); // a new interval counts from now: due at 800, not at 600 or 650
    EXPECT_EQ(ticksAfter(249), 1);
    EXPECT_EQ(ticksAfter(1), 2);
    timer.SetEnabled(false);
    EXPECT_FALSE(service.IsRunning(timer));
    EXPECT_EQ(ticksAfter(1000), 2);
    timer.SetEnabled(true);
    timer.SetInterval(0); // no interval, no ticks
    EXPECT_FALSE(service.IsRunning(timer));
}

TEST(Timer, AHandlerMayDestroyATimerAndDestructionStopsIt)
{
    ManualTimerService service;
    int ticks = 0;
    auto timer = std::make_unique<platform::Timer>(std::function<void()>{});
    platform::Timer stopper([&] {
        ++ticks;
        timer.reset(); // destroyed from another timer's tick
    });
    timer->SetInterval(100);
    timer->SetEnabled(true);
    stopper.SetInterval(50);
    stopper.SetEnabled(true);
    service.Advance(60);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
    service.Advance(100); // the destroyed timer is no longer ticked
    EXPECT_EQ(ticks, 3);
}

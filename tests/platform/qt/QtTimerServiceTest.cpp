// Timers on Qt's event loop: they tick at their interval, and a handler may disable its
// own timer from inside the tick.
#include "platform/Timer.h"
#include "platform/qt/QtTimerService.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

TEST(QtTimerService, TicksUntilTheHandlerStopsItsOwnTimer)
{
    platform::qt::QtTimerService service;
    platform::SetTimerService(&service);
    int ticks = 0;
    platform::Timer timer([&] {
        if (++ticks == 3)
            timer.SetEnabled(false);
    });
    timer.SetInterval(5);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Running());
    QElapsedTimer clock;
    clock.start();
    while (ticks < 3 && clock.elapsed() < 5000)
        QTest::qWait(5);
    EXPECT_FALSE(timer.Running());
    QTest::qWait(30);
    EXPECT_EQ(ticks, 3);
    platform::SetTimerService(nullptr);
}

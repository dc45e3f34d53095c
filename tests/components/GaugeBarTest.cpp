// The gauge bar: Min and Max that never cross, a clamped integer position, the handle's
// size and place, steps, dragging and the wheel.
#include "components/BarFixture.h"
#include "components/RangeBars32.h"

#include <gtest/gtest.h>

using platform::MouseButton;
using platform::Rect;

// A 100 x 16 bar: track 14..84, 70 long; square handle 14 long.
using GaugeBarFixture = BarFixture<TGaugeBar>;

TEST_F(GaugeBarFixture, HandlePlaceAndSize)
{
    EXPECT_EQ(bar.GetHandleRect(), (Rect{14, 0, 28, 14}));
    bar.SetPosition(50); // round(56 x 50 / 100) = 28
    EXPECT_EQ(bar.GetHandleRect(), (Rect{42, 0, 56, 14}));
    bar.SetHandleSize(100); // at most track - 1 = 69
    EXPECT_EQ(bar.GetHandleRect(), (Rect{14, 0, 83, 14})); // round(1 x 50 / 100) = round(0.5) = 0
    bar.SetHandleSize(-3);
    EXPECT_EQ(bar.HandleSize(), 0);
    bar.SetMin(-100); // (50 + 100) / 200 of 56 = 42
    EXPECT_EQ(bar.GetHandleRect(), (Rect{56, 0, 70, 14}));
}

TEST_F(GaugeBarFixture, MinAndMaxNeverCrossAndThePositionFollows)
{
    bar.SetMax(0); // at or below Min 0: Min + 1
    EXPECT_EQ(bar.Max(), 1);
    bar.SetMax(100);
    bar.SetPosition(70);
    bar.SetMin(200);
    EXPECT_EQ(bar.Min(), 99);
    EXPECT_EQ(bar.Position(), 99);
    bar.SetMin(0);
    bar.SetMax(40);
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(changes, 3); // 70, 99, 40
    bar.SetPosition(500);
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(changes, 3);
    bar.SetSmallChange(0);
    bar.SetLargeChange(-5);
    EXPECT_EQ(bar.SmallChange(), 1);
    EXPECT_EQ(bar.LargeChange(), 1);
    // Extreme bounds keep their arithmetic inside range.
    bar.SetMin(INT32_MIN);
    bar.SetMax(INT32_MAX);
    bar.SetPosition(INT32_MAX);
    EXPECT_EQ(bar.GetHandleRect(), (Rect{70, 0, 84, 14}));
}

TEST_F(GaugeBarFixture, ButtonsStepBySmallChangeAndTrackByLargeChange)
{
    bar.SetSmallChange(3);
    bar.SetLargeChange(20);
    bar.HostMouseDown(MouseButton::Left, 0, 91, 6); // the next button
    EXPECT_EQ(bar.Position(), 3);
    timers.Advance(600);
    EXPECT_EQ(bar.Position(), 6);
    bar.HostMouseUp(MouseButton::Left, 0, 91, 6);
    timers.Advance(1000);
    EXPECT_EQ(bar.Position(), 6);
    // The track toward a mouse at client 70: 26, 46, 66, then the handle covers 70.
    bar.HostMouseDown(MouseButton::Left, 0, 71, 6);
    EXPECT_EQ(bar.Position(), 26);
    timers.Advance(600 + 100 * 5);
    EXPECT_EQ(bar.Position(), 86); // handle at 14 + round(56 x 0.86) = 62..76 over 70
    EXPECT_EQ(userChanges, changes);
}

TEST_F(GaugeBarFixture, DragAndWheel)
{
    bar.HostMouseDown(MouseButton::Left, 0, 21, 6); // on the handle at 14..28
    bar.HostMouseMove(platform::shift::Left, 21 + 28, 6);
    EXPECT_EQ(bar.Position(), 50); // 100 x 28 / 56
    bar.HostMouseMove(platform::shift::Left, 21 + 17, 6);
    EXPECT_EQ(bar.Position(), 30); // round(30.36)
    bar.HostMouseUp(MouseButton::Left, 0, 38, 6);
    bar.SetSmallChange(3);
    EXPECT_TRUE(bar.HostMouseWheel(0, 120, {}));
    EXPECT_EQ(bar.Position(), 33);
    EXPECT_TRUE(bar.HostMouseWheel(0, 60, {})); // 3 x 60 div 120 = 1
    EXPECT_EQ(bar.Position(), 34);
    EXPECT_TRUE(bar.HostMouseWheel(0, -240, {}));
    EXPECT_EQ(bar.Position(), 28);
}

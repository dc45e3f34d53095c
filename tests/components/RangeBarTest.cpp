// The range bar: geometry (buttons, track, handle, zones) and the value rules against
// hand-worked numbers; presses on buttons and track repeating on the timer; dragging the
// handle; the wheel. Bars get mouse events in control coordinates: client + 1 with the
// default single border.
#include "components/BarFixture.h"
#include "components/RangeBars32.h"

#include <gtest/gtest.h>

#include <cmath>

using platform::MouseButton;
using platform::Rect;

namespace {

// A default bar: 100 x 16 with a single border, so a 98 x 14 client area, 14-pixel
// buttons and a 70-pixel track from 14 to 84.
struct RangeBarFixture : BarFixture<TRangeBar> {
    // Mouse events at a client point, 5 pixels down the bar.
    void Press(int32_t clientX) { bar.HostMouseDown(MouseButton::Left, 0, clientX + 1, 6); }
    void Move(int32_t clientX) { bar.HostMouseMove(platform::shift::Left, clientX + 1, 6); }
    void Release(int32_t clientX) { bar.HostMouseUp(MouseButton::Left, 0, clientX + 1, 6); }
    int32_t HandleStart() const { return bar.GetHandleRect().Left; }
};

} // namespace

TEST_F(RangeBarFixture, DefaultBarGeometryAndTheShortestHandle)
{
    EXPECT_EQ(bar.ClientArea(), (Rect{0, 0, 98, 14}));
    EXPECT_EQ(bar.GetButtonSize(), 14);
    EXPECT_EQ(bar.GetTrackBoundary(), (Rect{14, 0, 84, 14}));
    bar.SetParams(1000, 100);
    // round(70 x 100 / 1000) = 7 is below 17: the handle is 17 long.
    EXPECT_EQ(bar.GetHandleRect(), (Rect{14, 0, 31, 14}));
    bar.SetPosition(450);
    // round(53 x 450 / 900) = round(26.5) = 26: halves go to even.
    EXPECT_EQ(bar.GetHandleRect(), (Rect{40, 0, 57, 14}));
    bar.SetPosition(900);
    EXPECT_EQ(bar.GetHandleRect(), (Rect{67, 0, 84, 14}));
}

TEST_F(RangeBarFixture, ProportionalHandleAndFullTrackHandle)
{
    bar.SetParams(200, 100);
    bar.SetPosition(50);
    // Length round(70 x 100 / 200) = 35; offset round(70 x 50 / 200) = round(17.5) = 18.
    EXPECT_EQ(bar.GetHandleRect(), (Rect{32, 0, 67, 14}));
    EXPECT_TRUE(bar.DrawEnabled());
    bar.SetParams(100, 100);
    EXPECT_EQ(bar.GetHandleRect(), bar.GetTrackBoundary());
    EXPECT_FALSE(bar.DrawEnabled());
    // A track under 18 pixels has no handle.
    bar.SetParams(1000, 100);
    bar.SetBounds(0, 0, 47, 16); // client 45, track 45 - 28 = 17
    EXPECT_TRUE(bar.GetHandleRect().IsEmpty());
}

TEST_F(RangeBarFixture, ButtonSizeRules)
{
    bar.SetButtonSize(40);
    EXPECT_EQ(bar.GetButtonSize(), 40);
    bar.SetButtonSize(49); // twice 49 reaches the 98-pixel length: length div 2
    EXPECT_EQ(bar.GetButtonSize(), 49);
    bar.SetButtonSize(60);
    EXPECT_EQ(bar.GetButtonSize(), 49);
    bar.SetButtonSize(0);
    bar.SetStyle(rbsMac);
    EXPECT_EQ(bar.GetButtonSize(), 13);
    bar.SetShowArrows(false);
    EXPECT_EQ(bar.GetButtonSize(), 0);
    EXPECT_EQ(bar.GetTrackBoundary(), (Rect{0, 0, 98, 14}));
    bar.SetShowArrows(true);
    bar.SetStyle(rbsDefault);
    bar.SetBounds(0, 0, 4, 16); // client length 2: one pixel, below 2, gives no buttons
    EXPECT_EQ(bar.GetButtonSize(), 0);
    bar.SetBorderStyle(bsNone);
    bar.SetBounds(0, 0, 16, 100);
    bar.SetKind(sbVertical);
    EXPECT_EQ(bar.GetButtonSize(), 16);
    EXPECT_EQ(bar.GetTrackBoundary(), (Rect{0, 16, 16, 84}));
    EXPECT_EQ(bar.GetZoneRect(zBtnNext), (Rect{0, 84, 16, 100}));
}

TEST_F(RangeBarFixture, ZonesOfClientPoints)
{
    bar.SetParams(1000, 100);
    bar.SetPosition(450); // handle 40..57
    EXPECT_EQ(bar.GetZone(5, 5), zBtnPrev);
    EXPECT_EQ(bar.GetZone(90, 5), zBtnNext);
    EXPECT_EQ(bar.GetZone(40, 5), zHandle);
    EXPECT_EQ(bar.GetZone(56, 13), zHandle);
    EXPECT_EQ(bar.GetZone(39, 5), zTrackPrev);
    EXPECT_EQ(bar.GetZone(57, 5), zTrackNext);
    EXPECT_EQ(bar.GetZone(-1, 5), zNone);
    EXPECT_EQ(bar.GetZone(5, 14), zNone);
    EXPECT_EQ(bar.GetZoneRect(zTrackPrev), (Rect{14, 0, 40, 14}));
    EXPECT_EQ(bar.GetZoneRect(zTrackNext), (Rect{57, 0, 84, 14}));
    // Without arrows the first and the last pixel belong to no zone.
    bar.SetShowArrows(false); // handle 40..57 of a 98-pixel track
    EXPECT_EQ(bar.GetZone(0, 5), zNone);
    EXPECT_EQ(bar.GetZone(96, 5), zTrackNext);
    EXPECT_EQ(bar.GetZone(97, 5), zNone);
    // Nothing to scroll: the track parts meet at the track's centre.
    bar.SetShowArrows(true);
    bar.SetParams(50, 100);
    EXPECT_EQ(bar.GetZoneRect(zTrackPrev), (Rect{14, 0, 49, 14}));
    EXPECT_EQ(bar.GetZoneRect(zTrackNext), (Rect{49, 0, 84, 14}));
}

TEST_F(RangeBarFixture, PositionStaysInsideTheRangeAndReportsRealChangesOnly)
{
    bar.SetParams(1000, 100);
    EXPECT_EQ(changes, 0); // SetParams fires nothing
    bar.SetPosition(5000);
    EXPECT_FLOAT_EQ(bar.Position(), 900);
    bar.SetPosition(950);
    bar.SetPosition(-3);
    EXPECT_FLOAT_EQ(bar.Position(), 0);
    bar.SetPosition(std::nanf(""));
    EXPECT_FLOAT_EQ(bar.Position(), 0);
    EXPECT_EQ(changes, 2); // 950 stayed 900
    EXPECT_EQ(userChanges, 0);
    // Negative parameters become 0: nothing to scroll, the bar draws disabled.
    bar.SetParams(-5, -3);
    EXPECT_EQ(bar.Range(), 0);
    EXPECT_EQ(bar.Window(), 0);
    EXPECT_EQ(bar.EffectiveWindow(), 100); // the bar's length
    EXPECT_FALSE(bar.DrawEnabled());
}

TEST_F(RangeBarFixture, CenteredBarKeepsTheCentreThroughNewParamsAndSizes)
{
    bar.SetParams(1000, 100);
    bar.SetPosition(450); // centre (50 + 450) / 1000 = 0.5
    bar.SetCentered(true);
    bar.SetParams(2000, 100);
    EXPECT_FLOAT_EQ(bar.Position(), 950); // 2000 x 0.5 - 50
    bar.SetParams(2000, 0);               // the window becomes the length, 100 still
    EXPECT_FLOAT_EQ(bar.Position(), 950);
    bar.SetBounds(0, 0, 200, 16); // window 200: 2000 x 0.5 - 100
    EXPECT_FLOAT_EQ(bar.Position(), 900);
    EXPECT_EQ(bar.EffectiveWindow(), 200);
    // From nothing to scroll, the centre is the middle.
    bar.SetParams(100, 0);
    bar.SetParams(1000, 0);
    EXPECT_FLOAT_EQ(bar.Position(), 400);

    TRangeBar plain;
    plain.SetParams(1000, 100);
    plain.SetPosition(450);
    plain.SetParams(2000, 100);
    EXPECT_FLOAT_EQ(plain.Position(), 450);
}

TEST_F(RangeBarFixture, HeldButtonStepsAtOnceAfter600MsThenEvery100UntilTheEnd)
{
    bar.SetParams(132, 100); // positions 0..32: four steps of 8
    Press(90);
    EXPECT_EQ(bar.DragZone(), zBtnNext);
    EXPECT_FLOAT_EQ(bar.Position(), 8);
    EXPECT_EQ(userChanges, 1);
    timers.Advance(599);
    EXPECT_FLOAT_EQ(bar.Position(), 8);
    timers.Advance(1);
    EXPECT_FLOAT_EQ(bar.Position(), 16);
    EXPECT_EQ(timers.IntervalOf(bar.RepeatTimer()), 100u);
    timers.Advance(100);
    EXPECT_FLOAT_EQ(bar.Position(), 24);
    timers.Advance(100);
    EXPECT_FLOAT_EQ(bar.Position(), 32);
    // The next step changes nothing: the repetition gives way to hover tracking.
    timers.Advance(100);
    EXPECT_EQ(timers.IntervalOf(bar.RepeatTimer()), 150u);
    EXPECT_EQ(userChanges, 4);
    EXPECT_EQ(changes, 4);
    Release(90);
    EXPECT_EQ(bar.DragZone(), zNone);
    EXPECT_FALSE(bar.MouseCapture());
}

TEST_F(RangeBarFixture, HeldTrackPagesUntilTheHandleReachesTheMouse)
{
    bar.SetParams(1000, 100);
    Press(60);
    EXPECT_EQ(bar.DragZone(), zTrackNext);
    EXPECT_FLOAT_EQ(bar.Position(), 100);
    timers.Advance(600 + 4 * 100);
    // 500 puts the handle at 43..60, 600 at 49..66, over the mouse at 60: paging stops.
    EXPECT_FLOAT_EQ(bar.Position(), 600);
    timers.Advance(1000);
    EXPECT_FLOAT_EQ(bar.Position(), 600);
    // A mouse moved back over the earlier track part does not page this way.
    Release(60);
    Press(20);
    EXPECT_FLOAT_EQ(bar.Position(), 500);
    Move(90);
    timers.Advance(2000);
    EXPECT_FLOAT_EQ(bar.Position(), 500);
}

TEST_F(RangeBarFixture, DraggedShortHandleStaysUnderTheMouse)
{
    bar.SetParams(1000, 100);
    Press(20); // on the handle at 14..31
    EXPECT_EQ(bar.DragZone(), zHandle);
    for (int32_t d = 0; d <= 53; ++d) {
        Move(20 + d);
        ASSERT_EQ(HandleStart(), 14 + d) << "dragged " << d << " pixels";
    }
    EXPECT_FLOAT_EQ(bar.Position(), 900);
    Move(200); // beyond the end
    EXPECT_FLOAT_EQ(bar.Position(), 900);
    Move(10);
    EXPECT_FLOAT_EQ(bar.Position(), 0);
    EXPECT_GT(userChanges, 50);
    EXPECT_EQ(userChanges, changes);
    Release(10);
}

TEST_F(RangeBarFixture, DraggedLongHandleMovesByRangeOverTrack)
{
    bar.SetParams(200, 100);
    Press(20); // handle 14..49
    Move(34);  // 14 pixels of 70: 200 x 14 / 70 = 40
    EXPECT_FLOAT_EQ(bar.Position(), 40);
    EXPECT_EQ(HandleStart(), 28);
}

TEST_F(RangeBarFixture, PressesDoNothingWithNothingToScroll)
{
    bar.SetParams(100, 100);
    Press(90);
    EXPECT_EQ(bar.DragZone(), zNone);
    timers.Advance(1000);
    EXPECT_EQ(changes, 0);
}

TEST_F(RangeBarFixture, WheelMovesByIncrementUnlessAHandlerTookIt)
{
    bar.SetParams(1000, 100);
    EXPECT_TRUE(bar.HostMouseWheel(0, 120, {}));
    EXPECT_FLOAT_EQ(bar.Position(), 8);
    EXPECT_TRUE(bar.HostMouseWheel(0, 60, {}));
    EXPECT_FLOAT_EQ(bar.Position(), 12);
    EXPECT_EQ(userChanges, 2);
    bar.OnMouseWheel = [](TObject*, platform::ShiftState, int32_t, platform::Point, bool& handled) { handled = true; };
    EXPECT_TRUE(bar.HostMouseWheel(0, 120, {}));
    EXPECT_FLOAT_EQ(bar.Position(), 12);
}

TEST_F(RangeBarFixture, HoverSetsTheHotZoneAndLeavingStopsTracking)
{
    bar.SetParams(1000, 100);
    bar.HostMouseMove(0, 6, 6);
    EXPECT_EQ(bar.HotZone(), zBtnPrev);
    EXPECT_TRUE(timers.IsRunning(bar.RepeatTimer()));
    EXPECT_EQ(timers.IntervalOf(bar.RepeatTimer()), 150u);
    bar.HostMouseLeave();
    EXPECT_EQ(bar.HotZone(), zNone);
    EXPECT_FALSE(timers.IsRunning(bar.RepeatTimer()));
    // A disabled-looking bar tracks no hover.
    bar.SetParams(10, 100);
    bar.HostMouseMove(0, 6, 6);
    EXPECT_EQ(bar.HotZone(), zNone);
}

TEST(ArrowBarAccess, WritesBothBarsAndReadsTheMaster)
{
    TRangeBar master, slave;
    TArrowBarAccess access(&master, &slave);
    access.SetButtonSize(12);
    access.SetStyle(rbsMac);
    access.SetHandleColor(0x123456);
    access.SetColor(0xABCDEF);
    EXPECT_EQ(slave.ButtonSize(), 12);
    EXPECT_EQ(slave.Style(), rbsMac);
    EXPECT_EQ(slave.HandleColor(), 0x123456);
    EXPECT_EQ(slave.Color(), 0xABCDEFu);
    slave.SetShowArrows(false);
    EXPECT_TRUE(access.ShowArrows());

    TRangeBar other;
    TArrowBarAccess copy(&other, nullptr);
    copy.Assign(&access);
    EXPECT_EQ(other.ButtonSize(), 12);
    EXPECT_EQ(other.Style(), rbsMac);
    EXPECT_EQ(other.Color(), 0xABCDEFu);
}

// The range and gauge bars: geometry and value rules against hand-worked numbers, presses
// repeating on the timer, dragging, the wheel and hover, and what they paint. A default bar
// is 100 x 16 with a single border: a 98 x 14 client area, 14-pixel buttons and a 70-pixel
// track from 14 to 84. Mouse events come in control coordinates, client + 1.
#include "components/PixelChecks.h"
#include "components/RangeBars32.h"
#include "platform/ManualTimerService.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using platform::MouseButton;
using platform::Rect;

namespace {

template <class Bar>
struct BarFixture : ::testing::Test {
    BarFixture()
    {
        bar.OnChange = [this](TObject*) { ++changes; };
        bar.OnUserChange = [this](TObject*) { ++userChanges; };
    }
    // Mouse events at a client x, 5 pixels down the bar.
    void Press(int32_t x) { bar.HostMouseDown(MouseButton::Left, 0, x + 1, 6); }
    void Move(int32_t x) { bar.HostMouseMove(platform::shift::Left, x + 1, 6); }
    void Release(int32_t x) { bar.HostMouseUp(MouseButton::Left, 0, x + 1, 6); }
    ManualTimerService timers;
    Bar bar;
    int changes = 0, userChanges = 0;
};
using RangeBarFixture = BarFixture<TRangeBar>;
using GaugeBarFixture = BarFixture<TGaugeBar>; // a square handle 14 long

} // namespace

TEST_F(RangeBarFixture, HandleZonesAndButtonsFollowRangeWindowPositionAndSize)
{
    using Case = std::tuple<float, float, float, Rect, bool>; // range, window, position; the handle, whether enabled
    for (const auto& [range, window, position, handle, enabled] :
         {Case{1000, 100, 0, {14, 0, 31, 14}, true}, // round(70 x 100 / 1000) = 7 is below 17: 17 long
          {200, 100, 50, {32, 0, 67, 14}, true},     // length round(70 x 100 / 200) = 35, offset round(17.5) = 18
          {100, 100, 0, {14, 0, 84, 14}, false},     // nothing to scroll: the whole track
          {1000, 100, 900, {67, 0, 84, 14}, true},
          {1000, 100, 450, {40, 0, 57, 14}, true}}) { // round(53 x 450 / 900) = round(26.5) = 26: halves to even
        bar.SetParams(range, window);
        bar.SetPosition(position);
        EXPECT_EQ(std::pair(bar.GetHandleRect(), bar.DrawEnabled()), std::pair(handle, enabled))
            << range << " " << position;
    }
    // Zones around that handle; without arrows the first and last pixel are no zone's.
    using Zone = std::tuple<bool, int32_t, int32_t, TRBZone>; // arrows shown, x, y, zone
    for (const auto& [arrows, x, y, zone] :
         {Zone{true, 5, 5, zBtnPrev}, {true, 90, 5, zBtnNext}, {true, 40, 5, zHandle}, {true, 56, 13, zHandle},
          {true, 39, 5, zTrackPrev}, {true, 57, 5, zTrackNext}, {true, -1, 5, zNone}, {true, 5, 14, zNone},
          {false, 0, 5, zNone}, {false, 96, 5, zTrackNext}, {false, 97, 5, zNone}}) {
        bar.SetShowArrows(arrows);
        EXPECT_EQ(bar.GetZone(x, y), zone) << arrows << " " << x << ", " << y;
    }
    EXPECT_EQ(bar.GetTrackBoundary(), (Rect{0, 0, 98, 14}));
    bar.SetShowArrows(true);
    const auto trackParts = [this] { return std::pair(bar.GetZoneRect(zTrackPrev), bar.GetZoneRect(zTrackNext)); };
    EXPECT_EQ(trackParts(), std::pair(Rect{14, 0, 40, 14}, Rect{57, 0, 84, 14}));
    bar.SetParams(50, 100); // nothing to scroll: the track parts meet at the track's centre
    EXPECT_EQ(trackParts(), std::pair(Rect{14, 0, 49, 14}, Rect{49, 0, 84, 14}));
    // Buttons at most half the client, 13 long in the Mac style.
    bar.SetButtonSize(60);
    EXPECT_EQ(bar.GetButtonSize(), 49);
    bar.SetButtonSize(0);
    bar.SetStyle(rbsMac);
    EXPECT_EQ(bar.GetButtonSize(), 13);
    bar.SetStyle(rbsDefault);
    bar.SetParams(1000, 100);
    bar.SetBounds(0, 0, 47, 16); // client 45, track 45 - 28 = 17: under 18 pixels, no handle
    EXPECT_TRUE(bar.GetHandleRect().IsEmpty());
    bar.SetBounds(0, 0, 4, 16); // client length 2: one pixel, below 2, gives no buttons
    EXPECT_EQ(bar.GetButtonSize(), 0);
    bar.SetBorderStyle(bsNone);
    bar.SetBounds(0, 0, 16, 100);
    bar.SetKind(sbVertical);
    EXPECT_EQ(bar.GetZoneRect(zBtnNext), (Rect{0, 84, 16, 100}));
}

TEST_F(RangeBarFixture, PositionStaysInsideTheRangeAndReportsRealChangesOnly)
{
    bar.SetParams(1000, 100);
    EXPECT_EQ(changes, 0); // SetParams fires nothing
    for (const auto& [asked, kept] : {std::pair{5000.0f, 900.0f}, {950, 900}, {-3, 0}, {std::nanf(""), 0}}) {
        bar.SetPosition(asked);
        EXPECT_FLOAT_EQ(bar.Position(), kept) << asked;
    }
    EXPECT_EQ(std::pair(changes, userChanges), std::pair(2, 0));
    bar.SetParams(-5, -3); // negative parameters become 0: nothing to scroll, the window the bar's length
    EXPECT_EQ(std::tuple(bar.Range(), bar.Window(), bar.EffectiveWindow(), bar.DrawEnabled()),
              std::tuple(0, 0, 100, false));
}

TEST_F(RangeBarFixture, HeldButtonAndTrackStepAtOnceAfter600MsThenEvery100UntilTheEnd)
{
    bar.SetParams(132, 100); // positions 0..32: four steps of 8
    Press(90);
    EXPECT_EQ(std::pair(bar.DragZone(), userChanges), std::pair(zBtnNext, 1));
    for (const auto& [ms, position] : {std::pair{0, 8}, {599, 8}, {1, 16}, {100, 24}, {100, 32}}) {
        timers.Advance(ms);
        EXPECT_FLOAT_EQ(bar.Position(), position) << ms;
    }
    EXPECT_EQ(timers.IntervalOf(bar.RepeatTimer()), 100u);
    timers.Advance(100); // the next step changes nothing: the repetition gives way to hover tracking
    EXPECT_EQ(std::tuple(timers.IntervalOf(bar.RepeatTimer()), changes, userChanges), std::tuple(150u, 4, 4));
    Release(90);
    EXPECT_EQ(std::pair(bar.DragZone(), bar.MouseCapture()), std::pair(zNone, false));
    // The track pages until the handle reaches the mouse: 500 puts it at 43..60, 600 at 49..66.
    bar.SetParams(1000, 100);
    bar.SetPosition(0);
    Press(60);
    EXPECT_EQ(std::pair(bar.DragZone(), bar.Position()), std::pair(zTrackNext, 100.0f));
    timers.Advance(2000);
    EXPECT_FLOAT_EQ(bar.Position(), 600);
    Release(60);
    Press(20);
    Move(90); // over the later track part: no paging that way
    timers.Advance(2000);
    EXPECT_FLOAT_EQ(bar.Position(), 500);
}

TEST_F(RangeBarFixture, HoverWheelAndPressesWithNothingToScroll)
{
    bar.SetParams(1000, 100);
    bar.HostMouseMove(0, 6, 6);
    EXPECT_EQ(std::tuple(bar.HotZone(), timers.IsRunning(bar.RepeatTimer()), timers.IntervalOf(bar.RepeatTimer())),
              std::tuple(zBtnPrev, true, 150u));
    bar.HostMouseLeave();
    EXPECT_EQ(std::pair(bar.HotZone(), timers.IsRunning(bar.RepeatTimer())), std::pair(zNone, false));
    // The wheel moves by the increment, unless a handler took it.
    for (const auto& [delta, position] : {std::pair{120, 8}, {60, 12}}) {
        EXPECT_TRUE(bar.HostMouseWheel(0, delta, {}));
        EXPECT_FLOAT_EQ(bar.Position(), position) << delta;
    }
    EXPECT_EQ(userChanges, 2);
    bar.OnMouseWheel = [](TObject*, platform::ShiftState, int32_t, platform::Point, bool& handled) { handled = true; };
    EXPECT_TRUE(bar.HostMouseWheel(0, 120, {}));
    EXPECT_FLOAT_EQ(bar.Position(), 12);
    bar.SetParams(100, 100);
    const int before = changes;
    Press(90);
    EXPECT_EQ(bar.DragZone(), zNone);
    timers.Advance(1000);
    bar.HostMouseMove(0, 6, 6);
    EXPECT_EQ(std::pair(bar.HotZone(), changes), std::pair(zNone, before));
}

TEST(ArrowBarAccess, WritesBothBarsAndReadsTheMaster)
{
    TRangeBar master, slave, other;
    TArrowBarAccess access(&master, &slave), copy(&other, nullptr);
    access.SetButtonSize(12);
    access.SetStyle(rbsMac);
    access.SetHandleColor(0x123456);
    access.SetColor(0xABCDEF);
    slave.SetShowArrows(false);
    EXPECT_TRUE(access.ShowArrows());
    copy.Assign(&access);
    for (const TRangeBar* b : {&slave, &other})
        EXPECT_EQ(std::tuple(b->ButtonSize(), b->Style(), b->Color()), std::tuple(12, rbsMac, 0xABCDEFu));
    EXPECT_EQ(slave.HandleColor(), 0x123456);
}

TEST_F(GaugeBarFixture, HandlePlaceSizeAndLimitsWithMinAndMaxNeverCrossing)
{
    EXPECT_EQ(bar.GetHandleRect(), (Rect{14, 0, 28, 14}));
    bar.SetPosition(50); // round(56 x 50 / 100) = 28
    EXPECT_EQ(bar.GetHandleRect(), (Rect{42, 0, 56, 14}));
    bar.SetHandleSize(100); // at most track - 1 = 69; round(1 x 50 / 100) = round(0.5) = 0
    EXPECT_EQ(bar.GetHandleRect(), (Rect{14, 0, 83, 14}));
    bar.SetHandleSize(-3);
    EXPECT_EQ(bar.HandleSize(), 0);
    bar.SetMin(-100); // (50 + 100) / 200 of 56 = 42
    EXPECT_EQ(bar.GetHandleRect(), (Rect{56, 0, 70, 14}));
    bar.SetMin(INT32_MIN); // extreme bounds keep their arithmetic inside range
    bar.SetMax(INT32_MAX);
    bar.SetPosition(INT32_MAX);
    EXPECT_EQ(bar.GetHandleRect(), (Rect{70, 0, 84, 14}));
    bar.SetMin(0);
    bar.SetMax(0); // at or below Min 0: Min + 1
    EXPECT_EQ(std::pair(bar.Max(), bar.Position()), std::pair(1, 1));
    bar.SetMax(100);
    changes = 0;
    bar.SetPosition(70);
    bar.SetMin(200);
    EXPECT_EQ(std::pair(bar.Min(), bar.Position()), std::pair(99, 99));
    bar.SetMin(0);
    bar.SetMax(40);
    bar.SetPosition(500);
    EXPECT_EQ(std::pair(bar.Position(), changes), std::pair(40, 3)); // changes: 70, 99, 40
    bar.SetSmallChange(0);
    bar.SetLargeChange(-5);
    EXPECT_EQ(std::pair(bar.SmallChange(), bar.LargeChange()), std::pair(1, 1));
}

TEST_F(GaugeBarFixture, ButtonsStepTrackPagesDragAndWheel)
{
    bar.SetSmallChange(3);
    bar.SetLargeChange(20);
    Press(90); // the next button
    EXPECT_EQ(bar.Position(), 3);
    timers.Advance(600);
    Release(90);
    timers.Advance(1000);
    EXPECT_EQ(bar.Position(), 6);
    Press(70); // the track toward the mouse: 26, 46, 66, then the handle covers 70
    EXPECT_EQ(bar.Position(), 26);
    timers.Advance(600 + 100 * 5);
    EXPECT_EQ(std::pair(bar.Position(), userChanges), std::pair(86, changes)); // handle 14 + round(56 x 0.86) = 62..76
    Release(70);
    bar.SetPosition(0);
    Press(20); // on the handle at 14..28: 100 x 28 / 56, then round(30.36)
    for (const auto& [x, position] : {std::pair{48, 50}, {37, 30}}) {
        Move(x);
        EXPECT_EQ(bar.Position(), position) << x;
    }
    Release(37);
    for (const auto& [delta, position] : {std::pair{120, 33}, {60, 34}, {-240, 28}}) { // 3 x 60 div 120 = 1
        EXPECT_TRUE(bar.HostMouseWheel(0, delta, {}));
        EXPECT_EQ(bar.Position(), position) << delta;
    }
}

TEST(ArrowBarPaint, MacStyleFramesAndHandleShades)
{
    TGaugeBar bar;
    bar.SetBorderStyle(bsNone); // client = control, 100 x 16
    bar.SetStyle(rbsMac);       // buttons 15 long
    bar.SetHandleColor(0x00808080);
    bar.SetBorderColor(0x00000000);
    bar.SetPosition(50);
    PixelCanvas canvas(100, 16);
    bar.HostPaint(canvas);
    EXPECT_NE(canvas.At(14, 8), 0u); // the first button is framed on all sides but its right one
    // The handle, 16 long at 15 + round(54 x 0.5) = 42: the frame, then light 0x989898 (grey +
    // 24) above and left and Blend(black, grey, 96) = 0x4F4F4F below and right; grip ridges at
    // -2 and +1 of the centre 50 (and -5, +4), light then dark.
    const uint32_t light = 0x989898, dark = 0x4F4F4F;
    ExpectPixels(canvas, {{0, 8, 0},      {7, 0, 0},      {7, 15, 0},     {42, 8, 0},     {57, 8, 0},
                          {43, 8, light}, {56, 8, dark},  {47, 8, 0x808080}, {48, 8, light}, {49, 8, dark},
                          {51, 8, light}, {52, 8, dark},  {50, 8, 0x808080}});
}

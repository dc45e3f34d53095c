// The drop-down calendar: month buttons, their captions, and the pop-up's closing rules.
#include "inspector/rmScreenCalendar.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TDateTime Date(int32_t y, int32_t m, int32_t d)
{
    return EncodeDate(y, m, d);
}

void ClickButton(TrmScreenCalendar& cal, const TrmSpeedButton& button, ShiftState shift)
{
    const int32_t x = button.Left() + 5, y = button.Top() + 5;
    cal.HostMouseMove(shift, x, y);
    cal.HostMouseDown(MouseButton::Left, shift | shift::Left, x, y);
    cal.HostMouseUp(MouseButton::Left, shift, x, y);
}

} // namespace

TEST(ScreenCalendar, ButtonsNameTheNeighbouringMonthsAcrossYearEnds)
{
    struct Case {
        TDateTime date;
        ShiftState shift;
        const char* prev;
        const char* next;
    };
    const Case cases[] = {
        {Date(2024, 1, 10), shift::None, "December 2023", "February 2024"},
        {Date(2023, 12, 10), shift::None, "November 2023", "January 2024"},
        {Date(2023, 6, 10), shift::None, "May 2023", "July 2023"},
        {Date(2023, 6, 10), shift::Ctrl, "June 2022", "June 2024"},
    };
    TrmScreenCalendar cal;
    for (const Case& c : cases) {
        cal.SetSelectedDate(c.date);
        cal.UpdateBtns(c.shift);
        EXPECT_EQ(cal.PrevButton().Caption(), c.prev);
        EXPECT_EQ(cal.NextButton().Caption(), c.next);
    }
}

TEST(ScreenCalendar, ButtonsSitInTheBottomBarAndStepMonthsOrYears)
{
    TrmScreenCalendar cal;
    cal.SetBounds(0, 0, 205, 178);
    const Rect panel = cal.PanelRect();
    EXPECT_EQ(panel.Height(), 20);
    EXPECT_EQ(cal.Grid().BoundsRect().Bottom, panel.Top);
    EXPECT_EQ(cal.PrevButton().BoundsRect(), (Rect{panel.Left + 2, panel.Top + 2, panel.Left + 92, panel.Top + 18}));
    EXPECT_EQ(cal.NextButton().Left(), panel.Right - 92);

    cal.SetSelectedDate(Date(2024, 1, 31));
    cal.Show(cal.BoundsRect());
    ClickButton(cal, cal.NextButton(), shift::None);
    EXPECT_EQ(cal.WorkingDate(), Date(2024, 2, 29));
    EXPECT_EQ(cal.NextButton().Caption(), "March 2024");
    ClickButton(cal, cal.PrevButton(), shift::Ctrl);
    EXPECT_EQ(cal.WorkingDate(), Date(2023, 2, 28));
    EXPECT_EQ(cal.PrevButton().Caption(), "February 2022");
    EXPECT_EQ(cal.SelectedDate(), Date(2024, 1, 31)); // the buttons only browse
}

TEST(ScreenCalendar, CapturesTheMouseOutsideAndClosesOnAPressThereOrEscape)
{
    TrmScreenCalendar cal;
    Control owner;
    cal.SetOwnerControl(&owner);
    EXPECT_FALSE(cal.Visible());
    cal.Show(cal.BoundsRect());
    EXPECT_TRUE(cal.Visible());
    EXPECT_TRUE(cal.MouseCapture());
    cal.HostMouseMove(shift::None, 50, 50);
    EXPECT_FALSE(cal.MouseCapture());
    cal.HostMouseLeave();
    EXPECT_TRUE(cal.MouseCapture());
    cal.HostMouseMove(shift::None, cal.NextButton().Left() + 5, cal.NextButton().Top() + 5); // the bar is inside too
    EXPECT_FALSE(cal.MouseCapture());
    cal.HostMouseLeave();
    cal.HostMouseDown(MouseButton::Left, shift::Left, -5, 40);
    EXPECT_FALSE(cal.Visible());
    EXPECT_FALSE(cal.MouseCapture());

    cal.Show(cal.BoundsRect());
    KeyCode escape = key::Escape;
    cal.HostKeyDown(escape, shift::None);
    EXPECT_FALSE(cal.Visible());
    EXPECT_EQ(escape, key::None);
    EXPECT_TRUE(owner.Focused());
}

// The date editor: its text, its settings and the drop-down calendar driven by keys.
#include "inspector/rmComboCalendar.h"
#include "graphics/ControlTestHelpers.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TDateTime Date(int32_t y, int32_t m, int32_t d)
{
    return EncodeDate(y, m, d);
}

void Press(Control& control, KeyCode key, ShiftState shift = shift::None)
{
    control.HostKeyDown(key, shift);
    control.HostKeyUp(key, shift);
}

} // namespace

TEST(ComboCalendar, ShowsItsWholeDayDateInTheFormat)
{
    TrmComboCalendar combo;
    EXPECT_EQ(combo.SelectedDate(), Today());
    EXPECT_TRUE(combo.ReadOnly());
    EXPECT_EQ(combo.GetButton(1)->Caption(), "6");
    EXPECT_EQ(combo.GetButton(1)->Font().Family, "Marlett");
    combo.SetDate(Date(2024, 3, 5) + 0.6);
    EXPECT_EQ(combo.SelectedDate(), Date(2024, 3, 5));
    EXPECT_EQ(combo.Text(), "03/05/2024");
    combo.SetDateFormat("d mmmm yyyy");
    EXPECT_EQ(combo.Text(), "5 March 2024");
    combo.SetDateFormat("");
    EXPECT_EQ(combo.DateFormat(), "mm/dd/yyyy");
    EXPECT_EQ(combo.Text(), "03/05/2024");

    EXPECT_EQ(combo.DropDownWidth(), 180);
    combo.SetDropDownWidth(150);
    EXPECT_EQ(combo.DropDownWidth(), 180);
    combo.SetDropDownWidth(220);
    EXPECT_EQ(combo.DropDownWidth(), 220);
}

TEST(ComboCalendar, KeysDropTheCalendarDownAndPickADay)
{
    TrmComboCalendar combo;
    combo.SetBounds(10, 20, 120, 21);
    combo.SetDate(Date(2023, 10, 10));
    combo.SetFocus();
    TrmScreenCalendar& calendar = combo.GetCalendar();

    Press(combo, KeyCode(key::F1 + 3));
    ASSERT_TRUE(calendar.Visible());
    EXPECT_EQ(calendar.SelectedDate(), Date(2023, 10, 10));
    EXPECT_EQ(calendar.Width(), 180);
    EXPECT_EQ(calendar.Top(), 21); // below the edit (without a window its corner is (0, 0))

    NullCanvas canvas;
    calendar.HostPaint(canvas); // the focused cell shows
    Press(combo, key::Down);    // a week on
    Press(combo, key::Right, shift::Ctrl);
    EXPECT_EQ(calendar.WorkingDate(), Date(2023, 11, 17));
    EXPECT_EQ(combo.SelectedDate(), Date(2023, 10, 10));
    char32_t enter = U'\r';
    combo.HostKeyPress(enter);
    EXPECT_FALSE(calendar.Visible());
    EXPECT_EQ(combo.SelectedDate(), Date(2023, 11, 17));
    EXPECT_EQ(combo.Text(), "11/17/2023");
    EXPECT_TRUE(combo.Focused());

    // Escape closes without picking; Alt+Down opens; leaving the edit closes.
    Press(combo, key::Down, shift::Alt);
    ASSERT_TRUE(calendar.Visible());
    Press(combo, key::Escape);
    EXPECT_FALSE(calendar.Visible());
    EXPECT_EQ(combo.SelectedDate(), Date(2023, 11, 17));
    Press(combo, key::Down, shift::Alt);
    combo.HostFocusChanged(false);
    EXPECT_FALSE(calendar.Visible());
}

TEST(ComboCalendar, CalendarOpensAboveAsSoonAsItWouldReachTheDesktopBottom)
{
    TrmComboCalendar combo;
    combo.SetBounds(10, 20, 120, 21);
    FakeHost host(combo);
    TrmScreenCalendar& calendar = combo.GetCalendar();
    const int32_t height = calendar.Height();
    ASSERT_GT(height, 0);
    // Below the edit the calendar spans 21..21 + height.
    struct Case {
        int32_t desktopBottom, top;
    };
    for (const Case& c : {Case{21 + height, -height}, {22 + height, 21}}) {
        host.desktop = {0, 0, 800, c.desktopBottom};
        combo.ToggleCalendar();
        EXPECT_EQ(calendar.BoundsRect(), (Rect{0, c.top, 180, c.top + height})) << c.desktopBottom;
        combo.ToggleCalendar();
    }
}

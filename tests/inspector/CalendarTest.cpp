// The month calendar without a display: hand-worked month layouts, ranges, keys and fonts;
// the drop-down calendar's closing rules, and the date editor around it.
#include "inspector/rmCalendar.h"
#include "inspector/rmComboCalendar.h"
#include "inspector/rmScreenCalendar.h"

#include "ControlInput.h"
#include "ExpectMessage.h"
#include "RecordingCanvas.h"
#include "graphics/SystemColorNames.h"
#include "inspector/rmLibraryCalendar.h"
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

using namespace platform;

namespace {

const auto Date = [](int32_t y, int32_t m, int32_t d) { return EncodeDate(y, m, d); };

// The texts of one grid row as the calendar paints them (the caption is text 0).
std::vector<std::string> PaintedRow(TrmCustomCalendar& cal, int32_t row)
{
    RecordingCanvas canvas;
    cal.HostPaint(canvas);
    std::vector<std::string> texts;
    for (int32_t col = 0; col < 7; ++col)
        texts.push_back(canvas.texts.at(size_t(1 + row * 7 + col)).Chars);
    return texts;
}

} // namespace

TEST(Calendar, PaintsDayNamesAndNeighbouringMonthsDays)
{
    TrmCalendar cal;
    cal.SetWorkingDate(Date(2024, 3, 15));
    EXPECT_EQ(PaintedRow(cal, 0), (std::vector<std::string>{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
    // March 2024 begins on a Friday, after a February of 29 days; it ends on Sunday the 31st.
    EXPECT_EQ(PaintedRow(cal, 1), (std::vector<std::string>{"25", "26", "27", "28", "29", "1", "2"}));
    EXPECT_EQ(PaintedRow(cal, 6), (std::vector<std::string>{"31", "1", "2", "3", "4", "5", "6"}));
    cal.SetWorkingDate(Date(2023, 3, 15));
    EXPECT_EQ(PaintedRow(cal, 1), (std::vector<std::string>{"26", "27", "28", "1", "2", "3", "4"}));
    cal.SetWorkingDate(Date(2024, 1, 15)); // December before January
    EXPECT_EQ(PaintedRow(cal, 1), (std::vector<std::string>{"31", "1", "2", "3", "4", "5", "6"}));
    // October 2022 begins on a Saturday: six weeks. A century is no leap year, a fourth one is.
    cal.SetWorkingDate(Date(2022, 10, 1));
    EXPECT_EQ(PaintedRow(cal, 6), (std::vector<std::string>{"30", "31", "1", "2", "3", "4", "5"}));
    for (const auto& [year, days] : {std::pair{1900, 28}, {2000, 29}, {2023, 28}}) {
        cal.SetWorkingDate(Date(year, 2, 1));
        EXPECT_EQ(std::pair(cal.DisplayedMonthLength(), cal.Caption()),
                  std::pair(days, "February " + std::to_string(year)));
        int32_t row, col, day;
        cal.GetRowColInfo(Date(year, 2, days), row, col);
        EXPECT_TRUE(cal.ValidateDOW(row, col, day) && day == days);
        EXPECT_FALSE(cal.ValidateDOW(row + (col + 1) / 7, (col + 1) % 7, day)); // the 1st of March is no day
    }
}

TEST(Calendar, CellSizesShareTheLeftOverPixels)
{
    TrmCalendar cal;
    cal.SetBounds(0, 0, 208, 158); // a 204-pixel grid inside the two-pixel border
    ASSERT_EQ(cal.Grid().Width(), 204);
    int32_t heights = 0;
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(cal.Grid().ColWidth(i), i == 0 ? 30 : 29);
        heights += cal.Grid().RowHeight(i);
    }
    EXPECT_EQ(heights, cal.Grid().Height());
    cal.SetGridLines(true);
    EXPECT_EQ(cal.Grid().ColWidth(0), 29);
    EXPECT_TRUE(TrmCustomCalendar::GoodCalendarSize(203));
    EXPECT_FALSE(TrmCustomCalendar::GoodCalendarSize(204));
}

TEST(Calendar, BevelsDrawOutsideAndInsideTheBorderWidthAndShrinkTheGrid)
{
    TrmCalendar cal;
    cal.SetBounds(0, 0, 208, 158);
    const CanvasColor face = cal.Color(), light = CanvasColorOf(clBtnHighlight), dark = CanvasColorOf(clBtnShadow);
    // The outer bevel's top-left and bottom-right pixels, the inner's top-left, the grid's left.
    for (const auto& [outer, inner, pixels, gridLeft] :
         {std::tuple{bvNone, bvNone, std::array{face, face, face}, 2},
          {bvRaised, bvNone, std::array{light, dark, face}, 3},
          {bvLowered, bvRaised, std::array{dark, light, light}, 4},
          {bvSpace, bvLowered, std::array{face, face, dark}, 4}}) {
        cal.SetBevelOuter(outer);
        cal.SetBevelInner(inner);
        PixelCanvas canvas(208, 158);
        cal.HostPaint(canvas);
        EXPECT_EQ((std::array{canvas.At(1, 1), canvas.At(206, 156), canvas.At(3, 3)}), pixels) << int(outer);
        EXPECT_EQ(std::pair(cal.Grid().Left(), cal.Grid().Width()), std::pair(gridLeft, 208 - 2 * gridLeft));
    }
    cal.SetBevelInner(bvNone); // the single frame by default; none gives its pixel to the grid
    for (const auto& [style, frame, gridLeft] : {std::tuple{bsSingle, dark, 3}, {bsNone, face, 2}}) {
        cal.SetBorderStyle(style);
        PixelCanvas canvas(208, 158);
        cal.HostPaint(canvas);
        const auto shown = std::tuple(canvas.At(0, 0), canvas.At(207, 157), cal.Grid().Left());
        EXPECT_EQ(shown, std::tuple(frame, frame, gridLeft));
    }
}

TEST(Calendar, DateRangeBoundsOnlyWhenSwitchedOnAndHatchesTheDaysOutside)
{
    TrmCalendar cal;
    cal.SetSelectedDate(Date(2023, 10, 10));
    cal.SetMinDate(Date(2023, 10, 15));
    cal.SetMaxDate(Date(2023, 10, 20) + 0.5);
    EXPECT_EQ(cal.SelectedDate(), Date(2023, 10, 10)); // off: not limited
    ExpectThrowWithMessage<Exception>([&] { cal.SetMinDate(Date(2023, 10, 20)); },
                                      "MinDate value can't be greater than or equal to the MaxDate value");
    ExpectThrowWithMessage<Exception>([&] { cal.SetMaxDate(Date(2023, 10, 14)); },
                                      "MaxDate value can't be less than or equal to the MinDate value");
    EXPECT_EQ(std::pair(cal.MinDate(), cal.MaxDate()), std::pair(Date(2023, 10, 15), Date(2023, 10, 20)));
    cal.SetUseDateRanges(true);
    EXPECT_EQ(cal.SelectedDate(), Date(2023, 10, 15));
    cal.SetSelectedDate(Date(2024, 1, 1));
    EXPECT_EQ(cal.SelectedDate(), Date(2023, 10, 20));
    cal.SetMaxDate(Date(2023, 10, 18));
    EXPECT_EQ(cal.SelectedDate(), Date(2023, 10, 18));
    int32_t day, row, col;
    cal.GetRowColInfo(Date(2023, 10, 14), row, col);
    EXPECT_FALSE(cal.ValidateDOW(row, col, day));
    EXPECT_EQ(day, 14);
    cal.GetRowColInfo(Date(2023, 10, 16), row, col);
    EXPECT_TRUE(cal.ValidateDOW(row, col, day));
    cal.SetUseDateRanges(false); // switched on with a day in the range, the day stays
    cal.SetSelectedDate(Date(2023, 10, 16));
    cal.SetUseDateRanges(true);
    EXPECT_EQ(cal.SelectedDate(), Date(2023, 10, 16));
    struct LineCanvas : RecordingCanvas {
        std::vector<Rect> lines;
        void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, CanvasColor) override
        {
            lines.push_back({x1, y1, x2, y2});
        }
    } canvas;
    cal.HostPaint(canvas);
    ASSERT_FALSE(canvas.lines.empty());
    const Rect grid = cal.Grid().BoundsRect();
    for (const Rect& line : canvas.lines) { // at 45 degrees, both ends inside the grid
        EXPECT_EQ(std::abs(line.Right - line.Left), std::abs(line.Bottom - line.Top));
        EXPECT_TRUE(grid.Contains(line.Left, line.Top) && grid.Contains(line.Right, line.Bottom));
    }
}

TEST(Calendar, ArrowKeysMoveTheWorkingDate)
{
    const std::tuple<TDateTime, KeyCode, ShiftState, TDateTime> cases[] = {
        {Date(2023, 10, 8), key::Left, shift::None, Date(2023, 10, 7)},    // column 0 back to Saturday
        {Date(2023, 10, 1), key::Left, shift::None, Date(2023, 10, 1)},    // not before the 1st
        {Date(2023, 10, 7), key::Right, shift::None, Date(2023, 10, 8)},   // column 6 on to Sunday
        {Date(2023, 10, 31), key::Right, shift::None, Date(2023, 10, 31)}, // not past the month
        {Date(2023, 10, 10), key::Left, shift::None, Date(2023, 10, 9)},
        {Date(2023, 10, 3), key::Up, shift::None, Date(2023, 10, 3)}, // the day names are no day
        {Date(2023, 10, 3), key::Down, shift::None, Date(2023, 10, 10)},
        {Date(2023, 10, 31), key::Down, shift::None, Date(2023, 10, 31)},
        {Date(2023, 10, 31), key::Right, shift::Ctrl, Date(2023, 11, 30)},
        {Date(2023, 10, 31), key::Left, shift::Ctrl, Date(2023, 9, 30)},
        {Date(2024, 2, 29), key::Down, shift::Ctrl, Date(2025, 2, 28)},
        {Date(2024, 2, 29), key::Up, shift::Ctrl, Date(2023, 2, 28)},
    };
    TrmCalendar cal;
    for (auto [from, key, shift, expected] : cases) {
        cal.SetWorkingDate(from);
        cal.HostKeyDown(key, shift);
        EXPECT_EQ(cal.WorkingDate(), expected) << FormatDate("yyyy-mm-dd", from) << " shift " << shift;
        int32_t row, col;
        cal.GetRowColInfo(cal.WorkingDate(), row, col);
        EXPECT_EQ(std::pair(cal.Grid().Row(), cal.Grid().Col()), std::pair(row, col));
    }
}

TEST(Calendar, CurrentDateValueColoursAndFont)
{
    TrmCalendar cal;
    int32_t y, m, d;
    DecodeDate(Today(), y, m, d);
    EXPECT_EQ(std::pair(cal.CurrentDateValue(cdvYear), cal.CurrentDateValue(cdvMonth)), std::pair(y, m));
    ExpectThrowWithMessage<Exception>([&] { cal.CurrentDateValue(TCurrentDateValue(7)); }, "Unknown parameter");
    TrmCalendarColors source;
    source.SetTodayTextColor(0x123456);
    cal.SetCalendarColors(source);
    EXPECT_EQ(cal.CalendarColors().TodayTextColor(), 0x123456);
    FontSpec font;
    font.PointSize = 10;
    const int32_t gridTop = cal.Grid().Top();
    cal.SetCalendarFont(font);
    EXPECT_EQ(cal.Grid().Font(), font);
    EXPECT_EQ(cal.CaptionFont().PointSize, 14);
    EXPECT_TRUE(cal.CaptionFont().Bold);
    EXPECT_GT(cal.Grid().Top(), gridTop); // the taller caption pushes the grid down
}

TEST(ScreenCalendar, CapturesTheMouseOutsideAndClosesOnAPressThereOrEscape)
{
    TrmScreenCalendar cal;
    Control owner;
    cal.SetOwnerControl(&owner);
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
    EXPECT_FALSE(cal.Visible() || cal.MouseCapture());
    cal.Show(cal.BoundsRect());
    KeyCode escape = key::Escape;
    cal.HostKeyDown(escape, shift::None);
    EXPECT_FALSE(cal.Visible());
    EXPECT_EQ(escape, key::None);
    EXPECT_TRUE(owner.Focused());
}

TEST(ScreenCalendar, MonthButtonsNameTheMonthsAroundAndNoneBeyondTheYears)
{
    TrmScreenCalendar cal;
    // Working date and shift state, then what the previous and next buttons read ("": disabled).
    const std::tuple<TDateTime, ShiftState, std::string, std::string> cases[] = {
        {Date(2024, 1, 15), shift::None, "December 2023", "February 2024"},
        {Date(2024, 12, 15), shift::None, "November 2024", "January 2025"},
        {Date(2024, 5, 1), shift::Ctrl, "May 2023", "May 2025"},
        {Date(9999, 12, 31), shift::None, "November 9999", ""},
        {Date(9999, 3, 1), shift::Ctrl, "March 9998", ""},
        {Date(1, 1, 1), shift::None, "", "February 1"},
    };
    for (const auto& [date, state, previous, next] : cases) {
        cal.SetWorkingDate(date);
        cal.UpdateBtns(state);
        EXPECT_EQ(std::tuple(cal.PrevButton().Caption(), cal.PrevButton().Enabled(), cal.NextButton().Caption(),
                             cal.NextButton().Enabled()),
                  std::tuple(previous, !previous.empty(), next, !next.empty()));
    }
}

TEST(ComboCalendar, KeysDropTheCalendarDownAndPickADay)
{
    TrmComboCalendar combo;
    combo.SetBounds(10, 20, 120, 21);
    combo.SetDate(Date(2023, 10, 10) + 0.6); // kept as the whole day
    combo.SetDropDownWidth(150);               // narrower than the calendar: refused
    combo.SetFocus();
    TrmScreenCalendar& calendar = combo.GetCalendar();
    PressKey(combo, KeyCode(key::F1 + 3), shift::None, true);
    ASSERT_TRUE(calendar.Visible());
    EXPECT_EQ(calendar.SelectedDate(), Date(2023, 10, 10));
    EXPECT_EQ(calendar.BoundsRect(), (Rect{0, 21, 180, 21 + calendar.Height()})); // below the edit
    NullCanvas canvas;
    calendar.HostPaint(canvas); // the focused cell shows
    PressKey(combo, key::Down, shift::None, true); // a week on
    PressKey(combo, key::Right, shift::Ctrl, true);
    EXPECT_EQ(calendar.WorkingDate(), Date(2023, 11, 17));
    EXPECT_EQ(combo.SelectedDate(), Date(2023, 10, 10));
    char32_t enter = U'\r';
    combo.HostKeyPress(enter);
    EXPECT_FALSE(calendar.Visible());
    EXPECT_EQ(combo.SelectedDate(), Date(2023, 11, 17));
    combo.SetDateFormat("d mmmm yyyy");
    EXPECT_EQ(combo.Text(), "17 November 2023");
    combo.SetDateFormat(""); // the default again
    EXPECT_EQ(combo.Text(), "11/17/2023");
    EXPECT_TRUE(combo.Focused());
    // Escape closes without picking; Alt+Down opens; leaving the edit closes.
    PressKey(combo, key::Down, shift::Alt, true);
    ASSERT_TRUE(calendar.Visible());
    PressKey(combo, key::Escape, shift::None, true);
    EXPECT_FALSE(calendar.Visible());
    EXPECT_EQ(combo.SelectedDate(), Date(2023, 11, 17));
    PressKey(combo, key::Down, shift::Alt, true);
    combo.HostFocusChanged(false);
    EXPECT_FALSE(calendar.Visible());
}

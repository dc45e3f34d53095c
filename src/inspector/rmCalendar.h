#pragma once
// A month calendar: a bold caption with the month and year above a 7 x 7 grid whose first
// row names the days (Sunday to Saturday) and whose other six rows hold the weeks of the
// displayed month, with the neighbouring months' days greyed in the free cells. The
// working date is the day the grid's current cell shows; the selected date is the one the
// user picked (double click or Enter). Optionally a date range limits both.
#include "graphics/Color32.h"
#include "inspector/BorderStyle.h"
#include "inspector/DrawGrid.h"
#include "inspector/rmFrames.h"
#include "platform/ChildControls.h"
#include "platform/Control.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <functional>
#include <string>

enum TCurrentDateValue : uint8_t { cdvYear, cdvMonth, cdvDay };

using TPaintCellEvent = std::function<void(TObject* Sender, int32_t ARow, int32_t ACol, const platform::Rect& Rect,
                                           TGridDrawState State, TDateTime Date)>;

class TrmCustomCalendar;

// The calendar's nine colours. Each setter stores a changed colour and repaints the calendar.
class TrmCalendarColors : public TPersistent {
public:
    // The defaults; Calendar (may be null) is repainted on every change.
    explicit TrmCalendarColors(TrmCustomCalendar* Calendar = nullptr);
    const char* ClassName() const override { return "TrmCalendarColors"; }

    TColor WeekendTextColor() const { return FWeekendTextColor; }
    void SetWeekendTextColor(TColor Value) { Store(FWeekendTextColor, Value); }
    TColor WeekdayBackgroundColor() const { return FWeekdayBackgroundColor; }
    void SetWeekdayBackgroundColor(TColor Value) { Store(FWeekdayBackgroundColor, Value); }
    // The day-name colours paint the caption too.
    TColor DayNamesBackgroundColor() const { return FDayNamesBackgroundColor; }
    void SetDayNamesBackgroundColor(TColor Value) { Store(FDayNamesBackgroundColor, Value); }
    TColor WeekdayTextColor() const { return FWeekdayTextColor; }
    void SetWeekdayTextColor(TColor Value) { Store(FWeekdayTextColor, Value); }
    TColor TodayTextColor() const { return FTodayTextColor; }
    void SetTodayTextColor(TColor Value) { Store(FTodayTextColor, Value); }
    TColor WeekendBackgroundColor() const { return FWeekendBackgroundColor; }
    void SetWeekendBackgroundColor(TColor Value) { Store(FWeekendBackgroundColor, Value); }
    TColor DayNamesTextColor() const { return FDayNamesTextColor; }
    void SetDayNamesTextColor(TColor Value) { Store(FDayNamesTextColor, Value); }
    TColor OtherMonthDayBackgroundColor() const { return FOtherMonthDayBackgroundColor; }
    void SetOtherMonthDayBackgroundColor(TColor Value) { Store(FOtherMonthDayBackgroundColor, Value); }
    TColor OtherMonthDayTextColor() const { return FOtherMonthDayTextColor; }
    void SetOtherMonthDayTextColor(TColor Value) { Store(FOtherMonthDayTextColor, Value); }

    // From another TrmCalendarColors: all nine colours, then a repaint.
    void Assign(const TPersistent* Source) override;

private:
    void Store(TColor& Field, TColor Value);
    void Changed();

    TrmCustomCalendar* FCalendar;
    TColor FWeekendTextColor;
    TColor FWeekdayBackgroundColor;
    TColor FDayNamesBackgroundColor;
    TColor FWeekdayTextColor;
    TColor FTodayTextColor;
    TColor FWeekendBackgroundColor;
    TColor FDayNamesTextColor;
    TColor FOtherMonthDayBackgroundColor;
    TColor FOtherMonthDayTextColor;
};

class TrmCustomCalendar : public platform::Control {
public:
    // 205 x 158; today is selected, the range runs from a year before today to a year after.
    TrmCustomCalendar();
    ~TrmCustomCalendar() override;
    const char* ClassName() const override { return "TrmCustomCalendar"; }

    TDateTime SelectedDate() const { return FSelectedDate; }
    // The date (whole days, moved into the range when UseDateRanges) becomes selected and
    // working and is shown; OnWorkingDateChange fires when the working date changed, then
    // OnSelectedDateChange.
    void SetSelectedDate(TDateTime Value);
    TDateTime WorkingDate() const { return FWorkingDate; }
    // The date (whole days, moved into the range when UseDateRanges) is shown with its cell
    // current; OnWorkingDateChange fires.
    void SetWorkingDate(TDateTime Value);

    TDateTime MinDate() const { return FMinDate; }
    // Raises Exception unless MinDate < MaxDate (whole days); see UseDateRanges.
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    // When on, MinDate and MaxDate bound the selected and working dates.
    bool UseDateRanges() const { return FUseDateRanges; }
    void SetUseDateRanges(bool Value);

    bool ShowWeekends() const { return FShowWeekends; }
    void setShowWeekends(bool Value);
    // Today's day is bold when on (in TodayTextColor either way).
    bool BoldSystemDate() const { return FBoldSystemDate; }
    void SetBoldSystemDate(bool Value);
    bool ShowGridLines() const { return FShowGridLines; }
    void SetGridLines(bool Value);
    // A single one-pixel frame round the panel (the default), or none, which gives its
    // pixels to the caption and grid.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // The panel's bevels, outside and inside its one-pixel border width (none by default);
    // each but bvNone takes a pixel from the caption and grid.
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);

    const platform::FontSpec& CalendarFont() const { return FCalendarFont; }
    // The grid's font; the caption shows it 4 points larger and bold.
    void SetCalendarFont(const platform::FontSpec& Value);
    const platform::FontSpec& CaptionFont() const { return FCaptionFont; }
    const TrmCalendarColors& CalendarColors() const { return FCalendarColors; }
    TrmCalendarColors& CalendarColors() { return FCalendarColors; }
    void SetCalendarColors(const TrmCalendarColors& Value) { FCalendarColors.Assign(&Value); }

    void NextMonth();
    void PrevMonth();
    void NextYear();
    void PrevYear();

    // Today's year, month or day.
    int32_t CurrentDateValue(TCurrentDateValue Which) const;
    // The date cut to whole days (and to the years 1 to 9999), and with UseDateRanges
    // moved into the range.
    TDateTime CheckDateRange(TDateTime Value) const;
    // The grid cell that shows Date in Date's own month.
    void GetRowColInfo(TDateTime Date, int32_t& Row, int32_t& Col) const;
    // The day of the displayed month that cell (Row, Col) stands for (below 1 and past the
    // month's end in the neighbouring months' cells); true when it is a day of the month
    // (and in the range when UseDateRanges).
    bool ValidateDOW(int32_t Row, int32_t Col, int32_t& Day) const;
    // Encodes the date with Day cut to the month's length.
    static TDateTime MyEncodeDate(int32_t Year, int32_t Month, int32_t Day);
    static bool GoodCalendarSize(int32_t Size) { return Size % 7 == 0; }
    // The date cut to whole days and to the years 1 to 9999; raises EConvertError for a
    // value that is not a number.
    static TDateTime WholeDay(TDateTime Value);

    // What the calendar shows now.
    int32_t DisplayedYear() const { return FYear; }
    int32_t DisplayedMonth() const { return FMonth; }
    int32_t DisplayedDay() const { return FDay; }
    int32_t DisplayedMonthLength() const { return FMonthLength; }
    // 1 = Sunday .. 7 = Saturday.
    int32_t FirstDayOfWeek() const { return FFirstDOW; }
    const std::string& Caption() const { return FCaption; }
    const TDrawGrid& Grid() const { return FGrid; }
    TDrawGrid& Grid() { return FGrid; }
    // The canvas the current cell is painted on; set only while a cell paints (OnPaintCell).
    platform::Canvas* GetCellCanvas() const { return FGrid.CellCanvas(); }

    bool WantsArrowKeys() const override { return true; }

    TNotifyEvent OnWorkingDateChange;
    TNotifyEvent OnSelectedDateChange;
    TPaintCellEvent OnPaintCell;

protected:
    // The grid's double click: the working date becomes selected once the grid has shown a
    // focused cell.
    virtual void CalendarDblClick(TObject* Sender);
    // Enter in the grid does what a double click does.
    virtual void CalendarGridKeyPress(TObject* Sender, char32_t& Key);
    // Ctrl+arrows step months and years; Left and Right wrap across the weeks' ends.
    virtual void CalendarKeyMovement(TObject* Sender, platform::KeyCode& Key, platform::ShiftState Shift);

    // The border, the caption and the grid.
    void Paint(platform::Canvas& Canvas) override;
    void Resize() override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;
    void DoExit() override;

    // The area the caption and grid fill: the client area inside the border; subclasses
    // that add parts of their own below shrink it.
    virtual platform::Rect ContentRect() const;
    // Places the caption and the grid in ContentRect and sizes the cells.
    void LayoutParts();
    // Parts a subclass adds outside ContentRect paint and take the mouse as the grid
    // does. Borrowed: each must be removed again before it dies.
    void AddPart(platform::Control& Part) { FChildren.Add(Part); }
    void RemovePart(platform::Control& Part) { FChildren.Remove(Part); }

private:
    friend class TrmCalendarColors;

    // Shows the month of the working date: displayed fields, caption, current cell.
    void ShowWorkingMonth();
    void StepMonths(int32_t Months);
    void SetCellSizes();
    void DrawDayCell(int32_t ACol, int32_t ARow, const platform::Rect& Rect, TGridDrawState State);
    bool SelectDayCell(int32_t ACol, int32_t ARow);
    void SelectWorkingDate();
    // Stores a changed frame or bevel, lays the parts out again and repaints.
    template <class T>
    void SetFrame(T& Field, T Value);
    int32_t FrameWidth() const { return FBorderStyle == bsSingle ? 1 : 0; }

    TDrawGrid FGrid{7, 7};
    platform::ChildControls FChildren{*this};
    std::string FCaption;
    platform::FontSpec FCaptionFont;
    platform::Rect FCaptionRect;
    uint16_t FYear = 0;
    uint16_t FMonth = 0;
    uint16_t FDay = 0;
    int32_t FFirstDOW = 1;
    int32_t FMonthLength = 0;
    bool FShowWeekends = true;
    bool FHasFocusedCell = false;
    bool FBoldSystemDate = true;
    bool FUseDateRanges = false;
    bool FShowGridLines = false;
    TBorderStyle FBorderStyle = bsSingle;
    TBevelCut FBevelOuter = bvNone;
    TBevelCut FBevelInner = bvNone;
    TDateTime FSelectedDate = 0;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    TDateTime FWorkingDate = 0;
    platform::FontSpec FCalendarFont;
    TrmCalendarColors FCalendarColors{this};
};

class TrmCalendar : public TrmCustomCalendar {
public:
    const char* ClassName() const override { return "TrmCalendar"; }
};

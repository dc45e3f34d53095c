#include "inspector/rmCalendar.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmLibraryCalendar.h"

#include <algorithm>
#include <cmath>
#include <string>

using namespace platform;

namespace {

constexpr TColor clTeal = 0x808000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor kWeekendBackground = 0xE1E1E1;

// The panel's border width, between its bevels.
constexpr int32_t kBorderWidth = 1;
constexpr int32_t kDaysPerWeek = 7;
constexpr int32_t kDefaultRangeDays = 365;

bool IsWeekendColumn(int32_t Col)
{
    return Col == 0 || Col == kDaysPerWeek - 1;
}

// The height of one line of text in `Font`: about six fifths of its pixel size with the
// usual fonts.
int32_t LineHeight(const FontSpec& Font)
{
    return (FontPixelSize(Font.PointSize) * 6 + 4) / 5;
}

// A diagonal cross hatch: one-pixel lines along x + y and x - y at every multiple of 8,
// counted from the canvas origin so that neighbouring cells join up.
void FillDiagonalCross(Canvas& Canvas, const Rect& Area, CanvasColor Color)
{
    constexpr int32_t kStep = 8;
    if (Area.IsEmpty())
        return;
    const int32_t right = Area.Right - 1, bottom = Area.Bottom - 1;
    auto firstMultiple = [](int32_t v) { return v >= 0 ? (v + kStep - 1) / kStep * kStep : -(-v / kStep * kStep); };
    for (int32_t sum = firstMultiple(Area.Left + Area.Top); sum <= right + bottom; sum += kStep) {
        const int32_t x1 = std::max(Area.Left, sum - bottom), x2 = std::min(right, sum - Area.Top);
        if (x1 <= x2)
            Canvas.Line(x1, sum - x1, x2, sum - x2, Color);
    }
    for (int32_t diff = firstMultiple(Area.Left - bottom); diff <= right - Area.Top; diff += kStep) {
        const int32_t x1 = std::max(Area.Left, diff + Area.Top), x2 = std::min(right, diff + bottom);
        if (x1 <= x2)
            Canvas.Line(x1, x1 - diff, x2, x2 - diff, Color);
    }
}

void TextCentred(Canvas& Canvas, const Rect& Area, const std::string& Text, const FontSpec& Font)
{
    const Size extent = Canvas.TextExtent(Text, Font);
    Canvas.TextOut(Area.Left + Area.Width() / 2 - extent.Width / 2, Area.Top + Area.Height() / 2 - extent.Height / 2,
                   Text, Font);
}

} // namespace

// --- TrmCalendarColors -------------------------------------------------------------------

TrmCalendarColors::TrmCalendarColors(TrmCustomCalendar* Calendar)
    : FCalendar(Calendar),
      FWeekendTextColor(clTeal),
      FWeekdayBackgroundColor(clWindow),
      FDayNamesBackgroundColor(clBtnFace),
      FWeekdayTextColor(clWindowText),
      FTodayTextColor(clRed),
      FWeekendBackgroundColor(kWeekendBackground),
      FDayNamesTextColor(clBtnText),
      FOtherMonthDayBackgroundColor(clWindow),
      FOtherMonthDayTextColor(clBtnFace)
{
}

void TrmCalendarColors::Store(TColor& Field, TColor Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TrmCalendarColors::Changed()
{
    if (FCalendar)
        FCalendar->Invalidate();
}

void TrmCalendarColors::Assign(const TPersistent* Source)
{
    const auto* colors = dynamic_cast<const TrmCalendarColors*>(Source);
    if (!colors) {
        TPersistent::Assign(Source);
        return;
    }
    FWeekendTextColor = colors->FWeekendTextColor;
    FWeekdayBackgroundColor = colors->FWeekdayBackgroundColor;
    FDayNamesBackgroundColor = colors->FDayNamesBackgroundColor;
    FWeekdayTextColor = colors->FWeekdayTextColor;
    FTodayTextColor = colors->FTodayTextColor;
    FWeekendBackgroundColor = colors->FWeekendBackgroundColor;
    FDayNamesTextColor = colors->FDayNamesTextColor;
    FOtherMonthDayBackgroundColor = colors->FOtherMonthDayBackgroundColor;
    FOtherMonthDayTextColor = colors->FOtherMonthDayTextColor;
    Changed();
}

// --- TrmCustomCalendar -------------------------------------------------------------------

TDateTime TrmCustomCalendar::WholeDay(TDateTime Value)
{
    if (std::isnan(Value))
        throw EConvertError("Invalid date: the value is not a number");
    static const TDateTime kFirst = EncodeDate(1, 1, 1);
    static const TDateTime kLast = EncodeDate(9999, 12, 31);
    return std::trunc(std::clamp(Value, kFirst, kLast));
}

TrmCustomCalendar::TrmCustomCalendar()
{
    SetColor(CanvasColorOf(clBtnFace));
    // The panel itself takes no focus in a tab order, its grid does: here they are one control.
    SetTabStop(true);
    FChildren.Add(FGrid);
    FGrid.OnDrawCell = [this](TObject*, int32_t ACol, int32_t ARow, const Rect& Rect, TGridDrawState State) {
        DrawDayCell(ACol, ARow, Rect, State);
    };
    FGrid.OnSelectCell = [this](TObject*, int32_t ACol, int32_t ARow, bool& CanSelect) {
        CanSelect = SelectDayCell(ACol, ARow);
    };
    FGrid.OnDblClick = [this](TObject* Sender) { CalendarDblClick(Sender); };
    FGrid.OnKeyPress = [this](TObject* Sender, char32_t& Key) { CalendarGridKeyPress(Sender, Key); };
    FGrid.OnKeyDown = [this](TObject* Sender, KeyCode& Key, ShiftState Shift) {
        CalendarKeyMovement(Sender, Key, Shift);
    };

    const TDateTime today = Today();
    FMinDate = today - kDefaultRangeDays;
    FMaxDate = today + kDefaultRangeDays;
    SetCalendarFont(FCalendarFont);
    SetBounds(0, 0, 205, 158);
    SetSelectedDate(today);
}

TrmCustomCalendar::~TrmCustomCalendar() = default;

TDateTime TrmCustomCalendar::CheckDateRange(TDateTime Value) const
{
    TDateTime date = WholeDay(Value);
    if (FUseDateRanges)
        date = std::clamp(date, FMinDate, FMaxDate);
    return date;
}

void TrmCustomCalendar::ShowWorkingMonth()
{
    int32_t year, month, day;
    DecodeDate(FWorkingDate, year, month, day);
    FYear = uint16_t(year);
    FMonth = uint16_t(month);
    FDay = uint16_t(day);
    FMonthLength = MonthLengths[size_t(month)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    FFirstDOW = DayOfWeek(EncodeDate(year, month, 1));
    FCaption = std::string(MonthNames[size_t(month)]) + " " + std::to_string(year);
    int32_t row, col;
    GetRowColInfo(FWorkingDate, row, col);
    FGrid.SetCurrentCell(col, row);
    Invalidate();
}

void TrmCustomCalendar::SetWorkingDate(TDateTime Value)
{
    FWorkingDate = CheckDateRange(Value);
    ShowWorkingMonth();
    if (OnWorkingDateChange)
        OnWorkingDateChange(this);
}

void TrmCustomCalendar::SetSelectedDate(TDateTime Value)
{
    FSelectedDate = CheckDateRange(Value);
    const bool workingChanged = FWorkingDate != FSelectedDate;
    FWorkingDate = FSelectedDate;
    ShowWorkingMonth();
    if (workingChanged && OnWorkingDateChange)
        OnWorkingDateChange(this);
    if (OnSelectedDateChange)
        OnSelectedDateChange(this);
}

void TrmCustomCalendar::SetMinDate(TDateTime Value)
{
    Value = WholeDay(Value);
    if (Value == FMinDate)
        return;
    if (Value >= FMaxDate)
        throw Exception("MinDate value can't be greater than or equal to the MaxDate value");
    FMinDate = Value;
    if (FUseDateRanges && FSelectedDate < FMinDate)
        SetSelectedDate(FMinDate);
    FGrid.Invalidate();
}

void TrmCustomCalendar::SetMaxDate(TDateTime Value)
{
    Value = WholeDay(Value);
    if (Value == FMaxDate)
        return;
    if (Value <= FMinDate)
        throw Exception("MaxDate value can't be less than or equal to the MinDate value");
    FMaxDate = Value;
    if (FUseDateRanges && FSelectedDate > FMaxDate)
        SetSelectedDate(FMaxDate);
    FGrid.Invalidate();
}

void TrmCustomCalendar::SetUseDateRanges(bool Value)
{
    if (Value == FUseDateRanges)
        return;
    FUseDateRanges = Value;
    if (FUseDateRanges) {
        if (FSelectedDate < FMinDate)
            SetSelectedDate(FMinDate);
        if (FSelectedDate > FMaxDate)
            SetSelectedDate(FMaxDate);
    }
    FGrid.Invalidate();
}

void TrmCustomCalendar::setShowWeekends(bool Value)
{
    if (Value == FShowWeekends)
        return;
    FShowWeekends = Value;
    FGrid.Invalidate();
}

void TrmCustomCalendar::SetBoldSystemDate(bool Value)
{
    if (Value == FBoldSystemDate)
        return;
    FBoldSystemDate = Value;
    FGrid.Invalidate();
}

void TrmCustomCalendar::SetGridLines(bool Value)
{
    if (Value == FShowGridLines)
        return;
    FShowGridLines = Value;
    FGrid.SetGridLines(Value);
    SetCellSizes();
}

void TrmCustomCalendar::SetCalendarFont(const FontSpec& Value)
{
    FCalendarFont = Value;
    FGrid.SetFont(Value);
    FCaptionFont = Value;
    FCaptionFont.PointSize += 4;
    FCaptionFont.Bold = true;
    LayoutParts();
    Invalidate();
}

void TrmCustomCalendar::StepMonths(int32_t Months)
{
    int32_t year, month, day;
    DecodeDate(FWorkingDate, year, month, day);
    const int32_t monthIndex = year * 12 + (month - 1) + Months;
    year = monthIndex / 12;
    month = monthIndex % 12 + 1;
    // The first and last months a date can hold have no neighbour beyond them.
    if (year < 1 || year > 9999)
        return;
    SetWorkingDate(MyEncodeDate(year, month, day));
}

void TrmCustomCalendar::NextMonth()
{
    StepMonths(1);
}

void TrmCustomCalendar::PrevMonth()
{
    StepMonths(-1);
}

void TrmCustomCalendar::NextYear()
{
    StepMonths(12);
}

void TrmCustomCalendar::PrevYear()
{
    StepMonths(-12);
}

int32_t TrmCustomCalendar::CurrentDateValue(TCurrentDateValue Which) const
{
    int32_t year, month, day;
    DecodeDate(Today(), year, month, day);
    switch (Which) {
    case cdvYear:
        return year;
    case cdvMonth:
        return month;
    case cdvDay:
        return day;
    }
    throw Exception("Unknown parameter");
}

void TrmCustomCalendar::GetRowColInfo(TDateTime Date, int32_t& Row, int32_t& Col) const
{
    int32_t year, month, day;
    DecodeDate(Date, year, month, day);
    const int32_t cellIndex = day - 2 + DayOfWeek(EncodeDate(year, month, 1));
    Row = cellIndex / kDaysPerWeek + 1;
    Col = cellIndex % kDaysPerWeek;
}

bool TrmCustomCalendar::ValidateDOW(int32_t Row, int32_t Col, int32_t& Day) const
{
    Day = (Row - 1) * kDaysPerWeek + Col - FFirstDOW + 2;
    if (Day < 1 || Day > FMonthLength)
        return false;
    if (!FUseDateRanges)
        return true;
    const TDateTime date = EncodeDate(FYear, FMonth, Day);
    return FMinDate <= date && date <= FMaxDate;
}

TDateTime TrmCustomCalendar::MyEncodeDate(int32_t Year, int32_t Month, int32_t Day)
{
    return EncodeDate(Year, Month, std::min(Day, DaysInMonth(Year, Month)));
}

void TrmCustomCalendar::SelectWorkingDate()
{
    if (FHasFocusedCell)
        SetSelectedDate(FWorkingDate);
}

void TrmCustomCalendar::CalendarDblClick(TObject*)
{
    SelectWorkingDate();
}

void TrmCustomCalendar::CalendarGridKeyPress(TObject*, char32_t& Key)
{
    if (Key == U'\r')
        SelectWorkingDate();
}

void TrmCustomCalendar::CalendarKeyMovement(TObject*, KeyCode& Key, ShiftState Shift)
{
    if (Shift & shift::Ctrl) {
        switch (Key) {
        case key::Left:
            PrevMonth();
            break;
        case key::Right:
            NextMonth();
            break;
        case key::Up:
            PrevYear();
            break;
        case key::Down:
            NextYear();
            break;
        default:
            return;
        }
        Key = key::None;
        return;
    }
    // Left and Right at a week's ends go on to the neighbouring day in the next row.
    if (Key == key::Left && FGrid.Col() == 0) {
        if (FDay > 1)
            SetWorkingDate(FWorkingDate - 1);
        Key = key::None;
    } else if (Key == key::Right && FGrid.Col() == kDaysPerWeek - 1) {
        if (FDay < FMonthLength)
            SetWorkingDate(FWorkingDate + 1);
        Key = key::None;
    }
}

bool TrmCustomCalendar::SelectDayCell(int32_t ACol, int32_t ARow)
{
    int32_t day;
    if (!ValidateDOW(ARow, ACol, day))
        return false;
    SetWorkingDate(MyEncodeDate(FYear, FMonth, day));
    return true;
}

void TrmCustomCalendar::DrawDayCell(int32_t ACol, int32_t ARow, const Rect& Rect, TGridDrawState State)
{
    Canvas& canvas = *FGrid.CellCanvas();
    const TrmCalendarColors& colors = FCalendarColors;
    FontSpec font = FGrid.Font();
    TColor text, background;
    const bool weekend = FShowWeekends && IsWeekendColumn(ACol);

    if (ARow == 0) {
        background = colors.DayNamesBackgroundColor();
        text = weekend ? colors.WeekendTextColor() : colors.DayNamesTextColor();
        canvas.FillRect(Rect, CanvasColorOf(background));
        font.Color = CanvasColorOf(text);
        TextCentred(canvas, Rect, std::string(DayNames[size_t(ACol + 1)]), font);
        return;
    }

    int32_t day;
    const bool valid = ValidateDOW(ARow, ACol, day);
    const bool selected = valid && (State & gridstate::Selected);
    int32_t shownDay = day;
    bool hatched = false;
    if (selected) {
        text = clHighlightText;
        background = clHighlight;
        // The current cell is the working date, whatever moved it there.
        FWorkingDate = EncodeDate(FYear, FMonth, day);
        if (State & gridstate::Focused)
            FHasFocusedCell = true;
    } else if (valid) {
        text = weekend ? colors.WeekendTextColor() : colors.WeekdayTextColor();
        background = weekend ? colors.WeekendBackgroundColor() : colors.WeekdayBackgroundColor();
    } else {
        text = colors.OtherMonthDayTextColor();
        background = colors.OtherMonthDayBackgroundColor();
        if (day < 1)
            shownDay = MonthLengths[size_t(FMonth - 1)] + (FMonth == 3 && IsLeapYear(FYear) ? 1 : 0) + day;
        else if (day > FMonthLength)
            shownDay = day - FMonthLength;
        else
            hatched = true; // a day of this month outside the date range
    }

    int32_t todayYear, todayMonth, todayDay;
    DecodeDate(Today(), todayYear, todayMonth, todayDay);
    if (FYear == todayYear && FMonth == todayMonth && day == todayDay) {
        font.Bold = FBoldSystemDate;
        if (!selected)
            text = colors.TodayTextColor();
    }

    canvas.FillRect(Rect, CanvasColorOf(background));
    if (hatched)
        FillDiagonalCross(canvas, Rect, CanvasColorOf(clScrollBar));
    font.Color = CanvasColorOf(text);
    TextCentred(canvas, Rect, std::to_string(shownDay), font);

    if (valid && OnPaintCell)
        OnPaintCell(this, ARow, ACol, Rect, State, EncodeDate(FYear, FMonth, day));
}

Rect TrmCustomCalendar::ContentRect() const
{
    const int32_t inset = FrameWidth() + (FBevelOuter != bvNone) + kBorderWidth + (FBevelInner != bvNone);
    return {inset, inset, std::max(inset, Width() - inset), std::max(inset, Height() - inset)};
}

template <class T>
void TrmCustomCalendar::SetFrame(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    LayoutParts();
    Invalidate();
}

void TrmCustomCalendar::SetBorderStyle(TBorderStyle Value)
{
    SetFrame(FBorderStyle, Value);
}

void TrmCustomCalendar::SetBevelOuter(TBevelCut Value)
{
    SetFrame(FBevelOuter, Value);
}

void TrmCustomCalendar::SetBevelInner(TBevelCut Value)
{
    SetFrame(FBevelInner, Value);
}

void TrmCustomCalendar::LayoutParts()
{
    const Rect content = ContentRect();
    FCaptionRect = {content.Left, content.Top, content.Right,
                    content.Top + std::min(LineHeight(FCaptionFont), content.Height())};
    FGrid.SetBounds(content.Left, FCaptionRect.Bottom, content.Width(), content.Bottom - FCaptionRect.Bottom);
    SetCellSizes();
}

void TrmCustomCalendar::SetCellSizes()
{
    // Without lines the pixels left over go one each to the first columns and rows.
    const int32_t width = FGrid.Width(), height = FGrid.Height();
    const int32_t extraCols = FShowGridLines ? 0 : width % kDaysPerWeek;
    const int32_t extraRows = FShowGridLines ? 0 : height % kDaysPerWeek;
    for (int32_t i = 0; i < kDaysPerWeek; ++i) {
        FGrid.SetColWidth(i, width / kDaysPerWeek + (i < extraCols ? 1 : 0));
        FGrid.SetRowHeight(i, height / kDaysPerWeek + (i < extraRows ? 1 : 0));
    }
}

void TrmCustomCalendar::Resize()
{
    LayoutParts();
    Control::Resize();
}

void TrmCustomCalendar::Paint(Canvas& Canvas)
{
    Canvas.FillRect(ClientRect(), Color());
    const int32_t frame = FrameWidth();
    if (frame > 0)
        Canvas.FrameRect(ClientRect(), CanvasColorOf(clBtnShadow));
    Rect edge{frame, frame, Width() - frame, Height() - frame};
    DrawBevel(Canvas, edge, FBevelOuter, Color());
    edge = {edge.Left + kBorderWidth, edge.Top + kBorderWidth, edge.Right - kBorderWidth, edge.Bottom - kBorderWidth};
    DrawBevel(Canvas, edge, FBevelInner, Color());
    // The caption always shows in the day names' colours.
    Canvas.FillRect(FCaptionRect, CanvasColorOf(FCalendarColors.DayNamesBackgroundColor()));
    FontSpec font = FCaptionFont;
    font.Color = CanvasColorOf(FCalendarColors.DayNamesTextColor());
    const Size extent = Canvas.TextExtent(FCaption, font);
    Canvas.SetClipRect(FCaptionRect);
    Canvas.TextOut(FCaptionRect.Left + FCaptionRect.Width() / 2 - extent.Width / 2, FCaptionRect.Top, FCaption, font);
    Canvas.RemoveClip();
    FChildren.Paint(Canvas);
}

void TrmCustomCalendar::MouseDown(MouseButton Button, ShiftState Shift, int32_t X, int32_t Y)
{
    // The second press of a double click reaches the grid as the double click it is.
    if ((Shift & shift::Double) && Button == MouseButton::Left && FChildren.ChildAt(X, Y) == &FGrid) {
        FGrid.HostDoubleClick(Button, Shift & ~shift::Double, X - FGrid.Left(), Y - FGrid.Top());
        return;
    }
    if (!FChildren.MouseDown(Button, Shift, X, Y))
        Control::MouseDown(Button, Shift, X, Y);
}

void TrmCustomCalendar::MouseMove(ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FChildren.MouseMove(Shift, X, Y))
        Control::MouseMove(Shift, X, Y);
}

void TrmCustomCalendar::MouseUp(MouseButton Button, ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FChildren.MouseUp(Button, Shift, X, Y))
        Control::MouseUp(Button, Shift, X, Y);
}

void TrmCustomCalendar::MouseLeave()
{
    FChildren.MouseLeave();
    Control::MouseLeave();
}

void TrmCustomCalendar::KeyDown(KeyCode& Key, ShiftState Shift)
{
    FGrid.HostKeyDown(Key, Shift);
    if (Key != key::None)
        Control::KeyDown(Key, Shift);
}

void TrmCustomCalendar::KeyUp(KeyCode& Key, ShiftState Shift)
{
    FGrid.HostKeyUp(Key, Shift);
    if (Key != key::None)
        Control::KeyUp(Key, Shift);
}

void TrmCustomCalendar::KeyPress(char32_t& Key)
{
    FGrid.HostKeyPress(Key);
    if (Key != 0)
        Control::KeyPress(Key);
}

void TrmCustomCalendar::DoEnter()
{
    FGrid.HostFocusChanged(true);
    Control::DoEnter();
}

void TrmCustomCalendar::DoExit()
{
    FGrid.HostFocusChanged(false);
    Control::DoExit();
}

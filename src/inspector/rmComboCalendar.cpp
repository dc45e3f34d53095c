#include "inspector/rmComboCalendar.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmMarlett.h"

using namespace platform;

namespace {

constexpr const char* kDefaultDateFormat = "mm/dd/yyyy";
constexpr int32_t kMinDropDownWidth = 180;

} // namespace

TrmCustomComboCalendar::TrmCustomComboCalendar()
    : FDateFormat(kDefaultDateFormat), FDropDownWidth(kMinDropDownWidth),
      FCalendar(std::make_unique<TrmScreenCalendar>())
{
    SetReadOnly(true);
    SetUseDefaultGlyphs(false);
    TrmSpeedButton& button = Button1();
    button.SetGlyph(nullptr);
    FontSpec arrowFont;
    arrowFont.Family = std::string(kMarlettFamily);
    arrowFont.PointSize = 10;
    arrowFont.Color = CanvasColorOf(clBtnText);
    button.SetFont(arrowFont);
    button.SetCaption("6"); // the down arrow
    OnBtn1Click = [this](TObject*) { ToggleCalendar(); };

    FCalendar->SetOwnerControl(this);
    FCalendar->OnSelectedDateChange = [this](TObject*) { SetSelectDate(); };
    SetDate(Today());
}

TrmCustomComboCalendar::~TrmCustomComboCalendar() = default;

void TrmCustomComboCalendar::SetDate(TDateTime Value)
{
    Value = TrmCustomCalendar::WholeDay(Value);
    if (Value != FSelectedDate)
        FSelectedDate = Value;
    SetText(FormatDate(FDateFormat, FSelectedDate));
}

void TrmCustomComboCalendar::SetDateFormat(const std::string& Value)
{
    FDateFormat = Value.empty() ? std::string(kDefaultDateFormat) : Value;
    SetText(FormatDate(FDateFormat, FSelectedDate));
}

void TrmCustomComboCalendar::SetDropDownWidth(int32_t Value)
{
    if (Value < kMinDropDownWidth || Value == FDropDownWidth)
        return;
    FDropDownWidth = Value;
}

void TrmCustomComboCalendar::ToggleCalendar()
{
    if (CalendarDown()) {
        FCalendar->Hide();
        return;
    }
    TrmCustomBtnEdit::SetFocus();
    SelectAll();

    FCalendar->SetSelectedDate(FSelectedDate);
    FCalendar->DropDown(*this, FDropDownWidth, FCalendar->Height(), TDropAbove::WhenReachingBottom);
}

void TrmCustomComboCalendar::SetSelectDate()
{
    SetDate(FCalendar->WorkingDate());
    if (CalendarDown()) {
        FCalendar->Hide();
        if (CanFocus())
            TrmCustomBtnEdit::SetFocus();
    }
}

void TrmCustomComboCalendar::KeyDown(KeyCode& Key, ShiftState Shift)
{
    const ShiftState keys = Shift & shift::Keys;
    if ((Key == key::Down && keys == shift::Alt) || (Key == key::F4 && keys == shift::None)) {
        ToggleCalendar();
        Key = key::None;
        return;
    }
    if (CalendarDown()) {
        FCalendar->HostKeyDown(Key, Shift);
        if (Key == key::None)
            return;
    }
    TrmCustomBtnEdit::KeyDown(Key, Shift);
}

void TrmCustomComboCalendar::KeyUp(KeyCode& Key, ShiftState Shift)
{
    if (CalendarDown()) {
        FCalendar->HostKeyUp(Key, Shift);
        if (Key == key::None)
            return;
    }
    TrmCustomBtnEdit::KeyUp(Key, Shift);
}

void TrmCustomComboCalendar::KeyPress(char32_t& Key)
{
    if (CalendarDown()) {
        FCalendar->HostKeyPress(Key);
        if (Key == 0)
            return;
    }
    TrmCustomBtnEdit::KeyPress(Key);
}

void TrmCustomComboCalendar::DoExit()
{
    if (CalendarDown())
        FCalendar->Hide();
    TrmCustomBtnEdit::DoExit();
}

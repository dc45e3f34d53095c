#include "inspector/rmScreenCalendar.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmLibraryCalendar.h"

#include <string>

using namespace platform;

namespace {

constexpr int32_t kPanelHeight = 20;
constexpr int32_t kButtonWidth = 90;
constexpr int32_t kButtonHeight = 16;
constexpr int32_t kButtonMargin = 2;

enum ButtonTag : int32_t { kPrevTag = 1, kNextTag = 2 };

// The calendar's years.
constexpr int32_t kFirstYear = 1;
constexpr int32_t kLastYear = 9999;

// A month button names the month it goes to; before the first year or past the last one
// it names nothing and is disabled.
void ShowMonth(TrmSpeedButton& Button, int32_t MonthIndex, int32_t Year)
{
    const bool exists = Year >= kFirstYear && Year <= kLastYear;
    Button.SetCaption(exists ? std::string(MonthNames[size_t(MonthIndex)]) + " " + std::to_string(Year) : "");
    Button.SetEnabled(exists);
}

} // namespace

TrmScreenCalendar::TrmScreenCalendar()
{
    FontSpec font;
    font.Family = "Small Fonts";
    font.PointSize = 7;
    font.Color = CanvasColorOf(clBtnText);
    for (TrmSpeedButton* button : {&FPrevBtn, &FNextBtn}) {
        button->SetFlat(true);
        button->SetFont(font);
        button->SetBounds(0, 0, kButtonWidth, kButtonHeight);
        AddPart(*button);
    }
    FPrevBtn.OnClick = [this](TObject*) { DoBtnClick(kPrevTag); };
    FNextBtn.OnClick = [this](TObject*) { DoBtnClick(kNextTag); };
    LayoutParts();
    DoPanelSize();
    UpdateBtns(shift::None);
}

TrmScreenCalendar::~TrmScreenCalendar()
{
    RemovePart(FNextBtn);
    RemovePart(FPrevBtn);
}

Rect TrmScreenCalendar::ContentRect() const
{
    Rect content = TrmCalendar::ContentRect();
    content.Bottom = std::max(content.Top, content.Bottom - kPanelHeight);
    return content;
}

Rect TrmScreenCalendar::PanelRect() const
{
    const Rect content = TrmCalendar::ContentRect();
    return {content.Left, std::max(content.Top, content.Bottom - kPanelHeight), content.Right, content.Bottom};
}

void TrmScreenCalendar::DoPanelSize()
{
    const Rect panel = PanelRect();
    FPrevBtn.SetBounds(panel.Left + kButtonMargin, panel.Top + kButtonMargin, kButtonWidth, kButtonHeight);
    FNextBtn.SetBounds(panel.Right - kButtonWidth - kButtonMargin, panel.Top + kButtonMargin, kButtonWidth,
                       kButtonHeight);
}

void TrmScreenCalendar::Resize()
{
    TrmScreenPopup::Resize();
    DoPanelSize();
}

void TrmScreenCalendar::UpdateBtns(ShiftState Shift)
{
    const int32_t month = DisplayedMonth(), year = DisplayedYear();
    if (Shift & shift::Ctrl) {
        ShowMonth(FPrevBtn, month, year - 1);
        ShowMonth(FNextBtn, month, year + 1);
    } else {
        // The tables name December before January and January after December.
        ShowMonth(FPrevBtn, month - 1, month == 1 ? year - 1 : year);
        ShowMonth(FNextBtn, month + 1, month == 12 ? year + 1 : year);
    }
}

void TrmScreenCalendar::DoBtnClick(int32_t Tag)
{
    const bool ctrl = FShift & shift::Ctrl;
    if (Tag == kPrevTag)
        ctrl ? PrevYear() : PrevMonth();
    else if (Tag == kNextTag)
        ctrl ? NextYear() : NextMonth();
    UpdateBtns(FShift);
}

void TrmScreenCalendar::Show(const Rect& Bounds)
{
    UpdateBtns(FShift);
    TrmScreenPopup::Show(Bounds);
    // The pop-up never takes the keyboard focus from its owner, which passes the keys on;
    // while shown it counts as focused so that its grid shows and uses the focused cell.
    HostFocusChanged(true);
}

void TrmScreenCalendar::Hide()
{
    TrmScreenPopup::Hide();
    HostFocusChanged(false);
}

void TrmScreenCalendar::CalendarKeyMovement(TObject* Sender, KeyCode& Key, ShiftState Shift)
{
    if (Key != key::Escape) {
        TrmCalendar::CalendarKeyMovement(Sender, Key, Shift);
        return;
    }
    Hide();
    if (FOwnerControl && FOwnerControl->CanFocus())
        FOwnerControl->SetFocus();
    Key = key::None;
}

void TrmScreenCalendar::MouseUp(MouseButton Button, ShiftState Shift, int32_t X, int32_t Y)
{
    NoteShift(Shift);
    TrmScreenPopup::MouseUp(Button, Shift, X, Y);
}

void TrmScreenCalendar::KeyDown(KeyCode& Key, ShiftState Shift)
{
    // The Ctrl key's own press may come before the modifier state reports it.
    NoteShift(Key == key::Control ? Shift | shift::Ctrl : Shift);
    UpdateBtns(FShift);
    TrmScreenPopup::KeyDown(Key, Shift);
}

void TrmScreenCalendar::KeyUp(KeyCode& Key, ShiftState Shift)
{
    NoteShift(Key == key::Control ? Shift & ~shift::Ctrl : Shift);
    UpdateBtns(FShift);
    TrmScreenPopup::KeyUp(Key, Shift);
}

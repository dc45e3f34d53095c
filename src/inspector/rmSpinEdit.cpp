#include "inspector/rmSpinEdit.h"

#include "inspector/rmLibraryText.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

constexpr int32_t kSpinButtonWidth = 15;

} // namespace

// ---- TrmCustomSpinEdit ------------------------------------------------------------------

TrmCustomSpinEdit::TrmCustomSpinEdit()
{
    FButton.SetWidth(kSpinButtonWidth);
    FButton.SetFocusControl(this);
    FButton.OnUpClick = [this](TObject*) { UpClick(); };
    FButton.OnDownClick = [this](TObject*) { DownClick(); };
    AddButton(FButton);
    PlaceButton();
    SetEditRect();
}

TrmCustomSpinEdit::~TrmCustomSpinEdit()
{
    RemoveButton(FButton);
}

void TrmCustomSpinEdit::SetUseRanges(bool Value)
{
    FUseRanges = Value;
    InternalUpdate();
}

void TrmCustomSpinEdit::CutToClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TrmCustomEdit::CutToClipboard();
}

void TrmCustomSpinEdit::PasteFromClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TrmCustomEdit::PasteFromClipboard();
}

void TrmCustomSpinEdit::UpClick()
{
    if (ReadOnly())
        platform::Beep();
    else if (FButton.UpEnabled())
        IncValue();
}

void TrmCustomSpinEdit::DownClick()
{
    if (ReadOnly())
        platform::Beep();
    else if (FButton.DownEnabled())
        DecValue();
}

bool TrmCustomSpinEdit::IsValidChar(char32_t&)
{
    return false;
}

bool TrmCustomSpinEdit::IsValidNumberChar(char32_t Key, std::u32string_view Extra) const
{
    const bool control = Key < 0x20;
    const bool valid = (Key >= U'0' && Key <= U'9') || Extra.find(Key) != std::u32string_view::npos ||
                       (control && Key != U'\r');
    if (!valid)
        return false;
    // An editor that is switched off takes no typing and no deleting.
    return FEditorEnabled || (control && Key != 0x08);
}

void TrmCustomSpinEdit::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (Key == platform::key::Up) {
        UpClick();
        Key = 0;
    } else if (Key == platform::key::Down) {
        DownClick();
        Key = 0;
    }
    TrmCustomEdit::KeyDown(Key, Shift);
}

void TrmCustomSpinEdit::KeyPress(char32_t& Key)
{
    if (Key != 0 && !IsValidChar(Key)) {
        Key = 0;
        platform::Beep();
    }
    if (Key != 0)
        TrmCustomEdit::KeyPress(Key);
}

void TrmCustomSpinEdit::DoExit()
{
    TrmCustomEdit::DoExit();
    ExitCheck();
}

void TrmCustomSpinEdit::SetEditRect()
{
    ApplyEditRect({0, 0, ClientWidth() - FButton.Width() - 1, ClientHeight()});
}

void TrmCustomSpinEdit::PlaceButton()
{
    const int32_t border = BorderWidth();
    if (Ctl3D())
        FButton.SetBounds(border + Width() - FButton.Width() - 4, border, FButton.Width(), Height() - 4);
    else
        FButton.SetBounds(border + Width() - FButton.Width(), border + 1, FButton.Width(), Height() - 2);
}

void TrmCustomSpinEdit::Resize()
{
    PlaceButton();
    TrmCustomEdit::Resize(); // SetEditRect
}

void TrmCustomSpinEdit::EnabledChanged()
{
    FButton.SetEnabled(Enabled());
}

// ---- TrmSpinEdit ------------------------------------------------------------------------

TrmSpinEdit::TrmSpinEdit()
{
    SetText("0");
}

int32_t TrmSpinEdit::GetValue()
{
    return StrToInt(Text());
}

void TrmSpinEdit::SetValue(int32_t NewValue)
{
    SetText(std::to_string(CheckValue(NewValue)));
}

bool TrmSpinEdit::IsValidChar(char32_t& Key)
{
    return IsValidNumberChar(Key, U"-");
}

int32_t TrmSpinEdit::Stepped(int32_t Value, int32_t Step, int Sign)
{
    return int32_t(std::clamp<int64_t>(int64_t(Value) + Sign * int64_t(Step), INT32_MIN, INT32_MAX));
}

void TrmSpinEdit::IncValue()
{
    SetValue(Stepped(Value(), FIncrement, +1));
    SelectAll();
}

void TrmSpinEdit::DecValue()
{
    SetValue(Stepped(Value(), FIncrement, -1));
    SelectAll();
}


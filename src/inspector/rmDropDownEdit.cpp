#include "inspector/rmDropDownEdit.h"

TrmDropDownEdit::TrmDropDownEdit()
{
    ShowDropDownArrow();
}

void TrmDropDownEdit::FocusAndSelectAll()
{
    SetFocus();
    SelectAll();
}

void TrmDropDownEdit::KeyUp(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (!FListBox.TakeKeyUp(Key, Shift))
        TrmCustomBtnEdit::KeyUp(Key, Shift);
}

void TrmDropDownEdit::KeyPress(char32_t& Key)
{
    if (FListBox.TakeKeyPress(Key))
        return;
    if (Key == U'\r' || !EditorEnabled()) {
        Key = 0;
        return;
    }
    TrmCustomBtnEdit::KeyPress(Key);
}

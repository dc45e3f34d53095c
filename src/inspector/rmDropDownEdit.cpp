#include "inspector/rmDropDownEdit.h"

TrmDropDownEdit::TrmDropDownEdit()
{
    ShowDropDownArrow();
}

int32_t TrmDropDownEdit::ItemIndex() const
{
    if (FChosenIndex >= 0 && FChosenIndex < int32_t(Items().size()) && Items()[size_t(FChosenIndex)] == Text())
        return FChosenIndex;
    return FListBox.IndexOf(Text());
}

void TrmDropDownEdit::SetItemIndex(int32_t Value)
{
    const int32_t index = Value >= 0 && Value < int32_t(Items().size()) ? Value : -1;
    const bool moved = index != ItemIndex();
    FChosenIndex = index;
    const std::string text = FListBox.ItemText(index);
    if (text != Text())
        SetText(text);
    else if (moved)
        Change();
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

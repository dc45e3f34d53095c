#include "inspector/rmDropDownEdit.h"

TrmDropDownEdit::TrmDropDownEdit()
{
    ShowDropDownArrow();
}

int32_t TrmDropDownEdit::ItemIndex() const
{
    const std::string text = Text();
    const int32_t count = int32_t(Items().size());
    const auto shows = [&](int32_t Index) { return Line().Cased(Items()[size_t(Index)]) == text; };
    if (FChosenIndex >= 0 && FChosenIndex < count && shows(FChosenIndex))
        return FChosenIndex;
    for (int32_t i = 0; i < count; ++i)
        if (shows(i))
            return i;
    return -1;
}

void TrmDropDownEdit::SetItemIndex(int32_t Value)
{
    const int32_t index = Value >= 0 && Value < int32_t(Items().size()) ? Value : -1;
    const bool moved = index != ItemIndex();
    FChosenIndex = index;
    const std::string text = FListBox.ItemText(index);
    if (Line().Cased(text) != Text())
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

#pragma once
// What the button edits that drop a list down share: the list and its items, the text
// as an item, a down arrow on the first button, and the keys and characters that go to
// the list while it is shown. Carriage return is never typed, and nothing at all while
// the editor is switched off.
#include "inspector/rmBtnEdit.h"
#include "inspector/rmScreenListBox.h"

#include <string>
#include <vector>

class TrmDropDownEdit : public TrmCustomBtnEdit {
public:
    TrmDropDownEdit();
    const char* ClassName() const override { return "TrmDropDownEdit"; }

    const std::vector<std::string>& Items() const { return FListBox.Items(); }
    void SetComboItems(const std::vector<std::string>& Value) { FListBox.SetItems(Value); }
    // The position of the text among the items, -1 when absent; setting takes that item's
    // text (an empty text outside the items).
    int32_t ItemIndex() const { return FListBox.IndexOf(Text()); }
    void SetItemIndex(int32_t Value) { SetText(FListBox.ItemText(Value)); }
    // 0 = as wide as the edit.
    int32_t DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int32_t Value) { FDropDownWidth = Value; }
    bool DroppedDown() const { return FListBox.Visible(); }
    TrmCustomScreenListBox& ListBox() { return FListBox; }

protected:
    int32_t ListWidth() const { return FDropDownWidth > 0 ? FDropDownWidth : Width(); }
    void FocusAndSelectAll();
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

    TrmCustomScreenListBox FListBox;

private:
    int32_t FDropDownWidth = 0;
};

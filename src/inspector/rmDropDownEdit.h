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
    // The position of the text among the items (each read in the CharCase): the item last
    // chosen by its position while the text is still that item's (two items may read
    // alike), else the first item with the text; -1 when absent. Setting takes that item's text (an empty text outside
    // the items); choosing another item of the same text is a change too.
    int32_t ItemIndex() const;
    void SetItemIndex(int32_t Value);
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
    int32_t FChosenIndex = -1;
};

#pragma once
// A button edit whose first button (a down arrow) drops down a list of items and whose
// second (ellipsis) button fires OnBtnClick. With the list closed the caret keys step the
// text through the items; while it is shown, the keys go to the list first.
#include "inspector/rmBtnEdit.h"
#include "inspector/rmScreenListBox.h"

#include <string>
#include <vector>

class TrmCustomBtnCombo : public TrmCustomBtnEdit {
public:
    // The list's default height in edit heights.
    static constexpr int32_t kDropDownRows = 8;

    TrmCustomBtnCombo();
    ~TrmCustomBtnCombo() override;
    const char* ClassName() const override { return "TrmCustomBtnCombo"; }

    const std::vector<std::string>& Items() const { return FListBox.Items(); }
    void SetComboItems(const std::vector<std::string>& Value) { FListBox.SetItems(Value); }
    // The index of the text among the items, -1 when absent; setting takes that item's
    // text (an empty text for a negative index).
    int32_t ItemIndex() const;
    void SetItemIndex(int32_t Value);
    // 0 = as wide as the edit / eight times its height.
    int32_t DropDownWidth() const { return FDropDownWidth; }
    void SetDropDownWidth(int32_t Value) { FDropDownWidth = Value; }
    int32_t DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int32_t Value) { FDropDownHeight = Value; }
    bool EllipsisBtnVisible() const { return Btn2Visible(); }
    void SetEllipsisBtnVisible(bool Value) { SetBtn2Visible(Value); }
    bool DroppedDown() const { return FListBox.Visible(); }
    TrmCustomScreenListBox& ListBox() { return FListBox; }

    // Opens the list below the edit (above it when it would pass the desktop's bottom),
    // or closes it when it is open.
    void ToggleListBox();
    // Closes an open list and selects the text.
    void CloseList();

    TNotifyEvent OnDropDown;
    TNotifyEvent OnBtnClick;
    TNotifyEvent OnCloseUp;

protected:
    void BtnClick(TrmSpeedButton& Sender) override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoExit() override;
    // Before the list opens: fires OnDropDown.
    virtual void DropDown();
    // After the list closed, whichever way; Taken when an entry was taken (then the base
    // fires OnCloseUp).
    virtual void ListClosed(bool Taken);

private:
    // The list's keys and presses.
    void ListKeyDown(platform::KeyCode& Key);
    void ListMouseDown(int32_t X, int32_t Y);
    // Closes the list and takes its selected entry; fires OnCloseUp.
    void TakeListSelection();
    void FocusAndSelectAll();
    // Steps the text through the items with the list closed.
    void StepItems(platform::KeyCode Key);

    // The list's height: DropDownHeight, or eight edit heights.
    int32_t ListHeight() const;

    TrmCustomScreenListBox FListBox;
    int32_t FDropDownWidth = 0;
    int32_t FDropDownHeight = 0;
};

class TrmBtnCombo : public TrmCustomBtnCombo {
public:
    const char* ClassName() const override { return "TrmBtnCombo"; }
};

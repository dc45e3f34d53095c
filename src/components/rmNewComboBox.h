#pragma once
// A combo box made of a button edit and a drop-down list: the first button (a down
// arrow) opens the list below the edit, or above it near the bottom of the monitor that
// shows the edit, as high as its items need up to DropDownCount rows. The list has the
// edit's font. With the list closed, Up and Down step the text through the items.
#include "inspector/rmDropDownEdit.h"

class TrmCustomComboBox : public TrmDropDownEdit {
public:
    TrmCustomComboBox();
    ~TrmCustomComboBox() override;
    const char* ClassName() const override { return "TrmCustomComboBox"; }

    int32_t ItemHeight() const { return FListBox.ItemHeight(); }
    void SetItemHeight(int32_t Value) { FListBox.SetItemHeight(Value); }
    // The most rows the list shows at once (at least 1).
    int32_t DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int32_t Value);

    // Opens the list (OnDropDown first), or closes an open one (OnCloseUp).
    void ToggleListBox();

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    // The text was taken from the items by the user.
    TNotifyEvent OnChanged;

protected:
    // Marks the text modified and fires OnChanged.
    virtual void InternalChanged();

    void BtnClick(TrmSpeedButton& Sender) override;
    void FontChanged() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void DoExit() override;

private:
    // Rows for the items (one for none, at most DropDownCount), and the border.
    int32_t ListHeight() const;
    void CloseUp();
    // Up (Direction -1) or Down (+1) with the list closed.
    void StepItem(int32_t Direction);
    void DoLBMouseDown(int32_t X, int32_t Y);
    void DoLBKeyDown(platform::KeyCode& Key);

    int32_t FSavedIndex = -1; // the list's index when it opened
    int32_t FDropDownCount = 8;
};

class TrmNewComboBox : public TrmCustomComboBox {
public:
    const char* ClassName() const override { return "TrmNewComboBox"; }
};

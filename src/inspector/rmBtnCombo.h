#pragma once
// A button edit whose first button (a down arrow) drops down a list of items and whose
// second (ellipsis) button fires OnBtnClick. With the list closed the caret keys step the
// text through the items; while it is shown, the keys go to the list first.
#include "inspector/rmDropDownEdit.h"

class TrmCustomBtnCombo : public TrmDropDownEdit {
public:
    // The list's default height in edit heights.
    static constexpr int32_t kDropDownRows = 8;

    TrmCustomBtnCombo();
    ~TrmCustomBtnCombo() override;
    const char* ClassName() const override { return "TrmCustomBtnCombo"; }

    // 0 = eight times the edit's height.
    int32_t DropDownHeight() const { return FDropDownHeight; }
    void SetDropDownHeight(int32_t Value) { FDropDownHeight = Value; }
    bool EllipsisBtnVisible() const { return Btn2Visible(); }
    void SetEllipsisBtnVisible(bool Value) { SetBtn2Visible(Value); }

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
    void DoExit() override;
    // Before the list opens: fires OnDropDown.
    virtual void DropDown();
    // After the list closed, whichever way; Taken when an entry was taken (then the base
    // fires OnCloseUp).
    virtual void ListClosed(bool Taken);
    // The list's height: DropDownHeight, or eight edit heights.
    virtual int32_t ListHeight() const;

private:
    // The list's keys and presses.
    void ListKeyDown(platform::KeyCode& Key);
    void ListMouseDown(int32_t X, int32_t Y);
    // Closes the list and takes its selected entry; fires OnCloseUp.
    void TakeListSelection();
    // Steps the text through the items with the list closed.
    void StepItems(platform::KeyCode Key);

    int32_t FDropDownHeight = 0;
};

class TrmBtnCombo : public TrmCustomBtnCombo {
public:
    const char* ClassName() const override { return "TrmBtnCombo"; }
};

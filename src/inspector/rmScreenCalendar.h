#pragma once
// The calendar as a drop-down: a screen pop-up with a bar of two month buttons below the
// grid (previous and next month, or year with Ctrl held). While shown it counts as
// focused, so that its grid shows and moves the focused cell, and Escape closes it.
#include "inspector/rmCalendar.h"
#include "inspector/rmScreenPopup.h"
#include "inspector/rmSpeedBtns.h"

class TrmScreenCalendar : public TrmScreenPopup<TrmCalendar> {
public:
    TrmScreenCalendar();
    ~TrmScreenCalendar() override;
    const char* ClassName() const override { return "TrmScreenCalendar"; }

    // The control that gets the focus back when Escape closes the pop-up (borrowed; may be null).
    void SetOwnerControl(platform::Control* Owner) { FOwnerControl = Owner; }
    // The buttons name the months around the one shown as the pop-up opens.
    void Show(const platform::Rect& Bounds) override;
    void Hide() override;

    // The month buttons' captions for the displayed month, with or without Ctrl held; a
    // button that would leave the years 1 to 9999 reads nothing and is disabled.
    void UpdateBtns(platform::ShiftState Shift);
    // Tag 1 is the previous button, 2 the next one: a month, or a year with Ctrl held.
    void DoBtnClick(int32_t Tag);
    const TrmSpeedButton& PrevButton() const { return FPrevBtn; }
    const TrmSpeedButton& NextButton() const { return FNextBtn; }
    platform::Rect PanelRect() const;

protected:
    // Escape closes the pop-up and hands the focus back to its owner.
    void CalendarKeyMovement(TObject* Sender, platform::KeyCode& Key, platform::ShiftState Shift) override;
    void DoPanelSize();

    platform::Rect ContentRect() const override;
    void Resize() override;
    // A button's click reads Ctrl from the release that makes it.
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;

private:
    // The modifier keys as the last mouse or key event reported them.
    void NoteShift(platform::ShiftState Shift) { FShift = Shift & platform::shift::Keys; }

    TrmSpeedButton FPrevBtn;
    TrmSpeedButton FNextBtn;
    platform::Control* FOwnerControl = nullptr;
    platform::ShiftState FShift = platform::shift::None;
};

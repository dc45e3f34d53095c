#pragma once
// The calendar as a drop-down: a pop-up window with a bar of two month buttons below the
// grid (previous and next month, or year with Ctrl held). While shown it holds the mouse
// capture whenever the mouse is outside it, so that a press anywhere else closes it.
#include "inspector/rmCalendar.h"
#include "inspector/rmSpeedBtns.h"

class TrmScreenCalendar : public TrmCalendar {
public:
    // Hidden until shown with Show.
    TrmScreenCalendar();
    const char* ClassName() const override { return "TrmScreenCalendar"; }

    // The control that gets the focus back when Escape closes the pop-up (borrowed; may be null).
    void SetOwnerControl(platform::Control* Owner) { FOwnerControl = Owner; }
    void Show() { VisibleChanging(true); }
    void Hide() { VisibleChanging(false); }

    // The month buttons' captions for the displayed month, with or without Ctrl held.
    void UpdateBtns(platform::ShiftState Shift);
    // Tag 1 is the previous button, 2 the next one: a month, or a year with Ctrl held.
    void DoBtnClick(int32_t Tag);
    const TrmSpeedButton& PrevButton() const { return FPrevBtn; }
    const TrmSpeedButton& NextButton() const { return FNextBtn; }
    platform::Rect PanelRect() const;

protected:
    // Escape closes the pop-up and hands the focus back to its owner.
    void CalendarKeyMovement(TObject* Sender, platform::KeyCode& Key, platform::ShiftState Shift) override;
    // Capture taken when shown, released when hidden.
    void VisibleChanging(bool Showing);
    void DoPanelSize();

    platform::Rect ContentRect() const override;
    void Paint(platform::Canvas& Canvas) override;
    void Resize() override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;

private:
    // The modifier keys as the last mouse or key event reported them.
    void NoteShift(platform::ShiftState Shift) { FShift = Shift & platform::shift::Keys; }

    TrmSpeedButton FPrevBtn;
    TrmSpeedButton FNextBtn;
    // After the buttons, so that it lets them go before they die.
    platform::ChildControls FPanelButtons{*this};
    platform::Control* FOwnerControl = nullptr;
    platform::ShiftState FShift = platform::shift::None;
};

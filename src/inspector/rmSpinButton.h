#pragma once
// A pair of repeating buttons, up over down, that the spin edits embed. Up and Down keys
// click them; each click fires OnUpClick or OnDownClick.
#include "inspector/rmSpeedBtns.h"
#include "platform/ChildControls.h"

#include <memory>

class TrmSpinButton : public platform::Control {
public:
    TrmSpinButton();
    ~TrmSpinButton() override;
    const char* ClassName() const override { return "TrmSpinButton"; }

    // The width is at least 15; the up button takes the upper half, the down button the
    // rest (the odd pixel).
    void SetBounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height) override;
    void AdjustSize(int32_t& W, int32_t& H);

    // The control that takes the focus when a button is pressed (borrowed; null: none).
    // It is cleared when that control goes.
    platform::Control* FocusControl() const { return FFocusControl; }
    void SetFocusControl(platform::Control* Value);

    bool UpEnabled() const { return FUpEnabled; }
    void SetUpEnabled(bool Value);
    bool DownEnabled() const { return FDownEnabled; }
    void SetDownEnabled(bool Value);

    // Null gives the default arrow.
    const TBitmap32& UpGlyph() const { return FUpButton->Glyph(); }
    void SetUpGlyph(const TBitmap32* Value);
    const TBitmap32& DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(const TBitmap32* Value);
    int32_t UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int32_t Value) { FUpButton->SetNumGlyphs(Value); }
    int32_t DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int32_t Value) { FDownButton->SetNumGlyphs(Value); }
    // The default glyphs are loaded again.
    void SysColorChange();

    TrmTimerSpeedButton& UpButton() { return *FUpButton; }
    TrmTimerSpeedButton& DownButton() { return *FDownButton; }
    TrmTimerSpeedButton& FocusedButton() { return *FFocusedButton; }
    bool WantsArrowKeys() const override { return true; }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Paint(platform::Canvas& Canvas) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void Notification(platform::Control& Gone) override;

    std::unique_ptr<TrmTimerSpeedButton> CreateButton();
    void BtnMouseDown(TrmTimerSpeedButton& Sender, platform::MouseButton Button);
    void BtnClick(TrmTimerSpeedButton& Sender);
    void SetFocusBtn(TrmTimerSpeedButton& Btn);

private:
    void ApplyEnabledFlags();

    std::unique_ptr<TrmTimerSpeedButton> FUpButton;
    std::unique_ptr<TrmTimerSpeedButton> FDownButton;
    TrmTimerSpeedButton* FFocusedButton;
    platform::Control* FFocusControl = nullptr;
    bool FUpEnabled = true;
    bool FDownEnabled = true;
    bool FUpDefaultGlyph = true;
    bool FDownDefaultGlyph = true;
    platform::ChildControls FChildren;
};

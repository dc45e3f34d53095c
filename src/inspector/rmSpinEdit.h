#pragma once
// An edit with an up/down spin button inside its right edge (TrmCustomSpinEdit), and the
// integer editor with an optional range built on it (TrmSpinEdit).
#include "inspector/rmBtnEdit.h"
#include "inspector/rmSpinButton.h"

class TrmCustomSpinEdit : public TrmCustomEdit {
public:
    TrmCustomSpinEdit();
    ~TrmCustomSpinEdit() override;
    const char* ClassName() const override { return "TrmCustomSpinEdit"; }

    TrmSpinButton& Button() { return FButton; }
    // When false, nothing can be pasted or cut.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    bool UseRanges() const { return FUseRanges; }
    // Stores the flag and runs InternalUpdate.
    void SetUseRanges(bool Value);

    void CutToClipboard() override;
    void PasteFromClipboard() override;

    // Beep when read-only; otherwise IncValue (DecValue) when that half is enabled.
    void UpClick();
    void DownClick();

protected:
    virtual bool IsValidChar(char32_t& Key);
    virtual void DecValue() = 0;
    virtual void IncValue() = 0;
    // Leaving the control.
    virtual void ExitCheck() = 0;
    virtual void InternalUpdate() = 0;

    // Up and Down spin (and are used up); then the edit's own handling.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    // A character IsValidChar refuses beeps and is dropped.
    void KeyPress(char32_t& Key) override;
    void DoExit() override;
    void SetEditRect() override;
    void Resize() override;
    void EnabledChanged() override;

private:
    void PlaceButton();

    TrmSpinButton FButton;
    bool FEditorEnabled = true;
    bool FUseRanges = false;
};

class TrmSpinEdit : public TrmCustomSpinEdit {
public:
    TrmSpinEdit();
    const char* ClassName() const override { return "TrmSpinEdit"; }

    int32_t MinValue() const { return FMinValue; }
    // Ignored above MaxValue.
    void SetMinValue(int32_t Value);
    int32_t MaxValue() const { return FMaxValue; }
    // Ignored below MinValue.
    void SetMaxValue(int32_t Value);
    int32_t Increment() const { return FIncrement; }
    void SetIncrement(int32_t Value) { FIncrement = Value; }

    // The text as a number; raises EConvertError for text that is not one.
    int32_t Value() { return GetValue(); }
    // The text becomes the decimal form of CheckValue(Value).
    void SetValue(int32_t NewValue);
    // With UseRanges: Value clamped to the range, and each half of the spin button
    // enabled while there is room that way; without: both halves enabled, Value as is.
    int32_t CheckValue(int32_t NewValue);

protected:
    virtual int32_t GetValue();
    // "-" and digits, and control characters except carriage return; a disabled control
    // takes no printable character and no Backspace either.
    bool IsValidChar(char32_t& Key) override;
    void IncValue() override;
    void DecValue() override;
    void ExitCheck() override;
    void InternalUpdate() override;

private:
    // CheckValue of the text's number, for the buttons only; nothing for other text.
    void RefreshButtons();

    int32_t FMinValue = 0;
    int32_t FMaxValue = 0;
    int32_t FIncrement = 1;
};

#pragma once
// An edit with an up/down spin button inside its right edge (TrmCustomSpinEdit), and the
// editors with an optional range built on it: the shared value-and-range part
// (TrmRangeSpinEdit) and the integer editor (TrmSpinEdit).
#include "inspector/rmBtnEdit.h"
#include "inspector/rmSpinButton.h"
#include "platform/Exception.h"

#include <algorithm>
#include <string_view>

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
    // Digits, the characters of Extra, and control characters except carriage return; with
    // the editor switched off no printable character and no Backspace either.
    bool IsValidNumberChar(char32_t Key, std::u32string_view Extra) const;
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

// The value, its range and the spin button's halves, shared by the spin edits of every
// value type T (a number, or a time as a day fraction).
template <class T>
class TrmRangeSpinEdit : public TrmCustomSpinEdit {
public:
    T MinValue() const { return FMinValue; }
    // Ignored above MaxValue; the spin button's halves follow the new range.
    void SetMinValue(T Value)
    {
        if (Value > FMaxValue)
            return;
        FMinValue = Value;
        RefreshButtons();
    }
    T MaxValue() const { return FMaxValue; }
    // Ignored below MinValue.
    void SetMaxValue(T Value)
    {
        if (Value < FMinValue)
            return;
        FMaxValue = Value;
        RefreshButtons();
    }

    // The value the text shows; raises EConvertError for text that does not read as one.
    T Value() { return GetValue(); }
    virtual void SetValue(T NewValue) = 0;
    // With UseRanges: NewValue clamped to the range, and each half of the spin button
    // enabled while there is room that way (judged on NewValue as given); without: both
    // halves enabled, NewValue as is.
    T CheckValue(T NewValue)
    {
        if (!UseRanges()) {
            Button().SetUpEnabled(true);
            Button().SetDownEnabled(true);
            return NewValue;
        }
        Button().SetUpEnabled(NewValue < FMaxValue);
        Button().SetDownEnabled(NewValue > FMinValue);
        return std::clamp(NewValue, FMinValue, FMaxValue);
    }

protected:
    virtual T GetValue() = 0;
    // Leaving the control brings a value outside the range back into it.
    void ExitCheck() override
    {
        const T value = Value();
        const T checked = CheckValue(value);
        if (checked != value)
            SetValue(checked);
    }
    void InternalUpdate() override
    {
        // Text that is not a value stays until it is used as one.
        try {
            SetValue(CheckValue(Value()));
        } catch (const EConvertError&) {
        }
    }

private:
    void RefreshButtons()
    {
        try {
            CheckValue(Value());
        } catch (const EConvertError&) {
        }
    }

    T FMinValue{};
    T FMaxValue{};
};

class TrmSpinEdit : public TrmRangeSpinEdit<int32_t> {
public:
    TrmSpinEdit();
    const char* ClassName() const override { return "TrmSpinEdit"; }

    int32_t Increment() const { return FIncrement; }
    void SetIncrement(int32_t Value) { FIncrement = Value; }
    // The text becomes the decimal form of CheckValue(NewValue).
    void SetValue(int32_t NewValue) override;

protected:
    // The text as a number; raises EConvertError for text that is not one.
    int32_t GetValue() override;
    // "-" and digits, and control characters except carriage return.
    bool IsValidChar(char32_t& Key) override;
    void IncValue() override;
    void DecValue() override;
    // Value + Sign * Step, held to the 32-bit range: stepping stops at its ends.
    static int32_t Stepped(int32_t Value, int32_t Step, int Sign);

private:
    int32_t FIncrement = 1;
};

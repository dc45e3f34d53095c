#pragma once
// Owner-drawn check boxes, the inspector's in-place editors for yes/no rows: a two-state
// box (TrmCheckBox) and a three-state one (TrmCheckBoxEx: undefined, true, false, each
// with a text of its own). Both draw a 13 x 13 box and their caption beside it.
#include "graphics/Color32.h"
#include "platform/Control.h"

#include <string>

enum TCBXAlignment : uint8_t { cbxLeft, cbxRight, cbxCentered };
enum TCBExState : uint8_t { cbxUndefined, cbxTrue, cbxFalse };

class TrmCustomCheckBox : public platform::Control {
public:
    TrmCustomCheckBox();
    const char* ClassName() const override { return "TrmCustomCheckBox"; }

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    // The caption becomes "True" or "False" after the checked state.
    bool CaptionTrueFalse() const { return FCaptionTrueFalse; }
    void SetCaptionTrueFalse(bool Value);
    bool FillBackground() const { return FFillBackground; }
    void SetFillBackground(bool Value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor Value);
    TCBXAlignment CBXAlignment() const { return FCBXAlignment; }
    void SetCBXAlignment(TCBXAlignment Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    void SetWantsTabKey(bool Value) { FWantTabs = Value; }
    void SetWantsArrowKeys(bool Value) { FWantArrows = Value; }
    bool WantsTabKey() const override { return FWantTabs; }
    bool WantsArrowKeys() const override { return FWantArrows; }

    bool Checked() const { return FChecked; }
    // Stores the state without events.
    void SetChecked(bool Value);
    // Stores a changed state, fires OnChange and repaints.
    void SetCheckedEx(bool Value);

    // The 13 x 13 box, vertically centred, placed by the alignment.
    platform::Rect CBXRect() const;
    // Where the caption was drawn at the last paint (the box itself for cbxCentered, and
    // before the first paint, when its size is not yet measured).
    platform::Rect CaptionRect() const;

    // A key that is the caption's accelerator ("&x", any case) focuses, toggles and clicks
    // the box when it can take the focus (is visible and enabled); true when it did.
    bool HandleAccelerator(char32_t Key);
    // The window's dialog characters (offered only while the box's parent shows).
    bool DialogChar(char32_t Key) override { return HandleAccelerator(Key); }

    TNotifyEvent OnChange;

protected:
    // The caption the box shows now.
    virtual std::string ShownCaption() const;
    // Draws the box: checked, inactive (greyed) and pushed as the state asks.
    virtual void PaintCheck(platform::Canvas& Canvas, const platform::Rect& Box);
    void DrawCheckBox(platform::Canvas& Canvas, const platform::Rect& Box, bool Checked, bool Inactive) const;
    bool Pushed() const { return (FMousePressed && FMouseInside) || FSpacePressed; }

    void Paint(platform::Canvas& Canvas) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    // The click the control base makes of every release inside does nothing: the box
    // decides itself when it was clicked (a release over the box or caption after a press
    // there, Space, the accelerator), and then runs DoClick.
    void Click() final;
    // OnClick, repaint, OnChange.
    virtual void DoClick();

private:
    bool InsideBoxOrCaption(int32_t X, int32_t Y) const;
    void ToggleAndClick();

    std::string FCaption;
    bool FCaptionTrueFalse = false;
    bool FFillBackground = false;
    TColor FBackgroundColor;
    bool FMousePressed = false;
    bool FSpacePressed = false;
    bool FMouseInside = false;
    TCBXAlignment FCBXAlignment = cbxLeft;
    bool FFlat = false;
    bool FShowFocusRect = true;
    bool FWantTabs = false;
    bool FWantArrows = false;
    bool FChecked = false;
    platform::Size FCaptionExtent; // measured at the last paint
};

class TrmCheckBox : public TrmCustomCheckBox {
public:
    const char* ClassName() const override { return "TrmCheckBox"; }
};

class TrmCheckBoxEx;

// The three texts of a three-state box.
class TrmCheckBoxExStrings : public TPersistent {
public:
    explicit TrmCheckBoxExStrings(TrmCheckBoxEx* Owner = nullptr) : FOwner(Owner) {}
    const char* ClassName() const override { return "TrmCheckBoxExStrings"; }

    const std::string& Undefined() const { return FUndefined; }
    void SetUndefined(const std::string& Value);
    const std::string& TrueState() const { return FTrueState; }
    void SetTrueState(const std::string& Value);
    const std::string& FalseState() const { return FFalseState; }
    void SetFalseState(const std::string& Value);
    const std::string& Text(TCBExState State) const;

protected:
    void AssignTo(TPersistent* Dest) const override;

private:
    void Changed();

    TrmCheckBoxEx* FOwner;
    std::string FUndefined = "Undefined";
    std::string FTrueState = "True";
    std::string FFalseState = "False";
};

class TrmCheckBoxEx : public TrmCustomCheckBox {
public:
    TrmCheckBoxEx() : FStrings(this) {}
    const char* ClassName() const override { return "TrmCheckBoxEx"; }

    TCBExState Value() const { return FValue; }
    // Stores a changed value (a change to cbxUndefined gives cbxTrue unless FullMode),
    // fires OnChange and repaints.
    void SetValue(TCBExState Value);
    // Whether clicks cycle through cbxUndefined too.
    bool FullMode() const { return FFullMode; }
    void SetFullMode(bool Value) { FFullMode = Value; }
    // Draw the box active even when the control is disabled.
    bool AlwaysLight() const { return FAlwaysLight; }
    void SetAlwaysLight(bool Value);
    const TrmCheckBoxExStrings& Strings() const { return FStrings; }
    TrmCheckBoxExStrings& Strings() { return FStrings; }
    void SetStrings(const TrmCheckBoxExStrings& Value) { FStrings.Assign(&Value); }

protected:
    std::string ShownCaption() const override;
    void PaintCheck(platform::Canvas& Canvas, const platform::Rect& Box) override;
    // Then steps the value: undefined to true, true to false, false to undefined in
    // FullMode, else to true.
    void DoClick() override;

private:
    TCBExState FValue = cbxUndefined;
    bool FFullMode = false;
    bool FAlwaysLight = false;
    TrmCheckBoxExStrings FStrings;
};

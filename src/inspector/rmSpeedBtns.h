#pragma once
// Flat, glyph-carrying buttons for the edit controls: the speed button with three looks
// (ordinary, combo-box arrow button, split button with a drop-down menu part) and the
// speed button that repeats its click while held.
#include "platform/PopupMenu.h"
#include "inspector/rmButtonGlyph.h"
#include "platform/Action.h"
#include "platform/Control.h"

#include <string>
#include <vector>

enum TrmSpeedButtonStyle : uint8_t { sbsNormal, sbsComboButton, sbsMenu };

class TrmCustomSpeedButton : public platform::Control {
public:
    TrmCustomSpeedButton();
    const char* ClassName() const override { return "TrmCustomSpeedButton"; }

    int32_t GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int32_t Value);
    bool Down() const { return FDown; }
    // Only buttons of a group go down; going up needs AllowAllUp.
    void SetDown(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int32_t Spacing() const { return FSpacing; }
    void SetSpacing(int32_t Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    // -1 centres the content; smaller values are refused.
    int32_t Margin() const { return FMargin; }
    void SetMargin(int32_t Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TrmSpeedButtonStyle Style() const { return FStyle; }
    void SetStyle(TrmSpeedButtonStyle Value);
    int32_t MenuButtonWidth() const { return FMenuButtonWidth; }
    void SetMenuBtnWidth(int32_t Value);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    // Borrowed.
    void SetDropDownMenu(TPopupMenu* Value);

    const TBitmap32& Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const TBitmap32* Value)
    {
        FGlyphFromAction = false;
        FGlyph.SetGlyph(Value);
    }
    int32_t NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(int32_t Value) { FGlyph.SetNumGlyphs(Value); }
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);

    // The action the button follows (borrowed; null: none): it takes the action's caption,
    // hint, enabled and visible states, Checked as Down (which only a button of a group
    // takes) and its image as a one-image glyph, when linked and after every change; the
    // glyph taken goes when the action's image goes. A click executes the action unless
    // OnClick is set.
    platform::Action* Action() const { return FActionLink.Action(); }
    void SetAction(platform::Action* Value) { FActionLink.SetAction(Value); }

    TrmButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }
    // A dialog character: when it is the caption's accelerator and the button is enabled
    // and visible, the button clicks and the key is used up (true). The window offers it
    // only while the button's parent shows (HostDialogChar).
    bool DialogChar(char32_t Key) override;
    // The system colours changed: the glyph images are built again.
    void SysColorChange();
    // Then, as after enabling: a flat button shows itself under the mouse when it rests there.
    void Loaded() override;

protected:
    void Paint(platform::Canvas& Canvas) override;
    virtual void StandardPaint(platform::Canvas& Canvas);
    virtual void MenuPaint(platform::Canvas& Canvas);
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // An enabled button checks again where the mouse is (UpdateTracking).
    void EnabledChanged() override { UpdateTracking(); }
    // Flat hot tracking without the mouse moving: an enabled flat button shows itself
    // under the mouse when it is the control the mouse rests on, else flat.
    void UpdateTracking();
    // A double click on a button that is down fires OnDblClick.
    void DblClick() override;
    // The click the control base makes of every release inside does nothing: the button
    // decides itself what counts as a click (see MouseUp) and then runs DoClick.
    void Click() final {}
    // Fires OnClick, or executes the action when OnClick is not set.
    virtual void DoClick();
    // Takes the values of the linked action.
    virtual void ActionChange(const platform::Action& Sender);

    // Sends the group's other buttons up when this one is down, and gives them its
    // AllowAllUp: the group is the speed buttons of the same parent with the same GroupIndex.
    void UpdateExclusive();
    // A group message from Sender.
    void ButtonPressed(TrmCustomSpeedButton& Sender);

    TButtonGlyph& GlyphObject() { return FGlyph; }
    void SetState(TrmButtonState Value);
    bool Dragging() const { return FDragging; }

private:
    // Paint's common part: the state follows the enabled state.
    void UpdateStateForEnabled();
    bool InMenuPart(int32_t X) const { return X >= Width() - FMenuButtonWidth; }
    // Glyph and caption inside Rect, moved by Offset.
    void DrawContent(platform::Canvas& Canvas, const platform::Rect& Rect, platform::Point Offset);

    int32_t FGroupIndex = 0;
    TButtonGlyph FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int32_t FSpacing = 4;
    bool FTransparent = true;
    int32_t FMargin = -1;
    bool FFlat = false;
    bool FMouseInControl = false;
    TrmSpeedButtonStyle FStyle = sbsNormal;
    int32_t FMenuButtonWidth = 11;
    bool FMenuBtnPressed = false;
    TPopupMenu* FDropDownMenu = nullptr;
    TrmButtonState FState = bsUp;
    std::string FCaption;
    bool FGlyphFromAction = false; // the glyph is the linked action's image
    platform::ActionLink FActionLink{[this](const platform::Action& Sender) { ActionChange(Sender); }};
};

class TrmSpeedButton : public TrmCustomSpeedButton {
public:
    const char* ClassName() const override { return "TrmSpeedButton"; }
};

enum TrmTimeBtnStateItem : uint8_t { tbFocusRect = 1 << 0, tbAllowTimer = 1 << 1 };
using TrmTimeBtnState = uint8_t; // a set of TrmTimeBtnStateItem bits

// Repeats its click while held: 400 ms after the press, then every 100 ms, as long as it
// is shown pressed and holds the mouse. All of them share one timer, owned by the button
// being held.
class TrmTimerSpeedButton : public TrmCustomSpeedButton {
public:
    static constexpr uint32_t kFirstDelayMs = 400;
    static constexpr uint32_t kRepeatMs = 100;

    ~TrmTimerSpeedButton() override;
    const char* ClassName() const override { return "TrmTimerSpeedButton"; }

    TrmTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TrmTimeBtnState Value);

    // The shared timer's tick while this button owns it.
    void TimerExpired();

protected:
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    // Then the focus rectangle 3 pixels inside, moved by (1, 1) while pressed.
    void Paint(platform::Canvas& Canvas) override;

private:
    void StopTimer();

    TrmTimeBtnState FTimeBtnState = 0;
};

#include "inspector/rmSpinButton.h"

#include "inspector/rmDefaultGlyphs.h"

namespace {

constexpr int32_t kMinWidth = 15;

} // namespace

TrmSpinButton::TrmSpinButton() : FUpButton(CreateButton()), FDownButton(CreateButton()), FChildren(*this)
{
    FFocusedButton = FUpButton.get();
    FChildren.Add(*FUpButton);
    FChildren.Add(*FDownButton);
    SysColorChange();
    SetBounds(0, 0, 20, 2);
}

TrmSpinButton::~TrmSpinButton() = default;

std::unique_ptr<TrmTimerSpeedButton> TrmSpinButton::CreateButton()
{
    auto button = std::make_unique<TrmTimerSpeedButton>();
    TrmTimerSpeedButton& self = *button;
    self.SetTimeBtnState(tbAllowTimer);
    self.SetStyle(sbsComboButton);
    self.SetLayout(blGlyphTop);
    self.OnClick = [this, &self](TObject*) { BtnClick(self); };
    self.OnMouseDown = [this, &self](TObject*, platform::MouseButton Button, platform::ShiftState, int32_t, int32_t) {
        BtnMouseDown(self, Button);
    };
    return button;
}

void TrmSpinButton::AdjustSize(int32_t& W, int32_t& H)
{
    if (W < kMinWidth)
        W = kMinWidth;
    if (H < 0)
        H = 0;
    const int32_t half = H / 2;
    FUpButton->SetBounds(0, 0, W, half);
    FDownButton->SetBounds(0, half, W, half + H % 2);
}

void TrmSpinButton::SetBounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height)
{
    AdjustSize(Width, Height);
    Control::SetBounds(Left, Top, Width, Height);
}

void TrmSpinButton::SetFocusControl(platform::Control* Value)
{
    if (Value == FFocusControl)
        return;
    if (FFocusControl)
        FFocusControl->RemoveFreeNotification(*this);
    FFocusControl = Value;
    if (FFocusControl)
        FFocusControl->FreeNotification(*this);
}

void TrmSpinButton::Notification(platform::Control& Gone)
{
    if (&Gone == FFocusControl)
        FFocusControl = nullptr;
    Control::Notification(Gone);
}

void TrmSpinButton::SetUpEnabled(bool Value)
{
    FUpEnabled = Value;
    ApplyEnabledFlags();
}

void TrmSpinButton::SetDownEnabled(bool Value)
{
    FDownEnabled = Value;
    ApplyEnabledFlags();
}

void TrmSpinButton::ApplyEnabledFlags()
{
    FUpButton->SetEnabled(FUpEnabled && Enabled());
    FDownButton->SetEnabled(FDownEnabled && Enabled());
}

void TrmSpinButton::EnabledChanged()
{
    ApplyEnabledFlags();
}

void TrmSpinButton::SetUpGlyph(const TBitmap32* Value)
{
    FUpDefaultGlyph = Value == nullptr;
    if (Value) {
        FUpButton->SetGlyph(Value);
        return;
    }
    TBitmap32 glyph;
    LoadSpinUpGlyph(glyph);
    FUpButton->SetGlyph(&glyph);
}

void TrmSpinButton::SetDownGlyph(const TBitmap32* Value)
{
    FDownDefaultGlyph = Value == nullptr;
    if (Value) {
        FDownButton->SetGlyph(Value);
        return;
    }
    TBitmap32 glyph;
    LoadSpinDownGlyph(glyph);
    FDownButton->SetGlyph(&glyph);
}

void TrmSpinButton::SysColorChange()
{
    if (FUpDefaultGlyph)
        SetUpGlyph(nullptr);
    if (FDownDefaultGlyph)
        SetDownGlyph(nullptr);
}

void TrmSpinButton::Paint(platform::Canvas& Canvas)
{
    FChildren.Paint(Canvas);
}

void TrmSpinButton::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FChildren.MouseDown(Button, Shift, X, Y))
        Control::MouseDown(Button, Shift, X, Y);
}

void TrmSpinButton::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FChildren.MouseMove(Shift, X, Y))
        Control::MouseMove(Shift, X, Y);
}

void TrmSpinButton::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FChildren.MouseUp(Button, Shift, X, Y))
        Control::MouseUp(Button, Shift, X, Y);
}

void TrmSpinButton::MouseLeave()
{
    FChildren.MouseLeave();
    Control::MouseLeave();
}

void TrmSpinButton::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    switch (Key) {
    case platform::key::Up:
        SetFocusBtn(*FUpButton);
        BtnClick(*FUpButton);
        break;
    case platform::key::Down:
        SetFocusBtn(*FDownButton);
        BtnClick(*FDownButton);
        break;
    case platform::key::Space:
        BtnClick(*FFocusedButton);
        break;
    default:
        break;
    }
    Control::KeyDown(Key, Shift);
}

void TrmSpinButton::DoEnter()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
    Control::DoEnter();
}

void TrmSpinButton::DoExit()
{
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    Control::DoExit();
}

void TrmSpinButton::SetFocusBtn(TrmTimerSpeedButton& Btn)
{
    if (!TabStop() || !CanFocus() || &Btn == FFocusedButton)
        return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() & ~tbFocusRect);
    FFocusedButton = &Btn;
    if (Focused())
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() | tbFocusRect);
    Invalidate();
}

void TrmSpinButton::BtnMouseDown(TrmTimerSpeedButton& Sender, platform::MouseButton Button)
{
    if (Button != platform::MouseButton::Left)
        return;
    SetFocusBtn(Sender);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && CanFocus() && !Focused())
        SetFocus();
}

void TrmSpinButton::BtnClick(TrmTimerSpeedButton& Sender)
{
    if (&Sender == FUpButton.get()) {
        if (OnUpClick)
            OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

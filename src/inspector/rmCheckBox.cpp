#include "inspector/rmCheckBox.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmDrawText.h"
#include "inspector/rmLibraryText.h"

namespace {

constexpr int32_t kBoxSize = 13;
constexpr int32_t kCaptionGap = 20; // from the box's left to the caption (box 13 + 7)

platform::Rect Inflated(const platform::Rect& r, int32_t by)
{
    return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

} // namespace

// ---- TrmCustomCheckBox ------------------------------------------------------------------

TrmCustomCheckBox::TrmCustomCheckBox() : FBackgroundColor(clWindow)
{
    SetBounds(0, 0, 90, 17);
    SetColor(CanvasColorOf(clBtnFace));
    SetTabStop(true);
}

void TrmCustomCheckBox::SetCaption(const std::string& Value)
{
    StoreAndRepaint(FCaption, Value);
}

void TrmCustomCheckBox::SetCaptionTrueFalse(bool Value)
{
    StoreAndRepaint(FCaptionTrueFalse, Value);
}

void TrmCustomCheckBox::SetFillBackground(bool Value)
{
    StoreAndRepaint(FFillBackground, Value);
}

void TrmCustomCheckBox::SetBackgroundColor(TColor Value)
{
    StoreAndRepaint(FBackgroundColor, Value);
}

void TrmCustomCheckBox::SetCBXAlignment(TCBXAlignment Value)
{
    StoreAndRepaint(FCBXAlignment, Value);
}

void TrmCustomCheckBox::SetFlat(bool Value)
{
    StoreAndRepaint(FFlat, Value);
}

void TrmCustomCheckBox::SetShowFocusRect(bool Value)
{
    StoreAndRepaint(FShowFocusRect, Value);
}

void TrmCustomCheckBox::SetChecked(bool Value)
{
    FChecked = Value;
}

void TrmCustomCheckBox::SetCheckedEx(bool Value)
{
    if (Value == FChecked)
        return;
    FChecked = Value;
    if (OnChange)
        OnChange(this);
    Invalidate();
}

platform::Rect TrmCustomCheckBox::CBXRect() const
{
    const int32_t top = Height() / 2 - 6;
    int32_t left = 3;
    if (FCBXAlignment == cbxRight)
        left = Width() - 16;
    else if (FCBXAlignment == cbxCentered)
        left = Width() / 2 - 6;
    return {left, top, left + kBoxSize, top + kBoxSize};
}

platform::Rect TrmCustomCheckBox::CaptionRect() const
{
    const platform::Rect box = CBXRect();
    if (FCBXAlignment == cbxCentered || FCaptionExtent.Width == 0)
        return box;
    const int32_t top = (Height() - FCaptionExtent.Height) / 2;
    const int32_t left = FCBXAlignment == cbxLeft ? box.Left + kCaptionGap : Width() - kCaptionGap - FCaptionExtent.Width;
    return {left, top, left + FCaptionExtent.Width, top + FCaptionExtent.Height};
}

std::string TrmCustomCheckBox::ShownCaption() const
{
    return FCaptionTrueFalse ? BoolToStr(FChecked) : FCaption;
}

void TrmCustomCheckBox::DrawCheckBox(platform::Canvas& Canvas, const platform::Rect& Box, bool Checked,
                                     bool Inactive) const
{
    const int32_t l = Box.Left, t = Box.Top, r = Box.Right - 1, b = Box.Bottom - 1;
    platform::Rect inside = Box;
    if (FFlat) {
        Canvas.FrameRect(Box, CanvasColorOf(clBtnShadow));
        inside = Inflated(Box, -1);
    } else {
        // A sunken edge: shadow over dark shadow at the top left, highlight over light at
        // the bottom right.
        Canvas.Line(l, t, r - 1, t, CanvasColorOf(clBtnShadow));
        Canvas.Line(l, t, l, b - 1, CanvasColorOf(clBtnShadow));
        Canvas.Line(l, b, r, b, CanvasColorOf(clBtnHighlight));
        Canvas.Line(r, t, r, b, CanvasColorOf(clBtnHighlight));
        Canvas.Line(l + 1, t + 1, r - 2, t + 1, CanvasColorOf(cl3DDkShadow));
        Canvas.Line(l + 1, t + 1, l + 1, b - 2, CanvasColorOf(cl3DDkShadow));
        Canvas.Line(l + 1, b - 1, r - 1, b - 1, CanvasColorOf(cl3DLight));
        Canvas.Line(r - 1, t + 1, r - 1, b - 1, CanvasColorOf(cl3DLight));
        inside = Inflated(Box, -2);
    }
    Canvas.FillRect(inside, CanvasColorOf(Pushed() || Inactive ? clBtnFace : clWindow));
    if (!Checked)
        return;
    // A tick three pixels thick: down two to the right, then up four.
    const platform::CanvasColor mark = CanvasColorOf(Inactive ? clGrayText : clWindowText);
    const int32_t x = inside.Left + 1, y = inside.Top + 3;
    for (int32_t i = 0; i < 3; ++i) {
        Canvas.Line(x, y + i, x + 2, y + 2 + i, mark);
        Canvas.Line(x + 2, y + 2 + i, x + 6, y - 2 + i, mark);
    }
}

void TrmCustomCheckBox::PaintCheck(platform::Canvas& Canvas, const platform::Rect& Box)
{
    DrawCheckBox(Canvas, Box, FChecked, !Enabled());
}

void TrmCustomCheckBox::Paint(platform::Canvas& Canvas)
{
    const std::string caption = ShownCaption();
    Canvas.FillRect(ClientRect(), FFillBackground ? CanvasColorOf(FBackgroundColor) : Color());
    platform::Rect measured{0, 0, 0, 0};
    DrawTextInRect(Canvas, caption, measured, dt::CalcRect | dt::SingleLine, Font());
    FCaptionExtent = {measured.Width(), measured.Height()};

    PaintCheck(Canvas, CBXRect());
    platform::Rect captionRect = CaptionRect();
    if (FCBXAlignment != cbxCentered) {
        const uint32_t align = FCBXAlignment == cbxRight ? dt::Right : dt::Left;
        DrawTextInRect(Canvas, caption, captionRect, dt::SingleLine | dt::VCenter | align, Font());
    }
    if (Focused() && FShowFocusRect)
        Canvas.DrawFocusRect(Inflated(captionRect, 2));
}

bool TrmCustomCheckBox::InsideBoxOrCaption(int32_t X, int32_t Y) const
{
    const platform::Rect box = CBXRect(), caption = CaptionRect();
    const platform::Rect both{std::min(box.Left, caption.Left), std::min(box.Top, caption.Top),
                              std::max(box.Right, caption.Right), std::max(box.Bottom, caption.Bottom)};
    return both.Contains(X, Y);
}

void TrmCustomCheckBox::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == platform::MouseButton::Left) {
        if (InsideBoxOrCaption(X, Y)) {
            SetFocus();
            FMousePressed = true;
            FMouseInside = true;
            Invalidate();
        }
    }
    Control::MouseDown(Button, Shift, X, Y);
}

void TrmCustomCheckBox::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    const bool inside = ClientRect().Contains(X, Y);
    if (inside != FMouseInside) {
        FMouseInside = inside;
        Invalidate();
    }
    Control::MouseMove(Shift, X, Y);
}

void TrmCustomCheckBox::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == platform::MouseButton::Left && FMousePressed) {
        FMousePressed = false;
        if (InsideBoxOrCaption(X, Y))
            ToggleAndClick();
        else
            Invalidate();
    }
    Control::MouseUp(Button, Shift, X, Y);
}

void TrmCustomCheckBox::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (Key == platform::key::Space && (Shift & platform::shift::Keys) == 0 && !FSpacePressed) {
        FSpacePressed = true;
        Invalidate();
    }
    Control::KeyDown(Key, Shift);
}

void TrmCustomCheckBox::KeyUp(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (Key == platform::key::Space && FSpacePressed) {
        FSpacePressed = false;
        ToggleAndClick();
    }
    Control::KeyUp(Key, Shift);
}

void TrmCustomCheckBox::DoEnter()
{
    FMousePressed = false;
    FSpacePressed = false;
    Invalidate();
    Control::DoEnter();
}

void TrmCustomCheckBox::DoExit()
{
    FMousePressed = false;
    FSpacePressed = false;
    Invalidate();
    Control::DoExit();
}

void TrmCustomCheckBox::ToggleAndClick()
{
    FChecked = !FChecked;
    Invalidate();
    DoClick();
}

void TrmCustomCheckBox::Click()
{
    // Only the control base calls this, after any left release inside the control.
}

void TrmCustomCheckBox::DoClick()
{
    Control::Click();
    Invalidate();
    if (OnChange)
        OnChange(this);
}

bool TrmCustomCheckBox::HandleAccelerator(char32_t Key)
{
    if (!IsAccel(Key, FCaption) || !CanFocus())
        return false;
    SetFocus();
    ToggleAndClick();
    return true;
}

// ---- TrmCheckBoxExStrings ---------------------------------------------------------------

void TrmCheckBoxExStrings::SetUndefined(const std::string& Value)
{
    FUndefined = Value;
    Changed();
}

void TrmCheckBoxExStrings::SetTrueState(const std::string& Value)
{
    FTrueState = Value;
    Changed();
}

void TrmCheckBoxExStrings::SetFalseState(const std::string& Value)
{
    FFalseState = Value;
    Changed();
}

const std::string& TrmCheckBoxExStrings::Text(TCBExState State) const
{
    return State == cbxTrue ? FTrueState : (State == cbxFalse ? FFalseState : FUndefined);
}

void TrmCheckBoxExStrings::AssignTo(TPersistent* Dest) const
{
    auto* strings = dynamic_cast<TrmCheckBoxExStrings*>(Dest);
    if (!strings) {
        TPersistent::AssignTo(Dest);
        return;
    }
    strings->FUndefined = FUndefined;
    strings->FTrueState = FTrueState;
    strings->FFalseState = FFalseState;
    strings->Changed();
}

void TrmCheckBoxExStrings::Changed()
{
    if (FOwner)
        FOwner->Invalidate();
}

// ---- TrmCheckBoxEx ----------------------------------------------------------------------

void TrmCheckBoxEx::SetValue(TCBExState Value)
{
    if (Value == FValue)
        return;
    if (Value == cbxUndefined && !FFullMode)
        Value = cbxTrue;
    if (Value == FValue)
        return; // no event for a value that ends up unchanged
    FValue = Value;
    if (OnChange)
        OnChange(this);
    Invalidate();
}

void TrmCheckBoxEx::SetAlwaysLight(bool Value)
{
    StoreAndRepaint(FAlwaysLight, Value);
}

std::string TrmCheckBoxEx::ShownCaption() const
{
    return CaptionTrueFalse() ? TrmCustomCheckBox::ShownCaption() : FStrings.Text(FValue);
}

void TrmCheckBoxEx::PaintCheck(platform::Canvas& Canvas, const platform::Rect& Box)
{
    DrawCheckBox(Canvas, Box, FValue == cbxTrue, FValue == cbxUndefined || (!Enabled() && !FAlwaysLight));
}

void TrmCheckBoxEx::DoClick()
{
    TrmCustomCheckBox::DoClick();
    switch (FValue) {
    case cbxUndefined:
        SetValue(cbxTrue);
        break;
    case cbxTrue:
        SetValue(cbxFalse);
        break;
    case cbxFalse:
        SetValue(FFullMode ? cbxUndefined : cbxTrue);
        break;
    }
}

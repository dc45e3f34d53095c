#include "inspector/rmSpeedBtns.h"

#include "graphics/Blend32.h"
#include "graphics/SystemColorNames.h"
#include "inspector/rmDrawText.h"
#include "inspector/rmFrames.h"
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmMarlett.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"

namespace {

bool Pressed(TrmButtonState State)
{
    return State == bsDown || State == bsExclusive;
}

platform::Rect Shrunk(const platform::Rect& r, int32_t by)
{
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

// The repeat timer of every TrmTimerSpeedButton and the button that owns it now.
TrmTimerSpeedButton* repeatTimerOwner = nullptr;
platform::Timer repeatTimer([] {
    if (repeatTimerOwner)
        repeatTimerOwner->TimerExpired();
});

constexpr TColor clFuchsia = 0xFF00FF;

// Glyph shows the action's image: sized as its list's images, filled with clFuchsia, the
// see-through colour of such a glyph (its bottom-left pixel), and the image blended over
// that by its alpha.
void DrawActionGlyph(const platform::Action& Action, TBitmap32& Glyph)
{
    const platform::Size size = Action.Images()->ImageSize();
    const platform::ConstPixelView image = Action.Image();
    Glyph.SetSize(size.Width, size.Height);
    Glyph.Clear(Color32(clFuchsia));
    const int32_t width = std::min(size.Width, image.Width);
    for (int32_t y = 0; y < std::min(size.Height, image.Height); ++y)
        BlendLine(image.Row(y), Glyph.ScanLine(y), width);
    EMMS();
}

} // namespace

// ---- TrmCustomSpeedButton ---------------------------------------------------------------

TrmCustomSpeedButton::TrmCustomSpeedButton()
{
    SetBounds(0, 0, 23, 22);
    SetColor(CanvasColorOf(clBtnFace));
    FGlyph.OnChange = [this](TObject*) { Invalidate(); };
}

void TrmCustomSpeedButton::SetGroupIndex(int32_t Value)
{
    if (FStyle != sbsNormal)
        Value = 0;
    if (Value == FGroupIndex)
        return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TrmCustomSpeedButton::SetDown(bool Value)
{
    if (FStyle != sbsNormal || FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    FState = Value ? bsExclusive : bsUp;
    Invalidate();
    if (Value)
        UpdateExclusive();
}

void TrmCustomSpeedButton::SetAllowAllUp(bool Value)
{
    if (FStyle != sbsNormal)
        Value = false;
    if (Value == FAllowAllUp)
        return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TrmCustomSpeedButton::SetLayout(TButtonLayout Value)
{
    StoreAndRepaint(FLayout, Value);
}

void TrmCustomSpeedButton::SetSpacing(int32_t Value)
{
    StoreAndRepaint(FSpacing, Value);
}

void TrmCustomSpeedButton::SetTransparent(bool Value)
{
    if (FStyle == sbsComboButton)
        Value = false;
    StoreAndRepaint(FTransparent, Value);
}

void TrmCustomSpeedButton::SetMargin(int32_t Value)
{
    if (Value >= -1)
        StoreAndRepaint(FMargin, Value);
}

void TrmCustomSpeedButton::SetFlat(bool Value)
{
    if (FStyle == sbsComboButton)
        Value = false;
    StoreAndRepaint(FFlat, Value);
}

void TrmCustomSpeedButton::SetStyle(TrmSpeedButtonStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    if (FStyle != sbsNormal) {
        FGroupIndex = 0;
        FDown = false;
        FAllowAllUp = false;
        FState = bsUp;
    }
    if (FStyle == sbsComboButton) {
        FFlat = false;
        FTransparent = false;
    }
    Invalidate();
}

void TrmCustomSpeedButton::SetMenuBtnWidth(int32_t Value)
{
    StoreAndRepaint(FMenuButtonWidth, Value);
}

void TrmCustomSpeedButton::SetDropDownMenu(TPopupMenu* Value)
{
    FDropDownMenu = Value;
}

void TrmCustomSpeedButton::SetCaption(const std::string& Value)
{
    StoreAndRepaint(FCaption, Value);
}

void TrmCustomSpeedButton::SetState(TrmButtonState Value)
{
    StoreAndRepaint(FState, Value);
}

bool TrmCustomSpeedButton::DialogChar(char32_t Key)
{
    if (!IsAccel(Key, FCaption) || !Enabled() || !Visible())
        return false;
    DoClick();
    return true;
}

void TrmCustomSpeedButton::SysColorChange()
{
    FGlyph.Invalidate();
    Invalidate();
}

void TrmCustomSpeedButton::Loaded()
{
    Control::Loaded();
    UpdateTracking();
}

void TrmCustomSpeedButton::UpdateTracking()
{
    platform::Point mouse;
    if (!FFlat || !Enabled() || !platform::CursorPos(mouse))
        return;
    const bool over = ControlAtScreen(mouse) == this;
    if (over != FMouseInControl) {
        FMouseInControl = over;
        Invalidate();
    }
}

void TrmCustomSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || Host() == nullptr)
        return;
    for (platform::Control* sibling : Host()->Siblings())
        if (auto* button = dynamic_cast<TrmCustomSpeedButton*>(sibling); button && button != this)
            button->ButtonPressed(*this);
}

void TrmCustomSpeedButton::ButtonPressed(TrmCustomSpeedButton& Sender)
{
    if (Sender.FGroupIndex != FGroupIndex)
        return;
    if (Sender.FDown && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = Sender.FAllowAllUp;
}

void TrmCustomSpeedButton::UpdateStateForEnabled()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
}

void TrmCustomSpeedButton::Paint(platform::Canvas& Canvas)
{
    UpdateStateForEnabled();
    MarlettCanvas canvas(Canvas);
    switch (FStyle) {
    case sbsNormal:
    case sbsComboButton: StandardPaint(canvas); break;
    case sbsMenu: MenuPaint(canvas); break;
    default: throw Exception("Unknown button style.");
    }
}

void TrmCustomSpeedButton::DrawContent(platform::Canvas& Canvas, const platform::Rect& Rect, platform::Point Offset)
{
    // Read right to left (its own BiDiMode or its parent's), glyph and caption swap sides.
    FGlyph.Draw(Canvas, Rect, Offset, FCaption, FLayout, FMargin, FSpacing, FState, FTransparent,
                UseRightToLeftReading(), Font());
}

void TrmCustomSpeedButton::StandardPaint(platform::Canvas& Canvas)
{
    platform::Rect paintRect = ClientRect();
    const bool pressed = Pressed(FState);
    if (FFlat) {
        if (!FTransparent)
            Canvas.FillRect(paintRect, Color());
        if (pressed || (FMouseInControl && FState != bsDisabled))
            DrawFlatEdge(Canvas, paintRect, pressed);
        paintRect = Shrunk(paintRect, 1);
    } else if (FStyle == sbsComboButton) {
        if (pressed) {
            Frame3D(Canvas, paintRect, CanvasColorOf(clBtnShadow), CanvasColorOf(clBtnShadow));
        } else {
            Frame3D(Canvas, paintRect, CanvasColorOf(clBtnFace), CanvasColorOf(cl3DDkShadow));
            Frame3D(Canvas, paintRect, CanvasColorOf(clBtnHighlight), CanvasColorOf(clBtnShadow));
        }
        if (!paintRect.IsEmpty())
            Canvas.FillRect(paintRect, CanvasColorOf(clBtnFace));
    } else {
        DrawPushButtonFrame(Canvas, paintRect, pressed);
    }
    platform::Point offset{0, 0};
    if (pressed)
        offset = FStyle == sbsNormal ? platform::Point{1, 1} : platform::Point{0, 0};
    else if (FStyle == sbsComboButton)
        offset = {-1, -1};
    if (FState == bsExclusive && (!FFlat || !FMouseInControl))
        FillDithered(Canvas, paintRect, CanvasColorOf(clBtnFace), CanvasColorOf(clBtnHighlight));
    DrawContent(Canvas, paintRect, offset);
}

void TrmCustomSpeedButton::MenuPaint(platform::Canvas& Canvas)
{
    const platform::Rect whole = ClientRect();
    platform::Rect mainPart{0, 0, whole.Right - FMenuButtonWidth, whole.Bottom};
    platform::Rect menuPart{mainPart.Right, 0, whole.Right, whole.Bottom};
    const bool mainDown = FState == bsDown;
    const bool menuDown = FState == bsDown || FState == bsMenu;
    if (FFlat) {
        if (!mainDown && !menuDown && !FMouseInControl) {
            if (!FTransparent)
                Canvas.FillRect(whole, Color());
        } else {
            DrawFlatEdge(Canvas, mainPart, mainDown);
            DrawFlatEdge(Canvas, menuPart, menuDown);
        }
        mainPart = Shrunk(mainPart, 1);
        menuPart = Shrunk(menuPart, 1);
    } else {
        DrawPushButtonFrame(Canvas, mainPart, mainDown);
        DrawPushButtonFrame(Canvas, menuPart, menuDown);
    }
    DrawContent(Canvas, mainPart, mainDown ? platform::Point{1, 1} : platform::Point{0, 0});

    // The menu part's down triangle, as high as the part inside its frame.
    platform::FontSpec arrowFont;
    arrowFont.Family = std::string(kMarlettFamily);
    arrowFont.PointSize = std::max(1, menuPart.Height() * 72 / 96);
    arrowFont.Color = CanvasColorOf(clBtnText);
    platform::Rect arrow = menuDown ? menuPart.Offset(1, 1) : menuPart;
    const uint32_t flags = dt::Center | dt::VCenter | dt::SingleLine;
    if (FState == bsDisabled)
        DrawGrayText(Canvas, "6", arrow, flags, arrowFont);
    else
        DrawTextInRect(Canvas, "6", arrow, flags, arrowFont);
}

void TrmCustomSpeedButton::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    Control::MouseDown(Button, Shift, X, Y);
    if (Button != platform::MouseButton::Left || !Enabled())
        return;
    SetMouseCapture(true);
    if (FStyle == sbsMenu) {
        FMenuBtnPressed = InMenuPart(X);
        FState = FMenuBtnPressed ? bsMenu : bsDown;
        Invalidate();
    } else if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    FDragging = true;
}

void TrmCustomSpeedButton::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    Control::MouseMove(Shift, X, Y);
    const bool inside = ClientRect().Contains(X, Y);
    if (!FDragging) {
        if (FFlat && inside != FMouseInControl && Enabled()) {
            FMouseInControl = inside;
            Invalidate();
        }
        return;
    }
    TrmButtonState shown = FDown ? bsExclusive : bsUp;
    if (FStyle == sbsMenu) {
        // A press begun in one part never shows the other part pressed.
        shown = bsUp;
        if (inside && InMenuPart(X) == FMenuBtnPressed)
            shown = FMenuBtnPressed ? bsMenu : bsDown;
    } else if (inside) {
        shown = FDown ? bsExclusive : bsDown;
    }
    SetState(shown);
}

void TrmCustomSpeedButton::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    Control::MouseUp(Button, Shift, X, Y);
    if (Button != platform::MouseButton::Left || !FDragging)
        return;
    FDragging = false;
    SetMouseCapture(false);
    const bool inside = ClientRect().Contains(X, Y);
    bool doClick = inside;
    if (FStyle == sbsMenu) {
        doClick = inside && !FMenuBtnPressed;
        const bool popMenu = FMenuBtnPressed && inside && InMenuPart(X);
        FState = bsUp;
        FMenuBtnPressed = false;
        FMouseInControl = false;
        Invalidate();
        if (popMenu && FDropDownMenu) {
            const platform::Point at = ClientToScreen(platform::Point{0, Height()});
            FDropDownMenu->Popup(at.X, at.Y);
        }
    } else if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = FFlat && inside;
        Invalidate();
    } else if (doClick) {
        // SetDown refuses to go up without AllowAllUp; the button then shows down again.
        SetDown(!FDown);
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
    } else {
        if (FDown)
            FState = bsExclusive;
        Invalidate();
    }
    if (doClick)
        DoClick();
}

void TrmCustomSpeedButton::MouseEnter()
{
    Control::MouseEnter();
    if (FFlat && Enabled() && !FMouseInControl) {
        FMouseInControl = true;
        Invalidate();
    }
}

void TrmCustomSpeedButton::MouseLeave()
{
    Control::MouseLeave();
    if (FFlat && FMouseInControl && !FDragging) {
        FMouseInControl = false;
        Invalidate();
    }
}

void TrmCustomSpeedButton::DblClick()
{
    if (FDown)
        Control::DblClick();
}

void TrmCustomSpeedButton::DoClick()
{
    if (!OnClick && FActionLink.Action())
        FActionLink.Action()->Execute();
    else
        Control::Click();
}

void TrmCustomSpeedButton::ActionChange(const platform::Action& Sender)
{
    SetCaption(Sender.Caption());
    SetHint(Sender.Hint());
    SetEnabled(Sender.Enabled());
    SetVisible(Sender.Visible());
    SetDown(Sender.Checked());
    if (!Sender.Image().IsEmpty()) {
        TBitmap32 glyph;
        DrawActionGlyph(Sender, glyph);
        FGlyph.SetNumGlyphs(1);
        FGlyph.SetGlyph(&glyph);
        FGlyphFromAction = true;
    } else if (FGlyphFromAction) {
        SetGlyph(nullptr);
    }
}

// ---- TrmTimerSpeedButton ----------------------------------------------------------------

TrmTimerSpeedButton::~TrmTimerSpeedButton()
{
    StopTimer();
}

void TrmTimerSpeedButton::SetTimeBtnState(TrmTimeBtnState Value)
{
    if (Value == FTimeBtnState)
        return;
    FTimeBtnState = Value;
    Invalidate();
}

void TrmTimerSpeedButton::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    TrmCustomSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button != platform::MouseButton::Left || (FTimeBtnState & tbAllowTimer) == 0)
        return;
    repeatTimerOwner = this;
    repeatTimer.SetEnabled(false);
    repeatTimer.SetInterval(kFirstDelayMs);
    repeatTimer.SetEnabled(true);
}

void TrmTimerSpeedButton::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    TrmCustomSpeedButton::MouseUp(Button, Shift, X, Y);
    StopTimer();
}

void TrmTimerSpeedButton::TimerExpired()
{
    repeatTimer.SetInterval(kRepeatMs);
    if (State() == bsDown && MouseCapture())
        DoClick();
}

void TrmTimerSpeedButton::StopTimer()
{
    if (repeatTimerOwner != this)
        return;
    repeatTimer.SetEnabled(false);
    repeatTimerOwner = nullptr;
}

void TrmTimerSpeedButton::Paint(platform::Canvas& Canvas)
{
    TrmCustomSpeedButton::Paint(Canvas);
    if ((FTimeBtnState & tbFocusRect) == 0)
        return;
    platform::Rect focus = Shrunk(ClientRect(), 3);
    if (State() == bsDown || State() == bsExclusive)
        focus = focus.Offset(1, 1);
    Canvas.DrawFocusRect(focus);
}

#include "inspector/rmHintWindow.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmDrawText.h"

TrmHintWindow::TrmHintWindow()
{
    SetColor(CanvasColorOf(clInfoBk));
    platform::FontSpec font;
    font.Color = CanvasColorOf(clInfoText);
    SetFont(font);
    SetVisible(false);
}

void TrmHintWindow::ActivateHint(platform::Rect Rect, std::string_view Text)
{
    FActivating = true;
    FCaption = std::string(Text);
    const platform::Rect desktop = DesktopRect();
    if (!desktop.IsEmpty()) {
        if (Rect.Bottom > desktop.Bottom)
            Rect = Rect.Offset(0, desktop.Bottom - Rect.Bottom);
        if (Rect.Right > desktop.Right)
            Rect = Rect.Offset(desktop.Right - Rect.Right, 0);
        if (Rect.Left < desktop.Left)
            Rect = Rect.Offset(desktop.Left - Rect.Left, 0);
        // A window above the desktop comes down to its top edge.
        if (Rect.Top < desktop.Top)
            Rect = Rect.Offset(0, desktop.Top - Rect.Top);
    }
    SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
    SetVisible(true);
    Invalidate();
    FActivating = false;
}

void TrmHintWindow::ActivateHintData(platform::Rect Rect, std::string_view Text, const void*)
{
    ActivateHint(Rect, Text);
}

platform::Rect TrmHintWindow::CalcHintRect(platform::Canvas& Canvas, int32_t MaxWidth, std::string_view Text,
                                           const void*) const
{
    platform::Rect rect{0, 0, MaxWidth, 0};
    DrawTextInRect(Canvas, Text, rect, dt::CalcRect | dt::SingleLine | dt::NoPrefix, Font());
    return rect;
}

void TrmHintWindow::ReleaseHandle()
{
    SetVisible(false);
}

bool TrmHintWindow::IsHintMsg(platform::InputEvent Msg)
{
    using enum platform::InputEvent;
    switch (Msg) {
    case MouseDown:
    case DoubleClick:
    case MouseUp:
    case MouseWheel:
    case KeyDown:
    case KeyUp:
    case KeyPress:
    case AppActivate:
    case AppDeactivate: return true;
    default: return false;
    }
}

void TrmHintWindow::Paint(platform::Canvas& Canvas)
{
    const platform::Rect whole = ClientRect();
    if (whole.IsEmpty())
        return;
    const int32_t right = whole.Right - 1, bottom = whole.Bottom - 1;
    const platform::CanvasColor light = CanvasColorOf(cl3DLight), dark = CanvasColorOf(cl3DDkShadow);
    Canvas.Line(0, 0, right, 0, light);
    Canvas.Line(0, 0, 0, bottom, light);
    Canvas.Line(0, bottom, right, bottom, dark);
    Canvas.Line(right, 0, right, bottom, dark);
    platform::Rect client{1, 1, right, bottom};
    Canvas.FillRect(client, Color());
    // The text keeps one pixel from the inner edge it starts at.
    if (UseRightToLeftAlignment())
        client.Right -= 1;
    else
        client.Left += 1;
    // The text is always in the info colour, whatever colour the font handed over carries.
    platform::FontSpec font = Font();
    font.Color = CanvasColorOf(clInfoText);
    DrawTextInRect(Canvas, FCaption, client, DrawTextBiDiModeFlags(*this, dt::WordBreak | dt::NoPrefix), font);
}

void TrmSharedHint::Show(const platform::Control& Owner, const platform::Rect& Rect, std::string_view Text,
                         const platform::FontSpec& Font)
{
    FOwner = &Owner;
    if (!FPopup)
        FPopup = platform::CreatePopupWindow(FWindow);
    FWindow.SetFont(Font);
    FWindow.SetBiDiMode(Owner.BiDiMode());
    FWindow.ActivateHint(Rect, Text);
}

void TrmSharedHint::Hide(const platform::Control& Owner)
{
    if (&Owner != FOwner)
        return;
    FOwner = nullptr;
    FWindow.ReleaseHandle();
    FPopup.reset();
}

std::shared_ptr<TrmSharedHint> SharedHintWindow()
{
    // Only a weak reference stays here, so the hint goes with its last holder.
    static std::weak_ptr<TrmSharedHint> shared;
    std::shared_ptr<TrmSharedHint> hint = shared.lock();
    if (!hint) {
        hint = std::make_shared<TrmSharedHint>();
        shared = hint;
    }
    return hint;
}

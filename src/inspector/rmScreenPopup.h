#pragma once
// Turns a control into a screen pop-up: shown in a top-level window of its own above
// every other window, one that never takes the keyboard focus (its owner passes it its
// keys). While shown it holds the mouse capture, except while the mouse is over it, so
// that a left press anywhere else reaches it and hides it; the press is then handled
// as usual. Hidden until shown.
#include "platform/Control.h"
#include "platform/WindowSystem.h"

#include <memory>
#include <type_traits>

// When a dropped-down pop-up goes above its owner instead of below: as soon as its bottom
// would pass the desktop's bottom, or already when it would reach it.
enum class TDropAbove { WhenPassingBottom, WhenReachingBottom };

template <class TBase>
class TrmScreenPopup : public TBase {
    static_assert(std::is_base_of_v<platform::Control, TBase>, "a screen pop-up is a control");

public:
    TrmScreenPopup() { this->SetVisible(false); }
    ~TrmScreenPopup() override
    {
        FWindow.reset(); // detaches the window before the control goes
    }

    // Shows the control at Bounds (desktop coordinates) and takes the mouse; hiding gives
    // it back.
    virtual void Show(const platform::Rect& Bounds)
    {
        this->SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        if (!FWindow)
            FWindow = platform::CreatePopupWindow(*this);
        this->SetVisible(true);
        this->SetMouseCapture(true);
        this->Invalidate();
    }

    virtual void Hide()
    {
        this->SetMouseCapture(false);
        this->SetVisible(false);
    }

    // Shows the control Width x Height below Owner's left edge, or above Owner when, below
    // it, its bottom would come to the desktop's bottom as Rule says.
    void DropDown(const platform::Control& Owner, int32_t Width, int32_t Height, TDropAbove Rule)
    {
        DropDown(Owner, Width, Height, Rule, Owner.DesktopRect());
    }

    // The same with the bottom of Screen (desktop coordinates; empty: not known) in place
    // of the desktop's.
    void DropDown(const platform::Control& Owner, int32_t Width, int32_t Height, TDropAbove Rule,
                  const platform::Rect& Screen)
    {
        platform::Point at = Owner.ClientToScreen(platform::Point{0, Owner.Height()});
        const int64_t bottom = int64_t(at.Y) + Height;
        const bool above = Rule == TDropAbove::WhenReachingBottom ? bottom >= Screen.Bottom : bottom > Screen.Bottom;
        if (!Screen.IsEmpty() && above)
            at.Y = Owner.ClientToScreen(platform::Point{0, 0}).Y - Height;
        Show({at.X, at.Y, at.X + Width, at.Y + Height});
    }

    // The keys the owner of a shown pop-up gets go to the pop-up as its own key-down and
    // key-up, except with Alt and F4, which open and close it: true when the pop-up took
    // Key, which is then used up.
    bool TakeKeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
    {
        return TakeOwnerKey(&platform::Control::HostKeyDown, Key, Shift);
    }

    bool TakeKeyUp(platform::KeyCode& Key, platform::ShiftState Shift)
    {
        return TakeOwnerKey(&platform::Control::HostKeyUp, Key, Shift);
    }

    bool TakeKeyPress(char32_t& Key)
    {
        if (!this->Visible() || Key == 0)
            return false;
        this->HostKeyPress(Key);
        Key = 0;
        return true;
    }

protected:
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override
    {
        if (Button == platform::MouseButton::Left && !this->ClientRect().Contains(X, Y))
            Hide();
        TBase::MouseDown(Button, Shift, X, Y);
    }

    // Over the pop-up the capture is given up, so that its own window gets the mouse.
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override
    {
        if (this->Visible() && this->MouseCapture() && this->ClientRect().Contains(X, Y))
            this->SetMouseCapture(false);
        TBase::MouseMove(Shift, X, Y);
    }

    void MouseLeave() override
    {
        if (this->Visible())
            this->SetMouseCapture(true);
        TBase::MouseLeave();
    }

private:
    using HostKeyHandler = void (platform::Control::*)(platform::KeyCode&, platform::ShiftState);

    bool TakeOwnerKey(HostKeyHandler Handler, platform::KeyCode& Key, platform::ShiftState Shift)
    {
        if (!this->Visible() || (Shift & platform::shift::Alt) != 0 || Key == platform::key::F4)
            return false;
        (this->*Handler)(Key, Shift);
        Key = 0;
        return true;
    }

    std::unique_ptr<platform::PopupWindow> FWindow; // made on first show
};

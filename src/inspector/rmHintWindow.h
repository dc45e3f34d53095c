#pragma once
// A small borderless pop-up that shows one text at a rectangle of the screen; the
// inspectors share one to show names and values their cells cut off. Its host shows it
// as a top-level window that never takes the focus and lets the mouse through (see
// platform/qt/PopupWindow.h).
#include "platform/Control.h"
#include "platform/WindowSystem.h"

#include <memory>
#include <string>
#include <string_view>

class TrmHintWindow : public platform::Control {
public:
    TrmHintWindow();
    const char* ClassName() const override { return "TrmHintWindow"; }
    // A click on the hint reaches the control under it.
    bool TransparentToMouse() const override { return true; }

    const std::string& Caption() const { return FCaption; }
    bool Activating() const { return FActivating; }

    // Shows Text at Rect (screen coordinates), moved as little as needed to lie on the
    // desktop the host reports, and repaints.
    void ActivateHint(platform::Rect Rect, std::string_view Text);
    void ActivateHintData(platform::Rect Rect, std::string_view Text, const void* Data);
    // (0, 0, MaxWidth, 0) grown to Text measured on one line, no margins.
    platform::Rect CalcHintRect(platform::Canvas& Canvas, int32_t MaxWidth, std::string_view Text,
                                const void* Data) const;
    // Hides the pop-up; the host may let its window go.
    void ReleaseHandle();
    // Whether input of this kind ends a hint: keys, mouse buttons, the wheel and the
    // application's activation and deactivation do; moving, entering and leaving, focus
    // changes and painting do not.
    static bool IsHintMsg(platform::InputEvent Msg);

protected:
    // A raised one-pixel edge around the whole window, the info colour inside, and the
    // caption word-wrapped from one pixel right of the inner edge, in the font's face and
    // size but always in the info text colour.
    void Paint(platform::Canvas& Canvas) override;

private:
    std::string FCaption;
    bool FActivating = false;
};

// One hint window, with the pop-up that shows it on the desktop, shared by all the
// controls that hold it: the control that shows it last is its owner until it hides it.
class TrmSharedHint {
public:
    const TrmHintWindow& Window() const { return FWindow; }
    const platform::Control* Owner() const { return FOwner; }
    // Shows Text at Rect (screen coordinates) in Font for Owner, reading as Owner reads.
    void Show(const platform::Control& Owner, const platform::Rect& Rect, std::string_view Text,
              const platform::FontSpec& Font);
    // Hides the hint when Owner is the one showing it.
    void Hide(const platform::Control& Owner);

private:
    TrmHintWindow FWindow;
    std::unique_ptr<platform::PopupWindow> FPopup; // while shown; goes before the window
    const platform::Control* FOwner = nullptr;
};

// The hint shared by all its holders: made for the first one, freed with the last.
std::shared_ptr<TrmSharedHint> SharedHintWindow();

#pragma once
// What controls ask of the window system beyond the window that shows them: the
// clipboard, the warning beep, the state of the mouse buttons and top-level pop-up
// windows (drop-down lists). The application installs the window system's service
// once at start-up (the Qt one lives in platform/qt); tests install a fake. Without a
// service the clipboard is empty, the beep silent, no button is down and pop-ups get
// no window, so controls still work without a display.
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class Control;

// A top-level window that shows a control; closing it (destroying this object) detaches
// the control again.
class PopupWindow {
public:
    virtual ~PopupWindow() = default;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // UTF-8.
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(std::string_view text) = 0;
    virtual void Beep() = 0;
    virtual bool LeftButtonDown() = 0;
    // Shows `control` in a frameless top-level window above every other window, one that
    // never takes the keyboard focus (nor the mouse, for a control TransparentToMouse); the
    // control's bounds are screen coordinates from then on. The control must outlive the
    // returned window.
    virtual std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control) = 0;
};

// Installs the process-wide service (borrowed: it must outlive every use; null removes it).
void SetWindowSystem(WindowSystem* windowSystem);
WindowSystem* CurrentWindowSystem();

// The calls controls make: each goes to the installed service, or does the do-nothing
// default described above.
std::string ClipboardText();
void SetClipboardText(std::string_view text);
void Beep();
bool LeftButtonDown();
std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control);

} // namespace platform

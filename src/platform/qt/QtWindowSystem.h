#pragma once
// The window-system services over Qt: the application's clipboard, its beep, the mouse
// buttons it knows to be down, and drop-down pop-ups shown by a ControlWidget.
#include "platform/WindowSystem.h"

namespace platform::qt {

class QtWindowSystem final : public WindowSystem {
public:
    std::string ClipboardText() override;
    void SetClipboardText(std::string_view text) override;
    void Beep() override;
    bool LeftButtonDown() override;
    std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control) override;
};

} // namespace platform::qt

#pragma once
// A window system for tests: installs itself while it lives, keeps the clipboard in
// memory, counts beeps and gives pop-ups no window.
#include "platform/WindowSystem.h"

#include <string>

class FakeWindowSystem : public platform::WindowSystem {
public:
    FakeWindowSystem() { platform::SetWindowSystem(this); }
    ~FakeWindowSystem() override { platform::SetWindowSystem(nullptr); }
    FakeWindowSystem(const FakeWindowSystem&) = delete;
    FakeWindowSystem& operator=(const FakeWindowSystem&) = delete;

    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(std::string_view text) override { clipboard = std::string(text); }
    void Beep() override { ++beeps; }
    bool LeftButtonDown() override { return false; }
    std::unique_ptr<platform::PopupWindow> CreatePopupWindow(platform::Control&) override { return nullptr; }

    std::string clipboard;
    int beeps = 0;
};

#include "platform/WindowSystem.h"

namespace platform {
namespace {

WindowSystem* installedWindowSystem = nullptr;

} // namespace

void SetWindowSystem(WindowSystem* windowSystem)
{
    installedWindowSystem = windowSystem;
}

WindowSystem* CurrentWindowSystem()
{
    return installedWindowSystem;
}

std::string ClipboardText()
{
    return installedWindowSystem ? installedWindowSystem->ClipboardText() : std::string();
}

void SetClipboardText(std::string_view text)
{
    if (installedWindowSystem)
        installedWindowSystem->SetClipboardText(text);
}

void Beep()
{
    if (installedWindowSystem)
        installedWindowSystem->Beep();
}

bool LeftButtonDown()
{
    return installedWindowSystem && installedWindowSystem->LeftButtonDown();
}

std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control)
{
    return installedWindowSystem ? installedWindowSystem->CreatePopupWindow(control) : nullptr;
}

} // namespace platform

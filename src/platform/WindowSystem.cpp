#include "platform/WindowSystem.h"

#include "platform/Canvas.h"
#include "platform/Exception.h"

#include <cstring>

namespace platform {
namespace {

WindowSystem* installedWindowSystem = nullptr;

int CollateInCLibrary(const std::string& a, const std::string& b)
{
    // Texts that collate alike (or differ only past a zero byte) keep a fixed order.
    const int collated = std::strcoll(a.c_str(), b.c_str());
    return collated != 0 ? collated : a.compare(b);
}

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

bool CursorPos(Point& screen)
{
    return installedWindowSystem && installedWindowSystem->CursorPos(screen);
}

std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control)
{
    return installedWindowSystem ? installedWindowSystem->CreatePopupWindow(control) : nullptr;
}

bool ClipboardPicture(DecodedImage& picture)
{
    return installedWindowSystem && installedWindowSystem->ClipboardPicture(picture);
}

void SetClipboardPicture(const DecodedImage& picture)
{
    if (installedWindowSystem)
        installedWindowSystem->SetClipboardPicture(picture);
}

Rect MonitorRect(Point point)
{
    return installedWindowSystem ? installedWindowSystem->MonitorRect(point) : Rect{};
}

int WindowSystem::CompareText(const std::string& a, const std::string& b)
{
    return CollateInCLibrary(a, b);
}

int CompareText(const std::string& a, const std::string& b)
{
    return installedWindowSystem ? installedWindowSystem->CompareText(a, b) : CollateInCLibrary(a, b);
}

std::unique_ptr<Canvas> CreatePixelCanvas(const PixelView& target)
{
    std::unique_ptr<Canvas> canvas = installedWindowSystem ? installedWindowSystem->CreatePixelCanvas(target) : nullptr;
    if (!canvas)
        throw Exception("Cannot make a canvas over a bitmap: no window system that draws into memory is installed "
                        "(the program must call platform::SetWindowSystem at start-up)");
    return canvas;
}

bool ReadResource(std::string_view name, std::vector<uint8_t>& bytes, std::string& error)
{
    if (installedWindowSystem)
        return installedWindowSystem->ReadResource(name, bytes, error);
    error = "there is no resource \"" + std::string(name) + "\": no window system is installed";
    return false;
}

int32_t FileIconIndex(const std::filesystem::path& path, bool small)
{
    return installedWindowSystem ? installedWindowSystem->FileIconIndex(path, small) : -1;
}

std::vector<DecodedImage> FileIcons(bool small)
{
    return installedWindowSystem ? installedWindowSystem->FileIcons(small) : std::vector<DecodedImage>();
}

std::string FileTypeName(const std::filesystem::path& path)
{
    return installedWindowSystem ? installedWindowSystem->FileTypeName(path) : std::string();
}

} // namespace platform

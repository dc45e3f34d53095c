#pragma once
// What controls and bitmaps ask of the window system beyond the window that shows them:
// the clipboard (text and pictures), the warning beep, the state of the mouse buttons and
// where the mouse is, top-level pop-up windows (drop-down lists), the monitors, canvases over
// pixel memory, the program's embedded resources, the icons and names of file types and the
// order of texts in the user's locale. The application installs the window system's service
// once at start-up (the Qt one lives in platform/qt); tests install a fake. Without a service
// the clipboard is empty, the beep silent, no button is down, the mouse is nowhere known,
// pop-ups get no window, there are no resources, file icons nor type names, so controls still
// work without a display; only a canvas over pixels cannot be had.
#include "platform/Canvas.h"
#include "platform/ImageDecoder.h"
#include "platform/PixelView.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    // Where the mouse is, in desktop coordinates; false when not known.
    virtual bool CursorPos(Point& /*screen*/) { return false; }
    // Shows `control` in a frameless top-level window above every other window, one that
    // never takes the keyboard focus (nor the mouse, for a control TransparentToMouse); the
    // control's bounds are screen coordinates from then on. The control must outlive the
    // returned window.
    virtual std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control) = 0;

    // The picture on the clipboard; false when it holds none.
    virtual bool ClipboardPicture(DecodedImage& /*picture*/) { return false; }
    // Puts the picture on the clipboard, alpha bytes included.
    virtual void SetClipboardPicture(const DecodedImage& /*picture*/) {}

    // The bounds of the monitor that shows the desktop point (the nearest one when none
    // does), in desktop coordinates; empty when not known.
    virtual Rect MonitorRect(Point /*point*/) { return {}; }

    // Compares two UTF-8 texts as the user's locale sorts them: negative when `a` comes
    // first, positive when `b` does, 0 only for equal texts. The base asks the C library,
    // under the locale the process set (byte order in the standard "C" locale).
    virtual int CompareText(const std::string& a, const std::string& b);

    // A canvas that draws straight into `target`'s pixels until it is destroyed (the
    // pixels must outlive it). Drawing leaves alpha 255 in every pixel it touches.
    // Null when the window system cannot draw into memory.
    virtual std::unique_ptr<Canvas> CreatePixelCanvas(const PixelView& /*target*/) { return nullptr; }

    // The bytes of the program's embedded resource `name`; false with `error` set when
    // there is no such resource.
    virtual bool ReadResource(std::string_view name, std::vector<uint8_t>& /*bytes*/, std::string& error)
    {
        error = "there is no resource \"" + std::string(name) + "\": the program has no embedded resources here";
        return false;
    }

    // File-type icons, kept in two lists of the window system's own (16 x 16 and 32 x 32
    // pixels) in which every distinct icon has one index. FileIconIndex gives the index
    // of the icon shown for `path` (a path that does not exist is looked up by its name
    // alone), adding the icon when it is new; -1 when there are no icons.
    virtual int32_t FileIconIndex(const std::filesystem::path& /*path*/, bool /*small*/) { return -1; }
    // The list's images, by index.
    virtual std::vector<DecodedImage> FileIcons(bool /*small*/) { return {}; }
    // The name of the file's type for people ("PNG image"); a path that does not exist is
    // looked up by its name alone. Empty when the type has no name here.
    virtual std::string FileTypeName(const std::filesystem::path& /*path*/) { return {}; }
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
bool CursorPos(Point& screen);
std::unique_ptr<PopupWindow> CreatePopupWindow(Control& control);
bool ClipboardPicture(DecodedImage& picture);
void SetClipboardPicture(const DecodedImage& picture);
Rect MonitorRect(Point point);
// Without a service, as the base of WindowSystem compares.
int CompareText(const std::string& a, const std::string& b);
// Raises Exception when no window system is installed or it cannot draw into memory.
std::unique_ptr<Canvas> CreatePixelCanvas(const PixelView& target);
bool ReadResource(std::string_view name, std::vector<uint8_t>& bytes, std::string& error);
int32_t FileIconIndex(const std::filesystem::path& path, bool small);
std::vector<DecodedImage> FileIcons(bool small);
std::string FileTypeName(const std::filesystem::path& path);

} // namespace platform

#pragma once
// Shell routines: shortcut (.lnk) files and the icons of file types.
#include "graphics/Bitmap32.h"
#include "graphics/Bitmap32List.h"
#include "platform/WindowPlacement.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// A key with its modifiers: the key code in the low byte, plus these bits.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// What a shortcut file says. Texts are UTF-8; Target is the full path the shortcut opens.
struct TShortcutDetails {
    std::string Target;
    std::string Arguments;
    std::string WorkingFolder;
    std::string Description;
    std::string IconLocation;
    int32_t IconIndex = 0;
    TShortCut HotKey = 0;
    platform::WindowState ShowCommand = platform::WindowState::Normal;

    bool operator==(const TShortcutDetails&) const = default;
};

// Raises Exception "Error opening Shortcut." when the file cannot be read or is not a
// valid shortcut file.
TShortcutDetails ReadShortCutFile(const std::filesystem::path& FileName);
// Writes the file (atomically). The target's attributes, times and size are recorded when
// the target exists here. Raises Exception "Error creating Shortcut." on failure.
void WriteShortCutFile(const std::filesystem::path& FileName, const TShortcutDetails& Details);

// The icon a file manager shows for the file, from the window system's file-type icons
// (a file that does not exist is looked up by its name alone, a ".lnk" shortcut by its
// target): its index in the small (16 x 16) or large (32 x 32) list, -1 when the window
// system has no icons; its picture, copied into Icon (emptied when there is none); and
// the whole list, copied into Images. An empty name raises Exception "No file specified".
int32_t GetFileImageIndex(std::string_view FileName, bool Small);
void GetFileIcon(std::string_view FileName, bool Small, TBitmap32& Icon);
void GetFileImages(TBitmap32List& Images, bool Small);

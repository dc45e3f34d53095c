#include "inspector/rmLibraryShell.h"

#include "platform/AsciiText.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Picture.h"
#include "platform/ShellLink.h"
#include "platform/WindowSystem.h"

#include <sys/stat.h>

namespace {

// Link hot-key modifiers (high byte) against the short-cut bits.
constexpr struct {
    uint16_t link;
    TShortCut shortCut;
} kModifiers[] = {{0x100, scShift}, {0x200, scCtrl}, {0x400, scAlt}};

TShortCut ShortCutOf(uint16_t linkHotKey)
{
    TShortCut result = linkHotKey & 0xFF;
    for (const auto& m : kModifiers)
        if (linkHotKey & m.link)
            result |= m.shortCut;
    return result;
}

uint16_t LinkHotKeyOf(TShortCut shortCut)
{
    uint16_t result = shortCut & 0xFF;
    for (const auto& m : kModifiers)
        if (shortCut & m.shortCut)
            result |= m.link;
    return result;
}

platform::WindowState WindowStateOf(uint32_t showCommand)
{
    switch (showCommand) {
    case 3:
    case 10: return platform::WindowState::Maximized;
    case 2:
    case 6:
    case 7: return platform::WindowState::Minimized;
    default: return platform::WindowState::Normal;
    }
}

// The commands a link file may carry: normal, maximised, minimised without activation.
uint32_t ShowCommandOf(platform::WindowState state)
{
    switch (state) {
    case platform::WindowState::Maximized: return 3;
    case platform::WindowState::Minimized: return 7;
    default: return 1;
    }
}

// 100-ns ticks from 1601-01-01 to 1970-01-01.
constexpr uint64_t kUnixEpochTicks = 116444736000000000ull;

uint64_t FileTimeOf(const timespec& t)
{
    return kUnixEpochTicks + uint64_t(t.tv_sec) * 10000000ull + uint64_t(t.tv_nsec) / 100;
}

// The target's attributes (directory 0x10, else archive 0x20), times and size, when it
// exists here.
void RecordTarget(const std::string& target, platform::ShellLink& link)
{
    struct stat info {};
    if (target.empty() || ::stat(target.c_str(), &info) != 0)
        return;
    link.FileAttributes = S_ISDIR(info.st_mode) ? 0x10 : 0x20;
    link.CreationTime = FileTimeOf(info.st_ctim);
    link.AccessTime = FileTimeOf(info.st_atim);
    link.WriteTime = FileTimeOf(info.st_mtim);
    link.FileSize = uint32_t(info.st_size);
}

std::filesystem::path IconLookupPath(std::string_view fileName)
{
    if (fileName.empty())
        throw Exception("No file specified");
    const std::filesystem::path path(fileName);
    if (platform::LowerAscii(path.extension().string()) == ".lnk") {
        try {
            return ReadShortCutFile(path).Target;
        } catch (const Exception&) {
            // A broken shortcut shows the icon of its own file type.
        }
    }
    return path;
}

void LoadIcon(const platform::DecodedImage& image, TBitmap32& bitmap)
{
    platform::TPicture picture;
    picture.SetImage(image, true);
    bitmap.Assign(&picture);
}

} // namespace

TShortcutDetails ReadShortCutFile(const std::filesystem::path& FileName)
{
    std::vector<uint8_t> bytes;
    std::string error;
    platform::ShellLink link;
    if (!platform::ReadFileBytes(FileName, bytes, error, uint64_t(1) << 24) ||
        !platform::ReadShellLink(bytes, link, error))
        throw Exception("Error opening Shortcut.");
    TShortcutDetails details;
    details.Target = link.Target;
    details.Arguments = link.Arguments;
    details.WorkingFolder = link.WorkingDir;
    details.Description = link.Description;
    details.IconLocation = link.IconLocation;
    details.IconIndex = link.IconIndex;
    details.HotKey = ShortCutOf(link.HotKey);
    details.ShowCommand = WindowStateOf(link.ShowCommand);
    return details;
}

void WriteShortCutFile(const std::filesystem::path& FileName, const TShortcutDetails& Details)
{
    platform::ShellLink link;
    link.Target = Details.Target;
    link.Arguments = Details.Arguments;
    link.WorkingDir = Details.WorkingFolder;
    link.Description = Details.Description;
    link.IconLocation = Details.IconLocation;
    link.IconIndex = Details.IconIndex;
    link.HotKey = LinkHotKeyOf(Details.HotKey);
    link.ShowCommand = ShowCommandOf(Details.ShowCommand);
    RecordTarget(Details.Target, link);
    std::string error;
    if (!platform::WriteFileAtomically(FileName, platform::WriteShellLink(link), error))
        throw Exception("Error creating Shortcut.");
}

int32_t GetFileImageIndex(std::string_view FileName, bool Small)
{
    return platform::FileIconIndex(IconLookupPath(FileName), Small);
}

void GetFileIcon(std::string_view FileName, bool Small, TBitmap32& Icon)
{
    const int32_t index = GetFileImageIndex(FileName, Small);
    const std::vector<platform::DecodedImage> icons = platform::FileIcons(Small);
    if (index < 0 || size_t(index) >= icons.size())
        Icon.SetSize(0, 0);
    else
        LoadIcon(icons[size_t(index)], Icon);
}

void GetFileImages(TBitmap32List& Images, bool Small)
{
    TBitmap32Collection& list = *Images.Bitmaps();
    list.Clear();
    for (const platform::DecodedImage& icon : platform::FileIcons(Small))
        LoadIcon(icon, *list.Add()->Bitmap());
}

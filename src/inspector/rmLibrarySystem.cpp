#include "inspector/rmLibrarySystem.h"

#include "platform/AsciiText.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/HostInfo.h"
#include "platform/VolumeInfo.h"
#include "platform/WindowSystem.h"

#include <algorithm>

namespace {

std::string SubKey(std::string_view key, std::string_view kind, const platform::PlacedWindow& form)
{
    return std::string(key) + "\\" + std::string(kind) + "\\" + form.Name();
}

int64_t FileSystemCode(const std::string& name)
{
    if (name == "FAT")
        return 1;
    if (name == "HPFS")
        return 2;
    if (name == "NTFS")
        return 3;
    return 0;
}

} // namespace

int64_t GetMediaInfo(int32_t Drive, int32_t Kind)
{
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    platform::VolumeInfo info;
    if (Drive != 0 || ec || !platform::QueryVolume(folder, info))
        return -1;
    const auto bytesPerCluster = int64_t(info.SectorsPerCluster * info.BytesPerSector);
    switch (Kind) {
    case 1: return int64_t(info.SectorsPerCluster);
    case 2: return int64_t(info.BytesPerSector);
    case 3: return int64_t(info.FreeClusters);
    case 4: return int64_t(info.TotalClusters);
    case 5: return bytesPerCluster * int64_t(info.TotalClusters);
    case 6: return bytesPerCluster * int64_t(info.FreeClusters);
    case 7: return int64_t(info.SerialNumber);
    case 8: return bytesPerCluster;
    case 9: return FileSystemCode(info.FileSystem);
    case 10: return int64_t(info.Flags);
    case 11: return int64_t(info.MaxNameLength);
    default: return -1;
    }
}

std::string LocalName()
{
    return platform::LocalHostName();
}

std::string LocalIP()
{
    constexpr size_t kMaxAddresses = 11;
    const std::vector<std::string> addresses = platform::LocalHostAddresses();
    if (addresses.empty())
        return {};
    return addresses[std::min(addresses.size(), kMaxAddresses) - 1];
}

std::string GetFileType(std::string_view FileName)
{
    if (FileName.empty())
        throw Exception("No file specified");
    const std::filesystem::path path(FileName);
    if (std::string name = platform::FileTypeName(path); !name.empty())
        return name;
    const std::string extension = path.extension().string();
    return platform::UpperAscii(std::string_view(extension).substr(std::min<size_t>(extension.size(), 1))) + " File";
}

int32_t WinOSVersion()
{
    return 7;
}

std::filesystem::path GetTempDir()
{
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path("/tmp") : folder;
}

std::filesystem::path GetTempFile(std::string_view Prefix, bool InTempDir)
{
    std::error_code ec;
    const std::filesystem::path folder = InTempDir ? GetTempDir() : std::filesystem::current_path(ec);
    std::filesystem::path created;
    std::string error;
    if (ec || !platform::CreateUniqueFile(folder, std::string(Prefix), created, error))
        throw Exception(ec ? "No current folder for a temporary file: " + ec.message() : error);
    return created;
}

void WriteRegString(platform::KeyValueStore& Root, std::string_view Key, std::string_view Name,
                    std::string_view Value)
{
    Root.WriteString(Key, Name, Value);
}

std::string ReadRegString(const platform::KeyValueStore& Root, std::string_view Key, std::string_view Name,
                          std::string_view Default)
{
    std::string value;
    return Root.ReadString(Key, Name, value) ? value : std::string(Default);
}

void SaveDialogPosition(const platform::PlacedWindow& Form, std::string_view Key, platform::KeyValueStore& Root)
{
    const std::string key = SubKey(Key, "Dialog", Form);
    const platform::Rect bounds = Form.BoundsRect();
    Root.WriteInteger(key, "Top", bounds.Top);
    Root.WriteInteger(key, "Left", bounds.Left);
    Root.WriteInteger(key, "Height", bounds.Height());
    Root.WriteInteger(key, "Width", bounds.Width());
}

bool LoadDialogPosition(platform::PlacedWindow& Form, std::string_view Key, const platform::KeyValueStore& Root)
{
    const std::string key = SubKey(Key, "Dialog", Form);
    int32_t top, left, height, width;
    if (!Root.ReadInteger(key, "Top", top) || !Root.ReadInteger(key, "Left", left) ||
        !Root.ReadInteger(key, "Height", height) || !Root.ReadInteger(key, "Width", width))
        return false;
    Form.SetBoundsRect({left, top, left + width, top + height});
    return true;
}

void SaveFormState(platform::PlacedWindow& Form, std::string_view Key, platform::KeyValueStore& Root)
{
    try {
        const std::string key = SubKey(Key, "Form", Form);
        const platform::WindowState state = Form.State();
        Root.WriteInteger(key, "WinState", int32_t(state));
        if (state == platform::WindowState::Maximized)
            return;
        platform::Rect bounds = Form.BoundsRect();
        if (state == platform::WindowState::Minimized) {
            // A minimised window's place is read from its normal state, out of sight.
            Form.LockUpdates(true);
            Form.SetState(platform::WindowState::Normal);
            bounds = Form.BoundsRect();
            Form.SetState(platform::WindowState::Minimized);
            Form.LockUpdates(false);
        }
        Root.WriteInteger(key, "Left", bounds.Left);
        Root.WriteInteger(key, "Top", bounds.Top);
        Root.WriteInteger(key, "Width", bounds.Width());
        Root.WriteInteger(key, "Height", bounds.Height());
    } catch (const std::exception&) {
        Form.LockUpdates(false);
        Form.ShowWarning("Error occured while saving window state.");
    }
}

void LoadFormState(platform::PlacedWindow& Form, std::string_view Key, bool MaximiseWhenNew, bool RestoreState,
                   const platform::KeyValueStore& Root)
{
    try {
        const std::string key = SubKey(Key, "Form", Form);
        if (!Root.KeyExists(key)) {
            Form.SetState(MaximiseWhenNew ? platform::WindowState::Maximized : platform::WindowState::Normal);
            return;
        }
        const platform::Rect old = Form.BoundsRect();
        int32_t left = old.Left, top = old.Top, width = old.Width(), height = old.Height();
        Root.ReadInteger(key, "Left", left);
        Root.ReadInteger(key, "Top", top);
        Root.ReadInteger(key, "Width", width);
        Root.ReadInteger(key, "Height", height);
        Form.SetBoundsRect({left, top, left + std::max(width, 0), top + std::max(height, 0)});
        int32_t state = 0;
        if (RestoreState && Root.ReadInteger(key, "WinState", state)) {
            if (state < 0 || state > 2)
                throw Exception("Unknown window state " + std::to_string(state));
            Form.SetState(platform::WindowState(state));
        }
    } catch (const std::exception&) {
        Form.ShowWarning("Error occured while restoring window state.");
    }
}

#pragma once
// The shell-link (.lnk) file format of Windows shortcuts, read and written by the program
// itself so that shortcuts made on Windows read here and shortcuts made here open there.
// Texts are UTF-8 here; in the file they are UTF-16 or, in older files, Windows-1252.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct ShellLink {
    // The target's attributes, times (FILETIME: 100-ns ticks since 1601-01-01 UTC) and
    // size as they were when the link was made.
    uint32_t FileAttributes = 0;
    uint64_t CreationTime = 0;
    uint64_t AccessTime = 0;
    uint64_t WriteTime = 0;
    uint32_t FileSize = 0;
    int32_t IconIndex = 0;
    // 1 normal, 3 maximised, 7 minimised without activation (other values: normal).
    uint32_t ShowCommand = 1;
    // Low byte: the key code; high byte: 1 Shift, 2 Ctrl, 4 Alt.
    uint16_t HotKey = 0;
    // The target's full path ("C:\dir\file.exe", or "\\server\share\file").
    std::string Target;
    std::string Description;
    std::string RelativePath;
    std::string WorkingDir;
    std::string Arguments;
    std::string IconLocation;

    bool operator==(const ShellLink&) const = default;
};

// Reads a link file's bytes. On failure returns false, leaves `link` alone and says in
// `error` what is wrong and at which byte.
bool ReadShellLink(std::span<const uint8_t> bytes, ShellLink& link, std::string& error);

// The bytes of a link file: header, LinkInfo for the target (a local path, or a network
// share for "\\server\share\..." paths), the texts in UTF-16 and the closing block.
std::vector<uint8_t> WriteShellLink(const ShellLink& link);

} // namespace platform

#pragma once
// Volume, host, file and temporary-folder queries, the registry routines over the key-value
// store, and keeping a window's place in the store between sessions.
#include "platform/KeyValueStore.h"
#include "platform/WindowPlacement.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// One number about a volume. Drive 0 is the volume of the current folder; this platform has
// no drive letters, so drives 1 (A:) and up give -1. Kinds: 1 sectors per cluster, 2 bytes
// per sector, 3 free clusters, 4 total clusters, 5 total bytes, 6 free bytes, 7 serial
// number, 8 bytes per cluster, 9 file system (1 FAT, 2 HPFS, 3 NTFS, 0 any other),
// 10 file-system flags, 11 longest file-name component. A failed query or another kind gives -1.
int64_t GetMediaInfo(int32_t Drive, int32_t Kind);

// The host's official name; empty when the lookup fails.
std::string LocalName();
// The dotted IPv4 address last in the host's address list (of its first 11); empty when
// the lookup fails.
std::string LocalIP();

// The file's type name as the window system gives it ("PNG image"; a file that does not
// exist is looked up by its name alone); without one, the upper-cased extension followed
// by " File" (" File" for a name without one). Raises Exception for an empty name.
std::string GetFileType(std::string_view FileName);

// 7: neither a Windows 9x nor an NT platform.
int32_t WinOSVersion();

std::filesystem::path GetTempDir();
// Creates an empty file with a unique name starting with Prefix in the temporary folder
// (InTempDir) or the current folder, and returns its path. Raises Exception on failure.
std::filesystem::path GetTempFile(std::string_view Prefix, bool InTempDir);

// One string value; writing creates the key, reading gives Default when the key or value is absent.
void WriteRegString(platform::KeyValueStore& Root, std::string_view Key, std::string_view Name,
                    std::string_view Value);
std::string ReadRegString(const platform::KeyValueStore& Root, std::string_view Key, std::string_view Name,
                          std::string_view Default);

// "Top", "Left", "Height" and "Width" under Key\Dialog\<window name>. Loading applies all
// four at once and is true only when the key and all four values exist.
void SaveDialogPosition(const platform::PlacedWindow& Form, std::string_view Key, platform::KeyValueStore& Root);
bool LoadDialogPosition(platform::PlacedWindow& Form, std::string_view Key, const platform::KeyValueStore& Root);

// "Left", "Top", "Width", "Height" and "WinState" (0 normal, 1 minimised, 2 maximised)
// under Key\Form\<window name>; a maximised window stores only its state. Loading applies
// what is present (the state only with RestoreState); a window never stored is maximised
// when MaximiseWhenNew, else shown normal. Failures are shown as a warning by the window.
void SaveFormState(platform::PlacedWindow& Form, std::string_view Key, platform::KeyValueStore& Root);
void LoadFormState(platform::PlacedWindow& Form, std::string_view Key, bool MaximiseWhenNew, bool RestoreState,
                   const platform::KeyValueStore& Root);

#pragma once
// The last steps both package writers share: the stored files' bytes are
// appended to the package built in memory, which then replaces the destination
// in one step, so a failure never leaves a half-written package behind.
#include "world/PackConsole.h"
#include "world/PackDirectory.h"

#include <cstdint>
#include <filesystem>
#include <vector>

// Appends every listed file's bytes to `destination`, in list order. Fails when a
// file cannot be read or its size is no longer the size its entry recorded.
bool AppendFiles(const std::vector<StoredFile>& files, std::vector<uint8_t>& destination, PackConsole& console);

// Replaces `destination` by the finished `package`.
bool WritePackage(const std::vector<uint8_t>& package, const std::filesystem::path& destination,
                  PackConsole& console);

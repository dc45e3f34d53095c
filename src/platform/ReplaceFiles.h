#pragma once
// Replacing several files as one: files that belong together (such as the two
// packages of one mission) are either all new or all as they were.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace platform {

struct FileReplacement {
    std::filesystem::path target;
    std::span<const uint8_t> bytes;
};

// Writes every file's bytes to a temporary file beside its target first, then
// renames them over the targets in order, keeping a copy of each old target
// until all are in place. When a write or a rename fails, every target already
// replaced gets its old file back (or is removed when there was none), so the
// targets are as they were; no temporary file is left, and `error` names the
// file that failed and why.
bool ReplaceFilesTogether(std::span<const FileReplacement> files, std::string& error);

} // namespace platform

#pragma once
// Replacing several files as one: files that belong together (such as the two
// packages of one mission) are either all new or all as they were.
#include "platform/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace platform {

struct FileReplacement {
    std::filesystem::path target;
    std::span<const uint8_t> bytes;
};

// Checks every target as WriteFileAtomically does (links are written through;
// anything but a regular file and a write-protected file are refused, and then
// nothing is written), writes every file's bytes to a temporary file beside
// its target (unnamed where the file system allows; StagedFile.h), then
// renames them over the targets in order, keeping a copy of each old target
// until all are in place. When a write or a rename
// fails, every target already replaced gets its old file back (or is removed
// when there was none), so the targets are as they were; no temporary file is
// left, and `error` names the file that failed and why.
// Only a crash while the files are renamed can leave a new file beside an old
// one, with hidden leftovers that the next write of those targets removes
// (StagedFile.h). `step` is called before each step that changes the disk:
// 3 × i keeps the old file i, 3 × i + 1 names the new one, 3 × i + 2 renames
// it; 3 × n removes the kept copies.
bool ReplaceFilesTogether(std::span<const FileReplacement> files, std::string& error,
                          const WriteStepHook& step = {});

} // namespace platform

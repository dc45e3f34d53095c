#pragma once
// The parts of a crash-safe file write, shared by the single-file writer
// (WriteFileAtomically) and the writer of files that belong together
// (ReplaceFilesTogether):
//   1. the target is resolved: symbolic links followed, anything but a regular
//      file and a write-protected file refused;
//   2. the new bytes are staged beside it in an unnamed file (O_TMPFILE) where
//      the file system allows it, so that a crash before step 3 leaves nothing;
//   3. the staged file is given a hidden name ".<name>.XXXXXX" and renamed
//      over the target.
// A crash between naming and renaming (or of a fallback without O_TMPFILE)
// leaves a hidden file; RemoveWriteLeftovers, run before every write, removes
// those of the same target, and the ".old" copies ReplaceFilesTogether keeps.
#include "platform/FileSystem.h"

#include <sys/types.h>

namespace platform {

// "<what> "<path>": <the system's reason>", from errno.
std::string SystemError(const std::string& what, const std::filesystem::path& path);
// Writes all of `bytes` to `fd`, going on after interruptions.
bool WriteAll(int fd, std::span<const uint8_t> bytes);

struct WriteTarget {
    std::filesystem::path file; // where the links lead: the file that is replaced
    bool exists = false;
    mode_t mode = 0644; // the old file's permissions, or those of a new file
};

// Resolves `target` as step 1 above; on failure `error` names `target` and says
// what to do.
bool ResolveWriteTarget(const std::filesystem::path& target, WriteTarget& resolved, std::string& error);

// Removes the hidden leftovers of earlier writes of `file` (see the top).
void RemoveWriteLeftovers(const std::filesystem::path& file);

// A hidden name beside `file` that no file has yet: ".<name>.XXXXXX" + suffix.
std::filesystem::path HiddenNameBeside(const std::filesystem::path& file, const std::string& suffix = "");

// New bytes on their way to a target. Whatever is not renamed into place is
// removed when the object goes.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    StagedFile(StagedFile&& other) noexcept;

    // Writes `bytes` with permissions `target.mode` beside `target.file` and flushes them.
    bool Stage(const WriteTarget& target, std::span<const uint8_t> bytes, std::string& error);
    // Names the staged file (step 3) and renames it over the target.
    bool Replace(std::string& error, const WriteStepHook& step = {}, int firstStep = 0);

private:
    bool Name(std::string& error);

    int fd_ = -1;
    std::filesystem::path target_;
    std::filesystem::path named_; // while the staged file has a name of its own
};

} // namespace platform

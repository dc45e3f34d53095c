#pragma once
// The parts of a crash-safe file write, shared by the single-file writer
// (WriteFileAtomically) and the writer of files that belong together
// (ReplaceFilesTogether):
//   1. the target is resolved: symbolic links followed, anything but a regular
//      file and a write-protected file refused;
//   2. the new bytes are staged beside it in an unnamed file (O_TMPFILE) where
//      the file system allows it, so that a crash before step 3 leaves nothing;
//      elsewhere in a named one;
//   3. the staged file is given a hidden name and renamed over the target.
// Every name a writer gives beside a target carries the program's mark,
// ".<name>.valdrune-tmp-XXXXXX" (".old" added for a kept old target), which no
// user's file takes, and the writer holds a shared lock (flock) on the file for
// as long as it needs the name. RemoveWriteLeftovers, run before every write,
// removes the marked files of the same target that nobody holds: those of a
// write that crashed. Where the file system has no locks, only those untouched
// for an hour.
#include "platform/FileSystem.h"

#include <sys/types.h>

namespace platform {

// "<what> "<path>": <the system's reason>", from errno.
std::string SystemError(const std::string& what, const std::filesystem::path& path);
// The same for a file made or renamed in `file`'s folder: where the folder refused
// it, also says that the folder must be writable.
std::string FolderError(const std::string& what, const std::filesystem::path& file);
// Writes all of `bytes` to `fd`, going on after interruptions.
bool WriteAll(int fd, std::span<const uint8_t> bytes);

struct WriteTarget {
    std::filesystem::path file; // where the links lead: the file that is replaced
    bool exists = false;
    mode_t mode = 0; // the old file's permissions, which the new one takes
};

// Resolves `target` as step 1 above; on failure `error` names `target` and says
// what to do.
bool ResolveWriteTarget(const std::filesystem::path& target, WriteTarget& resolved, std::string& error);

// Removes the leftovers of earlier writes of `file` that no writer holds (see the top).
void RemoveWriteLeftovers(const std::filesystem::path& file);

// A writer's file beside a target, open and held (see the top) while the object
// lives; its hidden name, if it has one, goes with the object unless released.
class HiddenFile {
public:
    HiddenFile() = default;
    ~HiddenFile();
    HiddenFile(const HiddenFile&) = delete;
    HiddenFile(HiddenFile&& other) noexcept { *this = std::move(other); }
    // Swaps: what this object held goes with `other`.
    HiddenFile& operator=(HiddenFile&& other) noexcept;

    // Takes the open file `fd` (closed with the object) and holds it. False when
    // another process holds it exclusively.
    bool Hold(int fd);
    // Creates a new, empty file with permissions `mode` (less the umask) under a
    // hidden name beside `target`, and holds it.
    bool Create(const std::filesystem::path& target, const std::string& suffix, mode_t mode, std::string& error);
    // Gives the held file a hidden name beside `target` (another link to it).
    bool Name(const std::filesystem::path& target, const std::string& suffix, std::string& error);
    // The name now stands for something else (the file was renamed over its target): it stays.
    void Release() { path_.clear(); }

    int Fd() const { return fd_; }
    const std::filesystem::path& Path() const { return path_; }

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

// New bytes on their way to a target. Whatever is not renamed into place is
// removed when the object goes.
class StagedFile {
public:
    // Writes `bytes` beside `target.file` and flushes them. A new file gets the
    // permissions the umask allows (0666 less the umask), a replaced one keeps its own.
    bool Stage(const WriteTarget& target, std::span<const uint8_t> bytes, std::string& error);
    // Names the staged file (step 3) and renames it over the target.
    bool Replace(std::string& error, const WriteStepHook& step = {}, int firstStep = 0);

private:
    HiddenFile file_;
    std::filesystem::path target_;
};

} // namespace platform

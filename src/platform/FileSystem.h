#pragma once
// Files and folders: whole-file reads, atomic writes, the program's folder and
// unique temporary folders. Every function reports failure with a message that
// names the file and what went wrong; nothing here throws.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace platform {

// Called with the number of each step of a write that changes the disk, before
// it is taken (from 0). Tests stop the writer there as a crash would.
using WriteStepHook = std::function<void(int step)>;

// Reads the whole file into `bytes`. Refuses files larger than `maxBytes`, and
// anything but a regular file (a pipe would wait for ever, a device not end).
// On failure returns false, leaves `bytes` empty and sets `error`.
bool ReadFileBytes(const std::filesystem::path& path, std::vector<uint8_t>& bytes, std::string& error,
                   uint64_t maxBytes = uint64_t(1) << 31);

// Writes `bytes` to a temporary file beside `target` and renames it over `target`
// only when every write, flush and close succeeded. A symbolic link is followed:
// the file it points to is replaced (the temporary file lies beside that one)
// and the link stays. The new file keeps the old one's permissions; a file
// that did not exist gets 0666 less the umask, as other programs make theirs.
// A file without write permission is refused, whoever the user is, and so is
// anything but a regular file (a device, a pipe, a folder).
// On failure the old target is untouched, the temporary file is removed, and
// `error` says what failed. The temporary file is unnamed until the moment
// before the rename where the file system allows, and the hidden leftovers of
// a crashed earlier write of the same target are removed first, never those of
// a write still going on (StagedFile.h); `step` is called before the naming (0)
// and the rename (1).
bool WriteFileAtomically(const std::filesystem::path& target, std::span<const uint8_t> bytes, std::string& error,
                         const WriteStepHook& step = {});

// Creates a new, empty file with a unique name that starts with `prefix` in `folder` and
// returns its path in `created`. On failure returns false and sets `error`.
bool CreateUniqueFile(const std::filesystem::path& folder, const std::string& prefix,
                      std::filesystem::path& created, std::string& error);

// Writes `bytes` to a new file `target` that nothing reads before the writer is
// done, such as a file in a fresh temporary folder: no temporary name and no
// flush to disk, which such files do not need. On failure whatever was written
// is removed and `error` says what failed.
bool WriteScratchFile(const std::filesystem::path& target, std::span<const uint8_t> bytes, std::string& error);

// The folder that holds the running executable (falls back to the current folder).
std::filesystem::path ProgramFolder();

// A fresh, uniquely named folder "<prefix>-XXXXXX" under `parent` (the system
// temporary folder when empty), removed with everything in it when the object
// goes away. While it lives the folder is locked (flock); folders of the same
// prefix that no living process locks and that were not touched for an hour,
// such as those of a crashed program, are removed when a new one is made.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::filesystem::path& parent = {}, const std::string& prefix = "valdrune");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    bool Valid() const { return !path_.empty(); }
    const std::filesystem::path& Path() const { return path_; }
    const std::string& Error() const { return error_; }

private:
    std::filesystem::path path_;
    std::string error_;
    int lock_ = -1; // the folder, open and locked
};

} // namespace platform

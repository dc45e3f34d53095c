#include "platform/FileSystem.h"
#include "platform/LargePages.h"
#include "platform/StagedFile.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace fs = std::filesystem;

namespace {

// Removes the folders "<prefix>-XXXXXX" in `base` that no process locks and
// that were last changed more than an hour ago: left by a program that ended
// without removing them. The hour spares the folders of a program that cannot
// lock them.
void RemoveAbandonedFolders(const fs::path& base, const std::string& prefix)
{
    constexpr auto kAbandonedAfter = std::chrono::hours(1);
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code kind;
        if (name.size() != prefix.size() + 7 || !name.starts_with(prefix + "-") ||
            it->symlink_status(kind).type() != fs::file_type::directory ||
            now - it->last_write_time(kind) < kAbandonedAfter || kind)
            continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            fs::remove_all(it->path(), kind);
        ::close(fd);
    }
}

} // namespace

// Only regular files are read. The buffer is sized from the file's length, one byte
// more so that the end is seen without growing it. The length is only a hint: the file
// may grow or shrink while it is read, and some files (those under /proc) report none;
// past it the buffer doubles.
bool ReadFileBytes(const fs::path& path, std::vector<uint8_t>& bytes, std::string& error, uint64_t maxBytes)
{
    constexpr size_t kFirstGrowth = 65536;
    bytes.clear();
    // Opening a pipe for reading waits for a writer: O_NONBLOCK lets the open return,
    // and the check below refuses it, like a device that never ends.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = SystemError("Cannot open", path);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = "Cannot read \"" + path.string() + "\": it is not a regular file (a folder, a device or a pipe). "
                "Choose a file.";
        return false;
    }
    // At most one byte past the cap is ever read: enough to tell that the file is too large.
    const uint64_t limit = std::min<uint64_t>(maxBytes, SIZE_MAX - 1) + 1;
    const uint64_t length = uint64_t(info.st_size);
    std::vector<uint8_t> buffer;
    ResizeOnLargePages(buffer, size_t(std::min(length + 1, limit)));
    size_t size = 0;
    bool ok = true;
    for (;;) {
        if (size == buffer.size()) {
            if (size >= limit)
                break;
            buffer.resize(size_t(std::min<uint64_t>(std::max(uint64_t(size) * 2, uint64_t(kFirstGrowth)), limit)));
        }
        const ssize_t got = ::read(fd, buffer.data() + size, buffer.size() - size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError("Cannot read", path);
            ok = false;
            break;
        }
        if (got == 0)
            break;
        size += size_t(got);
    }
    ::close(fd);
    if (ok && size > maxBytes) {
        error = "File \"" + path.string() + "\" is larger than " + std::to_string(maxBytes) + " bytes";
        ok = false;
    }
    if (ok) {
        buffer.resize(size);
        bytes = std::move(buffer);
    }
    return ok;
}

bool WriteFileAtomically(const fs::path& target, std::span<const uint8_t> bytes, std::string& error,
                         const WriteStepHook& step)
{
    WriteTarget resolved;
    if (!ResolveWriteTarget(target, resolved, error))
        return false;
    RemoveWriteLeftovers(resolved.file);
    StagedFile staged;
    return staged.Stage(resolved, bytes, error) && staged.Replace(error, step);
}

bool WriteScratchFile(const fs::path& target, std::span<const uint8_t> bytes, std::string& error)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = SystemError("Cannot create", target);
        return false;
    }
    bool ok = WriteAll(fd, bytes);
    if (!ok)
        error = SystemError("Cannot write", target);
    if (::close(fd) != 0 && ok) {
        error = SystemError("Cannot close", target);
        ok = false;
    }
    if (!ok)
        ::unlink(target.c_str());
    return ok;
}

fs::path ProgramFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty())
        return fs::current_path(ec);
    return exe.parent_path();
}

bool CreateUniqueFile(const fs::path& folder, const std::string& prefix, fs::path& created, std::string& error)
{
    std::string pattern = (folder / (prefix + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemError("Cannot create a temporary file in", folder);
        return false;
    }
    ::close(fd);
    created = name.data();
    return true;
}

TemporaryFolder::TemporaryFolder(const fs::path& parent, const std::string& prefix)
{
    std::error_code ec;
    fs::path base = parent.empty() ? fs::temp_directory_path(ec) : parent;
    if (ec) {
        error_ = "No temporary folder: " + ec.message();
        return;
    }
    fs::create_directories(base, ec);
    RemoveAbandonedFolders(base, prefix);
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) {
        error_ = SystemError("Cannot create a temporary folder in", base);
        return;
    }
    path_ = name.data();
    // A file system without locks leaves the folder to the hour of RemoveAbandonedFolders.
    lock_ = ::open(name.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lock_ >= 0)
        ::flock(lock_, LOCK_EX | LOCK_NB);
}

TemporaryFolder::~TemporaryFolder()
{
    if (!path_.empty()) {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    if (lock_ >= 0)
        ::close(lock_);
}

} // namespace platform

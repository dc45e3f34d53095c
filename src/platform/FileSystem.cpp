#include "platform/FileSystem.h"
#include "platform/LargePages.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace fs = std::filesystem;

namespace {

std::string SystemError(const std::string& what, const fs::path& path)
{
    return what + " \"" + path.string() + "\": " + std::strerror(errno);
}

bool WriteAll(int fd, const uint8_t* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= size_t(written);
    }
    return true;
}

// Replaces `path` by what it names once the symbolic links of its last part
// are followed (a relative link from the link's folder). A link to nothing
// gives the path it points to, so that the file is made there.
bool FollowLinks(fs::path& path, std::string& error)
{
    constexpr int kMaxLinks = 40;
    const fs::path named = path;
    for (int link = 0; link < kMaxLinks; ++link) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return true;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) {
            error = "Cannot follow the link \"" + path.string() + "\": " + ec.message();
            return false;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = "Cannot write \"" + named.string() + "\": it leads through more than " + std::to_string(kMaxLinks) +
            " symbolic links";
    return false;
}

} // namespace

// Only regular files are read. The buffer is sized from the file's length, one byte more so that the end is seen
// without growing it. The length is only a hint: the file may grow or shrink while it
// is read, and some files (those under /proc) report none; past it the buffer doubles.
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

bool WriteFileAtomically(const fs::path& target, std::span<const uint8_t> bytes, std::string& error)
{
    if (target.filename().empty()) {
        error = "Cannot write \"" + target.string() + "\": no file name";
        return false;
    }
    // The file is written where the name leads: through a symbolic link to
    // the file it points to, whose folder then takes the temporary file.
    fs::path file = target;
    if (!FollowLinks(file, error))
        return false;
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    // Renaming over a device, a pipe or a folder would replace it by a file.
    if (exists && !S_ISREG(old.st_mode)) {
        error = "Cannot save \"" + target.string() + "\": it is not a regular file. Choose a file name.";
        return false;
    }
    // A read-only file stays as it is, also for a user whom permissions do not stop.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(file.c_str(), W_OK) != 0)) {
        error = "Cannot save \"" + target.string() +
                "\": the file is read-only. Save it under another name, or make it writable and save again.";
        return false;
    }
    const fs::path folder = file.parent_path();
    std::string pattern = (folder.empty() ? fs::path(".") : folder).string() + "/." + file.filename().string() + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = SystemError("Cannot create a temporary file for", target);
        return false;
    }
    fs::path temporary(name.data());
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    if (!ok)
        error = SystemError("Cannot write", target);
    // mkstemp creates the file private: it takes the old file's mode, or the usual one.
    if (ok && ::fchmod(fd, exists ? old.st_mode & 07777 : 0644) != 0) {
        error = SystemError("Cannot set the permissions of", target);
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        error = SystemError("Cannot flush", target);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = SystemError("Cannot close", target);
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), file.c_str()) != 0) {
        error = SystemError("Cannot replace", target);
        ok = false;
    }
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

bool WriteScratchFile(const fs::path& target, std::span<const uint8_t> bytes, std::string& error)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = SystemError("Cannot create", target);
        return false;
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size());
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
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) {
        error_ = SystemError("Cannot create a temporary folder in", base);
        return;
    }
    path_ = name.data();
}

TemporaryFolder::~TemporaryFolder()
{
    if (!path_.empty()) {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
}

} // namespace platform

#include "platform/StagedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMark = "valdrune-tmp-";
constexpr size_t kUniqueChars = 6;

// Replaces `path` by what it names once the symbolic links of its last part
// are followed (a relative link from the link's folder). A link to nothing
// gives the path it points to, so that the file is made there.
bool FollowLinks(fs::path& path, std::string& error)
{
    constexpr int kMaxLinks = 40; // as many as the system follows in one path
    const fs::path named = path;
    for (int link = 0;; ++link) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return true;
        if (link == kMaxLinks)
            break;
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

fs::path FolderOf(const fs::path& file)
{
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

bool IsUniqueChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string HiddenPrefix(const fs::path& file)
{
    return "." + file.filename().string() + "." + std::string(kMark);
}

// A hidden name beside `file`: ".<name>.valdrune-tmp-XXXXXX" + suffix.
fs::path HiddenName(const fs::path& file, const std::string& suffix)
{
    static constexpr char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    std::string name = HiddenPrefix(file);
    for (size_t i = 0; i < kUniqueChars; ++i)
        name += kChars[pick(random)];
    return FolderOf(file) / (name + suffix);
}

bool IsLeftoverName(std::string_view name, std::string_view prefix)
{
    if (!name.starts_with(prefix))
        return false;
    const std::string_view rest = name.substr(prefix.size());
    return rest.size() >= kUniqueChars && std::all_of(rest.begin(), rest.begin() + kUniqueChars, IsUniqueChar) &&
           (rest.size() == kUniqueChars || rest.substr(kUniqueChars) == ".old");
}

// True when `name` is (still) a name of the file open as `fd`.
bool Names(const fs::path& name, int fd)
{
    struct stat held {}, named {};
    return ::fstat(fd, &held) == 0 && ::lstat(name.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

// Opens a leftover to lock it exclusively: for reading and writing where the
// permissions let, as some network file systems lock only such files exclusively.
int OpenLeftover(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    return fd >= 0 || errno != EACCES ? fd : ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
}

} // namespace

std::string SystemError(const std::string& what, const fs::path& path)
{
    return what + " \"" + path.string() + "\": " + std::strerror(errno);
}

std::string FolderError(const std::string& what, const fs::path& file)
{
    const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
    std::string message = SystemError(what, file);
    if (refused)
        message += ". The folder \"" + FolderOf(file).string() +
                   "\" must be writable: save in another folder, or make this one writable and save again.";
    return message;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    const uint8_t* data = bytes.data();
    size_t size = bytes.size();
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
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

bool ResolveWriteTarget(const fs::path& target, WriteTarget& resolved, std::string& error)
{
    if (target.filename().empty()) {
        error = "Cannot write \"" + target.string() + "\": no file name";
        return false;
    }
    // The file is written where the name leads: through a symbolic link to
    // the file it points to, whose folder then takes the new file.
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
    resolved = {file, exists, exists ? mode_t(old.st_mode & 07777) : mode_t(0)};
    return true;
}

void RemoveWriteLeftovers(const fs::path& file)
{
    constexpr time_t kUnlockedAbandonedAfter = 3600;
    const std::string prefix = HiddenPrefix(file);
    std::error_code ec;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(FolderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (IsLeftoverName(it->path().filename().string(), prefix) &&
            it->symlink_status(kind).type() == fs::file_type::regular)
            leftovers.push_back(it->path());
    }
    // A writer holds its files shared: an exclusive lock is had only on what
    // nobody holds. The name is removed while the lock is held, so a writer
    // that takes a name's file afterwards finds it gone (HiddenFile::Create).
    for (const fs::path& leftover : leftovers) {
        const int fd = OpenLeftover(leftover);
        if (fd < 0)
            continue;
        bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        struct stat info {};
        if (!abandoned && errno != EWOULDBLOCK && ::fstat(fd, &info) == 0)
            abandoned = std::time(nullptr) - info.st_mtime > kUnlockedAbandonedAfter; // no locks here
        if (abandoned && Names(leftover, fd))
            ::unlink(leftover.c_str());
        ::close(fd);
    }
}

HiddenFile::~HiddenFile()
{
    if (!path_.empty())
        ::unlink(path_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
}

HiddenFile& HiddenFile::operator=(HiddenFile&& other) noexcept
{
    std::swap(fd_, other.fd_);
    std::swap(path_, other.path_);
    return *this;
}

bool HiddenFile::Hold(int fd)
{
    fd_ = fd;
    // Without locks on the file system the hour of RemoveWriteLeftovers protects the file.
    int locked;
    while ((locked = ::flock(fd_, LOCK_SH | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return locked == 0 || errno != EWOULDBLOCK;
}

bool HiddenFile::Create(const fs::path& target, const std::string& suffix, mode_t mode, std::string& error)
{
    for (;;) {
        const fs::path candidate = HiddenName(target, suffix);
        const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            error = FolderError("Cannot create a temporary file for", target);
            return false;
        }
        // Between the creation and the lock another writer's sweep may have taken the file.
        if (Hold(fd) && Names(candidate, fd)) {
            path_ = candidate;
            return true;
        }
        ::close(std::exchange(fd_, -1));
    }
}

bool HiddenFile::Name(const fs::path& target, const std::string& suffix, std::string& error)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (;;) {
        const fs::path candidate = HiddenName(target, suffix);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            path_ = candidate;
            return true;
        }
        if (errno != EEXIST) {
            error = FolderError("Cannot name the new file for", target);
            return false;
        }
    }
}

bool StagedFile::Stage(const WriteTarget& target, std::span<const uint8_t> bytes, std::string& error)
{
    target_ = target.file;
    // A new file is made as other programs make theirs: the umask takes its bits
    // from 0666. A replacement stays private until it has the old file's mode.
    const mode_t mode = target.exists ? 0600 : 0666;
    // An unnamed file vanishes with the process; where the file system has
    // none, a hidden named one, which the next write removes after a crash.
    const int fd = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd >= 0) {
        file_.Hold(fd); // nobody else can open it yet
    } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
        if (!file_.Create(target_, "", mode, error))
            return false;
    } else {
        error = FolderError("Cannot create a temporary file for", target_);
        return false;
    }
    if (!WriteAll(file_.Fd(), bytes)) {
        error = SystemError("Cannot write", target_);
        return false;
    }
    if (target.exists && ::fchmod(file_.Fd(), target.mode) != 0) {
        error = SystemError("Cannot set the permissions of", target_);
        return false;
    }
    if (::fsync(file_.Fd()) != 0) {
        error = SystemError("Cannot flush", target_);
        return false;
    }
    return true;
}

bool StagedFile::Replace(std::string& error, const WriteStepHook& step, int firstStep)
{
    if (step)
        step(firstStep);
    if (file_.Path().empty() && !file_.Name(target_, "", error))
        return false;
    if (step)
        step(firstStep + 1);
    // The file stays open, and so held, until it has the target's name. What a
    // close could report the flush above has already.
    if (::rename(file_.Path().c_str(), target_.c_str()) != 0) {
        error = FolderError("Cannot replace", target_);
        return false;
    }
    file_.Release();
    return true;
}

} // namespace platform

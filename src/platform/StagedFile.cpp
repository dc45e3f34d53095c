#include "platform/StagedFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace platform {
namespace fs = std::filesystem;

namespace {

constexpr size_t kUniqueChars = 6;

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

fs::path FolderOf(const fs::path& file)
{
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

bool IsUniqueChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::string SystemError(const std::string& what, const fs::path& path)
{
    return what + " \"" + path.string() + "\": " + std::strerror(errno);
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
    resolved = {file, exists, exists ? mode_t(old.st_mode & 07777) : mode_t(0644)};
    return true;
}

fs::path HiddenNameBeside(const fs::path& file, const std::string& suffix)
{
    static constexpr char kChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::random_device random;
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    for (;;) {
        std::string name = "." + file.filename().string() + ".";
        for (size_t i = 0; i < kUniqueChars; ++i)
            name += kChars[pick(random)];
        const fs::path candidate = FolderOf(file) / (name + suffix);
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

void RemoveWriteLeftovers(const fs::path& file)
{
    const std::string prefix = "." + file.filename().string() + ".";
    std::error_code ec;
    std::vector<fs::path> leftovers;
    for (fs::directory_iterator it(FolderOf(file), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!name.starts_with(prefix))
            continue;
        const std::string rest = name.substr(prefix.size());
        const bool unique = rest.size() >= kUniqueChars &&
                            std::all_of(rest.begin(), rest.begin() + kUniqueChars, IsUniqueChar) &&
                            (rest.size() == kUniqueChars || rest.substr(kUniqueChars) == ".old");
        std::error_code kind;
        if (unique && it->symlink_status(kind).type() == fs::file_type::regular)
            leftovers.push_back(it->path());
    }
    for (const fs::path& leftover : leftovers)
        fs::remove(leftover, ec);
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), target_(std::move(other.target_)), named_(std::move(other.named_))
{
    other.named_.clear();
}

StagedFile::~StagedFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!named_.empty())
        ::unlink(named_.c_str());
}

bool StagedFile::Stage(const WriteTarget& target, std::span<const uint8_t> bytes, std::string& error)
{
    target_ = target.file;
    // An unnamed file vanishes with the process; where the file system has
    // none, a hidden named one, which the next write removes after a crash.
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        std::string pattern = (FolderOf(target_) / ("." + target_.filename().string() + ".XXXXXX")).string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        fd_ = ::mkstemp(name.data());
        if (fd_ >= 0)
            named_ = name.data();
    }
    if (fd_ < 0) {
        error = SystemError("Cannot create a temporary file for", target_);
        return false;
    }
    if (!WriteAll(fd_, bytes)) {
        error = SystemError("Cannot write", target_);
        return false;
    }
    // Temporary files are made private: the new file takes the old one's mode, or the usual one.
    if (::fchmod(fd_, target.mode) != 0) {
        error = SystemError("Cannot set the permissions of", target_);
        return false;
    }
    if (::fsync(fd_) != 0) {
        error = SystemError("Cannot flush", target_);
        return false;
    }
    return true;
}

bool StagedFile::Name(std::string& error)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    while (named_.empty()) {
        const fs::path candidate = HiddenNameBeside(target_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0)
            named_ = candidate;
        else if (errno != EEXIST) {
            error = SystemError("Cannot name the new file for", target_);
            return false;
        }
    }
    return true;
}

bool StagedFile::Replace(std::string& error, const WriteStepHook& step, int firstStep)
{
    if (step)
        step(firstStep);
    if (!Name(error))
        return false;
    if (step)
        step(firstStep + 1);
    if (::close(std::exchange(fd_, -1)) != 0) {
        error = SystemError("Cannot close", target_);
        return false;
    }
    if (::rename(named_.c_str(), target_.c_str()) != 0) {
        error = SystemError("Cannot replace", target_);
        return false;
    }
    named_.clear();
    return true;
}

} // namespace platform

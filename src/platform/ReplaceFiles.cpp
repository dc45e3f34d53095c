#include "platform/ReplaceFiles.h"

#include "platform/StagedFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace fs = std::filesystem;

namespace {

// One target on its way: the new bytes wait staged; `backup` holds the old
// target while the others are put in place (nameless when there was none).
struct Pending {
    WriteTarget target;
    StagedFile staged;
    HiddenFile backup;
    bool replaced = false;
};

std::string Described(const std::string& what, const fs::path& path, const std::error_code& ec)
{
    return what + " \"" + path.string() + "\": " + ec.message();
}

// Copies the file into `to`, saying in `error` what the system refused (a full disk
// as such).
bool CopyContents(const fs::path& file, int to, std::string& error)
{
    const int from = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (from < 0) {
        error = SystemError("Cannot keep a copy of", file);
        return false;
    }
    std::vector<uint8_t> buffer(size_t(1) << 16);
    ssize_t got;
    bool ok = true;
    while (ok && (got = ::read(from, buffer.data(), buffer.size())) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        ok = got > 0 && WriteAll(to, std::span(buffer.data(), size_t(got)));
        if (!ok)
            error = SystemError("Cannot keep a copy of", file);
    }
    ::close(from);
    return ok;
}

// Keeps the old target beside it under a hidden name, held as the staged files
// are: a second link to the same file where the file system allows it, else a copy.
bool KeepOldTarget(Pending& pending, std::string& error)
{
    if (!pending.target.exists)
        return true;
    const fs::path& file = pending.target.file;
    int old = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (old < 0 && errno == EACCES)
        old = ::open(file.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (old < 0) {
        error = SystemError("Cannot keep a copy of", file);
        return false;
    }
    // Held before it has the name; refused only while another program holds the
    // file exclusively, which keeps the name from a sweep as well.
    pending.backup.Hold(old);
    if (pending.backup.Name(file, ".old", error))
        return true;
    HiddenFile copy;
    if (!copy.Create(file, ".old", 0600, error) || !CopyContents(file, copy.Fd(), error))
        return false;
    pending.backup = std::move(copy); // the old file's descriptor goes with `copy`
    return true;
}

// Puts the old targets of the replaced files back; says in `error` which could
// not be. A backup that could not be put back stays beside its target.
void PutBack(std::vector<Pending>& pending, std::string& error)
{
    for (Pending& file : pending) {
        if (!file.replaced)
            continue;
        const fs::path& target = file.target.file;
        const fs::path backup = file.backup.Path();
        std::error_code ec;
        if (backup.empty())
            fs::remove(target, ec);
        else
            fs::rename(backup, target, ec);
        file.backup.Release();
        if (ec && backup.empty())
            error += "; " + Described("cannot remove the new", target, ec);
        else if (ec)
            error += "; " + Described("cannot put back the old", target, ec) + " (it is kept as \"" +
                     backup.string() + "\")";
    }
}

} // namespace

bool ReplaceFilesTogether(std::span<const FileReplacement> files, std::string& error, const WriteStepHook& step)
{
    std::vector<Pending> pending(files.size());
    // Every target is checked, and every new file written, before any target is replaced.
    for (size_t i = 0; i < files.size(); ++i)
        if (!ResolveWriteTarget(files[i].target, pending[i].target, error))
            return false;
    for (Pending& file : pending)
        RemoveWriteLeftovers(file.target.file);
    for (size_t i = 0; i < files.size(); ++i) {
        if (!pending[i].staged.Stage(pending[i].target, files[i].bytes, error))
            return false;
    }
    // Steps per file: keep the old one, name the new one, rename it; then drop the copies.
    bool ok = true;
    int at = 0;
    for (size_t i = 0; ok && i < files.size(); ++i, at += 3) {
        Pending& file = pending[i];
        if (step)
            step(at);
        ok = KeepOldTarget(file, error) && file.staged.Replace(error, step, at + 1);
        file.replaced = ok;
    }
    if (!ok)
        PutBack(pending, error);
    // The backups still named go with `pending`.
    if (step)
        step(at);
    return ok;
}

} // namespace platform

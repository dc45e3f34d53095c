#include "platform/ReplaceFiles.h"

#include "platform/StagedFile.h"

#include <vector>

namespace platform {
namespace fs = std::filesystem;

namespace {

// One target on its way: the new bytes wait staged; `backup` holds the old
// target while the others are put in place (empty when there was none).
struct Pending {
    WriteTarget target;
    StagedFile staged;
    fs::path backup;
    bool replaced = false;
    bool backupNeeded = false; // the old target could not be put back: its backup is all that is left
};

std::string Described(const std::string& what, const fs::path& path, const std::error_code& ec)
{
    return what + " \"" + path.string() + "\": " + ec.message();
}

// Keeps the old target beside it under a hidden name: a second link to the
// same file where the file system allows it, else a copy.
bool KeepOldTarget(Pending& pending, std::string& error)
{
    if (!pending.target.exists)
        return true;
    const fs::path& file = pending.target.file;
    pending.backup = HiddenNameBeside(file, ".old");
    std::error_code ec;
    fs::create_hard_link(file, pending.backup, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(file, pending.backup, fs::copy_options::overwrite_existing, ec);
    }
    if (ec)
        error = Described("Cannot keep a copy of", file, ec);
    return !ec;
}

// Puts the old targets of the replaced files back; says in `error` which could not be.
void PutBack(std::vector<Pending>& pending, std::string& error)
{
    for (Pending& file : pending) {
        if (!file.replaced)
            continue;
        const fs::path& target = file.target.file;
        std::error_code ec;
        if (file.backup.empty()) {
            fs::remove(target, ec);
        } else {
            fs::rename(file.backup, target, ec);
            if (!ec)
                file.backup.clear();
        }
        if (ec) {
            file.backupNeeded = !file.backup.empty();
            error += "; " + Described(file.backup.empty() ? "cannot remove the new" : "cannot put back the old",
                                      target, ec) +
                     (file.backupNeeded ? " (it is kept as \"" + file.backup.string() + "\")" : "");
        }
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
        if (!pending[i].staged.Stage(pending[i].target, files[i].bytes, error)) {
            error = "Cannot write \"" + files[i].target.string() + "\": " + error;
            return false;
        }
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
    if (step)
        step(at);
    std::error_code ec;
    for (const Pending& file : pending)
        if (!file.backup.empty() && !file.backupNeeded)
            fs::remove(file.backup, ec);
    return ok;
}

} // namespace platform

#include "platform/ReplaceFiles.h"

#include "platform/FileSystem.h"

#include <vector>

namespace platform {
namespace fs = std::filesystem;

namespace {

// One target on its way: the new bytes wait in `temporary`; `backup` holds the
// old target while the others are put in place (empty when there was none).
struct Pending {
    fs::path target;
    fs::path temporary;
    fs::path backup;
    bool replaced = false;
    bool backupNeeded = false; // the old target could not be put back: its backup is all that is left
};

std::string Described(const std::string& what, const fs::path& path, const std::error_code& ec)
{
    return what + " \"" + path.string() + "\": " + ec.message();
}

bool WriteTemporary(const FileReplacement& file, Pending& pending, std::string& error)
{
    fs::path folder = file.target.parent_path();
    if (folder.empty())
        folder = ".";
    if (CreateUniqueFile(folder, "." + file.target.filename().string() + ".", pending.temporary, error) &&
        WriteFileAtomically(pending.temporary, file.bytes, error)) {
        // The temporary was made private: the new file takes the old target's mode, or the usual one.
        std::error_code ec;
        const fs::file_status old = fs::status(file.target, ec);
        fs::permissions(pending.temporary, fs::is_regular_file(old) ? old.permissions() : fs::perms(0644), ec);
        if (!ec)
            return true;
        error = ec.message();
    }
    error = "Cannot write \"" + file.target.string() + "\": " + error;
    return false;
}

// Keeps the old target beside it: a second link to the same file where the
// file system allows it, else a copy.
bool KeepOldTarget(Pending& pending, std::string& error)
{
    std::error_code ec;
    if (!fs::is_regular_file(pending.target, ec))
        return true;
    pending.backup = pending.temporary.string() + ".old";
    fs::create_hard_link(pending.target, pending.backup, ec);
    if (ec) {
        ec.clear();
        fs::copy_file(pending.target, pending.backup, fs::copy_options::overwrite_existing, ec);
    }
    if (ec)
        error = Described("Cannot keep a copy of", pending.target, ec);
    return !ec;
}

// Puts the old targets of the replaced files back; says in `error` which could not be.
void PutBack(std::vector<Pending>& pending, std::string& error)
{
    for (Pending& file : pending) {
        if (!file.replaced)
            continue;
        std::error_code ec;
        if (file.backup.empty()) {
            fs::remove(file.target, ec);
        } else {
            fs::rename(file.backup, file.target, ec);
            if (!ec)
                file.backup.clear();
        }
        if (ec) {
            file.backupNeeded = !file.backup.empty();
            error += "; " + Described(file.backup.empty() ? "cannot remove the new" : "cannot put back the old",
                                      file.target, ec) +
                     (file.backupNeeded ? " (it is kept as \"" + file.backup.string() + "\")" : "");
        }
    }
}

// Removes the temporary files not renamed into place and the backups no longer needed.
void RemoveLeftovers(const std::vector<Pending>& pending)
{
    std::error_code ec;
    for (const Pending& file : pending) {
        if (!file.temporary.empty() && !file.replaced)
            fs::remove(file.temporary, ec);
        if (!file.backup.empty() && !file.backupNeeded)
            fs::remove(file.backup, ec);
    }
}

} // namespace

bool ReplaceFilesTogether(std::span<const FileReplacement> files, std::string& error)
{
    std::vector<Pending> pending(files.size());
    bool ok = true;
    for (size_t i = 0; ok && i < files.size(); ++i) {
        pending[i].target = files[i].target;
        ok = WriteTemporary(files[i], pending[i], error);
    }
    for (size_t i = 0; ok && i < files.size(); ++i) {
        Pending& file = pending[i];
        ok = KeepOldTarget(file, error);
        std::error_code ec;
        if (ok)
            fs::rename(file.temporary, file.target, ec);
        if (ok && ec) {
            error = Described("Cannot replace", file.target, ec);
            ok = false;
        }
        file.replaced = ok;
    }
    if (!ok)
        PutBack(pending, error);
    RemoveLeftovers(pending);
    return ok;
}

} // namespace platform

#pragma once
// The registry's stand-in: one key-value store per root key, each kept in a file of the
// program's folder in the user's configuration folder, so that values written in one run
// are there in the next. The application installs one at start-up; without it the
// routines that keep values in the registry have nowhere to keep them and do nothing.
#include "platform/KeyValueStoreFile.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace platform {

// The root keys, in the order the controls number them.
enum class RegistryRootKey : uint8_t { ClassesRoot, CurrentUser, LocalMachine, Users };

// The program's folder in the user's configuration folder: $XDG_CONFIG_HOME when it is
// an absolute path, otherwise $HOME/.config (the freedesktop rule), then
// "valdrune-mission-editor". Empty when neither variable gives a folder.
std::filesystem::path UserConfigFolder();

class Registry {
public:
    // The stores are the files "classes-root.store", "current-user.store",
    // "local-machine.store" and "users.store" in `folder`; see KeyValueStoreFile for what
    // happens to missing and bad files.
    Registry(const std::filesystem::path& folder, const KeyValueStoreFile::Report& report);

    KeyValueStore& Root(RegistryRootKey key) { return roots_[size_t(key)]->Store(); }

private:
    std::array<std::unique_ptr<KeyValueStoreFile>, 4> roots_;
};

// Installs the process-wide registry (borrowed: it must outlive every use; null removes it).
void SetRegistry(Registry* registry);
// The installed registry's store for `key`; null when none is installed.
KeyValueStore* RegistryRoot(RegistryRootKey key);

} // namespace platform

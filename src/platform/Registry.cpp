#include "platform/Registry.h"

#include <cstdlib>

namespace platform {
namespace {

Registry* installedRegistry = nullptr;

std::filesystem::path FolderFromVariable(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return {};
    std::filesystem::path folder(value);
    return folder.is_absolute() ? folder : std::filesystem::path();
}

} // namespace

std::filesystem::path UserConfigFolder()
{
    std::filesystem::path base = FolderFromVariable("XDG_CONFIG_HOME");
    if (base.empty()) {
        const std::filesystem::path home = FolderFromVariable("HOME");
        if (home.empty())
            return {};
        base = home / ".config";
    }
    return base / "valdrune-mission-editor";
}

Registry::Registry(const std::filesystem::path& folder, const KeyValueStoreFile::Report& report)
{
    static constexpr const char* kFiles[] = {"classes-root.store", "current-user.store", "local-machine.store",
                                             "users.store"};
    for (size_t i = 0; i < roots_.size(); ++i)
        roots_[i] = std::make_unique<KeyValueStoreFile>(folder / kFiles[i], report);
}

void SetRegistry(Registry* registry)
{
    installedRegistry = registry;
}

KeyValueStore* RegistryRoot(RegistryRootKey key)
{
    return installedRegistry == nullptr ? nullptr : &installedRegistry->Root(key);
}

} // namespace platform

#pragma once
// A key-value store kept in a file, as the registry keeps its values between runs: the
// file is read when the object is made and written again (atomically) after changes.
// With a timer service installed, the changes of one event (a history of twenty lines,
// a window's four numbers) are written together on the next tick; without one, each
// change is written at once. Changes not yet written are written when the object goes.
#include "platform/KeyValueStore.h"
#include "platform/Timer.h"

#include <filesystem>
#include <functional>
#include <string>

namespace platform {

class KeyValueStoreFile {
public:
    // Tells the user about a store file that could not be read or written.
    using Report = std::function<void(const std::string& message)>;

    // A missing file gives an empty store. A file that cannot be read or is not a valid
    // store file is reported, set aside as "<file>.bad" and replaced by an empty store.
    KeyValueStoreFile(std::filesystem::path path, Report report);
    ~KeyValueStoreFile();
    KeyValueStoreFile(const KeyValueStoreFile&) = delete;
    KeyValueStoreFile& operator=(const KeyValueStoreFile&) = delete;

    KeyValueStore& Store() { return store_; }
    const std::filesystem::path& Path() const { return path_; }

    // Store files larger than the store's text may be are refused as bad.
    static constexpr uint64_t kMaxFileBytes = KeyValueStore::kMaxTextBytes;

private:
    void Load();
    void Changed();
    // Writes the store, creating the folder when needed. The first of a run of failures
    // is reported; the values stay in memory.
    void Save();

    std::filesystem::path path_;
    Report report_;
    KeyValueStore store_;
    bool saveFailing_ = false;
    bool savePending_ = false;
    Timer saveTimer_;
};

} // namespace platform

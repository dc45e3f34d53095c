#pragma once
// A tree of keys holding named string and integer values, in place of the system
// registry. Key paths are separated by backslashes; keys and value names compare
// without regard to ASCII case, as the registry's do. The store lives in memory; one
// object stands for one root (the current user's, the machine's). KeyValueStoreFile
// keeps one in a file.
#include "platform/Exception.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>

// A write the store refuses because its file could not carry it.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

namespace platform {

class KeyValueStore {
public:
    // No key is deeper than this (the registry's own limit): a store file naming
    // one is refused, and so is a write that would make one.
    static constexpr int kMaxKeyDepth = 512;
    // The text of a store is at most this long (the size of its file): a longer
    // text is refused, and so is a write that would make the text longer.
    static constexpr size_t kMaxTextBytes = size_t(16) << 20;
    // The number of sections of a key path ("a\\b" has 2; empty sections do not count).
    static int KeyDepth(std::string_view key);

    // A key exists once it, or a key below it, was created or written to.
    bool KeyExists(std::string_view key) const;
    // Creates the key (and so the keys above it).
    // Writes throw ERegistryException, and change nothing, where the key is too
    // deep or the text would grow too long (see above): what the store takes,
    // its file gives back.
    void CreateKey(std::string_view key);

    bool ValueExists(std::string_view key, std::string_view name) const;
    // False when the key or the value is absent, or the value is of the other kind.
    bool ReadString(std::string_view key, std::string_view name, std::string& value) const;
    bool ReadInteger(std::string_view key, std::string_view name, int32_t& value) const;
    // Writing creates the key; a value of the same name is replaced, whatever its kind.
    void WriteString(std::string_view key, std::string_view name, std::string_view value);
    void WriteInteger(std::string_view key, std::string_view name, int32_t value);
    // False when there was no such value.
    bool DeleteValue(std::string_view key, std::string_view name);

    // Called after every call that changed the store (a new key, a new or different value).
    std::function<void()> OnChange;

    // The store as the text of a store file, and back (KeyValueStoreText.cpp). FromText
    // fills `store` only when the whole text is valid; otherwise it leaves `store` alone
    // and says in `error` which line is wrong and why.
    std::string ToText() const;
    static bool FromText(std::string_view text, KeyValueStore& store, std::string& error);

private:
    using Value = std::variant<std::string, int32_t>;
    using Values = std::map<std::string, Value>; // by lower-cased name

    const Value* FindValue(std::string_view key, std::string_view name) const;
    Values& ValuesOf(std::string_view key);
    // Writes the value and reports a change unless it was there already.
    void Store(std::string_view key, std::string_view name, Value value);
    // Throws unless the key `path` may be made and the text may grow to `textBytes`.
    void CheckWritable(const std::string& path, size_t textBytes, std::string_view what) const;

    // The bytes of the store's text (KeyValueStoreText.cpp): all of it, a key's line, a value's line.
    size_t CountTextBytes() const;
    static size_t KeyLineBytes(std::string_view path);
    static size_t ValueLineBytes(std::string_view name, const Value& value);

    std::map<std::string, Values> keys_; // the keys created or written to, by normalised path
    size_t textBytes_ = CountTextBytes();
};

} // namespace platform

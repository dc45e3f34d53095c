#pragma once
// A tree of keys holding named string and integer values, in place of the system
// registry. Key paths are separated by backslashes; keys and value names compare
// without regard to ASCII case, as the registry's do. The store lives in memory; one
// object stands for one root (the current user's, the machine's). KeyValueStoreFile
// keeps one in a file.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

class KeyValueStore {
public:
    // A store file naming a key deeper than this (the registry's own limit) is refused.
    static constexpr int kMaxKeyDepth = 512;
    // The number of sections of a key path ("a\\b" has 2; empty sections do not count).
    static int KeyDepth(std::string_view key);

    // A key exists once it, or a key below it, was created or written to.
    bool KeyExists(std::string_view key) const;
    // Creates the key (and so the keys above it).
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

    std::map<std::string, Values> keys_; // the keys created or written to, by normalised path
};

} // namespace platform

#include "platform/KeyValueStore.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace platform {

namespace {

// "\A\\b\" and "a\B" name the same key: empty sections are dropped, case is folded.
std::string NormalisedKey(std::string_view key)
{
    std::string result;
    size_t start = 0;
    while (start <= key.size()) {
        size_t end = key.find('\\', start);
        if (end == std::string_view::npos)
            end = key.size();
        if (end > start) {
            if (!result.empty())
                result += '\\';
            result += LowerAscii(key.substr(start, end - start));
        }
        start = end + 1;
    }
    return result;
}

} // namespace

int KeyValueStore::KeyDepth(std::string_view key)
{
    int depth = 0;
    for (size_t start = 0; start <= key.size();) {
        size_t end = std::min(key.find('\\', start), key.size());
        depth += end > start;
        start = end + 1;
    }
    return depth;
}

// A key exists when it was made or when a key below it was: the keys above a
// path are not kept apart, so that a deep path costs no more than its length.
// The keys below `path` follow "path\" in the sorted map.
bool KeyValueStore::KeyExists(std::string_view key) const
{
    std::string path = NormalisedKey(key);
    if (keys_.count(path) != 0)
        return true;
    path += '\\';
    const auto below = keys_.lower_bound(path);
    return below != keys_.end() && below->first.starts_with(path);
}

void KeyValueStore::CreateKey(std::string_view key)
{
    if (KeyExists(key))
        return;
    const std::string path = NormalisedKey(key);
    const size_t bytes = textBytes_ + KeyLineBytes(path);
    CheckWritable(path, bytes, "the key");
    keys_[path];
    textBytes_ = bytes;
    if (OnChange)
        OnChange();
}

void KeyValueStore::CheckWritable(const std::string& path, size_t textBytes, std::string_view what) const
{
    constexpr size_t kShownKey = 60;
    const int depth = KeyDepth(path);
    if (depth <= kMaxKeyDepth && textBytes <= kMaxTextBytes)
        return;
    std::string message = "Cannot write " + std::string(what) + " \"" + path.substr(0, kShownKey) +
                          (path.size() > kShownKey ? "...\"" : "\"");
    if (depth > kMaxKeyDepth)
        message += ": the key is nested " + std::to_string(depth) + " levels deep, and at most " +
                   std::to_string(kMaxKeyDepth) + " are allowed. Use a shorter key path.";
    else
        message += ": the store would grow past " + std::to_string(kMaxTextBytes) +
                   " bytes, the most its file may hold. Write a shorter value or delete values no longer needed.";
    throw ERegistryException(message);
}

KeyValueStore::Values& KeyValueStore::ValuesOf(std::string_view key)
{
    return keys_[NormalisedKey(key)];
}

void KeyValueStore::Store(std::string_view key, std::string_view name, Value value)
{
    const Value* old = FindValue(key, name);
    if (old != nullptr && *old == value)
        return;
    const std::string path = NormalisedKey(key), lowered = LowerAscii(name);
    const size_t bytes = textBytes_ + (keys_.count(path) == 0 ? KeyLineBytes(path) : 0) +
                         ValueLineBytes(lowered, value) - (old != nullptr ? ValueLineBytes(lowered, *old) : 0);
    CheckWritable(path, bytes, "a value under the key");
    keys_[path][lowered] = std::move(value);
    textBytes_ = bytes;
    if (OnChange)
        OnChange();
}

const KeyValueStore::Value* KeyValueStore::FindValue(std::string_view key, std::string_view name) const
{
    const auto keyIt = keys_.find(NormalisedKey(key));
    if (keyIt == keys_.end())
        return nullptr;
    const auto valueIt = keyIt->second.find(LowerAscii(name));
    return valueIt == keyIt->second.end() ? nullptr : &valueIt->second;
}

bool KeyValueStore::ValueExists(std::string_view key, std::string_view name) const
{
    return FindValue(key, name) != nullptr;
}

bool KeyValueStore::ReadString(std::string_view key, std::string_view name, std::string& value) const
{
    const Value* found = FindValue(key, name);
    if (found == nullptr || !std::holds_alternative<std::string>(*found))
        return false;
    value = std::get<std::string>(*found);
    return true;
}

bool KeyValueStore::ReadInteger(std::string_view key, std::string_view name, int32_t& value) const
{
    const Value* found = FindValue(key, name);
    if (found == nullptr || !std::holds_alternative<int32_t>(*found))
        return false;
    value = std::get<int32_t>(*found);
    return true;
}

void KeyValueStore::WriteString(std::string_view key, std::string_view name, std::string_view value)
{
    Store(key, name, std::string(value));
}

void KeyValueStore::WriteInteger(std::string_view key, std::string_view name, int32_t value)
{
    Store(key, name, value);
}

bool KeyValueStore::DeleteValue(std::string_view key, std::string_view name)
{
    const auto keyIt = keys_.find(NormalisedKey(key));
    if (keyIt == keys_.end())
        return false;
    const auto valueIt = keyIt->second.find(LowerAscii(name));
    if (valueIt == keyIt->second.end())
        return false;
    textBytes_ -= ValueLineBytes(valueIt->first, valueIt->second);
    keyIt->second.erase(valueIt);
    if (OnChange)
        OnChange();
    return true;
}

} // namespace platform

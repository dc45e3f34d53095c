#include "PackageReader.h"

#include <algorithm>
#include <array>

namespace test {
namespace {

constexpr std::array<uint8_t, 8> kKey = {0x51, 0x77, 0x37, 0x52, 0x74, 0x32, 0x5A, 0x70};
constexpr uint32_t kConstant = 0x5A3C9E17;
constexpr uint32_t kFolder = 0x002E2E2E;
constexpr size_t kEntry = 30;

uint32_t Number(const std::vector<uint8_t>& b, size_t at, int size, bool bigEndian = false)
{
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | b[at + size_t(bigEndian ? i : size - 1 - i)];
    return value;
}

struct Entry {
    std::string name;  // with ".ext" for files
    bool folder = false;
    uint32_t offset = 0, size = 0, depth = 0, pieces = 0;
};

// Reads `count` entries from `at`; false (with the error set) at an unknown name.
bool ReadEntries(const std::vector<uint8_t>& b, size_t at, uint32_t count, const std::vector<std::string>& knownNames,
                 std::vector<Entry>& entries, PackageContents& contents)
{
    for (uint32_t i = 0; i < count; ++i, at += kEntry) {
        Entry entry;
        for (const std::string& name : knownNames) {
            std::array<uint8_t, 16> field{};
            for (size_t c = 0; c < name.size() && c < 16; ++c)
                field[c] = uint8_t(name[c]) ^ kKey[c & 7];
            if (std::equal(field.begin(), field.end(), b.begin() + long(at)))
                entry.name = name;
        }
        if (entry.name.empty()) {
            contents.error = "entry " + std::to_string(i) + " has none of the known names";
            return false;
        }
        const uint32_t extension = Number(b, at + 16, 4) ^ kConstant;
        entry.folder = extension == kFolder;
        if (!entry.folder) {
            entry.name += '.';
            for (int c = 0; c < 4 && uint8_t(extension >> (8 * c)) != 0; ++c)
                entry.name += char(extension >> (8 * c));
        }
        entry.offset = Number(b, at + 20, 4);
        entry.size = Number(b, at + 24, 4);
        entry.depth = b[at + 28];
        entry.pieces = b[at + 29];
        entries.push_back(entry);
    }
    return true;
}

// Walks the entries by depth into paths; `data` gives a file entry's bytes.
template <typename Data>
void CollectEntries(const std::vector<Entry>& entries, PackageContents& contents, Data data)
{
    std::vector<std::string> path;
    for (const Entry& entry : entries) {
        if (entry.depth == 0 || entry.depth > path.size() + 1) {
            contents.error = "entry " + entry.name + " has depth " + std::to_string(entry.depth);
            return;
        }
        path.resize(entry.depth - 1);
        std::string full;
        for (const std::string& folder : path)
            full += folder + "/";
        full += entry.name;
        if (entry.folder) {
            path.push_back(entry.name);
            contents.folders.push_back(full);
        } else if (!data(entry, contents.files[full])) {
            contents.error = "the data of " + full + " lies outside the package";
            return;
        }
    }
}

} // namespace

// Header: "TORV" "RSRC", time, entry count N; N entries; the files' bytes at
// the offsets of their entries.
PackageContents ReadPak(const std::vector<uint8_t>& bytes, const std::vector<std::string>& knownNames)
{
    PackageContents contents;
    if (bytes.size() < 16 || std::string(bytes.begin(), bytes.begin() + 8) != "TORVRSRC") {
        contents.error = "no package header";
        return contents;
    }
    contents.entryCount = Number(bytes, 12, 4);
    if (16 + kEntry * contents.entryCount > bytes.size()) {
        contents.error = "directory past the end";
        return contents;
    }
    std::vector<Entry> entries;
    if (!ReadEntries(bytes, 16, contents.entryCount, knownNames, entries, contents))
        return contents;
    CollectEntries(entries, contents, [&](const Entry& entry, std::vector<uint8_t>& data) {
        if (entry.pieces != 1 || size_t(entry.offset) + entry.size > bytes.size())
            return false;
        data.assign(bytes.begin() + long(entry.offset), bytes.begin() + long(entry.offset + entry.size));
        return true;
    });
    return contents;
}

// Big-endian Palm header and resource list ("DATA", id, offset); resource
// 0x1000 holds the entry count and the entries; a file entry names its first
// resource id and how many consecutive resources hold its bytes.
PackageContents ReadPdb(const std::vector<uint8_t>& bytes, const std::vector<std::string>& knownNames)
{
    PackageContents contents;
    if (bytes.size() < 78 || std::string(bytes.begin() + 60, bytes.begin() + 68) != "RSRCTORV" ||
        Number(bytes, 32, 2, true) != 1) {
        contents.error = "no resource database header";
        return contents;
    }
    contents.databaseName = std::string(reinterpret_cast<const char*>(bytes.data()));
    const uint32_t resources = Number(bytes, 76, 2, true);
    if (78 + 10 * size_t(resources) > bytes.size()) {
        contents.error = "resource list past the end";
        return contents;
    }
    std::map<uint32_t, std::pair<size_t, size_t>> ranges;  // id -> [start, end)
    for (uint32_t i = 0; i < resources; ++i) {
        const size_t at = 78 + 10 * size_t(i);
        const size_t start = Number(bytes, at + 6, 4, true);
        const size_t end = i + 1 < resources ? Number(bytes, at + 16, 4, true) : bytes.size();
        if (std::string(bytes.begin() + long(at), bytes.begin() + long(at) + 4) != "DATA" || start > end ||
            end > bytes.size()) {
            contents.error = "bad resource " + std::to_string(i);
            return contents;
        }
        ranges[Number(bytes, at + 4, 2, true)] = {start, end};
    }
    if (!ranges.count(0x1000)) {
        contents.error = "no directory resource";
        return contents;
    }
    const auto [directory, directoryEnd] = ranges[0x1000];
    contents.entryCount = Number(bytes, directory, 4);
    if (directory + 4 + kEntry * contents.entryCount != directoryEnd) {
        contents.error = "the directory resource does not hold its entries";
        return contents;
    }
    std::vector<Entry> entries;
    if (!ReadEntries(bytes, directory + 4, contents.entryCount, knownNames, entries, contents))
        return contents;
    CollectEntries(entries, contents, [&](const Entry& entry, std::vector<uint8_t>& data) {
        for (uint32_t id = entry.offset; id < entry.offset + entry.pieces; ++id) {
            if (!ranges.count(id))
                return false;
            data.insert(data.end(), bytes.begin() + long(ranges[id].first), bytes.begin() + long(ranges[id].second));
        }
        return data.size() == entry.size;
    });
    return contents;
}

} // namespace test

#include "PackageReader.h"

#include <algorithm>
#include <array>
#include <functional>

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

PackageContents& Fail(PackageContents& contents, const std::string& error)
{
    contents.error = error;
    return contents;
}

// What a file entry's (offset, size, pieces) hold: false if it lies outside the package.
using FileData = std::function<bool(uint32_t, uint32_t, uint32_t, std::vector<uint8_t>&)>;

// Reads `contents.entryCount` entries from `at` and walks them by depth into
// paths; stops with the error set at an unknown name, a bad depth or bad data.
PackageContents& ReadDirectory(const std::vector<uint8_t>& b, size_t at, const std::vector<std::string>& knownNames,
                               PackageContents& contents, const FileData& data)
{
    std::vector<std::string> path;
    for (uint32_t i = 0; i < contents.entryCount; ++i, at += kEntry) {
        std::string name;
        for (const std::string& known : knownNames) {
            std::array<uint8_t, 16> field{};
            for (size_t c = 0; c < known.size() && c < 16; ++c)
                field[c] = uint8_t(known[c]) ^ kKey[c & 7];
            if (std::equal(field.begin(), field.end(), b.begin() + long(at)))
                name = known;
        }
        if (name.empty())
            return Fail(contents, "entry " + std::to_string(i) + " has none of the known names");
        const uint32_t extension = Number(b, at + 16, 4) ^ kConstant, depth = b[at + 28];
        if (depth == 0 || depth > path.size() + 1)
            return Fail(contents, "entry " + name + " has depth " + std::to_string(depth));
        path.resize(depth - 1);
        std::string full;
        for (const std::string& folder : path)
            full += folder + "/";
        if (extension == kFolder) {
            path.push_back(name);
            contents.folders.push_back(full + name);
            continue;
        }
        full += name + '.';
        for (int c = 0; c < 4 && uint8_t(extension >> (8 * c)) != 0; ++c)
            full += char(extension >> (8 * c));
        if (!data(Number(b, at + 20, 4), Number(b, at + 24, 4), b[at + 29], contents.files[full]))
            return Fail(contents, "the data of " + full + " lies outside the package");
    }
    return contents;
}

} // namespace

// Header: "TORV" "RSRC", time, entry count N; N entries; the files' bytes at
// the offsets of their entries.
PackageContents ReadPak(const std::vector<uint8_t>& bytes, const std::vector<std::string>& knownNames)
{
    PackageContents contents;
    if (bytes.size() < 16 || std::string(bytes.begin(), bytes.begin() + 8) != "TORVRSRC")
        return Fail(contents, "no package header");
    contents.entryCount = Number(bytes, 12, 4);
    if (16 + kEntry * contents.entryCount > bytes.size())
        return Fail(contents, "directory past the end");
    return ReadDirectory(bytes, 16, knownNames, contents,
                         [&](uint32_t offset, uint32_t size, uint32_t pieces, std::vector<uint8_t>& data) {
                             if (pieces != 1 || size_t(offset) + size > bytes.size())
                                 return false;
                             data.assign(bytes.begin() + long(offset), bytes.begin() + long(offset + size));
                             return true;
                         });
}

// Big-endian Palm header and resource list ("DATA", id, offset); resource
// 0x1000 holds the entry count and the entries; a file entry names its first
// resource id and how many consecutive resources hold its bytes.
PackageContents ReadPdb(const std::vector<uint8_t>& bytes, const std::vector<std::string>& knownNames)
{
    PackageContents contents;
    if (bytes.size() < 78 || std::string(bytes.begin() + 60, bytes.begin() + 68) != "RSRCTORV" ||
        Number(bytes, 32, 2, true) != 1)
        return Fail(contents, "no resource database header");
    contents.databaseName = std::string(reinterpret_cast<const char*>(bytes.data()));
    const uint32_t resources = Number(bytes, 76, 2, true);
    if (78 + 10 * size_t(resources) > bytes.size())
        return Fail(contents, "resource list past the end");
    std::map<uint32_t, std::pair<size_t, size_t>> ranges;  // id -> [start, end)
    for (uint32_t i = 0; i < resources; ++i) {
        const size_t at = 78 + 10 * size_t(i);
        const size_t start = Number(bytes, at + 6, 4, true);
        const size_t end = i + 1 < resources ? Number(bytes, at + 16, 4, true) : bytes.size();
        if (std::string(bytes.begin() + long(at), bytes.begin() + long(at) + 4) != "DATA" || start > end ||
            end > bytes.size())
            return Fail(contents, "bad resource " + std::to_string(i));
        ranges[Number(bytes, at + 4, 2, true)] = {start, end};
    }
    if (!ranges.count(0x1000))
        return Fail(contents, "no directory resource");
    const auto [directory, directoryEnd] = ranges[0x1000];
    contents.entryCount = Number(bytes, directory, 4);
    if (directory + 4 + kEntry * contents.entryCount != directoryEnd)
        return Fail(contents, "the directory resource does not hold its entries");
    return ReadDirectory(bytes, directory + 4, knownNames, contents,
                         [&](uint32_t first, uint32_t size, uint32_t pieces, std::vector<uint8_t>& data) {
                             for (uint32_t id = first; id < first + pieces; ++id) {
                                 if (!ranges.count(id))
                                     return false;
                                 data.insert(data.end(), bytes.begin() + long(ranges[id].first),
                                             bytes.begin() + long(ranges[id].second));
                             }
                             return data.size() == size;
                         });
}

} // namespace test

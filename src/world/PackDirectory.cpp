#include "world/PackDirectory.h"

#include "platform/AsciiText.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "world/ByteOrder.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <map>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// The depth field is one byte.
constexpr int kMaxDepth = 255;

// Names compared upper-cased byte by byte; names equal that way fall back to
// their raw bytes so that the order never depends on the listing.
bool NameBefore(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        uint8_t ua = uint8_t(platform::UpperAscii(a[i])), ub = uint8_t(platform::UpperAscii(b[i]));
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

bool ReadFolder(const fs::path& folder, PackageNode& node, int depth, PackConsole& console)
{
    std::vector<std::string> folders, files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (it->is_directory(typeError))
            folders.push_back(std::move(name));
        else if (it->is_regular_file(typeError))
            files.push_back(std::move(name));
    }
    if (ec)
        return console.Fail("Cannot read directory " + folder.string() + ": " + ec.message());
    if (depth > kMaxDepth && !(folders.empty() && files.empty()))
        return console.Fail("Cannot pack directory " + folder.string() + ": folders are nested more than " +
                            std::to_string(kMaxDepth) + " levels deep");
    std::sort(folders.begin(), folders.end(), NameBefore);
    std::sort(files.begin(), files.end(), NameBefore);
    node.children.reserve(folders.size() + files.size());
    for (std::string& name : folders) {
        PackageNode& child = node.children.emplace_back(PackageNode{name, true, {}});
        if (!ReadFolder(folder / name, child, depth + 1, console))
            return false;
    }
    for (std::string& name : files)
        node.children.push_back(PackageNode{std::move(name), false, {}});
    return true;
}

// Fills the entries in pre-order: a folder's entry, then at once its subtree.
class DirectoryWalk {
public:
    DirectoryWalk(PackConsole& console, const PlaceStoredFile& place, PackageDirectory& directory)
        : console_(console), place_(place), directory_(directory)
    {
    }

    bool WalkChildren(const PackageNode& node, const fs::path& path, int depth)
    {
        for (const PackageNode& child : node.children) {
            const fs::path childPath = path / child.name;
            if (!(child.folder ? AddFolder(child, childPath, depth) : AddFile(child, childPath, depth)))
                return false;
            if (child.folder && !WalkChildren(child, childPath, depth + 1))
                return false;
        }
        return true;
    }

private:
    // The node's entry with its name and depth, or null (after reporting) when
    // its name has no stored form.
    PackageEntry* NewEntry(const PackageNode& node, const fs::path& path, int depth)
    {
        assert(depth >= 1 && depth <= kMaxDepth);
        const std::optional<std::string> name = StoredName(node.name);
        if (!name) {
            console_.Fail("Cannot pack " + path.string() +
                          ": its name has characters that Windows-1252 cannot hold; rename it");
            return nullptr;
        }
        PackageEntry& entry = directory_.entries.emplace_back();
        directory_.paths.push_back(path);
        entry.name = EntryName(*name);
        entry.extension = node.folder ? kFolderExtension : EntryExtension(*name);
        entry.depth = uint8_t(depth);
        entry.folder = node.folder;
        return &entry;
    }

    bool AddFolder(const PackageNode& node, const fs::path& path, int depth)
    {
        console_.Print(path.string() + "/\n");
        if (node.children.size() > 0xFFFF)
            return console_.Fail("Cannot pack directory " + path.string() + ": it holds " +
                                 std::to_string(node.children.size()) + " entries, at most 65535 fit");
        PackageEntry* entry = NewEntry(node, path, depth);
        if (!entry)
            return false;
        entry->size = uint32_t(node.children.size());
        return true;
    }

    bool AddFile(const PackageNode& node, const fs::path& path, int depth)
    {
        const uint32_t index = uint32_t(directory_.entries.size());
        PackageEntry* newEntry = NewEntry(node, path, depth);
        if (!newEntry)
            return false;
        PackageEntry& entry = *newEntry;
        console_.Print(path.string() + " - ");
        std::optional<uint64_t> size = GetFileSize(path);
        if (!size)
            return console_.Fail("Cannot read the size of file " + path.string());
        if (*size > 0xFFFFFFFFu)
            return console_.Fail("Cannot pack file " + path.string() + ": it is larger than 4 GB");
        entry.size = uint32_t(*size);
        if (entry.size == 0)
            console_.Print(" NULL SIZE");
        int duplicate = FindDuplicateFile(path, directory_.files, directory_.entries, entry.size);
        if (duplicate >= 0) {
            entry.offset = directory_.entries[size_t(duplicate)].offset;
            entry.pieces = directory_.entries[size_t(duplicate)].pieces;
            console_.Print("merged\n");
            return true;
        }
        directory_.files.push_back(StoredFile{index, path, entry.size});
        return place_(entry, directory_.files.back());
    }

    PackConsole& console_;
    const PlaceStoredFile& place_;
    PackageDirectory& directory_;
};

} // namespace

size_t PackageNode::CountNodes() const
{
    size_t count = 1;
    for (const PackageNode& child : children)
        count += child.CountNodes();
    return count;
}

bool ReadDirectoryTree(const fs::path& folder, PackageNode& node, PackConsole& console)
{
    return ReadFolder(folder, node, 1, console);
}

std::optional<std::string> StoredName(std::string_view name)
{
    return platform::ExactWindows1252(name);
}

std::array<uint8_t, kEntryNameSize> EntryName(std::string_view name)
{
    const std::string lower = platform::LowerWindows1252(name);
    const size_t dot = lower.rfind('.');
    const size_t length = std::min(dot == std::string::npos ? lower.size() : dot, kEntryNameSize);
    std::array<uint8_t, kEntryNameSize> field{};
    std::memcpy(field.data(), lower.data(), length);
    return field;
}

uint32_t EntryExtension(std::string_view name)
{
    const std::string lower = platform::LowerWindows1252(name);
    const size_t dot = lower.find('.');
    const size_t start = dot == std::string::npos ? 0 : dot + 1;
    uint8_t bytes[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4 && start + i < lower.size(); ++i)
        bytes[i] = uint8_t(lower[start + i]);
    return LoadLE32(bytes);
}

int FindDuplicateFile(const fs::path& path, const std::vector<StoredFile>& files,
                      const std::vector<PackageEntry>& entries, uint32_t size)
{
    std::vector<uint8_t> bytes;
    bool read = false;
    std::string error;
    for (const StoredFile& candidate : files) {
        assert(candidate.entry < entries.size());
        if (entries[candidate.entry].size != size)
            continue;
        if (!read) {
            if (!platform::ReadFileBytes(path, bytes, error))
                return -1;
            read = true;
        }
        std::vector<uint8_t> other;
        if (platform::ReadFileBytes(candidate.path, other, error) && other == bytes)
            return int(candidate.entry);
    }
    return -1;
}

bool CountSubtrees(std::vector<PackageEntry>& entries, PackConsole& console)
{
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].folder)
            continue;
        size_t end = i + 1;
        while (end < entries.size() && entries[end].depth > entries[i].depth)
            ++end;
        const size_t subtree = end - i;
        if (subtree > 0xFFFF)
            return console.Fail("Cannot pack a folder of " + std::to_string(subtree) +
                                " entries: a folder's subtree holds at most 65535");
        entries[i].size = entries[i].Children() | uint32_t(subtree) << 16;
    }
    return true;
}

void ScrambleDirectory(std::vector<PackageEntry>& entries)
{
    for (PackageEntry& entry : entries) {
        const size_t length = std::find(entry.name.begin(), entry.name.end(), 0) - entry.name.begin();
        for (size_t i = 0; i < length; ++i)
            entry.name[i] ^= kScrambleKey[i & 7];
        entry.extension ^= kScrambleConstant;
    }
}

bool CheckDistinctEntries(const PackageDirectory& directory, PackConsole& console)
{
    const std::vector<PackageEntry>& entries = directory.entries;
    assert(directory.paths.size() == entries.size());
    // In pre-order an entry's folder is the last entry met one level up.
    std::vector<size_t> lastAtDepth(kMaxDepth + 1, SIZE_MAX);
    using Key = std::tuple<size_t, std::array<uint8_t, kEntryNameSize>, uint32_t>;
    std::map<Key, size_t> seen;
    for (size_t i = 0; i < entries.size(); ++i) {
        const PackageEntry& entry = entries[i];
        lastAtDepth[entry.depth] = i;
        const auto [first, added] = seen.try_emplace(Key{lastAtDepth[entry.depth - 1], entry.name, entry.extension}, i);
        if (!added)
            return console.Fail("Cannot pack " + directory.paths[first->second].string() + " and " +
                                directory.paths[i].string() +
                                ": the package would store both under the same name, and the game could not "
                                "tell them apart");
    }
    return true;
}

std::optional<uint64_t> GetFileSize(const fs::path& path)
{
    std::error_code ec;
    uint64_t size = fs::file_size(path, ec);
    if (ec)
        return std::nullopt;
    return size;
}

bool BuildPackageDirectory(bool scramble, const fs::path& source, const fs::path& destination,
                           PackConsole& console, const PlaceStoredFile& place, PackageDirectory& directory)
{
    directory = {};
    std::error_code ec;
    if (!fs::is_directory(source, ec))
        return console.Fail("Cannot find directory " + source.string());
    console.Print("Packing directory " + source.string() + " to file " + destination.string() + "\n\n");
    PackageNode root{"Package", true, {}};
    console.Print("Getting directory structure...");
    if (!ReadDirectoryTree(source, root, console))
        return false;
    console.Print("ok\n\n");

    directory.entries.reserve(root.CountNodes() - 1);
    console.Print("Analyzing files and directories...\n");
    DirectoryWalk walk(console, place, directory);
    if (!walk.WalkChildren(root, source, 1))
        return false;
    if (!CountSubtrees(directory.entries, console))
        return false;
    if (scramble)
        ScrambleDirectory(directory.entries);
    return CheckDistinctEntries(directory, console);
}

// Directory entry, 30 bytes, little-endian:
//   offset size field
//   0      16   name, lower-cased, without its last extension; NUL-filled (no NUL when 16 long)
//   16     4    extension: file: 4 bytes after the first "."; folder: 2E 2E 2E 00
//   20     4    file: data offset (flat package) or first resource id (database); folder: 0
//   24     4    file: size in bytes; folder: 16-bit direct children, then 16-bit subtree entries
//   28     1    depth: 1 directly below the packed folder
//   29     1    pieces: file: resources its data spans (1 in the flat package); folder: 0
void AppendEntries(const std::vector<PackageEntry>& entries, std::vector<uint8_t>& out)
{
    size_t at = out.size();
    out.resize(at + entries.size() * kEntrySize);
    for (const PackageEntry& entry : entries) {
        uint8_t* p = out.data() + at;
        std::memcpy(p, entry.name.data(), kEntryNameSize);
        StoreLE32(p + 16, entry.extension);
        StoreLE32(p + 20, entry.offset);
        StoreLE32(p + 24, entry.size);
        p[28] = entry.depth;
        p[29] = entry.pieces;
        at += kEntrySize;
    }
}

#pragma once
// The directory table that both package formats carry: one 30-byte entry per
// folder or file below the packed folder, in a fixed walk order, with identical
// files stored once and the table optionally scrambled.
#include "world/PackConsole.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One folder or file of the tree being packed. A folder lists its sub-folders
// first, then its files, each group sorted by name compared upper-cased byte by
// byte, so the same folder always gives the same package.
struct PackageNode {
    std::string name;
    bool folder = false;
    std::vector<PackageNode> children;

    // This node and every node below it.
    size_t CountNodes() const;
};

constexpr size_t kEntrySize = 30;
constexpr size_t kEntryNameSize = 16;
// The extension field of a folder entry: the bytes 2E 2E 2E 00.
constexpr uint32_t kFolderExtension = 0x002E2E2E;
// Scrambling: name byte i is XORed with key byte (i AND 7), the extension field
// with the constant.
constexpr std::array<uint8_t, 8> kScrambleKey = {0x51, 0x77, 0x37, 0x52, 0x74, 0x32, 0x5A, 0x70};
constexpr uint32_t kScrambleConstant = 0x5A3C9E17;

struct PackageEntry {
    std::array<uint8_t, kEntryNameSize> name{};
    uint32_t extension = 0;  // the four stored bytes read little-endian
    uint32_t offset = 0;     // file: where its data lies (set by the writer); folder: 0
    uint32_t size = 0;       // file: bytes; folder: direct children | subtree entries << 16
    uint8_t depth = 0;       // 1 directly below the packed folder
    uint8_t pieces = 0;      // file: pieces its data was cut into; folder: 0
    bool folder = false;     // not stored: tells folders from files before and after scrambling

    uint32_t Children() const { return size & 0xFFFF; }
    uint32_t Subtree() const { return size >> 16; }
};

// A file whose bytes the package stores, in the order they are appended.
struct StoredFile {
    uint32_t entry = 0;  // index of its directory entry
    std::filesystem::path path;
    uint32_t size = 0;
};

struct PackageDirectory {
    std::vector<PackageEntry> entries;
    std::vector<StoredFile> files;
    std::vector<std::filesystem::path> paths;  // per entry: where it was read from
};

// Reads `folder` into `node` (sub-folders first, then files, each sorted).
// Fails, with the reason on the console, when a folder cannot be listed or the
// tree is deeper than a depth byte can count.
bool ReadDirectoryTree(const std::filesystem::path& folder, PackageNode& node, PackConsole& console);

// Names are stored in Windows-1252, lower-cased by that code page (one byte per
// character, so any cut falls between characters).
//
// The name as stored: the Windows-1252 form of the UTF-8 `name`, or nothing when
// it has none.
std::optional<std::string> StoredName(std::string_view name);
// The entry's name field of a Windows-1252 name: lower-cased, without its last
// extension, at most 16 bytes, NUL-filled.
std::array<uint8_t, kEntryNameSize> EntryName(std::string_view name);
// A file entry's extension field: the four bytes after the first "." of the
// lower-cased name (NUL beyond its end); without a ".", the name's first four.
uint32_t EntryExtension(std::string_view name);

// Index of the entry of a stored file with the same bytes as `path`, or -1.
// Files that cannot be read count as different.
int FindDuplicateFile(const std::filesystem::path& path, const std::vector<StoredFile>& files,
                      const std::vector<PackageEntry>& entries, uint32_t size);

// Fills the subtree counts of the folder entries; fails when one does not fit 16 bits.
bool CountSubtrees(std::vector<PackageEntry>& entries, PackConsole& console);

void ScrambleDirectory(std::vector<PackageEntry>& entries);

// Fails, naming both, when two entries of one folder have the same stored name
// and extension: the game could not tell them apart. Scrambling can make
// different names equal (a last byte equal to its key byte becomes NUL), so
// this runs on the finished table.
bool CheckDistinctEntries(const PackageDirectory& directory, PackConsole& console);

// The file's size in bytes, or nothing when it cannot be read.
std::optional<uint64_t> GetFileSize(const std::filesystem::path& path);

// Called for each file whose bytes are stored, after its entry and its place in
// the file list are set: the writer fills the entry's offset and pieces fields,
// prints how it placed the file, and returns false (after reporting) to stop.
using PlaceStoredFile = std::function<bool(PackageEntry& entry, const StoredFile& file)>;

// The steps both package writers share: checks and reads `source`, fills the
// entries in walk order and the file list (letting `place` position each stored
// file), counts the subtrees, when asked scrambles the table, and checks that
// no two entries of a folder are stored alike.
bool BuildPackageDirectory(bool scramble, const std::filesystem::path& source,
                           const std::filesystem::path& destination, PackConsole& console,
                           const PlaceStoredFile& place, PackageDirectory& directory);

// Appends the entries in their stored form.
void AppendEntries(const std::vector<PackageEntry>& entries, std::vector<uint8_t>& out);

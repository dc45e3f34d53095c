#include "world/PdbWriter.h"

#include "world/ByteOrder.h"
#include "world/FileSplitter.h"
#include "world/PackDirectory.h"
#include "world/PackageOutput.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int64_t kPalmEpochOffset = 2082844800;  // 1904-01-01 to 1970-01-01 in seconds
constexpr size_t kDatabaseNameField = 32;         // at most 31 characters and a NUL
constexpr uint32_t kLastResourceId = 0xFFFF;

struct Resource {
    uint16_t id;
    uint64_t position;  // the directory's offset, or a file piece's place among the files' bytes
};

} // namespace

uint32_t PalmTimeNow(const platform::SecondsClock& clock)
{
    std::optional<int64_t> seconds = clock ? clock() : std::nullopt;
    if (!seconds)
        return 0xFFFFFFFF;
    return uint32_t(*seconds + kPalmEpochOffset);
}

// Database header, big-endian:
//   offset size field
//   0      32   database name, at most 31 characters, NUL-filled
//   32     2    attributes: 0x0001 (resource database)
//   34     2    version: 0x0001
//   36     4    creation time (seconds since 1904-01-01)
//   40     4    modification time (the same)
//   44     4    last backup time: 0
//   48     4    modification number: 0
//   52     4    application info id: 0
//   56     4    sort info id: 0
//   60     4    type
//   64     4    creator
//   68     4    unique id seed: 0
//   72     4    next record list id: 0
//   76     2    number of resources R
void MakePdbHeader(std::span<uint8_t, kPdbHeaderSize> header, std::string_view name, std::string_view type,
                   std::string_view creator, uint16_t resourceCount, uint32_t time)
{
    std::fill(header.begin(), header.end(), uint8_t(0));
    std::memcpy(header.data(), name.data(), std::min(name.size(), kDatabaseNameField - 1));
    StoreBE16(&header[32], 0x0001);
    StoreBE16(&header[34], 0x0001);
    StoreBE32(&header[36], time);
    StoreBE32(&header[40], time);
    StoreFourCC(&header[60], type);
    StoreFourCC(&header[64], creator);
    StoreBE16(&header[76], resourceCount);
}

// The database file:
//   0              78      header (MakePdbHeader)
//   78             10 R    resource list: type (4), id (2, big-endian), offset from the file's start (4, big-endian)
//   78 + 10R       4 + 30N resource 0x1000, the directory: the entry count N (32-bit little-endian,
//                          negated when the table is not scrambled), then the N entries
//   82 + 10R + 30N ...     the stored files' bytes in file-list order; resources 0x1001.. point into them
bool BuildPdb(bool scramble, std::string_view databaseName, std::string_view creator, std::string_view type,
              const std::filesystem::path& source, const std::filesystem::path& destination, PackConsole& console,
              const platform::SecondsClock& clock, std::vector<uint8_t>& package)
{
    std::vector<Resource> resources{{kDirectoryResourceId, 0}};
    uint32_t nextId = kDirectoryResourceId + 1;
    uint64_t position = 0;
    std::vector<uint32_t> pieces;
    auto placeFile = [&](PackageEntry& entry, const StoredFile& file) {
        std::string error;
        if (!SplitFile(file.path, entry.extension, file.size, pieces, error))
            return console.Fail("cannot split file", "Cannot split file " + file.path.string() + ": " + error);
        if (nextId + pieces.size() - 1 > kLastResourceId)
            return console.Fail("Cannot pack file " + file.path.string() + ": the database is out of resource ids");
        entry.offset = nextId;
        entry.pieces = uint8_t(pieces.size());
        for (uint32_t size : pieces) {
            resources.push_back({uint16_t(nextId++), position});
            position += size;
        }
        console.Print(pieces.size() == 1 ? "added\n" : "splitted\n");
        return true;
    };
    PackageDirectory directory;
    if (!BuildPackageDirectory(scramble, source, destination, console, placeFile, directory))
        return false;

    const uint64_t entryCount = directory.entries.size();
    const uint64_t directoryOffset = kPdbHeaderSize + kPdbResourceEntrySize * resources.size();
    const uint64_t filesOffset = directoryOffset + 4 + kEntrySize * entryCount;
    if (filesOffset + position > 0xFFFFFFFFu)
        return console.Fail("Cannot pack directory " + source.string() + ": the database would exceed 4 GB");
    resources[0].position = directoryOffset;
    for (size_t i = 1; i < resources.size(); ++i)
        resources[i].position += filesOffset;

    console.Print("\nWriting header...\n");
    package.assign(filesOffset, 0);
    MakePdbHeader(std::span<uint8_t, kPdbHeaderSize>(package.data(), kPdbHeaderSize), databaseName, type, creator,
                  uint16_t(resources.size()), PalmTimeNow(clock));
    uint8_t* at = package.data() + kPdbHeaderSize;
    for (const Resource& resource : resources) {
        StoreFourCC(at, "DATA");
        StoreBE16(at + 4, resource.id);
        StoreBE32(at + 6, uint32_t(resource.position));
        at += kPdbResourceEntrySize;
    }
    const uint32_t storedCount = scramble ? uint32_t(entryCount) : uint32_t(0) - uint32_t(entryCount);
    StoreLE32(at, storedCount);
    package.resize(directoryOffset + 4);
    AppendEntries(directory.entries, package);
    return AppendFiles(directory.files, package, console);
}

bool PackPdb(bool scramble, std::string_view databaseName, std::string_view creator, std::string_view type,
             const std::filesystem::path& source, const std::filesystem::path& destination, PackConsole& console,
             const platform::SecondsClock& clock)
{
    std::vector<uint8_t> package;
    return BuildPdb(scramble, databaseName, creator, type, source, destination, console, clock, package) &&
           WritePackage(package, destination, console);
}

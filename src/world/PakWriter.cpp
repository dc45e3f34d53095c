#include "world/PakWriter.h"

#include "world/ByteOrder.h"
#include "world/PackDirectory.h"
#include "world/PackageOutput.h"

#include <vector>

// Flat package, little-endian:
//   offset    size  field
//   0         4     signature
//   4         4     type
//   8         4     time of packing: seconds since 1970-01-01 (0xFFFFFFFF when unknown)
//   12        4     entry count N
//   16        30 N  the directory entries; a file's offset field is where its bytes start
//                   in this file, its pieces field 1
//   16 + 30 N ...   the stored files' bytes in file-list order
bool BuildPak(bool scramble, std::string_view signature, std::string_view type, const std::filesystem::path& source,
              const std::filesystem::path& destination, PackConsole& console, const platform::SecondsClock& clock,
              std::vector<uint8_t>& package)
{
    uint64_t position = 0;
    auto placeFile = [&](PackageEntry& entry, const StoredFile& file) {
        entry.pieces = 1;
        if (position > 0xFFFFFFFFu)
            return console.Fail("Cannot pack file " + file.path.string() + ": the package would exceed 4 GB");
        entry.offset = uint32_t(position);
        position += file.size;
        console.Print("added\n");
        return true;
    };
    PackageDirectory directory;
    if (!BuildPackageDirectory(scramble, source, destination, console, placeFile, directory))
        return false;

    const uint64_t filesOffset = kPakHeaderSize + kEntrySize * directory.entries.size();
    if (filesOffset + position > 0xFFFFFFFFu)
        return console.Fail("Cannot pack directory " + source.string() + ": the package would exceed 4 GB");
    for (PackageEntry& entry : directory.entries)
        if (!entry.folder)
            entry.offset += uint32_t(filesOffset);

    console.Print("\nWriting header...\n");
    std::optional<int64_t> now = clock ? clock() : std::nullopt;
    package.assign(kPakHeaderSize, 0);
    StoreFourCC(&package[0], signature);
    StoreFourCC(&package[4], type);
    StoreLE32(&package[8], now ? uint32_t(*now) : 0xFFFFFFFFu);
    StoreLE32(&package[12], uint32_t(directory.entries.size()));
    AppendEntries(directory.entries, package);
    return AppendFiles(directory.files, package, console);
}

bool PackPak(bool scramble, std::string_view signature, std::string_view type, const std::filesystem::path& source,
             const std::filesystem::path& destination, PackConsole& console, const platform::SecondsClock& clock)
{
    std::vector<uint8_t> package;
    return BuildPak(scramble, signature, type, source, destination, console, clock, package) &&
           WritePackage(package, destination, console);
}

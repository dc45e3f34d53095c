#include "world/PackageOutput.h"

#include "platform/FileSystem.h"

bool AppendFiles(const std::vector<StoredFile>& files, std::vector<uint8_t>& destination, PackConsole& console)
{
    console.Print("\nAdding files...\n");
    std::vector<uint8_t> bytes;
    for (const StoredFile& file : files) {
        std::string error;
        if (!platform::ReadFileBytes(file.path, bytes, error))
            return console.Fail("Cannot open file " + file.path.string(), error);
        if (bytes.size() != file.size)
            return console.Fail("File " + file.path.string() + " changed while it was being packed (" +
                                std::to_string(file.size) + " bytes before, " + std::to_string(bytes.size()) +
                                " now)");
        destination.insert(destination.end(), bytes.begin(), bytes.end());
        console.Print(file.path.string() + "\n");
    }
    return true;
}

bool WritePackage(const std::vector<uint8_t>& package, const std::filesystem::path& destination,
                  PackConsole& console)
{
    std::string error;
    if (!platform::WriteFileAtomically(destination, package, error))
        return console.Fail("Cannot open destination file " + destination.string(), error);
    console.Print("\nAll done\n\n");
    return true;
}

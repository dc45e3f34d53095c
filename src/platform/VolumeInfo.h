#pragma once
// Size and file system of the volume that holds a path.
#include <cstdint>
#include <filesystem>
#include <string>

namespace platform {

// This platform has no clusters or sectors: a sector is the volume's fragment size and a
// cluster is one sector.
struct VolumeInfo {
    uint64_t BytesPerSector = 0;
    uint64_t SectorsPerCluster = 0;
    uint64_t FreeClusters = 0;  // available to the user
    uint64_t TotalClusters = 0;
    uint32_t SerialNumber = 0;  // the low 32 bits of the file system id
    std::string FileSystem;     // "FAT", "HPFS", "NTFS", or the kernel's number in hex
    uint64_t Flags = 0;         // the mount flags
    uint64_t MaxNameLength = 0; // longest file-name component
};

// False when the volume cannot be asked (the path does not exist and the like).
bool QueryVolume(const std::filesystem::path& path, VolumeInfo& info);

} // namespace platform

#include "platform/VolumeInfo.h"

#include <sys/statfs.h>
#include <sys/statvfs.h>

#include <cstdio>

namespace platform {

namespace {

// The kernel's magic numbers of the file systems the callers tell apart.
std::string FileSystemName(uint64_t magic)
{
    switch (magic) {
    case 0x4D44:     // msdos, vfat
        return "FAT";
    case 0xF995E849: // hpfs
        return "HPFS";
    case 0x5346544E: // ntfs
    case 0x7366746E: // ntfs3
        return "NTFS";
    default: {
        char text[24];
        std::snprintf(text, sizeof(text), "0x%llX", static_cast<unsigned long long>(magic));
        return text;
    }
    }
}

} // namespace

bool QueryVolume(const std::filesystem::path& path, VolumeInfo& info)
{
    struct statvfs sizes {};
    struct statfs kind {};
    if (statvfs(path.c_str(), &sizes) != 0 || statfs(path.c_str(), &kind) != 0)
        return false;
    info.BytesPerSector = sizes.f_frsize;
    info.SectorsPerCluster = 1;
    info.FreeClusters = sizes.f_bavail;
    info.TotalClusters = sizes.f_blocks;
    info.SerialNumber = uint32_t(sizes.f_fsid);
    info.FileSystem = FileSystemName(uint64_t(uint32_t(kind.f_type)));
    info.Flags = sizes.f_flag;
    info.MaxNameLength = sizes.f_namemax;
    return true;
}

} // namespace platform

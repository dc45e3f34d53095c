// An item id list, all numbers little-endian: items one after another, each a 2-byte size
// (counting those 2 bytes) and its data, closed by a size of 0. The first data byte is
// the item's class type.
//
// Root folder (type 0x1F), 20 bytes: size, type, sort index, the folder's class id; the
// computer's own ({20D04FE0-3AEA-1069-A2D8-08002B30309D}) is the root of the drives.
//
// Drive (types 0x20-0x2F): size, type, then the drive's root ("C:\") in single bytes,
// ended by a 0.
//
// Folder or file entry (types 0x30-0x3F; bit 0x04: the name is UTF-16):
// | offset | size | field                                                      |
// |--------|------|------------------------------------------------------------|
// | 0      | 2    | size                                                       |
// | 2      | 1    | type                                                       |
// | 3      | 1    | unused                                                     |
// | 4      | 4    | file size                                                  |
// | 8      | 4    | modification date and time (FAT)                           |
// | 12     | 2    | file attributes                                            |
// | 14     | n    | primary (short) name ended by a 0, padded to an even size  |
// | 14 + n | ...  | extension blocks                                           |
//
// The long name is in the first extension block when its signature is 0xBEEF0004: size
// (2), version (2), signature (4), then fields by version; the UTF-16 long name, ended
// by a 0, starts at 20 (version 3 to 6), 38 (7), 42 (8) or 46 (9 and later).
#include "platform/ShellItemIds.h"

#include "platform/ShellLinkBytes.h"

#include <array>
#include <cstring>
#include <optional>

namespace platform {
namespace {

using shelllink::Reader;

constexpr uint8_t kRootFolder = 0x1F;
constexpr std::array<uint8_t, 16> kComputerClassId = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                                      0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
constexpr uint8_t kKindMask = 0xF0;
constexpr uint8_t kDriveKind = 0x20;
constexpr uint8_t kEntryKind = 0x30;
constexpr uint8_t kUnicodeName = 0x04;
constexpr size_t kEntryNameAt = 14;
constexpr uint32_t kFileEntryExtension = 0xBEEF0004;

// Where a file entry extension block of `version` keeps the long name; nothing for
// versions before 3, which have none.
std::optional<size_t> LongNameOffset(uint16_t version)
{
    if (version < 3)
        return std::nullopt;
    return version < 7 ? 20 : version == 7 ? 38 : version == 8 ? 42 : 46;
}

// The offset just past the 0 that ends the text at `at` (characters of `width` bytes);
// the region's size when there is none.
size_t PastTerminator(std::span<const uint8_t> bytes, size_t at, size_t width)
{
    for (size_t i = at; i + width <= bytes.size(); i += width)
        if (bytes[i] == 0 && (width == 1 || bytes[i + 1] == 0))
            return i + width;
    return bytes.size();
}

// The long name of a folder or file entry, else (also when the long name is empty) its
// primary name; empty when unreadable.
std::string EntryName(std::span<const uint8_t> bytes, size_t base)
{
    Reader item(bytes, base);
    const bool unicode = bytes[2] & kUnicodeName;
    const std::string name = item.TerminatedText(kEntryNameAt, unicode, "the primary name");
    if (item.Failed())
        return {};
    size_t block = PastTerminator(bytes, kEntryNameAt, unicode ? 2 : 1);
    block += block % 2;
    if (block + 8 > bytes.size())
        return name;
    const uint16_t blockSize = item.U16(block, "");
    const std::optional<size_t> at = LongNameOffset(item.U16(block + 2, ""));
    if (blockSize < 8 || blockSize > bytes.size() - block || item.U32(block + 4, "") != kFileEntryExtension || !at)
        return name;
    Reader extension(bytes.subspan(block, blockSize), base + block);
    const std::string longName = extension.TerminatedText(*at, true, "the long name");
    if (extension.Failed())
        return {};
    return longName.empty() ? name : longName;
}

} // namespace

std::string PathFromItemIds(std::span<const uint8_t> list)
{
    std::string path;
    size_t at = 0;
    while (at + 2 <= list.size()) {
        const size_t size = size_t(list[at]) | size_t(list[at + 1]) << 8;
        if (size == 0)
            return path;
        if (size < 3 || size > list.size() - at)
            return {};
        const uint8_t type = list[at + 2];
        if (type == kRootFolder) {
            if (!path.empty() || size < 20 || std::memcmp(&list[at + 4], kComputerClassId.data(), 16) != 0)
                return {};
        } else if ((type & kKindMask) == kDriveKind && path.empty()) {
            Reader item(list.subspan(at, size), at);
            path = item.TerminatedText(3, false, "the drive");
            if (item.Failed() || path.empty())
                return {};
        } else if ((type & kKindMask) == kEntryKind && !path.empty()) {
            const std::string name = EntryName(list.subspan(at, size), at);
            if (name.empty())
                return {};
            if (path.back() != '\\')
                path += '\\';
            path += name;
        } else {
            return {};
        }
        at += size;
    }
    return {}; // no closing 0
}

} // namespace platform

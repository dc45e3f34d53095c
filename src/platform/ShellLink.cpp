// The shell-link file, all numbers little-endian:
//
// Header, 76 bytes:
// | offset | size | field                                                        |
// |--------|------|--------------------------------------------------------------|
// | 0      | 4    | header size, 0x4C                                            |
// | 4      | 16   | class id 00021401-0000-0000-C000-000000000046                |
// | 20     | 4    | link flags (kHas... below)                                   |
// | 24     | 4    | target's file attributes                                     |
// | 28     | 8    | creation time  (FILETIME)                                    |
// | 36     | 8    | access time                                                  |
// | 44     | 8    | write time                                                   |
// | 52     | 4    | target's file size                                           |
// | 56     | 4    | icon index, signed                                           |
// | 60     | 4    | show command                                                 |
// | 64     | 2    | hot key: key code, then modifiers (1 Shift, 2 Ctrl, 4 Alt)   |
// | 66     | 10   | reserved, 0                                                  |
//
// Then, each only when its flag is set:
// - target id list: a 2-byte size and that many bytes of shell item ids (ShellItemIds.cpp);
//   it gives the target when neither LinkInfo nor an environment block does;
// - LinkInfo: a 4-byte total size, a 4-byte header size (0x1C, or 0x24 and more with the
//   Unicode offsets), flags (1 volume and local base path, 2 network share), and offsets,
//   from the LinkInfo's start, of the volume id, the local base path, the network block,
//   the common path suffix [, the local base path and suffix in UTF-16]; the target is
//   the local base path followed by the suffix, or the share's name, "\" and the suffix;
// - the texts, in this order: description, relative path, working folder, arguments,
//   icon location; each a 2-byte count of characters and the characters (UTF-16 when
//   kIsUnicode, else single bytes), without a terminator;
// - extra blocks (4-byte size, 4-byte signature, data) up to a block of size below 4. The
//   environment block (0xA0000001) holds the target as 260 single bytes and 260 UTF-16
//   characters; it gives the target when there is no LinkInfo.
#include "platform/ShellLink.h"

#include "platform/ShellItemIds.h"
#include "platform/ShellLinkBytes.h"
#include "platform/Utf8.h"
#include "platform/Windows1252.h"

#include <array>
#include <cstring>
#include <tuple>

namespace platform {
namespace {

using shelllink::Reader;

constexpr uint32_t kHeaderSize = 0x4C;
constexpr std::array<uint8_t, 16> kLinkClassId = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

constexpr uint32_t kHasTargetIdList = 0x1;
constexpr uint32_t kHasLinkInfo = 0x2;
constexpr uint32_t kHasName = 0x4;
constexpr uint32_t kHasRelativePath = 0x8;
constexpr uint32_t kHasWorkingDir = 0x10;
constexpr uint32_t kHasArguments = 0x20;
constexpr uint32_t kHasIconLocation = 0x40;
constexpr uint32_t kIsUnicode = 0x80;
constexpr uint32_t kForceNoLinkInfo = 0x100;

constexpr uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr uint32_t kNetworkRelativeLink = 0x2;
constexpr uint32_t kEnvironmentBlock = 0xA0000001;
constexpr uint32_t kDriveFixed = 3;

// The target named by a LinkInfo block.
std::string ReadLinkInfo(Reader& info)
{
    const uint32_t headerSize = info.U32(4, "the LinkInfo header size");
    const uint32_t flags = info.U32(8, "the LinkInfo flags");
    const uint32_t localOffset = info.U32(16, "the local base path offset");
    const uint32_t networkOffset = info.U32(20, "the network share offset");
    const uint32_t suffixOffset = info.U32(24, "the path suffix offset");
    const bool hasUnicode = headerSize >= 0x24;
    const uint32_t localUnicodeOffset = hasUnicode ? info.U32(28, "the UTF-16 local base path offset") : 0;
    const uint32_t suffixUnicodeOffset = hasUnicode ? info.U32(32, "the UTF-16 path suffix offset") : 0;
    if (headerSize < 0x1C)
        info.Fail(4, "the LinkInfo header size " + std::to_string(headerSize) + " is below 28");
    else if (headerSize > info.Size())
        info.Fail(4, "the LinkInfo header size " + std::to_string(headerSize) + " runs past the LinkInfo's " +
                         std::to_string(info.Size()) + " bytes");
    if (info.Failed())
        return {};
    // The texts lie past the header and outside the volume block; an offset into either
    // would read numbers as the target.
    const uint32_t volumeOffset = (flags & kVolumeIdAndLocalBasePath) ? info.U32(12, "the volume offset") : 0;
    const uint64_t volumeEnd = volumeOffset != 0 ? uint64_t(volumeOffset) + info.U32(volumeOffset, "the volume size") : 0;
    // Each offset with the place of its field and its name.
    const std::tuple<uint32_t, size_t, const char*> offsets[] = {
        {volumeOffset, 12, "the volume offset"},
        {(flags & kVolumeIdAndLocalBasePath) ? localOffset : 0, 16, "the local base path offset"},
        {(flags & kNetworkRelativeLink) ? networkOffset : 0, 20, "the network share offset"},
        {suffixOffset, 24, "the path suffix offset"},
        {localUnicodeOffset, 28, "the UTF-16 local base path offset"},
        {suffixUnicodeOffset, 32, "the UTF-16 path suffix offset"}};
    for (const auto& [offset, at, what] : offsets) {
        if (offset != 0 && offset < headerSize)
            info.Fail(at, std::string(what) + " " + std::to_string(offset) + " points into the LinkInfo header");
        else if (at != 12 && offset >= volumeOffset && offset < volumeEnd)
            info.Fail(at, std::string(what) + " " + std::to_string(offset) + " points into the volume block");
    }
    if (info.Failed())
        return {};
    const std::string suffix = suffixUnicodeOffset != 0
                                   ? info.TerminatedText(suffixUnicodeOffset, true, "the path suffix")
                                   : info.TerminatedText(suffixOffset, false, "the path suffix");
    if (flags & kVolumeIdAndLocalBasePath) {
        const std::string local = localUnicodeOffset != 0
                                      ? info.TerminatedText(localUnicodeOffset, true, "the local base path")
                                      : info.TerminatedText(localOffset, false, "the local base path");
        return local + suffix;
    }
    if (flags & kNetworkRelativeLink) {
        // The network block: size, flags, share name offset, device name offset, provider
        // type [, UTF-16 share and device name offsets when the name offset is above 0x14].
        const uint32_t nameOffset = info.U32(size_t(networkOffset) + 8, "the share name offset");
        const bool unicodeName = nameOffset > 0x14;
        const uint32_t unicodeNameOffset = unicodeName ? info.U32(size_t(networkOffset) + 20, "the share name offset") : 0;
        if (info.Failed())
            return {};
        const std::string share =
            unicodeName ? info.TerminatedText(size_t(networkOffset) + unicodeNameOffset, true, "the share name")
                        : info.TerminatedText(size_t(networkOffset) + nameOffset, false, "the share name");
        return suffix.empty() ? share : share + "\\" + suffix;
    }
    return {};
}

// --- writing -------------------------------------------------------------------------

// `count` (at most 8) bytes of `value`, lowest first.
void Put(std::vector<uint8_t>& out, uint64_t value, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

void PutZeros(std::vector<uint8_t>& out, size_t count)
{
    out.insert(out.end(), count, 0);
}

void PutAt(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        out[at + i] = uint8_t(value >> (8 * i));
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    for (char32_t cp : Utf8ToCodePoints(text)) {
        if (cp >= 0x10000) {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return out;
}

void PutUtf16(std::vector<uint8_t>& out, const std::u16string& text)
{
    for (char16_t unit : text)
        Put(out, unit, 2);
}

void PutTerminated(std::vector<uint8_t>& out, std::string_view utf8, bool unicode)
{
    if (unicode) {
        PutUtf16(out, Utf8ToUtf16(utf8));
        Put(out, 0, 2);
    } else {
        const std::string bytes = Utf8ToWindows1252(utf8);
        out.insert(out.end(), bytes.begin(), bytes.end());
        out.push_back(0);
    }
}

// LinkInfo with the Unicode offsets (header 0x24). A "\\server\share\rest" target is a
// network share "\\server\share" with the suffix "rest"; any other target is a local
// base path on a fixed volume without a label, with an empty suffix.
void PutLinkInfo(std::vector<uint8_t>& out, const std::string& target)
{
    std::string share, suffix;
    const bool network = target.rfind("\\\\", 0) == 0;
    if (network) {
        // The share ends at the first "\" after the server's name.
        const size_t serverEnd = target.find('\\', 2);
        const size_t shareEnd = serverEnd == std::string::npos ? serverEnd : target.find('\\', serverEnd + 1);
        share = target.substr(0, shareEnd);
        suffix = shareEnd == std::string::npos ? std::string() : target.substr(shareEnd + 1);
    }
    const size_t start = out.size();
    PutZeros(out, 0x24); // the header, filled in below
    uint32_t localOffset = 0, localUnicodeOffset = 0, networkOffset = 0, volumeOffset = 0;
    if (network) {
        networkOffset = uint32_t(out.size() - start);
        // size, flags 0, share name at 0x14, no device name, provider type 0, share name
        const std::string name = Utf8ToWindows1252(share);
        Put(out, 0x14 + name.size() + 1, 4);
        Put(out, 0, 4);
        Put(out, 0x14, 4);
        Put(out, 0, 4);
        Put(out, 0, 4);
        PutTerminated(out, share, false);
    } else {
        volumeOffset = uint32_t(out.size() - start);
        // size 0x11, fixed drive, serial 0, label at 0x10: the empty label
        Put(out, 0x11, 4);
        Put(out, kDriveFixed, 4);
        Put(out, 0, 4);
        Put(out, 0x10, 4);
        Put(out, 0, 1);
        localOffset = uint32_t(out.size() - start);
        PutTerminated(out, target, false);
    }
    const uint32_t suffixOffset = uint32_t(out.size() - start);
    PutTerminated(out, suffix, false);
    if (!network) {
        localUnicodeOffset = uint32_t(out.size() - start);
        PutTerminated(out, target, true);
    }
    const uint32_t suffixUnicodeOffset = uint32_t(out.size() - start);
    PutTerminated(out, suffix, true);
    PutAt(out, start, uint32_t(out.size() - start));
    PutAt(out, start + 4, 0x24);
    PutAt(out, start + 8, network ? kNetworkRelativeLink : kVolumeIdAndLocalBasePath);
    PutAt(out, start + 12, volumeOffset);
    PutAt(out, start + 16, localOffset);
    PutAt(out, start + 20, networkOffset);
    PutAt(out, start + 24, suffixOffset);
    PutAt(out, start + 28, localUnicodeOffset);
    PutAt(out, start + 32, suffixUnicodeOffset);
}

} // namespace

bool ReadShellLink(std::span<const uint8_t> bytes, ShellLink& link, std::string& error)
{
    Reader file(bytes, 0);
    ShellLink read;
    if (file.U32(0, "the header") != kHeaderSize || !file.Has(0, kHeaderSize, "the header") ||
        std::memcmp(bytes.data() + 4, kLinkClassId.data(), kLinkClassId.size()) != 0) {
        error = "not a shortcut file: it does not start with the 76-byte shell-link header";
        return false;
    }
    const uint32_t flags = file.U32(20, "the link flags");
    read.FileAttributes = file.U32(24, "");
    read.CreationTime = file.U64(28, "");
    read.AccessTime = file.U64(36, "");
    read.WriteTime = file.U64(44, "");
    read.FileSize = file.U32(52, "");
    read.IconIndex = int32_t(file.U32(56, ""));
    read.ShowCommand = file.U32(60, "");
    read.HotKey = file.U16(64, "");

    size_t at = kHeaderSize;
    std::span<const uint8_t> itemIds;
    if (flags & kHasTargetIdList) {
        const size_t size = file.U16(at, "the target id list size");
        if (file.Has(at + 2, size, "the target id list"))
            itemIds = bytes.subspan(at + 2, size);
        at += 2 + size;
    }
    if (flags & kHasLinkInfo) {
        const uint32_t size = file.U32(at, "the LinkInfo size");
        if (!file.Failed() && size < 0x1C)
            file.Fail(at, "the LinkInfo size " + std::to_string(size) + " is below 28");
        if (file.Has(at, size, "the LinkInfo")) {
            Reader info(bytes.subspan(at, size), at);
            std::string target = ReadLinkInfo(info);
            file.Adopt(info);
            if (!(flags & kForceNoLinkInfo))
                read.Target = std::move(target);
        }
        at += size;
    }
    const bool unicode = (flags & kIsUnicode) != 0;
    const std::pair<uint32_t, std::string*> texts[] = {{kHasName, &read.Description},
                                                       {kHasRelativePath, &read.RelativePath},
                                                       {kHasWorkingDir, &read.WorkingDir},
                                                       {kHasArguments, &read.Arguments},
                                                       {kHasIconLocation, &read.IconLocation}};
    for (const auto& [flag, text] : texts) {
        if (!(flags & flag) || file.Failed())
            continue;
        const size_t count = file.U16(at, "a text's length");
        *text = file.Text(at + 2, count, unicode, "a text");
        at += 2 + count * (unicode ? 2 : 1);
    }
    // Extra blocks; a file that ends without the closing block is taken as it is.
    while (!file.Failed() && at + 4 <= bytes.size()) {
        const uint32_t size = file.U32(at, "an extra block's size");
        if (size < 4)
            break;
        if (!file.Has(at, size, "an extra block"))
            break;
        if (size >= 8 + 260 + 520 && file.U32(at + 4, "") == kEnvironmentBlock && read.Target.empty()) {
            Reader block(bytes.subspan(at, size), at);
            read.Target = block.TerminatedText(268, true, "the environment block's target");
            if (read.Target.empty())
                read.Target = block.TerminatedText(8, false, "the environment block's target");
            file.Adopt(block);
        }
        at += size;
    }
    // A shortcut made without LinkInfo or environment block names its target only by
    // the item id list.
    if (read.Target.empty())
        read.Target = PathFromItemIds(itemIds);
    if (file.Failed()) {
        error = "the shortcut file is damaged: " + file.Error();
        return false;
    }
    link = std::move(read);
    return true;
}

std::vector<uint8_t> WriteShellLink(const ShellLink& link)
{
    std::vector<uint8_t> out;
    uint32_t flags = kIsUnicode;
    if (!link.Target.empty())
        flags |= kHasLinkInfo;
    const std::pair<uint32_t, const std::string*> texts[] = {{kHasName, &link.Description},
                                                             {kHasRelativePath, &link.RelativePath},
                                                             {kHasWorkingDir, &link.WorkingDir},
                                                             {kHasArguments, &link.Arguments},
                                                             {kHasIconLocation, &link.IconLocation}};
    for (const auto& [flag, text] : texts)
        if (!text->empty())
            flags |= flag;
    Put(out, kHeaderSize, 4);
    out.insert(out.end(), kLinkClassId.begin(), kLinkClassId.end());
    Put(out, flags, 4);
    Put(out, link.FileAttributes, 4);
    Put(out, link.CreationTime, 8);
    Put(out, link.AccessTime, 8);
    Put(out, link.WriteTime, 8);
    Put(out, link.FileSize, 4);
    Put(out, uint32_t(link.IconIndex), 4);
    Put(out, link.ShowCommand, 4);
    Put(out, link.HotKey, 2);
    PutZeros(out, 10);
    if (flags & kHasLinkInfo)
        PutLinkInfo(out, link.Target);
    for (const auto& [flag, text] : texts) {
        if (!(flags & flag))
            continue;
        // The count is 16 bits: longer texts are cut.
        std::u16string units = Utf8ToUtf16(*text);
        units.resize(std::min<size_t>(units.size(), 0xFFFF));
        Put(out, units.size(), 2);
        PutUtf16(out, units);
    }
    Put(out, 0, 4); // the closing block
    return out;
}

} // namespace platform

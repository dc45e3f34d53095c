#include "inspector/rmCrc32.h"

#include "platform/Exception.h"
#include "platform/Stream.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Entry n: n shifted right eight times, XOR-ed with the polynomial after each shift
// that dropped a 1 bit.
constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

constexpr size_t kBlockSize = 2048;

} // namespace

uint32_t UpdateCRC32(uint32_t Crc, std::span<const uint8_t> Bytes)
{
    for (const uint8_t byte : Bytes)
        Crc = kCrcTable[(Crc ^ byte) & 0xFF] ^ (Crc >> 8);
    return Crc;
}

uint32_t GetStrCRC32(std::string_view S)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(S.data());
    return ~UpdateCRC32(0xFFFFFFFFu, {bytes, S.size()});
}

uint32_t GetStrmCRC32(TStream& Stream)
{
    Stream.SetPosition(0);
    uint32_t crc = 0xFFFFFFFFu;
    uint8_t block[kBlockSize];
    for (size_t got; (got = Stream.Read(block, sizeof(block))) > 0;)
        crc = UpdateCRC32(crc, {block, got});
    return ~crc;
}

uint32_t GetFileCRC32(const std::filesystem::path& FileName)
{
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(FileName.c_str(), "rb"));
    if (!file)
        throw Exception("Cannot open \"" + FileName.string() + "\" to check it: " + std::strerror(errno));
    uint32_t crc = 0xFFFFFFFFu;
    uint8_t block[kBlockSize];
    size_t got;
    while ((got = std::fread(block, 1, sizeof(block), file.get())) > 0)
        crc = UpdateCRC32(crc, {block, got});
    if (std::ferror(file.get()))
        throw Exception("Cannot read \"" + FileName.string() + "\" to check it");
    return ~crc;
}

#pragma once
// CRC-32 as ISO 3309 and IEEE 802.3 define it: reflected polynomial 0xEDB88320,
// start value 0xFFFFFFFF, complemented at the end. The empty input gives 0.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

class TStream;

// Continues a running checksum (start with 0xFFFFFFFF, complement at the end).
uint32_t UpdateCRC32(uint32_t Crc, std::span<const uint8_t> Bytes);

// The checksum of the bytes of S, case and all.
uint32_t GetStrCRC32(std::string_view S);
// The checksum of the whole stream from position 0; the position is left at the end.
uint32_t GetStrmCRC32(TStream& Stream);
// The checksum of a file's bytes; raises Exception naming the file when it cannot be read.
uint32_t GetFileCRC32(const std::filesystem::path& FileName);

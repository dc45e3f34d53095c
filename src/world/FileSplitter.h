#pragma once
// Cutting a file into Palm resources of at most 64000 bytes, at places its format
// allows: between picture rows (".img"), between animation frames or their rows
// (".ani"), or in fixed chunks (".wav"). The pieces are consecutive byte ranges
// of the unchanged file.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

constexpr uint32_t kMaxResourceSize = 64000;
// A file's piece count is stored in one byte.
constexpr uint32_t kMaxPieces = 255;

// Fills `pieces` with the piece sizes of the file at `path` of `size` bytes whose
// entry extension field is `extension`. Fails, saying why in `error`, when the
// file is too large and its kind cannot be cut, its layout does not hold
// together, or it would need more than 255 pieces.
bool SplitFile(const std::filesystem::path& path, uint32_t extension, uint32_t size, std::vector<uint32_t>& pieces,
               std::string& error);

// The same over the file's bytes.
bool SplitFileBytes(std::span<const uint8_t> bytes, uint32_t extension, std::vector<uint32_t>& pieces,
                    std::string& error);

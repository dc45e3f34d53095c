#pragma once
// The world and domain images of the mission: one picture per 128-pixel block
// column ("block%d.img", "domblock%d.img") and the index map of their blocks
// ("map.dat", "dommap.dat").
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "world/PackDirectory.h"
#include "world/WorldCodes.h"

// Worlds up to this size in both directions have no domain image.
constexpr int kDomainThreshold = 320;

// The largest world a mission can hold. The package directory scrambles each
// name byte i with key byte i AND 7, and key byte 2 is '7': "domblock107"
// would be stored as "domblock10", so a world has at most 107 block columns
// (its domain image has as many). Rows are counted in a byte of the index map.
static_assert(kScrambleKey[10 & 7] == '7');
constexpr int kMaxMissionWidth = 107 * CWorldCodes::kBlockSide;
constexpr int kMaxMissionHeight = CWorldCodes::kMaxBlocksAcross * CWorldCodes::kBlockSide;

// The world blocks at full resolution and their map.
bool WriteWorldBlocks(CMapProject& project, CWorldCodes& codes, const std::filesystem::path& folder,
                      std::string& error);

bool HasDomainImage(int width, int height);

// The domain picture of one block column: every second pixel of every second
// row of the strip, with the shade codes folded to base (0), lightened (2) and
// darkened (3). `width` is half the strip's width and `height` half the
// world's (both rounded down); a strip 1 pixel wide gives an empty picture.
std::vector<uint8_t> DomainStrip(const CWorldCodes& codes, int column, uint32_t& width, uint32_t& height);

// The domain blocks at half resolution and their map (which describes an image
// of half the world's size); nothing for a world of at most 320 x 320 pixels.
bool WriteDomainBlocks(CMapProject& project, CWorldCodes& codes, const std::filesystem::path& folder,
                       std::string& error);

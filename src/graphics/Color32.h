#pragma once
// The 32-bit pixel and its colour functions.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

// One pixel as a 32-bit value; in memory it is little-endian, so the bytes run
// blue, green, red, alpha (the order of a 32-bit device-independent bitmap):
//   bits  31..24   23..16   15..8    7..0
//         [AAAAAAAA][RRRRRRRR][GGGGGGGG][BBBBBBBB]
// Alpha 255 is opaque, 0 fully transparent.
using TColor32 = uint32_t;

// A platform colour: 0x00BBGGRR; a negative value names a system colour by its low byte.
using TColor = int32_t;

using TPalette32 = std::array<TColor32, 256>;
using TArrayOfColor32 = std::vector<TColor32>;

constexpr TColor32 clBlack32 = 0xFF000000;
constexpr TColor32 clWhite32 = 0xFFFFFFFF;

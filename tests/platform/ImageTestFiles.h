#pragma once
// Builders of small picture files for the reader tests: BMP files of every depth and
// JPEG files written by libjpeg itself.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testfiles {

struct BmpSpec {
    int32_t width = 0;
    int32_t height = 0;             // stored as given; negative = top-down rows
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;       // 12, 40, 56, 108
    std::vector<uint32_t> palette;  // 0x00RRGGBB
    std::vector<uint32_t> masks;    // written after a 40-byte header, or inside a larger one
    std::vector<uint8_t> pixelData; // exactly as stored
};

std::vector<uint8_t> BuildBmp(const BmpSpec& spec);

// Rows of values (top row first) packed at 1, 4 or 8 bits (the leftmost pixel in the highest
// bits) or as little-endian words of 16, 24 or 32 bits; stored bottom-up unless topDown, each
// row padded to 4 bytes.
std::vector<uint8_t> PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown);

// A JPEG of the given RGB pixels (0x00RRGGBB), or of CMYK ones when cmyk is set.
std::vector<uint8_t> BuildJpeg(int width, int height, const std::vector<uint32_t>& pixels, bool cmyk = false,
                               bool progressive = false);

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

} // namespace testfiles

#pragma once
// Builders of picture files for the reader tests: JPEG files written by libjpeg itself.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testfiles {

// A JPEG of the given RGB pixels (0x00RRGGBB), or of CMYK ones when cmyk is set.
// `refinements` >= 0 makes it progressive in 1 + 189 × (1 + refinements) scans:
// every AC coefficient of every component in a scan of its own, refined bit by bit.
std::vector<uint8_t> BuildJpeg(int width, int height, const std::vector<uint32_t>& pixels, bool cmyk = false,
                               bool progressive = false, int refinements = -1);

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value); // little-endian

} // namespace testfiles

#pragma once
// Builders of picture files for the reader tests: JPEG files written by libjpeg itself.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace testfiles {

struct JpegShape {
    bool cmyk = false;        // CMYK pixels (K stays 0) instead of RGB
    // When above 0, progressive in this many scans: one of every DC coefficient, then
    // every AC coefficient of every component in a scan of its own, refined bit by bit.
    int scans = 0;
    bool arithmetic = false;
};

// A JPEG of the given RGB pixels (0x00RRGGBB).
std::vector<uint8_t> BuildJpeg(int width, int height, const std::vector<uint32_t>& pixels, JpegShape shape = {});

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value); // little-endian

} // namespace testfiles

#pragma once
// An independent reader of the handheld picture format, written from its layout,
// to check the encoder by round trips.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace test {

struct DecodedPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    bool transparent = false;
    std::vector<uint8_t> pixels;  // width x height, row-major
};

// Decodes a one-frame picture. Pixels outside the box, and the rest of a row whose
// code ends early (a dropped transparent run), get `fill`. Returns an empty string
// on success, else what is wrong with the bytes.
std::string DecodePicture(std::span<const uint8_t> bytes, uint8_t fill, DecodedPicture& picture);

} // namespace test

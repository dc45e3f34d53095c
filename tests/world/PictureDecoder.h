#pragma once
// An independent reader of the handheld picture format, written from its layout,
// to check the encoder by round trips.
#include <algorithm>
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

namespace detail {

inline uint32_t U16(std::span<const uint8_t> b, size_t at)
{
    return b[at] | b[at + 1] << 8;
}

// Decodes one row code into `row` (`width` pixels, the rest `fill`) and sets
// `decoded` to the pixels it coded; returns an empty string on success.
inline std::string DecodeRow(std::span<const uint8_t> code, uint32_t width, uint8_t fill, uint8_t* row, uint32_t& decoded)
{
    decoded = 0;
    std::fill(row, row + width, fill);
    uint32_t x = 0;
    size_t at = 0;
    while (at < code.size()) {
        uint8_t control = code[at++];
        if (control == 0)
            return "control byte 0";
        if (control < 0x80) {
            if (at + control > code.size() || x + control > width)
                return "literal runs past the row or the code";
            std::copy(code.begin() + long(at), code.begin() + long(at + control), row + x);
            at += control;
            x += control;
        } else {
            uint32_t count = 256 - control;
            if (at >= code.size() || x + count > width)
                return "run runs past the row or the code";
            std::fill(row + x, row + x + count, code[at++]);
            x += count;
        }
        decoded = x;
    }
    return {};
}

} // namespace detail

// Decodes a one-frame picture. Pixels outside the box, and the rest of a row whose
// code ends early (a dropped transparent run), get `fill`. Returns an empty string
// on success, else what is wrong with the bytes.
inline std::string DecodePicture(std::span<const uint8_t> bytes, uint8_t fill, DecodedPicture& picture)
{
    using detail::U16;
    if (bytes.size() < 22 || bytes[0] != 0xFE)
        return "no picture header";
    picture.transparent = bytes[1] & 1;
    const bool wideRows = bytes[1] & 2;
    picture.width = U16(bytes, 2);
    picture.height = U16(bytes, 4);
    const uint32_t boxLeft = U16(bytes, 10), boxTop = U16(bytes, 12), boxWidth = U16(bytes, 14),
                   boxHeight = U16(bytes, 16);
    if (22 + size_t(U16(bytes, 18) | U16(bytes, 20) << 16) != bytes.size())
        return "data size does not match the file";
    if (boxLeft + boxWidth > picture.width || boxTop + boxHeight > picture.height)
        return "box outside the picture";
    size_t code = 22 + (wideRows ? 2 : 1) * size_t(boxHeight);
    if (code > bytes.size())
        return "row table past the end";
    picture.pixels.assign(size_t(picture.width) * picture.height, fill);
    for (uint32_t y = 0; y < boxHeight; ++y) {
        const size_t size = wideRows ? U16(bytes, 22 + 2 * y) : bytes[22 + y];
        if (code + size > bytes.size())
            return "row " + std::to_string(y) + " past the end";
        uint8_t* row = picture.pixels.data() + size_t(boxTop + y) * picture.width + boxLeft;
        uint32_t decoded = 0;
        const std::string error = detail::DecodeRow(bytes.subspan(code, size), boxWidth, fill, row, decoded);
        if (!error.empty())
            return "row " + std::to_string(y) + ": " + error;
        if (!picture.transparent && decoded != boxWidth)
            return "row " + std::to_string(y) + " codes " + std::to_string(decoded) + " of " +
                   std::to_string(boxWidth) + " pixels";
        code += size;
    }
    if (code != bytes.size())
        return "bytes left after the last row";
    return {};
}

} // namespace test

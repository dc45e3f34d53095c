#include "PictureDecoder.h"

#include <algorithm>

namespace test {
namespace {

uint32_t U16(std::span<const uint8_t> b, size_t at)
{
    return b[at] | b[at + 1] << 8;
}

uint32_t U32(std::span<const uint8_t> b, size_t at)
{
    return U16(b, at) | U16(b, at + 2) << 16;
}

} // namespace

std::string DecodeRow(std::span<const uint8_t> code, uint32_t width, uint8_t fill, uint8_t* row, uint32_t& decoded)
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

std::string DecodePicture(std::span<const uint8_t> bytes, uint8_t fill, DecodedPicture& picture)
{
    if (bytes.size() < 22 || bytes[0] != 0xFE)
        return "no picture header";
    picture.transparent = bytes[1] & 1;
    picture.wideRows = bytes[1] & 2;
    picture.width = U16(bytes, 2);
    picture.height = U16(bytes, 4);
    picture.boxLeft = U16(bytes, 10);
    picture.boxTop = U16(bytes, 12);
    picture.boxWidth = U16(bytes, 14);
    picture.boxHeight = U16(bytes, 16);
    const uint32_t dataSize = U32(bytes, 18);
    if (22 + size_t(dataSize) != bytes.size())
        return "data size does not match the file";
    if (picture.boxLeft + picture.boxWidth > picture.width || picture.boxTop + picture.boxHeight > picture.height)
        return "box outside the picture";
    const size_t entry = picture.wideRows ? 2 : 1;
    size_t code = 22 + entry * picture.boxHeight;
    if (code > bytes.size())
        return "row table past the end";
    picture.pixels.assign(size_t(picture.width) * picture.height, fill);
    for (uint32_t y = 0; y < picture.boxHeight; ++y) {
        size_t size = picture.wideRows ? U16(bytes, 22 + 2 * y) : bytes[22 + y];
        if (code + size > bytes.size())
            return "row " + std::to_string(y) + " past the end";
        uint8_t* row = picture.pixels.data() + size_t(picture.boxTop + y) * picture.width + picture.boxLeft;
        uint32_t decoded = 0;
        std::string error = DecodeRow(bytes.subspan(code, size), picture.boxWidth, fill, row, decoded);
        if (!error.empty())
            return "row " + std::to_string(y) + ": " + error;
        if (!picture.transparent && decoded != picture.boxWidth)
            return "row " + std::to_string(y) + " codes " + std::to_string(decoded) + " of " +
                   std::to_string(picture.boxWidth) + " pixels";
        code += size;
    }
    if (code != bytes.size())
        return "bytes left after the last row";
    return {};
}

} // namespace test

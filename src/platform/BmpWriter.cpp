// Writer of 32-bit bitmap files that keep every alpha byte: a 108-byte info header with
// bit fields, including an alpha mask, so that readers take the fourth byte as alpha.
// All fields little-endian.
// | offset | size | field                                            |
// |--------|------|--------------------------------------------------|
// | 0      | 2    | "BM"                                             |
// | 2      | 4    | file size                                        |
// | 6      | 4    | reserved, 0                                      |
// | 10     | 4    | pixel data offset = 122                          |
// | 14     | 4    | info header size = 108                           |
// | 18     | 4    | width                                            |
// | 22     | 4    | height (positive: rows stored bottom-up)         |
// | 26     | 2    | planes = 1                                       |
// | 28     | 2    | bits per pixel = 32                              |
// | 30     | 4    | compression = 3 (bit fields)                     |
// | 34     | 4    | pixel data size = width * height * 4             |
// | 38     | 8    | resolution, 0 and 0                              |
// | 46     | 8    | colours used and important, 0 and 0              |
// | 54     | 16   | masks: red 0x00FF0000, green 0x0000FF00, blue 0x000000FF, alpha 0xFF000000 |
// | 70     | 4    | colour space "sRGB" (0x73524742)                 |
// | 74     | 48   | end points and gamma, all 0                      |
// | 122    | ...  | pixels, bytes B, G, R, A; bottom row first       |
#include "platform/ImageDecoder.h"

#include <cstring>

namespace platform {
namespace {

constexpr uint32_t kPixelOffset = 122;
constexpr uint32_t kInfoHeaderSize = 108;

void Put16(uint8_t* at, uint32_t value)
{
    at[0] = uint8_t(value);
    at[1] = uint8_t(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(value >> (8 * i));
}

} // namespace

std::vector<uint8_t> EncodeBmp32(int32_t width, int32_t height, const uint32_t* pixels)
{
    const size_t rowBytes = size_t(width) * 4;
    const size_t dataBytes = rowBytes * size_t(height);
    std::vector<uint8_t> file(kPixelOffset + dataBytes, 0);
    uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, uint32_t(file.size()));
    Put32(h + 10, kPixelOffset);
    Put32(h + 14, kInfoHeaderSize);
    Put32(h + 18, uint32_t(width));
    Put32(h + 22, uint32_t(height));
    Put16(h + 26, 1);
    Put16(h + 28, 32);
    Put32(h + 30, 3);
    Put32(h + 34, uint32_t(dataBytes));
    Put32(h + 54, 0x00FF0000u);
    Put32(h + 58, 0x0000FF00u);
    Put32(h + 62, 0x000000FFu);
    Put32(h + 66, 0xFF000000u);
    Put32(h + 70, 0x73524742u);
    uint8_t* out = h + kPixelOffset;
    for (int32_t row = height - 1; row >= 0; --row, out += rowBytes) {
        const uint32_t* src = pixels + size_t(row) * size_t(width);
        for (int32_t x = 0; x < width; ++x)
            Put32(out + size_t(x) * 4, src[x]);
    }
    return file;
}

} // namespace platform

#include "platform/ImageTestFiles.h"

#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

namespace testfiles {
namespace {

void PutLittleEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

} // namespace

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { PutLittleEndian(bytes, at, value, 4); }

// A core header (12 bytes) has 16-bit sizes and 3-byte palette entries; larger ones 32-bit
// sizes, then compression @30, image size @34 and colours used @46.
std::vector<uint8_t> BuildBmp(const BmpSpec& spec)
{
    const bool core = spec.headerSize == 12;
    const size_t entry = core ? 3 : 4, field = core ? 2 : 4;
    const size_t paletteAt = 14 + spec.headerSize + (spec.headerSize == 40 ? spec.masks.size() * 4 : 0);
    std::vector<uint8_t> file(paletteAt + spec.palette.size() * entry, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 10, uint32_t(file.size()));
    Put32(file, 14, spec.headerSize);
    PutLittleEndian(file, 18, uint32_t(spec.width), field);
    PutLittleEndian(file, 18 + field, uint32_t(spec.height), field);
    PutLittleEndian(file, 18 + 2 * field, 1, 2); // planes
    PutLittleEndian(file, 20 + 2 * field, spec.bits, 2);
    if (!core) {
        Put32(file, 30, spec.compression);
        Put32(file, 34, uint32_t(spec.pixelData.size()));
        Put32(file, 46, uint32_t(spec.palette.size()));
        for (size_t i = 0; i < spec.masks.size(); ++i)
            Put32(file, 54 + i * 4, spec.masks[i]); // right after a 40-byte header, or inside a larger one
    }
    for (size_t i = 0; i < spec.palette.size(); ++i)
        PutLittleEndian(file, paletteAt + i * entry, spec.palette[i], 3); // B, G, R
    file.insert(file.end(), spec.pixelData.begin(), spec.pixelData.end());
    Put32(file, 2, uint32_t(file.size()));
    return file;
}

std::vector<uint8_t> PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits, bool topDown)
{
    std::vector<uint8_t> out;
    for (size_t r = 0; r < rows.size(); ++r) {
        const auto& row = rows[topDown ? r : rows.size() - 1 - r];
        std::vector<uint8_t> packed((row.size() * bits + 31) / 32 * 4, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            if (bits < 8)
                packed[x * bits / 8] |= uint8_t(row[x] << (8 - bits - x * bits % 8));
            else
                PutLittleEndian(packed, x * bits / 8, row[x], size_t(bits) / 8);
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

std::vector<uint8_t> BuildJpeg(int width, int height, const std::vector<uint32_t>& pixels, bool cmyk, bool progressive)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = cmyk ? 4 : 3;
    info.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(width) * info.input_components, 0); // CMYK: K stays 0
    for (JSAMPROW rows[1] = {row.data()}; info.next_scanline < info.image_height;) {
        for (size_t x = 0; x < size_t(width); ++x)
            for (int c = 0; c < 3; ++c)
                row[x * info.input_components + c] = uint8_t(pixels[info.next_scanline * width + x] >> (16 - 8 * c));
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

} // namespace testfiles

#include "platform/ImageTestFiles.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace testfiles {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

static void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

std::vector<uint8_t> BuildBmp(const BmpSpec& spec)
{
    const bool core = spec.headerSize == 12;
    const size_t entry = core ? 3 : 4;
    const size_t masksAfter = spec.headerSize == 40 ? spec.masks.size() * 4 : 0;
    const size_t paletteAt = 14 + spec.headerSize + masksAfter;
    const size_t pixelAt = paletteAt + spec.palette.size() * entry;
    std::vector<uint8_t> file(pixelAt, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 10, uint32_t(pixelAt));
    Put32(file, 14, spec.headerSize);
    if (core) {
        Put16(file, 18, uint32_t(spec.width));
        Put16(file, 20, uint32_t(spec.height));
        Put16(file, 22, 1);
        Put16(file, 24, spec.bits);
    } else {
        Put32(file, 18, uint32_t(spec.width));
        Put32(file, 22, uint32_t(spec.height));
        Put16(file, 26, 1);
        Put16(file, 28, spec.bits);
        Put32(file, 30, spec.compression);
        Put32(file, 34, uint32_t(spec.pixelData.size()));
        Put32(file, 46, uint32_t(spec.palette.size()));
        for (size_t i = 0; i < spec.masks.size(); ++i)
            Put32(file, 54 + i * 4, spec.masks[i]); // right after a 40-byte header, or inside a larger one
    }
    for (size_t i = 0; i < spec.palette.size(); ++i) {
        const uint32_t c = spec.palette[i];
        file[paletteAt + i * entry] = uint8_t(c);
        file[paletteAt + i * entry + 1] = uint8_t(c >> 8);
        file[paletteAt + i * entry + 2] = uint8_t(c >> 16);
    }
    file.insert(file.end(), spec.pixelData.begin(), spec.pixelData.end());
    Put32(file, 2, uint32_t(file.size()));
    return file;
}

std::vector<uint8_t> PackIndexedRows(const std::vector<std::vector<uint8_t>>& indexes, int bits, bool topDown)
{
    std::vector<uint8_t> out;
    const size_t rows = indexes.size();
    for (size_t r = 0; r < rows; ++r) {
        const auto& row = indexes[topDown ? r : rows - 1 - r];
        std::vector<uint8_t> packed((row.size() * bits + 31) / 32 * 4, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            const size_t bit = x * bits;
            packed[bit / 8] |= uint8_t(row[x] << (8 - bits - bit % 8));
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

std::vector<uint8_t> PackWordRows(const std::vector<std::vector<uint32_t>>& values, int bytesPerPixel, bool topDown)
{
    std::vector<uint8_t> out;
    const size_t rows = values.size();
    for (size_t r = 0; r < rows; ++r) {
        const auto& row = values[topDown ? r : rows - 1 - r];
        std::vector<uint8_t> packed((row.size() * bytesPerPixel + 3) / 4 * 4, 0);
        for (size_t x = 0; x < row.size(); ++x)
            for (int b = 0; b < bytesPerPixel; ++b)
                packed[x * bytesPerPixel + b] = uint8_t(row[x] >> (8 * b));
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
    std::vector<uint8_t> row(size_t(width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = pixels[size_t(info.next_scanline) * width + x];
            uint8_t* p = row.data() + size_t(x) * info.input_components;
            p[0] = uint8_t(c >> 16);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c);
            if (cmyk)
                p[3] = 0;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

} // namespace testfiles

#include "platform/ImageTestFiles.h"

#include <cstdio> // jpeglib.h needs FILE
#include <algorithm>
#include <cstdlib>

#include <jpeglib.h>

namespace testfiles {

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

std::vector<uint8_t> BuildJpeg(int width, int height, const std::vector<uint32_t>& pixels, JpegShape shape)
{
    const bool cmyk = shape.cmyk;
    const int refinements = (shape.scans - 2) / 189; // 189 AC scans a pass
    std::vector<jpeg_scan_info> scans{{3, {0, 1, 2, 0}, 0, 0, 0, 0}};
    for (int pass = 0; pass <= refinements; ++pass)
        for (int c = 0; c < 3; ++c)
            for (int k = 1; k < 64; ++k)
                scans.push_back({1, {c}, k, k, pass ? refinements - pass + 1 : 0, refinements - pass});
    scans.resize(size_t(std::max(shape.scans, 1)));
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
    info.arith_code = shape.arithmetic;
    if (shape.scans > 0) {
        info.scan_info = scans.data();
        info.num_scans = int(scans.size());
    }
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

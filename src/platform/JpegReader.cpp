// JPEG decoding through libjpeg-turbo. The library's default error handler exits the
// process; ours jumps back here with the library's message instead, and treats its
// warnings (corrupt or truncated data) as errors too, so a damaged picture is refused
// rather than shown half grey.
#include "platform/ImageDecoder.h"
#include "platform/LargePages.h"

#include <bit>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform {
namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ExitWithMessage(j_common_ptr info)
{
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Level -1 is a warning about damaged data; higher levels are trace messages.
void EmitMessage(j_common_ptr info, int level)
{
    if (level < 0)
        ExitWithMessage(info);
}

// Everything with a destructor lives outside the function that calls setjmp, so the
// jump back skips no C++ object. Returns false with `error` set on failure.
bool DecodeWithLibjpeg(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error)
{
    jpeg_decompress_struct info;
    ErrorManager manager;
    info.err = jpeg_std_error(&manager.base);
    manager.base.error_exit = ExitWithMessage;
    manager.base.emit_message = EmitMessage;
    manager.message[0] = '\0';

    if (setjmp(manager.jump)) {
        jpeg_destroy_decompress(&info);
        error = std::string("JPEG: the data is corrupt (") + manager.message + ")";
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);

    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        error = "JPEG: CMYK pictures are not supported; save the picture as RGB";
        return false;
    }
    if (!CheckImageSize(info.image_width, info.image_height, "JPEG", error)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Bytes B, G, R, A in memory: the little-endian 0xAARRGGBB pixel, alpha 255.
    info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&info);

    image.width = int32_t(info.output_width);
    image.height = int32_t(info.output_height);
    ResizeOnLargePages(image.pixels, size_t(info.output_width) * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(image.pixels.data() + size_t(info.output_scanline) * info.output_width);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

bool DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error)
{
    static_assert(std::endian::native == std::endian::little, "pixels are stored as little-endian words");
    DecodedImage decoded;
    if (!DecodeWithLibjpeg(bytes, decoded, error))
        return false;
    image = std::move(decoded);
    return true;
}

} // namespace platform

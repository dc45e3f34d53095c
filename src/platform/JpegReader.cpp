// JPEG decoding through libjpeg-turbo. The library's default error handler exits the
// process; ours jumps back here with the library's message instead, and treats its
// warnings (corrupt or truncated data) as errors too, so a damaged picture is refused
// rather than shown half grey.
#include "platform/ImageDecoder.h"
#include "platform/LargePages.h"

#include <algorithm>
#include <bit>
#include <cstdint>
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

// A progressive picture is refined scan by scan, each a pass over the whole
// picture; encoders write about ten. More than this is refused, so that a small
// file of thousands of scans cannot keep the reader busy for minutes.
constexpr int kMaxScans = 256;

// The fewest bytes that can hold the picture the header describes: a Huffman-coded
// block takes at least one bit (its DC code), the blocks of every component in a
// single scan, those of at least one component (the first scan's) in several.
// Arithmetic coding has no such floor.
uint64_t FewestBytes(const jpeg_decompress_struct& info, bool multiScan)
{
    if (info.arith_code)
        return 0;
    uint64_t sum = 0, fewest = UINT64_MAX;
    for (int c = 0; c < info.num_components; ++c) {
        const uint64_t blocks = uint64_t(info.comp_info[c].width_in_blocks) * info.comp_info[c].height_in_blocks;
        sum += blocks;
        fewest = std::min(fewest, blocks);
    }
    return (multiScan ? fewest : sum) / 8;
}

// Reads every scan of a multi-scan picture into the library's coefficient buffer
// (buffered-image mode), counting them; false once there are more than kMaxScans.
bool ConsumeScans(jpeg_decompress_struct& info)
{
    for (;;) {
        if (info.input_scan_number > kMaxScans)
            return false;
        const int got = jpeg_consume_input(&info);
        if (got == JPEG_REACHED_EOI || got == JPEG_SUSPENDED)
            return info.input_scan_number <= kMaxScans;
    }
}

// The rows of the picture. The pixel memory grows with the rows read where the data
// may end long before the picture the header claims; otherwise it is taken at once.
void ReadRows(jpeg_decompress_struct& info, DecodedImage& image, bool growWithRows)
{
    constexpr JDIMENSION kFirstRows = 64;
    const size_t width = info.output_width;
    JDIMENSION reserved = growWithRows ? std::min(kFirstRows, info.output_height) : info.output_height;
    ResizeOnLargePages(image.pixels, width * reserved);
    while (info.output_scanline < info.output_height) {
        if (info.output_scanline == reserved) {
            reserved = std::min(info.output_height, reserved * 2);
            ResizeOnLargePages(image.pixels, width * reserved);
        }
        JSAMPROW row = reinterpret_cast<JSAMPROW>(image.pixels.data() + size_t(info.output_scanline) * width);
        jpeg_read_scanlines(&info, &row, 1);
    }
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
    const bool multiScan = jpeg_has_multiple_scans(&info);
    if (bytes.size() < FewestBytes(info, multiScan)) {
        error = "JPEG: the file is too short for the " + std::to_string(info.image_width) + " x " +
                std::to_string(info.image_height) + " picture its header claims; the file is damaged";
        jpeg_destroy_decompress(&info);
        return false;
    }
    // Bytes B, G, R, A in memory: the little-endian 0xAARRGGBB pixel, alpha 255.
    info.out_color_space = JCS_EXT_BGRA;
    info.buffered_image = multiScan;
    jpeg_start_decompress(&info);
    if (multiScan) {
        if (!ConsumeScans(info)) {
            error = "JPEG: the picture is stored in more than " + std::to_string(kMaxScans) +
                    " scans, far more than any program writes; the file is damaged. Save the picture again.";
            jpeg_destroy_decompress(&info);
            return false;
        }
        jpeg_start_output(&info, info.input_scan_number);
    }

    image.width = int32_t(info.output_width);
    image.height = int32_t(info.output_height);
    // A multi-scan picture is wholly read by now; a single scan is read with its rows.
    ReadRows(info, image, !multiScan && info.arith_code);
    if (multiScan)
        jpeg_finish_output(&info);
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

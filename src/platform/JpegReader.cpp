// JPEG decoding through libjpeg-turbo. The library's default error handler exits the
// process; ours jumps back here with the library's message instead, and treats its
// warnings of corrupt or truncated data as errors too, so a damaged picture is refused
// rather than shown half grey. Warnings that leave every pixel decoded from the data
// (stray bytes before a marker, an unknown JFIF revision) are passed over, as other
// programs do.
//
// What a picture costs is settled before the library takes memory for it: the header and
// a walk over the file's markers give the size, the scans and the blocks each scan
// decodes, and a file that cannot hold what they claim, or would take far more decoding
// than real pictures do, is refused there. The pixels are taken once, when the data has
// shown it holds every row, and decoded straight into the sink.
#include "platform/ImageDecoder.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

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

// Level -1 is a warning, premature end of data among them; higher levels are trace
// messages.
void EmitMessage(j_common_ptr info, int level)
{
    const int code = info->err->msg_code;
    if (level < 0 && code != JWRN_EXTRANEOUS_DATA && code != JWRN_JFIF_MAJOR)
        ExitWithMessage(info);
}

// A progressive picture is refined scan by scan, each a pass over the blocks of the
// components it codes; encoders write about ten scans. Decoding work is counted in
// blocks decoded, summed over the scans (kMaxJpegWork). Ten scans of the largest picture taken
// (16384 x 16384, colour at full resolution, 12.6 million blocks) come to about 60
// million; this budget is twice that, about a second of decoding even where every scan
// holds nothing but end-of-block runs. Beyond it, and beyond kMaxScans, a file is
// refused, so that a small file of many scans cannot keep the reader busy for minutes.
constexpr int kMaxScans = 256;
constexpr uint64_t kMaxWork = kMaxJpegWork;

// Arithmetic coding puts no floor on the bytes a block takes and decodes dense blocks
// about ten times slower than Huffman coding (some 10 µs a block in one scan): its
// pictures are read up to 2^19 blocks, whatever their scans, and each block's entropy
// data is decoded once (the whole file before the pixels are taken).
constexpr uint64_t kMaxArithmeticBlocks = uint64_t(1) << 19;
// What an arithmetic-coded scan costs is weighed by what it decodes of each block: the
// coefficients of its band times the bits of precision it codes of them (a first scan
// those above its low bit, a refinement one), plus what passing over a block costs
// (measured: about as much as twelve such bits). The scans of any progression code each
// bit of each coefficient once, so a picture costs about what a single scan of it does
// (64 coefficients of 11 bits), whatever its progression. The budget adds room for 22
// scans a component, the most an encoder writes (one a bit); a file that codes the same
// bits again and again passes it and is refused. At worst, with the densest data at the
// limit, decoding takes some seven seconds.
constexpr uint64_t kCoefficientBits = 11, kScanBlockCost = 12;
constexpr uint64_t kMaxArithmeticWork = kMaxArithmeticBlocks * (64 * kCoefficientBits + 22 * kScanBlockCost);

uint64_t Blocks(const jpeg_component_info& component)
{
    return uint64_t(component.width_in_blocks) * component.height_in_blocks;
}

// The arithmetic decoding cost of a scan of band ss..se, approximation bits ah/al, over `blocks`.
uint64_t ArithmeticScanWork(uint64_t blocks, int ss, int se, int ah, int al)
{
    const uint64_t band = se >= ss ? uint64_t(se - ss + 1) : 1;
    const uint64_t bits = ah != 0 ? 1 : uint64_t(std::max<int64_t>(1, int64_t(kCoefficientBits) - al));
    return blocks * (band * bits + kScanBlockCost);
}

// The scans of the file and the blocks they decode, found by walking its markers: the
// entropy-coded data after a scan header runs to the next byte 0xFF that is followed by
// neither a stuffed 0 nor a restart marker.
struct ScanPlan {
    int scans = 0;
    uint64_t work = 0;
    uint64_t arithmeticWork = 0;
};

ScanPlan PlanScans(std::span<const uint8_t> bytes, const jpeg_decompress_struct& info)
{
    constexpr uint8_t kSos = 0xDA, kEoi = 0xD9;
    auto standsAlone = [](uint8_t marker) { return marker <= 0x01 || (marker >= 0xD0 && marker <= 0xD8); };
    ScanPlan plan;
    const uint8_t* const data = bytes.data();
    for (size_t at = 2; at + 1 < bytes.size();) {
        const void* mark = std::memchr(data + at, 0xFF, bytes.size() - at);
        if (mark == nullptr)
            break;
        at = size_t(static_cast<const uint8_t*>(mark) - data);
        if (at + 1 >= bytes.size() || data[at + 1] == kEoi)
            break;
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF || standsAlone(marker)) {
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (at + 4 > bytes.size())
            break;
        const size_t length = size_t(data[at + 2]) << 8 | data[at + 3];
        if (marker == kSos && at + 4 < bytes.size()) {
            ++plan.scans;
            // Ns, Ns x (component, tables), then Ss, Se, Ah << 4 | Al (a whole scan when cut off).
            const size_t count = data[at + 4], band = at + 5 + 2 * count;
            const bool cut = band + 2 >= bytes.size();
            const int ss = cut ? 0 : data[band], se = cut ? 63 : data[band + 1], bits = cut ? 0 : data[band + 2];
            for (size_t i = 0; i < count && at + 5 + 2 * i < bytes.size(); ++i)
                for (int c = 0; c < info.num_components; ++c)
                    if (const uint64_t blocks = Blocks(info.comp_info[c]);
                        info.comp_info[c].component_id == data[at + 5 + 2 * i]) {
                        plan.work += blocks;
                        plan.arithmeticWork += ArithmeticScanWork(blocks, ss, se, bits >> 4, bits & 15);
                    }
        }
        at += 2 + length;
    }
    return plan;
}

// The blocks of every component, each counted once.
uint64_t PictureBlocks(const jpeg_decompress_struct& info)
{
    uint64_t blocks = 0;
    for (int c = 0; c < info.num_components; ++c)
        blocks += Blocks(info.comp_info[c]);
    return blocks;
}

std::string SizeText(const jpeg_decompress_struct& info)
{
    return std::to_string(info.image_width) + " x " + std::to_string(info.image_height);
}

std::string TooMuchWork(int scans)
{
    return "JPEG: the picture's " + std::to_string(scans) + " scans would take far more decoding than any program's " +
           "pictures need; the file is damaged. Save the picture again.";
}

// Refuses, before the library takes any memory for it, a picture this reader does not
// take or whose file cannot hold what its header claims.
bool CheckHeader(std::span<const uint8_t> bytes, const jpeg_decompress_struct& info, std::string& error)
{
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        error = "JPEG: CMYK pictures are not supported; save the picture as RGB";
        return false;
    }
    if (!CheckImageSize(info.image_width, info.image_height, "JPEG", error))
        return false;
    // A Huffman-coded block takes at least one bit, its DC code, in the scan that first
    // codes its component.
    if (!info.arith_code && bytes.size() < PictureBlocks(info) / 8) {
        error = "JPEG: the file is too short for the " + SizeText(info) +
                " picture its header claims; the file is damaged";
        return false;
    }
    const ScanPlan plan = PlanScans(bytes, info);
    if (plan.scans > kMaxScans) {
        error = "JPEG: the picture is stored in more than " + std::to_string(kMaxScans) +
                " scans, far more than any program writes; the file is damaged. Save the picture again.";
        return false;
    }
    if (plan.work > kMaxWork) {
        error = TooMuchWork(plan.scans);
        return false;
    }
    if (info.arith_code && PictureBlocks(info) > kMaxArithmeticBlocks) {
        error = "JPEG: the arithmetic-coded " + SizeText(info) + " picture is larger than this reader decodes in " +
                "that coding (" + std::to_string(kMaxArithmeticBlocks) + " blocks of 8 x 8: about 3300 x 3300 " +
                "in full colour, 4700 x 4700 with colour at half resolution); save the picture again as an " +
                "ordinary (Huffman-coded) JPEG";
        return false;
    }
    if (info.arith_code && plan.arithmeticWork > kMaxArithmeticWork) {
        error = TooMuchWork(plan.scans);
        return false;
    }
    return true;
}

// Reads every scan of a multi-scan or arithmetic-coded picture into the library's
// coefficient buffer (buffered-image mode), counting the work each takes as it starts;
// false should it pass the budget after all.
bool ConsumeScans(jpeg_decompress_struct& info, DecodeCost& cost)
{
    uint64_t arithmeticWork = 0;
    for (int counted = 0;;) {
        if (info.input_scan_number != counted) {
            counted = info.input_scan_number;
            for (int i = 0; i < info.comps_in_scan; ++i) {
                const uint64_t blocks = Blocks(*info.cur_comp_info[i]);
                cost.work += blocks;
                arithmeticWork += ArithmeticScanWork(blocks, info.Ss, info.Se, info.Ah, info.Al);
            }
            if (cost.work > kMaxWork || (info.arith_code && arithmeticWork > kMaxArithmeticWork))
                return false;
        }
        const int got = jpeg_consume_input(&info);
        if (got == JPEG_REACHED_EOI || got == JPEG_SUSPENDED)
            return true;
    }
}

// The rows of the picture into `pixels`, or into one scratch row when there are none.
void ReadRows(jpeg_decompress_struct& info, uint32_t* pixels)
{
    const size_t width = info.output_width;
    auto* common = reinterpret_cast<j_common_ptr>(&info);
    const JSAMPROW scratch = pixels ? nullptr : (*info.mem->alloc_sarray)(common, JPOOL_IMAGE, JDIMENSION(width * 4), 1)[0];
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels ? reinterpret_cast<JSAMPROW>(pixels + size_t(info.output_scanline) * width) : scratch;
        jpeg_read_scanlines(&info, &row, 1);
    }
}

// One pass of the library over the file. Everything with a destructor lives outside this
// function, which calls setjmp, so the jump back skips no C++ object.
//
// With a sink the pass decodes the picture into it. Without one it shows that the data
// of a single-scan Huffman-coded picture holds every row before the pixels are taken:
// the picture is decoded at an eighth of its size into one scratch row, and the first
// row made from missing data stops it. A multi-scan or arithmetic-coded picture needs no
// such pass: all its scans are read into the coefficient buffer (128 bytes a block)
// before its pixels are taken, so its entropy data is decoded once.
bool ReadPass(std::span<const uint8_t> bytes, PixelSink* sink, std::string& error, DecodeCost& cost)
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
    const bool buffered = jpeg_has_multiple_scans(&info) || info.arith_code;
    // The pass without a sink comes first and checks the header; the pass with one
    // reads only what it accepted.
    if (sink == nullptr) {
        const bool accepted = CheckHeader(bytes, info, error);
        if (!accepted || buffered) {
            jpeg_destroy_decompress(&info);
            return accepted;
        }
    }
    // Bytes B, G, R, A in memory: the little-endian 0xAARRGGBB pixel, alpha 255.
    info.out_color_space = JCS_EXT_BGRA;
    if (sink == nullptr) {
        info.scale_num = 1;
        info.scale_denom = 8;
        info.do_fancy_upsampling = FALSE;
    }
    info.buffered_image = buffered;
    jpeg_start_decompress(&info);
    if (buffered) {
        if (!ConsumeScans(info, cost)) {
            error = TooMuchWork(info.input_scan_number);
            jpeg_destroy_decompress(&info);
            return false;
        }
        jpeg_start_output(&info, info.input_scan_number);
    } else {
        cost.work += PictureBlocks(info);
    }
    uint32_t* pixels = sink ? sink->Take(int32_t(info.output_width), int32_t(info.output_height)) : nullptr;
    if (sink && !pixels) {
        error = "JPEG: there is not enough memory for the " + SizeText(info) + " picture";
        jpeg_destroy_decompress(&info);
        return false;
    }
    ReadRows(info, pixels);
    if (buffered)
        jpeg_finish_output(&info);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

bool DecodeJpeg(std::span<const uint8_t> bytes, PixelSink& sink, std::string& error, DecodeCost* cost)
{
    static_assert(std::endian::native == std::endian::little, "pixels are stored as little-endian words");
    DecodeCost counted;
    const bool read = ReadPass(bytes, nullptr, error, counted) && ReadPass(bytes, &sink, error, counted);
    if (cost)
        *cost = counted;
    return read;
}

} // namespace platform

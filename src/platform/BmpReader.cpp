// Reader of Windows bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and
// top-down rows, RLE8 and RLE4, bit-field masks. All multi-byte fields are little-endian.
//
// File header (14 bytes):
// | offset | size | field                                      |
// |--------|------|--------------------------------------------|
// | 0      | 2    | "BM"                                       |
// | 2      | 4    | file size (not trusted)                    |
// | 6      | 4    | reserved                                   |
// | 10     | 4    | offset of the pixel data from the file start |
//
// Info header, from offset 14; its first 4 bytes give its size:
//   12 (core header): width u16 @18, height u16 @20, planes u16 @22, bits u16 @24;
//      palette entries are 3 bytes (B, G, R).
//   40 and larger: width i32 @18, height i32 @22 (negative: rows run top-down),
//      planes u16 @26, bits u16 @28, compression u32 @30, image size u32 @34,
//      resolution 2 x i32 @38, colours used u32 @46, colours important u32 @50;
//      from size 52: red, green, blue masks u32 @54, @58, @62; from size 56: alpha mask
//      u32 @66. A shorter header with bit fields is followed by 3 masks (4 with alpha bit
//      fields). Palette entries are 4 bytes (B, G, R, unused).
// Compression: 0 none, 1 RLE8, 2 RLE4, 3 bit fields, 6 bit fields with alpha.
// Rows are padded to a multiple of 4 bytes; the first stored row is the bottom one unless
// the height is negative. Within a byte, the leftmost pixel is in the highest bits.
//
// RLE8 / RLE4 (bottom-up only), pairs of bytes (n, v):
//   n > 0:       n pixels of index v (RLE4: the two nibbles of v alternate, high first);
//                runs and literals past the row's end are clipped there
//   0, 0:        end of row          0, 1: end of bitmap
//   0, 2, dx, dy: move right dx and up dy rows
//   0, k >= 3:   k literal indexes follow (RLE4: packed two a byte), padded to an even
//                number of bytes
#include "platform/ImageDecoder.h"

#include <algorithm>
#include <array>
#include <bit>

namespace platform {
namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

constexpr size_t kFileHeaderSize = 14;

struct Bytes {
    std::span<const uint8_t> data;
    uint16_t U16(size_t at) const { return uint16_t(data[at] | data[at + 1] << 8); }
    uint32_t U32(size_t at) const
    {
        return uint32_t(data[at]) | uint32_t(data[at + 1]) << 8 | uint32_t(data[at + 2]) << 16 |
               uint32_t(data[at + 3]) << 24;
    }
};

// One colour channel taken from a pixel through its mask and widened or narrowed to 8 bits.
struct MaskChannel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0; // all bits of the field set

    explicit MaskChannel(uint32_t m = 0) : mask(m)
    {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            maximum = mask >> shift;
        }
    }
    bool Present() const { return mask != 0; }
    uint32_t Extract(uint32_t pixel) const
    {
        if (maximum == 0)
            return 0;
        const uint64_t value = (pixel & mask) >> shift;
        return uint32_t((value * 255 + maximum / 2) / maximum);
    }
};

struct BmpInfo {
    uint32_t pixelOffset = 0;
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;
    bool topDown = false;
    uint32_t bits = 0;
    uint32_t compression = kRgb;
    uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    size_t paletteOffset = 0;
    size_t paletteEntrySize = 4;
    uint32_t paletteCount = 0;
};

bool Fail(std::string& error, const std::string& message)
{
    error = "BMP: " + message;
    return false;
}

bool ReadHeaders(const Bytes& in, BmpInfo& info, std::string& error)
{
    const size_t size = in.data.size();
    if (size < kFileHeaderSize + 4)
        return Fail(error, "the file is truncated inside its header");
    info.pixelOffset = in.U32(10);
    info.headerSize = in.U32(14);
    if (info.headerSize == 12) {
        if (size < kFileHeaderSize + 12)
            return Fail(error, "the file is truncated inside its header");
        info.width = in.U16(18);
        info.height = in.U16(20);
        info.bits = in.U16(24);
        info.paletteEntrySize = 3;
        info.paletteOffset = kFileHeaderSize + 12;
    } else if (info.headerSize >= 40 && info.headerSize <= 1024) {
        if (size < kFileHeaderSize + info.headerSize)
            return Fail(error, "the file is truncated inside its header");
        info.width = int32_t(in.U32(18));
        info.height = int32_t(in.U32(22));
        info.bits = in.U16(28);
        info.compression = in.U32(30);
        info.paletteCount = in.U32(46);
        size_t after = kFileHeaderSize + info.headerSize;
        const bool bitFields = info.compression == kBitFields || info.compression == kAlphaBitFields;
        // Headers too short to hold the masks (40 bytes, or an odd size below 52) are
        // followed by them; longer ones hold them inside.
        if (bitFields && info.headerSize < 52) {
            const size_t maskCount = info.compression == kAlphaBitFields ? 4 : 3;
            if (size < after + maskCount * 4)
                return Fail(error, "the file is truncated inside its colour masks");
            for (size_t i = 0; i < maskCount; ++i)
                info.masks[i] = in.U32(after + i * 4);
            after += maskCount * 4;
        } else if (bitFields) {
            for (size_t i = 0; i < 3; ++i)
                info.masks[i] = in.U32(54 + i * 4);
            if (info.headerSize >= 56)
                info.masks[3] = in.U32(66);
        }
        info.paletteOffset = after;
    } else {
        return Fail(error, "unknown header size " + std::to_string(info.headerSize));
    }

    if (info.height < 0) {
        info.topDown = true;
        info.height = -info.height;
    }
    if (!CheckImageSize(info.width, info.height, "BMP", error))
        return false;

    switch (info.bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return Fail(error, std::to_string(info.bits) + " bits per pixel is not a valid depth");
    }
    const bool compressionFits =
        info.compression == kRgb || (info.compression == kRle8 && info.bits == 8) ||
        (info.compression == kRle4 && info.bits == 4) ||
        ((info.compression == kBitFields || info.compression == kAlphaBitFields) && (info.bits == 16 || info.bits == 32));
    if (!compressionFits)
        return Fail(error, "compression " + std::to_string(info.compression) + " with " + std::to_string(info.bits) +
                               " bits per pixel is not supported");
    if (info.topDown && (info.compression == kRle8 || info.compression == kRle4))
        return Fail(error, "run-length compressed pictures must be stored bottom-up");
    if (info.pixelOffset > size)
        return Fail(error, "the pixel data starts beyond the end of the file");
    return true;
}

bool ReadPalette(const Bytes& in, const BmpInfo& info, std::array<uint32_t, 256>& palette, std::string& error)
{
    palette.fill(0xFF000000u);
    if (info.bits > 8)
        return true;
    const uint32_t full = 1u << info.bits;
    uint32_t count = (info.paletteCount == 0 || info.paletteCount > full) ? full : info.paletteCount;
    // A core header has no colour count: the palette fills the gap before the pixels.
    if (info.headerSize == 12 && info.pixelOffset > info.paletteOffset)
        count = std::min<uint32_t>(full, uint32_t((info.pixelOffset - info.paletteOffset) / info.paletteEntrySize));
    if (info.paletteOffset + size_t(count) * info.paletteEntrySize > in.data.size())
        return Fail(error, "the file is truncated inside its palette");
    for (uint32_t i = 0; i < count; ++i) {
        const size_t at = info.paletteOffset + size_t(i) * info.paletteEntrySize;
        palette[i] = 0xFF000000u | uint32_t(in.data[at + 2]) << 16 | uint32_t(in.data[at + 1]) << 8 | in.data[at];
    }
    return true;
}

uint32_t* OutputRow(uint32_t* pixels, const BmpInfo& info, int64_t storedRow)
{
    const int64_t row = info.topDown ? storedRow : info.height - 1 - storedRow;
    return pixels + size_t(row) * size_t(info.width);
}

uint64_t RowStride(const BmpInfo& info)
{
    return (uint64_t(info.width) * info.bits + 31) / 32 * 4;
}

// Checked before any pixel memory is taken, so a lying header costs nothing.
bool CheckUncompressedLength(const Bytes& in, const BmpInfo& info, std::string& error)
{
    const uint64_t stride = RowStride(info);
    const uint64_t lastRowBytes = (uint64_t(info.width) * info.bits + 7) / 8;
    const uint64_t available = in.data.size() - info.pixelOffset;
    // The padding after the last row may be missing; the pixels themselves may not.
    if (stride * uint64_t(info.height - 1) + lastRowBytes > available)
        return Fail(error, "the file is truncated: its pixels need " +
                               std::to_string(stride * uint64_t(info.height)) + " bytes but " +
                               std::to_string(available) + " follow the header");
    return true;
}

void DecodeUncompressed(const Bytes& in, const BmpInfo& info, const std::array<uint32_t, 256>& palette,
                        uint32_t* pixels)
{
    const uint64_t width = uint64_t(info.width);
    const uint64_t stride = RowStride(info);

    // Bit fields: the given masks; otherwise 16 bits are 5-5-5 and 32 bits are bytes.
    const bool bitFields = info.compression == kBitFields || info.compression == kAlphaBitFields;
    const MaskChannel red(bitFields ? info.masks[0] : (info.bits == 16 ? 0x7C00u : 0x00FF0000u));
    const MaskChannel green(bitFields ? info.masks[1] : (info.bits == 16 ? 0x03E0u : 0x0000FF00u));
    const MaskChannel blue(bitFields ? info.masks[2] : (info.bits == 16 ? 0x001Fu : 0x000000FFu));
    // 32-bit pixels without an alpha mask keep their fourth byte as alpha when the colour
    // masks leave it free; when every such byte is 0 the picture had no alpha and is made
    // opaque below. Other depths carry no alpha.
    const bool alphaMask = bitFields && info.masks[3] != 0 && info.bits == 32;
    const bool fourthByte = info.bits == 32 && !alphaMask &&
                            ((red.mask | green.mask | blue.mask) & 0xFF000000u) == 0;
    const MaskChannel alpha(alphaMask ? info.masks[3] : (fourthByte ? 0xFF000000u : 0u));
    const bool plainBytes32 = info.bits == 32 && red.mask == 0x00FF0000u && green.mask == 0x0000FF00u &&
                              blue.mask == 0x000000FFu && (alpha.mask == 0xFF000000u);

    uint32_t alphaSeen = 0;
    for (int64_t r = 0; r < info.height; ++r) {
        const uint8_t* src = in.data.data() + info.pixelOffset + size_t(r) * stride;
        uint32_t* out = OutputRow(pixels, info, r);
        switch (info.bits) {
        case 1: case 4: case 8: {
            const uint32_t perByte = 8 / info.bits;
            const uint32_t mask = (1u << info.bits) - 1;
            for (uint64_t x = 0; x < width; ++x) {
                const uint32_t shift = 8 - info.bits * (1 + uint32_t(x % perByte));
                out[x] = palette[(src[x / perByte] >> shift) & mask];
            }
            break;
        }
        case 24:
            for (uint64_t x = 0; x < width; ++x)
                out[x] = 0xFF000000u | uint32_t(src[3 * x + 2]) << 16 | uint32_t(src[3 * x + 1]) << 8 | src[3 * x];
            break;
        case 16: case 32: {
            const size_t bytesPerPixel = info.bits / 8;
            for (uint64_t x = 0; x < width; ++x) {
                const uint8_t* p = src + x * bytesPerPixel;
                uint32_t value = uint32_t(p[0]) | uint32_t(p[1]) << 8;
                if (bytesPerPixel == 4)
                    value |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
                if (plainBytes32) {
                    out[x] = value;
                } else {
                    const uint32_t a = alpha.Present() ? alpha.Extract(value) : 255;
                    out[x] = a << 24 | red.Extract(value) << 16 | green.Extract(value) << 8 | blue.Extract(value);
                }
                alphaSeen |= out[x];
            }
            break;
        }
        }
    }
    if (fourthByte && (alphaSeen & 0xFF000000u) == 0)
        for (uint32_t* pixel = pixels; pixel != pixels + width * uint64_t(info.height); ++pixel)
            *pixel |= 0xFF000000u;
}

// Walks the run-length codes, painting into `pixels` (filled with index 0's colour
// before) or, without pixels, only checking them; `painted` counts the pixels that runs
// and literals give.
bool WalkRunLength(const Bytes& in, const BmpInfo& info, const std::array<uint32_t, 256>& palette,
                   uint32_t* pixels, uint64_t& painted, std::string& error)
{
    const bool rle4 = info.compression == kRle4;
    const int64_t width = info.width, height = info.height;
    size_t at = info.pixelOffset;
    const size_t end = in.data.size();
    int64_t x = 0, y = 0; // y counts stored rows from the bottom
    // Paints `count` pixels from x on, where byteOf(i) is the byte holding pixel i's index
    // (RLE4: two a byte, the high nibble first). Encoders code rows out to their padded
    // width: what lies past the row's end is dropped.
    auto paint = [&](uint32_t count, auto byteOf) {
        const uint32_t shown = uint32_t(std::min<int64_t>(count, width - x));
        if (pixels) {
            uint32_t* out = OutputRow(pixels, info, y) + x;
            for (uint32_t i = 0; i < shown; ++i) {
                const uint32_t byte = byteOf(i);
                out[i] = palette[rle4 ? ((i & 1) ? byte & 15 : byte >> 4) : byte];
            }
        }
        x += shown;
        painted += shown;
    };

    for (;;) {
        if (at + 2 > end)
            return Fail(error, "the run-length data ends before its end-of-picture mark");
        const uint32_t count = in.data[at], value = in.data[at + 1];
        at += 2;
        if (count > 0) {
            if (y >= height)
                return Fail(error, "a run-length run lies above the picture's top row");
            paint(count, [value](uint32_t) { return value; });
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return true;
        } else if (value == 2) {
            if (at + 2 > end)
                return Fail(error, "the run-length data ends inside a move");
            x += in.data[at];
            y += in.data[at + 1];
            at += 2;
            if (x > width || y > height)
                return Fail(error, "a run-length move reaches past the picture");
        } else {
            const size_t dataBytes = rle4 ? (value + 1) / 2 : value;
            const size_t padded = (dataBytes + 1) & ~size_t(1);
            if (at + padded > end)
                return Fail(error, "the run-length data ends inside a literal run");
            if (y >= height)
                return Fail(error, "a run-length literal run lies above the picture's top row");
            paint(value, [&](uint32_t i) { return uint32_t(in.data[at + (rle4 ? i / 2 : i)]); });
            at += padded;
        }
    }
}

// Run-length data may leave pixels unpainted (the rest of a row, what a move skips, all
// after the end-of-picture mark), which keep index 0's colour; encoders paint every pixel
// of a picture. A large picture of which the data paints less than one pixel in 16 is
// refused, so that a few bytes cannot claim a gigabyte. Checked before any pixel memory
// is taken, as is every fault of the data.
bool CheckRunLength(const Bytes& in, const BmpInfo& info, const std::array<uint32_t, 256>& palette,
                    std::string& error)
{
    constexpr uint64_t kAnySharePixels = uint64_t(1) << 16, kLeastShare = 16;
    uint64_t painted = 0;
    if (!WalkRunLength(in, info, palette, nullptr, painted, error))
        return false;
    const uint64_t area = uint64_t(info.width) * uint64_t(info.height);
    if (area > kAnySharePixels && painted * kLeastShare < area)
        return Fail(error, "the run-length data paints only " + std::to_string(painted) + " of the " +
                               std::to_string(info.width) + " x " + std::to_string(info.height) +
                               " picture's pixels, too few for a picture that large; the file is damaged");
    return true;
}

} // namespace

bool DecodeBmp(std::span<const uint8_t> bytes, PixelSink& sink, std::string& error)
{
    const Bytes in{bytes};
    BmpInfo info;
    std::array<uint32_t, 256> palette;
    if (!ReadHeaders(in, info, error) || !ReadPalette(in, info, palette, error))
        return false;

    const bool runLength = info.compression == kRle8 || info.compression == kRle4;
    if (runLength ? !CheckRunLength(in, info, palette, error) : !CheckUncompressedLength(in, info, error))
        return false;
    uint32_t* pixels = sink.Take(int32_t(info.width), int32_t(info.height));
    if (pixels == nullptr)
        return Fail(error, "there is not enough memory for the " + std::to_string(info.width) + " x " +
                               std::to_string(info.height) + " picture");
    if (runLength) {
        std::fill_n(pixels, size_t(info.width) * size_t(info.height), palette[0]);
        uint64_t painted = 0;
        WalkRunLength(in, info, palette, pixels, painted, error);
    } else {
        DecodeUncompressed(in, info, palette, pixels);
    }
    return true;
}

} // namespace platform

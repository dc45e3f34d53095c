#pragma once
// Decoding of picture files into 32-bit pixels. Every reader checks its input against
// the bytes it was given and against the size caps below, and reports a failure with
// a message saying what is wrong; nothing here throws.
//
// What a picture costs is bounded by what its file holds: a reader takes the picture's
// memory only once the file has shown it holds every row (a file that ends early or
// claims far more than its bytes can carry is refused before), writes the pixels
// straight into that memory, and bounds its decoding work.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

// A picture larger than this is refused before any pixel memory is taken.
constexpr int32_t kMaxImageSide = 32767;
constexpr int64_t kMaxImagePixels = int64_t(1) << 28;

// Pixels top-down, rows Width long, each 0xAARRGGBB. Formats without alpha give 255.
struct DecodedImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
};

// Where a reader puts a picture's pixels. It is asked at most once, after the file has
// shown it holds the whole picture, and the reader then writes every pixel.
class PixelSink {
public:
    // Memory for width × height pixels, rows top-down without padding; null when it
    // cannot be had (the reader then fails, saying so).
    virtual uint32_t* Take(int32_t width, int32_t height) = 0;

protected:
    ~PixelSink() = default;
};

// A JPEG whose scans would decode more blocks than this, summed over them, is refused
// (see JpegReader.cpp).
constexpr uint64_t kMaxJpegWork = uint64_t(1) << 27;

// What reading one picture cost, as the reader counts it.
struct DecodeCost {
    // JPEG: coefficient blocks decoded, summed over every scan of every pass.
    uint64_t work = 0;
};

// Checks a size read from a file against the caps; on failure sets `error`.
bool CheckImageSize(int64_t width, int64_t height, const char* format, std::string& error);

// Chooses the reader by the first bytes ("BM" for BMP, FF D8 FF for JPEG).
bool DecodeImage(std::span<const uint8_t> bytes, PixelSink& sink, std::string& error, DecodeCost* cost = nullptr);

// Refuses a run-length picture whose data paints too small a share of the size its
// header claims; runs past a row's end are clipped there.
bool DecodeBmp(std::span<const uint8_t> bytes, PixelSink& sink, std::string& error);
// Refuses arithmetic-coded pictures of more than 2^19 blocks (about 3300 x 3300 in full
// colour), a picture stored in more than 256 scans or whose scans would take far more
// decoding than real pictures do, and one whose data is too short for the size its
// header claims, before taking any memory for it. Reads pictures whose only faults
// are stray bytes before a marker or an unknown JFIF revision.
bool DecodeJpeg(std::span<const uint8_t> bytes, PixelSink& sink, std::string& error, DecodeCost* cost = nullptr);

// The same into `image`, which a failure leaves alone.
bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error,
                 DecodeCost* cost = nullptr);
bool DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error);
bool DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error);

// A 32-bit BMP that keeps every alpha byte (see BmpWriter.cpp for the layout).
std::vector<uint8_t> EncodeBmp32(int32_t width, int32_t height, const uint32_t* pixels);

} // namespace platform

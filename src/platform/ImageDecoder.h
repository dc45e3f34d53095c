#pragma once
// Decoding of picture files into 32-bit pixels. Every reader checks its input against
// the bytes it was given and against the size caps below, and reports a failure with
// a message saying what is wrong; nothing here throws.
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

// Checks a size read from a file against the caps; on failure sets `error`.
bool CheckImageSize(int64_t width, int64_t height, const char* format, std::string& error);

// Chooses the reader by the first bytes ("BM" for BMP, FF D8 FF for JPEG).
bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error);

bool DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error);
// Refuses a picture stored in more than 256 scans, and one whose data is too short
// for the size its header claims, before taking its pixel memory.
bool DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error);

// A 32-bit BMP that keeps every alpha byte (see BmpWriter.cpp for the layout).
std::vector<uint8_t> EncodeBmp32(int32_t width, int32_t height, const uint32_t* pixels);

} // namespace platform

#include "platform/ImageDecoder.h"

namespace platform {

bool CheckImageSize(int64_t width, int64_t height, const char* format, std::string& error)
{
    if (width < 1 || height < 1) {
        error = std::string(format) + " picture has no pixels (size " + std::to_string(width) + " x " +
                std::to_string(height) + ")";
        return false;
    }
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels) {
        error = std::string(format) + " picture is too large (" + std::to_string(width) + " x " +
                std::to_string(height) + "); at most " + std::to_string(kMaxImageSide) + " pixels a side and " +
                std::to_string(kMaxImagePixels) + " pixels in all can be loaded";
        return false;
    }
    return true;
}

bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error)
{
    if (bytes.empty()) {
        error = "The file is empty";
        return false;
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return DecodeBmp(bytes, image, error);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return DecodeJpeg(bytes, image, error);
    error = "The file is not a picture this program can read (only BMP and JPEG files are supported)";
    return false;
}

} // namespace platform

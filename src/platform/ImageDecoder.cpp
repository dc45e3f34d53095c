#include "platform/ImageDecoder.h"
#include "platform/LargePages.h"

#include <new>

namespace platform {
namespace {

// Pixels into a DecodedImage of the sink's own, handed over only when the reader succeeds.
class ImageSink final : public PixelSink {
public:
    uint32_t* Take(int32_t width, int32_t height) override
    {
        image.width = width;
        image.height = height;
        try {
            ResizeOnLargePages(image.pixels, size_t(width) * size_t(height));
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        return image.pixels.data();
    }
    DecodedImage image;
};

template <typename Decode>
bool IntoImage(DecodedImage& image, Decode&& decode)
{
    ImageSink sink;
    if (!decode(sink))
        return false;
    image = std::move(sink.image);
    return true;
}

} // namespace

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

bool DecodeImage(std::span<const uint8_t> bytes, PixelSink& sink, std::string& error, DecodeCost* cost)
{
    if (bytes.empty()) {
        error = "The file is empty";
        return false;
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return DecodeBmp(bytes, sink, error);
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return DecodeJpeg(bytes, sink, error, cost);
    error = "The file is not a picture this program can read (only BMP and JPEG files are supported)";
    return false;
}

bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error, DecodeCost* cost)
{
    return IntoImage(image, [&](PixelSink& sink) { return DecodeImage(bytes, sink, error, cost); });
}

bool DecodeBmp(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error)
{
    return IntoImage(image, [&](PixelSink& sink) { return DecodeBmp(bytes, sink, error); });
}

bool DecodeJpeg(std::span<const uint8_t> bytes, DecodedImage& image, std::string& error)
{
    return IntoImage(image, [&](PixelSink& sink) { return DecodeJpeg(bytes, sink, error); });
}

} // namespace platform

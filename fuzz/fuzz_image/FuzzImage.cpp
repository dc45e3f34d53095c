// Feeds arbitrary bytes to every reader of outside picture data: the BMP and JPEG
// decoders (through the choice by first bytes), a bitmap loading a BMP stream, and the
// bitmap "Data" stream. Each must refuse bad input with an error, never crash.
#include "graphics/Bitmap32.h"
#include "platform/ImageDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<uint8_t> bytes(data, data + size);

    platform::DecodedImage image;
    std::string error;
    if (platform::DecodeImage(bytes, image, error)) {
        // A decoded picture is whole: its pixel count matches its size.
        if (image.pixels.size() != size_t(image.width) * size_t(image.height))
            std::abort();
    } else if (error.empty()) {
        std::abort();
    }

    TBitmap32 bitmap;
    try {
        TMemoryStream stream(bytes);
        bitmap.LoadFromStream(stream);
    } catch (const Exception&) {
    }
    try {
        TMemoryStream stream(bytes);
        bitmap.ReadData(stream);
    } catch (const Exception&) {
    }
    return 0;
}

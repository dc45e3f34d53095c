// Feeds arbitrary bytes to every reader of outside picture data: the BMP and JPEG
// decoders (through the choice by first bytes), a bitmap loading a BMP stream, and the
// bitmap "Data" stream. Each must refuse bad input with an error, never crash, and what
// a bitmap took in must be written back into a BMP file and a "Data" stream that read
// back to the same pixels.
#include "graphics/Bitmap32.h"
#include "platform/ImageDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

void CheckWritesBack(const TBitmap32& bitmap, void (TBitmap32::*write)(TStream&) const,
                     void (TBitmap32::*read)(TStream&))
{
    TMemoryStream written;
    (bitmap.*write)(written);
    written.SetPosition(0);
    TBitmap32 again;
    (again.*read)(written);
    if (!again.Equal(bitmap))
        std::abort();
}

} // namespace

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

    for (auto [read, write] : {std::pair(&TBitmap32::LoadFromStream, &TBitmap32::SaveToStream),
                               std::pair(&TBitmap32::ReadData, &TBitmap32::WriteData)}) {
        TBitmap32 bitmap;
        try {
            TMemoryStream stream(bytes);
            (bitmap.*read)(stream);
        } catch (const Exception&) {
            continue;
        }
        CheckWritesBack(bitmap, write, read); // raises nothing: an escape is a finding
    }
    return 0;
}

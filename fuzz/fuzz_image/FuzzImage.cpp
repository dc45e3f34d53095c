// Feeds arbitrary bytes to every reader of outside picture data: the BMP and JPEG
// decoders (through the choice by first bytes), a bitmap loading BMP pictures one after
// another from a stream, and the bitmap "Data" stream. Each must refuse bad input with an error, never crash, and what
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

    TBitmap32 fromData;
    try {
        TMemoryStream stream(bytes);
        fromData.ReadData(stream);
        CheckWritesBack(fromData, &TBitmap32::WriteData, &TBitmap32::ReadData);
    } catch (const Exception&) {
    }

    // The bytes as pictures one after another: each load moves the stream on, and what
    // it took in is written back, twice into one stream, and read back as two pictures.
    TMemoryStream pictures(bytes);
    while (pictures.Remaining() > 0) {
        const uint64_t before = pictures.Position();
        TBitmap32 bitmap;
        try {
            bitmap.LoadFromStream(pictures);
        } catch (const Exception&) {
            break;
        }
        if (pictures.Position() <= before)
            std::abort();
        CheckWritesBack(bitmap, &TBitmap32::SaveToStream, &TBitmap32::LoadFromStream); // an escape is a finding
        TMemoryStream twice;
        bitmap.SaveToStream(twice);
        bitmap.SaveToStream(twice);
        twice.SetPosition(0);
        for (int copy = 0; copy < 2; ++copy) {
            TBitmap32 again;
            again.LoadFromStream(twice);
            if (!again.Equal(bitmap))
                std::abort();
        }
    }
    return 0;
}

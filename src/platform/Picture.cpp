#include "platform/Picture.h"

#include "platform/FileSystem.h"
#include "platform/WindowSystem.h"

namespace platform {

void TPicture::SetImage(DecodedImage image, bool hasAlpha)
{
    image_ = std::move(image);
    hasAlpha_ = hasAlpha;
}

void TPicture::LoadFromFile(const std::filesystem::path& fileName)
{
    std::vector<uint8_t> bytes;
    std::string error;
    DecodedImage image;
    if (!ReadFileBytes(fileName, bytes, error) || !DecodeImage(bytes, image, error))
        throw Exception("Cannot load picture \"" + fileName.string() + "\": " + error);
    // A BMP's alpha bytes are kept when it has them; the reader gives 255 otherwise.
    SetImage(std::move(image), true);
}

void TPicture::Assign(const TPersistent* source)
{
    if (const auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this)
            SetImage(picture->image_, picture->hasAlpha_);
    } else if (dynamic_cast<const TClipboard*>(source) != nullptr) {
        DecodedImage image;
        ClipboardPicture(image);
        SetImage(std::move(image), true);
    } else {
        TPersistent::Assign(source);
    }
}

void TPicture::AssignTo(TPersistent* dest) const
{
    if (dynamic_cast<TClipboard*>(dest) != nullptr)
        SetClipboardPicture(image_);
    else
        TPersistent::AssignTo(dest);
}

bool TClipboard::HasPicture() const
{
    DecodedImage image;
    return ClipboardPicture(image);
}

} // namespace platform

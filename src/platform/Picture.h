#pragma once
// The platform layer's picture object and the clipboard as an object, so that bitmaps
// and pictures assign to and from each other and the clipboard as persistent objects do.
#include "platform/ImageDecoder.h"
#include "platform/Persistent.h"

#include <filesystem>

namespace platform {

// A picture in memory: 0xAARRGGBB pixels, top row first, and whether they carry alpha of
// their own (a 32-bit picture) or are opaque.
class TPicture : public TPersistent {
public:
    const char* ClassName() const override { return "TPicture"; }

    int32_t Width() const { return image_.width; }
    int32_t Height() const { return image_.height; }
    bool Empty() const { return image_.width == 0 || image_.height == 0; }
    bool HasAlpha() const { return hasAlpha_; }
    const DecodedImage& Image() const { return image_; }
    void SetImage(DecodedImage image, bool hasAlpha);

    // A BMP or JPEG file; raises Exception naming the file and the fault, leaving the
    // picture unchanged.
    void LoadFromFile(const std::filesystem::path& fileName);

    // From another picture, or the clipboard's picture (empty when it holds none).
    void Assign(const TPersistent* source) override;

protected:
    // To the clipboard.
    void AssignTo(TPersistent* dest) const override;

private:
    DecodedImage image_;
    bool hasAlpha_ = false;
};

// The window system's clipboard (platform/WindowSystem.h). It holds no state of its own:
// every instance stands for the one clipboard.
class TClipboard : public TPersistent {
public:
    const char* ClassName() const override { return "TClipboard"; }
    bool HasPicture() const;
};

} // namespace platform

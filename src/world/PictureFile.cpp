#include "world/PictureFile.h"

#include "platform/FileSystem.h"
#include "world/GfxPicture.h"

bool WritePictureFile(const std::filesystem::path& file, uint32_t width, uint32_t height, const uint8_t* pixels,
                      std::string& error)
{
    const CGfxPicture picture(width, height, pixels, false);
    if (!picture.Error().empty()) {
        error = "Cannot code the picture " + file.filename().string() + ": " + picture.Error();
        return false;
    }
    return platform::WriteScratchFile(file, picture.ToBytes(), error);
}

#include "world/PictureFile.h"

#include "platform/FileSystem.h"
#include "world/GfxPicture.h"

bool CodePicture(const std::filesystem::path& file, uint32_t width, uint32_t height, const uint8_t* pixels,
                 std::vector<uint8_t>& bytes, std::string& error)
{
    const CGfxPicture picture(width, height, pixels, false);
    if (!picture.Error().empty()) {
        error = "Cannot code the picture " + file.filename().string() + ": " + picture.Error();
        return false;
    }
    bytes = picture.ToBytes();
    return true;
}

bool WritePictureFile(const std::filesystem::path& file, uint32_t width, uint32_t height, const uint8_t* pixels,
                      std::string& error)
{
    std::vector<uint8_t> bytes;
    return CodePicture(file, width, height, pixels, bytes, error) && platform::WriteScratchFile(file, bytes, error);
}

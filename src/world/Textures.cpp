#include "world/Textures.h"

#include <cassert>
#include <limits>
#include <utility>

#include "model/PieceShading.h"
#include "platform/Exception.h"

int CTextures::Load(const std::filesystem::path& fileName)
{
    TBitmap32 picture;
    try {
        picture.LoadFromFile(fileName);
    } catch (const Exception&) {
        return 0;
    }
    constexpr int kLimit = std::numeric_limits<uint16_t>::max();
    if (picture.Empty() || picture.Width() > kLimit || picture.Height() > kLimit)
        return 0;
    bitmap.Assign(&picture);
    width = uint16_t(picture.Width());
    height = uint16_t(picture.Height());
    tileSize = height;
    return 1;
}

TColor32 CTextures::Pixel(int tile, int x, int y) const
{
    assert(HasTile(tile) && x >= 0 && y >= 0);
    return bitmap.GetPixel(tile * tileSize + x % tileSize, y % height);
}

CTextures& NormalTexture()
{
    static CTextures texture;
    return texture;
}

CTextures& SelectedTexture()
{
    static CTextures texture;
    return texture;
}

CTextures& SeaTexture()
{
    static CTextures texture;
    return texture;
}

std::vector<std::string> LoadTextures(const std::filesystem::path& folder)
{
    const std::pair<CTextures*, const char*> textures[] = {
        {&NormalTexture(), "res/MapTexturesNormal.bmp"},
        {&SelectedTexture(), "res/MapTexturesSelected.bmp"},
        {&SeaTexture(), "res/SeaTexture.bmp"},
    };
    std::vector<std::string> errors;
    for (const auto& [texture, name] : textures)
        if (!texture->Load(folder / name))
            errors.push_back(std::string("Cannot find ") + name);
    return errors;
}

int TexturePixels(TBitmap32* bitmap, const CTextures& texture, int tile, TColor32 fallback)
{
    if (!bitmap || bitmap->Empty())
        return 0;
    if (!texture.HasTile(tile))
        return FillNonZeroPixels(bitmap, fallback);
    const int size = texture.tileSize;
    int count = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
        TColor32* pixel = bitmap->ScanLine(y);
        const TColor32* tileRow = texture.bitmap.ScanLine(y % texture.height) + tile * size;
        for (int x = 0, tx = 0; x < bitmap->Width(); ++x) {
            if (pixel[x] != 0) {
                ++count;
                pixel[x] = tileRow[tx] ? tileRow[tx] : fallback ? fallback : pixel[x];
            }
            if (++tx == size)
                tx = 0;
        }
    }
    return count;
}

int TexturePixelsBevel(TBitmap32* bitmap, const CTextures& texture, int tile, TColor32 fallback)
{
    const int count = TexturePixels(bitmap, texture, tile, fallback);
    if (bitmap)
        Bevel(*bitmap);
    return count;
}

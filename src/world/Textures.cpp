#include "world/Textures.h"

#include <algorithm>
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
    const int size = texture.tileSize, width = bitmap->Width();
    // A 0 texel gives the fallback, or keeps the pixel when that is 0 too.
    const TColor32 keep = fallback ? 0 : 0xFFFFFFFFu;
    size_t count = 0;
    for (int y = 0; y < bitmap->Height(); ++y) {
        TColor32* row = bitmap->ScanLine(y);
        const TColor32* tileRow = texture.bitmap.ScanLine(y % texture.height) + tile * size;
        // One tile width at a time, without branches, so that the loop runs on
        // vectors; a stretch without shape pixels is not written, so that the
        // untouched memory of a sparse mask stays untouched.
        for (int x = 0; x < width; x += size) {
            TColor32* pixel = row + x;
            const int n = std::min(size, width - x);
            TColor32 any = 0;
            for (int i = 0; i < n; ++i)
                any |= pixel[i];
            if (any == 0)
                continue;
            for (int i = 0; i < n; ++i) {
                const TColor32 old = pixel[i], texel = tileRow[i];
                const TColor32 inShape = old ? 0xFFFFFFFFu : 0;
                count += inShape & 1;
                pixel[i] = (texel ? texel : fallback | (old & keep)) & inShape;
            }
        }
    }
    return int(count);
}

int TexturePixelsBevel(TBitmap32* bitmap, const CTextures& texture, int tile, TColor32 fallback)
{
    const int count = TexturePixels(bitmap, texture, tile, fallback);
    if (bitmap)
        Bevel(*bitmap);
    return count;
}

#pragma once
// The texture strips that piece pictures are filled from, and the three that
// the editor loads at start-up.
//
// A texture is a horizontal strip of square tiles whose side is the picture's
// height: tile i covers columns i · tileSize to (i + 1) · tileSize − 1. The
// normal and selected strips hold tile 0 for a province without owner, tiles
// 1..6 for the six players' provinces and tile 7 for green land; the sea strip
// holds one tile.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/Bitmap32.h"

class CTextures {
public:
    // Loads the picture; width and height are its size and the tile size its
    // height. Returns 1, or 0 when the picture cannot be loaded or is larger than
    // 65535 pixels either way; the texture is then unchanged.
    int Load(const std::filesystem::path& fileName);

    // True when tile `tile` lies wholly inside the strip.
    bool HasTile(int tile) const { return tileSize != 0 && tile >= 0 && (tile + 1) * tileSize <= width; }
    // The texture pixel (tile, x, y): bitmap pixel (tile · tileSize + x mod tileSize,
    // y mod height). The tile must exist (HasTile).
    TColor32 Pixel(int tile, int x, int y) const;

    TBitmap32 bitmap;
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t tileSize = 0;
};

// The process-wide textures: provinces, highlighted provinces, sea.
CTextures& NormalTexture();
CTextures& SelectedTexture();
CTextures& SeaTexture();

// Loads the three from "res/MapTexturesNormal.bmp", "res/MapTexturesSelected.bmp"
// and "res/SeaTexture.bmp" under `folder`. Returns one message per texture that
// could not be loaded ("Cannot find res/SeaTexture.bmp"); the others still load.
std::vector<std::string> LoadTextures(const std::filesystem::path& folder);

// Every shape pixel (x, y) of the bitmap (non-zero) becomes the texture pixel
// (tile, x, y), in the bitmap's own coordinates. Where the texture has no such
// tile (not loaded) or its pixel is 0, the pixel becomes `fallback` instead, so
// no shape pixel is ever cleared. Returns the number of shape pixels.
int TexturePixels(TBitmap32* bitmap, const CTextures& texture, int tile, TColor32 fallback);
// TexturePixels, then Bevel.
int TexturePixelsBevel(TBitmap32* bitmap, const CTextures& texture, int tile, TColor32 fallback);

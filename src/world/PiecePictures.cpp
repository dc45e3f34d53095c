// Each piece's mask is also its picture in the world view: province pieces are
// filled from the texture tile of their owner and bevelled, ocean and green
// land take their textures, small and unclassified pieces a flat colour.
#include "model/MapProject.h"
#include "model/PieceShading.h"
#include "model/Settings.h"
#include "world/Textures.h"

namespace {

// Texture tiles of the normal and selected strips.
constexpr int kNoOwnerTile = 0;
constexpr int kGreenLandTile = 7;
constexpr int kSeaTile = 0;

// Flat colours for pieces whose texture is missing, one per tile of the normal
// strip: no owner, the six players, green land.
constexpr TColor32 kFlatTileColors[8] = {0xFFB0A080, 0xFFC83028, 0xFF3050C8, 0xFFDCC430,
                                         0xFF8C3CAA, 0xFFE68228, 0xFF28AAAA, 0xFF46963C};

// The tile of a province piece: its owner's when owner colours are shown, else
// (and for no owner or an owner outside the six players) the no-owner tile.
int ProvinceTile(const CProvince* province)
{
    if (!province || !TheSettings().OwnerColors || province->owner >= CMapProject::kPlayerCount)
        return kNoOwnerTile;
    return province->owner + 1;
}

} // namespace

void CMapProject::UpdateProvinceMapPicture(int pieceIndex)
{
    CProvinceMap* piece = pieces_.GetAt(pieceIndex);
    if (!piece)
        return;
    const CSettings& settings = TheSettings();
    TBitmap32* picture = &piece->mask;
    switch (piece->kind) {
    case CProvinceMap::kOcean:
        piece->pixelCount = uint32_t(TexturePixels(picture, SeaTexture(), kSeaTile, settings.OceanColor()));
        break;
    case CProvinceMap::kGreenLand:
        piece->pixelCount = uint32_t(
            TexturePixels(picture, NormalTexture(), kGreenLandTile, kFlatTileColors[kGreenLandTile]));
        break;
    case CProvinceMap::kProvince:
    case CProvinceMap::kProvinceWithoutCastlePlace: {
        const int tile = ProvinceTile(FindProvinceByPiece(pieceIndex));
        if (piece->highlight)
            TexturePixelsBevel(picture, SelectedTexture(), tile, Lighter(kFlatTileColors[tile]));
        else
            TexturePixelsBevel(picture, NormalTexture(), tile, kFlatTileColors[tile]);
        break;
    }
    case CProvinceMap::kSmall:
        piece->pixelCount = uint32_t(FillNonZeroPixels(picture, settings.colors[CSettings::kPiecePaintLight]));
        break;
    default: // unclassified, or a kind this editor does not know
        piece->pixelCount = uint32_t(FillNonZeroPixels(picture, settings.colors[CSettings::kPiecePaint]));
        break;
    }
    DrawPiece(pieceIndex);
}

void CMapProject::RedrawPieces(bool all)
{
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        const CProvinceMap& piece = *pieces_.GetAt(i);
        if (!piece.IsEmpty() && (all || piece.IsProvince()))
            UpdateProvinceMapPicture(i);
    }
}

// Importing a world picture: loading it, raising it to the minimum size and
// running the analysis from pieces to castle places.
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "graphics/Image32.h"
#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/PieceShading.h"
#include "model/Settings.h"
#include "world/CastlePlaces.h"
#include "world/WorldBitmap.h"

namespace {

constexpr TColor32 kAnalysedPiece = 0xBBCCCCCC;

int64_t Rescaled(int64_t coordinate, int newSize, int oldSize)
{
    return oldSize > 0 ? coordinate * newSize / oldSize : coordinate;
}

// True when mask point `point` is a pixel of the piece.
bool OnPiece(const CProvinceMap& piece, TPoint point)
{
    return point.X >= 0 && point.Y >= 0 && point.X < piece.mask.Width() && point.Y < piece.mask.Height() &&
           piece.mask.GetPixel(point.X, point.Y) != 0;
}

} // namespace

// Where a kept province's icons go after a reload: world points on the new picture.
struct CMapProject::TKeptIcons {
    CProvince* province;
    TPoint castle, army;
};

int CMapProject::ResizeWorldView()
{
    if (worldImage_) {
        worldImage_->SetBounds(worldImage_->Left(), worldImage_->Top(), width_ + 10, height_ + 10);
        worldImage_->Bitmap()->SetSize(width_, height_);
    }
    return 1;
}

int CMapProject::ImportWorldImage(const std::filesystem::path& fileName, bool keepProvinces)
{
    // Everything that can fail or be refused happens before the old world is touched.
    TBitmap32 picture;
    std::string reason = "Format is not supported.";
    try {
        picture.LoadFromFile(fileName);
    } catch (const std::exception& error) {
        picture.Delete();
        reason = error.what(); // which file, and what is wrong with it
    }
    if (picture.Empty() || picture.Width() > kMaxWorldSide || picture.Height() > kMaxWorldSide) {
        prompts_->Message("Cannot import picture\n" + reason);
        return 0;
    }
    if (picture.Width() < kMinWorldSide || picture.Height() < kMinWorldSide) {
        if (!TheSettings().AutoResize &&
            !prompts_->Confirm("Map image has wrong size (less than 160x160). Resize?", "Warning"))
            return 0;
        ResizeBitmap(picture, std::max(picture.Width(), kMinWorldSide), std::max(picture.Height(), kMinWorldSide));
    }
    const int width = picture.Width(), height = picture.Height();

    CProgressScope progress(*this, "Bitmap analyzing...", width);
    if (warnings_)
        warnings_->Clear(); // no warning may outlive the pieces it shows
    std::vector<TKeptIcons> kept;
    if (keepProvinces)
        kept = RescaleKeptProvinces(width, height);
    pieces_.DeleteAll();
    SetMapSize(uint16_t(width), uint16_t(height));
    ResizeWorldView();

    // The extraction leaves the piece map as the masks give it, so no rebuild
    // is needed before the neighbours are found.
    ExtractPieces(picture);
    PaintPieceKinds();
    RedrawPieces(true);
    CalcNeighbours(0);
    ReconnectSmallPieces();
    PurgeProvinceMaps();
    ConvertSmallPieces();
    ReassignMapIndexes();
    if (keepProvinces)
        PlaceKeptProvinces(kept);
    else
        CalcCastlePlaces();
    return 1;
}

void CMapProject::PaintPieceKinds()
{
    const CSettings& settings = TheSettings();
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        CProvinceMap& piece = *pieces_.GetAt(i);
        if (piece.color == settings.OceanColor())
            piece.kind = CProvinceMap::kOcean;
        else if (piece.color == settings.GreenLandColor())
            piece.kind = CProvinceMap::kGreenLand;
        if (piece.IsProvince() || piece.IsSmall())
            piece.pixelCount = uint32_t(FillNonZeroPixels(&piece.mask, kAnalysedPiece));
    }
}

// Every province's point and icon points scaled from the old world to the new
// one, and the province unlinked: its old piece index means nothing on the
// new pieces.
std::vector<CMapProject::TKeptIcons> CMapProject::RescaleKeptProvinces(int width, int height)
{
    std::vector<TKeptIcons> kept;
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        CProvince& province = *provinces_.GetAt(i);
        // Icon points are relative to the piece of a linked province, world points otherwise.
        const CProvinceMap* piece = province.linked ? pieces_.GetAt(province.pieceIndex) : nullptr;
        const int originX = piece ? piece->left : 0, originY = piece ? piece->top : 0;
        auto scaled = [&](int x, int y) {
            return TPoint{int32_t(Rescaled(x, width, width_)), int32_t(Rescaled(y, height, height_))};
        };
        const TPoint point = scaled(province.markerX, province.markerY);
        kept.push_back({&province, scaled(originX + province.castleX, originY + province.castleY),
                        scaled(originX + province.armyX, originY + province.armyY)});
        province.markerX = uint16_t(std::clamp(point.X, 0, width - 1));
        province.markerY = uint16_t(std::clamp(point.Y, 0, height - 1));
        province.linked = 0;
        province.pieceIndex = -1;
    }
    return kept;
}

// Each kept province takes the free province piece under its point; the piece
// takes the province's icon points when both lie on it, else gets them
// computed, as does every province piece that no province took.
void CMapProject::PlaceKeptProvinces(const std::vector<TKeptIcons>& kept)
{
    std::vector<bool> placed(size_t(pieces_.GetCount()), false);
    for (const TKeptIcons& icons : kept) {
        CProvince& province = *icons.province;
        const int index = int(GetPieceAt(province.markerX, province.markerY) & 0xFFFF);
        if (IsPieceTaken(index)) {
            province.castleX = uint16_t(icons.castle.X);
            province.castleY = uint16_t(icons.castle.Y);
            province.armyX = uint16_t(icons.army.X);
            province.armyY = uint16_t(icons.army.Y);
            continue;
        }
        CProvinceMap& piece = *pieces_.GetAt(index);
        const TPoint castle{icons.castle.X - piece.left, icons.castle.Y - piece.top};
        const TPoint army{icons.army.X - piece.left, icons.army.Y - piece.top};
        if (OnPiece(piece, castle) && OnPiece(piece, army)) {
            piece.castleX = uint16_t(castle.X);
            piece.castleY = uint16_t(castle.Y);
            piece.armyX = uint16_t(army.X);
            piece.armyY = uint16_t(army.Y);
        } else {
            PlaceCastleAndArmy(piece);
        }
        placed[size_t(index)] = true;
        province.castleX = piece.castleX;
        province.castleY = piece.castleY;
        province.armyX = piece.armyX;
        province.armyY = piece.armyY;
        province.linked = 1;
        province.pieceIndex = index;
    }
    for (int i = 0; i < pieces_.GetCount(); ++i)
        if (!placed[size_t(i)] && pieces_.GetAt(i)->IsProvince())
            PlaceCastleAndArmy(*pieces_.GetAt(i));
}

// Importing a world picture: loading it, raising it to the minimum size and
// running the analysis from pieces to castle places.
#include <algorithm>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "graphics/Image32.h"
#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/PieceShading.h"
#include "model/Settings.h"
#include "platform/Exception.h"
#include "platform/LargePages.h"
#include "world/BlockImages.h"
#include "world/CastlePlaces.h"
#include "world/WorldBitmap.h"

namespace {

constexpr TColor32 kAnalysedPiece = 0xBBCCCCCC;

int64_t Rescaled(int64_t coordinate, int newSize, int oldSize)
{
    return oldSize > 0 ? coordinate * newSize / oldSize : coordinate;
}

// The pixels of all the pieces' masks together.
uint64_t MaskPixels(const CProvinceMapList& pieces)
{
    uint64_t pixels = 0;
    for (int i = 0; i < pieces.GetCount(); ++i)
        pixels += uint64_t(pieces.GetAt(i)->mask.Width()) * uint64_t(pieces.GetAt(i)->mask.Height());
    return pixels;
}

// True when mask point `point` is a pixel of the piece.
bool OnPiece(const CProvinceMap& piece, TPoint point)
{
    return point.X >= 0 && point.Y >= 0 && point.X < piece.mask.Width() && point.Y < piece.mask.Height() &&
           piece.mask.GetPixel(point.X, point.Y) != 0;
}

} // namespace

// A province kept over a reload: its point and icon points scaled to the new
// picture (world points), and the piece it takes there (-1: none; the icon
// points are then relative to that piece).
struct CMapProject::TKeptProvince {
    CProvince* province;
    TPoint marker, castle, army;
    int pieceIndex = -1;
};

int CMapProject::ResizeWorldView()
{
    if (worldImage_) {
        worldImage_->SetBounds(worldImage_->Left(), worldImage_->Top(), width_ + 10, height_ + 10);
        worldImage_->Bitmap()->SetSize(width_, height_);
        // Every pixel of the world is drawn from the pieces.
        platform::AdviseLargePages(worldImage_->Bitmap()->Bits(), size_t(width_) * size_t(height_) * sizeof(TColor32));
    }
    return 1;
}

int CMapProject::ImportWorldImage(const std::filesystem::path& fileName, bool keepProvinces)
{
    // A new project's import comes after the old project was closed; a reload keeps the world.
    const std::string outcome = keepProvinces ? "\nThe world was left as it was."
                                              : "\nNo project is open now: the old one was closed before the import.";
    const auto refuse = [&](const std::string& reason) {
        prompts_->Message("Cannot import picture\n" + reason + outcome);
        return 0;
    };
    TBitmap32 picture;
    std::string reason = "Format is not supported.";
    try {
        picture.LoadFromFile(fileName);
    } catch (const std::exception& error) {
        picture.Delete();
        reason = error.what(); // which file, and what is wrong with it
    }
    if (picture.Empty())
        return refuse(reason);
    if (picture.Width() > kMaxMissionWidth || picture.Height() > kMaxMissionHeight)
        return refuse("It is " + std::to_string(picture.Width()) + " x " + std::to_string(picture.Height()) +
                      " pixels, but the world of a mission may be at most " + std::to_string(kMaxMissionWidth) +
                      " pixels wide and " + std::to_string(kMaxMissionHeight) + " high.");
    if (picture.Width() < kMinWorldSide || picture.Height() < kMinWorldSide) {
        if (!TheSettings().AutoResize &&
            !prompts_->Confirm("Map image has wrong size (less than 160x160). Resize?", "Warning"))
            return 0;
        ResizeBitmap(picture, std::max(picture.Width(), kMinWorldSide), std::max(picture.Height(), kMinWorldSide));
    }
    const int width = picture.Width(), height = picture.Height();

    CProgressScope progress(*this, "Bitmap analyzing...", width);
    // The new world is analysed in the project's own members while the old
    // pieces, piece map, size and warnings wait aside untouched, and the
    // provinces are only planned for. A failure anywhere in the analysis puts
    // the old world back as it was; only a finished analysis replaces it.
    CProvinceMapList oldPieces;
    CPieceMap oldMap{kNoPieceCell};
    const uint16_t oldWidth = width_, oldHeight = height_;
    CErrorList found;
    CErrorList* const shown = warnings_;
    std::vector<TKeptProvince> kept;
    std::string failure;
    pieces_.Swap(oldPieces);
    std::swap(mapMap_, oldMap);
    warnings_ = shown ? &found : nullptr;
    try {
        if (keepProvinces)
            kept = RescaleKeptProvinces(oldPieces, width, height);
        SetMapSize(uint16_t(width), uint16_t(height));
        // The extraction leaves the piece map as the masks give it, so no
        // rebuild is needed before the neighbours are found.
        ExtractPieces(picture);
        picture.Delete(); // the pieces hold all of it now: its memory goes before the masks are worked on
        PaintPieceKinds();
        CalcNeighbours(0);
        ReconnectSmallPieces();
        PurgeProvinceMaps();
        ConvertSmallPieces();
        ReassignMapIndexes();
        if (keepProvinces)
            PlaceKeptProvinces(kept);
        else
            CalcCastlePlaces();
        // Joining small pieces to provinces widens their masks: the world must
        // still be one that a project file may hold.
        if (const std::string problem = PieceMasksProblem(width, height, MaskPixels(pieces_)); !problem.empty())
            throw Exception("Its analysis makes a world that no project file may hold: " + problem + ".");
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to analyse it.";
    } catch (const std::exception& error) {
        failure = error.what();
    }
    warnings_ = shown;
    if (!failure.empty()) {
        pieces_.Swap(oldPieces);
        std::swap(mapMap_, oldMap);
        SetMapSize(oldWidth, oldHeight);
        return refuse(failure);
    }

    // The old warnings name old pieces: they go before those do.
    if (warnings_) {
        warnings_->Clear();
        warnings_->TakeOver(found);
    }
    for (const TKeptProvince& province : kept)
        MoveKeptProvince(province);
    // The caller sets the provinces up and then draws the pieces: drawing
    // them here would texture every mask twice.
    ResizeWorldView();
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

// Where every province's point and icon points, on `oldPieces` and the world
// size as it still is, fall on a picture of the given size; the provinces
// themselves are left as they are.
std::vector<CMapProject::TKeptProvince> CMapProject::RescaleKeptProvinces(const CProvinceMapList& oldPieces,
                                                                          int width, int height) const
{
    std::vector<TKeptProvince> kept;
    kept.reserve(size_t(provinces_.GetSize()));
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        CProvince& province = *provinces_.GetAt(i);
        // Icon points are relative to the piece of a linked province, world points otherwise.
        const CProvinceMap* piece = province.linked ? oldPieces.GetAt(province.pieceIndex) : nullptr;
        const int originX = piece ? piece->left : 0, originY = piece ? piece->top : 0;
        auto scaled = [&](int x, int y) {
            return TPoint{int32_t(Rescaled(x, width, width_)), int32_t(Rescaled(y, height, height_))};
        };
        const TPoint point = scaled(province.markerX, province.markerY);
        kept.push_back({&province, {std::clamp(point.X, 0, width - 1), std::clamp(point.Y, 0, height - 1)},
                        scaled(originX + province.castleX, originY + province.castleY),
                        scaled(originX + province.armyX, originY + province.armyY)});
    }
    return kept;
}

// Each kept province is to take the free province piece under its point; the
// piece takes the province's icon points when both lie on it, else gets them
// computed, as does every province piece that no province takes. Only the
// new pieces and the plan change.
void CMapProject::PlaceKeptProvinces(std::vector<TKeptProvince>& kept)
{
    std::vector<bool> taken(size_t(pieces_.GetCount()), false);
    for (TKeptProvince& plan : kept) {
        const int index = int(GetPieceAt(plan.marker.X, plan.marker.Y) & 0xFFFF);
        CProvinceMap* piece = pieces_.GetAt(index);
        if (!piece || piece->kind < CProvinceMap::kProvince || taken[size_t(index)])
            continue;
        const TPoint castle{plan.castle.X - piece->left, plan.castle.Y - piece->top};
        const TPoint army{plan.army.X - piece->left, plan.army.Y - piece->top};
        if (OnPiece(*piece, castle) && OnPiece(*piece, army)) {
            piece->castleX = uint16_t(castle.X);
            piece->castleY = uint16_t(castle.Y);
            piece->armyX = uint16_t(army.X);
            piece->armyY = uint16_t(army.Y);
        } else {
            PlaceCastleAndArmy(*piece);
        }
        taken[size_t(index)] = true;
        plan.pieceIndex = index;
        plan.castle = {piece->castleX, piece->castleY};
        plan.army = {piece->armyX, piece->armyY};
    }
    for (int i = 0; i < pieces_.GetCount(); ++i)
        if (!taken[size_t(i)] && pieces_.GetAt(i)->IsProvince())
            PlaceCastleAndArmy(*pieces_.GetAt(i));
}

void CMapProject::MoveKeptProvince(const TKeptProvince& plan)
{
    CProvince& province = *plan.province;
    province.markerX = uint16_t(plan.marker.X);
    province.markerY = uint16_t(plan.marker.Y);
    province.linked = plan.pieceIndex >= 0 ? 1 : 0;
    province.pieceIndex = plan.pieceIndex;
    province.castleX = uint16_t(plan.castle.X);
    province.castleY = uint16_t(plan.castle.Y);
    province.armyX = uint16_t(plan.army.X);
    province.armyY = uint16_t(plan.army.Y);
}

// Clearing the one project of the editor and setting it up again: the steps
// that New, Load, Reload and closing the window run through, in the order in
// which the world, the catalogue, the players, the provinces and the world
// view must be rebuilt.
#include <algorithm>

#include "graphics/Image32.h"
#include "graphics/Layers32.h"
#include "model/Catalogue.h"
#include "model/ErrorList.h"
#include "model/MapProject.h"

namespace {

// After a reload a province point this close to the right or lower world edge
// moves kEdgeInset pixels inside it before it looks for its piece.
constexpr int kEdgeBand = 5;
constexpr int kEdgeInset = 30;

uint16_t AwayFromEdge(uint16_t coordinate, int size)
{
    return coordinate >= size - kEdgeBand ? uint16_t(std::max(0, size - kEdgeInset)) : coordinate;
}

} // namespace

int CMapProject::QuerySaveChanges()
{
    if (!IsModified())
        return 0;
    switch (prompts_->Ask("You have made changes in project. Would you like to save your changes?", "Warning")) {
    case IPrompts::kYes:
        return 1;
    case IPrompts::kNo:
        return 0;
    case IPrompts::kCancel:
        break;
    }
    return 2;
}

int CMapProject::Clear()
{
    projectViews_->StopBlinking();
    projectViews_->DeselectInspectors();
    // The warnings and the selection point into pieces and provinces: they go first.
    if (warnings_)
        warnings_->Clear();
    select_.Clear();

    // Provinces before pieces and players: a dying province releases its player's capital.
    provinces_.DeleteAll();
    pieces_.DeleteAll();
    mapMap_.Free();
    events_.DeleteAll();
    stringTables_.DeleteAll();
    currentStringTable_ = 0;
    iconPivots_.SetSize(0);
    abilities_.RemoveAll();
    aiTypes_.RemoveAll();
    // The conditions belong to the old mission: a new one starts from the defaults
    // (a kind whose province is gone would fail every check and no row could mend it).
    victory = CVictoryCondsB();
    lose = CLoseCondsB();

    projectViews_->ClearProjectLists();
    projectViews_->ClearInspectors();

    // Each province layer's tag dies with its layer, and so does the links layer's handle.
    if (layers_)
        layers_->Clear();
    if (worldImage_)
        worldImage_->Bitmap()->Clear(clWhite32);
    SetMapSize(1, 1);

    const uint32_t players = std::min<uint32_t>(players_.GetCount(), kPlayerCount);
    for (uint32_t i = 0; i < players; ++i)
        players_.GetAt(i).ResetPlayer();
    capitalBackups_.fill(CCapitalBackup());

    fileName_.clear();
    difficulty = CMapProjectE().difficulty;
    MaxExp = CMapProjectB().MaxExp;
    SetModified(false); // nothing is left that could be saved
    return 1;
}

void CMapProject::InitNew()
{
    ReadCreatorId();
    ReadCatalogue();
    ReadAbilitiesAndAITypes();
    CreateDefaultPlayers();
    CreateProvincesFromPieces();
    CreateLinksLayer();
    RedrawPieces(true);
    DrawAllPieces();
    RedrawLinksLayer();
    PlaceProvinceMarkers();
}

void CMapProject::RelinkProvincesToMaps()
{
    // A catalogue fault must not leave the reloaded world half linked: the
    // lists keep what they held and the user is told.
    try {
        ReadAbilitiesAndAITypes();
    } catch (const ECatalogueError& fault) {
        prompts_->Message(fault.what());
    }
    // Every province is detached before any attaches, so that list order alone
    // decides which of two provinces on one piece gets it. The point moves
    // first so that a province left detached has its icons on it.
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        CProvince& province = *provinces_.GetAt(i);
        province.markerX = AwayFromEdge(province.markerX, width_);
        province.markerY = AwayFromEdge(province.markerY, height_);
        DetachProvinceFromMap(&province);
    }
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        CProvince& province = *provinces_.GetAt(i);
        const int index = int(GetPieceAt(province.markerX, province.markerY) & 0xFFFF);
        if (!IsPieceTaken(index))
            AttachProvinceToMap(&province, index);
    }
    RedrawPieces(true);
    DrawAllPieces();
    RedrawLinksLayer();
    // The points moved with the new world: the markers (and names) follow them.
    PlaceProvinceMarkers();
}

int CMapProject::RefreshAllProvinces()
{
    for (int i = 0; i < provinces_.GetSize(); ++i)
        DrawProvinceName(provinces_.GetAt(i));
    return 1;
}

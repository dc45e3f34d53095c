// Whole-project operations shared by set-up, loading, the world analysis and
// the user interface.
#include "model/MapProject.h"

#include <algorithm>
#include <vector>

#include "model/ErrorList.h"

void CMapProject::CreateDefaultPlayers()
{
    constexpr uint32_t kDefaultGoal = 10;
    players_.Resize(kPlayerCount, CPlayerData(*this));
    const int unitTypes = GetUnitTypeCount();
    for (uint32_t p = 0; p < kPlayerCount; ++p) {
        CPlayerData& player = players_.GetAt(p);
        player.ResizeUnitTypes(unitTypes);
        for (int j = 0; j < unitTypes; ++j)
            player.unitTypes[j] = uint32_t(j);
        player.treasury.SetSize(0);
        player.treasury.SetSize(resources);
    }
    victory.resourcesData.resources.SetSize(resources);
    for (int i = 0; i < resources; ++i)
        victory.resourcesData.resources[i] = kDefaultGoal;
    victory.armyData.army.SetSize(unitTypes);
    for (int i = 0; i < unitTypes; ++i)
        victory.armyData.army[i] = kDefaultGoal;
}

void CMapProject::ReassignMapIndexes()
{
    CProgressScope progress(*this, "Reassign map indexes...", pieces_.GetCount());
    IndexPieces(mapMap_, progress);
}

bool CMapProject::IndexPieces(CPieceMap& map, CProgressScope& progress) const
{
    if (!map.SetSize(width_, height_))
        return false;
    uint16_t* const cells = map.GetData();
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        progress.Step(i);
        const CProvinceMap& piece = *pieces_.GetAt(i);
        if (piece.IsEmpty() || !cells)
            continue;
        // The mask clipped to the map.
        const int x0 = std::max(0, -piece.left), x1 = std::min(piece.mask.Width(), width_ - piece.left);
        const int y0 = std::max(0, -piece.top), y1 = std::min(piece.mask.Height(), height_ - piece.top);
        for (int y = y0; y < y1; ++y) {
            const TColor32* row = piece.mask.ScanLine(y);
            uint16_t* out = cells + size_t(piece.top + y) * width_ + piece.left;
            for (int x = x0; x < x1; ++x)
                out[x] = row[x] ? uint16_t(i) : out[x];
        }
    }
    return true;
}

void CMapProject::PurgeProvinceMaps()
{
    for (int i = 0; i < pieces_.GetCount();)
        if (pieces_.GetAt(i)->IsEmpty())
            pieces_.Remove(i);
        else
            ++i;
}

namespace {

// Where a stored province index goes when the provinces at the sorted
// `deleted` indexes leave the list: `unset` when it is one of them, else down
// by the number of deleted provinces before it.
template <typename Index>
Index FollowDeletion(Index index, const std::vector<int>& deleted, Index unset)
{
    if (index == unset)
        return index;
    Index below = 0;
    for (int gone : deleted) {
        if (gone == index)
            return unset;
        if (gone < index)
            ++below;
    }
    return Index(index - below);
}

} // namespace

void CMapProject::DeleteSelectedProvinces()
{
    std::vector<CProvince*> doomed;
    std::vector<int> indexes;
    for (int i = 0; i < select_.Count(); ++i) {
        CProvince* province = select_.GetAt(i);
        const uint8_t index = provinces_.IndexOf(province);
        if (index != CProvinceList::kNotFound) {
            doomed.push_back(province);
            indexes.push_back(index);
        }
    }
    if (doomed.empty())
        return;

    StoreChange(victory.captureProvince, FollowDeletion(victory.captureProvince, indexes, CVictoryCondsB::kUnset));
    StoreChange(lose.province, FollowDeletion(lose.province, indexes, CLoseCondsB::kUnset));

    for (CProvince* province : doomed) {
        select_.Remove(province);
        province->SetOwner(CProvinceB::kNoOwner); // the owner loses it, capital included
        worldView_->ForgetProvince(*province);
        stringTables_.RemoveProvinceName(provinces_.IndexOf(province));
        provinces_.Remove(province);
        SetModified();
    }
    RedrawLinksLayer();
    if (warnings_)
        warnings_->FillListView();
    projectViews_->ProvincesDeleted();
}

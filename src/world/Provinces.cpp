// Provinces made from province pieces or added by hand, linked to pieces and
// unlinked, and players' capitals with the castle state they replace.
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "graphics/Image32.h"
#include "model/MapProject.h"
#include "model/PieceShading.h"

namespace {

constexpr TColor32 kProvincePiece = 0xFF111111;
// How far up and left of the view's centre a province added there is put.
constexpr int kViewCenterOffset = 20;
constexpr int kCapitalCatapults = 4;
constexpr int kFullHitPoints = 100;

} // namespace

int CMapProject::CreateProvincesFromPieces()
{
    CProgressScope progress(*this, "Create provinces...", pieces_.GetCount());
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        progress.Step(i);
        CProvinceMap& piece = *pieces_.GetAt(i);
        if (!piece.IsProvince())
            continue;
        if (provinces_.GetSize() >= CProvinceList::kMaxProvinces) {
            prompts_->Message("Too many provinces! They will be truncated to 99 items");
            return 0;
        }
        FillNonZeroPixels(&piece.mask, kProvincePiece);
        AddProvince(piece.left + piece.castleX, piece.top + piece.castleY, piece.castleX, piece.castleY, piece.armyX,
                    piece.armyY, true, i);
    }
    return 1;
}

CProvince* CMapProject::AddProvince(int x, int y, int castleX, int castleY, int armyX, int armyY, bool linked,
                                    int pieceIndex)
{
    if (provinces_.GetSize() >= CProvinceList::kMaxProvinces) {
        prompts_->Message("Too many provinces! You can create noone more.");
        return nullptr;
    }
    auto created = std::make_unique<CProvince>(*this);
    CProvince* province = created.get();
    if (provinces_.Add(std::move(created)) < 0)
        return nullptr;

    // "Noname n" with n the province count, or the next number the table takes.
    if (CStringTable* table = stringTables_.GetAt(currentStringTable_)) {
        const int count = provinces_.GetSize();
        for (int n = count; n <= count + CProvinceList::kMaxProvinces; ++n)
            if (table->SetProvinceName(province, "Noname " + std::to_string(n)))
                break;
    }
    province->markerX = uint16_t(x);
    province->markerY = uint16_t(y);
    province->castleX = uint16_t(castleX);
    province->castleY = uint16_t(castleY);
    province->armyX = uint16_t(armyX);
    province->armyY = uint16_t(armyY);
    province->linked = linked ? 1 : 0;
    province->pieceIndex = pieceIndex;
    province->ResizeResources(resources);
    for (int r = 0; r < resources; ++r)
        province->resources[r] = uint8_t(GetResourceMin(r));
    province->army.SetSize(GetUnitTypeCount());
    SetModified();
    CreateProvinceLayers(province);
    return province;
}

CProvince* CMapProject::AddProvinceAtViewCenter()
{
    int x = 0, y = 0;
    if (worldImage_) {
        const platform::Rect visible = worldImage_->VisibleRect();
        const float scale = worldImage_->Scale();
        x = int(std::trunc(float(visible.Left + visible.Right) / 2 / scale - kViewCenterOffset));
        y = int(std::trunc(float(visible.Top + visible.Bottom) / 2 / scale - kViewCenterOffset));
    }
    // Near the world's left or top edge the offset would put the point outside.
    x = std::clamp(x, 0, std::max(width_ - 1, 0));
    y = std::clamp(y, 0, std::max(height_ - 1, 0));
    return AddProvince(x, y, x, y, x, y, false, -1);
}

int CMapProject::AttachProvinceToMap(CProvince* province, int pieceIndex)
{
    const CProvinceMap* piece = pieces_.GetAt(pieceIndex);
    if (!province || !piece)
        return 0;
    province->linked = 1;
    province->pieceIndex = pieceIndex;
    province->castleX = piece->castleX;
    province->castleY = piece->castleY;
    province->armyX = piece->armyX;
    province->armyY = piece->armyY;
    SetModified();
    PlaceCastleLayer(province);
    PlaceArmyLayer(province);
    UpdateProvinceMapPicture(pieceIndex);
    return 1;
}

int CMapProject::DetachProvinceFromMap(CProvince* province)
{
    if (!province)
        return 0;
    province->linked = 0;
    province->pieceIndex = -1;
    province->castleX = province->armyX = province->markerX;
    province->castleY = province->armyY = province->markerY;
    SetModified();
    PlaceCastleLayer(province);
    PlaceArmyLayer(province);
    return 1;
}

bool CMapProject::IsPieceTaken(int pieceIndex) const
{
    const CProvinceMap* piece = pieces_.GetAt(pieceIndex);
    if (!piece || piece->kind < CProvinceMap::kProvince)
        return true;
    for (int i = 0; i < provinces_.GetSize(); ++i)
        if (provinces_.GetAt(i)->linked && provinces_.GetAt(i)->pieceIndex == pieceIndex)
            return true;
    return false;
}

int CMapProject::RelinkProvinces()
{
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        CProvince* province = provinces_.GetAt(i);
        if (province->linked)
            continue;
        const int index = int(GetPieceAt(province->markerX, province->markerY) & 0xFFFF);
        if (IsPieceTaken(index))
            continue;
        AttachProvinceToMap(province, index);
        PlaceProvinceMarker(FindMarkerLayer(province));
    }
    return 1;
}

CProvince* CMapProject::FindProvinceOfPiece(const CProvinceMap* piece) const
{
    return FindProvinceByPiece(pieces_.IndexOf(piece));
}

int CMapProject::SetPlayerCapital(int player, CProvince* capital)
{
    if (player < 0 || player >= kPlayerCount || player >= int(players_.GetCount()))
        return 0;
    CPlayerData& data = players_.GetAt(uint32_t(player));
    CCapitalBackup& backup = capitalBackups_[size_t(player)];
    CProvince* old = data.capital;
    data.SetCapital(capital);
    if (old) {
        old->castle.flags = backup.castle.flags;
        old->castle.buildings = backup.castle.buildings;
        old->castle.hitPoints = backup.castle.hitPoints;
        SetModified();
        SetCastleIcon(old, backup.hadCastle ? 1 : 0);
    }
    if (capital) {
        backup.hadCastle = (capital->castle.flags & CCastleDataB::kCastle) != 0;
        backup.castle = capital->castle;
        capital->SetOwner(player);
        capital->SetCastle(true);
        capital->SetMoat(true);
        capital->SetWalls(true);
        capital->SetCatapults(kCapitalCatapults);
        capital->SetCastleHP(kFullHitPoints);
        SetCastleIcon(capital, 2);
    }
    // The castle counts in the income line under each one's name.
    for (const CProvince* changed : {old, capital})
        if (changed)
            DrawProvinceName(changed);
    select_.Refresh();
    return 1;
}

void CMapProject::ReleasePlayerProvinces(int player)
{
    if (projectViews_->SelectedPlayer() == player) {
        projectViews_->StopBlinking();
        select_.Clear();
    }
    SetPlayerCapital(player, nullptr);
    const CStringTable* table = stringTables_.GetAt(currentStringTable_);
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        CProvince& province = *provinces_.GetAt(i);
        if (province.owner != player)
            continue;
        province.SetOwner(CProvinceB::kNoOwner);
        if (province.linked)
            UpdateProvinceMapPicture(province.pieceIndex);
        projectViews_->SetProvinceRowOwner(province, table ? table->GetPlayerName(CProvinceB::kNoOwner) : "none");
    }
}

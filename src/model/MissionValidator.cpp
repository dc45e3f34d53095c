// The game's rules that a mission must keep before it is exported.
#include "model/MapProject.h"

#include <cstdint>
#include <string>

namespace {

template <typename T>
uint64_t Sum(const VK::CSimpleArray<T>& values)
{
    uint64_t sum = 0; // wide enough that no counts add up to a false zero
    for (int i = 0; i < values.GetSize(); ++i)
        sum += values[i];
    return sum;
}

} // namespace

int CMapProject::CountActivePlayers() const
{
    int active = 0;
    for (uint32_t i = 0; i < players_.GetCount(); ++i)
        active += players_.GetAt(i).active != 0;
    return active;
}

int CMapProject::GetHumanPlayerCount() const
{
    int humans = 0;
    for (uint32_t i = 0; i < players_.GetCount(); ++i) {
        const CPlayerData& player = players_.GetAt(i);
        humans += player.active && (player.control == CPlayerDataB::kHuman ||
                                    player.control >= CPlayerDataB::kHumanAndComputer);
    }
    return humans;
}

// The rules, tested in this order; the first that fails gives the message:
//   1  at least two active players
//   2  an active Human or Human & Computer player
//   3  every active player has a capital (the first without one is named)
//   4  "Defeat a specific player" names the player
//   5  "Accumulate army" asks for some units
//   6  "Accumulate resources" asks for some resources
//   7  "Capture a specific province" names a province of the list
//   8  "Lose Province" names a province of the list
//   9  "Time Expires" leaves at least 5 turns
//   10 every province lies on a piece of the world (the export needs its piece)
//   11 every active player's capital is a province of that player, not on the sea
//      (the editor sets the owner with the capital; only a damaged file differs)
// Rules 4 to 9 look only at the condition of the kind that is chosen.
std::string CMapProject::CheckMission() const
{
    if (CountActivePlayers() < 2)
        return "number of Active Players must be greater than 1";
    if (GetHumanPlayerCount() == 0)
        return "there is no Human or H/C players in the mission";
    for (uint32_t i = 0; i < players_.GetCount(); ++i) {
        const CPlayerData& player = players_.GetAt(i);
        if (player.active && !player.capital)
            return "Capital is not set for player #" + std::to_string(i + 1);
    }

    const int provinceCount = provinces_.GetSize();
    switch (victory.kind) {
    case CVictoryCondsB::kDefeatPlayer:
        if (victory.DefeatPlayer > 254)
            return "DefeatPlayer is not defined in additional victory conditions";
        break;
    case CVictoryCondsB::kAccumulateArmy:
        if (Sum(victory.armyData.army) == 0)
            return "whole amount of units in additional victory conditions must be greater than 0";
        break;
    case CVictoryCondsB::kAccumulateResources:
        if (Sum(victory.resourcesData.resources) == 0)
            return "whole amount of resources in additional victory conditions must be greater than 0";
        break;
    case CVictoryCondsB::kCaptureProvince:
        if (victory.captureProvince >= provinceCount) // unset (255) included
            return "Province is not defined in additional victory conditions";
        break;
    default:
        break;
    }
    switch (lose.kind) {
    case CLoseCondsB::kLoseProvince:
        if (lose.province >= provinceCount) // unset (0xFFFF) included
            return "Province is not defined in additional lose conditions";
        break;
    case CLoseCondsB::kTimeExpires:
        if (lose.MaxTurnsToWin < 5)
            return "MaxTurnsToWin in additional lose conditions must be greater then 4";
        break;
    default:
        break;
    }

    const CStringTable* names = stringTables_.GetAt(currentStringTable_);
    for (int i = 0; i < provinceCount; ++i) {
        const CProvince& province = *provinces_.GetAt(i);
        if (!province.linked || !pieces_.GetAt(province.pieceIndex)) {
            const std::string name = names ? names->GetProvinceNameAt(i) : std::string();
            return "province #" + std::to_string(i + 1) + (name.empty() ? "" : " (" + name + ")") +
                   " does not lie on a piece of the world image";
        }
    }
    for (uint32_t i = 0; i < players_.GetCount(); ++i) {
        const CPlayerData& player = players_.GetAt(i);
        if (!player.active)
            continue;
        const std::string which = "Capital of player #" + std::to_string(i + 1);
        if (player.capital->owner != i)
            return which + " is not one of its provinces; choose a province the player owns as its capital";
        const CProvinceMap* piece = pieces_.GetAt(player.capital->pieceIndex);
        if (piece && piece->kind == CProvinceMap::kOcean)
            return which + " lies on the sea; choose a province on land as its capital";
    }
    return {};
}

// Whole-project operations shared by set-up, loading, the world analysis and
// the user interface.
#include "model/MapProject.h"

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

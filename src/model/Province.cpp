#include "model/Province.h"

#include <algorithm>

#include "model/MapProject.h"

CProvince::~CProvince()
{
    CList<CPlayerData>& players = project_->GetPlayers();
    for (uint32_t i = 0; i < players.GetCount(); ++i)
        if (players.GetAt(i).capital == this)
            players.GetAt(i).capital = nullptr;
}

template <typename T>
int CProvince::Store(T& field, T value)
{
    project_->StoreChange(field, value);
    return 1;
}

int CProvince::StoreBits(uint8_t& field, uint8_t mask, bool state)
{
    return Store(field, state ? uint8_t(field | mask) : uint8_t(field & ~mask));
}

int CProvince::SetCatapults(int n)
{
    if (n < 0 || n > 7)
        return 0;
    if (n > 4 && castle.Catapults() == n)
        return 1;
    castle.flags = uint8_t((castle.flags & ~CCastleDataB::kCatapultMask) | n << CCastleDataB::kCatapultShift);
    project_->SetModified();
    return 1;
}

int CProvince::SetCastleHP(int percent)
{
    if (percent < 0 || percent > 100)
        return 0;
    return Store(castle.hitPoints, uint8_t(percent));
}

int CProvince::SetCastleX(uint16_t x) { return Store(castleX, x); }
int CProvince::SetCastleY(uint16_t y) { return Store(castleY, y); }
int CProvince::SetArmyX(uint16_t x) { return Store(armyX, x); }
int CProvince::SetArmyY(uint16_t y) { return Store(armyY, y); }

int CProvince::SetResource(int i, int amount)
{
    if (i < 0 || i >= resources.GetSize() || amount < 0 || amount > 0xFF)
        return 0;
    return Store(resources[i], uint8_t(amount));
}

int CProvince::SetArmy(int i, uint32_t count)
{
    if (i < 0 || i >= army.GetSize())
        return 0;
    project_->StoreChange(army[i], count);
    const int counted = std::min(project_->GetUnitTypeCount(), army.GetSize());
    anyArmy = 0;
    for (int k = 0; k < counted; ++k)
        if (army[k] != 0)
            anyArmy = 1;
    return 1;
}

int CProvince::SetOwner(int newOwner)
{
    if (newOwner > 254)
        newOwner = kNoOwner;
    else if (newOwner < 0 || uint32_t(newOwner) >= project_->GetPlayers().GetCount())
        return 0;
    if (newOwner == owner)
        return 0;
    // A capital belongs to its owner: the old owner loses it with the province.
    if (CPlayerData* oldOwner = project_->GetPlayers().Lookup(owner); oldOwner && oldOwner->capital == this)
        oldOwner->SetCapital(nullptr);
    owner = uint8_t(newOwner);
    project_->SetModified();
    return 1;
}

#include "model/PlayerData.h"

#include "model/MapProject.h"

int CPlayerData::SetSkill(int i, int level)
{
    if (i < 0 || i >= kSkillCount || level < 0)
        return 0;
    int sum = level;
    for (int k = 0; k < kSkillCount; ++k)
        if (k != i)
            sum += skills[k];
    if (sum > kMaxSkillSum)
        return 0;
    skills[i] = uint8_t(level);
    project_->SetModified();
    return 1;
}

int CPlayerData::SetCapital(CProvince* province)
{
    return project_->StoreChange(capital, province);
}

int CPlayerData::SetAIType(uint8_t newControl)
{
    return project_->StoreChange(control, newControl);
}

int CPlayerData::SetUnitType(int slot, uint32_t unitType)
{
    if (slot < 0 || slot >= unitTypes.GetSize())
        return 0;
    if (uint8_t(unitTypes[slot]) == uint8_t(unitType))
        return 0;
    return project_->StoreChange(unitTypes[slot], unitType);
}

int CPlayerData::SetArmy(int i, uint32_t count)
{
    if (i < 0 || i >= army.GetSize())
        return 0;
    return project_->StoreChange(army[i], count);
}

int CPlayerData::SetTreasury(int i, int amount)
{
    if (i < 0 || i >= treasury.GetSize() || amount < 0 || amount > 0xFFFF)
        return 0;
    return project_->StoreChange(treasury[i], uint16_t(amount));
}

void CPlayerData::SetActive(uint32_t flag)
{
    project_->StoreChange(active, flag);
}

// Control byte c before → after, by the chosen text (AI = the value of the
// catalogue's first AI type):
//   "Human"             any → 0
//   "Computer"          0 → AI;  c >= 128 → c - 127;  1..127 unchanged
//   "Human & Computer"  0 → AI + 127;  1..127 → c + 127;  c >= 128 unchanged
// A computer player needs an AI type in 1..127; without one the change is refused.
int CPlayerData::SetPlayabilityText(std::string_view text)
{
    const int c = control;
    auto firstAIType = [this]() -> int {
        const CAbilityStruct* first = project_->GetAITypes().Lookup(0);
        return first && first->value >= 1 && first->value <= 127 ? first->value : -1;
    };
    int next;
    if (text == "Human") {
        next = kHuman;
    } else if (text == "Computer") {
        next = c == kHuman ? firstAIType() : c >= kHumanAndComputer ? c - 127 : c;
    } else if (text == "Human & Computer") {
        if (c == kHuman) {
            const int ai = firstAIType();
            next = ai < 0 ? -1 : ai + 127;
        } else {
            next = c < kHumanAndComputer ? c + 127 : c;
        }
    } else {
        return 0;
    }
    return next < 0 ? 0 : SetAIType(uint8_t(next));
}

void CPlayerData::ResetPlayer()
{
    active = 0;
    capital = nullptr;
    capitalIndex = kNoCapital;
    for (uint8_t& skill : skills)
        skill = 2;
    control = kHumanAndComputer;
    ability = 0;
    treasury.SetSize(0);
    unitTypes.SetSize(0);
    army.SetSize(0);
    unitNames.SetSize(0);
}

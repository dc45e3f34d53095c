#pragma once
// One player of the project: the handheld record part followed by what only
// the editor keeps. Setters compare before they store and mark the project
// modified only on a change; a refused value returns 0 and changes nothing.
#include <cstdint>
#include <string_view>

#include "model/SimpleArray.h"
#include "model/VKString.h"

class CMapProject;
class CProvince;

struct CPlayerDataB {
    // control: 0 Human; 1..127 Computer with that AI type; 128 and above
    // Human & Computer with AI type (control - 127).
    static constexpr uint8_t kHuman = 0;
    static constexpr uint8_t kHumanAndComputer = 128;
    static constexpr uint8_t kNoCapital = 255;
    static constexpr int kSkillCount = 3;
    static constexpr int kMaxSkillSum = 6;

    uint8_t number = 0; // the player's number in the exported mission
    uint8_t capitalIndex = kNoCapital; // index in the province list, filled only when saving
    uint8_t skills[kSkillCount] = {2, 2, 2};
    uint8_t control = kHumanAndComputer;
    uint8_t ability = 0; // the value of the chosen catalogue ability
    uint8_t reserved2 = 0;
    VK::CSimpleArray<VK::CString> unitNames; // one per unit type slot
    CDwordArray army;                        // campaign army, one count per unit type
    CWordArray treasury;                     // one amount per resource
};

class CPlayerData : public CPlayerDataB {
public:
    explicit CPlayerData(CMapProject& project) : project_(&project) {}

    // Refused when the three levels would sum to more than 6 (or the level is
    // negative). An equal level stores nothing but still marks the project
    // modified and returns 1.
    int SetSkill(int i, int level);
    int SetCapital(CProvince* province);
    int SetAIType(uint8_t newControl);
    // Compares only the low byte of the stored and the new unit type index.
    int SetUnitType(int slot, uint32_t unitType);
    int SetArmy(int i, uint32_t count);
    // Refused for an amount outside 0..65535.
    int SetTreasury(int i, int amount);
    // The amount of resource i; 0 for a resource the player has no entry for.
    uint16_t GetTreasury(int i) const { return i >= 0 && i < treasury.GetSize() ? treasury[i] : 0; }
    void SetActive(uint32_t flag);
    // "Human", "Computer" or "Human & Computer" onto the control byte, keeping
    // the AI type where the player has one; see the .cpp for the mapping.
    int SetPlayabilityText(std::string_view text);
    // Sizes the unit type slots, the campaign army and the unit names to n.
    int ResizeUnitTypes(int n) { return unitTypes.SetSize(n) && army.SetSize(n) && unitNames.SetSize(n); }
    // Back to the state of a player of an empty project.
    void ResetPlayer();

    CMapProject& GetProject() const { return *project_; }

    uint32_t active = 0;
    uint8_t P1 = 0;  // stored in the project file as is
    uint16_t P2 = 0; // stored in the project file as is
    CDwordArray unitTypes; // per slot: the index of the catalogue unit type chosen for it
    CProvince* capital = nullptr;

private:
    // A project that takes over the records of a loaded file re-points them.
    friend class CMapProject;
    CMapProject* project_;
};

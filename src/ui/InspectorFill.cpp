#include "ui/InspectorFill.h"

#include <algorithm>
#include <array>
#include <optional>

#include "inspector/rmLibraryText.h"
#include "model/MapProject.h"
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorRows.h"

namespace {

const InspectorKeyCatalogue& Keys()
{
    return InspectorKeys();
}

void SetText(TrmInspector& inspector, InspectorRow row, const std::string& windows1252)
{
    SetRowText(FindRow(inspector, row), InspectorText(windows1252));
}

// A combo row showing the entry of its own list at `index`.
void SetChoice(TrmInspector& inspector, InspectorRow row, size_t index)
{
    if (auto* combo = dynamic_cast<TrmComboInspectorItem*>(FindRow(inspector, row)))
        SetRowText(combo, ChoiceAt(combo->Items(), index));
}

std::string CountText(uint32_t count)
{
    return std::to_string(count);
}

} // namespace

const CStringTable* CurrentTable(const CMapProject& project)
{
    return project.GetStringTables().GetAt(project.GetCurrentStringTable());
}

CStringTable* CurrentTable(CMapProject& project)
{
    return project.GetStringTables().GetAt(project.GetCurrentStringTable());
}

void FillMissionInspector(const CMapProject& project, TrmInspector& inspector)
{
    if (const CStringTable* table = CurrentTable(project)) {
        SetText(inspector, InspectorRow::MisAuthor, table->GetAuthor());
        SetText(inspector, InspectorRow::MisAuthorNotes, table->GetAuthorNotes());
        SetText(inspector, InspectorRow::MisName, table->GetMissionName());
        SetText(inspector, InspectorRow::SDesc, table->GetShortDescription());
        SetText(inspector, InspectorRow::FDesc, table->GetFullDescription());
        SetText(inspector, InspectorRow::VictMsg, table->GetVictoryText());
        SetText(inspector, InspectorRow::DefeatMsg, table->GetDefeatText());
    }
    SetChoice(inspector, InspectorRow::Diff, project.difficulty);
    SetRowText(FindRow(inspector, InspectorRow::MaxExp), CountText(project.MaxExp));
    // An unset kind lies past every list and shows the empty text.
    SetChoice(inspector, InspectorRow::VConds, project.victory.kind);
    SetChoice(inspector, InspectorRow::LConds, project.lose.kind);
}

const std::string& PlayabilityText(uint8_t control)
{
    const auto choices = Keys().Choices(InspectorRow::Playab);
    if (control == CPlayerDataB::kHuman)
        return choices[0];
    return choices[control < CPlayerDataB::kHumanAndComputer ? 1 : 2];
}

int AITypeOf(uint8_t control)
{
    return control >= CPlayerDataB::kHumanAndComputer ? control - 127 : control;
}

std::vector<CProvince*> CapitalProvinces(const CMapProject& project, int player)
{
    std::vector<CProvince*> candidates;
    const CProvinceList& provinces = project.GetProvinces();
    for (int i = 0; i < provinces.GetSize(); ++i)
        if (CProvince* province = provinces.GetAt(i); province->linked && province->owner == player)
            candidates.push_back(province);
    return candidates;
}

std::vector<std::string> CapitalChoices(const CMapProject& project, int player)
{
    const CStringTable* table = CurrentTable(project);
    if (!table)
        return {};
    std::vector<std::string> choices{InspectorText(table->GetProvinceName(nullptr))};
    for (const CProvince* province : CapitalProvinces(project, player))
        choices.push_back(InspectorText(table->GetProvinceName(province)));
    return choices;
}

void ShowAITypeRow(const CMapProject& project, TrmInspector& inspector, const CPlayerData& player)
{
    TrmCustomInspectorItem* playability = FindRow(inspector, InspectorRow::Playab);
    if (!playability)
        return;
    if (player.control == CPlayerDataB::kHuman) {
        RemoveRow(inspector, Keys().Key(InspectorRow::PlType));
        return;
    }
    auto& row = EnsureRow<TrmComboInspectorItem>(inspector, playability->Node(), InspectorRow::PlType);
    playability->Node()->SetExpanded(true);
    std::vector<std::string> names;
    std::string shown;
    const CList<CAbilityStruct>& aiTypes = project.GetAITypes();
    for (uint32_t i = 0; i < aiTypes.GetCount(); ++i) {
        const CAbilityStruct& type = aiTypes.GetAt(i);
        names.push_back(InspectorText(type.name));
        if (shown.empty() && type.value == AITypeOf(player.control))
            shown = names.back();
    }
    SetRowChoices(row, std::move(names));
    SetRowText(&row, shown);
}

void FillCapitalRow(const CMapProject& project, TrmInspector& inspector, int player)
{
    auto* capital = dynamic_cast<TrmComboInspectorItem*>(FindRow(inspector, InspectorRow::Capital));
    const CPlayerData* data = player >= 0 && player < CMapProject::kPlayerCount
                                  ? project.GetPlayers().Lookup(uint32_t(player))
                                  : nullptr;
    const CStringTable* table = CurrentTable(project);
    if (!capital || !data || !table)
        return;
    SetRowChoices(*capital, CapitalChoices(project, player));
    // By position: a province may be named like the no-capital entry.
    const std::vector<CProvince*> candidates = CapitalProvinces(project, player);
    const auto at = std::find(candidates.begin(), candidates.end(), data->capital);
    if (!data->capital)
        capital->SetItemIndex(0);
    else if (at != candidates.end())
        capital->SetItemIndex(int(at - candidates.begin()) + 1);
    else
        SetRowText(capital, InspectorText(table->GetProvinceName(data->capital)));
}

std::optional<CProvince*> ChosenCapital(const CMapProject& project, int player, const TrmCustomInspectorItem& row)
{
    const std::vector<std::string> choices = CapitalChoices(project, player);
    const std::string& chosen = row.AsString();
    // The position tells apart entries that read alike, as long as it still shows the chosen name.
    int at = ChoicePosition(row);
    if (at < 0 || size_t(at) >= choices.size() || choices[size_t(at)] != chosen)
        at = int(std::find(choices.begin(), choices.end(), chosen) - choices.begin());
    if (size_t(at) >= choices.size())
        return std::nullopt;
    return at == 0 ? nullptr : CapitalProvinces(project, player)[size_t(at - 1)];
}

void FillPlayerInspector(const CMapProject& project, TrmInspector& inspector, int player)
{
    const CPlayerData* data = player >= 0 && player < CMapProject::kPlayerCount
                                  ? project.GetPlayers().Lookup(uint32_t(player))
                                  : nullptr;
    const CStringTable* table = CurrentTable(project);
    if (!data || !table)
        return;
    SetRowText(FindRow(inspector, InspectorRow::Active), BoolToStr(data->active != 0));
    SetText(inspector, InspectorRow::Name, table->GetPlayerName(player));
    for (int i = 0; i < CPlayerDataB::kSkillCount; ++i)
        SetRowText(inspector, FormatIndexedKey(IndexedKey::Skill, i), CountText(data->skills[i]));
    // The ability is shown by its value, which is what the change handler stores.
    SetText(inspector, InspectorRow::Abil, project.GetAbilityName(data->ability));
    FillCapitalRow(project, inspector, player);
    SetRowText(FindRow(inspector, InspectorRow::Playab), PlayabilityText(data->control));
    ShowAITypeRow(project, inspector, *data);
    for (int r = 0; r < data->treasury.GetSize(); ++r)
        SetRowText(inspector, FormatIndexedKey(IndexedKey::PlayerResource, r), CountText(data->GetTreasury(r)));
    const int unitTypes = std::min(project.GetUnitTypeCount(), std::min(data->unitTypes.GetSize(), data->army.GetSize()));
    for (int u = 0; u < unitTypes; ++u) {
        const std::string unitName = InspectorText(table->GetUnitName(int(data->unitTypes[u])));
        SetRowText(inspector, FormatIndexedKey(IndexedKey::Unit, u), unitName);
        if (TrmCustomInspectorItem* army = FindRow(inspector, FormatIndexedKey(IndexedKey::Army, u))) {
            SetRowText(army, CountText(data->army[u]));
            SetRowCaption(*army, unitName);
        }
    }
}

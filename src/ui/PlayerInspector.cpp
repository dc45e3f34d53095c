#include "ui/PlayerInspector.h"

#include <limits>
#include <optional>
#include <string>

#include "model/MapProject.h"
#include "ui/InspectorFill.h"
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorRows.h"

namespace {

constexpr int kNameLength = 21;
constexpr int kMaxTreasury = 0xFFFF;
constexpr int kMaxArmy = std::numeric_limits<int32_t>::max();

// A parent row that shows its children.
template <class T>
TrmTreeNonViewNode* ExpandedParent(TrmInspector& inspector, InspectorRow row)
{
    TrmTreeNonViewNode* node = EnsureRow<T>(inspector, nullptr, row).Node();
    node->SetExpanded(true);
    return node;
}

TrmSafeIntegerInspectorItem& CountRow(TrmInspector& inspector, TrmTreeNonViewNode* parent, IndexedKey kind,
                                      int index, const std::string& caption, int maxValue)
{
    auto& row = EnsureRow<TrmSafeIntegerInspectorItem>(inspector, parent, FormatIndexedKey(kind, index), caption);
    row.SetMaxValue(maxValue);
    return row;
}

// The value of the first catalogue entry (ability or AI type) named `name`.
std::optional<int32_t> ValueNamed(const CList<CAbilityStruct>& list, const std::string& name)
{
    for (uint32_t i = 0; i < list.GetCount(); ++i)
        if (list.GetAt(i).name == name)
            return list.GetAt(i).value;
    return std::nullopt;
}

// The row's whole number, when it holds one that fits 0..maxValue.
std::optional<int> RowCount(const TrmCustomInspectorItem& row, int64_t maxValue)
{
    int64_t value = 0;
    if (!RowInteger(row, value) || value < 0 || value > maxValue)
        return std::nullopt;
    return int(value);
}

} // namespace

void BuildPlayerRows(const CMapProject& project, TrmInspector& inspector)
{
    const CStringTable* table = CurrentTable(project);
    if (!table)
        return;
    EnsureRow<TrmCheckBoxInspectorItem>(inspector, nullptr, InspectorRow::Active);
    EnsureRow<TrmStringInspectorItem>(inspector, nullptr, InspectorRow::Name).SetMaxLength(kNameLength);
    TrmTreeNonViewNode* skills = ExpandedParent<TrmNodeInspectorItem>(inspector, InspectorRow::Skills);
    for (int i = 0; i < CPlayerDataB::kSkillCount; ++i)
        CountRow(inspector, skills, IndexedKey::Skill, i, InspectorText(table->GetSkillName(i)), 255);

    std::vector<std::string> abilities;
    for (uint32_t i = 0; i < project.GetAbilities().GetCount(); ++i)
        abilities.push_back(InspectorText(project.GetAbilities().GetAt(i).name));
    SetRowChoices(EnsureRow<TrmComboInspectorItem>(inspector, nullptr, InspectorRow::Abil), std::move(abilities));
    EnsureRow<TrmComboInspectorItem>(inspector, nullptr, InspectorRow::Capital);
    SetRowChoices(EnsureRow<TrmComboInspectorItem>(inspector, nullptr, InspectorRow::Playab),
                  CatalogueChoices(InspectorRow::Playab));

    TrmTreeNonViewNode* treasury = ExpandedParent<TrmNodeInspectorItem>(inspector, InspectorRow::ResT);
    for (int r = 0; r < project.resources; ++r)
        CountRow(inspector, treasury, IndexedKey::PlayerResource, r, InspectorText(table->GetResourceName(r)),
                 kMaxTreasury);

    TrmTreeNonViewNode* units = ExpandedParent<TrmBlankInspectorItem>(inspector, InspectorRow::UnitT);
    std::vector<std::string> nonStandard;
    for (int u = project.standardUnitTypes; u < project.unitTypesRead; ++u)
        nonStandard.push_back(InspectorText(table->GetUnitName(u)));
    for (int u = 0; u < project.GetUnitTypeCount(); ++u) {
        const std::string key = FormatIndexedKey(IndexedKey::Unit, u);
        if (u < project.standardUnitTypes)
            EnsureRow<TrmBlankInspectorItem>(inspector, units, key, DefaultUnitCaption(u));
        else
            SetRowChoices(EnsureRow<TrmComboInspectorItem>(inspector, units, key, DefaultUnitCaption(u)), nonStandard);
    }

    TrmTreeNonViewNode* army = ExpandedParent<TrmNodeInspectorItem>(inspector, InspectorRow::CampaignArmy);
    for (int u = 0; u < project.GetUnitTypeCount(); ++u)
        CountRow(inspector, army, IndexedKey::Army, u, DefaultUnitCaption(u), kMaxArmy);
}

PlayerRowChange ApplyPlayerRow(CMapProject& project, TrmInspector& inspector, int player, TrmCustomInspectorItem& row)
{
    CPlayerData* data = player >= 0 && player < CMapProject::kPlayerCount
                            ? project.GetPlayers().Lookup(uint32_t(player))
                            : nullptr;
    CStringTable* table = CurrentTable(project);
    if (!data || !table || row.Name().empty())
        return PlayerRowChange::None;
    const std::string& key = row.Name();
    const std::string text = ModelText(row.AsString());
    const auto is = [&key](InspectorRow which) { return key == InspectorKeys().Key(which); };

    if (is(InspectorRow::Name)) {
        const std::string old = table->GetPlayerName(player);
        if (!text.empty() && table->SetPlayerName(player, text)) {
            SetRowText(&row, InspectorText(table->GetPlayerName(player))); // as stored
            return PlayerRowChange::Name;
        }
        SetRowText(&row, InspectorText(old));
        return text.empty() || text == old ? PlayerRowChange::None : PlayerRowChange::NameTaken;
    }
    if (is(InspectorRow::Active))
        return PlayerRowChange::Active;
    if (const std::optional<int> i = ParseIndexedKey(IndexedKey::Skill, key)) {
        const std::optional<int> level = RowCount(row, CPlayerDataB::kMaxSkillSum);
        const bool stored = level && *i < CPlayerDataB::kSkillCount && data->SetSkill(*i, *level);
        if (*i < CPlayerDataB::kSkillCount)
            SetRowText(&row, std::to_string(data->skills[*i]));
        return stored ? PlayerRowChange::Skills : PlayerRowChange::None;
    }
    if (is(InspectorRow::Capital)) {
        const std::optional<CProvince*> capital = ChosenCapital(project, player, row);
        if (!capital) {
            FillCapitalRow(project, inspector, player);
            return PlayerRowChange::None;
        }
        project.SetPlayerCapital(player, *capital);
        return PlayerRowChange::Capital;
    }
    if (is(InspectorRow::Playab)) {
        data->SetPlayabilityText(text);
        SetRowText(&row, PlayabilityText(data->control));
        ShowAITypeRow(project, inspector, *data);
        return PlayerRowChange::Playability;
    }
    if (is(InspectorRow::Abil)) {
        const std::optional<int32_t> value = ValueNamed(project.GetAbilities(), text);
        return value && project.StoreChange(data->ability, uint8_t(*value)) ? PlayerRowChange::Other
                                                                             : PlayerRowChange::None;
    }
    if (is(InspectorRow::PlType)) {
        // Id 0 is the human player's control byte: an AI type without a usable id is refused.
        const std::optional<int32_t> id = ValueNamed(project.GetAITypes(), text);
        const bool usable = id && *id >= 1 && *id < CPlayerDataB::kHumanAndComputer;
        const bool stored =
            usable && data->SetAIType(uint8_t(data->control >= CPlayerDataB::kHumanAndComputer ? *id + 127 : *id));
        if (!usable)
            ShowAITypeRow(project, inspector, *data);
        return stored ? PlayerRowChange::Other : PlayerRowChange::None;
    }
    if (const std::optional<int> u = ParseIndexedKey(IndexedKey::Unit, key)) {
        const uint8_t unit = table->FindUnitName(text);
        if (unit == CStringTable::kNotFound || !data->SetUnitType(*u, unit))
            return PlayerRowChange::None;
        if (TrmCustomInspectorItem* army = FindRow(inspector, FormatIndexedKey(IndexedKey::Army, *u)))
            SetRowCaption(*army, row.AsString());
        return PlayerRowChange::Other;
    }
    if (const std::optional<int> r = ParseIndexedKey(IndexedKey::PlayerResource, key)) {
        const std::optional<int> amount = RowCount(row, kMaxTreasury);
        return amount && data->SetTreasury(*r, *amount) ? PlayerRowChange::Other : PlayerRowChange::None;
    }
    if (const std::optional<int> u = ParseIndexedKey(IndexedKey::Army, key)) {
        const std::optional<int> count = RowCount(row, kMaxArmy);
        return count && data->SetArmy(*u, uint32_t(*count)) ? PlayerRowChange::Other : PlayerRowChange::None;
    }
    return PlayerRowChange::None;
}

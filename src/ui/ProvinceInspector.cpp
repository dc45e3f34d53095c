#include "ui/ProvinceInspector.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/MapProject.h"
#include "ui/InspectorFill.h"
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorRows.h"

namespace {

constexpr int kMaxArmy = std::numeric_limits<int32_t>::max();
constexpr int kHitPointsPerLevel = 25;
// The longest province name: what the change handler takes from the row.
constexpr int kNameLength = 100;

const std::string& Key(InspectorRow row)
{
    return InspectorKeys().Key(row);
}

const std::string& General(GeneralText text)
{
    return InspectorKeys().Text(text);
}

// The value every selected province has; nothing when they differ or none is selected.
template <class Value>
std::optional<Value> Common(const CSelect& selection, const std::function<Value(const CProvince&)>& get)
{
    std::optional<Value> common;
    for (int i = 0; i < selection.Count(); ++i) {
        const Value value = get(*selection.GetAt(i));
        if (common && *common != value)
            return std::nullopt;
        common = value;
    }
    return common;
}

std::optional<bool> CommonBit(const CSelect& selection, uint8_t CCastleDataB::*field, uint8_t mask)
{
    return Common<bool>(selection, [=](const CProvince& p) { return (p.castle.*field & mask) != 0; });
}

std::string CountText(const std::optional<uint32_t>& count)
{
    return count ? std::to_string(*count) : std::string();
}

// The three-state rows of the castle: key, the field and bit they show.
struct CastleBitRow {
    InspectorRow row;
    uint8_t CCastleDataB::*field;
    uint8_t mask;
};

constexpr CastleBitRow kCastleBits[] = {
    {InspectorRow::Castle, &CCastleDataB::flags, CCastleDataB::kCastle},
    {InspectorRow::CastMoat, &CCastleDataB::flags, CCastleDataB::kMoat},
    {InspectorRow::CastWalls, &CCastleDataB::flags, CCastleDataB::kWalls},
    {InspectorRow::CastMar, &CCastleDataB::buildings, CCastleDataB::kMarket},
    {InspectorRow::CastBan, &CCastleDataB::buildings, CCastleDataB::kBank},
    {InspectorRow::CastTav, &CCastleDataB::buildings, CCastleDataB::kTavern},
    {InspectorRow::CastMetlMine, &CCastleDataB::buildings, CCastleDataB::kMetalMine},
    {InspectorRow::CastStonMine, &CCastleDataB::buildings, CCastleDataB::kStoneMine},
};

// The castle's sub-rows in the order they are shown (the tavern has none).
constexpr InspectorRow kCastleSubRows[] = {
    InspectorRow::CastHP,  InspectorRow::CastMoat,     InspectorRow::CastWalls,    InspectorRow::CastCat,
    InspectorRow::CastMar, InspectorRow::CastBan, InspectorRow::CastMetlMine, InspectorRow::CastStonMine,
};

const CastleBitRow* BitRowOf(const std::string& key)
{
    for (const CastleBitRow& bit : kCastleBits)
        if (key == Key(bit.row))
            return &bit;
    return nullptr;
}

TCBExState StateOf(const std::optional<bool>& value)
{
    return !value ? cbxUndefined : *value ? cbxTrue : cbxFalse;
}

TrmCheckBoxExInspectorItem& ThreeStateRow(TrmInspector& inspector, TrmTreeNonViewNode* parent, InspectorRow row,
                                          GeneralText trueText, GeneralText falseText)
{
    auto& item = EnsureRow<TrmCheckBoxExInspectorItem>(inspector, parent, row);
    item.Strings().SetTrueState(General(trueText));
    item.Strings().SetFalseState(General(falseText));
    item.Strings().SetUndefined(General(GeneralText::Undefined));
    return item;
}

// The keys of a row's children, in order.
std::vector<std::string> ChildKeys(const TrmTreeNonViewNode* node)
{
    std::vector<std::string> keys;
    for (int i = 0; node && i < node->Count(); ++i)
        if (const auto* item = static_cast<const TrmCustomInspectorItem*>(node->Item(i)->Data()))
            keys.push_back(item->Name());
    return keys;
}

std::vector<std::string> RootKeys(const TrmInspector& inspector)
{
    std::vector<std::string> keys;
    for (const TrmTreeNonViewNode* node = inspector.Items().Items().GetFirstNode(); node; node = node->GetNextSibling())
        if (const auto* item = static_cast<const TrmCustomInspectorItem*>(node->Data()))
            keys.push_back(item->Name());
    return keys;
}

// Makes the children of `parent` exactly `keys` (kept when they are already).
void KeepChildrenExactly(TrmInspector& inspector, TrmCustomInspectorItem& parent, const std::vector<std::string>& keys)
{
    if (ChildKeys(parent.Node()) != keys)
        RemoveChildRows(inspector, parent);
}

// The number rows under a node: one per index, captioned, with a range, showing a common count.
void ShowCountRows(TrmInspector& inspector, InspectorRow node, IndexedKey kind, int count,
                   const std::function<std::string(int)>& caption, const std::function<int(int)>& minValue,
                   const std::function<int(int)>& maxValue, const std::function<std::optional<uint32_t>(int)>& value)
{
    auto& parent = EnsureRow<TrmNodeInspectorItem>(inspector, nullptr, node);
    std::vector<std::string> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back(FormatIndexedKey(kind, i));
    KeepChildrenExactly(inspector, parent, keys);
    for (int i = 0; i < count; ++i) {
        auto& row = EnsureRow<TrmSafeIntegerInspectorItem>(inspector, parent.Node(), keys[size_t(i)], caption(i));
        row.SetMaxValue(maxValue(i));
        row.SetMinValue(minValue(i));
        SetRowText(&row, CountText(value(i)));
    }
    parent.Node()->SetExpanded(true);
}

void ShowCastleRows(TrmInspector& inspector, const CSelect& selection)
{
    auto& castle = ThreeStateRow(inspector, nullptr, InspectorRow::Castle, GeneralText::Present, GeneralText::NotPresent);
    const std::optional<bool> present = CommonBit(selection, &CCastleDataB::flags, CCastleDataB::kCastle);
    SetRowText(&castle, castle.Strings().Text(StateOf(present)));
    if (present == false) {
        RemoveChildRows(inspector, castle);
        return;
    }
    std::vector<std::string> keys;
    for (InspectorRow row : kCastleSubRows)
        keys.push_back(Key(row));
    KeepChildrenExactly(inspector, castle, keys);
    for (InspectorRow row : kCastleSubRows) {
        if (row == InspectorRow::CastHP) {
            auto& hp = EnsureRow<TrmComboInspectorItem>(inspector, castle.Node(), row);
            SetRowChoices(hp, CatalogueChoices(row));
            const auto percent = Common<uint32_t>(selection, [](const CProvince& p) { return p.castle.hitPoints; });
            SetRowText(&hp, percent ? std::to_string(*percent) + "%" : std::string());
        } else if (row == InspectorRow::CastCat) {
            auto& catapults = EnsureRow<TrmComboInspectorItem>(inspector, castle.Node(), row);
            const auto choices = CatapultChoices();
            SetRowChoices(catapults, {choices.begin(), choices.end()});
            const auto count = Common<uint32_t>(selection, [](const CProvince& p) { return p.castle.Catapults(); });
            SetRowText(&catapults, count ? ChoiceAt(catapults.Items(), *count) : std::string());
        } else {
            const CastleBitRow& bit = *BitRowOf(Key(row));
            auto& item = ThreeStateRow(inspector, castle.Node(), row, GeneralText::True, GeneralText::False);
            SetRowText(&item, item.Strings().Text(StateOf(CommonBit(selection, bit.field, bit.mask))));
        }
    }
    castle.Node()->SetExpanded(true);
}

// Every selected province, as the setters want them.
void ForEachSelected(const CSelect& selection, const std::function<void(CProvince&)>& apply)
{
    for (int i = 0; i < selection.Count(); ++i)
        apply(*selection.GetAt(i));
}

void SetOwner(CMapProject& project, const CSelect& selection, int owner)
{
    const CStringTable* table = CurrentTable(project);
    ForEachSelected(selection, [&](CProvince& province) {
        // A capital changing hands gets back the castle it had before it became one.
        if (const CPlayerData* old = project.GetPlayers().Lookup(province.owner); old && old->capital == &province)
            project.SetPlayerCapital(province.owner, nullptr);
        if (!province.SetOwner(owner))
            return;
        if (province.linked)
            project.UpdateProvinceMapPicture(province.pieceIndex);
        project.ProjectViews().SetProvinceRowOwner(province, table ? table->GetPlayerName(province.owner) : "none");
    });
}

} // namespace

void FillProvinceInspector(const CMapProject& project, const CSelect& selection, TrmInspector& inspector)
{
    const CStringTable* table = CurrentTable(project);
    if (selection.Count() == 0 || !table) {
        ClearInspector(inspector);
        return;
    }
    const std::optional<uint8_t> owner = Common<uint8_t>(selection, [](const CProvince& p) { return p.owner; });
    std::vector<std::string> roots;
    if (selection.Count() == 1)
        roots.push_back(Key(InspectorRow::ProvName));
    roots.push_back(Key(InspectorRow::Owner));
    roots.push_back(Key(InspectorRow::Resour));
    if (owner)
        roots.push_back(Key(InspectorRow::GuardianArmy));
    roots.push_back(Key(InspectorRow::Castle));
    // Rows are only ever appended: when the rows on top change, all are built
    // anew, and the row that was selected is selected again.
    std::string reselect;
    if (RootKeys(inspector) != roots) {
        if (const TrmCustomInspectorItem* current = inspector.GetCurrentInspectorItem())
            reselect = current->Name();
        ClearInspector(inspector);
    }

    if (selection.Count() == 1) {
        auto& name = EnsureRow<TrmStringInspectorItem>(inspector, nullptr, InspectorRow::ProvName);
        name.SetMaxLength(kNameLength);
        SetRowText(&name, InspectorText(table->GetProvinceName(selection.GetAt(0))));
    }
    auto& ownerRow = EnsureRow<TrmComboInspectorItem>(inspector, nullptr, InspectorRow::Owner);
    std::vector<std::string> owners{InspectorText(table->GetPlayerName(CProvinceB::kNoOwner))};
    for (int p = 0; p < CMapProject::kPlayerCount; ++p)
        owners.push_back(InspectorText(table->GetPlayerName(p)));
    SetRowChoices(ownerRow, std::move(owners));
    // By position: a player may be named like the no-owner entry. Mixed owners show nothing.
    ownerRow.SetItemIndex(!owner ? -1 : *owner == CProvinceB::kNoOwner ? 0 : *owner + 1);

    ShowCountRows(
        inspector, InspectorRow::Resour, IndexedKey::ProvinceResource, project.resources,
        [table](int r) { return InspectorText(table->GetResourceName(r)); },
        [&project](int r) { return int(project.GetResourceMin(r)); },
        [&project](int r) { return int(project.GetResourceMax(r)); },
        [&selection](int r) {
            return Common<uint32_t>(selection, [r](const CProvince& p) {
                return r < p.resources.GetSize() ? uint32_t(p.resources[r]) : 0u;
            });
        });
    if (owner)
        ShowCountRows(
            inspector, InspectorRow::GuardianArmy, IndexedKey::Army, project.GetUnitTypeCount(),
            [table](int u) { return InspectorText(table->GetUnitName(u)); }, [](int) { return 0; },
            [](int) { return kMaxArmy; },
            [&selection](int u) {
                return Common<uint32_t>(selection, [u](const CProvince& p) {
                    return u < p.army.GetSize() ? p.army[u] : 0u;
                });
            });
    ShowCastleRows(inspector, selection);
    if (TrmCustomInspectorItem* row = reselect.empty() ? nullptr : FindRow(inspector, reselect))
        inspector.SetItemIndex(inspector.VisibileItemIndex(row));
}

ProvinceRowChange ApplyProvinceRow(CMapProject& project, const CSelect& selection, const TrmCustomInspectorItem& row)
{
    CStringTable* table = CurrentTable(project);
    if (!table || row.Name().empty() || selection.Count() == 0)
        return ProvinceRowChange::None;
    const std::string& key = row.Name();
    const std::string text = ModelText(row.AsString());

    if (const CastleBitRow* bit = BitRowOf(key)) {
        const auto* box = dynamic_cast<const TrmCheckBoxExInspectorItem*>(&row);
        if (!box || box->State() == cbxUndefined)
            return ProvinceRowChange::None;
        const bool on = box->State() == cbxTrue;
        ForEachSelected(selection, [&](CProvince& province) {
            if (bit->field == &CCastleDataB::buildings) {
                province.SetFlag(bit->mask, on);
            } else if (bit->mask == CCastleDataB::kCastle) {
                province.SetCastle(on);
                project.SetCastleIcon(&province, on ? 1 : 0);
            } else if (bit->mask == CCastleDataB::kMoat) {
                province.SetMoat(on);
            } else {
                province.SetWalls(on);
            }
        });
        return bit->mask == CCastleDataB::kCastle && bit->field == &CCastleDataB::flags ? ProvinceRowChange::Castle
                                                                                       : ProvinceRowChange::Other;
    }
    if (key == Key(InspectorRow::ProvName)) {
        if (selection.Count() != 1 || text.empty() || text == table->GetProvinceName(selection.GetAt(0)))
            return ProvinceRowChange::None;
        return table->SetProvinceName(selection.GetAt(0), text) ? ProvinceRowChange::Name
                                                                : ProvinceRowChange::NameTaken;
    }
    // Choices by position: the first is no owner (no catapult), whatever a player is called.
    const int position = ChoicePosition(row);
    if (key == Key(InspectorRow::Owner)) {
        if (position < 0 || position > CMapProject::kPlayerCount)
            return ProvinceRowChange::None;
        SetOwner(project, selection, position == 0 ? CProvinceB::kNoOwner : position - 1);
        return ProvinceRowChange::Owner;
    }
    if (key == Key(InspectorRow::CastHP)) {
        if (position >= 0)
            ForEachSelected(selection, [&](CProvince& p) { p.SetCastleHP(position * kHitPointsPerLevel); });
        return position >= 0 ? ProvinceRowChange::Other : ProvinceRowChange::None;
    }
    if (key == Key(InspectorRow::CastCat)) {
        if (position >= 0)
            ForEachSelected(selection, [&](CProvince& p) { p.SetCatapults(position); });
        return position >= 0 ? ProvinceRowChange::Other : ProvinceRowChange::None;
    }
    int64_t value = 0;
    const bool number = RowInteger(row, value) && value >= 0 && value <= kMaxArmy;
    if (const std::optional<int> u = ParseIndexedKey(IndexedKey::Army, key)) {
        if (number)
            ForEachSelected(selection, [&](CProvince& p) { p.SetArmy(*u, uint32_t(value)); });
        return number ? ProvinceRowChange::Other : ProvinceRowChange::None;
    }
    if (const std::optional<int> r = ParseIndexedKey(IndexedKey::ProvinceResource, key)) {
        if (number)
            ForEachSelected(selection, [&](CProvince& p) { p.SetResource(*r, int(value)); });
        return number ? ProvinceRowChange::Other : ProvinceRowChange::None;
    }
    return ProvinceRowChange::None;
}

#include "world/MissionRecord.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

namespace {

constexpr uint8_t kNone = 255;

// Project player index -> number in the exported file (kNone: not exported).
using PlayerNumbers = std::array<uint8_t, CMapProject::kPlayerCount>;

// `to` becomes the first `count` elements of `from`, padded with zeros.
template <typename T>
bool CopyPadded(const VK::CSimpleArray<T>& from, VK::CSimpleArray<T>& to, int count)
{
    if (!to.SetSize(count))
        return false;
    for (int i = 0; i < count; ++i)
        to[i] = i < from.GetSize() ? from[i] : T{};
    return true;
}

uint8_t ExportedPlayer(const PlayerNumbers& numbers, uint32_t projectPlayer)
{
    return projectPlayer < numbers.size() ? numbers[projectPlayer] : kNone;
}

// Checks that a count fits the byte the stored form gives it.
bool FitsByte(int count, const char* what, std::string& error)
{
    if (count <= 0xFF)
        return true;
    error = "The mission has " + std::to_string(count) + " " + what + "; the handheld file holds at most 255";
    return false;
}

class MissionRecordBuilder {
public:
    MissionRecordBuilder(const CMapProject& project, CMapProjectB& record, std::string& error)
        : project_(project), record_(record), error_(error)
    {
    }

    bool Build()
    {
        table_ = project_.GetStringTables().GetAt(project_.GetCurrentStringTable());
        if (!table_)
            return Fail("The project has no string table for its texts");
        resources_ = project_.resources;
        unitTypes_ = project_.GetUnitTypeCount();
        if (resources_ > CMapProject::kMaxResources)
            return Fail("The catalogue names " + std::to_string(resources_) + " resources; the mission holds at most " +
                        std::to_string(CMapProject::kMaxResources));
        if (!FitsByte(unitTypes_, "unit types", error_) ||
            !FitsByte(project_.GetProvinces().GetSize(), "provinces", error_) ||
            !FitsByte(project_.GetEvents().GetActiveCount(), "enabled events", error_))
            return false;

        record_.creatorId = project_.creatorId;
        record_.MaxExp = project_.MaxExp;
        record_.unitTypeCount = uint8_t(unitTypes_);
        if (!record_.resourceNames.SetSize(resources_))
            return OutOfMemory();
        for (int i = 0; i < resources_; ++i)
            record_.resourceNames[i].Assign(ResourceKey(table_->GetResourceName(i)).c_str());

        return AddPlayers() && CopyConditions() && AddProvinces() && AddEvents();
    }

private:
    bool Fail(std::string message)
    {
        error_ = std::move(message);
        return false;
    }
    bool OutOfMemory() { return Fail("Not enough memory for the mission record"); }

    bool AddPlayers()
    {
        numbers_.fill(kNone);
        const CList<CPlayerData>& players = project_.GetPlayers();
        const uint32_t count = std::min<uint32_t>(players.GetCount(), CMapProject::kPlayerCount);
        if (!record_.playerRecords.SetSize(project_.CountActivePlayers()))
            return OutOfMemory();
        int next = 0;
        for (uint32_t i = 0; i < count; ++i) {
            const CPlayerData& player = players.GetAt(i);
            if (!player.active || next >= record_.playerRecords.GetSize())
                continue;
            const int index = next++;
            numbers_[i] = uint8_t(index);
            CPlayerDataB& out = record_.playerRecords[index];
            out.number = uint8_t(index);
            out.capitalIndex = project_.GetProvinces().IndexOf(player.capital);
            std::copy(std::begin(player.skills), std::end(player.skills), out.skills);
            out.control = player.control;
            out.ability = player.ability;
            if (!CopyPadded(player.army, out.army, unitTypes_) || !out.unitNames.SetSize(unitTypes_) ||
                !CopyPadded(player.treasury, out.treasury, resources_))
                return OutOfMemory();
            for (int slot = 0; slot < unitTypes_; ++slot) {
                // A slot without a unit type, or one outside the names' table, has an empty name.
                const uint32_t unitType = slot < player.unitTypes.GetSize() ? player.unitTypes[slot] : UINT32_MAX;
                const int name = unitType < uint32_t(CStringTable::kUnitNames) ? int(unitType) : -1;
                out.unitNames[slot].Assign(table_->GetUnitName(name).c_str());
            }
        }
        return true;
    }

    bool CopyConditions()
    {
        const CVictoryCondsB& victory = project_.victory;
        CVictoryCondsB& out = record_.victory;
        out.kind = victory.kind;
        out.defeatAlly = victory.defeatAlly;
        out.DefeatPlayer = ExportedPlayer(numbers_, victory.DefeatPlayer);
        out.armyData.defeatAllowed = victory.armyData.defeatAllowed;
        out.armyData.computerToo = victory.armyData.computerToo;
        out.resourcesData.defeatAllowed = victory.resourcesData.defeatAllowed;
        out.resourcesData.computerToo = victory.resourcesData.computerToo;
        out.captureProvince = victory.captureProvince;
        record_.lose = project_.lose;
        return (CopyPadded(victory.armyData.army, out.armyData.army, unitTypes_) &&
                CopyPadded(victory.resourcesData.resources, out.resourcesData.resources, resources_)) ||
               OutOfMemory();
    }

    bool AddProvinces()
    {
        const CProvinceList& provinces = project_.GetProvinces();
        if (!record_.provinceRecords.SetSize(provinces.GetSize()))
            return OutOfMemory();
        for (int i = 0; i < provinces.GetSize(); ++i) {
            const CProvince& province = *provinces.GetAt(i);
            const CProvinceMap* piece = project_.GetPieces().GetAt(province.pieceIndex);
            if (!piece)
                return Fail("Province " + std::to_string(i + 1) + " (" + table_->GetProvinceNameAt(i) +
                            ") has no piece of the world image; link it to a piece or delete it");
            CProvinceB& out = record_.provinceRecords[i];
            out.owner = ExportedPlayer(numbers_, province.owner);
            out.castle = province.castle;
            const int16_t bounds[4] = {piece->left, piece->top, piece->right, piece->bottom};
            std::copy(std::begin(bounds), std::end(bounds), out.bounds);
            out.castleX = uint16_t(province.castleX + piece->left);
            out.castleY = uint16_t(province.castleY + piece->top);
            out.armyX = uint16_t(province.armyX + piece->left);
            out.armyY = uint16_t(province.armyY + piece->top);
            if (!CopyPadded(province.resources, out.resources, resources_) ||
                !CopyPadded(province.army, out.army, unitTypes_) || !FillNeighbours(*piece, out.neighbours))
                return OutOfMemory();
            out.anyArmy = std::any_of(out.army.GetData(), out.army.GetData() + unitTypes_,
                                      [](uint32_t count) { return count != 0; });
        }
        return true;
    }

    // The provinces of the piece's neighbouring pieces, each once, highest index first.
    bool FillNeighbours(const CProvinceMap& piece, CByteArray& out) const
    {
        std::vector<uint8_t> indices;
        for (int i = 0; i < piece.neighbours.GetSize(); ++i)
            if (const CProvince* province = project_.FindProvinceByPiece(piece.neighbours[i]))
                indices.push_back(project_.GetProvinces().IndexOf(province));
        std::sort(indices.begin(), indices.end(), std::greater<>());
        indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
        if (!out.SetSize(int(indices.size())))
            return false;
        std::copy(indices.begin(), indices.end(), out.GetData());
        return true;
    }

    bool AddEvents()
    {
        const CEventList& events = project_.GetEvents();
        const int players = record_.playerRecords.GetSize();
        for (int i = 0; i < events.GetCount(); ++i) {
            const CEvent& event = *events.GetEvent(i);
            if (!event.enabled)
                continue;
            const int index = record_.eventRecords.GetSize();
            if (!record_.eventRecords.SetSize(index + 1))
                return OutOfMemory();
            CEventB& out = record_.eventRecords[index];
            out.turn = event.turn;
            out.effect = event.effect;
            if (!out.players.SetSize(players) ||
                !CopyPadded(event.resData.increase, out.resData.increase, resources_) ||
                !CopyPadded(event.resData.decrease, out.resData.decrease, resources_))
                return OutOfMemory();
            // An event that is set to affect players and ticks at least one of
            // them affects the exported players it ticks; any other event (a new
            // one has nothing ticked) affects every exported player.
            const uint8_t* ticks = event.players.GetData();
            const bool chosen = event.affectsPlayers && std::any_of(ticks, ticks + event.players.GetSize(),
                                                                    [](uint8_t tick) { return tick != 0; });
            for (size_t projectPlayer = 0; projectPlayer < numbers_.size(); ++projectPlayer) {
                const uint8_t number = numbers_[projectPlayer];
                if (number == kNone)
                    continue;
                const bool ticked = int(projectPlayer) < event.players.GetSize() && ticks[projectPlayer] != 0;
                out.players[number] = !chosen || ticked ? 1 : 0;
            }
        }
        return true;
    }

    const CMapProject& project_;
    CMapProjectB& record_;
    std::string& error_;
    const CStringTable* table_ = nullptr;
    int resources_ = 0;
    int unitTypes_ = 0;
    PlayerNumbers numbers_{};
};

} // namespace

std::string ResourceKey(const std::string& name, size_t length)
{
    return platform::LowerAscii(std::string_view(name).substr(0, length));
}

bool BuildMissionRecord(const CMapProject& project, CMapProjectB& record, std::string& error)
{
    return MissionRecordBuilder(project, record, error).Build();
}

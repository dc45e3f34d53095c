#include "world/PdaSerialize.h"

#include <cassert>

// Notation of the tables below: B one byte, W two bytes, D four bytes (all
// little-endian), S the characters of a string followed by one NUL (no length).
// Nothing else lies between the fields. R, U and P are the resource, unit-type
// and player counts stored near the start of "mission.dat"; the lists they
// govern are not preceded by a count of their own.

namespace {

// Stores the list's size as its count byte, or on reading resizes the list to
// the count read. False once the stream is broken.
template <typename List>
bool SerializeCount(VK::ISerializer& serializer, List& list)
{
    assert(!serializer.IsStoring() || list.GetSize() <= 0xFF);
    uint8_t count = uint8_t(list.GetSize());
    serializer.SerializeByte(&count);
    if (serializer.HasError())
        return false;
    return serializer.IsStoring() || list.SetSize(count);
}

// A list whose length the stream does not store (it is R, U or P): on reading it
// takes that length. False once the stream is broken.
template <typename T>
bool SizeFixedList(VK::ISerializer& serializer, VK::CSimpleArray<T>& list, int count)
{
    if (serializer.HasError())
        return false;
    if (serializer.IsStoring()) {
        assert(list.GetSize() == count);
        return true;
    }
    return list.SetSize(count);
}

void SerializeBytes(VK::ISerializer& serializer, CByteArray& list, int count)
{
    if (SizeFixedList(serializer, list, count))
        for (int i = 0; i < count; ++i)
            serializer.SerializeByte(&list[i]);
}

void SerializeWords(VK::ISerializer& serializer, CWordArray& list, int count)
{
    if (SizeFixedList(serializer, list, count))
        for (int i = 0; i < count; ++i)
            serializer.SerializeWord(&list[i]);
}

void SerializeDwords(VK::ISerializer& serializer, CDwordArray& list, int count)
{
    if (SizeFixedList(serializer, list, count))
        for (int i = 0; i < count; ++i)
            serializer.SerializeDword(&list[i]);
}

// Owned records behind pointers: on reading, the array is emptied and refilled
// with `count` fresh records.
template <typename T>
bool SizeOwnedList(VK::ISerializer& serializer, COwnedPointerArray<T>& list)
{
    assert(!serializer.IsStoring() || list.GetSize() <= 0xFF);
    uint8_t count = uint8_t(list.GetSize());
    serializer.SerializeByte(&count);
    if (serializer.HasError())
        return false;
    if (serializer.IsStoring())
        return true;
    list.DeleteAll();
    for (int i = 0; i < count; ++i)
        if (list.Add(std::make_unique<T>()) < 0)
            return false;
    return true;
}

} // namespace

// ---- mission.dat -------------------------------------------------------------
//
// Mission (CMapProjectB):
//   D   creator id
//   B   R, then S x R resource names
//   B   U
//   B   P, then P player records
//   D   MaxExp
//   B   victory kind, then by kind:
//         0  B defeat-ally flag
//         1  B player to defeat (number in this file, 255 none)
//         2  D x U army per unit type, B defeat-allowed, B computer-too
//         3  B x R amount per resource, B defeat-allowed, B computer-too
//         4  B province to capture
//         other kinds store nothing
//   B   lose kind (low byte), then by kind:
//         1  B province (low byte; 255 none)
//         2  W turns to win
//         other kinds store nothing
//   B   province count, then the province records
//   B   event count, then the event records
void PdaSerialize(VK::ISerializer& serializer, CMapProjectB& mission)
{
    serializer.SerializeDword(&mission.creatorId);
    if (!SerializeCount(serializer, mission.resourceNames))
        return;
    for (int i = 0; i < mission.resourceNames.GetSize(); ++i)
        serializer.SerializeCString(&mission.resourceNames[i]);
    const int resources = mission.resourceNames.GetSize();
    serializer.SerializeByte(&mission.unitTypeCount);
    const int unitTypes = mission.unitTypeCount;

    if (!SerializeCount(serializer, mission.playerRecords))
        return;
    for (int i = 0; i < mission.playerRecords.GetSize() && !serializer.HasError(); ++i)
        PdaSerialize(serializer, mission.playerRecords[i], resources, unitTypes);
    const int players = mission.playerRecords.GetSize();

    serializer.SerializeDword(&mission.MaxExp);
    CVictoryCondsB& victory = mission.victory;
    serializer.SerializeByte(&victory.kind);
    switch (victory.kind) {
    case CVictoryCondsB::kDefeatOpponents:
        serializer.SerializeByte(&victory.defeatAlly);
        break;
    case CVictoryCondsB::kDefeatPlayer:
        serializer.SerializeByte(&victory.DefeatPlayer);
        break;
    case CVictoryCondsB::kAccumulateArmy:
        SerializeDwords(serializer, victory.armyData.army, unitTypes);
        serializer.SerializeByte(&victory.armyData.defeatAllowed);
        serializer.SerializeByte(&victory.armyData.computerToo);
        break;
    case CVictoryCondsB::kAccumulateResources:
        SerializeBytes(serializer, victory.resourcesData.resources, resources);
        serializer.SerializeByte(&victory.resourcesData.defeatAllowed);
        serializer.SerializeByte(&victory.resourcesData.computerToo);
        break;
    case CVictoryCondsB::kCaptureProvince:
        serializer.SerializeByte(&victory.captureProvince);
        break;
    default:
        break;
    }

    CLoseCondsB& lose = mission.lose;
    uint8_t loseKind = uint8_t(lose.kind);
    serializer.SerializeByte(&loseKind);
    lose.kind = loseKind;
    if (lose.kind == CLoseCondsB::kLoseProvince) {
        uint8_t province = uint8_t(lose.province);
        serializer.SerializeByte(&province);
        if (!serializer.IsStoring())
            lose.province = province == 0xFF ? CLoseCondsB::kUnset : province;
    } else if (lose.kind == CLoseCondsB::kTimeExpires) {
        serializer.SerializeWord(&lose.MaxTurnsToWin);
    }

    if (!SerializeCount(serializer, mission.provinceRecords))
        return;
    for (int i = 0; i < mission.provinceRecords.GetSize() && !serializer.HasError(); ++i)
        PdaSerialize(serializer, mission.provinceRecords[i], resources, unitTypes);

    if (!SerializeCount(serializer, mission.eventRecords))
        return;
    for (int i = 0; i < mission.eventRecords.GetSize() && !serializer.HasError(); ++i)
        PdaSerialize(serializer, mission.eventRecords[i], resources, players);
}

// Player (CPlayerDataB):
//   B       number (0 .. P-1)
//   B       capital province index, 255 none
//   B x 3   skills
//   B       control: 0 human, 1..127 computer (AI id), 128.. human and computer
//   B       ability value
//   (D, S) x U   per unit-type slot: army count, name of the slot's unit type
//   W x R   treasury
void PdaSerialize(VK::ISerializer& serializer, CPlayerDataB& player, int resources, int unitTypes)
{
    serializer.SerializeByte(&player.number);
    serializer.SerializeByte(&player.capitalIndex);
    for (uint8_t& skill : player.skills)
        serializer.SerializeByte(&skill);
    serializer.SerializeByte(&player.control);
    serializer.SerializeByte(&player.ability);
    if (!SizeFixedList(serializer, player.army, unitTypes) || !SizeFixedList(serializer, player.unitNames, unitTypes))
        return;
    for (int i = 0; i < unitTypes; ++i) {
        serializer.SerializeDword(&player.army[i]);
        serializer.SerializeCString(&player.unitNames[i]);
    }
    SerializeWords(serializer, player.treasury, resources);
}

// Province (CProvinceB):
//   B x R   resources
//   B       owner: player number in this file, 255 none
//   B       has castle (bit 0 of the castle flags), then only when it is not 0:
//   B, B, B   castle flags (bit 0 castle, 1 moat, 2 walls, 3-5 catapults),
//             buildings (bit 0 market, 1 bank, 2 tavern, 4 metal mine, 5 stone mine),
//             hit points in percent
//   W x 4   piece bounds left, top, right, bottom (world pixels)
//   W x 2   castle icon point x, y (world pixels)
//   W x 2   army icon point x, y (world pixels)
//   B       has army, then only when it is not 0: D x U guardian army
//   B       neighbour count, then B x count province indices
void PdaSerialize(VK::ISerializer& serializer, CProvinceB& province, int resources, int unitTypes)
{
    SerializeBytes(serializer, province.resources, resources);
    serializer.SerializeByte(&province.owner);
    uint8_t hasCastle = province.castle.flags & CCastleDataB::kCastle;
    serializer.SerializeByte(&hasCastle);
    if (hasCastle) {
        serializer.SerializeByte(&province.castle.flags);
        serializer.SerializeByte(&province.castle.buildings);
        serializer.SerializeByte(&province.castle.hitPoints);
    } else if (!serializer.IsStoring()) {
        province.castle = CCastleDataB{};
    }
    for (uint16_t& bound : province.bounds)
        serializer.SerializeWord(&bound);
    serializer.SerializeWord(&province.castleX);
    serializer.SerializeWord(&province.castleY);
    serializer.SerializeWord(&province.armyX);
    serializer.SerializeWord(&province.armyY);
    serializer.SerializeByte(&province.anyArmy);
    if (province.anyArmy)
        SerializeDwords(serializer, province.army, unitTypes);
    else if (!serializer.IsStoring() && !province.army.SetSize(0))
        return;
    if (SerializeCount(serializer, province.neighbours))
        for (int i = 0; i < province.neighbours.GetSize(); ++i)
            serializer.SerializeByte(&province.neighbours[i]);
}

// Event (CEventB):
//   W       turn
//   B x P   per player record: 1 when the event affects that player
//   B       effect: 0 increase, 1 decrease, 2 custom
//   B x R   the increase amounts (effect 0) or the decrease amounts (effect 1);
//           nothing for other effects
void PdaSerialize(VK::ISerializer& serializer, CEventB& event, int resources, int players)
{
    serializer.SerializeWord(&event.turn);
    SerializeBytes(serializer, event.players, players);
    serializer.SerializeByte(&event.effect);
    if (event.effect == CEventB::kTreasuryIncrease)
        SerializeBytes(serializer, event.resData.increase, resources);
    else if (event.effect == CEventB::kTreasuryDecrease)
        SerializeBytes(serializer, event.resData.decrease, resources);
}

// ---- map.dat and dommap.dat ----------------------------------------------------
//
//   W   width of the image the map describes
//   W   height
//   B   block columns, then per column:
//     B   blocks in the column (top to bottom), then per block:
//       B   local pieces n, then per piece:
//         B, B   local number k, province index (255 none)
void PdaSerialize(VK::ISerializer& serializer, CMapDta& map)
{
    serializer.SerializeWord(&map.width);
    serializer.SerializeWord(&map.height);
    if (SizeOwnedList(serializer, map.columns))
        for (int i = 0; i < map.columns.GetSize() && !serializer.HasError(); ++i)
            PdaSerialize(serializer, *map.columns.GetAt(i));
}

void PdaSerialize(VK::ISerializer& serializer, CBlockCellsData& column)
{
    if (SizeOwnedList(serializer, column.cells))
        for (int i = 0; i < column.cells.GetSize() && !serializer.HasError(); ++i)
            PdaSerialize(serializer, *column.cells.GetAt(i));
}

void PdaSerialize(VK::ISerializer& serializer, CProvinceMapIDData& cell)
{
    if (SerializeCount(serializer, cell.entries))
        for (int i = 0; i < cell.entries.GetSize(); ++i)
            PdaSerialize(serializer, cell.entries[i]);
}

void PdaSerialize(VK::ISerializer& serializer, CProvincesMapID& entry)
{
    serializer.SerializeByte(&entry.piece);
    serializer.SerializeByte(&entry.province);
}

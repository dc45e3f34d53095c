#pragma once
// The stored form of the handheld's records: the mission ("mission.dat") and the
// block index maps ("map.dat", "dommap.dat"). One routine per record type walks
// its fields over a serializer, so the same code sizes, writes and reads.
//
// Writing expects a consistent record: every count fits its byte and every list
// governed by the resource, unit-type or player count holds exactly that many
// entries (BuildMissionRecord and the block builder make them so). Reading sizes
// each list from the counts read before it; a reader must start at the
// beginning of the stream, and a short or malformed stream sets the
// serializer's error flag.
#include <cstdint>
#include <vector>

#include "model/MapProject.h"
#include "model/Serializer.h"
#include "world/MapDta.h"

void PdaSerialize(VK::ISerializer& serializer, CMapProjectB& mission);
void PdaSerialize(VK::ISerializer& serializer, CPlayerDataB& player, int resources, int unitTypes);
void PdaSerialize(VK::ISerializer& serializer, CProvinceB& province, int resources, int unitTypes);
void PdaSerialize(VK::ISerializer& serializer, CEventB& event, int resources, int players);

void PdaSerialize(VK::ISerializer& serializer, CMapDta& map);
void PdaSerialize(VK::ISerializer& serializer, CBlockCellsData& column);
void PdaSerialize(VK::ISerializer& serializer, CProvinceMapIDData& cell);
void PdaSerialize(VK::ISerializer& serializer, CProvincesMapID& entry);

// The stored bytes of a record: a sizing pass, then a saving pass into a buffer
// of exactly that size.
template <typename Record>
std::vector<uint8_t> PdaBytes(Record& record)
{
    VK::CSerialSizer sizer;
    PdaSerialize(sizer, record);
    std::vector<uint8_t> bytes(sizer.GetSize());
    VK::CSerialSaver saver(bytes.data(), bytes.size());
    PdaSerialize(saver, record);
    return bytes;
}

// Reads a record from `bytes`; false when they end early. Bytes left over after
// the record are not an error (the caller can compare the loader's position).
template <typename Record>
bool PdaLoad(const std::vector<uint8_t>& bytes, Record& record)
{
    VK::CSerialLoader loader(bytes.data(), bytes.size());
    PdaSerialize(loader, record);
    return !loader.HasError();
}

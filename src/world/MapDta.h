#pragma once
// The index map of the handheld's block images ("map.dat", "dommap.dat"): for
// every 128 x 128 block of the world, which province each local piece number of
// the block's pixels stands for. Stored form: PdaSerialize in world/PdaSerialize.h.
#include <cstdint>
#include <memory>

#include "model/OwnedPointerArray.h"
#include "model/SimpleArray.h"

// One local piece of a block.
struct CProvincesMapID {
    static constexpr uint8_t kNoProvince = 255;

    uint8_t piece = 0;                // local number k, 0..30
    uint8_t province = kNoProvince;   // index in the project's province list

    bool operator==(const CProvincesMapID&) const = default;
};

// One block: its local pieces in the order of their numbers.
struct CProvinceMapIDData {
    VK::CSimpleArray<CProvincesMapID> entries;
};

// One column of blocks, top to bottom.
struct CBlockCellsData {
    COwnedPointerArray<CProvinceMapIDData> cells;
};

// The whole map: the image size it describes and its block columns, left to right.
struct CMapDta {
    uint16_t width = 0;
    uint16_t height = 0;
    COwnedPointerArray<CBlockCellsData> columns;
};

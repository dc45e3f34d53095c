#pragma once
// What the fuzz target and the corpus writer share: the project a loaded file
// meets, and the stored form of a project.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "model/MapProject.h"

// Set up the way a small catalogue leaves it: three unit types, one castle
// and one army type, two resources, six players, one string table.
inline void SetUpProject(CMapProject& project)
{
    project.standardUnitTypes = 2;
    project.nonStandardUnitTypes = 1;
    project.unitTypesRead = 3;
    project.castleTypes = 1;
    project.armyTypes = 1;
    project.resources = 2;
    project.SetMapSize(1, 1);
    project.CreateDefaultPlayers();
    const TPoint pivots[] = {{12, 20}, {8, 14}};
    project.GetIconPivots().Append(pivots, 2);
    auto table = std::make_unique<CStringTable>(project);
    table->SetCastlePicturePath(0, "castles/keep.bmp");
    table->SetArmyPicturePath(0, "armies/camp.bmp");
    project.GetStringTables().Add(std::move(table));
}

inline std::vector<uint8_t> Stored(CMapProject& project)
{
    std::vector<uint8_t> bytes;
    std::string problem;
    if (!project.SaveToBytes(bytes, problem))
        std::abort(); // sizing and writing disagree: a fault of the record routine
    return bytes;
}

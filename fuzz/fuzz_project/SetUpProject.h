#pragma once
// The project a loaded file meets: set up the way a small catalogue leaves it
// (three unit types, one castle and one army type, two resources, six players,
// one string table). Shared by the fuzz target and the corpus writer.
#include <memory>

#include "model/MapProject.h"

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

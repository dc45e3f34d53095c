#pragma once
// A project set up the way the catalogue leaves it, for the model's tests:
// three unit types (two standard, one not), two resources, six default
// players and one string table.
#include <memory>

#include "model/MapProject.h"

#include <gtest/gtest.h>

class SetUpProjectTest : public testing::Test {
protected:
    SetUpProjectTest()
    {
        project.standardUnitTypes = 2;
        project.nonStandardUnitTypes = 1;
        project.resources = 2;
        project.CreateDefaultPlayers();
        AddTable();
    }

    CStringTable& AddTable()
    {
        project.GetStringTables().Add(std::make_unique<CStringTable>(project));
        return *project.GetStringTables().GetAt(project.GetStringTables().GetCount() - 1);
    }
    CStringTable& Table(int i = 0) { return *project.GetStringTables().GetAt(i); }
    CPlayerData& Player(uint32_t i) { return project.GetPlayers().GetAt(i); }

    CProvince& AddProvince(int owner = CProvinceB::kNoOwner)
    {
        auto province = std::make_unique<CProvince>(project);
        province->owner = uint8_t(owner);
        CProvince& added = *province;
        EXPECT_GE(project.GetProvinces().Add(std::move(province)), 0);
        return added;
    }

    CMapProject project;
};

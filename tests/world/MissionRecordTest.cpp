#include "world/MissionRecord.h"
#include "world/PdaSerialize.h"

#include "HexFixture.h"
#include "model/ProjectFixture.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Bytes = std::vector<uint8_t>;

// Every shorter stream of a stored form must fail to load.
template <typename Record>
void ExpectEveryCutFails(const Bytes& bytes)
{
    for (size_t length = 0; length < bytes.size(); ++length) {
        Record record;
        EXPECT_FALSE(PdaLoad(Bytes(bytes.begin(), bytes.begin() + long(length)), record)) << length;
    }
}

// Three unit types (two standard, one not) and two resources, six players of
// which players 1 and 4 are active, three provinces on pieces A, B and D (piece C
// is green land without a province) and four events, one of them disabled.
class MissionRecordTest : public SetUpProjectTest {
protected:
    MissionRecordTest()
    {
        project.creatorId = 0x544F5256;
        project.MaxExp = 300;
        Table().SetResourceName(0, "Gold Ore");
        Table().SetResourceName(1, "Wo");
        Table().SetUnitName(0, "Knight");
        Table().SetUnitName(1, "Archer");
        Table().SetUnitName(2, "Dragon");

        CProvinceMap& a = AddPiece(10, 20, {"####", "####", "####"});
        AddPiece(14, 20, {"##", "##", "##"});
        AddPiece(18, 20, {"#"}, CProvinceMap::kGreenLand);
        AddPiece(10, 23, {"####", "####"});
        a.AddNeighbour(1);
        a.AddNeighbour(2);
        a.AddNeighbour(3);

        CProvince& first = AddProvince(4);
        first.pieceIndex = 0;
        first.castle = {0x0B, 0x11, 80};
        first.resources.SetSize(2);
        first.resources[0] = 3;
        first.resources[1] = 4;
        first.castleX = 1;
        first.castleY = 2;
        first.armyX = 2;
        first.armyY = 0;
        first.army.SetSize(3);
        first.army[1] = 9;
        CProvince& second = AddProvince(2);
        second.pieceIndex = 1;
        second.castle.flags = CCastleDataB::kMoat; // a moat without a castle stores no castle
        AddProvince().pieceIndex = 3;

        CPlayerData& one = Player(1);
        one.active = 1;
        one.capital = project.GetProvinces().GetAt(1);
        one.skills[0] = 1;
        one.skills[1] = 2;
        one.skills[2] = 3;
        one.control = 3;
        one.ability = 7;
        one.army[0] = 5;
        one.army[2] = 70000;
        one.unitTypes[0] = 2;
        one.unitTypes[1] = 0;
        one.unitTypes[2] = 77; // no such unit type: an empty name
        one.treasury[0] = 100;
        one.treasury[1] = 513;
        Player(4).active = 1;

        project.victory.kind = CVictoryCondsB::kDefeatPlayer;
        project.victory.DefeatPlayer = 4;
        project.lose.kind = CLoseCondsB::kTimeExpires;
        project.lose.MaxTurnsToWin = 0x0123;

        CEvent& increase = *project.GetEvents().AddEvent();
        increase.turn = 5;
        increase.players[1] = 1;
        increase.resData.increase[0] = 7;
        increase.resData.increase[1] = 8;
        project.GetEvents().AddEvent()->enabled = 0;
        CEvent& custom = *project.GetEvents().AddEvent();
        custom.turn = 0x0102;
        custom.effect = CEventB::kCustom;
        custom.affectsPlayers = 0;
        CEvent& decrease = *project.GetEvents().AddEvent();
        decrease.effect = CEventB::kTreasuryDecrease;
        decrease.players[4] = 1;
        decrease.resData.decrease[0] = 9;
        decrease.resData.decrease[1] = 10;
    }

    std::unique_ptr<CMapProjectB> Built()
    {
        auto record = std::make_unique<CMapProjectB>();
        std::string error;
        EXPECT_TRUE(BuildMissionRecord(project, *record, error)) << error;
        return record;
    }
    Bytes Build() { return PdaBytes(*Built()); }

    std::string BuildError()
    {
        CMapProjectB record;
        std::string error;
        EXPECT_FALSE(BuildMissionRecord(project, record, error));
        return error;
    }
};

// The bytes are worked out by hand in the fixture file; reading them back and
// storing again must give them unchanged.
TEST_F(MissionRecordTest, MissionBytesAsWorkedOutByHandAndReadBack)
{
    const Bytes mission = test::HexFixture("mission-record.hex");
    EXPECT_EQ(Build(), mission);
    CMapProjectB record;
    ASSERT_TRUE(PdaLoad(mission, record));
    EXPECT_EQ(PdaBytes(record), mission);
    ExpectEveryCutFails<CMapProjectB>(mission);
}

TEST_F(MissionRecordTest, VictoryAndLoseKindsStoreOnlyTheirOwnData)
{
    // Up to the players, the two player records, MaxExp.
    const size_t victoryAt = 15 + (7 + 11 + 11 + 5 + 4) + (7 + 3 * 11 + 4) + 4;
    auto victoryAndLose = [&](size_t length) {
        const Bytes bytes = Build();
        return Bytes(bytes.begin() + long(victoryAt), bytes.begin() + long(victoryAt + length));
    };
    project.victory.DefeatPlayer = CVictoryCondsB::kUnset;
    EXPECT_EQ(victoryAndLose(5), (Bytes{1, 0xFF, 2, 0x23, 0x01}));
    project.victory.DefeatPlayer = 2; // an inactive player
    EXPECT_EQ(victoryAndLose(2), (Bytes{1, 0xFF}));
    project.victory.DefeatPlayer = 7; // no such player
    EXPECT_EQ(victoryAndLose(2), (Bytes{1, 0xFF}));

    project.victory.kind = CVictoryCondsB::kDefeatOpponents;
    project.victory.defeatAlly = 1;
    project.lose.kind = CLoseCondsB::kLoseProvince;
    project.lose.province = 0x0102; // only the low byte is stored
    EXPECT_EQ(victoryAndLose(5), (Bytes{0, 1, 1, 0x02, 3}));

    project.victory.kind = CVictoryCondsB::kAccumulateArmy;
    project.victory.armyData.army[1] = 0x0304;
    project.victory.armyData.army.SetSize(2); // padded to the unit-type count
    project.victory.armyData.computerToo = 1;
    project.lose.kind = CLoseCondsB::kNone;
    EXPECT_EQ(victoryAndLose(17), (Bytes{2, 10, 0, 0, 0, 4, 3, 0, 0, 0, 0, 0, 0, 0, 1, 0, 3}));

    project.victory.kind = CVictoryCondsB::kAccumulateResources;
    project.victory.resourcesData.defeatAllowed = 1;
    EXPECT_EQ(victoryAndLose(6), (Bytes{3, 10, 10, 1, 0, 0}));

    project.victory.kind = CVictoryCondsB::kCaptureProvince;
    project.victory.captureProvince = 2;
    EXPECT_EQ(victoryAndLose(3), (Bytes{4, 2, 0}));

    project.victory.kind = 9; // an unknown kind stores nothing after it
    EXPECT_EQ(victoryAndLose(2), (Bytes{9, 0}));
}

// Exported players are project players 1 and 4; an event affects those it
// ticks only when it is set to affect players and ticks anyone at all.
TEST_F(MissionRecordTest, EventPlayerBytesFollowTheTicksOnlyWhenAnyIsSet)
{
    struct Case {
        uint8_t affectsPlayers;
        std::array<uint8_t, 6> ticks;
        Bytes stored;
    };
    const Case cases[] = {
        {1, {0, 0, 0, 0, 0, 0}, {1, 1}}, // as the editor creates an event
        {1, {0, 1, 0, 0, 0, 0}, {1, 0}},
        {1, {0, 0, 0, 0, 5, 0}, {0, 1}}, // any non-zero tick is stored as 1
        {1, {0, 0, 1, 0, 0, 0}, {0, 0}}, // only a player who is not exported
        {0, {0, 0, 0, 0, 1, 0}, {1, 1}},
    };
    CEvent& event = *project.GetEvents().GetEvent(0);
    for (const Case& c : cases) {
        event.affectsPlayers = c.affectsPlayers;
        std::copy(c.ticks.begin(), c.ticks.end(), event.players.GetData());
        const auto record = Built();
        const CByteArray& players = record->eventRecords[0].players;
        EXPECT_EQ(Bytes(players.GetData(), players.GetData() + players.GetSize()), c.stored)
            << int(c.affectsPlayers) << " " << int(c.ticks[1]) << int(c.ticks[2]) << int(c.ticks[4]);
    }
}

TEST_F(MissionRecordTest, ProjectsThatCannotBeStoredAreRefusedWithTheReason)
{
    project.GetProvinces().GetAt(1)->pieceIndex = 9;
    EXPECT_NE(BuildError().find("Province 2"), std::string::npos);
    project.GetProvinces().GetAt(1)->pieceIndex = 1;

    project.standardUnitTypes = 200;
    project.nonStandardUnitTypes = 100;
    EXPECT_NE(BuildError().find("300 unit types"), std::string::npos);
    project.nonStandardUnitTypes = 1;

    project.resources = 17;
    EXPECT_NE(BuildError().find("17 resources"), std::string::npos);
    project.resources = 2;

    project.GetStringTables().DeleteAll();
    EXPECT_NE(BuildError().find("string table"), std::string::npos);
}

// ---- Index map -----------------------------------------------------------------

// Width, height, then per column its cell count and per cell its entries
// (piece, province); read back and stored again unchanged.
TEST(IndexMap, StoredFormAndReadBack)
{
    const Bytes stored = {0x2C, 0x01, 0x02, 0x01, 2, 2, 0, 0, 2, 2, 0, 4, 1, 0xFF, 0};
    CMapDta map;
    ASSERT_TRUE(PdaLoad(stored, map));
    EXPECT_EQ(map.width, 300);
    EXPECT_EQ(map.height, 0x0102);
    ASSERT_EQ(map.columns.GetSize(), 2);
    const auto& entries = map.columns.GetAt(1)->cells.GetAt(0)->entries;
    ASSERT_EQ(entries.GetSize(), 2);
    EXPECT_EQ(entries[1].piece, 1);
    EXPECT_EQ(entries[1].province, 0xFF);
    EXPECT_EQ(PdaBytes(map), stored);
    ExpectEveryCutFails<CMapDta>(stored);
}

} // namespace

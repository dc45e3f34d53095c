#include "model/MapProject.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A project set up as the catalogue would leave it: six players, three unit
// types (two standard, one not), two resources and two AI types.
class ProjectTest : public testing::Test {
protected:
    void SetUp() override
    {
        project.standardUnitTypes = 2;
        project.nonStandardUnitTypes = 1;
        project.resources = 2;
        project.GetPlayers().Resize(CMapProject::kPlayerCount, CPlayerData(project));
        for (uint32_t i = 0; i < CMapProject::kPlayerCount; ++i) {
            CPlayerData& player = Player(i);
            player.unitTypes.SetSize(3);
            player.army.SetSize(3);
            player.treasury.SetSize(2);
        }
        project.GetAITypes().AddTail({"Aggressive", 3});
        project.GetAITypes().AddTail({"Careful", 5});
    }

    CPlayerData& Player(uint32_t i) { return project.GetPlayers().GetAt(i); }

    CProvince& AddProvince()
    {
        auto province = std::make_unique<CProvince>(project);
        province->resources.SetSize(2);
        province->army.SetSize(4); // one slot more than there are unit types
        CProvince& added = *province;
        EXPECT_GE(project.GetProvinces().Add(std::move(province)), 0);
        return added;
    }

    CMapProject project;
};

} // namespace

TEST(MapProjectDefaults, FreshRecordsHoldTheirDefaults)
{
    CMapProject project;
    EXPECT_EQ(project.difficulty, 1);
    EXPECT_EQ(project.GetUnitTypeCount(), 0);
    EXPECT_EQ(project.MaxExp, 25u);
    EXPECT_EQ(project.victory.kind, CVictoryCondsB::kDefeatOpponents);
    EXPECT_EQ(project.victory.DefeatPlayer, 255);
    EXPECT_EQ(project.victory.captureProvince, 255);
    EXPECT_EQ(project.victory.armyData.defeatAllowed, 0);
    EXPECT_EQ(project.lose.kind, CLoseCondsB::kNone);
    EXPECT_EQ(project.lose.province, 0xFFFF);
    EXPECT_EQ(project.lose.MaxTurnsToWin, 20);
    EXPECT_EQ(project.GetCurrentStringTable(), 0);
    EXPECT_EQ(project.GetMapMap().GetAt(0, 0), CMapProject::kNoPiece);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(project.GetPlayers().GetCount(), 0u);

    CPlayerData player(project);
    EXPECT_EQ(player.capitalIndex, 255);
    EXPECT_EQ(player.skills[0] + player.skills[1] + player.skills[2], 6);
    EXPECT_EQ(player.control, 128);
    EXPECT_EQ(player.active, 0u);
    EXPECT_EQ(player.capital, nullptr);

    CProvince province(project);
    EXPECT_EQ(province.owner, 255);
    EXPECT_EQ(province.castle.hitPoints, 100);
    EXPECT_EQ(province.castle.flags, 0);
    EXPECT_EQ(province.pieceIndex, -1);
    EXPECT_EQ(province.linked, 0);
}

TEST(MapProjectDefaults, TheProcessWideProjectIsOneObject)
{
    EXPECT_EQ(&TheMapProject(), &TheMapProject());
}

TEST_F(ProjectTest, PlayerListThrowsPastTheSixthPlayer)
{
    EXPECT_THROW(project.GetPlayers().GetAt(6), CList<CPlayerData>::BadSize);
}

// ---- Players ---------------------------------------------------------------

TEST_F(ProjectTest, SkillSumAboveSixIsRefused)
{
    CPlayerData& player = Player(0);
    EXPECT_EQ(player.SetSkill(0, 3), 0); // 3 + 2 + 2
    EXPECT_EQ(player.skills[0], 2);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(player.SetSkill(0, 1), 1);
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(player.SetSkill(1, 3), 1); // 1 + 3 + 2
    EXPECT_EQ(player.SetSkill(2, 3), 0); // 1 + 3 + 3
    EXPECT_EQ(player.SetSkill(3, 0), 0);
    EXPECT_EQ(player.SetSkill(0, -1), 0);
    EXPECT_EQ(player.skills[0], 1);
    EXPECT_EQ(player.skills[1], 3);
    EXPECT_EQ(player.skills[2], 2);
}

TEST_F(ProjectTest, EqualSkillStillMarksTheProjectModified)
{
    EXPECT_EQ(Player(0).SetSkill(1, 2), 1);
    EXPECT_TRUE(project.IsModified());
}

TEST_F(ProjectTest, PlainPlayerSettersMarkOnlyOnChange)
{
    CPlayerData& player = Player(1);
    EXPECT_EQ(player.SetArmy(2, 0), 0);
    EXPECT_EQ(player.SetTreasury(1, 0), 0);
    EXPECT_EQ(player.SetAIType(128), 0);
    player.SetActive(0);
    EXPECT_FALSE(project.IsModified());

    EXPECT_EQ(player.SetArmy(2, 40), 1);
    EXPECT_EQ(player.army[2], 40u);
    EXPECT_TRUE(project.IsModified());
    project.SetModified(false);
    player.SetActive(1);
    EXPECT_EQ(player.active, 1u);
    EXPECT_TRUE(project.IsModified());
}

TEST_F(ProjectTest, IndexedPlayerSettersRefuseOutOfRange)
{
    CPlayerData& player = Player(2);
    EXPECT_EQ(player.SetArmy(3, 1), 0);
    EXPECT_EQ(player.SetArmy(-1, 1), 0);
    EXPECT_EQ(player.SetTreasury(2, 1), 0);
    EXPECT_EQ(player.SetTreasury(0, 70000), 0); // does not fit the 16-bit amount
    EXPECT_EQ(player.SetTreasury(0, -1), 0);
    EXPECT_EQ(player.SetUnitType(3, 1), 0);
    EXPECT_EQ(player.treasury[0], 0);
    EXPECT_EQ(player.army.GetSize(), 3);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(ProjectTest, UnitTypeComparesTheLowByte)
{
    CPlayerData& player = Player(0);
    EXPECT_EQ(player.SetUnitType(1, 5), 1);
    project.SetModified(false);
    EXPECT_EQ(player.SetUnitType(1, 5 + 256), 0);
    EXPECT_EQ(player.unitTypes[1], 5u);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(ProjectTest, PlayabilityKeepsTheAITypeAcrossModes)
{
    CPlayerData& player = Player(0);
    player.control = 130; // Human & Computer, AI type 3
    EXPECT_EQ(player.SetPlayabilityText("Computer"), 1);
    EXPECT_EQ(player.control, 3);
    EXPECT_EQ(player.SetPlayabilityText("Computer"), 0);
    EXPECT_EQ(player.SetPlayabilityText("Human & Computer"), 1);
    EXPECT_EQ(player.control, 130);
    EXPECT_EQ(player.SetPlayabilityText("Human & Computer"), 0);
    EXPECT_EQ(player.SetPlayabilityText("Human"), 1);
    EXPECT_EQ(player.control, 0);
    EXPECT_EQ(player.SetPlayabilityText("Computer"), 1); // from Human: the first AI type
    EXPECT_EQ(player.control, 3);
    player.control = 0;
    EXPECT_EQ(player.SetPlayabilityText("Human & Computer"), 1);
    EXPECT_EQ(player.control, 3 + 127);
    EXPECT_EQ(player.SetPlayabilityText("Robot"), 0);
    EXPECT_EQ(player.control, 130);
}

TEST_F(ProjectTest, ComputerPlayerWithoutAnAITypeIsRefused)
{
    project.GetAITypes().RemoveAll();
    CPlayerData& player = Player(0);
    player.control = 0;
    EXPECT_EQ(player.SetPlayabilityText("Computer"), 0);
    EXPECT_EQ(player.SetPlayabilityText("Human & Computer"), 0);
    EXPECT_EQ(player.control, 0);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(ProjectTest, ResetPlayerReturnsToTheEmptyState)
{
    CPlayerData& player = Player(0);
    CProvince& province = AddProvince();
    player.SetCapital(&province);
    player.capitalIndex = 0;
    player.SetSkill(0, 1);
    player.SetActive(1);
    player.control = 5;
    player.ability = 4;
    player.unitNames.SetSize(3);
    player.unitNames[0].Assign("Knight");
    player.ResetPlayer();
    EXPECT_EQ(player.active, 0u);
    EXPECT_EQ(player.capital, nullptr);
    EXPECT_EQ(player.capitalIndex, 255);
    EXPECT_EQ(player.skills[0], 2);
    EXPECT_EQ(player.control, 128);
    EXPECT_EQ(player.ability, 0);
    EXPECT_EQ(player.treasury.GetSize() + player.unitTypes.GetSize() + player.army.GetSize() +
                  player.unitNames.GetSize(),
              0);
}

// ---- Provinces -------------------------------------------------------------

TEST_F(ProjectTest, CastleBitsToggleOnlyOnChange)
{
    CProvince& province = AddProvince();
    EXPECT_EQ(province.SetCastle(false), 0);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(province.SetCastle(true), 1);
    EXPECT_EQ(province.SetWalls(true), 1);
    EXPECT_EQ(province.SetMoat(false), 0);
    EXPECT_EQ(province.castle.flags, CCastleDataB::kCastle | CCastleDataB::kWalls);
    EXPECT_EQ(province.SetCastle(false), 1);
    EXPECT_EQ(province.castle.flags, CCastleDataB::kWalls);
    EXPECT_TRUE(project.IsModified());
}

TEST_F(ProjectTest, CatapultsUpToFourAlwaysMarkAboveFourOnlyOnChange)
{
    CProvince& province = AddProvince();
    province.castle.flags = 0xC7; // bits 0-2 and 6-7 set: they must survive
    EXPECT_EQ(province.SetCatapults(2), 1);
    EXPECT_EQ(province.castle.flags, 0xC7 | 2 << 3);
    project.SetModified(false);
    EXPECT_EQ(province.SetCatapults(2), 1); // equal, but up to 4: still marks
    EXPECT_TRUE(project.IsModified());

    EXPECT_EQ(province.SetCatapults(6), 1);
    project.SetModified(false);
    EXPECT_EQ(province.SetCatapults(6), 0);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(province.castle.Catapults(), 6);

    EXPECT_EQ(province.SetCatapults(8), 0); // does not fit three bits
    EXPECT_EQ(province.SetCatapults(-1), 0);
    EXPECT_EQ(province.castle.flags, 0xC7 | 6 << 3);
}

TEST_F(ProjectTest, BuildingFlagsSetAndClearTheirMask)
{
    CProvince& province = AddProvince();
    EXPECT_EQ(province.SetFlag(CCastleDataB::kMarket | CCastleDataB::kStoneMine, true), 1);
    EXPECT_EQ(province.SetFlag(CCastleDataB::kMarket, true), 0);
    EXPECT_EQ(province.SetFlag(CCastleDataB::kMarket, false), 1);
    EXPECT_EQ(province.castle.buildings, CCastleDataB::kStoneMine);
}

TEST_F(ProjectTest, PlainProvinceSettersMarkOnlyOnChange)
{
    CProvince& province = AddProvince();
    EXPECT_EQ(province.SetCastleHP(100), 0);
    EXPECT_EQ(province.SetCastleX(0), 0);
    EXPECT_EQ(province.SetResource(1, 0), 0);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(province.SetCastleHP(50), 1);
    EXPECT_EQ(province.SetCastleX(12), 1);
    EXPECT_EQ(province.SetCastleY(13), 1);
    EXPECT_EQ(province.SetArmyX(14), 1);
    EXPECT_EQ(province.SetArmyY(15), 1);
    EXPECT_EQ(province.SetResource(1, 200), 1);
    EXPECT_EQ(province.castleY + province.armyX + province.armyY, 13 + 14 + 15);
    EXPECT_EQ(province.resources[1], 200);
    EXPECT_TRUE(project.IsModified());
}

TEST_F(ProjectTest, ProvinceSettersRefuseValuesOutOfRange)
{
    CProvince& province = AddProvince();
    EXPECT_EQ(province.SetResource(2, 1), 0);
    EXPECT_EQ(province.SetResource(0, 256), 0);
    EXPECT_EQ(province.SetArmy(4, 1), 0);
    EXPECT_EQ(province.SetCastleHP(101), 0);
    EXPECT_EQ(province.SetOwner(6), 0); // there are six players: 0..5
    EXPECT_EQ(province.SetOwner(-1), 0);
    EXPECT_EQ(province.owner, 255);
    EXPECT_EQ(province.castle.hitPoints, 100);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(ProjectTest, AnyArmyFollowsTheGuardianArmyOfTheUnitTypes)
{
    CProvince& province = AddProvince();
    EXPECT_EQ(province.SetArmy(1, 5), 1);
    EXPECT_EQ(province.anyArmy, 1);
    EXPECT_EQ(province.SetArmy(3, 9), 1); // slot past the three unit types: not counted
    EXPECT_EQ(province.SetArmy(1, 0), 1);
    EXPECT_EQ(province.anyArmy, 0);
}

TEST_F(ProjectTest, OwnerOfACapitalSetToNoneClearsTheCapital)
{
    CProvince& province = AddProvince();
    province.SetOwner(2);
    Player(2).SetCapital(&province);
    project.SetModified(false);
    EXPECT_EQ(province.SetOwner(2), 0);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(province.SetOwner(300), 1); // anything above 254 is none
    EXPECT_EQ(province.owner, 255);
    EXPECT_EQ(Player(2).capital, nullptr);
    EXPECT_TRUE(project.IsModified());
}

TEST_F(ProjectTest, CapitalGivenToAnotherPlayerLeavesItsOldOwner)
{
    CProvince& capital = AddProvince();
    CProvince& other = AddProvince();
    capital.SetOwner(0);
    other.SetOwner(0);
    Player(0).SetCapital(&capital);
    other.SetOwner(1); // not the capital: player 0 keeps it
    EXPECT_EQ(Player(0).capital, &capital);
    capital.SetOwner(1);
    EXPECT_EQ(capital.owner, 1);
    EXPECT_EQ(Player(0).capital, nullptr);
}

// ---- Province list ---------------------------------------------------------

TEST_F(ProjectTest, ProvinceListLookupsAnswerAbsentValues)
{
    CProvinceList& list = project.GetProvinces();
    CProvince& first = AddProvince();
    CProvince& second = AddProvince();
    CProvince stranger(project);
    EXPECT_EQ(list.GetAt(1), &second);
    EXPECT_EQ(list.GetAt(2), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.IndexOf(&first), 0);
    EXPECT_EQ(list.IndexOf(nullptr), 255);
    EXPECT_EQ(list.IndexOf(&stranger), 255);
}

TEST_F(ProjectTest, RemovingAProvinceClosesTheGapAndForgetsItAsCapital)
{
    CProvinceList& list = project.GetProvinces();
    AddProvince();
    CProvince& middle = AddProvince();
    CProvince& last = AddProvince();
    Player(4).SetCapital(&middle);
    list.Remove(&middle);
    EXPECT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.GetAt(1), &last);
    EXPECT_EQ(Player(4).capital, nullptr);
    list.DeleteAll();
    EXPECT_EQ(list.GetSize(), 0);
}

TEST_F(ProjectTest, ProvinceListHoldsAtMostNinetyNine)
{
    CProvinceList& list = project.GetProvinces();
    for (int i = 0; i < CProvinceList::kMaxProvinces; ++i)
        ASSERT_EQ(list.Add(std::make_unique<CProvince>(project)), i);
    EXPECT_EQ(list.Add(std::make_unique<CProvince>(project)), -1);
    EXPECT_EQ(list.GetSize(), CProvinceList::kMaxProvinces);
}

// ---- Creator id ------------------------------------------------------------

TEST(CreatorId, FourCharactersMakeTheIdFirstInTheTopByte)
{
    platform::XmlDocument catalogue;
    std::string error;
    ASSERT_TRUE(catalogue.LoadFromText(R"(<Fenwork dwID="VLDR"><Units/></Fenwork>)", error)) << error;
    CMapProject project;
    EXPECT_EQ(project.ReadCreatorId(), 0); // no catalogue yet
    project.SetCatalogueDocument(&catalogue);
    EXPECT_EQ(project.ReadCreatorId(), 1);
    EXPECT_EQ(project.creatorId, 0x564C4452u);
    EXPECT_FALSE(project.IsModified());
}

TEST(CreatorId, CharactersAboveAsciiAreUnsignedAndShortIdsAreRefused)
{
    platform::XmlDocument catalogue;
    std::string error;
    ASSERT_TRUE(catalogue.LoadFromText("<Fenwork dwID=\"\xC3\xA9" "ABCD\"/>", error)) << error; // UTF-8 e-acute
    CMapProject project;
    project.SetCatalogueDocument(&catalogue);
    EXPECT_EQ(project.ReadCreatorId(), 1);
    EXPECT_EQ(project.creatorId, 0xE9414243u);

    ASSERT_TRUE(catalogue.LoadFromText(R"(<Fenwork dwID="VLD"/>)", error)) << error;
    EXPECT_EQ(project.ReadCreatorId(), 0);
    EXPECT_EQ(project.creatorId, 0xE9414243u);
}

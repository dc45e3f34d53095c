#include "model/MapProject.h"
#include "platform/XmlDocument.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The fixture's project with two AI types.
class ProjectTest : public SetUpProjectTest {
protected:
    ProjectTest()
    {
        project.GetAITypes().AddTail({"Aggressive", 3});
        project.GetAITypes().AddTail({"Careful", 5});
    }
};

} // namespace

// ---- Players ---------------------------------------------------------------

TEST_F(ProjectTest, PlayerSettersRefuseOutOfRangeAndMarkOnlyOnChange)
{
    CPlayerData& player = Player(0);
    ExpectCalls({
        {"skills 3+2+2 exceed six", [&] { return player.SetSkill(0, 3); }, 0, false},
        {"skills 1+2+2", [&] { return player.SetSkill(0, 1); }, 1, true},
        {"skills 1+3+2", [&] { return player.SetSkill(1, 3); }, 1, true},
        {"skills 1+3+3 exceed six", [&] { return player.SetSkill(2, 3); }, 0, false},
        {"skill 3", [&] { return player.SetSkill(3, 0); }, 0, false},
        {"skill level -1", [&] { return player.SetSkill(0, -1); }, 0, false},
        {"an equal skill still marks", [&] { return player.SetSkill(1, 3); }, 1, true},
        {"army unchanged", [&] { return player.SetArmy(2, 0); }, 0, false},
        {"treasury unchanged", [&] { return player.SetTreasury(1, 0); }, 0, false},
        {"AI type unchanged", [&] { return player.SetAIType(128); }, 0, false},
        {"inactive again", [&] { return player.SetActive(0), 0; }, 0, false},
        {"active", [&] { return player.SetActive(1), 0; }, 0, true},
        {"army 40", [&] { return player.SetArmy(2, 40); }, 1, true},
        {"army slot 3", [&] { return player.SetArmy(3, 1); }, 0, false},
        {"army slot -1", [&] { return player.SetArmy(-1, 1); }, 0, false},
        {"treasury slot 2", [&] { return player.SetTreasury(2, 1); }, 0, false},
        {"treasury past 16 bits", [&] { return player.SetTreasury(0, 70000); }, 0, false},
        {"treasury -1", [&] { return player.SetTreasury(0, -1); }, 0, false},
        {"treasury 7", [&] { return player.SetTreasury(1, 7); }, 1, true},
        {"unit slot 3", [&] { return player.SetUnitType(3, 1); }, 0, false},
        {"unit type 5", [&] { return player.SetUnitType(1, 5); }, 1, true},
        {"unit type compares the low byte", [&] { return player.SetUnitType(1, 5 + 256); }, 0, false},
    });
    EXPECT_EQ((std::vector<int>{player.skills[0], player.skills[1], player.skills[2]}), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ((std::vector<int>{int(player.active), int(player.army[2]), player.army.GetSize(), player.GetTreasury(0),
                                player.GetTreasury(1), player.GetTreasury(2), int(player.unitTypes[1])}),
              (std::vector<int>{1, 40, 3, 0, 7, 0, 5}));
}

TEST_F(ProjectTest, PlayabilityKeepsTheAITypeAcrossModes)
{
    CPlayerData& player = Player(0);
    player.control = 130; // Human & Computer, AI type 3
    struct Step {
        const char* text;
        int answer;
        int control;
    };
    for (const Step& step : {Step{"Computer", 1, 3}, {"Computer", 0, 3}, {"Human & Computer", 1, 130},
                             {"Human & Computer", 0, 130}, {"Human", 1, 0},
                             {"Computer", 1, 3}, // from Human: the first AI type
                             {"Human", 1, 0}, {"Human & Computer", 1, 3 + 127}, {"Robot", 0, 130}}) {
        EXPECT_EQ(player.SetPlayabilityText(step.text), step.answer) << step.text;
        EXPECT_EQ(player.control, step.control) << step.text;
    }

    project.GetAITypes().RemoveAll(); // a computer player needs an AI type
    player.control = 0;
    ExpectCalls({{"computer", [&] { return player.SetPlayabilityText("Computer"); }, 0, false},
                 {"both", [&] { return player.SetPlayabilityText("Human & Computer"); }, 0, false}});
    EXPECT_EQ(player.control, 0);
}

TEST_F(ProjectTest, ResetPlayerReturnsToTheEmptyState)
{
    CPlayerData& player = Player(0);
    player.SetCapital(&AddProvince());
    player.capitalIndex = 0;
    player.SetSkill(0, 1);
    player.SetActive(1);
    player.control = 5;
    player.ability = 4;
    player.unitNames[0].Assign("Knight");
    player.ResetPlayer();
    EXPECT_EQ(player.capital, nullptr);
    EXPECT_EQ((std::vector<int>{int(player.active), player.capitalIndex, player.skills[0], player.control, player.ability,
                                player.treasury.GetSize() + player.unitTypes.GetSize() + player.army.GetSize() +
                                    player.unitNames.GetSize()}),
              (std::vector<int>{0, 255, 2, 128, 0, 0}));
}

// ---- Provinces -------------------------------------------------------------

TEST_F(ProjectTest, ProvinceSettersRefuseOutOfRangeAndMarkOnlyOnChange)
{
    CProvince& province = AddProvince();
    province.resources.SetSize(2);
    province.army.SetSize(4); // one slot more than there are unit types
    province.castle.flags = 0xC0 | CCastleDataB::kMoat; // bits 6-7 and the moat must survive
    ExpectCalls({
        {"no castle again", [&] { return province.SetCastle(false); }, 1, false},
        {"castle", [&] { return province.SetCastle(true); }, 1, true},
        {"walls", [&] { return province.SetWalls(true); }, 1, true},
        {"moat again", [&] { return province.SetMoat(true); }, 1, false},
        {"catapults 2", [&] { return province.SetCatapults(2); }, 1, true},
        {"catapults up to 4 always mark", [&] { return province.SetCatapults(2); }, 1, true},
        {"catapults 6", [&] { return province.SetCatapults(6); }, 1, true},
        {"catapults 6 again", [&] { return province.SetCatapults(6); }, 1, false},
        {"catapults past three bits", [&] { return province.SetCatapults(8); }, 0, false},
        {"catapults -1", [&] { return province.SetCatapults(-1); }, 0, false},
        {"no castle", [&] { return province.SetCastle(false); }, 1, true},
        {"market and mine", [&] { return province.SetFlag(CCastleDataB::kMarket | CCastleDataB::kStoneMine, true); }, 1, true},
        {"market again", [&] { return province.SetFlag(CCastleDataB::kMarket, true); }, 1, false},
        {"no market", [&] { return province.SetFlag(CCastleDataB::kMarket, false); }, 1, true},
        {"hit points unchanged", [&] { return province.SetCastleHP(100); }, 1, false},
        {"castle x unchanged", [&] { return province.SetCastleX(0); }, 1, false},
        {"resource unchanged", [&] { return province.SetResource(1, 0); }, 1, false},
        {"army unchanged", [&] { return province.SetArmy(0, 0); }, 1, false},
        {"hit points 50", [&] { return province.SetCastleHP(50); }, 1, true},
        {"castle x", [&] { return province.SetCastleX(12); }, 1, true},
        {"castle y", [&] { return province.SetCastleY(13); }, 1, true},
        {"army x", [&] { return province.SetArmyX(14); }, 1, true},
        {"army y", [&] { return province.SetArmyY(15); }, 1, true},
        {"resource", [&] { return province.SetResource(1, 200); }, 1, true},
        {"resource slot 2", [&] { return province.SetResource(2, 1); }, 0, false},
        {"resource past a byte", [&] { return province.SetResource(0, 256); }, 0, false},
        {"army slot 4", [&] { return province.SetArmy(4, 1); }, 0, false},
        {"hit points 101", [&] { return province.SetCastleHP(101); }, 0, false},
        {"owner 6 of six players", [&] { return province.SetOwner(6); }, 0, false},
        {"owner -1", [&] { return province.SetOwner(-1); }, 0, false},
    });
    EXPECT_EQ((std::vector<int>{province.castle.flags, province.castle.Catapults(), province.castle.buildings,
                                province.castle.hitPoints, province.castleX, province.castleY, province.armyX,
                                province.armyY, province.resources[1], province.owner}),
              (std::vector<int>{0xC0 | CCastleDataB::kMoat | CCastleDataB::kWalls | 6 << 3, 6, CCastleDataB::kStoneMine,
                                50, 12, 13, 14, 15, 200, 255}));
}

TEST_F(ProjectTest, AProvinceLeavingItsOwnerTakesTheCapitalAlong)
{
    CProvince& capital = AddProvince();
    CProvince& other = AddProvince();
    capital.SetOwner(0);
    other.SetOwner(0);
    Player(0).SetCapital(&capital);
    ExpectCalls({{"same owner", [&] { return capital.SetOwner(0); }, 0, false},
                 {"not the capital", [&] { return other.SetOwner(1); }, 1, true}});
    EXPECT_EQ(Player(0).capital, &capital);
    EXPECT_EQ((capital.SetOwner(1), Player(0).capital), nullptr);

    Player(1).SetCapital(&capital);
    ExpectCalls({{"above 254 is none", [&] { return capital.SetOwner(300); }, 1, true}});
    EXPECT_EQ(std::tuple(int(capital.owner), Player(1).capital), std::tuple(255, nullptr));
}

// ---- Province list ---------------------------------------------------------

// ---- Creator id ------------------------------------------------------------

TEST(CreatorId, FourCharactersFirstInTheTopByteUnsignedAndShortIdsRefused)
{
    platform::XmlDocument catalogue;
    std::string error;
    CMapProject project;
    EXPECT_EQ(project.ReadCreatorId(), 0); // no catalogue yet
    project.SetCatalogueDocument(&catalogue);
    ASSERT_TRUE(catalogue.LoadFromText(R"(<Fenwork dwID="VLDR"><Units/></Fenwork>)", error)) << error;
    EXPECT_EQ(project.ReadCreatorId(), 1);
    EXPECT_EQ(std::tuple(project.creatorId, project.IsModified()), std::tuple(0x564C4452u, false));

    ASSERT_TRUE(catalogue.LoadFromText("<Fenwork dwID=\"\xC3\xA9" "ABCD\"/>", error)) << error; // UTF-8 e-acute
    EXPECT_EQ(project.ReadCreatorId(), 1);
    EXPECT_EQ(project.creatorId, 0xE9414243u);

    ASSERT_TRUE(catalogue.LoadFromText(R"(<Fenwork dwID="VLD"/>)", error)) << error;
    EXPECT_EQ(project.ReadCreatorId(), 0);
    EXPECT_EQ(project.creatorId, 0xE9414243u);
}

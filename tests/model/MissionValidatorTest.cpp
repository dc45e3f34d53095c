#include "model/MapProject.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A mission that passes every rule: players 1 and 2 active (a human and a
// computer), each with a capital on a piece of the world, default conditions.
class MissionValidatorTest : public SetUpProjectTest {
protected:
    MissionValidatorTest()
    {
        for (int i = 0; i < 3; ++i) {
            AddSolidPiece(10 * i, 0, 5, 5);
            CProvince& province = AddProvince(i < 2 ? i : 255);
            province.linked = 1;
            province.pieceIndex = i;
            Table().SetProvinceName(&province, "Shire " + std::to_string(i));
        }
        for (uint32_t p = 0; p < 2; ++p) {
            Player(p).active = 1;
            Player(p).capital = project.GetProvinces().GetAt(int(p));
        }
        Player(0).control = CPlayerDataB::kHuman;
        Player(1).control = 5;
    }

    std::string Check() const { return project.CheckMission(); }
};

const std::string kRule1 = "number of Active Players must be greater than 1";
const std::string kRule2 = "there is no Human or H/C players in the mission";
const std::string kRule4 = "DefeatPlayer is not defined in additional victory conditions";
const std::string kRule5 = "whole amount of units in additional victory conditions must be greater than 0";
const std::string kRule6 = "whole amount of resources in additional victory conditions must be greater than 0";
const std::string kRule7 = "Province is not defined in additional victory conditions";
const std::string kRule8 = "Province is not defined in additional lose conditions";
const std::string kRule9 = "MaxTurnsToWin in additional lose conditions must be greater then 4";

} // namespace

TEST_F(MissionValidatorTest, SoundMissionPasses)
{
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, RulesAreTestedInOrderAndTheFirstFailingOneSpeaks)
{
    // Break everything, then mend one rule at a time.
    for (uint32_t p = 0; p < 6; ++p)
        Player(p).active = 0;
    Player(0).capital = nullptr;
    project.victory.kind = CVictoryCondsB::kDefeatPlayer;
    project.lose.kind = CLoseCondsB::kLoseProvince;
    EXPECT_EQ(Check(), kRule1);

    Player(0).active = Player(1).active = 1;
    Player(0).control = 1;
    EXPECT_EQ(Check(), kRule2);

    Player(0).control = 200;
    EXPECT_EQ(Check(), "Capital is not set for player #1");

    Player(0).capital = project.GetProvinces().GetAt(0);
    EXPECT_EQ(Check(), kRule4); // the victory rule comes before the lose rule

    project.victory.DefeatPlayer = 1;
    EXPECT_EQ(Check(), kRule8);

    project.lose.kind = CLoseCondsB::kTimeExpires;
    project.lose.MaxTurnsToWin = 4;
    EXPECT_EQ(Check(), kRule9);

    project.lose.MaxTurnsToWin = 5;
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, TwoActiveComputerPlayersFailRuleTwoNotRuleOne)
{
    Player(0).control = 127;
    EXPECT_EQ(Check(), kRule2);
    EXPECT_EQ(project.GetActivePlayerCount(), 2);
    EXPECT_EQ(project.GetHumanPlayerCount(), 0);
}

TEST_F(MissionValidatorTest, PlayerCountsLookOnlyAtActivePlayers)
{
    Player(2).control = CPlayerDataB::kHuman; // inactive humans do not count
    Player(3).control = 128;
    Player(3).active = 1;
    Player(4).active = 1;
    Player(4).control = 255;
    EXPECT_EQ(project.GetActivePlayerCount(), 4);
    EXPECT_EQ(project.GetHumanPlayerCount(), 3);
}

TEST_F(MissionValidatorTest, OnlyActivePlayersNeedACapitalAndTheFirstMissingIsNamed)
{
    Player(2).capital = nullptr; // inactive: no matter
    EXPECT_EQ(Check(), "");
    Player(2).active = 1;
    Player(3).active = 1;
    EXPECT_EQ(Check(), "Capital is not set for player #3");
}

TEST_F(MissionValidatorTest, DefeatAPlayerNeedsThePlayer)
{
    project.victory.kind = CVictoryCondsB::kDefeatPlayer;
    EXPECT_EQ(Check(), kRule4);
    project.victory.DefeatPlayer = 254;
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, AccumulateArmyNeedsSomeUnits)
{
    project.victory.kind = CVictoryCondsB::kAccumulateArmy;
    EXPECT_EQ(Check(), ""); // the default goal asks 10 of each
    for (int i = 0; i < 3; ++i)
        project.victory.armyData.army[i] = 0;
    EXPECT_EQ(Check(), kRule5);
    // Counts that add up past 32 bits are no zero sum.
    project.victory.armyData.army[0] = 0x80000000u;
    project.victory.armyData.army[2] = 0x80000000u;
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, AccumulateResourcesNeedsSomeResources)
{
    project.victory.kind = CVictoryCondsB::kAccumulateResources;
    project.victory.resourcesData.resources[0] = 0;
    project.victory.resourcesData.resources[1] = 1;
    EXPECT_EQ(Check(), "");
    project.victory.resourcesData.resources[1] = 0;
    EXPECT_EQ(Check(), kRule6);
}

TEST_F(MissionValidatorTest, CaptureAProvinceNeedsAProvinceOfTheList)
{
    project.victory.kind = CVictoryCondsB::kCaptureProvince;
    EXPECT_EQ(Check(), kRule7);
    project.victory.captureProvince = 3; // one past the three provinces
    EXPECT_EQ(Check(), kRule7);
    project.victory.captureProvince = 2;
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, LoseAProvinceNeedsAProvinceOfTheList)
{
    project.lose.kind = CLoseCondsB::kLoseProvince;
    EXPECT_EQ(Check(), kRule8);
    project.lose.province = 3;
    EXPECT_EQ(Check(), kRule8);
    project.lose.province = 0;
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, ConditionsOfKindsNotChosenAreIgnored)
{
    project.victory.kind = CVictoryCondsB::kDefeatOpponents;
    project.victory.DefeatPlayer = 255;
    project.victory.captureProvince = 255;
    for (int i = 0; i < 3; ++i)
        project.victory.armyData.army[i] = 0;
    project.lose.kind = CLoseCondsB::kNone;
    project.lose.MaxTurnsToWin = 0;
    EXPECT_EQ(Check(), "");
}

TEST_F(MissionValidatorTest, EveryProvinceNeedsAPieceOfTheWorld)
{
    CProvince& loose = *project.GetProvinces().GetAt(2);
    loose.linked = 0;
    loose.pieceIndex = -1;
    EXPECT_EQ(Check(), "province #3 (Shire 2) does not lie on a piece of the world image");
    loose.linked = 1;
    loose.pieceIndex = 7; // no such piece
    EXPECT_EQ(Check(), "province #3 (Shire 2) does not lie on a piece of the world image");
    loose.pieceIndex = 2;
    EXPECT_EQ(Check(), "");
    // The nine rules come first.
    loose.pieceIndex = -1;
    project.lose.kind = CLoseCondsB::kTimeExpires;
    project.lose.MaxTurnsToWin = 1;
    EXPECT_EQ(Check(), kRule9);
}

#include "model/MapProject.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <functional>
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

TEST_F(MissionValidatorTest, PlayerRulesLookOnlyAtActivePlayers)
{
    Player(0).control = 127; // two active computer players fail rule two, not rule one
    EXPECT_EQ(Check(), kRule2);
    EXPECT_EQ(project.CountActivePlayers(), 2);
    EXPECT_EQ(project.GetHumanPlayerCount(), 0);

    Player(0).control = CPlayerDataB::kHuman;
    Player(2).capital = nullptr; // inactive: no matter
    Player(2).control = CPlayerDataB::kHuman; // inactive humans do not count
    EXPECT_EQ(Check(), "");
    Player(3).control = 128;
    Player(3).active = 1;
    Player(4).active = 1;
    Player(4).control = 255;
    EXPECT_EQ(project.CountActivePlayers(), 4);
    EXPECT_EQ(project.GetHumanPlayerCount(), 3);
    Player(2).active = 1;
    EXPECT_EQ(Check(), "Capital is not set for player #3"); // the first missing is named
}

TEST_F(MissionValidatorTest, EachConditionKindNeedsItsOwnDataAndIgnoresTheRest)
{
    // Data of kinds not chosen.
    project.victory.DefeatPlayer = 255;
    project.victory.captureProvince = 255;
    for (int i = 0; i < 3; ++i)
        project.victory.armyData.army[i] = 0;
    project.victory.resourcesData.resources[0] = project.victory.resourcesData.resources[1] = 0;
    project.lose.MaxTurnsToWin = 0;
    EXPECT_EQ(Check(), "");

    struct Step {
        const char* what;
        std::function<void()> change;
        std::string expected;
    };
    auto& victory = project.victory;
    auto& lose = project.lose;
    const Step steps[] = {
        {"defeat a player", [&] { victory.kind = CVictoryCondsB::kDefeatPlayer; }, kRule4},
        {"player 254", [&] { victory.DefeatPlayer = 254; }, ""},
        {"accumulate no army", [&] { victory.kind = CVictoryCondsB::kAccumulateArmy; }, kRule5},
        // Counts that add up past 32 bits are no zero sum.
        {"army past 32 bits", [&] { victory.armyData.army[0] = victory.armyData.army[2] = 0x80000000u; }, ""},
        {"accumulate no resources", [&] { victory.kind = CVictoryCondsB::kAccumulateResources; }, kRule6},
        {"one resource", [&] { victory.resourcesData.resources[1] = 1; }, ""},
        {"capture no province", [&] { victory.kind = CVictoryCondsB::kCaptureProvince; }, kRule7},
        {"capture past the list", [&] { victory.captureProvince = 3; }, kRule7},
        {"capture province 3", [&] { victory.captureProvince = 2; }, ""},
        {"lose no province", [&] { lose.kind = CLoseCondsB::kLoseProvince; }, kRule8},
        {"lose past the list", [&] { lose.province = 3; }, kRule8},
        {"lose province 1", [&] { lose.province = 0; }, ""},
        {"time expires at 0", [&] { lose.kind = CLoseCondsB::kTimeExpires; }, kRule9},
        {"time expires at 5", [&] { lose.MaxTurnsToWin = 5; }, ""},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(Check(), step.expected) << step.what;
    }
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

// Nonsense only a damaged file holds: two players sharing a capital (so one
// that the player does not own), a capital on the sea.
TEST_F(MissionValidatorTest, ACapitalIsALandProvinceOfItsOwnPlayer)
{
    Player(1).capital = Player(0).capital;
    EXPECT_EQ(Check(), "Capital of player #2 is not one of its provinces; choose a province the player owns as its "
                       "capital");
    Player(1).capital = project.GetProvinces().GetAt(1);
    project.GetPieces().GetAt(1)->kind = CProvinceMap::kOcean;
    EXPECT_EQ(Check(), "Capital of player #2 lies on the sea; choose a province on land as its capital");
}

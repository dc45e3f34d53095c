#include "model/MapProject.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class RecordingProgress : public IProgressDisplay {
public:
    void Start(const std::string& caption, int maximum) override
    {
        calls.push_back("start " + caption + " " + std::to_string(maximum));
        shown = true;
    }
    void Step(int position) override { calls.push_back("step " + std::to_string(position)); }
    void End() override
    {
        calls.push_back("end");
        shown = false;
    }

    std::vector<std::string> calls;
    bool shown = false;
};

class ProgressTest : public testing::Test {
protected:
    ProgressTest() { project.SetProgressDisplay(&progress); }

    CMapProject project;
    RecordingProgress progress;
};

using Calls = std::vector<std::string>;

} // namespace

TEST_F(ProgressTest, ScopeStartsStepsAndEnds)
{
    {
        CProgressScope scope(project, "Saving project...", 3);
        scope.Step(1);
        scope.Step(3);
    }
    EXPECT_EQ(progress.calls, (Calls{"start Saving project... 3", "step 1", "step 3", "end"}));
    EXPECT_FALSE(progress.shown);
}

TEST_F(ProgressTest, AnExceptionStillEndsTheDisplay)
{
    EXPECT_THROW(
        {
            CProgressScope scope(project, "Loading data...", 3);
            throw std::runtime_error("short file");
        },
        std::runtime_error);
    EXPECT_EQ(progress.calls, (Calls{"start Loading data... 3", "end"}));
    EXPECT_FALSE(progress.shown);
}

TEST_F(ProgressTest, InnerScopeReplacesTheCaptionAndOnlyTheOuterEnds)
{
    {
        CProgressScope outer(project, "Loading data...", 3);
        {
            CProgressScope inner(project, "Reassign map indexes...", 10);
            inner.Step(4);
        }
        EXPECT_TRUE(progress.shown);
        outer.Restart("Redraw world...", 2);
        outer.Step(1);
    }
    EXPECT_EQ(progress.calls, (Calls{"start Loading data... 3", "start Reassign map indexes... 10", "step 4",
                                     "start Redraw world... 2", "step 1", "end"}));
}

TEST(ProgressDefault, ProjectWithoutADisplayRunsQuietly)
{
    CMapProject project;
    CProgressScope scope(project, "Quiet", 1);
    scope.Step(1);
    project.SetProgressDisplay(nullptr); // back to the do-nothing display
    project.ProgressEnd();
}

// ---- Default players -------------------------------------------------------

using DefaultPlayersTest = SetUpProjectTest;

TEST_F(DefaultPlayersTest, SixPlayersWithSlotsTreasuryAndGoalsOfTen)
{
    ASSERT_EQ(project.GetPlayers().GetCount(), 6u);
    for (uint32_t p = 0; p < 6; ++p) {
        const CPlayerData& player = Player(p);
        ASSERT_EQ(player.unitTypes.GetSize(), 3);
        EXPECT_EQ(player.army.GetSize(), 3);
        EXPECT_EQ(player.unitNames.GetSize(), 3);
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(player.unitTypes[j], uint32_t(j));
        ASSERT_EQ(player.treasury.GetSize(), 2);
        EXPECT_EQ(player.treasury[0] + player.treasury[1], 0);
    }
    ASSERT_EQ(project.victory.armyData.army.GetSize(), 3);
    ASSERT_EQ(project.victory.resourcesData.resources.GetSize(), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(project.victory.armyData.army[i], 10u);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(project.victory.resourcesData.resources[i], 10);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(DefaultPlayersTest, AgainAfterPlayEmptiesTheTreasury)
{
    Player(1).treasury[0] = 500;
    project.CreateDefaultPlayers();
    EXPECT_EQ(Player(1).treasury[0], 0);
    EXPECT_EQ(project.GetPlayers().GetCount(), 6u);
}

#include "world/PackMission.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

using test::kFixedClock;

// A temporary mission tree like the export builds: Scenarios/<name>/Mission001/...
std::unique_ptr<platform::TemporaryFolder> MissionTree(const fs::path& parent, const Bytes& missionData)
{
    auto tree = std::make_unique<platform::TemporaryFolder>(parent, "mission");
    test::WriteFile(tree->Path() / "Scenarios" / "my.map" / "Mission001" / "mission.dat", missionData);
    test::WriteFile(tree->Path() / "Scenarios" / "my.map" / "Mission001" / "Preview.img", {0xFE, 0});
    return tree;
}

TEST(PackMission, WritesBothPackagesAndRemovesTheTree)
{
    platform::TemporaryFolder work;
    auto tree = MissionTree(work.Path(), {1, 2, 3});
    const fs::path treePath = tree->Path();
    std::ostringstream out;
    PackConsole console(out);
    ASSERT_TRUE(PackMission(std::move(tree), work.Path(), "my.map", console, kFixedClock)) << console.Error();
    EXPECT_FALSE(fs::exists(treePath));

    Bytes pdb = test::ReadFile(work.Path() / "my.map.pdb");
    Bytes pak = test::ReadFile(work.Path() / "my.map.pak");
    // Three folders and two files in both; the database named after the mission.
    ASSERT_GE(pdb.size(), 92u);
    EXPECT_EQ(Bytes(pdb.begin(), pdb.begin() + 7), (Bytes{'m', 'y', '.', 'm', 'a', 'p', 0}));
    EXPECT_EQ(Bytes(pdb.begin() + 60, pdb.begin() + 68), test::Bytes("RSRCTORV"));
    const size_t directory = 78 + 3 * 10;
    EXPECT_EQ(Bytes(pdb.begin() + directory, pdb.begin() + directory + 4), (Bytes{5, 0, 0, 0}));  // scrambled
    ASSERT_GE(pak.size(), 16u);
    EXPECT_EQ(Bytes(pak.begin(), pak.begin() + 8), test::Bytes("TORVRSRC"));
    EXPECT_EQ(pak[12], 5);
    EXPECT_EQ(pak.size(), 16 + 150 + 5u);
    // Scrambled folder names: "scenarios" starts with 's' ^ 0x51.
    EXPECT_EQ(pak[16], 's' ^ 0x51);
}

TEST(PackMission, EmptyNameIsRefusedAndTheTreeStillRemoved)
{
    platform::TemporaryFolder work;
    auto tree = MissionTree(work.Path(), {1});
    const fs::path treePath = tree->Path();
    std::ostringstream out;
    PackConsole console(out);
    EXPECT_FALSE(PackMission(std::move(tree), work.Path(), "", console, kFixedClock));
    EXPECT_NE(console.Error().find("empty"), std::string::npos);
    EXPECT_FALSE(fs::exists(treePath));
    EXPECT_FALSE(fs::exists(work.Path() / ".pdb"));
}

TEST(PackMission, StopsAtTheFirstFailure)
{
    platform::TemporaryFolder work;
    auto tree = MissionTree(work.Path(), Bytes(64001, 4));  // a .dat too large for one resource
    const fs::path treePath = tree->Path();
    std::ostringstream out;
    PackConsole console(out);
    EXPECT_FALSE(PackMission(std::move(tree), work.Path(), "my.map", console, kFixedClock));
    EXPECT_NE(console.Error().find("mission.dat"), std::string::npos) << console.Error();
    EXPECT_FALSE(fs::exists(work.Path() / "my.map.pdb"));
    EXPECT_FALSE(fs::exists(work.Path() / "my.map.pak"));
    EXPECT_FALSE(fs::exists(treePath));
}

} // namespace

#include "world/PackMission.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;

// A mission's packing that fails writes neither package and still removes the
// tree it was handed (the mission export's tests read back a successful one).
TEST(PackMission, FailuresWriteNothingAndRemoveTheTree)
{
    struct Case {
        const char* name;
        size_t missionDataSize;
        const char* reason;
    };
    for (const Case& c : {Case{"", 1, "empty"}, Case{"my.map", 64001, "mission.dat"}}) {
        SCOPED_TRACE(c.reason);
        platform::TemporaryFolder work;
        auto tree = std::make_unique<platform::TemporaryFolder>(work.Path(), "mission");
        test::WriteFile(tree->Path() / "Scenarios" / "my.map" / "Mission001" / "mission.dat",
                        std::vector<uint8_t>(c.missionDataSize, 4));
        const fs::path treePath = tree->Path();
        std::ostringstream out;
        PackConsole console(out);
        EXPECT_FALSE(PackMission(std::move(tree), work.Path(), c.name, console, test::kFixedClock));
        EXPECT_NE(console.Error().find(c.reason), std::string::npos) << console.Error();
        EXPECT_FALSE(fs::exists(treePath));
        EXPECT_EQ(std::distance(fs::directory_iterator(work.Path()), fs::directory_iterator()), 0);
    }
}

} // namespace

#include "world/PackMission.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Every file and folder below `folder` by relative path; folders hold "folder".
std::map<std::string, std::vector<uint8_t>> Listing(const fs::path& folder)
{
    std::map<std::string, std::vector<uint8_t>> listing;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        listing[fs::relative(entry.path(), folder).string()] =
            entry.is_directory() ? test::Bytes("folder") : test::ReadFile(entry.path());
    return listing;
}

// A mission's packing that fails leaves the output folder as it was, old
// packages byte for byte, and still removes the tree it was handed (the
// mission export's tests read back a successful one).
TEST(PackMission, FailuresLeaveTheOutputFolderAsItWasAndRemoveTheTree)
{
    struct Case {
        const char* name;
        size_t missionDataSize;
        const char* reason;
        fs::perms pdbMode = fs::perms(0644);
    };
    const Case cases[] = {
        {"", 1, "empty"},
        {"my.map", 64001, "mission.dat"},                 // the database cannot be built
        {"my.map", 1, "my.map.pak"},                      // a folder where the flat package goes
        {"\xD0\x9A\xD0\xB0\xD1\x80\xD1\x82\xD0\xB0", 1, "Windows-1252"}, // a Cyrillic name
        // Write-protected, as a project's save refuses it, whoever the user.
        {"my.map", 1, "my.map.pdb\": the file is read-only", fs::perms(0444)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        platform::TemporaryFolder work;
        auto tree = std::make_unique<platform::TemporaryFolder>(work.Path() / "temporary", "mission");
        test::WriteFile(tree->Path() / "Scenarios" / "my.map" / "Mission001" / "mission.dat",
                        std::vector<uint8_t>(c.missionDataSize, 4));
        const fs::path treePath = tree->Path(), out = work.Path() / "out";
        test::WriteFile(out / "my.map.pdb", {1, 2, 3});
        fs::permissions(out / "my.map.pdb", c.pdbMode);
        test::WriteFile(out / "my.map.pak" / "kept.txt", {5});
        const auto before = Listing(out);
        std::ostringstream report;
        PackConsole console(report);
        EXPECT_FALSE(PackMission(std::move(tree), out, c.name, console, test::kFixedClock));
        EXPECT_NE(console.Error().find(c.reason), std::string::npos) << console.Error();
        EXPECT_FALSE(fs::exists(treePath));
        EXPECT_EQ(Listing(out), before);
    }
}

// The packages put in place take the permissions of the files they replace, or the
// usual ones where there were none, not those of the private temporary files. A
// package that is a symbolic link is written through it.
TEST(PackMission, PackagesKeepTheModeOfTheFilesTheyReplaceAndTheirLinks)
{
    platform::TemporaryFolder work;
    auto tree = std::make_unique<platform::TemporaryFolder>(work.Path() / "temporary", "mission");
    test::WriteFile(tree->Path() / "Scenarios" / "my.map" / "Mission001" / "mission.dat", {4});
    const fs::path out = work.Path() / "out", real = work.Path() / "real.pdb";
    test::WriteFile(real, {1, 2, 3});
    fs::permissions(real, fs::perms(0640));
    fs::create_directories(out);
    fs::create_symlink(real, out / "my.map.pdb");
    std::ostringstream report;
    PackConsole console(report);
    ASSERT_TRUE(PackMission(std::move(tree), out, "my.map", console, test::kFixedClock)) << console.Error();
    EXPECT_TRUE(fs::is_symlink(out / "my.map.pdb"));
    EXPECT_GT(fs::file_size(real), 3u);
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(out / "my.map.pak").permissions(), fs::perms(0644));
}

} // namespace


#include "world/PakWriter.h"

#include "HexFixture.h"
#include "TestFiles.h"
#include "platform/FileSystem.h"
#include "world/PackageOutput.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

test::PackResult Pack(const fs::path& source, const fs::path& destination,
                      const platform::SecondsClock& clock = test::kFixedClock)
{
    return test::RunPacker([&](PackConsole& console) {
        return PackPak(false, "TORV", "RSRC", source, destination, console, clock);
    });
}

TEST(PakWriter, PackagesAsWorkedOutByHand)
{
    platform::TemporaryFolder work;
    fs::create_directories(work.Path() / "empty" / "Scenarios");
    test::WriteFile(work.Path() / "twins" / "a.img", {1, 2, 3});
    test::WriteFile(work.Path() / "twins" / "b.img", {1, 2, 3});
    for (const std::string tree : {"empty", "twins"}) {
        const test::PackResult packed = Pack(work.Path() / tree, work.Path() / (tree + ".pak"));
        ASSERT_TRUE(packed.ok) << packed.error;
        EXPECT_EQ(test::ReadFile(work.Path() / (tree + ".pak")), test::HexFixture("pak-" + tree + ".hex")) << tree;
    }
    // An unknown time is stored as all ones.
    ASSERT_TRUE(Pack(work.Path() / "empty", work.Path() / "m.pak", [] { return std::optional<int64_t>(); }).ok);
    Bytes unknownTime = test::HexFixture("pak-empty.hex");
    std::fill_n(unknownTime.begin() + 8, 4, 0xFF);
    EXPECT_EQ(test::ReadFile(work.Path() / "m.pak"), unknownTime);
}

TEST(PakWriter, MissingSourceFails)
{
    platform::TemporaryFolder work;
    test::PackResult packed = Pack(work.Path() / "none", work.Path() / "m.pak");
    EXPECT_FALSE(packed.ok);
    EXPECT_EQ(packed.error, "Cannot find directory " + (work.Path() / "none").string());
    EXPECT_FALSE(fs::exists(work.Path() / "m.pak"));
}

TEST(PackageOutput, FilesThatVanishedOrChangedSizeStopThePackage)
{
    platform::TemporaryFolder work;
    test::WriteFile(work.Path() / "a.dat", {1, 2});
    const std::vector<StoredFile> files = {{0, work.Path() / "a.dat", 2}, {1, work.Path() / "gone.dat", 4}};
    std::ostringstream out;
    PackConsole console(out);
    Bytes package = {0xAB};
    EXPECT_FALSE(AppendFiles(files, package, console));
    EXPECT_NE(out.str().find("Cannot open file " + (work.Path() / "gone.dat").string()), std::string::npos);
    EXPECT_NE(console.Error().find("gone.dat"), std::string::npos);

    test::WriteFile(work.Path() / "b.dat", {1, 2, 3}); // grew from the 2 bytes the directory holds
    PackConsole changed(out);
    package.clear();
    EXPECT_FALSE(AppendFiles({{0, work.Path() / "b.dat", 2}}, package, changed));
    EXPECT_NE(changed.Error().find("changed"), std::string::npos) << changed.Error();
    PackConsole fine(out);
    package.clear();
    EXPECT_TRUE(AppendFiles({{0, work.Path() / "b.dat", 3}}, package, fine));
    EXPECT_EQ(package, (Bytes{1, 2, 3}));
}

} // namespace

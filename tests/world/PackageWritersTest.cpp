// The two package writers: the flat package and the Palm resource database
// against hand-worked bytes, their reports and failures.
#include "world/PakWriter.h"
#include "world/PdbWriter.h"

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

test::PackResult PackDatabase(const fs::path& source, const fs::path& destination,
                              const platform::SecondsClock& clock = test::kFixedClock)
{
    return test::RunPacker([&](PackConsole& console) {
        return PackPdb(false, "m", "TORV", "RSRC", source, destination, console, clock);
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

TEST(PdbWriter, OneFileDatabase)
{
    platform::TemporaryFolder work;
    test::WriteFile(work.Path() / "src" / "a.dat", test::CountingBytes(100));
    const fs::path pdb = work.Path() / "m.pdb";
    test::PackResult packed = PackDatabase(work.Path() / "src", pdb);
    ASSERT_TRUE(packed.ok) << packed.error;
    Bytes expected = test::HexFixture("pdb-one-file.hex");
    test::Append(expected, test::CountingBytes(100));
    EXPECT_EQ(test::ReadFile(pdb), expected);

    const std::string source = (work.Path() / "src").string();
    EXPECT_EQ(packed.report, "Packing directory " + source + " to file " + pdb.string() + "\n\n" +
                                 "Getting directory structure...ok\n\n"
                                 "Analyzing files and directories...\n" +
                                 source + "/a.dat - added\n\nWriting header...\n\nAdding files...\n" + source +
                                 "/a.dat\n\nAll done\n\n");
    ASSERT_TRUE(PackDatabase(work.Path() / "src", pdb, [] { return std::optional<int64_t>(); }).ok);
    std::fill_n(expected.begin() + 36, 8, 0xFF); // an unknown time: created and modified all ones
    EXPECT_EQ(test::ReadFile(pdb), expected);
}

TEST(PdbWriter, LargeFilesSpanConsecutiveResources)
{
    platform::TemporaryFolder work;
    const Bytes sound = test::CountingBytes(3 * 64000 + 8000, 5);
    test::WriteFile(work.Path() / "src" / "a.wav", sound);
    test::WriteFile(work.Path() / "src" / "b.wav", sound);  // a duplicate spans the same ids
    const fs::path pdb = work.Path() / "m.pdb";
    test::PackResult packed = PackDatabase(work.Path() / "src", pdb);
    ASSERT_TRUE(packed.ok) << packed.error;
    EXPECT_NE(packed.report.find("a.wav - splitted\n"), std::string::npos);
    EXPECT_NE(packed.report.find("b.wav - merged\n"), std::string::npos);

    Bytes expected = test::HexFixture("pdb-two-sounds.hex");
    test::Append(expected, sound);
    EXPECT_EQ(test::ReadFile(pdb), expected);
}

TEST(PackageWriters, FailuresSayWhatFailedAndWriteNothing)
{
    platform::TemporaryFolder work;
    const std::string none = (work.Path() / "none").string();
    const test::PackResult missingPak = Pack(work.Path() / "none", work.Path() / "m.pak");
    EXPECT_FALSE(missingPak.ok);
    EXPECT_EQ(missingPak.error, "Cannot find directory " + none);
    EXPECT_FALSE(fs::exists(work.Path() / "m.pak"));
    const test::PackResult missingPdb = PackDatabase(work.Path() / "none", work.Path() / "m.pdb");
    EXPECT_FALSE(missingPdb.ok);
    EXPECT_EQ(missingPdb.report, "Cannot find directory " + none + "\n\n");
    EXPECT_FALSE(fs::exists(work.Path() / "m.pdb"));

    fs::create_directories(work.Path() / "src");
    const fs::path unwritable = work.Path() / "no such folder" / "m.pdb";
    test::PackResult cannotWrite = PackDatabase(work.Path() / "src", unwritable);
    EXPECT_FALSE(cannotWrite.ok);
    EXPECT_NE(cannotWrite.report.find("Cannot open destination file " + unwritable.string()), std::string::npos);
    EXPECT_FALSE(cannotWrite.error.empty());
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
}

} // namespace

#include "world/PdbWriter.h"

#include "HexFixture.h"
#include "TestFiles.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

test::PackResult Pack(const fs::path& source, const fs::path& destination)
{
    return test::RunPacker([&](PackConsole& console) {
        return PackPdb(false, "m", "TORV", "RSRC", source, destination, console, test::kFixedClock);
    });
}

TEST(PalmTime, CountsFrom1904)
{
    EXPECT_EQ(PalmTimeNow([] { return std::optional<int64_t>(0); }), 2082844800u);
    EXPECT_EQ(PalmTimeNow(test::kFixedClock), 0xB7C07A80u);
    EXPECT_EQ(PalmTimeNow([] { return std::optional<int64_t>(); }), 0xFFFFFFFFu);
}

TEST(PdbWriter, OneFileDatabase)
{
    platform::TemporaryFolder work;
    test::WriteFile(work.Path() / "src" / "a.dat", test::CountingBytes(100));
    const fs::path pdb = work.Path() / "m.pdb";
    test::PackResult packed = Pack(work.Path() / "src", pdb);
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
}

TEST(PdbWriter, LargeFilesSpanConsecutiveResources)
{
    platform::TemporaryFolder work;
    const Bytes sound = test::CountingBytes(3 * 64000 + 8000, 5);
    test::WriteFile(work.Path() / "src" / "a.wav", sound);
    test::WriteFile(work.Path() / "src" / "b.wav", sound);  // a duplicate spans the same ids
    const fs::path pdb = work.Path() / "m.pdb";
    test::PackResult packed = Pack(work.Path() / "src", pdb);
    ASSERT_TRUE(packed.ok) << packed.error;
    EXPECT_NE(packed.report.find("a.wav - splitted\n"), std::string::npos);
    EXPECT_NE(packed.report.find("b.wav - merged\n"), std::string::npos);

    Bytes expected = test::HexFixture("pdb-two-sounds.hex");
    test::Append(expected, sound);
    EXPECT_EQ(test::ReadFile(pdb), expected);
}

TEST(PdbWriter, FailuresSayWhatFailed)
{
    platform::TemporaryFolder work;
    test::PackResult missing = Pack(work.Path() / "none", work.Path() / "m.pdb");
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.report, "Cannot find directory " + (work.Path() / "none").string() + "\n\n");

    fs::create_directories(work.Path() / "src");
    const fs::path unwritable = work.Path() / "no such folder" / "m.pdb";
    test::PackResult cannotWrite = Pack(work.Path() / "src", unwritable);
    EXPECT_FALSE(cannotWrite.ok);
    EXPECT_NE(cannotWrite.report.find("Cannot open destination file " + unwritable.string()), std::string::npos);
    EXPECT_FALSE(cannotWrite.error.empty());
}

} // namespace

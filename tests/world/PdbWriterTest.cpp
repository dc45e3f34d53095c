#include "world/PdbWriter.h"

#include "HexFixture.h"
#include "TestFiles.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

test::PackResult Pack(const fs::path& source, const fs::path& destination, bool scramble = false,
                      const std::string& name = "m")
{
    return test::RunPacker([&](PackConsole& console) {
        return PackPdb(scramble, name, "TORV", "RSRC", source, destination, console, test::kFixedClock);
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

    // A long name keeps its first 31 characters; every other header byte is written.
    std::array<uint8_t, kPdbHeaderSize> header;
    header.fill(0xEE);
    MakePdbHeader(header, std::string(40, 'n'), "RSRC", "TORV", 0x1234, 0xB7C07A80);
    std::copy_n(test::Padded(std::string(31, 'n'), 32).begin(), 32, expected.begin());
    expected[76] = 0x12;
    expected[77] = 0x34;
    EXPECT_EQ(Bytes(header.begin(), header.end()), Bytes(expected.begin(), expected.begin() + kPdbHeaderSize));
}

TEST(PdbWriter, ScrambledCountIsPositiveAndEntriesScrambled)
{
    platform::TemporaryFolder work;
    fs::create_directories(work.Path() / "src" / "d1");
    fs::create_directories(work.Path() / "src" / "d2");
    const fs::path pdb = work.Path() / "m.pdb";
    ASSERT_TRUE(Pack(work.Path() / "src", pdb, true).ok);
    Bytes bytes = test::ReadFile(pdb);
    ASSERT_EQ(bytes.size(), 78 + 10 + 4 + 60u);
    EXPECT_EQ(Bytes(bytes.begin() + 88, bytes.begin() + 92), (Bytes{2, 0, 0, 0}));
    // "d1": 'd' ^ 0x51, '1' ^ 0x77; the folder mark 2E 2E 2E 00 ^ 17 9E 3C 5A.
    EXPECT_EQ(Bytes(bytes.begin() + 92, bytes.begin() + 95), (Bytes{0x35, 0x46, 0}));
    EXPECT_EQ(Bytes(bytes.begin() + 108, bytes.begin() + 122),
              (Bytes{0x39, 0xB0, 0x12, 0x5A, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0}));
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

    Bytes bytes = test::ReadFile(pdb);
    const size_t filesStart = 78 + 50 + 4 + 60;
    ASSERT_EQ(bytes.size(), filesStart + sound.size());
    EXPECT_EQ(bytes[77], 5);  // the directory and four pieces
    const uint32_t expectedOffsets[] = {128, uint32_t(filesStart), uint32_t(filesStart + 64000),
                                        uint32_t(filesStart + 128000), uint32_t(filesStart + 192000)};
    for (int r = 0; r < 5; ++r) {
        const uint8_t* resource = bytes.data() + 78 + 10 * r;
        EXPECT_EQ(Bytes(resource, resource + 4), test::Padded("DATA", 4));
        EXPECT_EQ(resource[4] << 8 | resource[5], 0x1000 + r);
        EXPECT_EQ(uint32_t(resource[6] << 24 | resource[7] << 16 | resource[8] << 8 | resource[9]),
                  expectedOffsets[r]);
    }
    // Both entries: first id 0x1001, four pieces.
    for (size_t entry : {132u, 162u}) {
        EXPECT_EQ(Bytes(bytes.begin() + long(entry) + 20, bytes.begin() + long(entry) + 30),
                  (Bytes{0x01, 0x10, 0, 0, 0x40, 0x0D, 0x03, 0, 1, 4}));
    }
    EXPECT_EQ(Bytes(bytes.begin() + long(filesStart), bytes.end()), sound);
}

TEST(PdbWriter, FileThatCannotBeSplitWritesNothing)
{
    platform::TemporaryFolder work;
    test::WriteFile(work.Path() / "src" / "big.dat", Bytes(64001, 1));
    const fs::path pdb = work.Path() / "m.pdb";
    test::PackResult packed = Pack(work.Path() / "src", pdb);
    EXPECT_FALSE(packed.ok);
    EXPECT_FALSE(fs::exists(pdb));
    EXPECT_NE(packed.report.find("big.dat - cannot split file\n\n"), std::string::npos) << packed.report;
    EXPECT_NE(packed.error.find("big.dat"), std::string::npos);
    EXPECT_NE(packed.error.find("64000"), std::string::npos) << packed.error;

    // An earlier database of the same name is left as it was.
    test::WriteFile(pdb, Bytes{1, 2, 3});
    EXPECT_FALSE(Pack(work.Path() / "src", pdb).ok);
    EXPECT_EQ(test::ReadFile(pdb), (Bytes{1, 2, 3}));
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

// Debian's Palm database reader, as an outside check of the layout.
TEST(PdbWriter, PalmDatabaseReaderLoadsTheDatabase)
{
    platform::TemporaryFolder work;
    test::WriteFile(work.Path() / "src" / "Scenarios" / "Mission001" / "mission.dat", test::CountingBytes(300));
    test::WriteFile(work.Path() / "src" / "Scenarios" / "Mission001" / "block0.wav", test::CountingBytes(70000));
    test::WriteFile(work.Path() / "src" / "Scenarios" / "Mission001" / "copy.dat", test::CountingBytes(300));
    const fs::path pdb = work.Path() / "m.pdb";
    ASSERT_TRUE(Pack(work.Path() / "src", pdb, true, "Valley of kings").ok);

    int status = -1;
    const std::string output = test::PalmDatabaseSummary(pdb, status);
    ASSERT_EQ(status, 0) << "perl with Palm::PDB (libpalm-pdb-perl) must be installed; output: " << output;
    // The directory holds 5 entries (two folders, three files), the wav two pieces,
    // mission.dat (after copy.dat in the walk) is stored once, as copy.dat.
    EXPECT_EQ(output, "Valley of kings|RSRC|TORV|1|1000000000|4\n"
                      "DATA 1000 154\n"
                      "DATA 1001 64000\n"
                      "DATA 1002 6000\n"
                      "DATA 1003 300\n");
}

} // namespace

#include "world/MissionExport.h"

#include "model/ProjectFixture.h"
#include "model/RecordingViews.h"
#include "world/BlockImages.h"
#include "world/MissionRecord.h"
#include "world/PdaSerialize.h"
#include "world/WorldCodes.h"
#include "PackageReader.h"
#include "PictureDecoder.h"
#include "SyntheticWorld.h"
#include "TestFiles.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// The directory names of a mission's folders and files (lower-case, without
// extension) for a world of `columns` block columns and `events` enabled events.
std::vector<std::string> EntryNames(const std::string& folder, int columns, int events)
{
    std::vector<std::string> names = {"scenarios", folder,    "mission001", "mission", "author", "authnotes",
                                      "shortdescr", "fulldescr", "victory", "defeat", "map", "dommap", "preview"};
    for (int i = 0; i < events; ++i)
        names.push_back(i < 10 ? "event " + std::to_string(i) : "event" + std::to_string(i));
    for (int i = 0; i < columns; ++i) {
        names.push_back("block" + std::to_string(i));
        names.push_back("domblock" + std::to_string(i));
    }
    return names;
}

// The flat package and the database of an export, read back: they must hold
// the same tree, and the database has the given name.
test::PackageContents ReadPackages(const fs::path& pdbPath, const std::vector<std::string>& known,
                                   const std::string& databaseName)
{
    fs::path pakPath = pdbPath;
    pakPath.replace_extension(".pak");
    const test::PackageContents pak = test::ReadPak(test::ReadFile(pakPath), known);
    EXPECT_EQ(pak.error, "");
    const test::PackageContents pdb = test::ReadPdb(test::ReadFile(pdbPath), known);
    EXPECT_EQ(pdb.error, "");
    EXPECT_EQ(pdb.databaseName, databaseName);
    EXPECT_EQ(pdb.files, pak.files);
    EXPECT_EQ(pdb.folders, pak.folders);
    return pak;
}

test::DecodedPicture Picture(const Bytes& bytes)
{
    test::DecodedPicture picture;
    EXPECT_EQ(test::DecodePicture(bytes, 0xEE, picture), "");
    return picture;
}

// A 400 x 300 world: ocean west of x = 80, green land south of y = 250, a small
// piece, and six provinces in two rows of three (pieces and provinces in the
// same order, province i on piece 3 + i). Players 0 and 2 play; two events.
class ExportMissionTest : public SetUpProjectTest {
protected:
    static constexpr int kWidth = 400, kHeight = 300;

    ExportMissionTest()
    {
        test::AddLabelledPieces(project, kWidth, kHeight, Label,
                                {CProvinceMap::kOcean, CProvinceMap::kGreenLand, CProvinceMap::kSmall,
                                 CProvinceMap::kProvince, CProvinceMap::kProvince, CProvinceMap::kProvince,
                                 CProvinceMap::kProvince, CProvinceMap::kProvince, CProvinceMap::kProvince});
        test::AddProvincesForPieces(project);
        for (int i = 0; i < 6; ++i)
            project.GetProvinces().GetAt(i)->owner = uint8_t(i % 3);
        Player(0).active = 1;
        Player(2).active = 1;
        project.GetEvents().AddEvent()->turn = 3;
        project.GetEvents().AddEvent()->turn = 9;
        project.SetProgressDisplay(&progress);
        options.packerReport = &report;
        options.clock = test::kFixedClock;
        options.temporaryParent = work.Path() / "temporary";
        fs::create_directories(options.temporaryParent);
        fs::create_directories(work.Path() / "out");
    }

    static int Label(int x, int y)
    {
        if (x < 80)
            return 0;
        if (y >= 250)
            return 1;
        if (x >= 200 && x < 210 && y >= 200 && y < 210)
            return 2;
        return 3 + (y >= 125 ? 3 : 0) + std::min((x - 80) / 107, 2);
    }

    int Export(const fs::path& output)
    {
        error.clear();
        return project.ExportMission(output, error, options);
    }

    // The export always leaves the progress display closed and no temporary files.
    void ExpectCleanedUp()
    {
        ASSERT_FALSE(progress.calls.empty());
        EXPECT_EQ(progress.calls.back(), "end");
        EXPECT_EQ(std::count(progress.calls.begin(), progress.calls.end(), "end"), 1);
        EXPECT_TRUE(fs::is_empty(options.temporaryParent));
    }

    RecordingProgress progress;
    std::ostringstream report;
    CMissionExportOptions options;
    platform::TemporaryFolder work;
    std::string error;
};

TEST_F(ExportMissionTest, BothPackagesHoldTheWholeMission)
{
    // The mission takes the output's name without its last extension: "my", as its folder entry.
    ASSERT_EQ(Export(work.Path() / "out" / "my.map"), 1) << error;
    ExpectCleanedUp();
    std::vector<std::string> stages;
    for (const std::string& call : progress.calls)
        if (call.starts_with("start "))
            stages.push_back(call.substr(6));
    // 4 x 3 blocks, 9 pieces.
    EXPECT_EQ(stages, (std::vector<std::string>{
                          "Preparing data for compress 3", "Writing mission data... 2", "Compressing world image... 12",
                          "Compress land and water... 9", "Writing image file... 4", "Compressing domains image... 12",
                          "Writing image file... 4", "Compress land and water... 9", "Execute compressor... 2"}));

    const test::PackageContents pak =
        ReadPackages(work.Path() / "out" / "my.pdb", EntryNames("my", 4, 2), "my");
    ASSERT_EQ(pak.error, "");
    EXPECT_EQ(pak.folders, (std::vector<std::string>{"scenarios", "scenarios/my", "scenarios/my/mission001"}));
    const std::string m = "scenarios/my/mission001/";
    EXPECT_EQ(pak.files.size(), 21u); // the record, 7 texts, 2 events, 4 + 4 blocks, 2 maps, the preview
    for (const std::string name : {"author", "authnotes", "shortdescr", "fulldescr", "victory", "defeat", "event 0"})
        EXPECT_EQ(pak.files.count(m + name + ".txt"), 1u) << name;
    auto file = [&](const std::string& name) -> const Bytes& { return pak.files.at(m + name); };
    auto text = [&](const std::string& name) { return std::string(file(name).begin(), file(name).end()); };

    // The record of the project, whose bytes the record's own tests work out by hand.
    CMapProjectB record;
    std::string recordError;
    ASSERT_TRUE(BuildMissionRecord(project, record, recordError)) << recordError;
    EXPECT_EQ(file("mission.dat"), PdaBytes(record));
    EXPECT_EQ(text("author.txt"), "Unknown");
    EXPECT_EQ(text("event 1.txt"), "Message #2\r\nMessage #2 Info");
    EXPECT_EQ(text("mission.txt").substr(0, 36), "My Mission\r\n\r\nPlayer 1\r\nPlayer 3\r\n\r\n");

    // The world and domain blocks hold the world codes (which are held to a
    // plain version on random worlds): strips whole, and at half size.
    CWorldCodes codes;
    ASSERT_TRUE(codes.Build(project, recordError)) << recordError;
    CMapDta map;
    ASSERT_TRUE(PdaLoad(file("map.dat"), map));
    EXPECT_EQ(map.width, 400);
    EXPECT_EQ(map.height, 300);
    EXPECT_EQ(map.columns.GetSize(), 4);
    const Bytes mapBytes = file("map.dat"), domainBytes = file("dommap.dat");
    EXPECT_EQ(Bytes(domainBytes.begin(), domainBytes.begin() + 4), (Bytes{200, 0, 150, 0}));
    EXPECT_EQ(Bytes(domainBytes.begin() + 4, domainBytes.end()), Bytes(mapBytes.begin() + 4, mapBytes.end()));
    for (int column = 0; column < 4; ++column) {
        const test::DecodedPicture block = Picture(file("block" + std::to_string(column) + ".img"));
        EXPECT_EQ(block.width, column < 3 ? 128u : 16u);
        EXPECT_EQ(block.pixels, codes.Strip(column)) << column;
        const test::DecodedPicture strip = Picture(file("domblock" + std::to_string(column) + ".img"));
        uint32_t width = 0, height = 0;
        EXPECT_EQ(strip.pixels, DomainStrip(codes, column, width, height)) << column;
        EXPECT_EQ(strip.width, column < 3 ? 64u : 8u);
        EXPECT_EQ(strip.height, 150u);
    }

    const test::DecodedPicture preview = Picture(file("preview.img"));
    ASSERT_EQ(preview.width, 96u);
    ASSERT_EQ(preview.height, 96u);
    EXPECT_EQ(preview.pixels[0], 0xFE);
    EXPECT_EQ(preview.pixels[20 * 96 + 30], 0);    // inside province 0
    EXPECT_EQ(preview.pixels[70 * 96 + 85], 5);    // inside province 5
    EXPECT_EQ(preview.pixels[95 * 96 + 50], 0xFF); // green land

    // The outside check: Debian's Palm database reader finds every resource and the whole directory.
    int status = -1;
    const std::string summary = test::PalmDatabaseSummary(work.Path() / "out" / "my.pdb", status);
    ASSERT_EQ(status, 0) << "perl with Palm::PDB (libpalm-pdb-perl) must be installed; output: " << summary;
    EXPECT_EQ(summary.substr(0, summary.find('\n')),
              "my|RSRC|TORV|1|1000000000|" + std::to_string(std::count(summary.begin(), summary.end(), '\n') - 1));
    EXPECT_NE(summary.find("DATA 1000 " + std::to_string(4 + 30 * pak.entryCount) + "\n"), std::string::npos);

    // The same project gives the same bytes: exporting again replaces both and leaves nothing else behind.
    const Bytes pdbBytes = test::ReadFile(work.Path() / "out" / "my.pdb");
    const Bytes pakBytes = test::ReadFile(work.Path() / "out" / "my.pak");
    ASSERT_EQ(Export(work.Path() / "out" / "my.PDB"), 1) << error;
    EXPECT_EQ(test::ReadFile(work.Path() / "out" / "my.pdb"), pdbBytes);
    EXPECT_EQ(test::ReadFile(work.Path() / "out" / "my.pak"), pakBytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(work.Path() / "out"), {}), 2);
}

// The name is stored in Windows-1252 like every other text: in the database
// header its first 31 characters (of 33; 38 bytes in UTF-8), in its folder's
// entry lower-cased and cut to 16.
TEST_F(ExportMissionTest, MissionNameIsStoredInWindows1252)
{
    const fs::path output = work.Path() / "out" / "Über Köln und Düsseldorf – Teil 2.pdb";
    ASSERT_EQ(Export(output), 1) << error;
    const std::string folder = "\xFC" "ber k\xF6ln und d\xFC";
    const test::PackageContents pak =
        ReadPackages(output, EntryNames(folder, 4, 2), "\xDC" "ber K\xF6ln und D\xFCsseldorf \x96 Teil");
    EXPECT_EQ(pak.folders, (std::vector<std::string>{"scenarios", "scenarios/" + folder,
                                                     "scenarios/" + folder + "/mission001"}));
}

TEST_F(ExportMissionTest, FailuresSayWhatFailedAndLeaveNothingBehind)
{
    auto expectFailure = [&](const fs::path& output, const std::string& reason) {
        progress.calls.clear();
        EXPECT_EQ(Export(output), 0);
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        ExpectCleanedUp();
        EXPECT_TRUE(fs::is_empty(work.Path() / "out"));
    };
    for (const char* nameless : {".pdb", "..", "...pdb"}) // leave "", "." and ".."
        expectFailure(work.Path() / "out" / nameless, "file name");
    expectFailure(work.Path() / "missing" / "my.pdb", "missing/my.pdb");
    expectFailure(work.Path() / "out" / "Карта.pdb", "Windows-1252");

    project.GetProvinces().GetAt(2)->pieceIndex = 99;
    expectFailure(work.Path() / "out" / "my.pdb", "Province 3");
    project.GetProvinces().GetAt(2)->pieceIndex = 5;

    options.temporaryParent = work.Path() / "out" / "a file";
    test::WriteFile(options.temporaryParent, {1});
    progress.calls.clear();
    EXPECT_EQ(Export(work.Path() / "out" / "my.pdb"), 0);
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
}

} // namespace

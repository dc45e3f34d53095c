#include "graphics/Layers32.h"
#include "model/MapProject.h"
#include "platform/FileSystem.h"

#include "ProjectFixture.h"
#include "RecordingViews.h"
#include "support/HeapMeter.h"
#include "support/HexFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;
using Calls = std::vector<std::string>;

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes the low `width` bytes of `value` at `at`, little-endian.
void Poke(Bytes& bytes, size_t at, int width, uint32_t value)
{
    for (int i = 0; i < width; ++i)
        bytes[at + size_t(i)] = uint8_t(value >> 8 * i);
}

const char* const kCastlePath = "castles/keep.bmp";
const char* const kArmyPath = "armies/camp.bmp";

// Hand-worked project files of tests/model/fixtures.
test::HexBytes ProjectFixture(const std::string& name)
{
    return test::ReadHex(VALDRUNE_SOURCE_DIR "/tests/model/fixtures/" + name);
}

class ProjectFileTest : public SetUpProjectTest {
protected:
    ProjectFileTest() { SetUpCatalogue(project); }

    // What the catalogue of these tests gives every project on top of the fixture's counts.
    static void SetUpCatalogue(CMapProject& target)
    {
        target.creatorId = 0x46574B31;
        target.unitTypesRead = 3;
        target.castleTypes = 1;
        target.armyTypes = 1;
        target.SetMapSize(8, 6);
        target.GetIconPivots().SetSize(0);
        const TPoint pivots[] = {{5, 6}, {7, 8}};
        target.GetIconPivots().Append(pivots, 2);
        if (CStringTable* table = target.GetStringTables().GetAt(0)) {
            table->SetCastlePicturePath(0, kCastlePath);
            table->SetArmyPicturePath(0, kArmyPath);
        }
    }

    // A second project set up from the same catalogue, as Load finds it after a new set-up.
    std::unique_ptr<CMapProject> FreshProject()
    {
        auto fresh = std::make_unique<CMapProject>();
        SetUpCounts(*fresh);
        SetUpCatalogue(*fresh);
        return fresh;
    }

    // One province on piece 0 of four pieces, two active players, one event,
    // army and lose conditions: every record kind with values that are not defaults.
    void BuildSmallProject()
    {
        CProvince& north = AddProvince(0);
        north.castleX = 1, north.castleY = 2, north.armyX = 3, north.armyY = 4, north.markerX = 6, north.markerY = 5;
        north.castle.flags = 0x0B, north.castle.buildings = 0x11, north.castle.hitPoints = 75;
        north.army.SetSize(3), north.army[0] = 5, north.army[2] = 6;
        north.resources.SetSize(2), north.resources[0] = 1, north.resources[1] = 2;
        north.linked = 1, north.pieceIndex = 0;

        CProvinceMap& land = AddPiece(0, 0, {"###", "...", "..#"});
        land.color = 0xFF123456, land.reserved = 0xDEADBEEF;
        land.castleX = 1, land.castleY = 1, land.armyX = 1, land.armyY = 2;
        for (int i = 1; i <= 3; ++i) {
            CProvinceMap& meadow = AddPiece(2 + i, 0, {"#"}, CProvinceMap::kGreenLand);
            meadow.color = 0xFF00FF00;
            const uint16_t zero = 0;
            meadow.neighbours.Append(&zero, 1);
        }
        const uint16_t around[] = {1, 2, 3};
        land.neighbours.Append(around, 3);

        CPlayerData& first = Player(0);
        first.active = 1, first.ability = 3, first.P1 = 7, first.capital = &north, first.control = 0;
        first.skills[0] = 1, first.skills[2] = 3;
        first.unitTypes[0] = 2, first.unitTypes[1] = 0, first.unitTypes[2] = 1;
        first.army[0] = 5, first.army[2] = 9;
        first.P2 = 0x1234, first.treasury[0] = 100, first.treasury[1] = 0x0201;
        Player(1).active = 1, Player(1).control = 130;

        CVictoryCondsB& victory = project.victory;
        victory.kind = CVictoryCondsB::kAccumulateArmy, victory.defeatAlly = 1, victory.DefeatPlayer = 1;
        victory.armyData.army[0] = 3, victory.armyData.army[1] = 0, victory.armyData.army[2] = 0;
        victory.armyData.defeatAllowed = 1, victory.resourcesData.computerToo = 1, victory.captureProvince = 0;
        victory.resourcesData.resources[0] = 0, victory.resourcesData.resources[1] = 4;
        project.lose.kind = CLoseCondsB::kLoseProvince, project.lose.province = 0, project.lose.MaxTurnsToWin = 30;

        Table().SetMissionName("Isle");
        Table().SetProvinceName(&north, "North");
        CEvent& event = *project.GetEvents().AddEvent();
        event.turn = 3, event.players[0] = 1, event.players[5] = 1, event.effect = CEventB::kCustom;
        event.resData.increase[0] = 1, event.resData.decrease[1] = 2;
        project.SetModified(false);
    }

    // BuildSmallProject's file, with marks at the fields the refusal tests alter.
    static test::HexBytes SmallProjectBytes() { return ProjectFixture("small-project.hex"); }

    // Loads `bytes` into the fixture's project and expects a refusal that
    // mentions `reason`, with the project exactly as it was.
    void ExpectRefused(const Bytes& bytes, const std::string& reason)
    {
        const Bytes before = Stored(project);
        const bool modified = project.IsModified();
        std::string error;
        EXPECT_EQ(project.LoadFromBytes(bytes, "damaged.fw", error), 0);
        EXPECT_NE(error.find("\"damaged.fw\" is not a project this editor can open"), std::string::npos) << error;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_EQ(Stored(project), before);
        EXPECT_EQ(project.IsModified(), modified);
        EXPECT_TRUE(project.GetFileName().empty());
    }

    // The small project's file with one field altered at a time, each loaded over the small
    // project: one line of fixtures/small-project-refusals.txt each.
    void ExpectRefusals()
    {
        std::ifstream lines(VALDRUNE_SOURCE_DIR "/tests/model/fixtures/small-project-refusals.txt");
        int count = 0;
        for (std::string field, line; lines >> field && std::getline(lines, line);) {
            if (field[0] == '#')
                continue;
            std::istringstream in(line);
            int width = 0;
            std::string value, reason;
            in >> width >> value >> std::ws;
            std::getline(in, reason);
            SCOPED_TRACE(field + " = " + value);
            test::HexBytes file = SmallProjectBytes();
            Poke(file.bytes, file.At(field), width, uint32_t(std::stoul(value, nullptr, 0)));
            ExpectRefused(file.bytes, reason);
            ++count;
        }
        EXPECT_EQ(count, 39);
    }

    // Loads `bytes` into a fresh project, expecting success.
    std::unique_ptr<CMapProject> LoadedFrom(const Bytes& bytes)
    {
        auto loaded = FreshProject();
        std::string error;
        EXPECT_EQ(loaded->LoadFromBytes(bytes, "small.fw", error), 1) << error;
        return loaded;
    }

    platform::TemporaryFolder folder;
};

} // namespace

// ---- The stored form, byte by byte -----------------------------------------

TEST_F(ProjectFileTest, EmptyProjectStoresHeaderPlayersConditionsCountsAndOneTable)
{
    const std::vector<uint8_t> bytes = ProjectFixture("empty-project.hex").bytes;
    EXPECT_EQ(Stored(project), bytes);

    // The same bytes read into a fresh project store the same bytes again.
    EXPECT_EQ(Stored(*LoadedFrom(bytes)), bytes);
}

// Storing again gives the same bytes, so every stored field was read back;
// what follows checks only what the bytes do not show.
TEST_F(ProjectFileTest, SmallProjectReadsBackIntoTheSameRecords)
{
    BuildSmallProject();
    const Bytes bytes = SmallProjectBytes().bytes;
    const auto loaded = LoadedFrom(bytes);
    EXPECT_EQ(Stored(*loaded), bytes);
    EXPECT_FALSE(loaded->IsModified());
    EXPECT_EQ(loaded->GetFileName(), fs::path("small.fw"));

    const CProvince& north = *loaded->GetProvinces().GetAt(0);
    EXPECT_EQ(&north.GetProject(), loaded.get());
    EXPECT_EQ(north.anyArmy, 1);
    EXPECT_EQ(north.castleX, 1); // the stored places, not the piece's
    EXPECT_EQ(loaded->GetPlayers().GetAt(0).capital, &north);
    EXPECT_EQ(loaded->GetPlayers().GetAt(1).capital, nullptr);
    EXPECT_EQ(loaded->GetPieces().GetAt(0)->neighbours[0], 1); // stored last first, read back into memory order

    EXPECT_EQ(MaskRows(loaded->GetPieces().GetAt(0)->mask), (std::vector<std::string>{"###", "...", "..#"}));
    // The piece map is rebuilt from the masks.
    EXPECT_EQ(loaded->GetPieceAt(2, 2), 0u);
    EXPECT_EQ(loaded->GetPieceAt(1, 1), CMapProject::kNoPiece);
    EXPECT_EQ(loaded->GetPieceAt(5, 0), 3u);
    // The catalogue lists are the set-up's, not the file's.
    EXPECT_EQ(loaded->GetIconPivots()[1], (TPoint{7, 8}));
}

// Bit k of a mask's stream is pixel (k / height, k % height), whatever the mask's shape.
TEST_F(ProjectFileTest, MaskBitsRunColumnByColumnWhateverTheShape)
{
    BuildSmallProject();
    project.SetMapSize(16, 12);
    const CProvinceMap& wide = AddPiece(0, 3, {"#.#.#", "##..#"}); // columns 11 01 10 00 11
    // Columns 101100101 011011001: the second column's bits straddle bytes.
    const CProvinceMap& tall = AddPiece(8, 0, {"#.", ".#", "##", "#.", ".#", ".#", "#.", "..", "##"});
    const Bytes stored = Stored(project);
    for (const Bytes& run : {Bytes{5, 0, 2, 0, 0xD8, 0xC0}, Bytes{2, 0, 9, 0, 0xB2, 0xB6, 0x40}})
        EXPECT_NE(std::search(stored.begin(), stored.end(), run.begin(), run.end()), stored.end());
    const auto loaded = LoadedFrom(stored);
    for (const CProvinceMap* piece : {&wide, &tall})
        EXPECT_EQ(MaskRows(loaded->GetPieces().GetAt(project.GetPieces().IndexOf(piece))->mask), MaskRows(piece->mask));
}

TEST_F(ProjectFileTest, UnsetReferencesStoreAllBitsSetAndReadBackUnset)
{
    BuildSmallProject();
    project.lose.province = CLoseCondsB::kUnset;
    CProvince stray(project);
    Player(0).capital = &stray; // outside the province list
    test::HexBytes file = SmallProjectBytes();
    file.bytes[file.At("lose-province")] = 0xFF;
    file.bytes[file.At("capital")] = 255;
    EXPECT_EQ(Stored(project), file.bytes);
    EXPECT_EQ(LoadedFrom(file.bytes)->lose.province, CLoseCondsB::kUnset);

    file.bytes[file.At("capital")] = 7; // an index past the one province
    EXPECT_EQ(LoadedFrom(file.bytes)->GetPlayers().GetAt(0).capital, nullptr);
}

// ---- Round trip ------------------------------------------------------------

TEST_F(ProjectFileTest, RichProjectSavesLoadsAndSavesTheSameBytes)
{
    const unsigned seed = 20240611;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    auto below = [&](int n) { return int(random() % unsigned(n)); };

    project.SetMapSize(120, 90);
    AddTable().SetMissionName("Second language");
    // Pieces of random shapes in a grid, each with its right and lower neighbours.
    constexpr int kColumns = 6, kRows = 4;
    for (int row = 0; row < kRows; ++row)
        for (int column = 0; column < kColumns; ++column) {
            std::vector<std::string> rows(size_t(5 + below(15)), std::string(size_t(5 + below(15)), '.'));
            for (std::string& line : rows)
                for (char& pixel : line)
                    pixel = below(3) ? '#' : '.';
            CProvinceMap& piece = AddPiece(column * 20, row * 22, rows, uint32_t(below(6)));
            piece.color = random(), piece.pieceFlag = uint32_t(below(2)), piece.reserved = random();
            piece.castleX = uint16_t(below(5)), piece.armyY = uint16_t(below(5));
        }
    for (int i = 0; i < kColumns * kRows; ++i) {
        if ((i + 1) % kColumns)
            project.GetPieces().GetAt(i)->AddNeighbour(uint16_t(i + 1));
        if (i + kColumns < kColumns * kRows)
            project.GetPieces().GetAt(i)->AddNeighbour(uint16_t(i + kColumns));
    }
    for (int i = 0; i < 7; ++i) {
        CProvince& province = AddProvince(below(7) == 6 ? 255 : below(6));
        province.army.SetSize(3), province.resources.SetSize(2);
        for (int u = 0; u < 3; ++u)
            province.SetArmy(u, random() % 50);
        province.SetResource(1, below(200)), province.SetCastleHP(25 * below(5)), province.SetCatapults(below(8));
        province.linked = 1, province.pieceIndex = 3 * i;
        province.castleX = uint16_t(below(10)), province.armyX = uint16_t(below(10));
        province.markerX = uint16_t(below(120)), province.markerY = uint16_t(below(90));
        Table(0).SetProvinceName(&province, "Province " + std::to_string(i));
        Table(1).SetProvinceName(&province, "Provinz " + std::to_string(i));
    }
    for (uint32_t p = 0; p < 6; ++p) {
        CPlayerData& player = Player(p);
        player.active = p % 2, player.control = uint8_t(random()), player.capital = project.GetProvinces().GetAt(int(p));
        player.SetArmy(1, random() % 1000), player.SetTreasury(0, below(60000));
        Table(0).SetPlayerName(int(p), "Lord " + std::to_string(p));
    }
    for (int i = 0; i < 5; ++i) {
        CEvent& event = *project.GetEvents().AddEvent();
        event.turn = uint16_t(1 + below(200)), event.players[size_t(below(6))] = 1, event.enabled = uint32_t(below(2));
        event.resData.increase[1] = uint8_t(below(256));
        Table(1).SetEventText(event.id, "Ereignis\r\nmit zwei Zeilen");
    }
    project.GetEvents().DeleteEvent(project.GetEvents().GetEvent(1)); // a gap in the ids
    Table(0).SetAuthorNotes("Notes \xe9\xe8 in Windows-1252");
    Table(0).spareTexts[37] = "kept as is";
    project.victory.kind = CVictoryCondsB::kCaptureProvince, project.victory.captureProvince = 6;
    project.lose.kind = CLoseCondsB::kTimeExpires, project.MaxExp = 1234567;

    const fs::path path = folder.Path() / "rich.fw";
    std::string error;
    ASSERT_EQ(project.Save(path, error), 1) << error;
    const Bytes first = ReadFile(path);
    EXPECT_EQ(first, Stored(project));

    auto loaded = FreshProject();
    ASSERT_EQ(loaded->Load(path, error), 1) << error;
    const fs::path again = folder.Path() / "again.fw";
    ASSERT_EQ(loaded->Save(again, error), 1) << error;
    EXPECT_EQ(ReadFile(again), first);

    // Spot checks that the bytes stand for the same project.
    EXPECT_EQ(loaded->GetStringTables().GetCount(), 2);
    EXPECT_EQ(loaded->GetStringTables().GetAt(1)->GetProvinceNameAt(6), "Provinz 6");
    EXPECT_EQ(loaded->GetPlayers().GetAt(5).capital, loaded->GetProvinces().GetAt(5));
    for (int i = 0; i < kColumns * kRows; ++i) {
        const CProvinceMap& original = *project.GetPieces().GetAt(i);
        const CProvinceMap& copy = *loaded->GetPieces().GetAt(i);
        ASSERT_EQ(MaskRows(copy.mask), MaskRows(original.mask)) << "piece " << i;
        ASSERT_TRUE(copy.neighbours == original.neighbours) << "piece " << i;
    }
}

// ---- Saving ----------------------------------------------------------------

TEST_F(ProjectFileTest, SaveAndLoadClearModifiedShowTheirStagesAndRememberTheFile)
{
    BuildSmallProject();
    RecordingProgress progress;
    project.SetProgressDisplay(&progress);
    project.SetModified();
    const fs::path path = folder.Path() / "small.fw";
    std::string error;
    ASSERT_EQ(project.Save(path, error), 1) << error;
    EXPECT_EQ(ReadFile(path), SmallProjectBytes().bytes);
    EXPECT_FALSE(project.IsModified());
    auto loaded = FreshProject();
    loaded->SetProgressDisplay(&progress);
    loaded->SetModified();
    ASSERT_EQ(loaded->Load(path, error), 1) << error;
    EXPECT_EQ(loaded->GetFileName(), path);
    EXPECT_FALSE(loaded->IsModified());
    // Only the outer stage opens and closes the window; the map rebuild's stage runs inside it.
    EXPECT_EQ(progress.calls, (Calls{"start Saving project... 3", "step 1", "step 2", "step 3", "end",
                                     "start Loading data... 3", "step 1", "step 2", "step 3",
                                     "start Reassign map indexes... 4", "step 0", "step 1", "step 2", "step 3", "end"}));
}

TEST_F(ProjectFileTest, SaveThatCannotWriteItsTemporaryFileKeepsTheOldFileAndTheModifiedFlag)
{
    // A name that fits the folder while the temporary name beside it does not.
    const fs::path path = folder.Path() / (std::string(250, 'n') + ".fw");
    const Bytes old = {'o', 'l', 'd'};
    std::ofstream(path) << "old";
    std::string error;
    BuildSmallProject();
    project.SetModified();
    RecordingProgress progress;
    project.SetProgressDisplay(&progress);
    EXPECT_EQ(project.Save(path, error), 0);
    EXPECT_NE(error.find(path.filename().string()), std::string::npos) << error;
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_TRUE(project.IsModified());
    EXPECT_FALSE(progress.shown);
}

TEST_F(ProjectFileTest, SaveRefusesAProjectThatWouldNotLoadBack)
{
    BuildSmallProject();
    project.GetProvinces().GetAt(0)->pieceIndex = 9; // past the four pieces
    project.SetModified();
    const fs::path path = folder.Path() / "broken.fw";
    std::string error;
    EXPECT_EQ(project.Save(path, error), 0);
    EXPECT_NE(error.find("would not load back: province 1 lies on piece 9"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(project.IsModified());
}

// ---- Loading ---------------------------------------------------------------

TEST_F(ProjectFileTest, MissingFileFailsWithItsNameAndLeavesTheProject)
{
    BuildSmallProject();
    const Bytes before = Stored(project);
    RecordingProgress progress;
    project.SetProgressDisplay(&progress);
    std::string error;
    EXPECT_EQ(project.Load(folder.Path() / "absent.fw", error), 0);
    EXPECT_NE(error.find("absent.fw"), std::string::npos) << error;
    EXPECT_EQ(Stored(project), before);
    EXPECT_FALSE(progress.shown);
}

TEST_F(ProjectFileTest, LoadOverAProjectForgetsWhatTheViewsShowedOfIt)
{
    CallLog log;
    RecordingWorldView world(log);
    project.SetWorldView(&world);
    TLayerCollection layers;
    project.SetWorldLayers(&layers);
    BuildSmallProject();
    project.GetSelection().Add(project.GetProvinces().GetAt(0));
    project.GetProvinces().GetAt(0)->markerX = 41; // names the province in the log

    const Bytes bytes = SmallProjectBytes().bytes;
    std::string error;
    ASSERT_EQ(project.LoadFromBytes(bytes, "small.fw", error), 1) << error;
    ASSERT_EQ(project.LoadFromBytes(bytes, "small.fw", error), 1) << error;
    EXPECT_EQ(log, (CallLog{"forget 41", "forget 6"}));
    EXPECT_EQ(project.GetSelection().Count(), 0);
    // The overlay of walking paths exists once, under everything, over the loaded world.
    EXPECT_EQ(layers.Count(), 1);
    ASSERT_NE(project.GetLinksLayer(), nullptr);
    EXPECT_EQ(project.GetLinksLayer()->Bitmap()->Width(), 7);
    EXPECT_EQ(&project.GetPlayers().GetAt(0).GetProject(), &project);
    EXPECT_EQ(&project.GetProvinces().GetAt(0)->GetProject(), &project);
}

// ---- Refusals: a cut or altered field, the open project untouched -----------

TEST_F(ProjectFileTest, EveryCutOfTheFileAndBytesAfterItAreRefused)
{
    BuildSmallProject();
    const Bytes whole = SmallProjectBytes().bytes;
    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE("cut to " + std::to_string(length) + " bytes");
        const Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        std::string error;
        ASSERT_EQ(project.LoadFromBytes(cut, "cut.fw", error), 0);
        ASSERT_FALSE(error.empty());
    }
    EXPECT_EQ(Stored(project), whole);
    ExpectRefused(Bytes(whole.begin(), whole.begin() + 3), "cut short");
    ExpectRefused(Bytes(whole.begin(), whole.end() - 1), "cut short");
    Bytes longer = whole;
    longer.push_back(0);
    ExpectRefused(longer, "1 byte follows the end of the project");
}

TEST_F(ProjectFileTest, FieldsOutsideWhatTheProjectCanHoldAreRefused)
{
    BuildSmallProject();
    ExpectRefusals();
    // Each side possible, but too many pixels together.
    test::HexBytes file = SmallProjectBytes();
    Poke(file.bytes, file.At("map-width"), 2, 32000);
    Poke(file.bytes, file.At("map-height"), 2, 32000);
    ExpectRefused(file.bytes, "map size 32000 x 32000");
    // A world as large as a picture may be, which no pieces cover (it would take gigabytes).
    Poke(file.bytes, file.At("map-width"), 2, 16384);
    Poke(file.bytes, file.At("map-height"), 2, 16384);
    ExpectRefused(file.bytes, "the 16384 x 16384 world is larger than its pieces can cover (their masks hold 12 pixels)");
    // In place of the four pieces, `count` records (no neighbours) over a 4096 x 4096 world, mask bits
    // all `fill`. Refused before any mask is made: twenty full ones set its pixels twenty times, seventeen
    // empty ones hold too much mask.
    Poke(file.bytes, file.At("map-width"), 2, 4096);
    Poke(file.bytes, file.At("map-height"), 2, 4096);
    const size_t list = file.At("piece-count"), record = 39 + 4096 * 4096 / 8;
    auto wholeWorldPieces = [&](uint8_t count, uint8_t fill) {
        Bytes piece(record, fill), bytes(file.bytes.begin(), file.bytes.begin() + list);
        std::fill_n(piece.begin(), 39, 0);
        for (size_t at : {6, 10, 35, 37}) // right, bottom, mask width, mask height
            Poke(piece, at, 2, at < 35 ? 4095 : 4096);
        bytes.insert(bytes.end(), {count, 0});
        for (int i = 0; i < count; ++i)
            bytes.insert(bytes.end(), piece.begin(), piece.end());
        bytes.insert(bytes.end(), file.bytes.begin() + file.At("table-count"), file.bytes.end());
        return bytes;
    };
    const Bytes twenty = wholeWorldPieces(20, 0xFF), seventeen = wholeWorldPieces(17, 0);
    HeapMeter meter;
    ExpectRefused(twenty, "the masks of pieces 0 to 1 set 33554432 pixels, more than the 4096 x 4096 world has (byte " +
                              std::to_string(list + 2 + record + 39) + ")");
    ExpectRefused(seventeen, "the pieces' masks hold 285212672 pixels together, more than the 268435456 that the "
                             "pieces of a world may take (byte " + std::to_string(list) + ")");
    EXPECT_LT(meter.Peak(), size_t(1) << 20);
    // Two provinces on one piece.
    AddProvince(1).pieceIndex = 0;
    ExpectRefused(Stored(project), "province 2 lies on piece 0, which province 1 holds already (byte 3");
}

TEST_F(ProjectFileTest, PicturePathsLeavingTheResourceFolderAreRefused)
{
    BuildSmallProject();
    for (const char* path : {"/etc/passwd", "../secret.bmp", "castles/../../x.bmp", "\\\\server\\share.bmp",
                             "C:\\pictures\\keep.bmp", "..\\x.bmp"}) {
        SCOPED_TRACE(path);
        Table().SetCastlePicturePath(0, path);
        const Bytes bytes = Stored(project);
        Table().SetCastlePicturePath(0, kCastlePath);
        ExpectRefused(bytes, std::string("the picture path \"") + path + "\" of castle type 0 leaves the resource folder");
    }
    // Inside the folder, however written, is fine; so is a path of a type the project does not count.
    Table().SetArmyPicturePath(0, "armies/./old/../camp.bmp");
    Table().SetArmyPicturePath(1, "/not/counted.bmp");
    std::string error;
    EXPECT_EQ(FreshProject()->LoadFromBytes(Stored(project), "fine.fw", error), 1) << error;
}

// ---- Repairs of what older files hold ----------------------------------------

TEST_F(ProjectFileTest, ConditionProvincesPastTheListAreUnsetAndTheProjectMarkedModified)
{
    BuildSmallProject();
    test::HexBytes file = SmallProjectBytes();
    file.bytes[file.At("capture")] = 1;
    file.bytes[file.At("lose-province")] = 3;
    const auto loaded = LoadedFrom(file.bytes);
    EXPECT_EQ(loaded->victory.captureProvince, CVictoryCondsB::kUnset);
    EXPECT_EQ(loaded->lose.province, CLoseCondsB::kUnset);
    EXPECT_TRUE(loaded->IsModified());
}

TEST_F(ProjectFileTest, AnEventSharingAnIdWhenNewEventsHaveNoneLeftGetsOneOfItsOwn)
{
    BuildSmallProject();
    while (project.GetEvents().AddEvent()) {
    } // ids 0 to 139
    ASSERT_TRUE(project.GetEvents().Resize(141)); // a last event with id 0 again
    const auto loaded = LoadedFrom(Stored(project));
    CEventList& events = loaded->GetEvents();
    ASSERT_EQ(events.GetCount(), 141);
    EXPECT_EQ(events.GetEvent(140)->id, 140);
    EXPECT_EQ(events.DeleteEvent(events.GetEvent(0)), 1);
    EXPECT_EQ(loaded->GetStringTables().GetAt(0)->GetEventTitle(140), Table().GetEventTitle(0));
    EXPECT_TRUE(loaded->IsModified());
}

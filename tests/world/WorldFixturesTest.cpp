// Small world pictures next to the pieces, neighbours, warnings and provinces
// the import and the province creation make of them (tests/world/fixtures/*.world).
//
// A fixture file: '#' comment lines, "scale N", "world" followed by the picture
// drawn as WorldArt characters, "expect" followed by the summary lines below.
#include "world/ImportFixture.h"

#include <fstream>
#include <sstream>

namespace {

struct WorldFixture {
    std::string name;
    int scale = 1;
    std::vector<std::string> world;
    std::vector<std::string> expected;
};

// Every fixture of the folder, in name order.
std::vector<WorldFixture> AllFixtures()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(VALDRUNE_SOURCE_DIR "/tests/world/fixtures"))
        if (entry.path().extension() == ".world")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<WorldFixture> fixtures;
    for (const auto& file : files) {
        WorldFixture& fixture = fixtures.emplace_back(WorldFixture{file.stem().string()});
        std::ifstream in(file);
        std::vector<std::string>* section = nullptr;
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("scale "))
                fixture.scale = std::stoi(line.substr(6));
            else if (line == "world" || line == "expect")
                section = line == "world" ? &fixture.world : &fixture.expected;
            else if (section && !line.empty() && line[0] != '#')
                section->push_back(line);
        }
    }
    return fixtures;
}

class WorldFixturesTest : public ImportTest, public testing::WithParamInterface<WorldFixture> {};

} // namespace

TEST_P(WorldFixturesTest, ImportAndProvincesGiveTheExpectedWorld)
{
    const WorldFixture& fixture = GetParam();
    ASSERT_FALSE(fixture.world.empty());
    ASSERT_EQ(Import(WorldFromArt(fixture.world, fixture.scale)), 1);
    project.CreateProvincesFromPieces();
    // One line per piece, warning and province, in that order.
    std::vector<std::string> lines;
    for (int i = 0; i < PieceCount(); ++i) {
        const CProvinceMap& piece = Piece(i);
        std::ostringstream line;
        line << "piece " << i << ' ' << ArtChar(piece.color) << " kind " << piece.kind << " pixels "
             << piece.pixelCount;
        if (piece.IsProvince())
            line << " castle " << piece.castleX << ',' << piece.castleY << " army " << piece.armyX << ','
                 << piece.armyY;
        line << " neighbours ";
        for (int n = 0; n < piece.neighbours.GetSize(); ++n)
            line << (n ? "," : "") << piece.neighbours[n];
        if (piece.neighbours.GetSize() == 0)
            line << '-';
        lines.push_back(line.str());
    }
    for (const std::string& text : WarningTexts())
        lines.push_back("warning " + text);
    for (int i = 0; i < project.GetProvinces().GetSize(); ++i) {
        const CProvince& province = Province(i);
        lines.push_back("province " + Table().GetProvinceName(&province) + " piece " +
                        std::to_string(province.pieceIndex) + " at " + std::to_string(province.markerX) + "," +
                        std::to_string(province.markerY));
    }
    EXPECT_EQ(lines, fixture.expected);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WorldFixturesTest, testing::ValuesIn(AllFixtures()),
                         [](const testing::TestParamInfo<WorldFixture>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

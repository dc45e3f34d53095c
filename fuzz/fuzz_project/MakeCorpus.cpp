// Writes the seed corpus of fuzz_project into the folder named on the command
// line: saved projects from empty to one with every kind of record, a few
// that older files or damage produce, and hostile ones.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "model/MapProject.h"
#include "platform/FileSystem.h"
#include "SetUpProject.h"

namespace {

// A piece whose mask is a `width` × `height` box with its corners cut off.
CProvinceMap& AddPiece(CMapProject& project, int left, int top, int width, int height, uint32_t kind)
{
    auto piece = std::make_unique<CProvinceMap>(project);
    piece->left = int16_t(left);
    piece->top = int16_t(top);
    piece->right = int16_t(left + width - 1);
    piece->bottom = int16_t(top + height - 1);
    piece->kind = kind;
    piece->color = 0xFF000000u | uint32_t(left * 977 + top * 131);
    piece->mask.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((x != 0 && x != width - 1) || (y != 0 && y != height - 1)) {
                piece->mask.SetPixel(x, y, CProvinceMap::kMergedPixel);
                ++piece->pixelCount;
            }
    CProvinceMap& added = *piece;
    project.GetPieces().Add(std::move(piece));
    return added;
}

// A 3 × 2 grid of pieces, four of them provinces, two players with capitals,
// events and texts in two languages.
void BuildWorld(CMapProject& project)
{
    project.SetMapSize(60, 40);
    for (int i = 0; i < 6; ++i) {
        const uint32_t kind = i < 4 ? CProvinceMap::kProvince : i == 4 ? CProvinceMap::kOcean : CProvinceMap::kGreenLand;
        CProvinceMap& piece = AddPiece(project, 20 * (i % 3), 20 * (i / 3), 17 + i % 3, 15 + i / 3, kind);
        piece.castleX = piece.castleY = 4;
        piece.armyX = piece.armyY = 8;
    }
    for (int i = 0; i < 6; ++i) {
        if (i % 3 != 2)
            project.GetPieces().GetAt(i)->AddNeighbour(uint16_t(i + 1));
        if (i < 3)
            project.GetPieces().GetAt(i)->AddNeighbour(uint16_t(i + 3));
    }
    project.GetStringTables().Add(std::make_unique<CStringTable>(project));
    for (int i = 0; i < 4; ++i) {
        auto province = std::make_unique<CProvince>(project);
        CProvince& added = *province;
        project.GetProvinces().Add(std::move(province));
        added.army.SetSize(project.GetUnitTypeCount());
        added.resources.SetSize(project.resources);
        added.SetResource(i % 2, 3 + i);
        added.SetArmy(1, 20u * uint32_t(i));
        added.linked = 1;
        added.pieceIndex = i;
        added.castleX = added.castleY = 4;
        added.armyX = added.armyY = 8;
        added.markerX = uint16_t(20 * (i % 3) + 4);
        added.markerY = uint16_t(20 * (i / 3) + 4);
        added.SetOwner(i < 2 ? i : 255);
        project.GetStringTables().GetAt(0)->SetProvinceName(&added, "Province " + std::to_string(i));
        project.GetStringTables().GetAt(1)->SetProvinceName(&added, "Provinz " + std::to_string(i));
    }
    for (uint32_t p = 0; p < 2; ++p) {
        CPlayerData& player = project.GetPlayers().GetAt(p);
        player.active = 1;
        player.control = p == 0 ? 0 : 3;
        player.capital = project.GetProvinces().GetAt(int(p));
        player.SetTreasury(1, 500);
    }
    for (int i = 0; i < 3; ++i) {
        CEvent& event = *project.GetEvents().AddEvent();
        event.turn = uint16_t(5 * (i + 1));
        event.players[size_t(i)] = 1;
        event.effect = uint8_t(i);
        event.resData.increase[0] = 9;
    }
    project.GetStringTables().GetAt(0)->SetAuthorNotes("Two lines\r\nof notes");
    project.victory.kind = CVictoryCondsB::kCaptureProvince;
    project.victory.captureProvince = 3;
    project.lose.kind = CLoseCondsB::kLoseProvince;
    project.lose.province = 0;
}

bool Write(const std::filesystem::path& folder, const char* name, const std::vector<uint8_t>& bytes)
{
    std::string error;
    if (platform::WriteFileAtomically(folder / name, bytes, error))
        return true;
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    bool ok = true;

    CMapProject empty;
    SetUpProject(empty);
    ok &= Write(folder, "empty.fw", Stored(empty));

    CMapProject world;
    SetUpProject(world);
    BuildWorld(world);
    const std::vector<uint8_t> whole = Stored(world);
    ok &= Write(folder, "world.fw", whole);
    ok &= Write(folder, "world-cut.fw", std::vector<uint8_t>(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2)));

    // What older files may hold: events sharing an id, conditions past the provinces.
    world.GetEvents().GetEvent(2)->id = world.GetEvents().GetEvent(0)->id;
    world.victory.captureProvince = 40;
    world.lose.province = 7;
    ok &= Write(folder, "world-older.fw", Stored(world));

    // Hostile files: a world no pieces cover, pieces that set more pixels than
    // the world has, two provinces on one piece, a marker far outside.
    empty.SetMapSize(16384, 16384);
    ok &= Write(folder, "huge-empty-world.fw", Stored(empty));
    CMapProject overlapping;
    SetUpProject(overlapping);
    BuildWorld(overlapping);
    for (int i = 0; i < 4; ++i)
        AddPiece(overlapping, 0, 0, 17, 15, CProvinceMap::kGreenLand);
    ok &= Write(folder, "overlapping-pieces.fw", Stored(overlapping));
    world.GetProvinces().GetAt(1)->pieceIndex = 0;
    ok &= Write(folder, "shared-piece.fw", Stored(world));
    world.GetProvinces().GetAt(1)->pieceIndex = 1;
    world.GetProvinces().GetAt(1)->markerX = 65535;
    ok &= Write(folder, "marker-outside.fw", Stored(world));
    return ok ? 0 : 1;
}

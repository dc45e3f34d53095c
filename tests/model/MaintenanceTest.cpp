#include "model/MapProject.h"

#include "ProjectFixture.h"
#include "RecordingViews.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Calls = std::vector<std::string>;

// ---- Piece map and empty pieces --------------------------------------------

class PieceMapTest : public SetUpProjectTest {
protected:
    PieceMapTest() { project.SetProgressDisplay(&progress); }
    RecordingProgress progress;
};

TEST_F(PieceMapTest, EveryPixelOfANonEmptyPieceMapsToItsIndex)
{
    project.SetMapSize(6, 4);
    AddPiece(0, 0, {"###", "##.", "#.."});
    AddPiece(1, 1, {"##", "##"}); // overlaps the first: the later piece wins
    CProvinceMap& ghost = AddSolidPiece(4, 0, 2, 2);
    ghost.pixelCount = 0;         // emptied: its mask is ignored
    AddSolidPiece(5, 3, 5, 5);    // reaching past the map: clipped
    project.ReassignMapIndexes();
    EXPECT_EQ(project.GetPieceAt(-1, 0), CMapProject::kNoPiece);
    EXPECT_EQ(project.GetPieceAt(6, 3), CMapProject::kNoPiece);
    const char* expected[] = {"000...", "011...", "011...", ".....3"};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint32_t want = expected[y][x] == '.' ? CMapProject::kNoPiece : uint32_t(expected[y][x] - '0');
            EXPECT_EQ(project.GetPieceAt(x, y), want) << x << "," << y;
        }
    EXPECT_EQ(progress.calls, (Calls{"start Reassign map indexes... 4", "step 0", "step 1", "step 2", "step 3", "end"}));
}

TEST_F(PieceMapTest, PurgeRemovesEveryEmptyPieceAndRenumbers)
{
    for (int i = 0; i < 5; ++i)
        AddSolidPiece(2 * i, 0, 2, 2);
    CProvinceMapList& pieces = project.GetPieces();
    pieces.GetAt(0)->AddNeighbour(4);
    pieces.GetAt(4)->AddNeighbour(3);
    CProvinceMap* first = pieces.GetAt(0);
    CProvinceMap* last = pieces.GetAt(4);
    pieces.GetAt(1)->pixelCount = 0;
    pieces.GetAt(2)->pixelCount = 0; // two in a row: the walk stays in place after a removal
    project.PurgeProvinceMaps();
    ASSERT_EQ(pieces.GetCount(), 3);
    EXPECT_EQ(pieces.GetAt(0), first);
    EXPECT_EQ(pieces.GetAt(2), last);
    ASSERT_EQ(first->neighbours.GetSize(), 1);
    EXPECT_EQ(first->neighbours[0], 2);
    ASSERT_EQ(last->neighbours.GetSize(), 2);
    EXPECT_EQ(last->neighbours[1], 1);
}

// ---- Deleting the selected provinces ---------------------------------------

class DeleteProvincesTest : public SetUpProjectTest {
protected:
    DeleteProvincesTest() : world(log), views(log), rows(log)
    {
        project.SetWorldView(&world);
        project.SetProjectViews(&views);
        warnings.SetView(&rows);
        project.SetWarnings(&warnings);
        AddTable();
        for (int i = 0; i < 5; ++i) {
            CProvince& province = AddProvince(1);
            province.markerX = uint16_t(i);
            for (int t = 0; t < 2; ++t)
                Table(t).SetProvinceName(&province, "P" + std::to_string(i));
        }
        project.SetModified(false);
    }

    CProvince* Province(int i) { return project.GetProvinces().GetAt(i); }

    CallLog log;
    RecordingWorldView world;
    RecordingProjectViews views;
    RecordingWarningsView rows;
    CErrorList warnings;
};

TEST_F(DeleteProvincesTest, ConditionsFollowTheProvinceTheyName)
{
    project.victory.captureProvince = 4; // past the deleted: moves down
    project.lose.province = 3;
    project.GetSelection().Add(Province(1));
    project.GetSelection().Add(Province(2));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(project.GetProvinces().GetSize(), 3);
    EXPECT_EQ(project.victory.captureProvince, 2);
    EXPECT_EQ(project.lose.province, 1);
    EXPECT_TRUE(project.IsModified());

    project.victory.captureProvince = 1; // on the deleted: unset
    project.lose.province = 1;
    project.GetSelection().Add(Province(1));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(project.victory.captureProvince, CVictoryCondsB::kUnset);
    EXPECT_EQ(project.lose.province, CLoseCondsB::kUnset);

    project.victory.captureProvince = 0; // below the deleted: kept
    project.lose.province = 0;
    project.GetSelection().Add(Province(1));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(project.victory.captureProvince, 0);
    EXPECT_EQ(project.lose.province, 0);
}

TEST_F(DeleteProvincesTest, NamesOwnersAndViewsFollow)
{
    project.DeleteSelectedProvinces(); // an empty selection changes nothing
    EXPECT_EQ(project.GetProvinces().GetSize(), 5);
    EXPECT_FALSE(project.IsModified());
    EXPECT_TRUE(log.empty());

    Player(1).SetCapital(Province(3));
    project.GetSelection().Add(Province(3));
    project.GetSelection().Add(Province(0));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(Player(1).capital, nullptr);
    EXPECT_EQ(project.GetSelection().Count(), 0);
    for (int t = 0; t < 2; ++t)
        EXPECT_EQ((std::vector<std::string>{Table(t).GetProvinceNameAt(0), Table(t).GetProvinceNameAt(1),
                                            Table(t).GetProvinceNameAt(2), Table(t).GetProvinceNameAt(3)}),
                  (std::vector<std::string>{"P1", "P2", "P4", ""}));
    EXPECT_EQ(Province(2)->markerX, 4);
    EXPECT_EQ(log, (CallLog{"forget 3", "forget 0", "clear rows", "provinces deleted"}));
}

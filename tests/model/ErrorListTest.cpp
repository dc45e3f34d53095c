#include "model/ErrorList.h"

#include "ProjectFixture.h"
#include "RecordingViews.h"

#include <gtest/gtest.h>

namespace {

class ErrorListTest : public SetUpProjectTest {
protected:
    ErrorListTest() : world(log), rows(log)
    {
        project.SetWorldView(&world);
        warnings.SetView(&rows);
        project.SetMapSize(20, 20);
        target = &AddPiece(2, 2, {"####", "####", "####"});
        small = &AddPiece(6, 3, {"##", "#."}, CProvinceMap::kSmall);
        other = &AddSolidPiece(10, 10, 2, 2);
    }

    CErrorConnect* AddConnect()
    {
        auto warning = std::make_unique<CErrorConnect>(project, *small, target);
        CErrorConnect* raw = warning.get();
        warnings.Add(std::move(warning));
        return raw;
    }
    CErrorConverted* AddConverted(CProvinceMap* piece)
    {
        auto warning = std::make_unique<CErrorConverted>(project, piece, "Piece was converted to green land");
        CErrorConverted* raw = warning.get();
        warnings.Add(std::move(warning));
        return raw;
    }

    CallLog log;
    RecordingWorldView world;
    RecordingWarningsView rows;
    CErrorList warnings;
    CProvinceMap* target = nullptr;
    CProvinceMap* small = nullptr;
    CProvinceMap* other = nullptr;
};

} // namespace

TEST_F(ErrorListTest, ConnectRecordsTheSmallPieceAndNamesTheTargetsProvince)
{
    CErrorConnect* connect = AddConnect();
    EXPECT_EQ(connect->GetRect(), (TRect{6, 3, 8, 5}));
    EXPECT_EQ(connect->GetMask().GetAt(0, 0), CErrorConnect::kSmallPixel);
    EXPECT_EQ(connect->GetMask().GetAt(0, 1), CErrorConnect::kSmallPixel);
    EXPECT_EQ(connect->GetMask().GetAt(1, 1), CErrorConnect::kNothing);
    EXPECT_EQ(connect->GetText(), "Piece was connected to <unhandled map>");
    EXPECT_EQ(connect->GetImageIndex(), 22);
    CProvince& province = AddProvince();
    province.pieceIndex = 0;
    Table().SetProvinceName(&province, "Vale");
    warnings.FillListView(); // one row per warning, its text as it reads now
    EXPECT_EQ(log, (CallLog{"clear rows", "row Piece was connected to Vale [22]"}));
}

TEST_F(ErrorListTest, ShowingConnectPaintsTheSmallPieceIntoTheTargetClipped)
{
    CProvince& selected = AddProvince();
    project.GetSelection().Add(&selected);
    CErrorConnect* connect = AddConnect();
    connect->Show();
    EXPECT_EQ(warnings.GetCurrent(), connect);
    EXPECT_EQ(project.GetSelection().Count(), 0);
    EXPECT_EQ(target->highlight, 1u);
    // The small piece starts one column right of the target's 4 × 3 mask and
    // one row down: nothing of it falls inside, and nothing is written outside.
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target->mask.GetPixel(x, y), 0xFF0000CCu) << x << "," << y;
    EXPECT_EQ(log, (CallLog{"rebuild 0", "draw 0", "center 7,4"})); // highlighted, then painted
}

TEST_F(ErrorListTest, ShowingConnectAfterTheMergePaintsRed)
{
    CErrorConnect* connect = AddConnect(); // recorded before the merge empties the small piece
    ASSERT_EQ(target->Merge(small), 1);
    connect->Show();
    EXPECT_EQ(target->mask.GetPixel(4, 1), CErrorConnect::kSmallPixel);
    EXPECT_EQ(target->mask.GetPixel(5, 1), CErrorConnect::kSmallPixel);
    EXPECT_EQ(target->mask.GetPixel(4, 2), CErrorConnect::kSmallPixel);
    EXPECT_EQ(target->mask.GetPixel(5, 2), 0u);
    EXPECT_EQ(target->mask.GetPixel(3, 1), CProvinceMap::kMergedPixel);
}

TEST_F(ErrorListTest, ThePreviousWarningIsHiddenBeforeTheNextIsPaintedOrTheListCleared)
{
    CErrorConnect* first = AddConnect();
    CErrorConverted* second = AddConverted(other);
    first->Show();
    log.clear();
    second->Show();
    EXPECT_EQ(log, (CallLog{"rebuild 0", "draw 2", "center 10,10"}));
    EXPECT_EQ(other->mask.GetPixel(1, 1), 0xFFFF0000u); // the converted piece painted red
    EXPECT_EQ(target->highlight, 0u);
    EXPECT_EQ(warnings.GetCurrent(), second);

    log.clear();
    warnings.Clear();
    EXPECT_EQ(log, (CallLog{"rebuild 2", "clear rows"}));
    EXPECT_EQ(warnings.GetCount(), 0);
    EXPECT_EQ(warnings.GetCurrent(), nullptr);
    warnings.Clear(); // nothing shown: nothing hidden
    EXPECT_EQ(log.back(), "clear rows");
}

TEST_F(ErrorListTest, AWarningWhosePieceIsGoneShowsNothing)
{
    CErrorConverted* converted = AddConverted(other);
    project.GetPieces().Remove(2);
    converted->Show();
    converted->Hide();
    EXPECT_EQ(warnings.GetCurrent(), converted);
    EXPECT_TRUE(log.empty());
}

TEST(ErrorListProcessWide, OneListKeptByTheProject)
{
    EXPECT_EQ(&TheMapProject(), &TheMapProject());
    EXPECT_EQ(&TheErrorList(), &TheErrorList());
    EXPECT_EQ(TheMapProject().GetWarnings(), &TheErrorList());
}

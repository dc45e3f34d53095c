#include "graphics/Layers32.h"
#include "model/MapProject.h"
#include "model/Settings.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class LinksLayerTest : public SetUpProjectTest {
protected:
    LinksLayerTest()
    {
        TheSettings().ShPaths = 1; // "Show Walking Paths" on: new layers are shown
        project.SetMapSize(40, 20);
        project.SetWorldLayers(&layers);
    }
    ~LinksLayerTest() override { TheSettings() = savedSettings; }

    // A province piece at (left, top) of 10 × 10 pixels whose province has its army at (army, army).
    void AddProvincePiece(int left, int top, int army)
    {
        const int index = project.GetPieces().GetCount();
        AddSolidPiece(left, top, 10, 10);
        CProvince& province = AddProvince();
        province.pieceIndex = index;
        province.linked = 1;
        province.armyX = province.armyY = uint16_t(army);
    }

    // Two provinces 20 pixels apart, neighbours, their armies at world (5, 5)
    // and (25, 5); the layer made for them.
    TBitmapLayer* TwoLinkedProvinces()
    {
        AddProvincePiece(0, 0, 5);
        AddProvincePiece(20, 0, 5);
        project.GetPieces().GetAt(0)->AddNeighbour(1);
        return project.CreateLinksLayer();
    }

    int GreenPixels(const TBitmap32& bitmap) const
    {
        int count = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                count += bitmap.GetPixel(x, y) == 0xFF00FF00u;
        return count;
    }

    CSettings savedSettings = TheSettings();
    TLayerCollection layers;
};

} // namespace

TEST_F(LinksLayerTest, ANewLayerLiesUnderEveryOtherCoversTheWorldAndReplacesTheOldOne)
{
    TBitmapLayer* marker = layers.Add<TBitmapLayer>();
    TBitmapLayer* links = project.CreateLinksLayer();
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(project.GetLinksLayer(), links);
    EXPECT_EQ(links->Index(), 0);
    EXPECT_EQ(marker->Index(), 1);
    EXPECT_EQ(links->Bitmap()->Width(), 39);
    EXPECT_EQ(links->Bitmap()->Height(), 19);
    EXPECT_EQ(links->Bitmap()->GetPixel(38, 18), 0u);
    EXPECT_EQ(links->Location(), (TFloatRect{0, 0, 40, 20}));
    EXPECT_TRUE(links->Visible());

    // Creating again replaces the old layer; a layer or view gone leaves none to draw into.
    TBitmapLayer* second = project.CreateLinksLayer();
    EXPECT_EQ(layers.Count(), 2);
    EXPECT_EQ(layers.Items(0), second);
    layers.Clear(); // deleted by the view
    EXPECT_EQ(project.GetLinksLayer(), nullptr);
    project.RedrawLinksLayer();
    project.SetWorldLayers(nullptr);
    EXPECT_EQ(project.CreateLinksLayer(), nullptr);
    project.RedrawLinksLayer();
}

TEST_F(LinksLayerTest, LinesJoinTheArmyPointsOfNeighbouringProvinces)
{
    AddProvincePiece(0, 0, 5);  // army at world (5, 5)
    AddProvincePiece(20, 0, 5); // army at world (25, 5)
    AddSolidPiece(10, 0, 10, 10); // a neighbour without a province
    project.GetPieces().GetAt(0)->AddNeighbour(1);
    project.GetPieces().GetAt(0)->AddNeighbour(2);
    TBitmapLayer* links = project.CreateLinksLayer();
    project.RedrawLinksLayer();
    const TBitmap32& bitmap = *links->Bitmap();
    for (int x = 5; x <= 25; ++x)
        EXPECT_EQ(bitmap.GetPixel(x, 5), 0xFF00FF00u) << x;
    EXPECT_EQ(GreenPixels(bitmap), 21); // drawn once, nothing towards piece 2
}

TEST_F(LinksLayerTest, LinesOffTheLayerAreClipped)
{
    AddProvincePiece(0, 0, 5);
    AddProvincePiece(30, 10, 9); // army at world (39, 19): outside the 39 × 19 bitmap
    project.GetPieces().GetAt(0)->AddNeighbour(1);
    TBitmapLayer* links = project.CreateLinksLayer();
    project.RedrawLinksLayer();
    EXPECT_EQ(links->Bitmap()->GetPixel(5, 5), 0xFF00FF00u);
    EXPECT_GT(GreenPixels(*links->Bitmap()), 20);
}

TEST(LinksLayerLifetime, TheProjectMayGoBeforeTheView)
{
    TLayerCollection layers;
    {
        CMapProject project;
        project.SetMapSize(4, 4);
        project.SetWorldLayers(&layers);
        project.CreateLinksLayer();
    }
    layers.Clear(); // the layer must not call back into the dead project
    EXPECT_EQ(layers.Count(), 0);
}

TEST_F(LinksLayerTest, DeletingAProvinceTakesItsLinesAway)
{
    TBitmapLayer* links = TwoLinkedProvinces();
    project.RedrawLinksLayer();
    ASSERT_GT(GreenPixels(*links->Bitmap()), 0);
    project.GetSelection().Add(project.GetProvinces().GetAt(1));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(GreenPixels(*links->Bitmap()), 0);

    links->SetVisible(false); // a hidden layer is left as it is
    links->Bitmap()->SetPixel(0, 0, 0x12345678);
    project.GetSelection().Add(project.GetProvinces().GetAt(0));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(links->Bitmap()->GetPixel(0, 0), 0x12345678u);
}

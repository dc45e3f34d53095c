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

    // Two provinces on 10 × 10 pieces 20 pixels apart, neighbours, their armies
    // at world (5, 5) and (25, 5); the layer made for them.
    TBitmapLayer* TwoLinkedProvinces()
    {
        for (int i = 0; i < 2; ++i) {
            AddSolidPiece(20 * i, 0, 10, 10);
            CProvince& province = AddProvince();
            province.pieceIndex = i;
            province.linked = 1;
            province.armyX = province.armyY = 5;
        }
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
    for (int x = 5; x <= 25; ++x)
        EXPECT_EQ(links->Bitmap()->GetPixel(x, 5), 0xFF00FF00u) << x;
    ASSERT_EQ(GreenPixels(*links->Bitmap()), 21); // the line between the armies and nothing else
    project.GetSelection().Add(project.GetProvinces().GetAt(1));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(GreenPixels(*links->Bitmap()), 0);

    links->SetVisible(false); // a hidden layer is left as it is
    links->Bitmap()->SetPixel(0, 0, 0x12345678);
    project.GetSelection().Add(project.GetProvinces().GetAt(0));
    project.DeleteSelectedProvinces();
    EXPECT_EQ(links->Bitmap()->GetPixel(0, 0), 0x12345678u);
}

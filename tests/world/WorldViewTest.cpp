// The province layers of the world view: the layers a province gets and their
// order, markers, names, castle and army icons under every view preference,
// and the layer reorder.
#include "world/WorldView.h"

#include <gtest/gtest.h>

#include <vector>

#include "WorldFixture.h"
#include "graphics/Layers32.h"

namespace {

class RecordingRows : public IProjectViews {
public:
    void AddProvinceRow(CProvince&, const std::string& name, const std::string& owner) override
    {
        rows.push_back(name + " | " + owner);
    }
    std::vector<std::string> rows;
};

std::vector<uint16_t> TagKinds(const TLayerCollection& layers)
{
    std::vector<uint16_t> kinds;
    for (int i = 0; i < layers.Count(); ++i) {
        const CLayerTag* tag = GetLayerTag(layers.Items(i));
        kinds.push_back(tag ? tag->kind : 0);
    }
    return kinds;
}

} // namespace

// ---- Creating the layers ----------------------------------------------------------

TEST_F(WorldViewTest, CreateProvinceLayersAddsRowAndFourTaggedLayersInOrder)
{
    RecordingRows rows;
    project.SetProjectViews(&rows);
    project.CreateLinksLayer();
    CProvince& p = AddLinkedProvince(50, 20, 30, 30, 0);
    Table().SetProvinceName(&p, "Avalon");
    ASSERT_EQ(project.CreateProvinceLayers(&p), 1);

    EXPECT_EQ(rows.rows, (std::vector<std::string>{"Avalon | Player 1"}));
    TLayerCollection& layers = *image.Layers();
    // The links overlay stays at the bottom; army, castle, name, then the marker on top.
    EXPECT_EQ(TagKinds(layers), (std::vector<uint16_t>{0, 4, 3, 2, 1}));
    EXPECT_EQ(project.FindNameLayerIndex(&p), 3);
    EXPECT_EQ(GetLayerTag(layers.Items(4))->object, &p);
    EXPECT_EQ(project.FindMarkerLayerIndex(nullptr), -1);
    EXPECT_EQ(project.FindArmyLayer(nullptr), nullptr);
    EXPECT_EQ(project.GetProvinceName(nullptr), "none");
    for (int i = 1; i < 5; ++i) {
        auto* layer = static_cast<TBitmapLayer*>(layers.Items(i));
        EXPECT_FALSE(layer->Scaled());
        EXPECT_TRUE(layer->AlphaHit);
        EXPECT_EQ(layer->Bitmap()->DrawMode(), dmBlend);
    }

    // The marker picture with its magenta made transparent.
    const TBitmap32& marker = *project.FindMarkerLayer(&p)->Bitmap();
    EXPECT_EQ(marker.Width(), 12);
    EXPECT_EQ(marker.GetPixel(0, 0), 0u);
    EXPECT_EQ(marker.GetPixel(1, 0), 0xFF00FF00u);
    // No castle: icon 0; the army layer shows the first army picture.
    EXPECT_EQ(p.castleIcon, 0);
    EXPECT_EQ(project.FindCastleLayer(&p)->Bitmap()->Width(), 10);
    EXPECT_EQ(project.FindArmyLayer(&p)->Bitmap()->Width(), 8);
    EXPECT_EQ(project.FindArmyLayer(&p)->Bitmap()->GetPixel(0, 0), 0xFF000004u);

    layers.Clear(); // the tag records go with their layers
    EXPECT_EQ(project.FindMarkerLayer(&p), nullptr);

    // Without a world view nothing is created.
    project.SetWorldImage(nullptr);
    EXPECT_EQ(project.CreateProvinceLayers(&p), 0);
    EXPECT_EQ(project.CreateProvinceLayers(nullptr), 0);
    project.DrawAllPieces();
    project.PlaceProvinceMarkers();
    project.ReorderCastleAndArmyLayers();
    EXPECT_EQ(layers.Count(), 0);
}

TEST_F(WorldViewTest, CapitalOfItsOwnerShowsTheCapitalIconMissingOnesNothing)
{
    CProvince& p = AddLinkedProvince(0, 0, 20, 20, 1);
    p.SetCastle(true);
    Player(1).SetCapital(&p);
    project.CreateProvinceLayers(&p);
    EXPECT_EQ(p.castleIcon, 2);
    EXPECT_EQ(project.FindCastleLayer(&p)->Bitmap()->Width(), 12);

    EXPECT_EQ(project.SetCastleIcon(&p, 1), 1);
    EXPECT_EQ(p.castleIcon, 2); // asked 1, shows 2
    EXPECT_EQ(project.SetCastleIcon(&p, 0), 1);
    EXPECT_EQ(p.castleIcon, 0);
    EXPECT_EQ(project.SetCastleIcon(&p, 17), 0);
    EXPECT_EQ(project.SetCastleIcon(nullptr, 1), 0);
    // An icon without a picture is stored but shows nothing new.
    Player(1).SetCapital(nullptr);
    EXPECT_EQ(project.SetCastleIcon(&p, 9), 0);
    EXPECT_EQ(p.castleIcon, 9);
    EXPECT_EQ(project.FindCastleLayer(&p)->Bitmap()->Width(), 10);

    // Missing pivots and pictures are not read past their end.
    CProvince& q = AddLinkedProvince(30, 0, 20, 20);
    project.GetIconPivots().SetSize(1);
    project.castleTypes = 5; // the army picture would be picture 5: there is none
    project.CreateProvinceLayers(&q);
    EXPECT_EQ(project.SetArmyIcon(&q, 0), 0);
    EXPECT_EQ(project.SetCastleIcon(&q, 2), 1);
    EXPECT_EQ(project.FindCastleLayer(&q)->Location().Left, 30); // pivot (0, 0) stands in
}

// ---- Markers and names ------------------------------------------------------------------

TEST_F(WorldViewTest, MarkerAndNameLayerWithShadowedNameAndIncome)
{
    CProvince& p = AddProvinceWithIncome();
    p.SetCastle(true);
    Table().SetProvinceName(&p, "Avalon");
    p.markerX = 100;
    p.markerY = 50;
    TheSettings().ShNames = 1;
    TheSettings().font.Color = 0x102030; // blue byte even: white shadow
    project.CreateProvinceLayers(&p);

    TBitmapLayer* name = project.FindNameLayer(&p);
    const TBitmap32& bitmap = *name->Bitmap();
    // "Avalon" is 36 wide, "7+1+0" 30; lines 10 high.
    ASSERT_EQ(bitmap.Width(), 36);
    ASSERT_EQ(bitmap.Height(), 20);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFF102030u);
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(3, 8), 0xFF102030u); // line 2 centred, at 4/5 of the line height
    EXPECT_EQ(bitmap.GetPixel(4, 9), 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(2, 2), 0u);
    EXPECT_TRUE(name->Visible());
    // Below the marker (94, 44, 12 × 12), centred.
    EXPECT_EQ(name->Location().Left, 94 + 6 - 18);
    EXPECT_EQ(name->Location().Top, 44 + 12 + 2);
    p.markerY = 190; // near the bottom of the 200 high control: beside the marker
    project.PlaceProvinceMarker(project.FindMarkerLayer(&p));
    EXPECT_EQ(name->Location().Left, 94 - 2 - 36);
    EXPECT_EQ(name->Location().Bottom, 200 - 6);

    TheSettings().font.Color = 0x102031; // odd blue byte: black shadow
    TheSettings().ShNames = 0;
    project.DrawProvinceName(&p);
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0xFF000000u);
    EXPECT_FALSE(name->Visible());
    EXPECT_FALSE(name->MouseEvents());

    // The marker is centred on the point at the view scale, and hides with the icons.
    image.SetScale(2.5f);
    TBitmapLayer* marker = project.FindMarkerLayer(&p);
    ASSERT_EQ(project.PlaceProvinceMarker(marker), 1);
    EXPECT_EQ(marker->Location(), (TFloatRect{244, 469, 256, 481})); // (250, 475) less half the marker
    EXPECT_TRUE(marker->Visible());
    EXPECT_TRUE(marker->MouseEvents());
    TheSettings().ShIcons = 0;
    project.PlaceProvinceMarkers();
    EXPECT_FALSE(marker->Visible());
    EXPECT_FALSE(marker->MouseEvents());
    EXPECT_EQ(project.PlaceProvinceMarker(name), 0); // not a marker

    // The income line: the castle adds 5, a bank 3 more, but only with the castle.
    p.SetFlag(CCastleDataB::kBank, true);
    EXPECT_EQ(ProvinceIncomeLine(project, p), "10+1+0");
    p.ResizeResources(1); // fewer values than resources: the rest read 0
    EXPECT_EQ(ProvinceIncomeLine(project, p), "10+0+0");
    p.SetCastle(false);
    EXPECT_EQ(ProvinceIncomeLine(project, p), "2+0+0");
}

// ---- Castle and army icons -----------------------------------------------------------------

TEST_F(WorldViewTest, CastleAndArmyIconsFollowTheViewPreferences)
{
    CProvince& with = AddLinkedProvince(100, 50, 20, 20);
    with.SetCastle(true);
    with.castleX = 10;
    with.castleY = 10;
    CProvince& without = AddLinkedProvince(0, 0, 20, 20);
    without.armyX = 5;
    without.armyY = 6;
    project.CreateProvinceLayers(&with);
    project.CreateProvinceLayers(&without);
    TBitmapLayer* castle = project.FindCastleLayer(&with);
    TBitmapLayer* none = project.FindCastleLayer(&without);
    TBitmapLayer* army = project.FindArmyLayer(&without);

    // Defaults: castles mode off, translucent castles on, translucent armies off.
    EXPECT_EQ(with.castleIcon, 1);
    EXPECT_TRUE(castle->Visible());
    EXPECT_FALSE(castle->MouseEvents());
    EXPECT_EQ(castle->Bitmap()->MasterAlpha(), 120u);
    EXPECT_FALSE(none->Visible());
    EXPECT_FALSE(army->Visible());

    TheSettings().ShCastles = 1;
    TheSettings().TransArmies = 1;
    image.SetScale(2.0f);
    project.PlaceAllCastleLayers();
    project.PlaceAllArmyLayers();
    EXPECT_TRUE(castle->MouseEvents());
    EXPECT_TRUE(none->Visible());
    EXPECT_EQ(castle->Bitmap()->MasterAlpha(), 255u);
    // Picture 1 (11 × 6) with pivot (2, 2) on (110, 60), at scale 2.
    EXPECT_EQ(castle->Location(), (TFloatRect{216, 116, 238, 129}));
    // Every province's army, translucent; its pivot is entry 3 (after the castles): (4, 2) on (5, 6).
    EXPECT_TRUE(army->Visible());
    EXPECT_FALSE(army->MouseEvents());
    EXPECT_EQ(army->Bitmap()->MasterAlpha(), 120u);
    EXPECT_EQ(army->Location().Left, 2);
    EXPECT_EQ(army->Location().Top, 8);

    TheSettings().ShArmies = 1;
    EXPECT_EQ(project.SetArmyIcon(&without, 6), 1);
    EXPECT_TRUE(army->MouseEvents());
    EXPECT_EQ(army->Bitmap()->Width(), 8);
    EXPECT_EQ(project.SetArmyIcon(&without, 7), 0);

    TheSettings().ShCastles = 0;
    TheSettings().TransCastles = 0;
    project.PlaceAllCastleLayers();
    EXPECT_FALSE(castle->Visible());
}

TEST_F(WorldViewTest, ReorderMovesIconLayersUnderTheNames)
{
    project.CreateLinksLayer();
    CProvince& a = AddLinkedProvince(0, 0, 20, 20);
    CProvince& b = AddLinkedProvince(30, 0, 20, 20);
    project.CreateProvinceLayers(&a);
    project.CreateProvinceLayers(&b);
    // b's layers went to index 1 over a's: links, b army, b castle, b name, a army, a castle, a name, markers.
    EXPECT_EQ(TagKinds(*image.Layers()), (std::vector<uint16_t>{0, 4, 3, 2, 4, 3, 2, 1, 1}));
    project.ReorderCastleAndArmyLayers();
    // Moved one by one in collection order, so the last one moved ends lowest.
    EXPECT_EQ(TagKinds(*image.Layers()), (std::vector<uint16_t>{0, 3, 4, 3, 4, 2, 2, 1, 1}));
    EXPECT_EQ(project.FindCastleLayerIndex(&a), 1);
    EXPECT_EQ(project.FindArmyLayerIndex(&a), 2);
    EXPECT_EQ(project.FindCastleLayerIndex(&b), 3);
    EXPECT_EQ(project.FindArmyLayerIndex(&b), 4);
}

TEST_F(WorldViewTest, IconPointsInsideThePieceMask)
{
    CProvince& p = AddLinkedProvince(0, 0, 3, 3);
    AddPiece(10, 0, {"#.", ".#"});
    CProvince& q = AddProvince();
    q.pieceIndex = 1;
    q.linked = 1;
    EXPECT_TRUE(project.IsCastlePointInPiece(&p, 2, 2));
    EXPECT_FALSE(project.IsCastlePointInPiece(&p, 3, 0));
    EXPECT_FALSE(project.IsCastlePointInPiece(&p, -1, 0));
    EXPECT_TRUE(project.IsArmyPointInPiece(&q, 1, 1));
    EXPECT_FALSE(project.IsArmyPointInPiece(&q, 1, 0));
    q.linked = 0;
    EXPECT_FALSE(project.IsArmyPointInPiece(&q, 1, 1));
    EXPECT_FALSE(project.IsCastlePointInPiece(nullptr, 0, 0));
}

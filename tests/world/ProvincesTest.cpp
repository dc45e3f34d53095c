#include "world/ImportFixture.h"

namespace {

using ProvincesTest = ImportTest;

// Twelve columns of ten blocks of 16 × 16, each a colour of its own: 120 province pieces.
class ManyProvinces : public TBitmap32 {
public:
    ManyProvinces()
    {
        SetSize(12 * 16, 10 * 16);
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                SetPixel(x, y, 0xFF000000u | uint32_t((x / 16) * 10 + y / 16 + 1) * 0x010203u);
    }
};

} // namespace

TEST_F(ProvincesTest, OneProvincePerPiecePaintedDarkUpToNinetyNine)
{
    ASSERT_EQ(Import(ManyProvinces()), 1);
    ASSERT_EQ(PieceCount(), 120);
    EXPECT_EQ(project.CreateProvincesFromPieces(), 0);
    EXPECT_EQ(project.GetProvinces().GetSize(), 99);
    EXPECT_EQ(prompts.messages, Texts{"Too many provinces! They will be truncated to 99 items"});
    // Pieces in column order; each province at its piece's castle point.
    CProvince& first = Province(0);
    EXPECT_EQ((Ints{first.pieceIndex, first.linked, first.markerX, Province(98).pieceIndex}),
              (Ints{0, 1, Piece(0).left + Piece(0).castleX, 98}));
    EXPECT_EQ(Table().GetProvinceName(&Province(98)), "Noname 99");
    EXPECT_EQ(first.army.GetSize(), project.GetUnitTypeCount());
    EXPECT_EQ(first.resources.GetSize(), project.resources);

    EXPECT_EQ(project.AddProvince(1, 1, 1, 1, 1, 1, false, -1), nullptr);
    EXPECT_EQ(prompts.messages.back(), "Too many provinces! You can create noone more.");
    EXPECT_EQ(project.GetProvinces().GetSize(), 99);
}

TEST_F(ProvincesTest, ANameInUseMovesTheNumberOn)
{
    for (int i = 0; i < 4; ++i)
        project.AddProvince(10 * i, 5, 0, 0, 0, 0, false, -1);
    EXPECT_EQ(Table().GetProvinceName(&Province(3)), "Noname 4");
    ASSERT_EQ(Table().SetProvinceName(&Province(0), "Noname 5"), 1);
    CProvince* fifth = project.AddProvince(50, 5, 0, 0, 0, 0, false, -1);
    ASSERT_NE(fifth, nullptr);
    EXPECT_EQ(Table().GetProvinceName(fifth), "Noname 6");
    EXPECT_NE(project.FindMarkerLayer(fifth), nullptr);
    EXPECT_TRUE(project.IsModified());

    // Without a window nothing is visible: the centre is (0, 0), 20 up and left of it is outside.
    CProvince* centred = project.AddProvinceAtViewCenter();
    ASSERT_NE(centred, nullptr);
    EXPECT_EQ((Ints{centred->markerX, centred->markerY, centred->castleX, centred->linked, centred->pieceIndex}),
              (Ints{0, 0, 0, 0, -1}));
}

TEST_F(ProvincesTest, AttachDetachAndRelink)
{
    ASSERT_EQ(Import(ManyProvinces()), 1);
    CProvince* province = project.AddProvince(20, 40, 20, 40, 20, 40, false, -1);
    const int under = int(project.GetPieceAt(20, 40));
    EXPECT_FALSE(project.IsPieceTaken(under));
    EXPECT_TRUE(project.IsPieceTaken(5000));
    EXPECT_EQ(project.RelinkProvinces(), 1);
    EXPECT_EQ((Ints{province->linked, province->pieceIndex, province->castleX}), (Ints{1, under, Piece(under).castleX}));
    EXPECT_TRUE(project.IsPieceTaken(under));
    EXPECT_EQ(project.FindProvinceOfPiece(&Piece(under)), province);

    // A second province on the same piece stays unlinked.
    CProvince* second = project.AddProvince(21, 41, 21, 41, 21, 41, false, -1);
    project.RelinkProvinces();
    EXPECT_EQ(second->linked, 0);

    EXPECT_EQ(project.DetachProvinceFromMap(province), 1);
    EXPECT_EQ((Ints{province->linked, province->pieceIndex, province->castleX, province->armyY}), (Ints{0, -1, 20, 40}));
    EXPECT_FALSE(project.IsPieceTaken(under));
    EXPECT_EQ(project.AttachProvinceToMap(province, 5000), 0);
    EXPECT_EQ(project.DetachProvinceFromMap(nullptr), 0);

    // An ocean piece is taken for provinces.
    ASSERT_EQ(Import(WorldFromArt(std::vector<std::string>(160, std::string(160, '~')))), 1);
    EXPECT_TRUE(project.IsPieceTaken(0));
}

TEST_F(ProvincesTest, MovingACapitalRestoresTheFormerOne)
{
    CProvince& a = AddLinkedProvince(0, 0, 20, 20);
    CProvince& b = AddLinkedProvince(20, 0, 20, 20);
    a.castle.hitPoints = 70;
    a.castle.buildings = CCastleDataB::kBank;
    ASSERT_EQ(project.SetPlayerCapital(0, &a), 1);
    EXPECT_EQ(Player(0).capital, &a);
    // Castle, moat and walls, four catapults, whole, the capital's icon.
    EXPECT_EQ((Ints{a.owner, a.castle.flags & 7, a.castle.Catapults(), a.castle.hitPoints, a.castleIcon}),
              (Ints{0, 7, 4, 100, 2}));

    ASSERT_EQ(project.SetPlayerCapital(0, &b), 1);
    EXPECT_EQ((Ints{a.castle.flags, a.castle.buildings, a.castle.hitPoints, a.castleIcon, b.castleIcon}),
              (Ints{0, CCastleDataB::kBank, 70, 0, 2}));
    EXPECT_EQ(project.SetPlayerCapital(6, &a), 0);

    // Each player keeps its own record: player 0's old capital does not get player 1's state.
    CProvince& c = AddLinkedProvince(40, 0, 20, 20);
    c.castle.flags = CCastleDataB::kCastle;
    c.castle.hitPoints = 40;
    project.SetPlayerCapital(0, &c);
    project.SetPlayerCapital(1, &a);
    project.SetPlayerCapital(0, &b);
    EXPECT_EQ((Ints{c.castle.flags, c.castle.hitPoints, c.castleIcon, a.castleIcon}),
              (Ints{CCastleDataB::kCastle, 40, 1, 2}));
    EXPECT_EQ(Player(1).capital, &a);
}

TEST_F(ProvincesTest, ReleasingAPlayerRestoresTheCapitalAndFreesItsProvinces)
{
    RecordingListViews rows;
    project.SetProjectViews(&rows);
    CProvince& a = AddLinkedProvince(0, 0, 20, 20);
    CProvince& b = AddLinkedProvince(20, 0, 20, 20);
    a.markerX = 1;
    b.markerX = 2;
    project.SetPlayerCapital(2, &a);
    b.SetOwner(2);
    rows.selected = 2;
    project.ReleasePlayerProvinces(2);
    EXPECT_EQ(Player(2).capital, nullptr);
    EXPECT_EQ((Ints{a.castle.flags, a.owner, b.owner}), (Ints{0, CProvinceB::kNoOwner, CProvinceB::kNoOwner}));
    EXPECT_EQ(rows.log, (Texts{"stop blinking", "1 none", "2 none"}));
    project.SetProjectViews(nullptr);
}

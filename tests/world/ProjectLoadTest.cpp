// A project made by the import, saved and loaded back with its world view.
#include "world/ImportFixture.h"

#include "platform/XmlDocument.h"

#include "TestFiles.h"

namespace {

class ProjectLoadTest : public ImportTest {
protected:
    ProjectLoadTest()
    {
        std::string error;
        EXPECT_TRUE(catalogue.LoadFromText(R"(<Game dwID="VLDR"><Abilities><Ability name="Builder" val="1"/></Abilities>
            <AIs><AI name="Bold" val="3"/></AIs></Game>)", error, "fw.xml")) << error;
        project.SetCatalogueDocument(&catalogue);
        project.SetResourceFolder(folder.Path());
        // The pictures the fixture's icon list holds, as files the reload finds.
        for (int i = 0; i < 4; ++i) {
            const std::string name = (i < 3 ? "castle" : "army") + std::to_string(i) + ".bmp";
            project.GetIconPictures().Bitmap(i)->SaveToFile(folder.Path() / name);
            if (i < 3)
                Table().SetCastlePicturePath(i, name);
            else
                Table().SetArmyPicturePath(0, name);
        }
    }
    ~ProjectLoadTest() override { project.SetCatalogueDocument(nullptr); }

    // Three provinces (B touching A) and a green island in the sea imported; a
    // capital, a moved castle place, texts and an event; drawn the way a new project is.
    void BuildImportedProject()
    {
        ASSERT_EQ(Import(WorldFromArt(Art(200, 200, '~', {{10, 10, 40, 40, 'A'}, {50, 10, 40, 40, 'B'},
                                                        {10, 100, 50, 50, 'C'}, {150, 150, 20, 20, '"'}}))),
                  1);
        ASSERT_EQ(project.CreateProvincesFromPieces(), 1);
        ASSERT_EQ(project.GetProvinces().GetSize(), 3);
        project.CreateLinksLayer();
        Player(0).active = Player(1).active = 1;
        Player(0).control = 0;
        project.SetPlayerCapital(0, &Province(0));
        project.SetPlayerCapital(1, &Province(2));
        Province(1).SetOwner(0);
        Province(1).SetCastleX(uint16_t(Province(1).castleX + 3)); // dragged away from the piece's place
        Province(1).SetArmyY(2);
        project.PlaceCastleLayer(&Province(1)); // as dragging the icons does
        project.PlaceArmyLayer(&Province(1));
        Table().SetProvinceName(&Province(1), "Middle March");
        Table().SetMissionName("Three Shires");
        CEvent& event = *project.GetEvents().AddEvent();
        event.turn = 12;
        event.players[1] = 1;
        project.RedrawPieces(true);
        project.DrawAllPieces();
        project.RedrawLinksLayer();
    }

    // The imported project saved as `name` in the temporary folder.
    std::filesystem::path SaveImportedProject(const std::string& name)
    {
        BuildImportedProject();
        const std::filesystem::path path = folder.Path() / name;
        std::string error;
        EXPECT_EQ(project.Save(path, error), 1) << error;
        return path;
    }

    platform::XmlDocument catalogue;
};

} // namespace

TEST_F(ProjectLoadTest, ImportedProjectSavesLoadsAndSavesTheSameBytesAndLooksTheSame)
{
    const std::filesystem::path first = SaveImportedProject("first.fw");
    std::string error;
    TBitmap32 world;
    world.Assign(image.Bitmap());
    ASSERT_NE(world.GetPixel(20, 20), world.GetPixel(5, 5)); // a province on the sea
    const CProvince* middle = &Province(1);
    const TFloatRect castle = project.FindCastleLayer(middle)->Location();
    const TFloatRect army = project.FindArmyLayer(middle)->Location();
    const int layers = image.Layers()->Count();

    ASSERT_EQ(project.LoadAndShow(first, error), 1) << error;
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(progress.calls.back(), "end");

    const std::filesystem::path second = folder.Path() / "second.fw";
    ASSERT_EQ(project.Save(second, error), 1) << error;
    EXPECT_EQ(test::ReadFile(second), test::ReadFile(first));

    // The view shows the loaded project as the saved one was shown: the same
    // world pixels, one overlay, four layers per province, the dragged castle
    // and army icons where the file keeps them.
    EXPECT_TRUE(image.Bitmap()->Equal(world));
    EXPECT_EQ(image.Layers()->Count(), layers);
    EXPECT_EQ(image.Layers()->Count() - TaggedLayers(), 1);
    EXPECT_EQ(project.FindCastleLayer(&Province(1))->Location(), castle);
    EXPECT_EQ(project.FindArmyLayer(&Province(1))->Location(), army);
    EXPECT_EQ(Province(0).castleIcon, 2); // the capital's icon
    EXPECT_EQ(project.GetAITypes().GetCount(), 1u);
    EXPECT_EQ(project.GetIconPictures().Bitmaps()->Count(), 4);
}

TEST_F(ProjectLoadTest, AMissingIconPictureIsToldAndADamagedFileLeavesTheWorldViewAsItWas)
{
    const std::filesystem::path path = SaveImportedProject("icons.fw");
    std::string error;
    std::filesystem::remove(folder.Path() / "castle1.bmp");
    ASSERT_EQ(project.LoadAndShow(path, error), 1) << error;
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("castle type 2"), std::string::npos) << prompts.messages[0];
    // The pictures of the set-up stay, so every province still shows its icons.
    EXPECT_EQ(project.GetIconPictures().Bitmaps()->Count(), 4);
    EXPECT_EQ(image.Layers()->Count(), 1 + 4 * 3);

    std::vector<uint8_t> bytes = test::ReadFile(path);
    bytes.resize(bytes.size() - 10);
    ASSERT_TRUE(platform::WriteFileAtomically(path, bytes, error)) << error;
    TBitmap32 world;
    world.Assign(image.Bitmap());
    const CProvince* first = &Province(0);
    EXPECT_EQ(project.LoadAndShow(path, error), 0);
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
    EXPECT_TRUE(image.Bitmap()->Equal(world));
    EXPECT_EQ(image.Layers()->Count(), 1 + 4 * 3);
    EXPECT_EQ(&Province(0), first);
    EXPECT_NE(project.FindMarkerLayer(first), nullptr);
}

TEST_F(ProjectLoadTest, IconPicturesComeBackFromTheFirstTableWhicheverTableIsShown)
{
    BuildImportedProject();
    project.GetStringTables().Add(std::make_unique<CStringTable>(project)); // a language without picture paths
    std::vector<uint8_t> bytes = Stored(project);
    std::string error;
    bytes[15] = 1; // the current string table: after D, 7 × B, W, W
    const std::filesystem::path path = folder.Path() / "second-language.fw";
    ASSERT_TRUE(platform::WriteFileAtomically(path, bytes, error)) << error;
    ASSERT_EQ(project.LoadAndShow(path, error), 1) << error;
    EXPECT_EQ(project.GetCurrentStringTable(), 1);
    EXPECT_EQ(prompts.messages, Texts{});
    EXPECT_EQ(project.GetIconPictures().Bitmaps()->Count(), 4);
}

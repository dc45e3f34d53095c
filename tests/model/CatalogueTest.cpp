// The game catalogue: parsing from small documents, what the project and its
// string table receive, the icon pictures and every refused catalogue.
#include "model/Catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "model/MapProject.h"
#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"

namespace {

// Sections of a valid catalogue; tests replace one at a time.
struct Sections {
    std::string units = R"(<Units standart="2" non-standart="1">
        <Standart><Unit name="Archers"/><Unit name="Knights"/></Standart>
        <NonStandart><Unit name="Rangers"/></NonStandart></Units>)";
    std::string castles = R"(<Castles>
        <Castle name="Keep" path="c0.bmp" pivot_x="1" pivot_y="2"/>
        <Castle name="Castle" path="c1.bmp" pivot_x="3" pivot_y="4"/>
        <Castle name="Citadel" path="c2.bmp" pivot_x="5" pivot_y="6"/></Castles>)";
    std::string armies = R"(<Armies><Army path="a0.bmp" pivot_x="7" pivot_y="8"/></Armies>)";
    std::string resources = R"(<Resources><Resource name="Gold" min="1" max="9"/></Resources>)";
    std::string skills = R"(<Skills><Skill name="Tactics"/></Skills>)";
    std::string abilities = R"(<Abilities><Ability name="Builder" val="1"/></Abilities>)";
    std::string ais = R"(<AIs><AI name="Passive" val="0"/><AI name="Bold" val="-3"/></AIs>)";

    std::string Text() const
    {
        return "<Game dwID=\"VLDR\">" + units + castles + armies + resources + skills + abilities + ais + "</Game>";
    }
};

class CatalogueTest : public testing::Test {
protected:
    CatalogueTest()
    {
        project.SetCatalogueDocument(&document);
        project.SetResourceFolder(folder.Path());
        for (const char* name : {"c0.bmp", "c1.bmp", "c2.bmp", "a0.bmp"})
            WritePicture(name, 4, 3, 0xFF112233);
    }

    void WritePicture(const std::string& name, int width, int height, TColor32 color)
    {
        TBitmap32 picture;
        picture.SetSize(width, height);
        picture.Clear(color);
        picture.SetPixel(0, 0, 0xFFFF00FF);
        picture.SaveToFile(folder.Path() / name);
    }

    void Load(const std::string& text)
    {
        std::string error;
        ASSERT_TRUE(document.LoadFromText(text, error, "fw.xml")) << error;
        document.SetFileName("fw.xml");
    }

    CStringTable& Table() { return *project.GetStringTables().GetAt(0); }

    platform::TemporaryFolder folder;
    platform::XmlDocument document;
    CMapProject project;
};

} // namespace

TEST_F(CatalogueTest, FillsProjectTableAndPictures)
{
    Load(Sections().Text());
    ASSERT_EQ(project.ReadCreatorId(), 1);
    project.ReadCatalogue();
    project.ReadAbilitiesAndAITypes();

    EXPECT_EQ(project.creatorId, 0x564C4452u); // "VLDR", first character on top
    EXPECT_EQ(project.GetStringTables().GetCount(), 1);
    using Ints = std::vector<int>;
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Ints{project.standardUnitTypes, project.nonStandardUnitTypes, project.unitTypesRead,
                    project.castleTypes, project.armyTypes, project.resources}),
              (Ints{2, 1, 3, 3, 1, 1}));
    EXPECT_EQ((Texts{Table().GetUnitName(0), Table().GetUnitName(2), Table().GetUnitName(3)}),
              (Texts{"Archers", "Rangers", "Unit 3"})); // the last an untouched default
    EXPECT_EQ((Texts{Table().GetCastleTypeName(2), Table().GetCastlePicturePath(1), Table().GetArmyPicturePath(0),
                     Table().GetResourceName(0), Table().GetSkillName(0)}),
              (Texts{"Citadel", "c1.bmp", "a0.bmp", "Gold", "Tactics"}));
    const VK::CSimpleArray<TPoint>& pivots = project.GetIconPivots();
    ASSERT_EQ(pivots.GetSize(), 4);
    EXPECT_EQ(pivots[0], (TPoint{1, 2}));
    EXPECT_EQ(pivots[2], (TPoint{5, 6}));
    EXPECT_EQ(pivots[3], (TPoint{7, 8})); // the army follows the castles
    EXPECT_EQ((Ints{project.GetResourceMin(0), project.GetResourceMax(0)}), (Ints{1, 9}));
    ASSERT_EQ(project.GetAbilities().GetCount(), 1u);
    EXPECT_EQ(project.GetAbilityName(1), "Builder");
    EXPECT_EQ(project.GetAbilityName(2), "");
    ASSERT_EQ(project.GetAITypes().GetCount(), 2u);
    EXPECT_EQ(project.GetAITypes().GetAt(1), (CAbilityStruct{"Bold", -3}));

    // Icon pictures: castles then armies, blending, magenta made transparent.
    ASSERT_EQ(project.GetIconPictures().Bitmaps()->Count(), 4);
    const TBitmap32& army = *project.GetIconPictures().Bitmap(3);
    EXPECT_EQ(army.Width(), 4);
    EXPECT_EQ(army.DrawMode(), dmBlend);
    EXPECT_EQ(army.GetPixel(0, 0), 0u);
    EXPECT_EQ(army.GetPixel(1, 0), 0xFF112233u);
}

TEST_F(CatalogueTest, OnlyExactEntryNamesCountAndEmptyBoundsReadZero)
{
    Sections s;
    s.resources = R"(<Resources><Resource name="Gold" min="" max="7"/><!-- x -->
        <resource name="Nope" min="1" max="1"/><Resource name="Wood" min=" 2 " max="+3"/></Resources>)";
    Load(s.Text());
    project.ReadCatalogue();
    EXPECT_EQ(project.resources, 2);
    EXPECT_EQ(Table().GetResourceName(0) + " " + Table().GetResourceName(1), "Gold Wood");
    EXPECT_EQ((std::vector<int>{project.GetResourceMin(0), project.GetResourceMax(0), project.GetResourceMin(1),
                                project.GetResourceMax(1)}),
              (std::vector<int>{0, 7, 2, 3}));
}

TEST_F(CatalogueTest, CastlesReadAgainAppendTheirPivotsAndReloadedPicturesFollowTheTable)
{
    Load(Sections().Text());
    project.ReadCatalogue();
    project.ReadCastlesAndArmies(true);
    ASSERT_EQ(project.GetIconPivots().GetSize(), 8);
    EXPECT_EQ(project.GetIconPivots()[4], (TPoint{1, 2}));
    EXPECT_EQ(project.GetIconPictures().Bitmaps()->Count(), 4); // the pictures are replaced

    // As after a project load: the file's counts and paths, which differ from the catalogue.
    project.castleTypes = 3;
    project.armyTypes = 1;
    Table().SetArmyPicturePath(0, "c2.bmp");
    WritePicture("c2.bmp", 7, 5, 0xFF445566);
    project.ReadCastlesAndArmies(false);
    EXPECT_EQ(project.castleTypes, 3);
    EXPECT_EQ(project.armyTypes, 1);
    ASSERT_EQ(project.GetIconPictures().Bitmaps()->Count(), 4);
    EXPECT_EQ(project.GetIconPictures().Bitmap(3)->Width(), 7);
    EXPECT_EQ(project.GetIconPivots().GetSize(), 8); // pivots are not read again
}

TEST_F(CatalogueTest, NoDocumentEmptyDocumentOrNoStringTableIsAnError)
{
    Load(Sections().Text());
    EXPECT_THROW(project.ReadCastlesAndArmies(false), ECatalogueError);
    EXPECT_THROW(project.ReadUnitTypes(), ECatalogueError);
    EXPECT_THROW(project.ReadSkills(), ECatalogueError);

    CMapProject none;
    EXPECT_THROW(none.ReadCatalogue(), ECatalogueError);
    EXPECT_THROW(none.ReadAbilitiesAndAITypes(), ECatalogueError);
    platform::XmlDocument empty("missing/fw.xml");
    std::string error;
    EXPECT_FALSE(empty.Load(error));
    none.SetCatalogueDocument(&empty);
    try {
        none.ReadCatalogue();
        FAIL() << "an empty document was read";
    } catch (const ECatalogueError& e) {
        EXPECT_NE(std::string(e.what()).find("missing/fw.xml"), std::string::npos) << e.what();
    }
}

// The section text of a fixture line: {N*text} repeated, {inside} and {folder} filled in.
static std::string Expand(std::string text, const std::filesystem::path& folder)
{
    for (const auto& [mark, value] : {std::pair{"{inside}", folder.filename().string()}, {"{folder}", folder.string()}})
        for (size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, std::string(mark).size(), value);
    for (size_t open; (open = text.find('{')) != std::string::npos;) {
        const size_t star = text.find('*', open), close = text.find('}', open);
        std::string repeated;
        for (int i = std::stoi(text.substr(open + 1, star - open - 1)); i > 0; --i)
            repeated += text.substr(star + 1, close - star - 1);
        text.replace(open, close + 1 - open, repeated);
    }
    return text;
}

TEST_F(CatalogueTest, FaultyCataloguesAreRefusedNamingFileAndFault)
{
    const std::map<std::string, std::string Sections::*> sections = {
        {"units", &Sections::units}, {"castles", &Sections::castles}, {"armies", &Sections::armies},
        {"resources", &Sections::resources}, {"skills", &Sections::skills}, {"ais", &Sections::ais}};
    std::ifstream lines(VALDRUNE_SOURCE_DIR "/tests/model/fixtures/faulty-catalogues.txt");
    int count = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        SCOPED_TRACE(line);
        const size_t bar = line.find(" | "), last = line.rfind(" | ");
        Sections s;
        s.*sections.at(line.substr(0, bar)) = Expand(line.substr(bar + 3, last - bar - 3), folder.Path());
        const std::string expected = line.substr(last + 3);
        CMapProject fresh;
        fresh.SetCatalogueDocument(&document);
        fresh.SetResourceFolder(folder.Path());
        Load(s.Text());
        std::string message = "no error";
        bool catalogueRead = false;
        try {
            fresh.ReadCatalogue();
            catalogueRead = true;
            fresh.ReadAbilitiesAndAITypes();
        } catch (const ECatalogueError& error) {
            message = error.what();
        }
        if (!catalogueRead) { // a refused catalogue leaves nothing of itself in the project
            EXPECT_EQ((std::vector<int>{fresh.GetStringTables().GetCount(), fresh.castleTypes,
                                        fresh.GetIconPivots().GetSize(), fresh.GetIconPictures().Bitmaps()->Count()}),
                      (std::vector<int>{0, 0, 0, 0}));
        }
        EXPECT_NE(message.find(expected), std::string::npos) << message;
        EXPECT_NE(message.find("fw.xml"), std::string::npos) << message;
        ++count;
    }
    EXPECT_EQ(count, 20);
}

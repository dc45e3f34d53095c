#include <set>
#include <sstream>

#include "platform/XmlDocument.h"
#include "world/ImportFixture.h"
#include "world/WorldBitmap.h"

#include "TestFiles.h"

namespace {

const std::filesystem::path kDataFolder = VALDRUNE_DATA_DIR;
const std::filesystem::path kSampleWorld = kDataFolder / "worlds" / "isles-320x240.bmp";

// What a user can see of a project after it was cleared.
struct ProjectState {
    int pieces, provinces, events, tables, pivots, abilities, aiTypes, layers;
    int width, height, difficulty, maxExp, activePlayers, capitals;
    bool modified, whiteWorld, fileNamed;
    bool operator==(const ProjectState&) const = default;
};

class ProjectSetupTest : public ImportTest {
protected:
    ProjectSetupTest()
    {
        std::string error;
        EXPECT_TRUE(catalogue.Load(error)) << error;
        project.SetCatalogueDocument(&catalogue);
        project.SetResourceFolder(kDataFolder / "res");
        project.SetProjectViews(&views);
        prompts.answer = IPrompts::kNo;
    }
    ~ProjectSetupTest() override { project.SetProjectViews(nullptr); }

    // The New project road of the main window, without its windows.
    void NewProject(const std::filesystem::path& world)
    {
        ASSERT_NE(project.QuerySaveChanges(), 2);
        ASSERT_EQ(project.Clear(), 1);
        ASSERT_EQ(project.ImportWorldImage(world, false), 1);
        project.InitNew();
    }

    ProjectState State()
    {
        int active = 0, capitals = 0;
        for (uint32_t i = 0; i < project.GetPlayers().GetCount(); ++i) {
            active += project.GetPlayers().GetAt(i).active != 0;
            capitals += project.GetPlayers().GetAt(i).capital != nullptr;
        }
        const TBitmap32& world = *image.Bitmap();
        bool white = true;
        for (int y = 0; y < world.Height(); ++y)
            for (int x = 0; x < world.Width(); ++x)
                white = white && world.GetPixel(x, y) == clWhite32;
        return {PieceCount(), project.GetProvinces().GetSize(), project.GetEvents().GetCount(),
                project.GetStringTables().GetCount(), project.GetIconPivots().GetSize(),
                int(project.GetAbilities().GetCount()), int(project.GetAITypes().GetCount()), image.Layers()->Count(),
                project.GetWidth(), project.GetHeight(), project.difficulty, int(project.MaxExp), active, capitals,
                project.IsModified(), white, !project.GetFileName().empty()};
    }

    // Every province linked to the piece under its point, no piece twice.
    void ExpectEveryProvinceOnItsOwnPiece()
    {
        std::set<int> pieces;
        for (int i = 0; i < project.GetProvinces().GetSize(); ++i) {
            const CProvince& province = Province(i);
            EXPECT_EQ((Ints{province.linked, province.pieceIndex}),
                      (Ints{1, int(project.GetPieceAt(province.markerX, province.markerY))})) << "province " << i;
            pieces.insert(province.pieceIndex);
        }
        EXPECT_EQ(int(pieces.size()), project.GetProvinces().GetSize());
    }

    platform::XmlDocument catalogue{kDataFolder / "fw.xml"};
    RecordingListViews views;
};

} // namespace

TEST_F(ProjectSetupTest, TheSaveQuestionIsAskedOnlyForAModifiedProject)
{
    struct Case {
        bool modified;
        IPrompts::Answer answer;
        int result;
        size_t questions;
    };
    for (const Case& c : {Case{false, IPrompts::kCancel, 0, 0}, Case{true, IPrompts::kYes, 1, 1},
                          Case{true, IPrompts::kNo, 0, 1}, Case{true, IPrompts::kCancel, 2, 1}}) {
        SCOPED_TRACE(testing::Message() << "modified " << c.modified << ", answer " << c.answer);
        prompts.questions.clear();
        prompts.answer = c.answer;
        project.SetModified(c.modified);
        const ProjectState before = State();
        EXPECT_EQ(project.QuerySaveChanges(), c.result);
        ASSERT_EQ(prompts.questions.size(), c.questions);
        if (c.questions) {
            EXPECT_EQ(prompts.questions[0],
                      "Warning: You have made changes in project. Would you like to save your changes?");
        }
        EXPECT_EQ(State(), before) << "asking changes nothing";
    }
}

TEST_F(ProjectSetupTest, ANewProjectOnTheSampleWorldAndItsReloadAtTwiceTheSize)
{
    NewProject(kSampleWorld);
    NewProject(kSampleWorld); // everything is built once, not added to
    EXPECT_EQ(std::tuple(prompts.questions.size(), project.GetHeight()), std::tuple(size_t(1), 240))
        << "only the set-up project was unmodified";
    int provincePieces = 0;
    for (int i = 0; i < PieceCount(); ++i)
        provincePieces += Piece(i).IsProvince();
    ASSERT_GT(provincePieces, 1);
    const int provinces = project.GetProvinces().GetSize();
    EXPECT_EQ(provinces, provincePieces);
    ExpectEveryProvinceOnItsOwnPiece();
    EXPECT_EQ(std::tuple(project.GetStringTables().GetCount(), project.GetIconPivots().GetSize(),
                         project.GetPlayers().GetCount(), project.creatorId, project.GetAITypes().GetCount() > 0),
              std::tuple(1, project.castleTypes + project.armyTypes, 6u, 0x564C4452u, true));
    // Four layers per province and the links overlay under them.
    EXPECT_EQ(TaggedLayers(), 4 * provinces);
    ASSERT_EQ(image.Layers()->Count(), 4 * provinces + 1);
    TBitmapLayer* links = project.GetLinksLayer();
    ASSERT_NE(links, nullptr);
    EXPECT_EQ(image.Layers()->Items(0), links);
    EXPECT_EQ((std::vector<int>{links->Bitmap()->Width(), links->Bitmap()->Height()}), (std::vector<int>{319, 239}));
    EXPECT_FALSE(State().whiteWorld) << "the pieces are drawn";

    TBitmap32 larger;
    larger.LoadFromFile(kSampleWorld);
    ResizeBitmap(larger, 640, 480);
    // The Reload world image road: provinces kept and relinked.
    ASSERT_EQ(project.ImportWorldImage(Save(larger, "larger.bmp"), true), 1);
    project.RelinkProvincesToMaps();

    EXPECT_EQ(std::tuple(int(project.GetWidth()), project.GetProvinces().GetSize()), std::tuple(640, provinces));
    ExpectEveryProvinceOnItsOwnPiece();
    EXPECT_EQ(image.Layers()->Count(), 4 * provinces + 1) << "a reload adds no layer";
    // The markers follow the points to the larger world.
    const CProvince& first = Province(0);
    const TFloatRect& marker = project.FindMarkerLayer(&first)->Location();
    EXPECT_FLOAT_EQ((marker.Left + marker.Right) / 2, float(first.markerX));
    EXPECT_FLOAT_EQ((marker.Top + marker.Bottom) / 2, float(first.markerY));

    // The view preferences reach every name layer again.
    ASSERT_EQ(TheSettings().ShNames, 0u);
    ASSERT_FALSE(project.FindNameLayer(&first)->Visible());
    TheSettings().ShNames = 1;
    EXPECT_EQ(project.RefreshAllProvinces(), 1);
    for (int i = 0; i < provinces; ++i)
        EXPECT_TRUE(project.FindNameLayer(&Province(i))->Visible()) << "province " << i;
}

TEST_F(ProjectSetupTest, ClearingTwiceLeavesTheSameEmptyStateAndASetUpAfterItMakesNoProvince)
{
    NewProject(kSampleWorld);
    ASSERT_NE(project.GetEvents().AddEvent(), nullptr);
    Player(0).SetActive(1);
    ASSERT_EQ(project.SetPlayerCapital(0, &Province(0)), 1);
    project.victory.kind = CVictoryCondsB::kCaptureProvince;
    project.victory.captureProvince = 3;
    project.lose = {CLoseCondsB::kLoseProvince, 2, 40};
    project.difficulty = 3;
    project.MaxExp = 60;
    views.log.clear();

    ASSERT_EQ(project.Clear(), 1);
    const ProjectState cleared = State();
    const ProjectState expected{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 25, 0, 0, false, true, false};
    EXPECT_EQ(cleared, expected);
    EXPECT_EQ(views.log, (CallLog{"stop blinking", "deselect inspectors", "clear lists", "clear inspectors"}));
    EXPECT_EQ(std::tuple(project.GetLinksLayer(), project.GetPieceAt(0, 0), Player(0).unitTypes.GetSize()),
              std::tuple(nullptr, CMapProject::kNoPiece, 0));
    // Both conditions as a new mission has them: no kind that names a province of the old world.
    const CVictoryCondsB& victory = project.victory;
    EXPECT_EQ(std::tuple(victory.kind, victory.captureProvince, victory.armyData.army.GetSize(), project.lose.kind,
                         project.lose.province, project.lose.MaxTurnsToWin),
              std::tuple(0, CVictoryCondsB::kUnset, 0, 0, CLoseCondsB::kUnset, 20));

    ASSERT_EQ(project.Clear(), 1);
    EXPECT_EQ(State(), cleared);

    // Set up again before a load: the catalogue and the links overlay, no province.
    project.InitNew();
    EXPECT_EQ(std::tuple(project.GetProvinces().GetSize(), project.GetStringTables().GetCount(),
                         project.GetPlayers().GetCount()),
              std::tuple(0, 1, 6u));
    ASSERT_EQ(image.Layers()->Count(), 1);
    EXPECT_EQ(image.Layers()->Items(0), project.GetLinksLayer());
}

TEST_F(ProjectSetupTest, ARelinkMovesPointsOffTheEdgesAndGivesEachPieceToTheFirstProvince)
{
    // 200 × 180: block A along the right edge, block B along the bottom edge.
    ASSERT_EQ(Import(WorldFromArt(Art(200, 180, '~', {{160, 0, 40, 100, 'A'}, {0, 140, 60, 40, 'B'}}))), 1);
    const int a = int(project.GetPieceAt(180, 50)), b = int(project.GetPieceAt(30, 160));
    auto add = [&](int x, int y) { return project.AddProvince(x, y, x, y, x, y, false, -1); };
    CProvince* right = add(195, 50);  // width - 5: moves to 170
    CProvince* lower = add(30, 179);  // height - 1: moves to 150
    CProvince* second = add(194, 20); // stays, on A after `right` took it
    CProvince* sea = add(100, 100);
    ASSERT_TRUE(right && lower && second && sea);
    ASSERT_EQ(project.AttachProvinceToMap(sea, b), 1); // a link of the old world, lost on the new one

    project.RelinkProvincesToMaps();
    EXPECT_EQ((Ints{right->markerX, right->pieceIndex, lower->markerY, lower->pieceIndex, second->markerX}),
              (Ints{170, a, 150, b, 194}));
    for (const CProvince* detached : {second, sea}) {
        EXPECT_EQ(detached->linked, 0);
        EXPECT_EQ(detached->pieceIndex, -1);
        EXPECT_EQ(detached->castleX, detached->markerX) << "icons stand on the point";
    }
    EXPECT_EQ(right->castleX, Piece(a).castleX);
}

// Worlds far beyond the samples, a square and the widest strip a mission holds, each two
// provinces in a sea: made, saved, opened and exported as the main window's roads do.
class LargeWorldTest : public ProjectSetupTest, public testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(LargeWorldTest, IsSavedOpenedAgainAndExported)
{
    const auto [width, height] = GetParam();
    const int w = width / 16, h = height / 16; // in squares of 16 pixels
    NewProject(Save(WorldFromArt(Art(w, h, '~', {{w / 10, 1, w / 3, h / 2, 'A'}, {w / 2, h / 3, w / 3, h / 2, 'B'}}),
                                 16)));
    ASSERT_EQ(project.GetProvinces().GetSize(), 2);
    Player(0).active = 1;
    project.SetPlayerCapital(0, &Province(1));
    const std::filesystem::path first = folder.Path() / "large.fw", second = folder.Path() / "again.fw";
    std::string error;
    ASSERT_EQ(project.Save(first, error), 1) << error;
    ASSERT_EQ(project.LoadAndShow(first, error), 1) << error;
    EXPECT_EQ((Ints{image.Bitmap()->Width(), image.Bitmap()->Height()}), (Ints{width, height}));
    ASSERT_EQ(project.Save(second, error), 1) << error;
    EXPECT_EQ(test::ReadFile(second), test::ReadFile(first));
    std::ostringstream report;
    EXPECT_EQ(project.ExportMission(folder.Path() / "large", error, {&report, test::kFixedClock, folder.Path()}), 1)
        << error;
}

INSTANTIATE_TEST_SUITE_P(SquareAndStrip, LargeWorldTest, testing::Values(std::pair{2048, 2048}, std::pair{13696, 160}));

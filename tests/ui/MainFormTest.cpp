// The main window driven as a user drives it: actions triggered, the world view
// clicked and dragged with simulated mouse events, file dialogs and questions
// answered by scripts.
#include <QAbstractScrollArea>
#include <QMessageBox>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>

#include <deque>
#include <fstream>
#include <map>

#include "MainFormFixture.h"
#include "ui/DlgComplex.h"
#include "ui/Income.h"
#include "ui/MissFrame.h"
#include "ui/QtPrompts.h"

namespace {

using namespace main_form_test;

TEST_F(MainFormTest, NewProjectFromAWorldPictureFillsTheStatusBarAndProvincesList)
{
    NewProject();
    using enum TMainForm::StatusPanel;
    EXPECT_EQ(std::tuple(prompts.messages.size(), StatusPanel(kSizePanel), StatusPanel(kZoomPanel),
                         window->WorldImage().Scale(), WorldWidget()->size(), Action("ActSaveProject")->isEnabled()),
              std::tuple(size_t(0), "[320:240]", "200%", 2.0f, QSize(640, 480), true));
    EXPECT_EQ(Child<QTabWidget>("PgCMissionProperties")->currentIndex(), TMainForm::kProvincesTab);
    // Its buttons read "Add" and "Delete", both shown at the default width.
    const auto* bar = Child("TabSheetProvinces")->findChild<QToolBar*>();
    for (auto [action, text] : {std::pair("ActAddProvince", "Add"), std::pair("ActDelProvince", "Delete")})
        EXPECT_TRUE(bar->widgetForAction(Action(action))->isVisible() &&
                    qobject_cast<const QToolButton*>(bar->widgetForAction(Action(action)))->text() == text);

    ASSERT_EQ(ProvincesList()->topLevelItemCount(), project.GetProvinces().GetSize());
    for (int i = 0; i < ProvincesList()->topLevelItemCount(); ++i)
        EXPECT_EQ(ProvincesList()->topLevelItem(i)->text(0).toStdString(), project.GetProvinceName(&Province(i)));
    EXPECT_EQ(Child<QTreeWidget>("LVPlayers")->topLevelItemCount(), CMapProject::kPlayerCount);
    // The warnings come up after an import while the settings ask for them, away from the
    // middle of the world view, where a chosen warning's spot comes.
    const QWidget& view = *Child<QAbstractScrollArea>("ScrBWorld")->viewport();
    const QDialog& warnings = *Child<QDialog>("DlgError");
    EXPECT_TRUE(warnings.isVisible() && !warnings.frameGeometry().contains(view.mapToGlobal(view.rect().center())));

    // The panels are as wide as their texts.
    SendMouse(QEvent::MouseMove, QPoint(525, 479), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(StatusPanel(TMainForm::kCoordsPanel), "(262;239)");
    QApplication::processEvents();
    for (int panel : {TMainForm::kCoordsPanel, TMainForm::kZoomPanel, TMainForm::kSizePanel}) {
        const QLabel& label = *Child<QLabel>(QString("StatusPanel%1").arg(panel));
        EXPECT_GE(label.width(), label.fontMetrics().horizontalAdvance(label.text())) << label.text().toStdString();
    }
    // A plain move over the form itself empties the coordinates.
    QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), window->mapToGlobal(QPointF(1, 1)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window.get(), &move);
    EXPECT_EQ(StatusPanel(TMainForm::kCoordsPanel), "");
}

TEST_F(MainFormTest, EveryShortcutFiresItsActionWhileTheActionIsEnabled)
{
    const std::map<QString, const char*> keys = {
        {"ActNewProject", "Ctrl+N"},        {"ActLoadProject", "Ctrl+O"},   {"ActSaveProject", "Ctrl+S"},
        {"ActSaveAsProject", "Ctrl+Alt+S"}, {"ActShowIcons", "F10"},        {"ActShowNames", "F8"},
        {"ActShowCastles", "F11"},          {"ActShowArmies", "F12"},       {"ActShowNeighbours", "F7"},
        {"ActShowMissRMI", "F3"},           {"ActShowEventRMI", "F4"},      {"ActResetMapIcons", "Ctrl+R"},
    };
    NewProject();
    ClickListRow("LVProvinces", 0);
    ASSERT_EQ(Child<QLabel>("LblSelProvSummary")->text().left(11), "1 Provinces");
    size_t fired = 0;
    for (QAction* action : window->findChildren<QAction*>()) {
        const QString name = action->objectName();
        if (!name.startsWith("Act"))
            continue;
        // With a project open every action is enabled, those kept out of the menus too.
        EXPECT_TRUE(action->isEnabled()) << name.toStdString();
        const auto key = keys.find(name);
        EXPECT_EQ(action->shortcut(), QKeySequence(key == keys.end() ? "" : key->second)) << name.toStdString();
        if (key == keys.end())
            continue;
        QSignalSpy triggered(action, &QAction::triggered);
        window->activateWindow(); // the tool windows that came up took the focus
        QApplication::processEvents();
        ASSERT_TRUE(window->isActiveWindow());
        QTest::keySequence(window.get(), QKeySequence(key->second));
        EXPECT_EQ(triggered.count(), 1) << name.toStdString();
        fired += size_t(triggered.count());
    }
    EXPECT_EQ(fired, keys.size());
    // F10, F11 and F12 cleared the selection, and its summary with it.
    EXPECT_EQ(Child<QLabel>("LblSelProvSummary")->text(), "0 Provinces, 0 Castles");
    EXPECT_TRUE(Child("MissFrame")->isVisible() && Child("EventFrame")->isVisible());
}

TEST_F(MainFormTest, TheWalkingPathsOverlayFollowsShowWalkingPathsFromItsCreation)
{
    for (int round = 0; round < 2; ++round) {
        NewProject(); // the second with the overlay switched on by the first round
        const bool shown = TheSettings().ShPaths != 0;
        ASSERT_NE(project.GetLinksLayer(), nullptr);
        EXPECT_EQ(std::tuple(project.GetLinksLayer()->Visible(), Action("ActShowNeighbours")->isChecked()),
                  std::tuple(shown, shown))
            << round;
        Trigger("ActShowNeighbours");
        EXPECT_EQ(project.GetLinksLayer()->Visible(), !shown) << round;
    }
}

// After a failure the window shows no project: not the old one, not the half-built one.
TEST_F(MainFormTest, AFailedNewProjectSaysWhatFailedAndLeavesNoProjectOpen)
{
    const struct {
        const char* name;
        bool spoiledAtStart; // else after a first New went through
        // Spoils the copy of the data folder; returns the file to open.
        fs::path (*spoil)(const fs::path& data);
        const char* action;
        const char* message; // a part of it
    } cases[] = {
        {"unreadable picture", false,
         [](const fs::path& data) { return std::ofstream(data / "junk.bmp") << "BM junk", data / "junk.bmp"; },
         "ActNewProject", "\nNo project is open now: the old one was closed before the import."},
        {"missing castle picture", false,
         [](const fs::path& data) { return fs::remove(data / "res" / "castle_keep.bmp"), kSampleWorld; },
         "ActNewProject", " cannot be used: Cannot load picture \""},
        {"catalogue without units", true,
         [](const fs::path& data) { return std::ofstream(data / "fw.xml") << "<Valdrune dwID='VLDR'/>", kSampleWorld; },
         "ActNewProject", ". Correct the game catalogue and try again."},
        {"missing project file", false, [](const fs::path& data) { return data / "missing.fw"; }, "ActLoadProject",
         "Error while load project\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::TemporaryFolder data;
        fs::copy(kDataFolder / "fw.xml", data.Path() / "fw.xml");
        fs::copy(kDataFolder / "res", data.Path() / "res", fs::copy_options::recursive);
        fs::path file = c.spoiledAtStart ? c.spoil(data.Path()) : kSampleWorld;
        project.Clear();
        OpenWindow(data.Path());
        if (!c.spoiledAtStart) {
            NewProject();
            window->WorldImage().SetScale(8.0f); // larger than the view: scroll bars
            window->UpdateWorldViewSize();
            file = c.spoil(data.Path());
        }
        files.opens = {file};
        prompts.messages.clear();
        using enum TMainForm::StatusPanel;
        auto status = [&] { return StatusPanel(kCoordsPanel) + StatusPanel(kZoomPanel) + StatusPanel(kSizePanel); };
        QString statusWithMessage = "none";
        prompts.whileShown = [&] { statusWithMessage = status(); };
        Trigger(c.action);
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_NE(prompts.messages[0].find(c.message), std::string::npos) << prompts.messages[0];
        EXPECT_FALSE(prompts.messages[0].starts_with("Cannot import picture\nFormat")) << prompts.messages[0];
        const auto* box = Child<QAbstractScrollArea>("ScrBWorld"); // nothing to scroll to
        EXPECT_EQ(std::tuple(Child("LblNoProject")->isVisible(), WorldWidget()->isVisible(),
                             box->horizontalScrollBar()->maximum() + box->verticalScrollBar()->maximum(),
                             Action("ActSaveProject")->isEnabled(), ProvincesList()->topLevelItemCount(),
                             project.GetPieces().GetCount()),
                  std::tuple(true, false, 0, false, 0, 0));
        EXPECT_FALSE(project.IsModified()) << "without a project there is nothing to save";
        EXPECT_EQ(statusWithMessage + status(), "") << "the status bar shows the project that was closed";
    }
}

TEST_F(MainFormTest, ZoomStepsTheScaleBetweenOneAndEight)
{
    NewProject();
    Trigger("ActZoomIn");
    EXPECT_EQ(std::tuple(window->WorldImage().Scale(), StatusPanel(TMainForm::kZoomPanel), WorldWidget()->width()),
              std::tuple(3.0f, "300%", 960));

    for (int i = 0; i < 10 && Action("ActZoomIn")->isEnabled(); ++i)
        Trigger("ActZoomIn");
    EXPECT_FLOAT_EQ(window->WorldImage().Scale(), 8.0f);
    Trigger("ActZoomFill");
    EXPECT_EQ(std::tuple(window->WorldImage().Scale(), Action("ActZoomOut")->isEnabled()), std::tuple(1.0f, false));
    // A world smaller than the scroll box is centred in it.
    EXPECT_EQ(WorldWidget()->x(), (WorldWidget()->parentWidget()->width() - 320) / 2);
}

TEST_F(MainFormTest, AClickOnAProvinceMarkerSelectsItsProvince)
{
    NewProject();
    Click(Centre(*project.FindMarkerLayer(&Province(0))));
    ASSERT_EQ(project.GetSelection().Count(), 1);
    EXPECT_EQ(std::tuple(project.GetSelection().GetAt(0), ProvincesList()->topLevelItem(0)->isSelected()),
              std::tuple(&Province(0), true));

    // Ctrl adds to the selection; a plain click starts it again.
    Click(Centre(*project.FindMarkerLayer(&Province(1))), Qt::ControlModifier);
    EXPECT_EQ(project.GetSelection().Count(), 2);
    Click(Centre(*project.FindMarkerLayer(&Province(1))));
    EXPECT_EQ(std::tuple(project.GetSelection().Count(), ProvincesList()->topLevelItem(0)->isSelected()),
              std::tuple(1, false));
}

TEST_F(MainFormTest, DraggingACastleIconMovesItsPointInsideThePiece)
{
    NewProject();
    Trigger("ActShowCastles");
    CProvince& province = Province(0);
    ASSERT_TRUE(province.linked);
    const CProvinceMap& piece = *project.GetPieces().GetAt(province.pieceIndex);
    // A mask point of the piece a few pixels away from the castle.
    TPoint target{-1, -1};
    for (int y = 0; y < piece.mask.Height() && target.X < 0; ++y)
        for (int x = 0; x < piece.mask.Width() && target.X < 0; ++x)
            if (piece.mask.GetPixel(x, y) != 0 && std::abs(x - province.castleX) + std::abs(y - province.castleY) > 4)
                target = {x, y};
    ASSERT_GE(target.X, 0);
    project.SetModified(false);

    Drag(Centre(*project.FindCastleLayer(&province)),
         QPoint((piece.left + target.X) * 2 + 1, (piece.top + target.Y) * 2 + 1));
    EXPECT_EQ(std::tuple(int(province.castleX), int(province.castleY), project.IsModified()),
              std::tuple(target.X, target.Y, true));

    // Outside the piece the castle stays where it is.
    const QPoint moved = Centre(*project.FindCastleLayer(&province));
    Drag(moved, QPoint(1, 1));
    EXPECT_EQ(std::tuple(int(province.castleX), Centre(*project.FindCastleLayer(&province))), std::tuple(target.X, moved));
}

TEST_F(MainFormTest, SavedProjectOpensAgainTheSame)
{
    NewProject();
    files.saves.push_back(folder.Path() / "isles");
    Trigger("ActSaveProject");
    ASSERT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    EXPECT_EQ(std::tuple(project.GetFileName(), project.IsModified()), std::tuple(folder.Path() / "isles.fw", false));
    const std::vector<uint8_t> saved = ProjectBytes();

    files.opens.push_back(folder.Path() / "isles.fw");
    Trigger("ActLoadProject");
    EXPECT_TRUE(prompts.questions.empty() && prompts.messages.empty());
    EXPECT_EQ(ProjectBytes(), saved);
    EXPECT_EQ(std::tuple(ProvincesList()->topLevelItemCount(), StatusPanel(TMainForm::kSizePanel),
                         window->WorldImage().Scale()),
              std::tuple(project.GetProvinces().GetSize(), "[320:240]", 2.0f));
}

// Each way of not saving the changes keeps the project and stops the new project.
TEST_F(MainFormTest, TheProjectStaysWhenItsChangesAreNotSaved)
{
    const struct {
        const char* name;
        IPrompts::Answer answer;
        std::optional<fs::path> saveAs; // nothing: the save dialog is cancelled
        bool errorShown;
    } cases[] = {
        {"cancel", IPrompts::kCancel, std::nullopt, false},
        {"yes, save dialog cancelled", IPrompts::kYes, std::nullopt, false},
        {"yes, save failing", IPrompts::kYes, fs::path("/nonexistent-folder/x"), true},
    };
    NewProject();
    const std::vector<uint8_t> before = ProjectBytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(project.IsModified());
        prompts = RecordingPrompts();
        prompts.answer = c.answer;
        files.saves.clear();
        if (c.saveAs)
            files.saves.push_back(*c.saveAs);
        files.opens = {kSampleWorld};
        Trigger("ActNewProject");
        EXPECT_EQ(prompts.questions.size(), 1u);
        EXPECT_EQ(files.opens.size(), 1u); // no picture was asked for
        EXPECT_EQ(!prompts.messages.empty(), c.errorShown);
        EXPECT_EQ(ProjectBytes(), before);
        EXPECT_FALSE(window->close());
    }
    prompts.answer = IPrompts::kNo;
}

TEST_F(MainFormTest, ClosingKeepsTheSettingsAndLayoutForTheNextStart)
{
    NewProject();
    Trigger("ActShowNames");
    ASSERT_TRUE(TheSettings().ShNames);
    // Windows come back wholly on the screen (800 x 800 offscreen): the tool windows
    // are placed there the first time (the fixture sized the main window); a place
    // partly outside it or on a screen no longer there moves in, shrunk where larger.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(screen, QRect(0, 0, 800, 800));
    const std::tuple<QString, QRect, QRect> places[] = {{"MainForm", {300, 250, 700, 600}, {100, 200, 700, 600}},
                                                        {"MissFrame", {700, 650, 420, 260}, {380, 540, 420, 260}},
                                                        {"EventFrame", {2000, 0, 400, 1000}, {400, 0, 400, 800}}};
    auto named = [&](const QString& name) { return name == window->objectName() ? window.get() : Child(name); };
    for (const auto& [name, saved, restored] : places) {
        EXPECT_TRUE(name == "MainForm" || screen.contains(named(name)->geometry())) << name.toStdString();
        named(name)->setGeometry(saved);
    }
    Host("RMIMission").HostedAs<TrmInspector>().SetBounds(0, 0, 100, 200); // as in a narrow mission window
    const int listHeight = Child("PlProvince")->height();
    ASSERT_TRUE(window->close());

    TheSettings().ShNames = 0;
    window = std::make_unique<TMainForm>(Setup(kDataFolder));
    EXPECT_TRUE(prompts.messages.empty() && TheSettings().ShNames && Action("ActShowNames")->isChecked());
    for (const auto& [name, saved, restored] : places)
        EXPECT_EQ(named(name)->geometry(), restored) << name.toStdString();
    EXPECT_EQ(Host("RMIMission").HostedAs<TrmInspector>().WantedSplitPos(), 150); // as set, not as shown narrow
    // Closed without a project, it keeps the provinces list's height: that page was never laid out.
    CEditorLayout layout;
    std::string problem;
    ASSERT_TRUE(window->close() && ReadSettingsFile(folder.Path() / "ini.xml", TheSettings(), layout, problem));
    EXPECT_EQ(layout.mainForm.ProvHeight, listHeight);
}

TEST_F(MainFormTest, TheMissionAndEventsWindowsShareOneTextDialog)
{
    IEditorDialogs withoutTextDialog; // then the window makes the one itself
    for (IEditorDialogs* dialogs : {static_cast<IEditorDialogs*>(nullptr), &withoutTextDialog}) {
        OpenWindow(kDataFolder, dialogs);
        // The windows' classes have no meta-objects of their own: they are found by name.
        const QList<QDialog*> textDialogs = window->findChildren<QDialog*>("DlgComplex");
        ASSERT_EQ(textDialogs.size(), 1) << (dialogs ? "scripted dialogs" : "own dialogs");
        ASSERT_NE(Child("MissFrame"), nullptr);
        EXPECT_EQ(&static_cast<TMissFrame*>(Child("MissFrame"))->TextDialog(), textDialogs.front());
    }
}

// An error is an error box under its caption; a message (the window's Error) a plain OK box.
TEST(QtPrompts, AnErrorIsAnErrorBoxUnderItsCaptionAndAMessageAPlainBox)
{
    for (bool error : {true, false}) {
        QMessageBox::Icon icon = QMessageBox::Warning;
        QString title, text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            std::tie(icon, title, text) = std::tuple(box->icon(), box->windowTitle(), box->text());
            box->accept();
        });
        error ? TQtPrompts().ErrorMessage("You can't save mission because \xE9", "Error")
              : TQtPrompts().Message("You can't save mission because \xE9");
        EXPECT_EQ(std::tuple(icon, title, text),
                  std::tuple(error ? QMessageBox::Critical : QMessageBox::NoIcon,
                             error ? QString("Error") : QApplication::applicationName(),
                             QString::fromUtf8("You can't save mission because \xC3\xA9")));
    }
}

// A project file ends in ".fw" exactly once; a mission is exported without ".pdb".
TEST(ProjectFileName, EndsInFwExactlyOnce)
{
    const std::tuple<fs::path (*)(const fs::path&), const char*, const char*> cases[] = {
        {ProjectFileNameFor, "/m/world.fw", "/m/world.fw"}, {ProjectFileNameFor, "/m/world", "/m/world.fw"},
        {ProjectFileNameFor, "/m/world.bmp", "/m/world.bmp.fw"}, {ProjectFileNameFor, ".fw", ".fw.fw"},
        {MissionOutputPathFor, "/m/My.Map.pdb", "/m/My.Map"}, {MissionOutputPathFor, "/m/x.PDB", "/m/x"},
        {MissionOutputPathFor, "/m/.pdb", "/m/.pdb"}, {MissionOutputPathFor, "/m/x.dat", "/m/x.dat"},
    };
    for (const auto& [rule, chosen, written] : cases)
        EXPECT_EQ(rule(chosen), fs::path(written)) << chosen;
}

// Every draw repeats while it gives the old value, and the chance draws of
// resources 1 and 2 replace the first value when they fall below 20 and 10.
TEST(RollIncome, DrawsUntilEachValueDiffersFromTheOldOne)
{
    CMapProject project;
    CProvince province(project);
    province.ResizeResources(3);
    const int old[] = {3, 3, 1}, rolled[] = {4, 1, 3};
    for (int i = 0; i < 3; ++i)
        province.SetResource(i, old[i]);
    std::deque<int> script = {
        1, 2,           // resource 0: 3 (old, again), then 4
        1, 50, 2, 5, 1, // resource 1: 3 kept (old, again), then 4 replaced by 1
        1, 99, 3, 50,   // resource 2: 1 kept (old, again), then 3
    };
    RollIncome(province, [&script] {
        const int next = script.front();
        script.pop_front();
        return next;
    });
    EXPECT_TRUE(script.empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(province.resources[i], rolled[i]) << i;
    EXPECT_TRUE(project.IsModified());
}

} // namespace

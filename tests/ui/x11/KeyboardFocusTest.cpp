// The keyboard under a real X server and window manager (scripts/run-x-tests.sh):
// keys typed through the X test extension reach the window with the X input focus,
// as a user's do. After every file dialog, progress window and text editor the editor has
// them, and no tool window covers a dialog.
#include <QFileDialog>
#include <QProcess>

#include "ui/MainFormFixture.h"

namespace main_form_test {
namespace {

void Keys(const QStringList& arguments) { ASSERT_EQ(QProcess::execute("xdotool", arguments), 0); }

TEST_F(MainFormTest, TheKeyboardComesBackAfterEachDialogAndNoToolWindowCoversOne)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server with a window manager (scripts/run-x-tests.sh)";
    TheSettings().AutoShowErr = 0;
    window.reset(); // the old window clears the project as it closes
    window = std::make_unique<TMainForm>(TMainFormSetup{kDataFolder, folder.Path(), &prompts, nullptr, nullptr});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    int finished = 0;
    for (const char* action : {"ActNewProject", "ActSaveAsProject", "ActLoadProject"})
        QObject::connect(Action(action), &QAction::triggered, [&] { ++finished; }); // after the handler

    // The shortcut, the file typed into its dialog, then F8 must switch the names.
    auto throughFileDialog = [&](const char* shortcut, const fs::path& file) {
        QTimer answer;
        answer.callOnTimeout([&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog && dialog->isActiveWindow()) {
                answer.stop();
                Keys({"type", "--delay", "0", QString::fromStdString(file.string())});
                Keys({"key", "Return"});
            }
        });
        answer.start(10);
        const int before = finished;
        Keys({"key", shortcut});
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished > before; }, 20000)) << shortcut << " did not run";
        const bool names = Action("ActShowNames")->isChecked();
        Keys({"key", "F8"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return Action("ActShowNames")->isChecked() != names; }, 3000))
            << "the keyboard was lost after " << shortcut;
    };
    const fs::path file = folder.Path() / "keys.fw";
    ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+n", kSampleWorld));
    ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+alt+s", file));
    // Kept or lost by a race with the window manager: one try in two lost it.
    for (int i = 0; i < 12; ++i)
        ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+o", file)) << "try " << i;

    // Shift+Tab takes the keyboard out of an inspector: from its editor to its row, then on.
    window->activateWindow();
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow("LVPlayers", 0);
    ClickRow(Host("RMIPlayer"), Key(InspectorRow::Name));
    Keys({"key", "shift+Tab", "shift+Tab"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() != &Host("RMIPlayer"); }, 3000));

    // The text editor by keyboard alone, twice: the keys go into the text, Tab on to Ok, Space
    // presses it. Then Events List laid over its Cancel button does not catch the click meant
    // for it. Each time the keyboard is back in the Mission Properties row that opened it.
    Trigger("ActShowEventRMI");
    Trigger("ActShowMissRMI");
    Child("MissFrame")->activateWindow();
    ClickRow(Host("RMIMission"), Key(InspectorRow::MisAuthorNotes));
    QWidget* text = Child("DlgComplex");
    QTimer answer;
    bool reached = false; // the editor closed as the user asked
    const auto closed = [&] {
        reached = QTest::qWaitFor([&] { return !text->isVisible(); }, 3000);
        text->close();
    };
    const auto typeAndOk = [&](const char* typed) {
        return [&, typed] {
            Keys({"type", typed});
            Keys({"key", "Tab", "space"});
            closed();
        };
    };
    const auto cancelUnderEventsList = [&] {
        const QWidget* cancel = text->findChild<QWidget*>("BtnCancel");
        const QPoint button = cancel->mapToGlobal(cancel->rect().center());
        Child("EventFrame")->setGeometry(QRect(button - QPoint(50, 50), QSize(200, 200)));
        QTest::qWait(300);
        Keys({"mousemove", QString::number(button.x()), QString::number(button.y()), "click", "1"});
        closed();
    };
    std::function<void()> whileOpen; // what the user does in the modal window once it has the keyboard
    answer.callOnTimeout([&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isActiveWindow()) {
            answer.stop();
            whileOpen();
        }
    });
    // A tool window counts as active with its owner: the window with the keyboard is asked.
    const QWindow* mission = Child("MissFrame")->windowHandle();
    const auto keyboardInMission = [&] {
        return QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == mission; });
    };
    int open = 0;
    for (const auto& user : std::vector<std::function<void()>>{typeAndOk("Q"), typeAndOk("R"), cancelUnderEventsList}) {
        ASSERT_TRUE(keyboardInMission()) << "the keyboard is elsewhere after " << open++ << " text editors";
        whileOpen = user;
        answer.start(10);
        Keys({"key", "ctrl+Return"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !answer.isActive() && !text->isVisible(); }, 6000))
            << "Ctrl+Return did not open the text editor";
        EXPECT_TRUE(std::exchange(reached, false)) << "the text editor did not close as the user asked";
    }
    EXPECT_EQ(Table().authorNotes, "No notesQR");

    // A file dialog opened from Mission Properties and cancelled gives the keyboard back to it.
    ASSERT_TRUE(keyboardInMission());
    whileOpen = [] { Keys({"key", "Escape"}); };
    answer.start(10);
    Keys({"key", "ctrl+alt+s"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !answer.isActive() && !QApplication::activeModalWidget(); }, 6000));
    EXPECT_TRUE(keyboardInMission()) << "the keyboard went elsewhere after Save as was cancelled";
}

// Saved places past the bottom-right corner of the screen (1280 x 1024): once the
// window manager has framed the windows, they are fitted again with their frames.
TEST_F(MainFormTest, WindowsPlacedPastTheScreenEdgeComeBackOnItFrameIncluded)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server with a window manager (scripts/run-x-tests.sh)";
    CEditorLayout layout;
    layout.mainForm = {{1100, 900, 600, 400}};
    layout.missForm = {{420, 260, 1100, 850}, true};
    layout.eventsForm = {{{400, 850, 1000, 500}, true}};
    std::string problem;
    ASSERT_TRUE(WriteSettingsFile(folder.Path() / "ini.xml", TheSettings(), layout, problem)) << problem;
    window.reset();
    window = std::make_unique<TMainForm>(Setup(kDataFolder));
    window->show();
    for (const QWidget* form : {static_cast<QWidget*>(window.get()), Child("MissFrame"), Child("EventFrame")}) {
        const QRect area = form->screen()->availableGeometry();
        auto framed = [&] { return form->frameGeometry() != form->geometry() && area.contains(form->frameGeometry()); };
        EXPECT_TRUE(QTest::qWaitFor(framed, 5000)) << form->objectName().toStdString() << " is off the screen";
    }
}

} // namespace
} // namespace main_form_test

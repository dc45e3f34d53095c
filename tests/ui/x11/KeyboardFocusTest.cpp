// The keyboard under a real X server and window manager (scripts/run-x-tests.sh):
// keys typed through the X test extension reach the window with the X input focus,
// as a user's do. After every file dialog, progress window and text editor the window
// that opened it has them, Shift+Tab leaves an inspector, and no tool window covers a
// dialog; the tool windows outlive a minimise of the main window and start above it.
#include <QFileDialog>
#include <QProcess>

#include "ui/MainFormFixture.h"

namespace main_form_test {
namespace {

void Keys(const QStringList& arguments) { ASSERT_EQ(QProcess::execute("xdotool", arguments), 0); }

// True when the window manager stacks `upper` above `lower` (its client list, bottom first).
bool StackedAbove(const QWidget& upper, const QWidget& lower)
{
    QProcess xprop;
    xprop.start("xprop", {"-root", "_NET_CLIENT_LIST_STACKING"});
    xprop.waitForFinished();
    const QString stack = QString(xprop.readAllStandardOutput()).trimmed() + ",";
    const auto at = [&](const QWidget& w) { return stack.indexOf(QString(" 0x%1,").arg(w.winId(), 0, 16)); };
    return at(lower) >= 0 && at(upper) > at(lower);
}

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
    QTimer answer; // once a modal window has the keyboard, the user does `whileOpen` in it
    std::function<void()> whileOpen;
    answer.callOnTimeout([&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isActiveWindow()) {
            answer.stop();
            whileOpen();
        }
    });
    const auto namesSwitchByF8 = [&] {
        const bool names = Action("ActShowNames")->isChecked();
        Keys({"key", "F8"});
        return QTest::qWaitFor([&] { return Action("ActShowNames")->isChecked() != names; }, 3000);
    };
    // The shortcut, the file typed into its dialog (Escape without one), then the keyboard must be back.
    auto throughFileDialog = [&](const char* shortcut, const fs::path& file, const std::function<bool()>& keysBack) {
        whileOpen = [&] {
            if (!file.empty())
                Keys({"type", "--delay", "0", QString::fromStdString(file.string())});
            Keys({"key", file.empty() ? "Escape" : "Return"});
        };
        answer.start(10);
        const int before = finished;
        Keys({"key", shortcut});
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished > before; }, 20000)) << shortcut << " did not run";
        ASSERT_TRUE(keysBack()) << "the keyboard was lost after " << shortcut;
    };
    const fs::path file = folder.Path() / "keys.fw";
    ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+n", kSampleWorld, namesSwitchByF8));
    ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+alt+s", file, namesSwitchByF8));
    // Kept or lost by a race with the window manager: one try in two lost it.
    for (int i = 0; i < 12; ++i)
        ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+o", file, namesSwitchByF8)) << "try " << i;

    // Shift+Tab takes the keyboard out of an inspector: from its editor to its row, then on.
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow("LVPlayers", 0);
    ClickRow(Host("RMIPlayer"), Key(InspectorRow::Name));
    Keys({"key", "shift+Tab", "shift+Tab"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() != &Host("RMIPlayer"); }, 3000));

    // The text editor by keys alone, twice: a letter goes into the text, Tab on to Ok, Space presses
    // it; then Events List laid over its Cancel button does not catch the click meant for it. Each
    // time the keyboard is back in the Mission Properties row that opened it, as after a file dialog.
    Trigger("ActShowEventRMI");
    Trigger("ActShowMissRMI");
    Child("MissFrame")->activateWindow();
    ClickRow(Host("RMIMission"), Key(InspectorRow::MisAuthorNotes));
    QWidget* text = Child("DlgComplex");
    bool closed = false; // as the user asked
    const auto typeAndOk = [](const char* letter) { return [letter] { Keys({"key", letter, "Tab", "space"}); }; };
    const auto cancelUnderEventsList = [&] {
        const QWidget* cancel = text->findChild<QWidget*>("BtnCancel");
        const QPoint button = cancel->mapToGlobal(cancel->rect().center());
        Child("EventFrame")->setGeometry(QRect(button - QPoint(50, 50), QSize(200, 200)));
        QTest::qWait(300);
        Keys({"mousemove", QString::number(button.x()), QString::number(button.y()), "click", "1"});
    };
    // A tool window counts as active with its owner: the window with the keyboard is asked.
    const auto keysInMission = [mission = Child("MissFrame")->windowHandle()] {
        return QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == mission; });
    };
    for (const std::function<void()>& user :
         std::initializer_list<std::function<void()>>{typeAndOk("Q"), typeAndOk("R"), cancelUnderEventsList}) {
        ASSERT_TRUE(keysInMission()) << "the keyboard is elsewhere after a text editor";
        whileOpen = [&] {
            user();
            closed = QTest::qWaitFor([&] { return !text->isVisible(); }, 3000);
            text->close();
        };
        answer.start(10);
        Keys({"key", "ctrl+Return"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !answer.isActive() && !text->isVisible(); }, 6000))
            << "Ctrl+Return did not open the text editor";
        EXPECT_TRUE(std::exchange(closed, false)) << "the text editor did not close as the user asked";
    }
    EXPECT_EQ(Table().authorNotes, "No notesQR");
    ASSERT_NO_FATAL_FAILURE(throughFileDialog("ctrl+alt+s", {}, keysInMission));
}

// F3 and F4, then the main window minimised and restored through the window manager:
// the tool windows come back, their View items checked.
TEST_F(MainFormTest, ToolWindowsOutliveAMinimiseOfTheMainWindow)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server with a window manager (scripts/run-x-tests.sh)";
    TheSettings().AutoShowErr = 0;
    ASSERT_NO_FATAL_FAILURE(NewProject());
    const QWidget* tools[] = {Child("MissFrame"), Child("EventFrame")};
    const auto shown = [](const QWidget* tool) { return tool->isVisible() && tool->windowHandle()->isExposed(); };
    for (int i : {0, 1}) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Keys({"key", i == 0 ? "F3" : "F4"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown(tools[i]); }, 5000)) << i;
    }
    const QString id = QString::number(window->winId());
    Keys({"windowminimize", id});
    const auto gone = [](const QWidget* w) { return w->isMinimized() || !w->isVisible(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return gone(window.get()) && gone(tools[0]) && gone(tools[1]); }, 5000));
    Keys({"windowactivate", id});
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(tools[0]) && shown(tools[1]); }, 5000));
    EXPECT_TRUE(Action("ActShowMissRMI")->isChecked() && Action("ActShowEventRMI")->isChecked());
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
    // Shown once the main window is, so above it.
    for (const char* tool : {"MissFrame", "EventFrame"})
        EXPECT_TRUE(QTest::qWaitFor([&] { return StackedAbove(*Child(tool), *window); }, 5000)) << tool;
}

} // namespace
} // namespace main_form_test

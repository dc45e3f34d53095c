#pragma once
// The main window driven as a user drives it, file dialogs and questions answered
// by scripts. The project and the settings are process-wide: each test starts
// from a cleared project and restores the settings.
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>

#include <vector>

#include "graphics/Layers32.h"
#include "model/Settings.h"
#include "platform/FileSystem.h"
#include "ui/Main.h"

#include "InspectorDriver.h"
#include "support/ScriptedFiles.h"

namespace main_form_test {

namespace fs = std::filesystem;
inline const fs::path kDataFolder = VALDRUNE_DATA_DIR;
inline const fs::path kSampleWorld = kDataFolder / "worlds" / "isles-320x240.bmp";

class RecordingPrompts : public IPrompts {
public:
    void Message(const std::string& text) override { messages.push_back(text); if (whileShown) whileShown(); }
    void ErrorMessage(const std::string& text, const std::string& caption) override
    {
        Message(text);
        errorCaptions.push_back(caption);
    }
    Answer Ask(const std::string& text, const std::string&) override
    {
        questions.push_back(text);
        return answer;
    }
    bool Confirm(const std::string& text, const std::string&) override
    {
        questions.push_back(text);
        return true;
    }

    std::vector<std::string> messages, errorCaptions /* of the error boxes */, questions;
    std::function<void()> whileShown; // runs as each message comes up
    Answer answer = kNo;
};

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest()
    {
        platform::SetTextRasterizer(&rasterizer);
        OpenWindow(kDataFolder);
    }

    ~MainFormTest() override
    {
        project.Clear();
        project.SetModified(false);
        window.reset();
        TheSettings() = savedSettings;
        platform::SetTextRasterizer(nullptr);
    }

    TMainFormSetup Setup(const fs::path& dataFolder, IEditorDialogs* dialogs = nullptr)
    {
        return {dataFolder, folder.Path(), &prompts, &files, dialogs};
    }
    // Replaces the window by a new one, shown.
    void OpenWindow(const fs::path& dataFolder, IEditorDialogs* dialogs = nullptr)
    {
        window.reset();
        window = std::make_unique<TMainForm>(Setup(dataFolder, dialogs));
        window->resize(1000, 700);
        window->show();
    }

    template <class T = QWidget>
    T* Child(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    QAction* Action(const char* name) const { return Child<QAction>(name); }
    void Trigger(const char* action)
    {
        ASSERT_NE(Action(action), nullptr) << action;
        ASSERT_TRUE(Action(action)->isEnabled()) << action;
        Action(action)->trigger();
    }

    void NewProject()
    {
        files.opens.push_back(kSampleWorld);
        Trigger("ActNewProject");
        ASSERT_GT(project.GetProvinces().GetSize(), 1);
    }

    QString StatusPanel(int i) const { return Child<QLabel>(QString("StatusPanel%1").arg(i))->text(); }
    QTreeWidget* ProvincesList() const { return Child<QTreeWidget>("LVProvinces"); }
    QWidget* WorldWidget() const { return Child("ImgVWorld"); }

    // The centre of a layer, in the world view's control coordinates.
    static QPoint Centre(const TPositionedLayer& layer)
    {
        const TFloatRect r = layer.GetAdjustedLocation();
        return QPoint(int((r.Left + r.Right) / 2), int((r.Top + r.Bottom) / 2));
    }

    // A mouse event straight to the world view, with the buttons held after it.
    void SendMouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                   Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QMouseEvent event(type, at, WorldWidget()->mapToGlobal(at), button, held, keys);
        QApplication::sendEvent(WorldWidget(), &event);
    }
    void Click(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        SendMouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, keys);
        SendMouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, keys);
    }
    void Drag(QPoint from, QPoint to)
    {
        SendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        SendMouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        SendMouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }

    // The tabs of the property pages, the lists on them and their inspectors.
    void ShowTab(int index)
    {
        Child<QTabWidget>("PgCMissionProperties")->setCurrentIndex(index);
        QApplication::processEvents(); // the tab's lists get their sizes
    }
    void ClickListRow(const char* list, int index, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        ::ClickListRow(*Child<QTreeWidget>(list), index, keys);
    }
    platform::qt::ControlWidget& Host(const char* inspector) { return HostOf(*window, inspector); }
    CStringTable& Table() { return *project.GetStringTables().GetAt(project.GetCurrentStringTable()); }
    CProvince& Province(int i) { return *project.GetProvinces().GetAt(i); }

    // The stored form of the project, for comparing two projects byte by byte.
    std::vector<uint8_t> ProjectBytes()
    {
        std::vector<uint8_t> bytes;
        std::string problem;
        EXPECT_TRUE(project.SaveToBytes(bytes, problem)) << problem;
        return bytes;
    }

    CMapProject& project = TheMapProject();
    CSettings savedSettings = TheSettings();
    platform::qt::QtTextRasterizer rasterizer;
    platform::TemporaryFolder folder;
    RecordingPrompts prompts;
    ScriptedFiles files;
    std::unique_ptr<TMainForm> window;
};

} // namespace main_form_test

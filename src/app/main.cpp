// Entry point: sets the application title, installs the platform services the
// controls draw and tick through, opens the main window and runs the message
// loop. `--quit-when-idle` closes the window as soon as the loop is idle, which
// lets tests check that the editor starts and quits cleanly.
#include "platform/Registry.h"
#include "platform/TextRasterizer.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/qt/QtTextRasterizer.h"
#include "platform/qt/QtTimerService.h"
#include "platform/qt/QtWindowSystem.h"
#include "ui/EditorApplication.h"
#include "ui/Main.h"

#include <QTimer>

#include <cstring>
#include <filesystem>
#include <memory>

int main(int argc, char** argv)
{
    TEditorApplication app(argc, argv);
    QApplication::setApplicationName("Valdrune Mission editor");
    // Bitmaps draw their text through Qt from now on.
    platform::qt::QtTextRasterizer textRasterizer;
    platform::SetTextRasterizer(&textRasterizer);
    // Controls' timers tick on Qt's event loop.
    platform::qt::QtTimerService timerService;
    platform::SetTimerService(&timerService);
    // Controls reach the clipboard, the beep and pop-up windows through Qt.
    platform::qt::QtWindowSystem windowSystem;
    platform::SetWindowSystem(&windowSystem);
    // Values kept in the registry (combo-box histories, window places) live in files of
    // the user's configuration folder.
    std::unique_ptr<platform::Registry> registry;
    if (const std::filesystem::path folder = platform::UserConfigFolder(); !folder.empty()) {
        registry = std::make_unique<platform::Registry>(folder, app.showException);
        platform::SetRegistry(registry.get());
    }

    int result = 1;
    std::unique_ptr<TMainForm> window;
    // The window works in the current folder: ./fw.xml, ./ini.xml, ./res/.
    if (RunShowingExceptions([&] { window = std::make_unique<TMainForm>(); }, app.showException)) {
        window->show();
        for (int i = 1; i < argc; ++i)
            if (std::strcmp(argv[i], "--quit-when-idle") == 0)
                QTimer::singleShot(0, window.get(), &QWidget::close);
        result = app.exec();
        window.reset();
    }
    platform::SetRegistry(nullptr);
    platform::SetWindowSystem(nullptr);
    platform::SetTimerService(nullptr);
    platform::SetTextRasterizer(nullptr);
    return result;
}

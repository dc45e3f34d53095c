// Entry point: sets the application title, creates the main window and runs the
// message loop. `--quit-when-idle` closes the window as soon as the loop is idle,
// which lets tests check that the editor starts and quits cleanly.
#include "platform/TextRasterizer.h"
#include "platform/Timer.h"
#include "platform/qt/QtTextRasterizer.h"
#include "platform/qt/QtTimerService.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/WindowSystem.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
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

    QMainWindow window;
    window.setWindowTitle("Valdrune Mission editor");
    window.resize(1024, 768);
    window.show();

    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quit-when-idle") == 0)
            QTimer::singleShot(0, &window, &QMainWindow::close);

    const int result = app.exec();
    platform::SetWindowSystem(nullptr);
    platform::SetTimerService(nullptr);
    platform::SetTextRasterizer(nullptr);
    return result;
}

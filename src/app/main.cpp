// Entry point: sets the application title, creates the main window and runs the
// message loop. `--quit-when-idle` closes the window as soon as the loop is idle,
// which lets tests check that the editor starts and quits cleanly.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Valdrune Mission editor");

    QMainWindow window;
    window.setWindowTitle("Valdrune Mission editor");
    window.resize(1024, 768);
    window.show();

    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quit-when-idle") == 0)
            QTimer::singleShot(0, &window, &QMainWindow::close);

    return app.exec();
}

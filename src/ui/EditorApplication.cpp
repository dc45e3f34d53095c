#include "ui/EditorApplication.h"

#include <QMessageBox>

#include <exception>

#include "platform/qt/QtFont.h"

TEditorApplication::TEditorApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    showException = [](const std::string& message) {
        QMessageBox::critical(activeWindow(), applicationName(), platform::qt::Windows1252ToQString(message));
    };
}

bool TEditorApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    RunShowingExceptions([&] { handled = QApplication::notify(receiver, event); }, showException);
    return handled;
}

bool RunShowingExceptions(const std::function<void()>& work, const std::function<void(const std::string&)>& show)
{
    try {
        work();
        return true;
    } catch (...) {
        const std::string text = CurrentExceptionText();
        if (show)
            show(text);
        return false;
    }
}

std::string CurrentExceptionText()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "There is not enough memory to finish the operation.";
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "An unknown error stopped the operation.";
    }
}

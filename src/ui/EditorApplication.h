#pragma once
// The application object with the editor's one exception barrier: an exception
// that leaves an event handler is shown in a message box and the event counts
// as handled, so the editor keeps running with whatever the handler finished.
#include <QApplication>

#include <functional>
#include <string>

class TEditorApplication : public QApplication {
public:
    TEditorApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // How a caught exception is shown; a message box by default. Tests record instead.
    std::function<void(const std::string& message)> showException;
};

// Runs `work`; an exception is shown through `show` and false returned.
bool RunShowingExceptions(const std::function<void()>& work, const std::function<void(const std::string&)>& show);

// The text of the exception being handled (call inside a catch block).
std::string CurrentExceptionText();

#pragma once
// Where the editor's dialogs and message boxes open: over the window the user
// is in, a tool window above the main window included, so that none opens
// behind one; and where the keyboard goes once they close: back to the control
// that had it.
#include <QPointer>
#include <QWidget>

class QDialog;

// The window a dialog opened now belongs over: the modal dialog that is up,
// else the active window, else `fallback`.
QWidget* DialogOwner(QWidget* fallback);

// Runs `dialog` modally over DialogOwner(its parent), its parent kept; once it
// is closed, the window and control that had the keyboard have it again.
int ExecOverActiveWindow(QDialog& dialog);

// Notes the control that has the keyboard when made, and gives the keyboard back to it,
// its window made active, when it goes: around a dialog or message box of Qt's own, whose
// closing would otherwise leave the keyboard to whichever window the window system picks.
class KeyboardComesBack {
public:
    KeyboardComesBack();
    ~KeyboardComesBack();
    KeyboardComesBack(const KeyboardComesBack&) = delete;
    KeyboardComesBack& operator=(const KeyboardComesBack&) = delete;

private:
    QPointer<QWidget> focus_;
};

#pragma once
// What the mission and events windows share: a tool window of the main window (above
// its owner, below the editor's dialogs, minimised with it) whose inspector's handlers
// run guarded and are detached as the window goes, and which says when the designer
// or the program hid it.
#include <functional>

#include <QWidget>

class TrmInspector;

class TToolWindow : public QWidget {
public:
    ~TToolWindow() override;

    // The window was hidden by the designer or the program, not by the window system
    // (the show action's check mark follows).
    std::function<void()> OnHide;

protected:
    explicit TToolWindow(QWidget* parent);

    // The inspector's row changes go to `change`, its long-text edits to `complexEdit`,
    // both under RunGuarded over this window.
    void HandleInspector(TrmInspector& inspector, std::function<void()> change, std::function<void()> complexEdit);
    // Tells the designer that a committed text held characters a mission cannot keep.
    void TellCharactersLost();
    void hideEvent(QHideEvent* event) override;

private:
    TrmInspector* inspector_ = nullptr;
};

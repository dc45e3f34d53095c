#pragma once
// The real message boxes and file dialogs of the editor, over Qt's, each over
// the window the user is in (the owner when none is active), which has the keyboard
// again once it closes. Texts of the model arrive as Windows-1252 bytes and are
// converted here.
#include <QString>

#include "ui/EditorServices.h"

class QWidget;

class TQtPrompts : public IPrompts {
public:
    explicit TQtPrompts(QWidget* owner = nullptr) : owner_(owner) {}
    // A plain box (no icon) captioned with the application's title, OK only.
    void Message(const std::string& text) override;
    // With the error icon, OK only.
    void ErrorMessage(const std::string& text, const std::string& caption) override;
    Answer Ask(const std::string& text, const std::string& caption) override;
    // Yes and No buttons: true for Yes.
    bool Confirm(const std::string& text, const std::string& caption) override;

private:
    QWidget* owner_;
};

class TQtFileChooser : public IFileChooser {
public:
    explicit TQtFileChooser(QWidget* owner = nullptr) : owner_(owner) {}
    std::optional<std::filesystem::path> ChooseOpenFile(const std::string& filter) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const std::string& filter) override;

private:
    QWidget* owner_;
};

// "Bitmaps (*.bmp)|*.bmp|All (*.jpg;*.bmp)|*.jpg;*.bmp" as Qt writes filters:
// "Bitmaps (*.bmp);;All (*.jpg *.bmp)". A description that does not show its
// patterns gets them in brackets, since Qt reads the patterns from there.
QString QtFileFilter(const std::string& filter);

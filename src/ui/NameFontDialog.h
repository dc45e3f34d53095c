#pragma once
// The font dialog of the province names: family, size and styles as the window
// system's font dialog offers them, and the colour the names are drawn in.
#include <optional>

#include <QColor>
#include <QDialog>

#include "platform/FontSpec.h"

class QFontDialog;
class QPushButton;

class TNameFontDialog : public QDialog {
public:
    explicit TNameFontDialog(const platform::FontSpec& current, QWidget* parent = nullptr);

    // The font and colour chosen so far; what the dialog does not offer (charset, pitch) kept.
    platform::FontSpec Chosen() const;
    // Runs the dialog modally over `parent`: the choice on Ok, nothing on Cancel.
    static std::optional<platform::FontSpec> Choose(const platform::FontSpec& current, QWidget* parent);

private:
    // "Color...": the colour dialog, starting from the colour chosen so far.
    void BtnColorClick();
    void ShowColor();

    platform::FontSpec base_;
    QColor color_;
    QFontDialog* fonts_;
    QPushButton* BtnColor;
};

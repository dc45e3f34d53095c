#include "ui/NameFontDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "platform/qt/QtFont.h"
#include "ui/ModalDialogs.h"

namespace {

platform::FontSpec FontSpecFromQFont(const QFont& font, const platform::FontSpec& base)
{
    platform::FontSpec spec = base;
    spec.Family = font.family().toStdString();
    if (font.pixelSize() > 0)
        spec.PointSize = int32_t(std::lround(font.pixelSize() * 72.0 / 96.0));
    else if (font.pointSizeF() > 0)
        spec.PointSize = int32_t(std::lround(font.pointSizeF()));
    spec.Bold = font.bold();
    spec.Italic = font.italic();
    spec.Underline = font.underline();
    spec.StrikeOut = font.strikeOut();
    return spec;
}

} // namespace

TNameFontDialog::TNameFontDialog(const platform::FontSpec& current, QWidget* parent)
    : QDialog(parent), base_(current), color_(QRgb(current.Color))
{
    setObjectName("NameFontDialog");
    setWindowTitle("Font");
    // The window system's font dialog, held as a part of this one.
    fonts_ = new QFontDialog(platform::qt::ToQFont(current), this);
    fonts_->setObjectName("FontDialog");
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setSizeGripEnabled(false); // this dialog's own grip sizes it
    BtnColor = new QPushButton("Color...", this);
    BtnColor->setObjectName("BtnColor");
    connect(BtnColor, &QPushButton::clicked, this, [this] { BtnColorClick(); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel("Color:", this));
    colorRow->addWidget(BtnColor);
    colorRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    ShowColor();
}

platform::FontSpec TNameFontDialog::Chosen() const
{
    platform::FontSpec spec = FontSpecFromQFont(fonts_->currentFont(), base_);
    spec.Color = color_.rgb() & 0x00FFFFFF;
    return spec;
}

std::optional<platform::FontSpec> TNameFontDialog::Choose(const platform::FontSpec& current, QWidget* parent)
{
    TNameFontDialog dialog(current, parent);
    if (ExecOverActiveWindow(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

void TNameFontDialog::BtnColorClick()
{
    const QColor chosen = QColorDialog::getColor(color_, this, "Color");
    if (!chosen.isValid())
        return; // cancelled
    color_ = chosen;
    ShowColor();
}

void TNameFontDialog::ShowColor()
{
    // The button shows the colour as a swatch beside its caption.
    QPixmap swatch(16, 16);
    swatch.fill(color_);
    BtnColor->setIcon(swatch);
}

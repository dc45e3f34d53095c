#include "ui/FrmAbout.h"

#include "platform/FileSystem.h"
#include "platform/ImageDecoder.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

// The picture file, or a null image when it is missing or not a sound JPEG.
QImage LoadPicture(const std::filesystem::path& file)
{
    constexpr uint64_t kMaxPictureBytes = uint64_t(4) << 20;
    std::vector<uint8_t> bytes;
    std::string error;
    platform::DecodedImage image;
    if (!platform::ReadFileBytes(file, bytes, error, kMaxPictureBytes) || !platform::DecodeJpeg(bytes, image, error))
        return {};
    // Decoded pixels are 0xAARRGGBB words, the layout of QImage::Format_ARGB32.
    QImage picture(image.width, image.height, QImage::Format_ARGB32);
    for (int32_t y = 0; y < image.height; ++y)
        std::copy_n(image.pixels.data() + size_t(y) * size_t(image.width), image.width,
                    reinterpret_cast<uint32_t*>(picture.scanLine(y)));
    return picture;
}

} // namespace

TFrmAbout::TFrmAbout(const std::filesystem::path& pictureFile, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("FrmAbout");
    setWindowTitle("About Valdrune Mission editor");

    picture_ = new QLabel(this);
    picture_->setObjectName("Image1");
    const QImage picture = LoadPicture(pictureFile);
    if (!picture.isNull())
        picture_->setPixmap(QPixmap::fromImage(picture));
    else
        picture_->hide();

    auto* name = new QLabel("Valdrune Mission editor", this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version = new QLabel("Version 1.0", this);

    Label3 = new QLabel(kWebAddress, this);
    Label3->setObjectName("Label3");
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setStyleSheet("color: blue; text-decoration: underline;");
    Label3->installEventFilter(this);

    auto* btnOKAbout = new QPushButton("&OK", this);
    btnOKAbout->setObjectName("btnOKAbout");
    btnOKAbout->setDefault(true);
    connect(btnOKAbout, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addStretch();
    text->addWidget(Label3);
    auto* top = new QHBoxLayout;
    top->addWidget(picture_);
    top->addLayout(text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOKAbout);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TFrmAbout::HasPicture() const
{
    return !picture_->pixmap().isNull();
}

void TFrmAbout::Label3Click()
{
    QDesktopServices::openUrl(QUrl(kWebAddress));
}

bool TFrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label3Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

#include "ui/DlgOptions.h"

#include "graphics/Image32.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtFont.h"
#include "ui/NameFontDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The castle rows of the pictures page: picture 20 x 24 at left 48, name at
// left 76, one row every 25 pixels.
constexpr int kCastleRowHeight = 25;
constexpr QRect kFirstCastlePicture(48, 8, 20, 24);
constexpr QRect kFirstCastleName(76, 16, 150, 16);
constexpr QRect kArmySignLabel(240, 8, 80, 16);
constexpr QRect kArmySignPicture(240, 28, 32, 32);

// An image control in `parent` showing `picture` unscaled and centred,
// blended over the background.
TImage32& AddPicture(QWidget* parent, const QString& name, const QRect& bounds, const TBitmap32* picture)
{
    auto* widget = new platform::qt::ControlWidget(std::make_unique<TImage32>(), parent);
    widget->setObjectName(name);
    auto& image = widget->HostedAs<TImage32>();
    image.SetBounds(bounds.x(), bounds.y(), bounds.width(), bounds.height());
    image.SetBitmapAlign(baCenter);
    image.SetScaleMode(smNormal);
    image.SetBitmap(picture);
    image.Bitmap()->SetDrawMode(dmBlend);
    image.Bitmap()->SetStretchFilter(sfLinear);
    widget->show();
    return image;
}

// Picture `index` of the list, or null when the list has none.
const TBitmap32* PictureAt(const TBitmap32List& pictures, int index)
{
    return index >= 0 && index < pictures.Bitmaps()->Count() ? pictures.Bitmap(index) : nullptr;
}

} // namespace

TDlgOptions::TDlgOptions(CSettings& settings, CMapProject& project, QWidget* parent)
    : QDialog(parent), settings_(settings), project_(project)
{
    setObjectName("DlgOptions");
    setWindowTitle("Map Editor Preferences");

    auto* BtnOK = new QPushButton("Apply Changes", this);
    BtnOK->setObjectName("BtnOK");
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildPages());
    layout->addLayout(buttons);
}

QTabWidget* TDlgOptions::BuildPages()
{
    pages_ = new QTabWidget(this);
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    BtnNameFont = new QPushButton("Sample Text", page);
    BtnNameFont->setObjectName("BtnNameFont");
    grid->addWidget(new QLabel("Provinces' names font:", page), 0, 0);
    grid->addWidget(BtnNameFont, 0, 1);

    ChkBAutoShowErrors = new QCheckBox("Show world image warnings", page);
    ChkBAutoShowErrors->setObjectName("ChkBAutoShowErrors");
    ChkBTransCastles = new QCheckBox("Transparent Castles", page);
    ChkBTransCastles->setObjectName("ChkBTransCastles");
    ChkBTransCastles->hide();
    ChkBTransArmies = new QCheckBox("Transparent Armies", page);
    ChkBTransArmies->setObjectName("ChkBTransArmies");
    ChkBAutoResize = new QCheckBox("Auto-resize bitmap to import", page);
    ChkBAutoResize->setObjectName("ChkBAutoResize");
    ChkBAutoResize->hide();
    grid->addWidget(ChkBAutoShowErrors, 1, 0, 1, 2);
    grid->addWidget(ChkBTransCastles, 2, 0, 1, 2);
    grid->addWidget(ChkBTransArmies, 3, 0, 1, 2);

    TrkBTransValue = new QSlider(Qt::Horizontal, page);
    TrkBTransValue->setObjectName("TrkBTransValue");
    TrkBTransValue->setRange(0, kTransSteps);
    TrkBTransValue->setSingleStep(1);
    TrkBTransValue->setPageStep(1);
    TrkBTransValue->setTickPosition(QSlider::TicksBelow);
    TrkBTransValue->setValue(kTransSteps);
    LbTransValue = new QLabel("100%", page);
    LbTransValue->setObjectName("LbTransValue");
    grid->addWidget(new QLabel("Castles and armies transparency:", page), 4, 0, 1, 2);
    grid->addWidget(TrkBTransValue, 5, 0);
    grid->addWidget(LbTransValue, 5, 1);
    grid->addWidget(ChkBAutoResize, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);

    connect(BtnNameFont, &QPushButton::clicked, this, [this] { BtnNameFontClick(); });
    connect(ChkBAutoShowErrors, &QCheckBox::clicked, this,
            [this](bool checked) { settings_.AutoShowErr = checked ? 1 : 0; });
    connect(ChkBAutoResize, &QCheckBox::clicked, this, [this](bool checked) { settings_.AutoResize = checked ? 1 : 0; });
    connect(ChkBTransCastles, &QCheckBox::clicked, this, [this] { ChkBTransCastlesClick(); });
    connect(ChkBTransArmies, &QCheckBox::clicked, this, [this] { ChkBTransArmiesClick(); });
    connect(TrkBTransValue, &QSlider::valueChanged, this, [this] { TrkBTransValueChange(); });

    pages_->addTab(page, "Editor Settings");
    pages_->addTab(BuildImagesPage(), "Images");
    pages_->setTabVisible(1, false);
    return pages_;
}

QWidget* TDlgOptions::BuildImagesPage()
{
    auto* scrollBox = new QScrollArea;
    scrollBox->setObjectName("ScBImagesBox");
    ScBImages = new QWidget;
    ScBImages->setObjectName("ScBImages");
    auto* armySign = new QLabel("Army Sign", ScBImages);
    armySign->setObjectName("LbArmySign");
    armySign->setGeometry(kArmySignLabel);
    ImgArmy0 = &AddPicture(ScBImages, "ImgArmy0", kArmySignPicture, nullptr);
    ScBImages->setMinimumSize(kArmySignPicture.right() + 8, kArmySignPicture.bottom() + 8);
    scrollBox->setWidget(ScBImages);
    return scrollBox;
}

void TDlgOptions::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TDlgOptions::FormShow()
{
    ShowNameFont();
    ChkBAutoResize->setChecked(settings_.AutoResize != 0);
    ChkBAutoShowErrors->setChecked(settings_.AutoShowErr != 0);
    settings_.TransCastles = 1;
    ChkBTransCastles->setChecked(true);
    ChkBTransArmies->setChecked(settings_.TransArmies != 0);
    {
        // Only the user's moves change the transparency: the bar's ten steps
        // cannot hold every stored value, and opening the dialog must not round it.
        // The bar shows the step nearest to it, so a step chosen comes back as chosen.
        const QSignalBlocker quiet(TrkBTransValue);
        const double step = settings_.TransValue * TrkBTransValue->maximum() / 255.0;
        TrkBTransValue->setValue(int(std::lround(step)));
    }
    ShowTransValue();
}

void TDlgOptions::ShowNameFont()
{
    BtnNameFont->setFont(platform::qt::ToQFont(settings_.font));
    QPalette palette = BtnNameFont->palette();
    palette.setColor(QPalette::ButtonText, QColor(QRgb(settings_.font.Color)));
    BtnNameFont->setPalette(palette);
}

void TDlgOptions::BtnNameFontClick()
{
    const std::optional<platform::FontSpec> chosen = TNameFontDialog::Choose(settings_.font, this);
    if (!chosen)
        return;
    settings_.font = *chosen;
    ShowNameFont();
    project_.RefreshAllProvinces();
}

void TDlgOptions::TrkBTransValueChange()
{
    settings_.TransValue = uint8_t(TrkBTransValue->value() * 255 / TrkBTransValue->maximum());
    ShowTransValue();
    // Without a project there are no provinces and nothing to place.
    project_.PlaceAllCastleLayers();
    project_.PlaceAllArmyLayers();
}

void TDlgOptions::ShowTransValue()
{
    LbTransValue->setText(QString("%1%").arg(TrkBTransValue->value() * 100 / TrkBTransValue->maximum()));
}

void TDlgOptions::ChkBTransCastlesClick()
{
    settings_.TransCastles = ChkBTransCastles->isChecked() ? 1 : 0;
    project_.PlaceAllCastleLayers();
}

void TDlgOptions::ChkBTransArmiesClick()
{
    settings_.TransArmies = ChkBTransArmies->isChecked() ? 1 : 0;
    project_.PlaceAllArmyLayers();
}

void TDlgOptions::FillCastleImages()
{
    const QList<QWidget*> rows = ScBImages->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* row : rows)
        if (row->objectName().startsWith("ImgCastle") || row->objectName().startsWith("LbCastle"))
            delete row;

    const TBitmap32List& pictures = project_.GetIconPictures();
    const CStringTable* names = project_.GetStringTables().GetAt(project_.GetCurrentStringTable());
    const int castleTypes = project_.castleTypes;
    for (int i = 0; i < castleTypes; ++i) {
        const int offset = kCastleRowHeight * i;
        AddPicture(ScBImages, QString("ImgCastle%1").arg(i), kFirstCastlePicture.translated(0, offset),
                   PictureAt(pictures, i));
        auto* name = new QLabel(names ? platform::qt::Windows1252ToQString(names->GetCastleTypeName(i)) : QString(),
                                ScBImages);
        name->setObjectName(QString("LbCastle%1").arg(i));
        name->setGeometry(kFirstCastleName.translated(0, offset));
        name->show();
    }
    ImgArmy0->SetBitmap(PictureAt(pictures, castleTypes));
    ImgArmy0->Bitmap()->SetDrawMode(dmBlend);
    ImgArmy0->Bitmap()->SetStretchFilter(sfLinear);
    ScBImages->setMinimumHeight(std::max(kArmySignPicture.bottom(), kFirstCastlePicture.bottom() + kCastleRowHeight * castleTypes) + 8);
}

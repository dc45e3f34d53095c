#include "ui/DlgError.h"

#include "platform/qt/QtFont.h"
#include "ui/WindowLayout.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int kWarningRole = Qt::UserRole;
// The distance of a first placed dialog from its owner's edges.
constexpr int kFirstPlaceGap = 40;

} // namespace

TDlgError::TDlgError(CErrorList& warnings, CWindowBounds& bounds, QWidget* parent)
    : QDialog(parent, Qt::Tool), warnings_(warnings), bounds_(bounds)
{
    setObjectName("DlgError");
    setWindowTitle("World image warnings");
    setSizeGripEnabled(true);

    LV = new QListWidget(this);
    LV->setObjectName("LV");
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    BtnOk = new QPushButton("Close", this);
    BtnOk->setObjectName("BtnOk");
    BtnRefresh = new QPushButton("Refresh", this);
    BtnRefresh->setObjectName("BtnRefresh");
    BtnRefresh->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnRefresh);
    buttons->addWidget(BtnOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LV);
    layout->addLayout(buttons);

    connect(LV, &QListWidget::itemSelectionChanged, this, [this] { LVSelectItem(); });
    connect(BtnOk, &QPushButton::clicked, this, &QDialog::close);

    resize(400, 250);
    // Stored bounds first, then start recording: the designed size must not
    // overwrite a record that was never set.
    ApplyWindowBounds(*this, bounds_);
    warnings_.SetView(this);
}

TDlgError::~TDlgError()
{
    warnings_.SetView(nullptr);
}

void TDlgError::ShowWarnings()
{
    warnings_.FillListView();
    // The first time, away from the middle of the world view, where a chosen warning's
    // spot is brought: in the lower left corner of the window that owns the dialog.
    if (!bounds_.IsSet() && parentWidget()) {
        const QRect owner = parentWidget()->window()->geometry();
        const QPoint corner(owner.left() + kFirstPlaceGap, owner.bottom() - kFirstPlaceGap - height());
        ApplyWindowBounds(*this, bounds_, QRect(corner, size()));
    }
    show();
    raise();
}

void TDlgError::ClearRows()
{
    const QSignalBlocker quiet(LV);
    LV->clear();
}

void TDlgError::AddRow(const std::string& text, CErrorList::CErrorBase* warning, int /*imageIndex*/)
{
    // Every kind of warning shows the same sign.
    auto* item = new QListWidgetItem(style()->standardIcon(QStyle::SP_MessageBoxWarning),
                                     platform::qt::Windows1252ToQString(text));
    item->setData(kWarningRole, QVariant::fromValue(reinterpret_cast<quintptr>(warning)));
    const QSignalBlocker quiet(LV);
    LV->addItem(item);
}

void TDlgError::LVSelectItem()
{
    const QList<QListWidgetItem*> selected = LV->selectedItems();
    auto* warning = selected.isEmpty()
                        ? nullptr
                        : reinterpret_cast<CErrorList::CErrorBase*>(selected.front()->data(kWarningRole).value<quintptr>());
    if (warning)
        warning->Show();
    else
        warnings_.SetCurrent(nullptr);
}

void TDlgError::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FormResize();
}

void TDlgError::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    FormResize();
}

void TDlgError::FormResize()
{
    // Only a window the user can see has bounds worth keeping; the events of
    // the construction would otherwise overwrite the stored record.
    if (isVisible())
        bounds_ = WindowBoundsOf(*this);
}

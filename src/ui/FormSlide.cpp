#include "ui/FormSlide.h"

#include "platform/qt/QtFont.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <chrono>

namespace {

bool IsUserInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    case QEvent::Close:
        return event.spontaneous(); // the user closing a window; the program may still close its own
    default:
        return false;
    }
}

} // namespace

TFormSlide::TFormSlide(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName("FormSlide");
    setWindowTitle("Progress...");
    // The window never takes the keyboard: it is not modal (the filter keeps input
    // out), not activated when shown and refuses the focus. A modal window that is
    // shown and hidden while the window system is still handing the focus back from
    // a closing file dialog leaves Qt's focus on the hidden window, and no key
    // reaches the editor until the user clicks a menu.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    LbStat = new QLabel(this);
    LbStat->setObjectName("LbStat");
    PBSlide = new QProgressBar(this);
    PBSlide->setObjectName("PBSlide");
    PBSlide->setRange(0, 10);
    PBSlide->setValue(0);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LbStat);
    layout->addWidget(PBSlide);
    resize(320, 80);
}

TFormSlide::~TFormSlide()
{
    if (blocking_)
        qApp->removeEventFilter(this);
}

void TFormSlide::Start(const std::string& caption, int maximum)
{
    if (!blocking_) {
        qApp->installEventFilter(this);
        blocking_ = true;
    }
    const bool wasShown = isVisible();
    LbStat->setText(platform::qt::Windows1252ToQString(caption));
    PBSlide->setUpdatesEnabled(true);
    PBSlide->setRange(0, std::max(maximum, 0));
    PBSlide->setValue(0);
    shownPercent_ = 0;
    show();
    raise();
    if (!wasShown || RepaintDue())
        ProcessPendingEvents();
}

void TFormSlide::Step(int position)
{
    const int value = std::clamp(position, PBSlide->minimum(), PBSlide->maximum());
    const int percent = PBSlide->maximum() > 0 ? int(int64_t(value) * 100 / PBSlide->maximum()) : 0;
    if (percent == shownPercent_)
        return;
    shownPercent_ = percent;
    // The bar always holds the position; it paints (which it would do at once) only
    // when a repaint of the window is due.
    const bool due = RepaintDue();
    PBSlide->setUpdatesEnabled(due);
    PBSlide->setValue(value);
    if (due)
        ProcessPendingEvents();
}

void TFormSlide::End()
{
    PBSlide->setUpdatesEnabled(true);
    hide();
    if (!blocking_)
        return;
    // Input that queued up during the operation is dropped, not delivered late.
    ProcessPendingEvents();
    qApp->removeEventFilter(this);
    blocking_ = false;
}

void TFormSlide::ProcessPendingEvents()
{
    lastRepaintMs_ = NowMs();
    QCoreApplication::processEvents();
}

bool TFormSlide::RepaintDue() const
{
    return NowMs() - lastRepaintMs_ >= kRepaintIntervalMs;
}

int64_t TFormSlide::NowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool TFormSlide::eventFilter(QObject* watched, QEvent* event)
{
    if (blocking_ && IsUserInput(*event) && !BelongsToOpenedModal(watched)) {
        event->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TFormSlide::BelongsToOpenedModal(QObject* receiver) const
{
    if (auto* widget = qobject_cast<QWidget*>(receiver)) {
        const QWidget* modal = QApplication::activeModalWidget();
        return modal && modal != this && widget->window() == modal;
    }
    if (auto* window = qobject_cast<QWindow*>(receiver)) {
        const QWindow* modal = QGuiApplication::modalWindow();
        return modal && modal == window && window != windowHandle();
    }
    return false;
}

#include "ui/WindowLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdint>

namespace {

const QScreen* ScreenMostlyUnder(const QRect& rect)
{
    const QScreen* best = QGuiApplication::primaryScreen();
    int64_t bestArea = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(rect);
        if (const int64_t area = int64_t(common.width()) * common.height(); area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return best;
}

// The window's frame around its client rectangle; none before it was first shown.
QMargins FrameOf(const QWidget& window)
{
    const QRect frame = window.frameGeometry(), client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// `rect` (a client rectangle with `frame` around it) moved, and shrunk where it
// is larger, so that it and its frame lie wholly in the available area of the
// screen it mostly covers, or of the primary screen when it covers none.
QRect FittedIntoScreen(const QRect& rect, const QMargins& frame)
{
    const QScreen* screen = ScreenMostlyUnder(rect.marginsAdded(frame));
    if (!screen)
        return rect;
    const QRect area = screen->availableGeometry().marginsRemoved(frame);
    const int width = std::min(rect.width(), area.width()), height = std::min(rect.height(), area.height());
    const int left = std::max(area.left(), std::min(rect.left(), area.left() + area.width() - width));
    const int top = std::max(area.top(), std::min(rect.top(), area.top() + area.height() - height));
    return {left, top, width, height};
}

// Fits a window into its screen once more when its frame is first known, which the
// window system tells only after the window was shown: the title bar must not end
// up above or below the screen either. Deletes itself then, or with the window.
class FitWhenFramed : public QObject {
public:
    explicit FitWhenFramed(QWidget& window) : QObject(&window), window_(window) { window.installEventFilter(this); }

    bool eventFilter(QObject*, QEvent*) override
    {
        // The frame shows up with no event of its own; the window is fitted after
        // the event that first sees it.
        if (window_.isVisible() && !FrameOf(window_).isNull()) {
            window_.removeEventFilter(this);
            QTimer::singleShot(0, &window_, [&window = window_] {
                // A maximised or minimised window is the window system's to place.
                if (window.windowState() == Qt::WindowNoState)
                    window.setGeometry(FittedIntoScreen(window.geometry(), FrameOf(window)));
            });
            deleteLater();
        }
        return false;
    }

private:
    QWidget& window_;
};

} // namespace

void ApplyWindowBounds(QWidget& window, const CWindowBounds& bounds, std::optional<QRect> firstPlace)
{
    if (bounds.IsSet())
        firstPlace = QRect(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    if (!firstPlace)
        return;
    window.setGeometry(FittedIntoScreen(*firstPlace, FrameOf(window)));
    if (FrameOf(window).isNull())
        new FitWhenFramed(window);
}

CWindowBounds WindowBoundsOf(const QWidget& window)
{
    QRect rect = window.geometry();
    if (window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) {
        // Empty for a window that was never shown in its normal state.
        const QRect normal = window.normalGeometry();
        if (normal.isValid())
            rect = normal;
    }
    return {rect.width(), rect.height(), rect.x(), rect.y()};
}

void ApplyWindowState(QWidget& window, platform::WindowState state)
{
    Qt::WindowStates states = window.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == platform::WindowState::Minimized)
        states |= Qt::WindowMinimized;
    else if (state == platform::WindowState::Maximized)
        states |= Qt::WindowMaximized;
    window.setWindowState(states);
}

platform::WindowState WindowStateOf(const QWidget& window)
{
    if (window.windowState() & Qt::WindowMinimized)
        return platform::WindowState::Minimized;
    if (window.windowState() & Qt::WindowMaximized)
        return platform::WindowState::Maximized;
    return platform::WindowState::Normal;
}

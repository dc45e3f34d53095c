#include "ui/WindowLayout.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {

bool OnSomeScreen(const QRect& rect)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect))
            return true;
    return false;
}

} // namespace

void ApplyWindowBounds(QWidget& window, const CWindowBounds& bounds)
{
    if (!bounds.IsSet())
        return;
    const QRect rect(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    if (OnSomeScreen(rect))
        window.setGeometry(rect);
    else
        window.resize(rect.size());
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

#pragma once
// Rectangles between the platform layer (right and bottom exclusive) and Qt.
#include "platform/Geometry.h"

#include <QRect>

namespace platform::qt {

inline QRect ToQRect(const Rect& rect)
{
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

inline Rect RectFromQt(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace platform::qt

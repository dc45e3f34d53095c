#include "platform/qt/PopupWindow.h"

#include <QWidget>

namespace platform::qt {

void MakeMouseTransparentPopup(QWidget& widget)
{
    widget.setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    widget.setAttribute(Qt::WA_ShowWithoutActivating);
    widget.setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace platform::qt

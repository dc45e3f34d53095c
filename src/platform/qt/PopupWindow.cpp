#include "platform/qt/PopupWindow.h"

#include <QWidget>

namespace platform::qt {
namespace {

constexpr Qt::WindowFlags kPopupFlags =
    Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

} // namespace

void MakeMouseTransparentPopup(QWidget& widget)
{
    widget.setWindowFlags(kPopupFlags | Qt::WindowTransparentForInput);
    widget.setAttribute(Qt::WA_ShowWithoutActivating);
    widget.setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MakeDropDownPopup(QWidget& widget)
{
    widget.setWindowFlags(kPopupFlags);
    widget.setAttribute(Qt::WA_ShowWithoutActivating);
}

} // namespace platform::qt

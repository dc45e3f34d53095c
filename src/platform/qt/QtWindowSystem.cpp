#include "platform/qt/QtWindowSystem.h"

#include "platform/qt/ControlWidget.h"
#include "platform/qt/PopupWindow.h"
#include "platform/qt/QtFont.h"

#include <QApplication>
#include <QClipboard>

namespace platform::qt {
namespace {

class QtPopupWindow final : public PopupWindow {
public:
    explicit QtPopupWindow(Control& control) : widget_(control)
    {
        if (control.TransparentToMouse())
            MakeMouseTransparentPopup(widget_);
        else
            MakeDropDownPopup(widget_);
        if (control.Visible())
            widget_.show();
    }

private:
    ControlWidget widget_;
};

} // namespace

std::string QtWindowSystem::ClipboardText()
{
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtWindowSystem::SetClipboardText(std::string_view text)
{
    QGuiApplication::clipboard()->setText(Utf8ToQString(text));
}

void QtWindowSystem::Beep()
{
    QApplication::beep();
}

bool QtWindowSystem::LeftButtonDown()
{
    return (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
}

std::unique_ptr<PopupWindow> QtWindowSystem::CreatePopupWindow(Control& control)
{
    return std::make_unique<QtPopupWindow>(control);
}

} // namespace platform::qt

#include "ui/ModalDialogs.h"

#include <QApplication>
#include <QDialog>

QWidget* DialogOwner(QWidget* fallback)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return fallback;
}

int ExecOverActiveWindow(QDialog& dialog)
{
    const KeyboardComesBack keyboard;
    const QPointer<QWidget> parent = dialog.parentWidget();
    QWidget* owner = DialogOwner(parent);
    // The window manager keeps a dialog above the window it belongs to: borrowed
    // for the time it is up, and given back, since the parent deletes it.
    const bool borrowed = owner && owner != parent && owner != &dialog;
    const QPoint place = dialog.pos();
    if (borrowed) {
        dialog.setParent(owner, dialog.windowFlags());
        dialog.move(place);
    }
    const int result = dialog.exec();
    if (borrowed) {
        dialog.setParent(parent, dialog.windowFlags());
        dialog.move(place);
    }
    return result;
}

KeyboardComesBack::KeyboardComesBack() : focus_(QApplication::focusWidget()) {}

KeyboardComesBack::~KeyboardComesBack()
{
    if (focus_) {
        focus_->activateWindow();
        focus_->setFocus(Qt::OtherFocusReason);
    }
}

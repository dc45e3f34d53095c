#include "ui/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

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
    const QPointer<QWidget> focus = QApplication::focusWidget();
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
    if (focus) {
        focus->activateWindow();
        focus->setFocus(Qt::OtherFocusReason);
    }
    return result;
}

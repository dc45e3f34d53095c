#include "ui/InspectorWidget.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/QtFont.h"
#include "ui/EditorApplication.h"
#include "ui/ModalDialogs.h"

platform::qt::ControlWidget* NewInspectorWidget(const QString& objectName, int splitPos, QWidget* parent)
{
    auto* widget = new platform::qt::ControlWidget(std::make_unique<TrmInspector>(), parent);
    widget->setObjectName(objectName);
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->setMinimumSize(100, 60);
    InspectorOf(*widget).setSplit(splitPos);
    return widget;
}

void RunGuarded(QWidget* owner, const std::function<void()>& work)
{
    RunShowingExceptions(work, [owner](const std::string& message) {
        QMessageBox::critical(DialogOwner(owner), QApplication::applicationName(),
                              platform::qt::Windows1252ToQString(message));
    });
}

void DetachInspectorHandlers(TrmInspector& inspector)
{
    inspector.OnItemChange = nullptr;
    inspector.OnComplexEdit = nullptr;
}

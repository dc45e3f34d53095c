#include "ui/ToolWindow.h"

#include <QHideEvent>

#include "ui/InspectorRows.h"
#include "ui/InspectorWidget.h"
#include "ui/QtPrompts.h"

TToolWindow::TToolWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {}

TToolWindow::~TToolWindow()
{
    if (inspector_)
        DetachInspectorHandlers(*inspector_);
}

void TToolWindow::HandleInspector(TrmInspector& inspector, std::function<void()> change,
                                  std::function<void()> complexEdit)
{
    inspector_ = &inspector;
    inspector.OnItemChange = [this, change = std::move(change)](TObject*) { RunGuarded(this, change); };
    inspector.OnComplexEdit = [this, complexEdit = std::move(complexEdit)](TObject*) { RunGuarded(this, complexEdit); };
}

void TToolWindow::TellCharactersLost()
{
    TQtPrompts(this).Message(CharactersLostNote());
}

void TToolWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Only the designer hides the window for good; the window system's hide (its owner
    // minimised) brings it back with the owner.
    if (OnHide && !event->spontaneous())
        OnHide();
}

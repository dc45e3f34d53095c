#pragma once
// "Events List": a tool window of the main window with the mission's game events in a
// list (turn, title, enabled tick) and the selected event's properties in the
// inspector RMIEvent below it. The tool bar adds, deletes and moves rows; moving
// changes the list's order only, never the project's.
#include "ui/ToolWindow.h"

class CEvent;
class CMapProject;
class QAction;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TDlgComplex;
class TrmInspector;
namespace platform::qt {
class ControlWidget;
}

class TEventFrame : public TToolWindow {
public:
    // `textDialog` (null: one of the window's own) edits the event descriptions.
    explicit TEventFrame(CMapProject& project, TDlgComplex* textDialog = nullptr, QWidget* parent = nullptr);

    // The inspector emptied, one row per event of the project in its order.
    void FillEventList();
    // The tool bar works only while a project is open.
    void EnableToolBar(bool on);
    // Empties the list and the inspector (the project is being cleared).
    void Clear();

    void TBAddClick();
    void TBDeleteClick();
    void TBUpClick() { MoveSelectedRow(-1); }
    void TBDownClick() { MoveSelectedRow(+1); }

    TrmInspector& RMIEvent() const { return *inspector_; }
    QTreeWidget& EventList() const { return *LVEvents; }
    // The event of the selected row, null when none is.
    CEvent* SelectedEvent() const;

private:
    void FormCreate();
    QTreeWidgetItem* AddRow(CEvent& event, int at = -1);
    void ShowRow(QTreeWidgetItem& row, const CEvent& event);
    void SelectRow(int index);
    void MoveSelectedRow(int step);
    void LVEventsSelectItem();
    void LVEventsChange(QTreeWidgetItem* row);
    // The rows of the event's inspector, built where missing, with its values.
    void FillItems(const CEvent& event);
    void ShowPlayerRows(const CEvent& event);
    void ShowResourceRows(const CEvent& event);
    void RMIEventItemChange();
    void RMIEventComplexEdit();

    CMapProject& project_;
    QTreeWidget* LVEvents;
    QToolBar* TBEvent;
    QAction* TBAdd;
    QAction* TBDelete;
    QAction* TBUp;
    QAction* TBDown;
    platform::qt::ControlWidget* RMIEventWidget;
    TrmInspector* inspector_;
    TDlgComplex* textDialog_;
    // Set while the window fills the list itself, so that its handlers stay out.
    bool fillingList_ = false;
};

#pragma once
// "Mission Properties": a tool window (above its owner, the main window, and below
// the editor's dialogs) whose inspector RMIMission
// edits the mission's texts in the current string table. The one-line texts
// are typed in place; the long ones open the text dialog from their row's button.
#include "ui/ToolWindow.h"

class CMapProject;
class TDlgComplex;
class TrmInspector;
namespace platform::qt {
class ControlWidget;
}

class TMissFrame : public TToolWindow {
public:
    // `textDialog` (null: one of the window's own) edits the long texts.
    explicit TMissFrame(CMapProject& project, TDlgComplex* textDialog = nullptr, QWidget* parent = nullptr);

    // Creates the six rows (rows that exist are kept).
    void FillItems();
    // The rows, then the project's values in them.
    void Refill();
    // The victory and lose conditions have no rows here: nothing to rebuild.
    void UpdateVictoryItems() {}
    void UpdateLoseItems() {}

    TrmInspector& RMIMission() const { return *inspector_; }
    TDlgComplex& TextDialog() const { return *textDialog_; }

private:
    void FormCreate();
    void RMIMissionItemChange();
    void RMIMissionComplexEdit();

    CMapProject& project_;
    platform::qt::ControlWidget* RMIMissionWidget;
    TrmInspector* inspector_;
    TDlgComplex* textDialog_;
};

#pragma once
// The "World image warnings" window: a tool window of its owner listing the
// warnings of a CErrorList, one row each. Selecting a row shows its warning on
// the map; leaving no row selected hides it. The window keeps its bounds in a
// record of the settings file up to date while it is moved or resized.
#include "model/ErrorList.h"

#include <QDialog>

class QListWidget;
class QPushButton;
struct CWindowBounds;

class TDlgError : public QDialog, public IWarningsView {
public:
    // Becomes `warnings`' list view until destroyed; takes its bounds from
    // `bounds` (unset: its designed size) and keeps them there. Both must
    // outlive the window.
    TDlgError(CErrorList& warnings, CWindowBounds& bounds, QWidget* parent = nullptr);
    ~TDlgError() override;

    // What "World image warnings" does: refills the rows and shows the window.
    void ShowWarnings();

    // IWarningsView. Rows hold the warning itself; removing them changes
    // nothing on the map.
    void ClearRows() override;
    void AddRow(const std::string& text, CErrorList::CErrorBase* warning, int imageIndex) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void LVSelectItem();
    // Stores the window's bounds into the settings record.
    void FormResize();

    CErrorList& warnings_;
    CWindowBounds& bounds_;
    QListWidget* LV;
    QPushButton* BtnOk;
    QPushButton* BtnRefresh;
};

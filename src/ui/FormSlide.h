#pragma once
// The progress window "Progress..." of long operations: a caption and a bar.
// While it is shown no window takes user input: mouse, key, wheel and touch
// events, and requests to close a window, are dropped everywhere except in a
// modal dialog the operation itself opens (a question, a message). Each step
// lets pending events through so that windows repaint.
#include "model/EditorHooks.h"

#include <QWidget>

class QLabel;
class QProgressBar;

class TFormSlide : public QWidget, public IProgressDisplay {
public:
    explicit TFormSlide(QWidget* parent = nullptr);
    ~TFormSlide() override;

    // IProgressDisplay: Start shows the window (or, while shown, replaces the
    // caption and the maximum) with the bar at 0; Step sets the bar's
    // position, and lets events through only when the percentage shown
    // changes (an export steps a thousand times); End hides the window and
    // gives input back.
    void Start(const std::string& caption, int maximum) override;
    void Step(int position) override;
    void End() override;

    bool IsBlockingInput() const { return blocking_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lets Qt repaint what is pending; input arriving meanwhile is dropped by the filter.
    void ProcessPendingEvents();
    bool BelongsToOpenedModal(QObject* receiver) const;

    QLabel* LbStat;
    QProgressBar* PBSlide;
    int shownPercent_ = 0;
    bool blocking_ = false;
};

#pragma once
// The progress window "Progress..." of long operations: a caption and a bar.
// While it is shown no window takes user input: mouse, key, wheel and touch
// events, and requests to close a window, are dropped everywhere except in a
// modal dialog the operation itself opens (a question, a message). The window
// itself never takes the keyboard focus, so the window that had it keeps it. Each
// step lets pending events through so that windows repaint.
#include "model/EditorHooks.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QProgressBar;

class TFormSlide : public QWidget, public IProgressDisplay {
public:
    explicit TFormSlide(QWidget* parent = nullptr);
    ~TFormSlide() override;

    // IProgressDisplay: Start shows the window (or, while shown, replaces the
    // caption and the maximum) with the bar at 0; Step sets the bar's
    // position; End hides the window and gives input back. The window
    // repaints and lets events through when it is shown and then only when
    // the percentage or the caption changed and at least kRepaintIntervalMs
    // after its last repaint: an export steps a thousand times and changes
    // its caption often, and must not wait on the window each time.
    void Start(const std::string& caption, int maximum) override;
    void Step(int position) override;
    void End() override;

    bool IsBlockingInput() const { return blocking_; }

    static constexpr int64_t kRepaintIntervalMs = 40; // 25 repaints a second look smooth

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Milliseconds of a steady clock.
    virtual int64_t NowMs() const;

private:
    // Lets Qt repaint what is pending; input arriving meanwhile is dropped by the filter.
    void ProcessPendingEvents();
    bool RepaintDue() const;
    bool BelongsToOpenedModal(QObject* receiver) const;

    QLabel* LbStat;
    QProgressBar* PBSlide;
    int shownPercent_ = 0;
    int64_t lastRepaintMs_ = INT64_MIN / 2;
    bool blocking_ = false;
};

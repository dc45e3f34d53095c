#pragma once
// The QWidget that shows one Control: it owns the control, passes Qt's mouse,
// wheel, key, enter/leave, focus and size events to it, paints it through a
// QPainterCanvas, and carries out what the control asks (repaint, bounds,
// visibility, cursor, mouse capture, focus, input methods). It lays out the aligned and anchored
// controls among its children when it is sized, as every widget with such children does,
// and finds the control under a desktop point in its window for a drag. A control shown
// inside another's widget is that control's child: it takes its colour, font and 3-D look;
// Tab moves through the controls of one parent in their tab order, and through the child
// controls drawn inside a control; hints show as Qt's tool tips; the widget keeps to the
// control's size limits. A letter typed with Alt that the control with the keys leaves
// alone goes to the controls of the window as a dialog character (accelerators).
#include "platform/Control.h"

#include <QWidget>

#include <memory>

namespace platform::qt {

class ControlWidget : public QWidget, private ControlHost {
public:
    explicit ControlWidget(std::unique_ptr<Control> control, QWidget* parent = nullptr);
    // Shows a control that someone else owns; it must outlive the widget.
    explicit ControlWidget(Control& control, QWidget* parent = nullptr);
    ~ControlWidget() override;

    Control& HostedControl() { return *control_; }
    template <class T>
    T& HostedAs()
    {
        return dynamic_cast<T&>(*control_);
    }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // What an input method commits is typed, character by character.
    void inputMethodEvent(QInputMethodEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void RequestRepaint() override;
    void RepaintNow(const Rect& area) override;
    void ApplyBounds(const Rect& bounds) override;
    void ApplyVisible(bool visible) override;
    void ApplyEnabled(bool enabled) override;
    void ApplyTabStop(bool tabStop) override;
    void ApplyCursor(CursorId cursor) override;
    void ApplyMouseCapture(bool capture) override;
    void ApplyKeyCapture(bool capture) override;
    void TakeFocus() override;
    Rect VisibleRect() const override;
    Rect DesktopRect() const override;
    Point ClientToScreen(Point point) const override;
    bool BeginWindowSizing() override;
    Point ScreenToClient(Point point) const override;
    bool ControlAtScreen(Point screen, Control*& found) const override;
    void RequestAlign() override;
    bool ParentFillsWindow() const override;
    TBiDiMode InheritedBiDiMode() const override;
    void ApplyInputMethod(InputMethodHints hints) override;
    Control* ParentControl() const override;
    std::vector<Control*> HostedChildren() const override;
    std::vector<Control*> Siblings() const override;
    void ApplyTabOrder() override;
    void ApplyConstraints(const TSizeConstraints& constraints) override;
    void ShowHint(Point screen, std::string_view text) override;
    void HideHint() override;
    // A refused or limited resize puts the widget back on the control's bounds.
    void KeepToControlBounds();

    void TakeBoundsFromWidget();
    bool HandleKeyDown(QKeyEvent* event);
    // Offers a dialog character (Alt with a letter) to the controls of this widget's
    // window, in the order they were placed; true when one used it.
    bool RouteDialogChar(char32_t character) const;

    std::unique_ptr<Control> owned_; // null when the control is borrowed
    Control* control_;
    bool applyingBounds_ = false;
    QRect paintRect_; // the area being painted, during paintEvent only
};

} // namespace platform::qt

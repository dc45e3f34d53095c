#include "platform/qt/ControlWidget.h"

#include "platform/qt/QPainterCanvas.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtInput.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

namespace platform::qt {
namespace {

bool IsArrowKey(KeyCode code)
{
    return code == key::Left || code == key::Right || code == key::Up || code == key::Down;
}

// The character a key typed with Alt stands for: its text, or the letter or digit of the
// key where the window system gives no text with Alt; 0 for none.
char32_t DialogCharOf(const QKeyEvent& event)
{
    const QList<uint> text = event.text().toUcs4();
    if (text.size() == 1 && text.front() >= 0x20)
        return text.front();
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return char32_t(key >= Qt::Key_A ? key - Qt::Key_A + 'a' : key);
    return 0;
}

// The area a widget lays its aligned children out in: the control's client area for a
// widget that shows a control, else the widget's contents.
Rect ClientAreaOf(const QWidget& widget)
{
    if (const auto* shown = dynamic_cast<const ControlWidget*>(&widget))
        return const_cast<ControlWidget*>(shown)->HostedControl().ClientRect();
    return RectFromQt(widget.contentsRect());
}

std::vector<ControlWidget*> ControlWidgetsAmong(const QObjectList& objects)
{
    std::vector<ControlWidget*> widgets;
    for (QObject* object : objects)
        if (auto* shown = dynamic_cast<ControlWidget*>(object))
            widgets.push_back(shown);
    return widgets;
}

// The controls the widgets among `objects` show, in the same order.
std::vector<Control*> ControlsAmong(const QObjectList& objects)
{
    std::vector<Control*> controls;
    for (ControlWidget* shown : ControlWidgetsAmong(objects))
        controls.push_back(&shown->HostedControl());
    return controls;
}

// Watches one widget's size and lays out the controls shown among its children.
class ControlAligner final : public QObject {
public:
    // The widget's aligner, made on first use; it lives as the widget's child.
    static ControlAligner& Of(QWidget& parent)
    {
        if (ControlAligner* aligner = Find(parent))
            return *aligner;
        return *new ControlAligner(parent);
    }
    // The widget's aligner, null when it has none (no control was shown among its children).
    static ControlAligner* Find(QWidget& parent)
    {
        for (QObject* child : parent.children())
            if (auto* aligner = dynamic_cast<ControlAligner*>(child))
                return aligner;
        return nullptr;
    }

    // `changed`: the control whose change asks for the layout, if any.
    void AlignChildren(const Control* changed = nullptr)
    {
        const Rect client = ClientAreaOf(parent_);
        AlignControls(ControlsAmong(parent_.children()), client, client_, changed);
        client_ = client;
    }

protected:
    // A widget showing a control lays its children out itself, once the control has
    // taken the new size (an event filter sees the resize before the widget does).
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &parent_ && event->type() == QEvent::Resize && !dynamic_cast<ControlWidget*>(&parent_))
            AlignChildren();
        return false;
    }

private:
    explicit ControlAligner(QWidget& parent) : QObject(&parent), parent_(parent), client_(ClientAreaOf(parent))
    {
        parent_.installEventFilter(this);
    }

    QWidget& parent_;
    Rect client_; // the client area the children were last laid out in
};

} // namespace

ControlWidget::ControlWidget(std::unique_ptr<Control> control, QWidget* parent)
    : ControlWidget(*control, parent)
{
    owned_ = std::move(control);
}

ControlWidget::ControlWidget(Control& control, QWidget* parent) : QWidget(parent), control_(&control)
{
    // The control paints every pixel itself, so Qt need not clear behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    const Rect bounds = control_->BoundsRect();
    applyingBounds_ = true;
    setGeometry(ToQRect(bounds));
    applyingBounds_ = false;
    ApplyTabStop(control_->TabStop());
    ApplyConstraints(control_->Constraints());
    ApplyCursor(control_->ShownCursor());
    setEnabled(control_->Enabled());
    ApplyInputMethod(control_->InputMethod());
    if (!control_->Visible())
        setVisible(false);
    control_->AttachHost(this);
    if (parent)
        ControlAligner::Of(*parent);
    if (ParentControl())
        control_->HostParentChanged();
}

ControlWidget::~ControlWidget()
{
    control_->AttachHost(nullptr);
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    if (QWidget::keyboardGrabber() == this)
        releaseKeyboard();
}

bool ControlWidget::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        control_->HostActivationChanged(event->type() == QEvent::WindowActivate);
    if (event->type() == QEvent::ParentChange && parentWidget())
        ControlAligner::Of(*parentWidget()).AlignChildren();
    // Tab normally moves the focus before keyPressEvent sees it; a control may want it.
    // Shift+Tab always goes back through the window, so no control keeps the keyboard.
    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Tab && !(keyEvent->modifiers() & Qt::ShiftModifier) &&
            control_->WantsTabKey()) {
            keyPressEvent(keyEvent);
            return true;
        }
    }
    return QWidget::event(event);
}

void ControlWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QPainterCanvas canvas(painter);
    paintRect_ = event->rect();
    control_->HostPaint(canvas);
    paintRect_ = QRect();
}

void ControlWidget::mousePressEvent(QMouseEvent* event)
{
    auto button = MouseButtonFromQt(event->button());
    if (!button)
        return QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    control_->HostMouseDown(*button, ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    auto button = MouseButtonFromQt(event->button());
    if (!button)
        return QWidget::mouseDoubleClickEvent(event);
    const QPoint p = event->position().toPoint();
    control_->HostDoubleClick(*button, ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    control_->HostMouseMove(ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event)
{
    auto button = MouseButtonFromQt(event->button());
    if (!button)
        return QWidget::mouseReleaseEvent(event);
    const QPoint p = event->position().toPoint();
    control_->HostMouseUp(*button, ShiftStateFromQt(event->modifiers(), event->buttons()), p.x(), p.y());
}

void ControlWidget::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    const bool handled = control_->HostMouseWheel(ShiftStateFromQt(event->modifiers(), event->buttons()),
                                                  event->angleDelta().y(), Point{p.x(), p.y()});
    // An unhandled wheel goes on to the parent (a scroll area scrolls).
    event->setAccepted(handled);
}

bool ControlWidget::HandleKeyDown(QKeyEvent* event)
{
    KeyCode code = KeyCodeFromQt(event->key(), event->modifiers());
    if (IsArrowKey(code) && !control_->WantsArrowKeys())
        return false;
    const ShiftState state = ShiftStateFromQt(event->modifiers(), Qt::NoButton);
    if (code != key::None)
        control_->HostKeyDown(code, state);
    if (code != key::None && (state & shift::Keys & ~shift::Shift) == shift::Alt) {
        const char32_t character = DialogCharOf(*event);
        if (character != 0 && RouteDialogChar(character))
            return true;
    }
    for (char32_t character : event->text().toUcs4()) {
        // Ctrl with a letter types its control character (Ctrl+V is 0x16), as most
        // keyboards deliver it; some systems report the plain letter instead.
        const bool letter = (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
        if (letter && (state & shift::Keys & ~shift::Shift) == shift::Ctrl)
            character &= 0x1F;
        control_->HostKeyPress(character);
    }
    return true;
}

bool ControlWidget::RouteDialogChar(char32_t character) const
{
    QWidget* top = window();
    std::vector<ControlWidget*> roots;
    if (auto* shown = dynamic_cast<ControlWidget*>(top))
        roots.push_back(shown);
    else
        for (ControlWidget* shown : top->findChildren<ControlWidget*>())
            if (shown->window() == top && shown->ParentControl() == nullptr)
                roots.push_back(shown); // its children are offered it through it
    for (ControlWidget* shown : roots)
        if (shown->isVisible() && shown->control_->HostDialogChar(character))
            return true;
    return false;
}

void ControlWidget::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKeyDown(event))
        QWidget::keyPressEvent(event);
}

void ControlWidget::keyReleaseEvent(QKeyEvent* event)
{
    KeyCode code = KeyCodeFromQt(event->key(), event->modifiers());
    if (code == key::None || (IsArrowKey(code) && !control_->WantsArrowKeys()))
        return QWidget::keyReleaseEvent(event);
    control_->HostKeyUp(code, ShiftStateFromQt(event->modifiers(), Qt::NoButton));
}

void ControlWidget::enterEvent(QEnterEvent*)
{
    control_->HostMouseEnter();
}

void ControlWidget::leaveEvent(QEvent*)
{
    control_->HostMouseLeave();
}

void ControlWidget::focusInEvent(QFocusEvent* event)
{
    control_->HostFocusChanged(true);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        control_->EnterByTab(event->reason() == Qt::TabFocusReason);
}

void ControlWidget::focusOutEvent(QFocusEvent*)
{
    control_->HostFocusChanged(false);
}

void ControlWidget::moveEvent(QMoveEvent*)
{
    TakeBoundsFromWidget();
}

void ControlWidget::resizeEvent(QResizeEvent*)
{
    TakeBoundsFromWidget();
    if (ControlAligner* aligner = ControlAligner::Find(*this))
        aligner->AlignChildren();
}

void ControlWidget::hideEvent(QHideEvent*)
{
    // A hidden window cannot hold the mouse.
    if (control_->MouseCapture()) {
        if (QWidget::mouseGrabber() == this)
            releaseMouse();
        control_->HostCaptureLost();
    }
}

void ControlWidget::inputMethodEvent(QInputMethodEvent* event)
{
    for (char32_t character : event->commitString().toUcs4())
        control_->HostKeyPress(character);
    event->accept();
}

void ControlWidget::ApplyInputMethod(InputMethodHints hints)
{
    setAttribute(Qt::WA_InputMethodEnabled, (hints & ime::Enabled) != 0);
    setInputMethodHints(InputMethodHintsFor(hints));
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}

void ControlWidget::TakeBoundsFromWidget()
{
    if (!applyingBounds_)
        control_->SetBounds(x(), y(), width(), height());
    KeepToControlBounds();
}

void ControlWidget::RequestRepaint()
{
    update();
}

void ControlWidget::RepaintNow(const Rect& area)
{
    repaint(ToQRect(area));
}

void ControlWidget::ApplyBounds(const Rect& bounds)
{
    applyingBounds_ = true;
    setGeometry(ToQRect(bounds));
    applyingBounds_ = false;
    if (Control* parent = ParentControl())
        parent->AdjustSize(); // a parent sized around its children follows them
}

void ControlWidget::ApplyVisible(bool visible)
{
    setVisible(visible);
    if (Control* parent = ParentControl())
        parent->AdjustSize();
}

void ControlWidget::ApplyEnabled(bool enabled)
{
    setEnabled(enabled);
}

void ControlWidget::ApplyTabStop(bool tabStop)
{
    // Without a tab stop the control still takes the focus when it asks for it. Tab stops
    // at it also for a child control drawn inside it that is a tab stop.
    setFocusPolicy(tabStop || control_->TakesTabFocus() ? Qt::StrongFocus : Qt::NoFocus);
}

void ControlWidget::ApplyCursor(CursorId cursor)
{
    setCursor(CursorShapeFor(cursor));
}

void ControlWidget::ApplyMouseCapture(bool capture)
{
    if (capture) {
        if (isVisible())
            grabMouse();
    } else if (QWidget::mouseGrabber() == this) {
        releaseMouse();
    }
}

void ControlWidget::ApplyKeyCapture(bool capture)
{
    if (capture)
        grabKeyboard();
    else if (QWidget::keyboardGrabber() == this)
        releaseKeyboard();
}

void ControlWidget::TakeFocus()
{
    setFocus(Qt::OtherFocusReason);
}

Rect ControlWidget::VisibleRect() const
{
    // A widget painted while not on screen (grab, render) shows what the paint asks for;
    // otherwise a hidden widget shows nothing, so it needs no buffer.
    return RectFromQt(visibleRegion().isEmpty() ? paintRect_ : visibleRegion().boundingRect());
}

Rect ControlWidget::DesktopRect() const
{
    const QScreen* shown = screen();
    if (shown == nullptr)
        return {};
    return RectFromQt(shown->virtualGeometry());
}

Point ControlWidget::ClientToScreen(Point point) const
{
    const QPoint global = mapToGlobal(QPoint(point.X, point.Y));
    return {global.x(), global.y()};
}

bool ControlWidget::BeginWindowSizing()
{
    QWindow* handle = window()->windowHandle();
    return handle != nullptr && handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

Point ControlWidget::ScreenToClient(Point point) const
{
    const QPoint local = mapFromGlobal(QPoint(point.X, point.Y));
    return {local.x(), local.y()};
}

bool ControlWidget::ControlAtScreen(Point screen, Control*& found) const
{
    const QWidget* top = window();
    const QPoint inTop = top->mapFromGlobal(QPoint(screen.X, screen.Y));
    const QWidget* under = top->rect().contains(inTop) ? top->childAt(inTop) : nullptr;
    if (!under && top->rect().contains(inTop))
        under = top;
    found = nullptr;
    // The widget under the point may be part of a control's widget, or of none.
    for (; under && !found; under = under->isWindow() ? nullptr : under->parentWidget())
        if (const auto* shown = dynamic_cast<const ControlWidget*>(under))
            found = shown->control_;
    return true;
}

void ControlWidget::RequestAlign()
{
    if (QWidget* parent = parentWidget())
        ControlAligner::Of(*parent).AlignChildren(control_);
}

bool ControlWidget::ParentFillsWindow() const
{
    for (const QWidget* widget = this; !widget->isWindow(); widget = widget->parentWidget()) {
        const QWidget* parent = widget->parentWidget();
        if (parent->isWindow())
            return true;
        // A parent that shows a control fills its own parent when it is client-aligned;
        // any other widget when it covers its parent's contents.
        if (const auto* shown = dynamic_cast<const ControlWidget*>(parent)) {
            if (shown->control_->Align() != alClient)
                return false;
        } else if (parent->geometry() != parent->parentWidget()->contentsRect()) {
            return false;
        }
    }
    return true;
}

TBiDiMode ControlWidget::InheritedBiDiMode() const
{
    const QWidget* parent = parentWidget();
    if (const auto* shown = dynamic_cast<const ControlWidget*>(parent))
        return shown->control_->BiDiMode();
    return (parent ? parent->layoutDirection() : layoutDirection()) == Qt::RightToLeft ? bdRightToLeft
                                                                                      : bdLeftToRight;
}

// ---- The family of controls, hints and size limits ----

void ControlWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ParentChange)
        control_->HostParentChanged();
    QWidget::changeEvent(event);
}

bool ControlWidget::focusNextPrevChild(bool next)
{
    // Tab first moves through the child controls drawn inside the focused control.
    if (hasFocus() && control_->FocusNextChild(next))
        return true;
    return QWidget::focusNextPrevChild(next);
}

void ControlWidget::contextMenuEvent(QContextMenuEvent* event)
{
    // The control pops its menu up itself (Control::HostContextPopup), or its parents do.
    event->accept();
}

Control* ControlWidget::ParentControl() const
{
    const auto* shown = dynamic_cast<const ControlWidget*>(parentWidget());
    return shown ? shown->control_ : nullptr;
}

std::vector<Control*> ControlWidget::HostedChildren() const
{
    return ControlsAmong(children());
}

std::vector<Control*> ControlWidget::Siblings() const
{
    return parentWidget() ? ControlsAmong(parentWidget()->children()) : std::vector<Control*>{control_};
}

void ControlWidget::ApplyTabOrder()
{
    if (!parentWidget())
        return;
    const std::vector<ControlWidget*> widgets = ControlWidgetsAmong(parentWidget()->children());
    QWidget* previous = nullptr;
    for (Control* control : Control::InTabOrder(ControlsAmong(parentWidget()->children()))) {
        QWidget* widget = *std::find_if(widgets.begin(), widgets.end(),
                                        [control](const ControlWidget* w) { return w->control_ == control; });
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void ControlWidget::ApplyConstraints(const TSizeConstraints& constraints)
{
    // Qt's layouts and resizes keep to the limits too; the control applies them to itself.
    applyingBounds_ = true;
    setMinimumSize(constraints.MinWidth, constraints.MinHeight);
    setMaximumSize(constraints.MaxWidth > 0 ? constraints.MaxWidth : QWIDGETSIZE_MAX,
                   constraints.MaxHeight > 0 ? constraints.MaxHeight : QWIDGETSIZE_MAX);
    applyingBounds_ = false;
}

void ControlWidget::KeepToControlBounds()
{
    const Rect bounds = control_->BoundsRect();
    if (!applyingBounds_ && ToQRect(bounds) != geometry())
        ApplyBounds(bounds);
}

void ControlWidget::ShowHint(Point screen, std::string_view text)
{
    QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (Qt::mightBeRichText(shown))
        shown = shown.toHtmlEscaped(); // shown as typed
    QToolTip::showText(QPoint(screen.X, screen.Y), shown, this);
}

void ControlWidget::HideHint()
{
    QToolTip::hideText();
}

} // namespace platform::qt

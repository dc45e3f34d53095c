#include "platform/Control.h"

#include "platform/ChildControls.h"

#include <algorithm>
#include <cstdlib>

namespace platform {

Control::Control() = default;

Control::~Control()
{
    LeaveDrags(true);
    freeNotify_.OwnerGoing([this](Control& watcher) {
        watcher.LoseDragTarget(*this);
        watcher.Notification(*this);
    });
}

void Control::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    if (!CheckNewSize(width, height))
        return;
    Rect bounds{left, top, left + std::max(width, 0), top + std::max(height, 0)};
    if (bounds == bounds_)
        return;
    bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
    const Rect previousClient = ClientRect();
    bounds_ = bounds;
    if (!aligning_)
        anchorKnown_ = false; // placed anew: the anchors count from here
    if (host_)
        host_->ApplyBounds(bounds_);
    if (resized) {
        for (ChildControls* children : childSets_)
            children->AlignChildren(previousClient);
        Resize();
    }
    if (!aligning_ && align_ != alNone && host_)
        host_->RequestAlign();
}

void Control::SetAlignedBounds(const Rect& bounds)
{
    const bool wasAligning = aligning_;
    aligning_ = true;
    SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    aligning_ = wasAligning;
}

void Control::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    if (host_)
        host_->RequestAlign();
}

void Control::SetAnchors(TAnchors anchors)
{
    if (anchors == anchors_)
        return;
    anchors_ = anchors;
    anchorKnown_ = false; // the new anchors count from the present place
}

TBiDiMode Control::BiDiMode() const
{
    return parentBiDiMode_ && host_ ? host_->InheritedBiDiMode() : biDiMode_;
}

void Control::SetBiDiMode(TBiDiMode mode)
{
    const TBiDiMode before = BiDiMode();
    biDiMode_ = mode;
    parentBiDiMode_ = false;
    if (BiDiMode() != before)
        BiDiModeChanged();
}

void Control::SetParentBiDiMode(bool parentBiDiMode)
{
    const TBiDiMode before = BiDiMode();
    parentBiDiMode_ = parentBiDiMode;
    if (BiDiMode() != before)
        BiDiModeChanged();
}

Control* Control::ControlAt(Point point)
{
    for (auto set = childSets_.rbegin(); set != childSets_.rend(); ++set)
        if (Control* child = (*set)->ChildAt(point.X, point.Y))
            return child->ControlAt(Point{point.X - child->Left(), point.Y - child->Top()});
    return this;
}

Control* Control::ControlAtScreen(Point screen)
{
    Control* found = nullptr;
    if (host_ && host_->ControlAtScreen(screen, found))
        return found ? found->ControlAt(found->ScreenToClient(screen)) : nullptr;
    // Without a window that knows better, only this control is there.
    const Point point = ScreenToClient(screen);
    return ClientRect().Contains(point.X, point.Y) ? ControlAt(point) : nullptr;
}

void Control::SetVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    if (host_)
        host_->ApplyVisible(visible);
    if (host_ && align_ != alNone)
        host_->RequestAlign(); // an aligned control takes or gives back its room
}

void Control::SetEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (!enabled)
        EndDrag(false); // a disabled control hears no more input, so its drag ends here
    if (host_)
        host_->ApplyEnabled(enabled);
    EnabledChanged();
    Invalidate();
}

void Control::SetTabStop(bool tabStop)
{
    if (tabStop == tabStop_)
        return;
    tabStop_ = tabStop;
    if (host_)
        host_->ApplyTabStop(tabStop);
}

void Control::SetColor(CanvasColor color)
{
    UpdateInherited([this] { return Color(); }, [&] { color_ = color; parentColor_ = false; }, kColor);
}

void Control::SetAutoSize(bool autoSize)
{
    if (autoSize == autoSize_)
        return;
    autoSize_ = autoSize;
    AdjustSize();
}

void Control::AdjustSize()
{
    int32_t width = Width(), height = Height();
    if (autoSize_ && CanAutoSize(width, height))
        SetBounds(Left(), Top(), width, height);
}

void Control::SetCursor(CursorId cursor)
{
    cursor_ = cursor;
    if (host_)
        host_->ApplyCursor(ShownCursor());
}

void Control::ShowCursor(CursorId cursor)
{
    shownCursor_ = cursor;
    if (host_)
        host_->ApplyCursor(ShownCursor());
}

void Control::SetFocus()
{
    if (!CanFocus())
        return;
    if (host_)
        host_->TakeFocus();
    else
        HostFocusChanged(true);
}

void Control::SetMouseCapture(bool capture)
{
    if (capture == mouseCapture_)
        return;
    mouseCapture_ = capture;
    if (host_)
        host_->ApplyMouseCapture(capture);
}

void Control::Invalidate()
{
    RequestRepaint();
}

void Control::RequestRepaint()
{
    if (host_)
        host_->RequestRepaint();
}

void Control::RepaintNow(const Rect& area)
{
    if (host_)
        host_->RepaintNow(area);
}

Rect Control::VisibleRect() const
{
    return host_ ? host_->VisibleRect() : Rect{};
}

void Control::AttachHost(ControlHost* host)
{
    hintState_.MouseLeft(); // a hint shown goes with the window that showed it
    if (host_ && host != host_)
        LeaveDrags(false); // it leaves its parent or window
    host_ = host;
}

void Control::HostPaint(Canvas& canvas)
{
    Paint(canvas);
}

void Control::HostMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    EndHints();
    if (!enabled_)
        return;
    if (button == MouseButton::Left) {
        leftPressedInside_ = true;
        pressPoint_ = {x, y};
        if (dragMode_ == dmAutomatic && !drag_)
            BeginAutoDrag();
    }
    MouseDown(button, shift, x, y);
    InputHandled({.Event = InputEvent::MouseDown, .Shift = shift, .Button = button, .Pos = {x, y}});
}

void Control::HostDoubleClick(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    EndHints();
    if (!enabled_)
        return;
    // The second press of a double click makes no click of its own when released.
    leftPressedInside_ = false;
    if (button == MouseButton::Left) {
        pressPoint_ = {x, y};
        DblClick();
    }
    MouseDown(button, shift | shift::Double, x, y);
    InputHandled({.Event = InputEvent::DoubleClick, .Shift = shift, .Button = button, .Pos = {x, y}});
}

void Control::HostMouseMove(ShiftState shift, int32_t x, int32_t y)
{
    // Disabled controls show their hints too; over a child the child's hint shows.
    if (ControlAt({x, y}) == this)
        hintState_.MouseMoved({x, y});
    else
        hintState_.MouseLeft();
    if (!enabled_)
        return;
    if (drag_ && drag_->active) {
        DragMouseTo({x, y}); // the drag has the mouse until the button is up
        return;
    }
    if (drag_ && (shift & shift::Left) &&
        std::max(std::abs(x - drag_->start.X), std::abs(y - drag_->start.Y)) > drag_->threshold) {
        drag_->mouse = {x, y};
        StartDragNow();
        return;
    }
    MouseMove(shift, x, y);
    InputHandled({.Event = InputEvent::MouseMove, .Shift = shift, .Pos = {x, y}});
}

void Control::HostMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    if (!enabled_)
        return;
    if (button == MouseButton::Left && drag_) {
        if (drag_->active && Point{x, y} != drag_->mouse)
            DragMouseTo({x, y});
        EndDrag(true);
    }
    MouseUp(button, shift, x, y);
    if (button == MouseButton::Left && leftPressedInside_) {
        leftPressedInside_ = false;
        if (ClientRect().Contains(x, y))
            Click();
    }
    // A right click on a child is the child's to pass on.
    if (button == MouseButton::Right && ClientRect().Contains(x, y) && ControlAt({x, y}) == this)
        HostContextPopup({x, y});
    InputHandled({.Event = InputEvent::MouseUp, .Shift = shift, .Button = button, .Pos = {x, y}});
}

void Control::HostMouseEnter()
{
    if (!enabled_)
        return;
    MouseEnter();
    InputHandled({.Event = InputEvent::MouseEnter});
}

void Control::HostMouseLeave()
{
    hintState_.MouseLeft();
    if (!enabled_)
        return;
    MouseLeave();
    InputHandled({.Event = InputEvent::MouseLeave});
}

bool Control::HostMouseWheel(ShiftState shift, int32_t wheelDelta, Point mousePos)
{
    EndHints();
    if (!enabled_)
        return false;
    const bool handled = DoMouseWheel(shift, wheelDelta, mousePos);
    InputHandled({.Event = InputEvent::MouseWheel, .Shift = shift, .Pos = mousePos, .WheelDelta = wheelDelta});
    return handled;
}

void Control::HostKeyDown(KeyCode& key, ShiftState shift)
{
    EndHints();
    // The keys belong to a drag while it runs, whichever control has the focus.
    if (Control* source = DragSourceWithin()) {
        if (key == key::Escape)
            source->EndDrag(false);
        key = key::None;
        return;
    }
    if (!enabled_)
        return;
    const KeyCode pressed = key;
    KeyDown(key, shift);
    if (key == key::Apps || (key == key::F10 && (shift & shift::Keys) == shift::Shift)) {
        key = key::None;
        HostContextPopup(kKeyboardPopup);
    }
    InputHandled({.Event = InputEvent::KeyDown, .Shift = shift, .Key = pressed});
}

void Control::HostKeyUp(KeyCode& key, ShiftState shift)
{
    if (!enabled_)
        return;
    const KeyCode released = key;
    KeyUp(key, shift);
    InputHandled({.Event = InputEvent::KeyUp, .Shift = shift, .Key = released});
}

void Control::HostKeyPress(char32_t& key)
{
    EndHints();
    if (!enabled_)
        return;
    const char32_t typed = key;
    KeyPress(key);
    InputHandled({.Event = InputEvent::KeyPress, .Char = typed});
}

bool Control::HostDialogChar(char32_t key)
{
    if (!visible_)
        return false;
    if (DialogChar(key))
        return true;
    for (Control* child : Children())
        if (child->HostDialogChar(key))
            return true;
    return false;
}

void Control::HostFocusChanged(bool focused)
{
    if (focused == focused_)
        return;
    focused_ = focused;
    if (!focused)
        EndDrag(false);
    if (focused) {
        UpdateInputMethod();
        DoEnter();
    }
    else
        DoExit();
    // The child control that has the keys has them with the control, and loses them with it.
    for (ChildControls* children : childSets_)
        children->ParentFocusChanged(focused);
    InputHandled({.Event = focused ? InputEvent::FocusIn : InputEvent::FocusOut});
}

void Control::HostActivationChanged(bool active)
{
    InputHandled({.Event = active ? InputEvent::AppActivate : InputEvent::AppDeactivate});
}

void Control::Paint(Canvas& canvas)
{
    canvas.FillRect(ClientRect(), Color());
}

void Control::MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void Control::MouseMove(ShiftState shift, int32_t x, int32_t y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void Control::MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void Control::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void Control::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

bool Control::DoMouseWheel(ShiftState shift, int32_t wheelDelta, Point mousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
    if (!handled) {
        const MouseWheelUpDownEvent& upDown = wheelDelta < 0 ? OnMouseWheelDown : OnMouseWheelUp;
        if (upDown)
            upDown(this, shift, mousePos, handled);
    }
    return handled;
}

void Control::Click()
{
    if (OnClick)
        OnClick(this);
}

void Control::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void Control::KeyDown(KeyCode& key, ShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
}

void Control::KeyUp(KeyCode& key, ShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

void Control::KeyPress(char32_t& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void Control::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void Control::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void Control::Resize()
{
    if (OnResize)
        OnResize(this);
}

} // namespace platform

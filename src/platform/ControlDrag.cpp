// The control base's side of a drag: the source follows the mouse, asks the control under
// it whether it takes the drop, and ends the drag on the release, a cancel or a lost focus.
// The source and the control under the mouse know each other, so that either can leave
// the drag when it goes.
#include "platform/ChildControls.h"
#include "platform/Control.h"

namespace platform {

void Control::BeginDrag(bool immediate, int32_t threshold)
{
    if (drag_)
        return;
    drag_.emplace();
    drag_->threshold = threshold < 0 ? kDragThreshold : threshold;
    drag_->start = drag_->mouse = pressPoint_;
    if (immediate)
        StartDragNow();
}

void Control::StartDragNow()
{
    drag_->active = true;
    leftPressedInside_ = false; // the release ends the drag, it makes no click
    if (host_)
        host_->ApplyKeyCapture(true); // Escape cancels, wherever the focus is
    DoStartDrag();
    if (drag_)
        DragMouseTo(drag_->mouse);
}

void Control::DragMouseTo(Point point)
{
    drag_->mouse = point;
    Control* previous = drag_->target;
    Control* target = dragKind_ == dkDrag ? ControlAtScreen(ClientToScreen(point)) : nullptr;
    if (target && !target->Enabled())
        target = nullptr;
    if (previous && previous != target) {
        previous->RemoveFreeNotification(*this);
        bool ignored = false;
        previous->DragOver(this, drag_->targetPoint.X, drag_->targetPoint.Y, dsDragLeave, ignored);
        if (!drag_)
            return; // a handler ended the drag
    }
    drag_->target = target;
    drag_->accepted = false;
    if (target) {
        target->FreeNotification(*this);
        drag_->targetPoint = target->ScreenToClient(ClientToScreen(point));
        bool accept = false;
        target->DragOver(this, drag_->targetPoint.X, drag_->targetPoint.Y,
                         target == previous ? dsDragMove : dsDragEnter, accept);
        if (!drag_)
            return; // a handler ended the drag
        drag_->accepted = accept && drag_->target == target; // the target may have gone meanwhile
    }
    if (dragKind_ == dkDrag)
        ShowCursor(drag_->accepted ? dragCursor_ : cursor::NoDrop);
    DragMoved(point.X, point.Y);
}

void Control::EndDrag(bool drop)
{
    if (!drag_)
        return;
    const DragState drag = *drag_;
    ForgetDragTarget();
    drag_.reset();
    if (!drag.active)
        return;
    if (host_)
        host_->ApplyKeyCapture(false);
    ShowCursor(cursor::Default);
    const bool dropped = drop && drag.accepted && drag.target;
    if (dropped)
        drag.target->DragDrop(this, drag.targetPoint.X, drag.targetPoint.Y);
    if (drag.target && !dropped) {
        bool ignored = false;
        drag.target->DragOver(this, drag.targetPoint.X, drag.targetPoint.Y, dsDragLeave, ignored);
    }
    const Point at = dropped ? drag.targetPoint : drag.mouse;
    DoEndDrag(dropped ? drag.target : nullptr, at.X, at.Y);
}

void Control::ForgetDragTarget()
{
    if (drag_->target)
        drag_->target->RemoveFreeNotification(*this);
    drag_->target = nullptr;
    drag_->accepted = false;
}

void Control::LoseDragTarget(const Control& target)
{
    if (!drag_ || drag_->target != &target)
        return;
    ForgetDragTarget();
    if (Dragging() && dragKind_ == dkDrag)
        ShowCursor(cursor::NoDrop);
}

void Control::LeaveDrags(bool quietly)
{
    if (!quietly) // leaving its window: the drags over it go on over nothing
        freeNotify_.ForEachWatcher([this](Control& source) { source.LoseDragTarget(*this); });
    if (!drag_)
        return;
    if (!quietly) {
        EndDrag(false);
        return;
    }
    ForgetDragTarget();
    drag_.reset();
}

Control* Control::DragSourceWithin()
{
    if (Dragging())
        return this;
    for (ChildControls* children : childSets_)
        if (Control* pressed = children->PressedChild())
            if (Control* source = pressed->DragSourceWithin())
                return source;
    return nullptr;
}

void Control::BeginAutoDrag()
{
    BeginDrag(false);
}

void Control::DoStartDrag()
{
    const NotifyEvent& event = dragKind_ == dkDock ? OnStartDock : OnStartDrag;
    if (event)
        event(this);
}

void Control::DragOver(TObject* source, int32_t x, int32_t y, TDragOverState state, bool& accept)
{
    accept = bool(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, source, x, y, state, accept);
}

void Control::DragDrop(TObject* source, int32_t x, int32_t y)
{
    if (OnDragDrop)
        OnDragDrop(this, source, x, y);
}

void Control::DoEndDrag(Control* target, int32_t x, int32_t y)
{
    const TEndDragEvent& event = dragKind_ == dkDock ? OnEndDock : OnEndDrag;
    if (event)
        event(this, target, x, y);
}

} // namespace platform

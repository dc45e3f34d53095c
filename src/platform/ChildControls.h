#pragma once
// Controls shown inside another control (the scroll bars of a view). The parent keeps
// their places (each child's bounds are in the parent's coordinates), paints them over
// its own picture and hands them the mouse events that fall on them: a child that took
// a press gets every mouse event until the button is released, and the child under the
// mouse gets enter and leave. Children need no window of their own: their repaint and
// capture requests go to the parent. A child that takes the focus (SetFocus) becomes the
// focused child: while the parent has the keyboard focus, the child has it too and gets
// the keys the parent passes on. When the parent is sized, its aligned and anchored
// children are laid out in its client area again. Children take the parent's colour,
// font and 3-D look as any child control does, and its hints show through the parent's
// window; Tab reaches those that are tab stops after the parent (Control::FocusNextChild).
#include "platform/Control.h"

#include <memory>
#include <vector>

namespace platform {

class ChildControls {
public:
    explicit ChildControls(Control& parent);
    ~ChildControls();
    ChildControls(const ChildControls&) = delete;
    ChildControls& operator=(const ChildControls&) = delete;

    // Borrowed: the child must stay alive while this set does (it is detached again on
    // destruction). Later children lie above earlier ones.
    void Add(Control& child);
    // The children, in the order they were added.
    std::vector<Control*> Children() const;
    // Detaches a child again (before it goes, when it dies before this set); a focused
    // child loses the focus first.
    void Remove(Control& child);

    // Paints every visible child at its bounds, clipped to them.
    void Paint(Canvas& canvas);

    // Each returns true when the event went to a child and the parent should ignore it.
    bool MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    bool MouseMove(ShiftState shift, int32_t x, int32_t y);
    bool MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    // The mouse left the parent: the child under it is left too.
    void MouseLeave();

    // Keyboard focus among the children: null means the parent's own. FocusChild takes the
    // focus for the parent too.
    Control* FocusedChild() const { return focused_; }
    void FocusChild(Control* child);
    // The parent's focus changed: on losing it the focused child loses it too, and the
    // keys go to the parent again.
    void ParentFocusChanged(bool focused);
    // Each returns true when the key went to the focused child and the parent should ignore it.
    bool KeyDown(KeyCode& key, ShiftState shift);
    bool KeyUp(KeyCode& key, ShiftState shift);
    bool KeyPress(char32_t& key);

    // The topmost visible child whose bounds hold the parent point (x, y), or null.
    Control* ChildAt(int32_t x, int32_t y) const;
    // The child that took the press in progress, or null.
    Control* PressedChild() const { return pressed_; }

    // Lays the children out in the parent's client area, which was `previousClient`;
    // `changed` is the child whose change asks for it (see AlignControls).
    void AlignChildren(const Rect& previousClient, const Control* changed = nullptr);

private:
    class Host;
    // Whether Tab stops at the parent's window depends on its children too.
    void TabStopsChanged();

    void Hover(Control* child);

    Control& parent_;
    std::vector<std::unique_ptr<Host>> hosts_;
    Control* pressed_ = nullptr; // the child that took the press in progress
    Control* hovered_ = nullptr; // the child under the mouse
    Control* focused_ = nullptr; // the child that has the keys
};

} // namespace platform

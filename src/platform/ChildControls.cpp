#include "platform/ChildControls.h"

#include "platform/OffsetCanvas.h"

namespace platform {

// Stands in for a window of the child: everything it asks of a window goes to the parent.
class ChildControls::Host final : public ControlHost {
public:
    Host(ChildControls& owner, Control& parent, Control& child) : owner_(owner), parent_(parent), child_(child)
    {
        child_.AttachHost(this);
    }
    ~Host() override { child_.AttachHost(nullptr); }

    Control& Child() const { return child_; }

    void RequestRepaint() override { parent_.RequestRepaint(); }
    void RepaintNow(const Rect& area) override
    {
        parent_.RepaintNow(area.Offset(child_.Left(), child_.Top()).Intersect(child_.BoundsRect()));
    }
    void ApplyBounds(const Rect&) override { ChildPlaced(); }
    void ApplyVisible(bool) override
    {
        ChildPlaced();
        owner_.TabStopsChanged();
    }
    void ApplyEnabled(bool) override
    {
        parent_.RequestRepaint();
        owner_.TabStopsChanged();
    }
    void ApplyTabStop(bool) override { owner_.TabStopsChanged(); }
    void ApplyCursor(CursorId cursor) override { parent_.ShowCursor(cursor); }
    void ApplyMouseCapture(bool capture) override { parent_.SetMouseCapture(capture); }
    void ApplyKeyCapture(bool capture) override
    {
        if (parent_.Host())
            parent_.Host()->ApplyKeyCapture(capture); // the parent hands the keys on
    }
    void TakeFocus() override { owner_.FocusChild(&child_); }
    Rect VisibleRect() const override
    {
        return parent_.VisibleRect().Intersect(child_.BoundsRect()).Offset(-child_.Left(), -child_.Top());
    }
    Rect DesktopRect() const override { return parent_.DesktopRect(); }
    Point ClientToScreen(Point point) const override
    {
        return parent_.ClientToScreen(Point{point.X + child_.Left(), point.Y + child_.Top()});
    }
    Point ScreenToClient(Point point) const override
    {
        const Point inParent = parent_.ScreenToClient(point);
        return {inParent.X - child_.Left(), inParent.Y - child_.Top()};
    }
    bool ControlAtScreen(Point screen, Control*& found) const override
    {
        found = parent_.ControlAtScreen(screen);
        return true;
    }
    void RequestAlign() override { owner_.AlignChildren(parent_.ClientRect(), &child_); }
    bool ParentFillsWindow() const override { return parent_.FillsWindow(); }
    TBiDiMode InheritedBiDiMode() const override { return parent_.BiDiMode(); }
    // Only the child with the keys speaks for the parent's window.
    void ApplyInputMethod(InputMethodHints hints) override
    {
        if (owner_.FocusedChild() == &child_ && parent_.Host())
            parent_.Host()->ApplyInputMethod(hints);
    }
    Control* ParentControl() const override { return &parent_; }
    std::vector<Control*> Siblings() const override { return owner_.Children(); }
    void ShowHint(Point screen, std::string_view text) override
    {
        if (parent_.Host())
            parent_.Host()->ShowHint(screen, text);
    }
    void HideHint() override
    {
        if (parent_.Host())
            parent_.Host()->HideHint();
    }
private:
    void ChildPlaced()
    {
        parent_.RequestRepaint();
        parent_.AdjustSize(); // a parent sized around its children follows them
    }

    ChildControls& owner_;
    Control& parent_;
    Control& child_;
};

ChildControls::ChildControls(Control& parent) : parent_(parent)
{
    parent_.childSets_.push_back(this);
}

ChildControls::~ChildControls()
{
    std::erase(parent_.childSets_, this);
}

void ChildControls::AlignChildren(const Rect& previousClient, const Control* changed)
{
    AlignControls(Children(), parent_.ClientRect(), previousClient, changed);
}

void ChildControls::Add(Control& child)
{
    hosts_.push_back(std::make_unique<Host>(*this, parent_, child));
    child.HostParentChanged();
    TabStopsChanged();
}

void ChildControls::TabStopsChanged()
{
    if (parent_.Host())
        parent_.Host()->ApplyTabStop(parent_.TabStop());
}

std::vector<Control*> ChildControls::Children() const
{
    std::vector<Control*> children;
    children.reserve(hosts_.size());
    for (const auto& host : hosts_)
        children.push_back(&host->Child());
    return children;
}

void ChildControls::Remove(Control& child)
{
    if (focused_ == &child)
        FocusChild(nullptr);
    if (pressed_ == &child)
        pressed_ = nullptr;
    if (hovered_ == &child)
        hovered_ = nullptr;
    std::erase_if(hosts_, [&child](const std::unique_ptr<Host>& host) { return &host->Child() == &child; });
    TabStopsChanged();
}

void ChildControls::FocusChild(Control* child)
{
    if (child != focused_) {
        Control* previous = focused_;
        focused_ = child;
        if (previous)
            previous->HostFocusChanged(false);
    }
    if (!focused_) {
        parent_.UpdateInputMethod(); // the keys are the parent's own again
        return;
    }
    if (!parent_.Focused())
        parent_.SetFocus(); // the parent's focus-in hands the focus on to the child
    else
        focused_->HostFocusChanged(true);
}

void ChildControls::ParentFocusChanged(bool focused)
{
    if (!focused_)
        return;
    if (focused) {
        focused_->HostFocusChanged(true);
        return;
    }
    Control* previous = focused_;
    focused_ = nullptr;
    previous->HostFocusChanged(false);
}

bool ChildControls::KeyDown(KeyCode& key, ShiftState shift)
{
    if (!focused_)
        return false;
    focused_->HostKeyDown(key, shift);
    return true;
}

bool ChildControls::KeyUp(KeyCode& key, ShiftState shift)
{
    if (!focused_)
        return false;
    focused_->HostKeyUp(key, shift);
    return true;
}

bool ChildControls::KeyPress(char32_t& key)
{
    if (!focused_)
        return false;
    focused_->HostKeyPress(key);
    return true;
}

void ChildControls::Paint(Canvas& canvas)
{
    for (const auto& host : hosts_) {
        Control& child = host->Child();
        if (!child.Visible() || child.BoundsRect().IsEmpty())
            continue;
        OffsetCanvas childCanvas(canvas, Point{child.Left(), child.Top()}, child.BoundsRect());
        child.HostPaint(childCanvas);
    }
}

Control* ChildControls::ChildAt(int32_t x, int32_t y) const
{
    for (auto it = hosts_.rbegin(); it != hosts_.rend(); ++it) {
        Control& child = (*it)->Child();
        if (child.Visible() && child.BoundsRect().Contains(x, y))
            return &child;
    }
    return nullptr;
}

void ChildControls::Hover(Control* child)
{
    if (child == hovered_)
        return;
    if (hovered_)
        hovered_->HostMouseLeave();
    hovered_ = child;
    if (hovered_)
        hovered_->HostMouseEnter();
}

bool ChildControls::MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    Control* child = pressed_ ? pressed_ : ChildAt(x, y);
    if (!child)
        return false;
    pressed_ = child;
    Hover(child);
    child->HostMouseDown(button, shift, x - child->Left(), y - child->Top());
    return true;
}

bool ChildControls::MouseMove(ShiftState shift, int32_t x, int32_t y)
{
    Control* child = pressed_;
    if (!child) {
        child = ChildAt(x, y);
        Hover(child);
    }
    if (!child)
        return false;
    child->HostMouseMove(shift, x - child->Left(), y - child->Top());
    return true;
}

bool ChildControls::MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y)
{
    Control* child = pressed_;
    if (!child)
        return ChildAt(x, y) != nullptr;
    pressed_ = nullptr;
    child->HostMouseUp(button, shift, x - child->Left(), y - child->Top());
    Hover(ChildAt(x, y));
    return true;
}

void ChildControls::MouseLeave()
{
    if (!pressed_)
        Hover(nullptr);
}

} // namespace platform

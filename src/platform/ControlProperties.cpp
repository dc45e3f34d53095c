// The control base's properties taken from the parent control (colour, font, 3-D look,
// hint switch), hints, size limits, tab order and the context menu.
#include "platform/ChildControls.h"
#include "platform/Control.h"

#include <algorithm>
#include <climits>

namespace platform {

// ---- Taken from the parent ----

CanvasColor Control::Color() const
{
    const Control* parent = parentColor_ ? ParentControl() : nullptr;
    return parent ? parent->Color() : color_;
}

void Control::SetParentColor(bool parentColor)
{
    UpdateInherited([this] { return Color(); }, [&] { parentColor_ = parentColor; }, kColor);
}

const FontSpec& Control::Font() const
{
    const Control* parent = parentFont_ ? ParentControl() : nullptr;
    return parent ? parent->Font() : font_;
}

void Control::SetFont(const FontSpec& font)
{
    UpdateInherited([this] { return Font(); }, [&] { font_ = font; parentFont_ = false; }, kFont);
}

void Control::SetParentFont(bool parentFont)
{
    UpdateInherited([this] { return Font(); }, [&] { parentFont_ = parentFont; }, kFont);
}

bool Control::Ctl3D() const
{
    const Control* parent = parentCtl3D_ ? ParentControl() : nullptr;
    return parent ? parent->Ctl3D() : ctl3D_;
}

void Control::SetCtl3D(bool ctl3D)
{
    UpdateInherited([this] { return Ctl3D(); }, [&] { ctl3D_ = ctl3D; parentCtl3D_ = false; }, kCtl3D);
}

void Control::SetParentCtl3D(bool parentCtl3D)
{
    UpdateInherited([this] { return Ctl3D(); }, [&] { parentCtl3D_ = parentCtl3D; }, kCtl3D);
}

std::vector<Control*> Control::Children() const
{
    std::vector<Control*> children;
    for (const ChildControls* set : childSets_) {
        const std::vector<Control*> ofSet = set->Children();
        children.insert(children.end(), ofSet.begin(), ofSet.end());
    }
    if (host_) {
        const std::vector<Control*> hosted = host_->HostedChildren();
        children.insert(children.end(), hosted.begin(), hosted.end());
    }
    return children;
}

uint8_t Control::TakenFromParent() const
{
    return (parentColor_ ? kColor : 0) | (parentFont_ ? kFont : 0) | (parentCtl3D_ ? kCtl3D : 0);
}

void Control::HostParentChanged()
{
    InheritedChanged(TakenFromParent());
}

void Control::InheritedChanged(uint8_t changed)
{
    if (changed & kColor)
        ColorChanged();
    if (changed & kFont)
        FontChanged();
    if (changed & kCtl3D)
        Ctl3DChanged();
    TellChildren(changed);
}

void Control::TellChildren(uint8_t changed)
{
    for (Control* child : Children())
        if (const uint8_t taken = changed & child->TakenFromParent())
            child->InheritedChanged(taken);
}

// ---- Hints ----

bool Control::ShowHint() const
{
    const Control* parent = parentShowHint_ ? ParentControl() : nullptr;
    return parent ? parent->ShowHint() : showHint_;
}

void Control::SetShowHint(bool showHint)
{
    showHint_ = showHint;
    parentShowHint_ = false;
}

void Control::SetParentShowHint(bool parentShowHint)
{
    parentShowHint_ = parentShowHint;
}

void Control::EndHints()
{
    hintState_.InputArrived();
    for (Control* child : Children())
        child->EndHints();
}

// ---- Size limits ----

void Control::SetConstraints(const TSizeConstraints& constraints)
{
    TSizeConstraints limits{std::max(constraints.MinWidth, 0), std::max(constraints.MinHeight, 0),
                            std::max(constraints.MaxWidth, 0), std::max(constraints.MaxHeight, 0)};
    if (limits.MaxWidth > 0)
        limits.MaxWidth = std::max(limits.MaxWidth, limits.MinWidth);
    if (limits.MaxHeight > 0)
        limits.MaxHeight = std::max(limits.MaxHeight, limits.MinHeight);
    if (limits == constraints_)
        return;
    constraints_ = limits;
    if (host_)
        host_->ApplyConstraints(constraints_);
    SetBounds(Left(), Top(), Width(), Height()); // the size in use keeps within them too
}

bool Control::CanResize(int32_t& newWidth, int32_t& newHeight)
{
    bool resize = true;
    if (OnCanResize)
        OnCanResize(this, newWidth, newHeight, resize);
    return resize;
}

bool Control::CheckNewSize(int32_t& width, int32_t& height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if ((width != Width() || height != Height()) && !CanResize(width, height))
        return false;
    const auto limit = [](int32_t size, int32_t least, int32_t most) {
        size = std::max(size, least);
        return most > 0 ? std::min(size, most) : size;
    };
    width = limit(width, constraints_.MinWidth, constraints_.MaxWidth);
    height = limit(height, constraints_.MinHeight, constraints_.MaxHeight);
    return true;
}

bool Control::CanAutoSize(int32_t& newWidth, int32_t& newHeight)
{
    // Children that move or stretch with the control would chase its size.
    bool any = false;
    int32_t right = 0, bottom = 0;
    for (const Control* child : Children()) {
        if (!child->Visible() || child->Align() != alNone || child->Anchors() != (akLeft | akTop))
            continue;
        any = true;
        right = std::max(right, child->BoundsRect().Right);
        bottom = std::max(bottom, child->BoundsRect().Bottom);
    }
    if (!any)
        return false;
    newWidth = right;
    newHeight = bottom;
    return true;
}

// ---- Tab order ----

std::vector<Control*> Control::InTabOrder(std::vector<Control*> controls)
{
    std::stable_sort(controls.begin(), controls.end(), [](const Control* a, const Control* b) {
        const auto place = [](const Control* c) { return c->tabOrder_ < 0 ? INT_MAX : c->tabOrder_; };
        return place(a) < place(b);
    });
    return controls;
}

int32_t Control::TabOrder() const
{
    const std::vector<Control*> siblings = InTabOrder(host_ ? host_->Siblings() : std::vector<Control*>{});
    const auto at = std::find(siblings.begin(), siblings.end(), this);
    return at == siblings.end() ? tabOrder_ : int32_t(at - siblings.begin());
}

void Control::SetTabOrder(int32_t tabOrder)
{
    std::vector<Control*> siblings = InTabOrder(host_ ? host_->Siblings() : std::vector<Control*>{});
    if (std::erase(siblings, this) == 0) {
        tabOrder_ = tabOrder; // kept for when the control is placed
        return;
    }
    const size_t at = tabOrder < 0 ? siblings.size() : std::min(size_t(tabOrder), siblings.size());
    siblings.insert(siblings.begin() + ptrdiff_t(at), this);
    for (size_t i = 0; i < siblings.size(); ++i)
        siblings[i]->tabOrder_ = int32_t(i);
    host_->ApplyTabOrder();
}

std::vector<Control*> Control::TabStops() const
{
    std::vector<Control*> stops;
    if (tabStop_ && CanFocus())
        stops.push_back(const_cast<Control*>(this));
    std::vector<Control*> children;
    for (const ChildControls* set : childSets_)
        for (Control* child : set->Children())
            if (child->TabStop() && child->CanFocus())
                children.push_back(child);
    children = InTabOrder(std::move(children));
    stops.insert(stops.end(), children.begin(), children.end());
    return stops;
}

bool Control::TakesTabFocus() const
{
    return !TabStops().empty();
}

void Control::FocusTabStop(Control* stop)
{
    for (ChildControls* set : childSets_) {
        const std::vector<Control*> ofSet = set->Children();
        if (std::find(ofSet.begin(), ofSet.end(), stop) == ofSet.end())
            set->FocusChild(nullptr); // the keys come back to the control itself
    }
    if (stop == this)
        SetFocus();
    else
        stop->SetFocus();
}

bool Control::FocusNextChild(bool forward)
{
    const std::vector<Control*> stops = TabStops();
    Control* current = this;
    for (const ChildControls* set : childSets_)
        if (set->FocusedChild())
            current = set->FocusedChild();
    const auto at = std::find(stops.begin(), stops.end(), current);
    ptrdiff_t next;
    if (at != stops.end())
        next = (at - stops.begin()) + (forward ? 1 : -1);
    else if (forward)
        next = 0; // the control itself has the focus without being a stop
    else
        return false;
    if (next < 0 || next >= ptrdiff_t(stops.size()))
        return false;
    FocusTabStop(stops[size_t(next)]);
    return true;
}

void Control::EnterByTab(bool forward)
{
    const std::vector<Control*> stops = TabStops();
    if (!stops.empty())
        FocusTabStop(forward ? stops.front() : stops.back());
}

// ---- Context menu ----

bool Control::HostContextPopup(Point mousePos)
{
    bool handled = false;
    ContextPopup(mousePos, handled);
    if (handled)
        return true;
    Control* parent = ParentControl();
    if (!parent)
        return false;
    return parent->HostContextPopup(mousePos == kKeyboardPopup ? mousePos
                                                                : Point{mousePos.X + Left(), mousePos.Y + Top()});
}

void Control::ContextPopup(Point mousePos, bool& handled)
{
    if (OnContextPopup)
        OnContextPopup(this, mousePos, handled);
    if (handled || !popupMenu_)
        return;
    const Point at = ClientToScreen(mousePos == kKeyboardPopup ? Point{0, 0} : mousePos);
    popupMenu_->Popup(at.X, at.Y);
    handled = true;
}

} // namespace platform

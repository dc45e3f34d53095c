#include "platform/ControlLayout.h"

#include "platform/Control.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {
namespace {

// One direction of an anchored control: its edges lo..hi were placed when the parent's
// extent was `before`; the parent's extent is now `now`.
void Anchor(bool nearEdge, bool farEdge, int32_t before, int32_t now, int32_t& lo, int32_t& hi)
{
    const int32_t grown = now - before;
    if (nearEdge && farEdge) {
        hi += grown; // stretches with the parent
    } else if (farEdge) {
        lo += grown;
        hi += grown;
    } else if (!nearEdge && before > 0) {
        // The centre keeps its proportion of the parent's extent, rounded to the nearest.
        const int32_t size = hi - lo;
        const int32_t centre = lo + size / 2;
        lo = int32_t(std::lround(double(centre) * now / before)) - size / 2;
        hi = lo + size;
    }
}

// The order in which controls of one alignment are stacked from their edge: the one
// nearest the edge first.
int32_t DistanceFromEdge(const Control& control, TAlign align)
{
    switch (align) {
    case alTop: return control.Top();
    case alBottom: return -control.BoundsRect().Bottom;
    case alLeft: return control.Left();
    case alRight: return -control.BoundsRect().Right;
    default: return 0;
    }
}

} // namespace

void AlignControls(std::span<Control* const> children, const Rect& client, const Rect& previousClient,
                   const Control* changed)
{
    Rect rest = client;
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<Control*> group;
        for (Control* child : children)
            if (child->Align() == align && child->Visible())
                group.push_back(child);
        std::stable_sort(group.begin(), group.end(), [align, changed](const Control* a, const Control* b) {
            return std::pair(DistanceFromEdge(*a, align), a != changed) <
                   std::pair(DistanceFromEdge(*b, align), b != changed);
        });
        for (Control* child : group) {
            Rect place = rest;
            switch (align) {
            case alTop: rest.Top = place.Bottom = place.Top + child->Height(); break;
            case alBottom: rest.Bottom = place.Top = place.Bottom - child->Height(); break;
            case alLeft: rest.Left = place.Right = place.Left + child->Width(); break;
            case alRight: rest.Right = place.Left = place.Right - child->Width(); break;
            default: break;
            }
            child->SetAlignedBounds(place);
        }
    }
    for (Control* child : children) {
        if (child->Align() != alNone || child->Anchors() == (akLeft | akTop))
            continue;
        if (!child->anchorKnown_) {
            child->anchorOrigin_ = child->BoundsRect();
            child->anchorParent_ = previousClient;
            child->anchorKnown_ = true;
        }
        const TAnchors anchors = child->Anchors();
        Rect place = child->anchorOrigin_;
        const Rect& before = child->anchorParent_;
        Anchor(anchors & akLeft, anchors & akRight, before.Width(), client.Width(), place.Left, place.Right);
        Anchor(anchors & akTop, anchors & akBottom, before.Height(), client.Height(), place.Top, place.Bottom);
        child->SetAlignedBounds(place);
    }
}

} // namespace platform

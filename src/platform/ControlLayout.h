#pragma once
// How a control sits in its parent, how it takes part in dragging, and which way its text
// reads: the value types of the control base's alignment, anchors, size limits, drag and
// reading-order properties, and the layout of a parent's aligned children.
#include "platform/Geometry.h"

#include <cstdint>
#include <span>

// Where a control keeps itself in its parent's client area when the parent is sized.
enum TAlign : uint8_t { alNone = 0, alTop = 1, alBottom = 2, alLeft = 3, alRight = 4, alClient = 5, alCustom = 6 };

// The edges of the parent a control keeps its distance to: a set of bits. A control
// anchored to both edges of a direction stretches with the parent; to neither, its centre
// keeps its proportion of the parent's extent, and its size stays.
using TAnchors = uint8_t;
constexpr TAnchors akLeft = 1u << 0;
constexpr TAnchors akTop = 1u << 1;
constexpr TAnchors akRight = 1u << 2;
constexpr TAnchors akBottom = 1u << 3;

// Automatic: a left press on the control starts a drag of it once the mouse moves.
enum TDragMode : uint8_t { dmManual = 0, dmAutomatic = 1 };
// A drag moves something onto another control; a dock drag moves the control itself.
enum TDragKind : uint8_t { dkDrag = 0, dkDock = 1 };
enum TDragOverState : uint8_t { dsDragEnter = 0, dsDragLeave = 1, dsDragMove = 2 };

// Reading order: every mode but left-to-right reads right to left; bdRightToLeft also
// lays the control out from its right edge.
enum TBiDiMode : uint8_t {
    bdLeftToRight = 0,
    bdRightToLeft = 1,
    bdRightToLeftNoAlign = 2,
    bdRightToLeftReadingOnly = 3
};

// The smallest and largest width and height a control may take; 0 sets no bound.
struct TSizeConstraints {
    int32_t MinWidth = 0;
    int32_t MinHeight = 0;
    int32_t MaxWidth = 0;
    int32_t MaxHeight = 0;

    friend bool operator==(const TSizeConstraints&, const TSizeConstraints&) = default;
};

namespace platform {

class Control;

// Lays out `children` (in their order, later ones above earlier ones) in `client`, the
// parent's client area now; `previousClient` is the area they were placed in before.
// Top and bottom bars first, then left and right ones in what is left, then the
// client-aligned controls take the rest; a control aligned none keeps the distances its
// anchors name from where it was placed; custom-aligned controls are left alone. Hidden
// controls take no room. Bars of one edge stack by their distance from it; of two at
// the same distance, `changed` (the control whose move, size, alignment or showing asks
// for the layout, if any) goes nearer the edge, others keep the children's order.
void AlignControls(std::span<Control* const> children, const Rect& client, const Rect& previousClient,
                   const Control* changed = nullptr);

} // namespace platform

#pragma once
// Drawing pieces of the owner-drawn bars and of the image view's corner: bevels, open
// frames, the checkered track, arrows and the size grip, all on a platform canvas.
// Colours are canvas colours 0x00RRGGBB.
#include "components/RangeBars32.h"
#include "graphics/SystemColorNames.h"
#include "platform/Canvas.h"

namespace barpaint {

using platform::CanvasColor;
using platform::Rect;

// N added to each of red, green and blue, limited to 0..255.
CanvasColor Lighten(CanvasColor Color, int32_t N);
// (A x W + B x (255 - W)) shr 8 per channel, W in 0..255.
CanvasColor Blend(CanvasColor A, CanvasColor B, int32_t W);

// A one-pixel bevel just inside R: TopLeft on the top and left sides, BottomRight on the others.
void Bevel(platform::Canvas& Canvas, const Rect& R, CanvasColor TopLeft, CanvasColor BottomRight);
Rect Inset(const Rect& R, int32_t By);
// The two-pixel raised edge of a classic button, filled with the face colour.
void RaisedFace(platform::Canvas& Canvas, const Rect& R);
// A one-pixel frame on every side of R but the one facing the track: the right (bottom)
// side of an item pointing drLeft (drUp), the left (top) side of one pointing drRight
// (drDown). Returns what is left inside.
Rect OpenFrame(platform::Canvas& Canvas, const Rect& R, TRBDirection Direction, CanvasColor Color);
// The pixel checkerboard of A and B, A where x + y is even.
void FillChecker(platform::Canvas& Canvas, const Rect& R, CanvasColor A, CanvasColor B);
// A filled triangle pointing in Direction, centred in R, moved by (Dx, Dy).
void FillArrow(platform::Canvas& Canvas, const Rect& R, TRBDirection Direction, CanvasColor Color, int32_t Dx = 0,
               int32_t Dy = 0);
// The classic size grip: the button face with three diagonal ridges in the corner.
void SizeGrip(platform::Canvas& Canvas, const Rect& R);

} // namespace barpaint

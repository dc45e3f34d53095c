#pragma once
// The 3-D frames the edit controls and their buttons draw, in the system colours.
#include "inspector/BorderStyle.h"
#include "platform/Canvas.h"

// A one-pixel frame just inside Rect: TopLeft along the top and left edges, BottomRight
// along the bottom and right; Rect then shrinks by one pixel on every side.
void Frame3D(platform::Canvas& Canvas, platform::Rect& Rect, platform::CanvasColor TopLeft,
             platform::CanvasColor BottomRight);

// A panel's bevel: none, a one-pixel edge sunken or raised, or one pixel of the face colour.
enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
// Draws the bevel just inside Rect, which then shrinks by its width (0 or 1).
void DrawBevel(platform::Canvas& Canvas, platform::Rect& Rect, TBevelCut Cut, platform::CanvasColor Face);

// The system push-button frame (two pixels: raised, or sunken when Pushed) with the face
// filled in clBtnFace; Rect shrinks to the face inside the frame.
void DrawPushButtonFrame(platform::Canvas& Canvas, platform::Rect& Rect, bool Pushed);

// The one-pixel edge of a flat button: raised (highlight over shadow) or sunken.
void DrawFlatEdge(platform::Canvas& Canvas, const platform::Rect& Rect, bool Sunken);

// The two-pixel sunken border of an edit box; Rect shrinks to the inside.
void DrawSunkenBorder(platform::Canvas& Canvas, platform::Rect& Rect);

// The width of a window border: 0 without one, 1 for a single line, 2 for a single
// border drawn as the sunken 3-D edge (Ctl3D).
int32_t WindowBorderWidth(TBorderStyle Style, bool Ctl3D);
// Draws that border just inside Bounds: a line in the window frame colour, or the sunken
// edge of DrawSunkenBorder.
void PaintWindowBorder(platform::Canvas& Canvas, const platform::Rect& Bounds, TBorderStyle Style, bool Ctl3D);

// Rect filled with a checkerboard of two colours, as a pressed toggle button shows it.
void FillDithered(platform::Canvas& Canvas, const platform::Rect& Rect, platform::CanvasColor Even,
                  platform::CanvasColor Odd);

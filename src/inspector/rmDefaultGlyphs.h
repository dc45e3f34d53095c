#pragma once
// The glyphs the edit controls' buttons show when they are given none: drawn black on
// white and recoloured to the button colours (black to clBtnText, the rest clBtnFace,
// which the button shows as see-through).
#include "graphics/Bitmap32.h"

// A small triangle pointing up (7 x 4).
void LoadSpinUpGlyph(TBitmap32& Glyph);
// A small triangle pointing down (7 x 4).
void LoadSpinDownGlyph(TBitmap32& Glyph);
// Three dots (8 x 3).
void LoadEllipsisGlyph(TBitmap32& Glyph);

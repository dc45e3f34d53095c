#pragma once
// Colour arithmetic, glyph recolouring, grey text, gradient fills and image rotation.
// Colours are platform colours (0x00BBGGRR, or a system colour name); system colours are
// resolved before any arithmetic. Fills and rotation work on 32-bit bitmaps and leave
// their pixels opaque.
#include "graphics/Bitmap32.h"
#include "graphics/Color32.h"
#include "graphics/Geometry32.h"
#include "platform/Canvas.h"

#include <cstdint>
#include <string_view>
#include <vector>

enum TGradientFill : uint8_t { gfLinear = 0, gfRectangle = 1, gfRoundRect = 2, gfOval = 3, gfRadial = 4 };

// Every pixel whose red, green and blue are all 0 becomes TextColor, every other pixel
// FaceColor; the glyphs are drawn black on white and shown in the button colours.
void ReplaceColors(TBitmap32& Bitmap, TColor FaceColor, TColor TextColor);

// Text as a disabled control shows it: once offset by (1, 1) in the button highlight
// colour, then in place in the button shadow colour. With dt::CalcRect it only measures.
// Either way Rect grows by one pixel to the right and down.
void DrawGrayText(platform::Canvas& Canvas, std::string_view Text, platform::Rect& Rect, uint32_t Flags,
                  const platform::FontSpec& Font);

// Each of red, green and blue divided / multiplied by (Percent / 100 + 1), to the nearest
// integer. Raises ERangeError when a channel would leave 0..255.
TColor DarkenColor(TColor Color, int32_t Percent);
TColor LightenColor(TColor Color, int32_t Percent);

// Count colours from From to To: entry i = From + (To - From) * i / (Count - 1) per channel.
std::vector<TColor> CreateColorArray(TColor From, TColor To, int32_t Count);

// Rect as vertical bands, one per colour, band i ending at left + width * (i + 1) / count.
void GradientFillColors(TBitmap32& Bitmap, const std::vector<TColor>& Colors, const TRect& Rect);

// Rect filled from From to To: left to right in 255 bands (gfLinear); in nested one-pixel
// outlines from the edge inward (gfRectangle, gfRoundRect with 30 x 30 corners, gfOval);
// or in 360 wedges of the inscribed ellipse rising to To and back (gfRadial).
void GradientFill(TBitmap32& Bitmap, TColor From, TColor To, const TRect& Rect, TGradientFill Style);

// Dest becomes Source turned by Angle degrees about its centre, the same size; places
// that fall outside Source are silver. Dest may be Source.
void RotateImage(TBitmap32& Dest, const TBitmap32& Source, double Angle);

// Text turned anticlockwise by Angle degrees (any angle) about the middle of its base
// line, which lies at Rect's top-left corner plus half the text's diagonal (the
// RectDiameter of its extent in Font) across and down, so the text stays inside that
// square at every angle.
void RotateText(platform::Canvas& Canvas, std::string_view Text, const platform::Rect& Rect, double Angle,
                const platform::FontSpec& Font);

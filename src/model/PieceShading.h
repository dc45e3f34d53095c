#pragma once
// Small bitmap utilities that turn a piece's mask into its picture and make
// pictures blink: filling and recolouring the pixels of a shape, lightening and
// darkening colours, and the three-dimensional bevel.
//
// A pixel belongs to the shape when its 32-bit value is not 0. None of these
// functions ever writes 0 onto a shape pixel (a colour that would become 0
// leaves the pixel as it was), so piece membership survives any shading.
// Reads outside a bitmap give 0 and writes there are ignored.
#include <cstdint>

#include "graphics/Bitmap32.h"

// Every shape pixel becomes `color` (a 0 colour changes nothing). Returns how
// many pixels were painted; 0 for a null bitmap.
int FillNonZeroPixels(TBitmap32* bitmap, TColor32 color);
// FillNonZeroPixels, then Bevel.
int FillNonZeroPixelsBevel(TBitmap32* bitmap, TColor32 color);

// Every pixel exactly equal to `from` becomes `to`.
void ReplaceColor(TBitmap32& bitmap, TColor32 from, TColor32 to);

// Red, green and blue each move by percent · 128 / 100 (truncated), limited to
// 0..255; alpha is kept.
TColor32 AdjustColor(TColor32 color, int percent);
inline TColor32 Lighter(TColor32 color) { return AdjustColor(color, 40); } // +51
inline TColor32 Darker(TColor32 color) { return AdjustColor(color, -40); } // -51

// Every shape pixel becomes its Lighter or Darker colour (the blinking of a piece).
void LightenPixels(TBitmap32& bitmap);
void DarkenPixels(TBitmap32& bitmap);

TRect RectFromWords(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom);

// Edge pixels become two steps lighter on the shape's upper and left sides and
// two steps darker on its lower and right sides, with a one-step band inside.
void Bevel(TBitmap32& bitmap);
// The target pixel (x, y) takes `color` when the source pixel (x, y) is set.
void SetPixelIfSet(const TBitmap32& source, TBitmap32& target, int x, int y, TColor32 color);
// One visited position of the bevel: the light and the dark writes it causes.
void BevelLightPixel(const TBitmap32& source, TBitmap32& light, int x, int y);
void BevelDarkPixel(const TBitmap32& source, TBitmap32& dark, int x, int y);

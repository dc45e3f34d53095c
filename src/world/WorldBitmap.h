#pragma once
// Size changes of the world picture and of piece masks.
#include "graphics/Bitmap32.h"

// Stretches the bitmap to `width` × `height` with the nearest-neighbour filter,
// replacing every pixel (opaque combining). Returns 1.
int ResizeBitmap(TBitmap32& bitmap, int width, int height);
// Replaces the bitmap by its part from (left, top) to (right, bottom),
// inclusive. The rectangle must lie inside the bitmap.
void CropBitmap(TBitmap32& bitmap, int left, int top, int right, int bottom);

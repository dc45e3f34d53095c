#pragma once
// Generated world images for the import benchmark: about 100 warped provinces
// of random colours with ragged borders on a 10 × 10 grid of centres, a sea
// border, inland seas and patches of green land among the centres, and 500
// specks of 1 to 100 pixels, a third of them in a province colour.
#include <cstdint>

#include "graphics/Bitmap32.h"

void GenerateWorld(int side, uint32_t seed, TBitmap32& image);

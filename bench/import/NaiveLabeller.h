#pragma once
// The textbook two-pass connected-component labeller over the 32-bit pixel
// values, 4-connected, pixels of 0 unlabelled: the baseline that the run-based
// labeller is measured against.
#include <cstdint>
#include <vector>

#include "graphics/Bitmap32.h"

// Labels every pixel (0 for none, regions from 1) and returns the region count.
int LabelPixelByPixel(const TBitmap32& image, std::vector<int32_t>& labels);

#pragma once
// The mission's preview ("Preview.img"): the preview source of the world
// (world/WorldCodes.h) shrunk to at most 96 x 96 pixels.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "world/WorldCodes.h"

constexpr int kPreviewSide = 96;

// Shrinks `source` (width x height bytes, row-major) to outWidth x outHeight
// (each at least 1 and at most the source's). Output pixel (x, y) stands for the
// source cell of columns x * width / outWidth up to (x + 1) * width / outWidth
// (exclusive) and the rows worked out the same way. It takes the cell's
// top-left value, unless more than a quarter (rounded down) of the cell's
// pixels are province borders, when it is a border itself: thin borders stay
// visible at the small size.
std::vector<uint8_t> ShrinkPreview(std::span<const uint8_t> source, int width, int height, int outWidth,
                                   int outHeight);
// The same for the preview source of `codes`, worked out from the codes.
std::vector<uint8_t> ShrinkPreview(const CWorldCodes& codes, int outWidth, int outHeight);

// Writes the preview of at most wmax x hmax pixels (both at least 1).
bool WritePreview(const CWorldCodes& codes, const std::filesystem::path& file, int wmax, int hmax,
                  std::string& error);

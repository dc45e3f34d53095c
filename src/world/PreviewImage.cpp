#include "world/PreviewImage.h"

#include <algorithm>
#include <cassert>

#include "world/PictureFile.h"

namespace {

// The cell rule of ShrinkPreview over any preview source: topLeft(x, y) gives a
// source value, addBorders(y0, y1, counts) adds each source column's border
// pixels in rows y0 .. y1 - 1 to counts[x].
template <class TopLeft, class AddBorders>
std::vector<uint8_t> ShrinkCells(int width, int height, int outWidth, int outHeight, TopLeft topLeft,
                                 AddBorders addBorders)
{
    assert(outWidth >= 1 && outWidth <= width && outHeight >= 1 && outHeight <= height);
    std::vector<uint8_t> out(size_t(outWidth) * size_t(outHeight));
    // Where each output column's cell starts; cellX[outWidth] = width.
    std::vector<int> cellX(size_t(outWidth) + 1);
    for (int x = 0; x <= outWidth; ++x)
        cellX[size_t(x)] = int(int64_t(x) * width / outWidth);
    // Border pixels per source column within the current band of rows, so that
    // the counting runs along whole rows.
    std::vector<uint16_t> columnBorders(static_cast<size_t>(width));
    for (int y = 0; y < outHeight; ++y) {
        const int y0 = int(int64_t(y) * height / outHeight), y1 = int(int64_t(y + 1) * height / outHeight);
        std::fill(columnBorders.begin(), columnBorders.end(), 0);
        addBorders(y0, y1, columnBorders.data());
        for (int x = 0; x < outWidth; ++x) {
            const int x0 = cellX[size_t(x)], x1 = cellX[size_t(x) + 1];
            uint32_t border = 0;
            for (int sx = x0; sx < x1; ++sx)
                border += columnBorders[size_t(sx)];
            const uint32_t total = uint32_t(x1 - x0) * uint32_t(y1 - y0);
            out[size_t(y) * size_t(outWidth) + size_t(x)] =
                border != 0 && border > total / 4 ? CWorldCodes::kPreviewBorder : topLeft(x0, y0);
        }
    }
    return out;
}

} // namespace

std::vector<uint8_t> ShrinkPreview(std::span<const uint8_t> source, int width, int height, int outWidth,
                                   int outHeight)
{
    assert(source.size() == size_t(width) * size_t(height) && height <= UINT16_MAX);
    const auto row = [&](int y) { return source.data() + size_t(y) * size_t(width); };
    return ShrinkCells(
        width, height, outWidth, outHeight, [&](int x, int y) { return row(y)[x]; },
        [&](int y0, int y1, uint16_t* counts) {
            for (int y = y0; y < y1; ++y)
                for (int x = 0; x < width; ++x)
                    counts[x] = uint16_t(counts[x] + (row(y)[x] == CWorldCodes::kPreviewBorder));
        });
}

std::vector<uint8_t> ShrinkPreview(const CWorldCodes& codes, int outWidth, int outHeight)
{
    return ShrinkCells(
        codes.Width(), codes.Height(), outWidth, outHeight, [&](int x, int y) { return codes.PreviewValue(x, y); },
        [&](int y0, int y1, uint16_t* counts) { codes.AddBorders(y0, y1, counts); });
}

bool WritePreview(const CWorldCodes& codes, const std::filesystem::path& file, int wmax, int hmax,
                  std::string& error)
{
    if (wmax < 1 || hmax < 1) {
        error = "The preview must be at least 1 x 1 pixels, not " + std::to_string(wmax) + " x " + std::to_string(hmax);
        return false;
    }
    const int width = std::min(codes.Width(), wmax), height = std::min(codes.Height(), hmax);
    const std::vector<uint8_t> pixels = ShrinkPreview(codes, width, height);
    return WritePictureFile(file, uint32_t(width), uint32_t(height), pixels.data(), error);
}

bool CMapProject::ExportPreview(const std::filesystem::path& path, int wmax, int hmax, std::string& error)
{
    CWorldCodes codes;
    return codes.Build(*this, error) && WritePreview(codes, path, wmax, hmax, error);
}

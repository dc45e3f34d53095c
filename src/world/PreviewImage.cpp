#include "world/PreviewImage.h"

#include <algorithm>
#include <cassert>

#include "world/PictureFile.h"

std::vector<uint8_t> ShrinkPreview(std::span<const uint8_t> source, int width, int height, int outWidth,
                                   int outHeight)
{
    assert(outWidth >= 1 && outWidth <= width && outHeight >= 1 && outHeight <= height);
    assert(source.size() == size_t(width) * size_t(height));
    std::vector<uint8_t> out(size_t(outWidth) * size_t(outHeight));
    // Where each output column's cell starts; cellX[outWidth] = width.
    std::vector<int> cellX(size_t(outWidth) + 1);
    for (int x = 0; x <= outWidth; ++x)
        cellX[size_t(x)] = int(int64_t(x) * width / outWidth);
    // Border pixels per source column within the current band of rows, so that
    // the counting runs along whole rows.
    std::vector<uint32_t> columnBorders(static_cast<size_t>(width));
    for (int y = 0; y < outHeight; ++y) {
        const int y0 = int(int64_t(y) * height / outHeight), y1 = int(int64_t(y + 1) * height / outHeight);
        std::fill(columnBorders.begin(), columnBorders.end(), 0);
        uint32_t* counts = columnBorders.data();
        for (int sy = y0; sy < y1; ++sy) {
            const uint8_t* row = source.data() + size_t(sy) * size_t(width);
            for (int x = 0; x < width; ++x)
                counts[x] += row[x] == CWorldCodes::kPreviewBorder;
        }
        const uint8_t* top = source.data() + size_t(y0) * size_t(width);
        for (int x = 0; x < outWidth; ++x) {
            const int x0 = cellX[size_t(x)], x1 = cellX[size_t(x) + 1];
            uint32_t border = 0;
            for (int sx = x0; sx < x1; ++sx)
                border += counts[sx];
            const uint32_t total = uint32_t(x1 - x0) * uint32_t(y1 - y0);
            out[size_t(y) * size_t(outWidth) + size_t(x)] =
                border != 0 && border > total / 4 ? CWorldCodes::kPreviewBorder : top[x0];
        }
    }
    return out;
}

bool WritePreview(const CWorldCodes& codes, const std::filesystem::path& file, int wmax, int hmax,
                  std::string& error)
{
    if (wmax < 1 || hmax < 1) {
        error = "The preview must be at least 1 x 1 pixels, not " + std::to_string(wmax) + " x " + std::to_string(hmax);
        return false;
    }
    const int width = std::min(codes.Width(), wmax), height = std::min(codes.Height(), hmax);
    const std::vector<uint8_t> pixels =
        ShrinkPreview(codes.PreviewSource(), codes.Width(), codes.Height(), width, height);
    return WritePictureFile(file, uint32_t(width), uint32_t(height), pixels.data(), error);
}

bool CMapProject::ExportPreview(const std::filesystem::path& path, int wmax, int hmax, std::string& error)
{
    CWorldCodes codes;
    return codes.Build(*this, error) && WritePreview(codes, path, wmax, hmax, error);
}

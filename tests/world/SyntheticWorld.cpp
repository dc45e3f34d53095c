#include "SyntheticWorld.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace test {

void AddLabelledPieces(CMapProject& project, int width, int height, const std::function<int(int, int)>& label,
                       const std::vector<uint32_t>& kinds)
{
    project.SetMapSize(uint16_t(width), uint16_t(height));
    const size_t count = kinds.size();
    std::vector<int> labels(size_t(width) * size_t(height));
    std::vector<int> left(count, INT_MAX), top(count, INT_MAX), right(count, -1), bottom(count, -1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int l = label(x, y);
            labels[size_t(y) * size_t(width) + size_t(x)] = l;
            if (l < 0)
                continue;
            left[size_t(l)] = std::min(left[size_t(l)], x);
            right[size_t(l)] = std::max(right[size_t(l)], x);
            top[size_t(l)] = std::min(top[size_t(l)], y);
            bottom[size_t(l)] = std::max(bottom[size_t(l)], y);
        }
    }
    const int first = project.GetPieces().GetCount();
    for (size_t l = 0; l < count; ++l) {
        auto piece = std::make_unique<CProvinceMap>(project);
        piece->kind = kinds[l];
        if (right[l] >= 0) {
            piece->left = int16_t(left[l]);
            piece->top = int16_t(top[l]);
            piece->right = int16_t(right[l]);
            piece->bottom = int16_t(bottom[l]);
            piece->mask.SetSize(right[l] - left[l] + 1, bottom[l] - top[l] + 1);
            piece->mask.Clear(0);
        }
        project.GetPieces().Add(std::move(piece));
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int l = labels[size_t(y) * size_t(width) + size_t(x)];
            if (l < 0)
                continue;
            CProvinceMap& piece = *project.GetPieces().GetAt(first + l);
            piece.mask.SetPixel(x - piece.left, y - piece.top, 0xFF0000CC);
            ++piece.pixelCount;
        }
    }
    project.ReassignMapIndexes();
}

void AddProvincesForPieces(CMapProject& project)
{
    for (int i = 0; i < project.GetPieces().GetCount(); ++i) {
        if (!project.GetPieces().GetAt(i)->IsProvince())
            continue;
        auto province = std::make_unique<CProvince>(project);
        province->pieceIndex = i;
        project.GetProvinces().Add(std::move(province));
    }
}

} // namespace test

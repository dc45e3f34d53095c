#include "SyntheticWorld.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace test {

void AddLabelledPieces(CMapProject& project, int width, int height, const std::function<int(int, int)>& label,
                       const std::vector<uint32_t>& kinds)
{
    project.SetMapSize(uint16_t(width), uint16_t(height));
    std::vector<int> labels(size_t(width) * size_t(height));
    std::vector<TRect> bounds(kinds.size(), TRect{INT_MAX, INT_MAX, -1, -1}); // inclusive
    for (int y = 0, i = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++i)
            if (const int l = labels[size_t(i)] = label(x, y); l >= 0) {
                TRect& box = bounds[size_t(l)];
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y)};
            }
    const int first = project.GetPieces().GetCount();
    for (size_t l = 0; l < kinds.size(); ++l) {
        auto piece = std::make_unique<CProvinceMap>(project);
        piece->kind = kinds[l];
        if (const TRect& box = bounds[l]; box.Right >= 0) {
            piece->left = int16_t(box.Left), piece->top = int16_t(box.Top);
            piece->right = int16_t(box.Right), piece->bottom = int16_t(box.Bottom);
            piece->mask.SetSize(box.Right - box.Left + 1, box.Bottom - box.Top + 1);
            piece->mask.Clear(0);
        }
        project.GetPieces().Add(std::move(piece));
    }
    for (int y = 0, i = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++i)
            if (const int l = labels[size_t(i)]; l >= 0) {
                CProvinceMap& piece = *project.GetPieces().GetAt(first + l);
                piece.mask.SetPixel(x - piece.left, y - piece.top, 0xFF0000CC);
                ++piece.pixelCount;
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

#include "NaiveLabeller.h"

#include <algorithm>
#include <cstddef>

namespace {

int32_t Find(std::vector<int32_t>& parent, int32_t label)
{
    while (parent[size_t(label)] != label) {
        parent[size_t(label)] = parent[size_t(parent[size_t(label)])];
        label = parent[size_t(label)];
    }
    return label;
}

} // namespace

int LabelPixelByPixel(const TBitmap32& image, std::vector<int32_t>& labels)
{
    const int width = image.Width(), height = image.Height();
    labels.assign(size_t(width) * size_t(height), 0);
    std::vector<int32_t> parent{0};
    // First pass: a provisional label per pixel from its left and upper
    // neighbours, recording where the two differ.
    for (int y = 0; y < height; ++y) {
        const TColor32* row = image.ScanLine(y);
        const TColor32* above = y ? image.ScanLine(y - 1) : nullptr;
        int32_t* label = labels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            if (!row[x])
                continue;
            const int32_t left = x && row[x - 1] == row[x] ? label[x - 1] : 0;
            const int32_t up = above && above[x] == row[x] ? label[x - ptrdiff_t(width)] : 0;
            if (!left && !up) {
                label[x] = int32_t(parent.size());
                parent.push_back(label[x]);
            } else if (left && up) {
                const int32_t a = Find(parent, left), b = Find(parent, up);
                label[x] = std::min(a, b);
                parent[size_t(std::max(a, b))] = std::min(a, b);
            } else {
                label[x] = left ? left : up;
            }
        }
    }
    // Second pass: every pixel takes its set's final number.
    std::vector<int32_t> number(parent.size(), 0);
    int32_t regions = 0;
    for (size_t l = 1; l < parent.size(); ++l)
        number[l] = Find(parent, int32_t(l)) == int32_t(l) ? ++regions : number[size_t(Find(parent, int32_t(l)))];
    for (int32_t& label : labels)
        label = number[size_t(label)];
    return regions;
}

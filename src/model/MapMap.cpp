#include "model/MapMap.h"

#include <new>

bool CMapMap::SetSize(int width, int height)
{
    // A grid of the same cell count keeps its memory: the analysis rebuilds it
    // several times per import.
    if (width < 0 || height < 0 || size_t(width) * size_t(height) != cells_.size())
        Free();
    if (width < 0 || height < 0)
        return false;
    try {
        cells_.assign(size_t(width) * size_t(height), default_);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = width;
    height_ = height;
    return true;
}

void CMapMap::Free()
{
    cells_.clear();
    cells_.shrink_to_fit();
    width_ = height_ = 0;
}

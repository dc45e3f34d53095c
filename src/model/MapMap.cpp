#include "model/MapMap.h"

#include "platform/LargePages.h"

#include <algorithm>
#include <new>

bool CMapMap::SetSize(int width, int height)
{
    if (!Reshape(width, height))
        return false;
    std::fill_n(cells_.get(), cellCount_, default_);
    return true;
}

bool CMapMap::Reshape(int width, int height)
{
    // A grid of the same cell count keeps its memory: the analysis rebuilds it
    // several times per import.
    if (width < 0 || height < 0 || size_t(width) * size_t(height) != cellCount_)
        Free();
    if (width < 0 || height < 0)
        return false;
    if (!cells_ && size_t(width) * size_t(height) > 0) {
        cells_.reset(new (std::nothrow) uint32_t[size_t(width) * size_t(height)]);
        if (!cells_)
            return false;
        platform::AdviseLargePages(cells_.get(), size_t(width) * size_t(height) * sizeof(uint32_t));
        cellCount_ = size_t(width) * size_t(height);
    }
    width_ = width;
    height_ = height;
    return true;
}

void CMapMap::Free()
{
    cells_.reset();
    cellCount_ = 0;
    width_ = height_ = 0;
}

#include "model/MapMap.h"

#include "platform/LargePages.h"

#include <algorithm>
#include <new>

template <typename Cell>
bool CGrid<Cell>::SetSize(int width, int height)
{
    if (!Reshape(width, height))
        return false;
    std::fill_n(cells_.get(), cellCount_, default_);
    return true;
}

template <typename Cell>
bool CGrid<Cell>::Reshape(int width, int height)
{
    // A grid of the same cell count keeps its memory: the analysis rebuilds it
    // several times per import.
    if (width < 0 || height < 0 || size_t(width) * size_t(height) != cellCount_)
        Free();
    if (width < 0 || height < 0)
        return false;
    if (!cells_ && size_t(width) * size_t(height) > 0) {
        cells_.reset(new (std::nothrow) Cell[size_t(width) * size_t(height)]);
        if (!cells_)
            return false;
        platform::AdviseLargePages(cells_.get(), size_t(width) * size_t(height) * sizeof(Cell));
        cellCount_ = size_t(width) * size_t(height);
    }
    width_ = width;
    height_ = height;
    return true;
}

template <typename Cell>
void CGrid<Cell>::Free()
{
    cells_.reset();
    cellCount_ = 0;
    width_ = height_ = 0;
}

template class CGrid<uint32_t>;
template class CGrid<uint16_t>;

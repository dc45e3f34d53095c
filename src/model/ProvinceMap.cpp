#include "model/ProvinceMap.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/MapProject.h"

namespace {

// Copies every non-zero pixel of `from` into `to` at offset (dx, dy), clipped
// to `to`. Unlike a blended draw it keeps pixels whatever their alpha.
void CopyNonZeroPixels(const TBitmap32& from, TBitmap32& to, int dx, int dy)
{
    const int x0 = std::max(0, -dx), x1 = std::min(from.Width(), to.Width() - dx);
    const int y0 = std::max(0, -dy), y1 = std::min(from.Height(), to.Height() - dy);
    for (int y = y0; y < y1; ++y) {
        const TColor32* source = from.ScanLine(y);
        TColor32* target = to.ScanLine(y + dy) + dx;
        for (int x = x0; x < x1; ++x)
            if (source[x])
                target[x] = source[x];
    }
}

} // namespace

CProvinceMap::CProvinceMap(CMapProject& project) : project_(&project)
{
    mask.SetDrawMode(dmBlend);
}

int CProvinceMap::OwnIndex() const
{
    return project_->GetPieces().IndexOf(this);
}

CProvinceMap* CProvinceMap::PieceAt(uint16_t index) const
{
    return project_->GetPieces().GetAt(index);
}

bool CProvinceMap::IsBigEnough()
{
    constexpr int kMinSide = 4;
    constexpr uint32_t kMinPixels = 250;
    if (mask.Width() < kMinSide || mask.Height() < kMinSide)
        return false;
    uint32_t count = 0;
    TColor32* pixel = mask.Bits();
    TColor32* const end = pixel + size_t(mask.Width()) * size_t(mask.Height());
    for (; pixel != end; ++pixel)
        if (*pixel) {
            *pixel = clWhite32;
            ++count;
        }
    return count >= kMinPixels;
}

void CProvinceMap::AddNeighbour(uint16_t index)
{
    if (index == kNoIndex)
        return;
    CProvinceMap* piece = PieceAt(index);
    const int self = OwnIndex();
    if (!piece || piece == this || piece->IsEmpty() || self < 0)
        return;
    for (int i = 0; i < neighbours.GetSize(); ++i)
        if (neighbours[i] == index)
            return;
    if (neighbours.Append(&index, 1) < 0)
        return;
    piece->AddNeighbour(uint16_t(self));
}

void CProvinceMap::RemoveNeighbour(uint16_t index)
{
    for (int i = 0; i < neighbours.GetSize(); ++i) {
        if (neighbours[i] != index)
            continue;
        neighbours.RemoveAt(i);
        const int self = OwnIndex();
        if (CProvinceMap* piece = PieceAt(index); piece && self >= 0)
            piece->RemoveNeighbour(uint16_t(self));
        return;
    }
}

int CProvinceMap::Merge(CProvinceMap* other)
{
    if (!other || other == this || other->IsEmpty())
        return 0;
    const uint32_t self = uint32_t(OwnIndex());
    CMapMap& map = project_->GetMapMap();
    for (int y = 0; y < other->mask.Height(); ++y) {
        TColor32* row = other->mask.ScanLine(y);
        for (int x = 0; x < other->mask.Width(); ++x)
            if (row[x]) {
                row[x] = kMergedPixel;
                map.SetAt(other->left + x, other->top + y, self);
            }
    }

    const int16_t unitedLeft = std::min(left, other->left), unitedTop = std::min(top, other->top);
    const int16_t unitedRight = std::max(right, other->right), unitedBottom = std::max(bottom, other->bottom);
    TBitmap32 united;
    united.SetSize(unitedRight - unitedLeft + 1, unitedBottom - unitedTop + 1);
    CopyNonZeroPixels(other->mask, united, other->left - unitedLeft, other->top - unitedTop);
    CopyNonZeroPixels(mask, united, left - unitedLeft, top - unitedTop);

    other->pixelCount = 0;
    other->mask.Clear(0);

    left = unitedLeft;
    top = unitedTop;
    right = unitedRight;
    bottom = unitedBottom;
    mask.SetSize(united.Width(), united.Height());
    std::copy_n(united.Bits(), size_t(united.Width()) * size_t(united.Height()), mask.Bits());

    for (int i = 0; i < other->neighbours.GetSize(); ++i)
        AddNeighbour(other->neighbours[i]);
    return 1;
}

TPoint CProvinceMap::FindFreeSquare(int side) const
{
    const TPoint none{-1, -1};
    const int width = mask.Width(), height = mask.Height();
    if (side < 1 || side > width + 1 || side > height + 1)
        return none;
    auto blocked = [this](int x, int y) {
        const TColor32 pixel = mask.GetPixel(x, y);
        return pixel == 0 || pixel == kReserved;
    };
    // The column of the first blocked pixel of the square at (x, y): its edges
    // first (top, bottom, left, right), then its inside; -1 when it is free.
    auto firstBlockedColumn = [&](int x, int y) {
        const int last = side - 1;
        for (int i = 0; i < side; ++i)
            if (blocked(x + i, y))
                return x + i;
        for (int i = 0; i < side; ++i)
            if (blocked(x + i, y + last))
                return x + i;
        for (int column : {x, x + last})
            for (int j = 1; j < last; ++j)
                if (blocked(column, y + j))
                    return column;
        for (int j = 1; j < last; ++j)
            for (int i = 1; i < last; ++i)
                if (blocked(x + i, y + j))
                    return x + i;
        return -1;
    };
    // Every square that starts at or left of a blocked column and reaches it
    // holds the blocked pixel too, so the scan goes on just past that column.
    for (int y = 0; y <= height - side; ++y)
        for (int x = 0; x <= width - side; ++x) {
            if (blocked(x, y))
                continue;
            const int column = firstBlockedColumn(x, y);
            if (column < 0)
                return {x, y};
            x = column;
        }
    return none;
}

// ---- CProvinceMapList ------------------------------------------------------

void CProvinceMapList::Remove(int i)
{
    if (i < 0 || i >= GetCount())
        throw std::out_of_range("Cannot remove piece " + std::to_string(i) + ": the list holds " +
                                std::to_string(GetCount()) + " pieces");
    for (int p = 0; p < GetCount(); ++p) {
        VK::CSimpleArray<unsigned short>& neighbours = items_.GetAt(p)->neighbours;
        for (int k = neighbours.GetSize() - 1; k >= 0; --k) {
            if (neighbours[k] == i)
                neighbours.RemoveAt(k);
            else if (neighbours[k] > i)
                --neighbours[k];
        }
    }
    items_.RemoveAt(i);
}

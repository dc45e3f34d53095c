#include "model/ProvinceMap.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "model/FreeSquareSearch.h"
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

bool CProvinceMap::IsBigEnoughShape(int width, int height, uint32_t pixels)
{
    constexpr int kMinSide = 4;
    constexpr uint32_t kMinPixels = 250;
    return width >= kMinSide && height >= kMinSide && pixels >= kMinPixels;
}

bool CProvinceMap::IsBigEnough()
{
    if (!IsBigEnoughShape(mask.Width(), mask.Height(), UINT32_MAX))
        return false;
    uint32_t count = 0;
    TColor32* pixel = mask.Bits();
    TColor32* const end = pixel + size_t(mask.Width()) * size_t(mask.Height());
    for (; pixel != end; ++pixel)
        if (*pixel) {
            *pixel = clWhite32;
            ++count;
        }
    return IsBigEnoughShape(mask.Width(), mask.Height(), count);
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
    CPieceMerge merge(*this);
    return merge.Add(other);
}

TPoint CProvinceMap::FindFreeSquare(int side) const
{
    return CFreeSquareSearch(mask, CFreeSquareSearch::kReservedBlocks).Find(side);
}

// ---- CPieceMerge -----------------------------------------------------------

int CPieceMerge::Add(CProvinceMap* other)
{
    if (!other || other == &target_ || other->IsEmpty())
        return 0;
    pending_.push_back(other);
    other->pixelCount = 0;
    for (int i = 0; i < other->neighbours.GetSize(); ++i)
        target_.AddNeighbour(other->neighbours[i]);
    return 1;
}

void CPieceMerge::Commit()
{
    if (pending_.empty())
        return;
    CProvinceMap& target = target_;
    int16_t unitedLeft = target.left, unitedTop = target.top;
    int16_t unitedRight = target.right, unitedBottom = target.bottom;
    for (const CProvinceMap* other : pending_) {
        unitedLeft = std::min(unitedLeft, other->left);
        unitedTop = std::min(unitedTop, other->top);
        unitedRight = std::max(unitedRight, other->right);
        unitedBottom = std::max(unitedBottom, other->bottom);
    }

    // One by one, each merge puts the united mask over the newly merged
    // piece's pixels, so the target's own pixels win, then the earlier merged
    // ones: painting the pending pieces last to first and then the target
    // gives the same bytes. Where the target already covers the united bounds
    // its mask is painted in place, under its own pixels.
    const bool grows = unitedLeft != target.left || unitedTop != target.top || unitedRight != target.right ||
                       unitedBottom != target.bottom;
    TBitmap32 united;
    TBitmap32& canvas = grows ? united : target.mask;
    if (grows)
        united.SetSize(unitedRight - unitedLeft + 1, unitedBottom - unitedTop + 1);

    const uint16_t self = uint16_t(target.OwnIndex());
    CPieceMap& map = target.project_->GetMapMap();
    for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
        CProvinceMap& other = **it;
        // A mask larger than its bounds (a damaged project file) is clipped.
        const int dx = other.left - unitedLeft, dy = other.top - unitedTop;
        const int width = std::min(other.mask.Width(), canvas.Width() - dx);
        const int height = std::min(other.mask.Height(), canvas.Height() - dy);
        for (int y = 0; y < height; ++y) {
            const TColor32* source = other.mask.ScanLine(y);
            TColor32* row = canvas.ScanLine(y + dy) + dx;
            for (int x = 0; x < width; ++x)
                if (source[x]) {
                    if (grows || !row[x])
                        row[x] = CProvinceMap::kMergedPixel;
                    map.SetAt(other.left + x, other.top + y, self);
                }
        }
        other.mask.Clear(0);
    }
    pending_.clear();
    if (!grows)
        return;

    CopyNonZeroPixels(target.mask, united, target.left - unitedLeft, target.top - unitedTop);
    target.left = unitedLeft;
    target.top = unitedTop;
    target.right = unitedRight;
    target.bottom = unitedBottom;
    target.mask.SetSize(united.Width(), united.Height());
    std::copy_n(united.Bits(), size_t(united.Width()) * size_t(united.Height()), target.mask.Bits());
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

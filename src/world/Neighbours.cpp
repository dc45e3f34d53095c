// Which land pieces touch, and what becomes of the small pieces: absorbed by a
// province piece they touch, else turned into green land.
#include <algorithm>
#include <memory>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "model/ErrorList.h"
#include "model/MapProject.h"

namespace {

// The pieces that touch `piece` just right of or just below one of its pixels,
// in the order a walk over its mask positions, column by column and top to
// bottom within a column, meets them first. Only pieces that can be neighbours
// (not empty, ocean or green land) are listed.
std::vector<uint16_t> PiecesBelowAndRight(const CMapProject& project, const CProvinceMap& piece)
{
    struct TFound {
        uint16_t index;
        uint64_t firstMet; // column in the high half, row in the low half, both shifted by 1
    };
    std::vector<TFound> found;
    auto meet = [&](int x, int y) {
        const uint32_t cell = project.GetPieceAt(piece.left + x, piece.top + y) & 0xFFFF;
        const uint64_t met = uint64_t(uint32_t(x + 1)) << 32 | uint32_t(y + 1);
        for (TFound& f : found)
            if (f.index == cell) {
                f.firstMet = std::min(f.firstMet, met);
                return;
            }
        const CProvinceMap* other = project.GetPieces().GetAt(int(cell));
        if (cell != CProvinceMap::kNoIndex && other && !other->IsEmpty() && !other->IsGreenLand() && !other->IsOcean())
            found.push_back({uint16_t(cell), met});
    };

    // Positions -1 .. W and -1 .. H; outside the mask reads 0. A position is
    // met when it is 0 and its left or upper pixel is not. Rows -1 and columns
    // -1 never are.
    const TBitmap32& mask = piece.mask;
    const int width = mask.Width(), height = mask.Height();
    const std::vector<TColor32> zeros(static_cast<size_t>(width), 0);
    const TColor32* above = zeros.data();
    for (int y = 0; y <= height; ++y) {
        const TColor32* row = y < height ? mask.ScanLine(y) : zeros.data();
        if (width > 0 && !row[0] && above[0])
            meet(0, y);
        int x = 1;
#ifdef __SSE2__
        // Four positions at a time: a 0 whose left and upper pixels are not both 0.
        auto hitsAt = [&](int at) {
            const __m128i zero = _mm_setzero_si128();
            auto isZero = [&](const TColor32* p) {
                return _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), zero);
            };
            const __m128i hit = _mm_andnot_si128(_mm_and_si128(isZero(row + at - 1), isZero(above + at)), isZero(row + at));
            return unsigned(_mm_movemask_ps(_mm_castsi128_ps(hit)));
        };
        for (; x + 8 <= width; x += 8)
            for (unsigned hits = hitsAt(x) | hitsAt(x + 4) << 4; hits; hits &= hits - 1)
                meet(x + __builtin_ctz(hits), y);
#endif
        for (; x < width; ++x)
            if (!row[x] && (row[x - 1] || above[x]))
                meet(x, y);
        if (width > 0 && row[width - 1]) // just right of the mask
            meet(width, y);
        above = row;
    }
    std::sort(found.begin(), found.end(), [](const TFound& a, const TFound& b) { return a.firstMet < b.firstMet; });
    std::vector<uint16_t> indexes;
    indexes.reserve(found.size());
    for (const TFound& f : found)
        indexes.push_back(f.index);
    return indexes;
}

} // namespace

void CMapProject::CalcNeighbours(uint8_t kindFilter)
{
    CProgressScope progress(*this, "Neighbours calculation...", pieces_.GetCount());
    for (int i = 0; i < pieces_.GetCount(); ++i)
        pieces_.GetAt(i)->neighbours.SetSize(0);
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        progress.Step(i);
        CProvinceMap& piece = *pieces_.GetAt(i);
        if (piece.IsEmpty() || piece.IsGreenLand() || piece.IsOcean() || (kindFilter && kindFilter != piece.kind))
            continue;
        // Touching on the left or upper side is found from the other piece's
        // turn: AddNeighbour keeps the lists mutual.
        for (uint16_t j : PiecesBelowAndRight(*this, piece))
            piece.AddNeighbour(j);
    }
}

int CMapProject::ReconnectSmallPieces()
{
    CProgressScope progress(*this, "Reconnecting province maps...", pieces_.GetCount());
    int merged = 0;
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        progress.Step(i);
        CProvinceMap& piece = *pieces_.GetAt(i);
        if (!piece.IsProvince() || piece.IsEmpty())
            continue;
        // The list grows while it is walked: an absorbed piece's neighbours
        // become this piece's, and small ones among them are absorbed in turn.
        CPieceMerge merge(piece);
        for (int k = 0; k < piece.neighbours.GetSize(); ++k) {
            CProvinceMap* other = pieces_.GetAt(piece.neighbours[k]);
            if (!other || !other->IsSmall() || other->IsEmpty())
                continue;
            auto warning = std::make_unique<CErrorConnect>(*this, *other, &piece);
            if (merge.Add(other)) {
                merged = 1;
                if (warnings_)
                    warnings_->Add(std::move(warning));
            }
        }
    }
    return merged;
}

int CMapProject::ConvertSmallPieces()
{
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        CProvinceMap& piece = *pieces_.GetAt(i);
        if (!piece.IsSmall())
            continue;
        piece.kind = CProvinceMap::kGreenLand;
        if (warnings_)
            warnings_->Add(std::make_unique<CErrorConverted>(*this, &piece, "Piece was converted to green land"));
    }
    return 1;
}

// Which land pieces touch, and what becomes of the small pieces: absorbed by a
// province piece they touch, else turned into green land.
#include <algorithm>
#include <memory>
#include <vector>

#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "world/EqualRun.h"

namespace {

// Piece roles in the neighbour search, by piece index (a map cell; 0xFFFF is no piece).
constexpr uint8_t kLists = 1;  // its list is built
constexpr uint8_t kListed = 2; // it can stand in a list: not empty, ocean or green land

// Where piece `from` first meets piece `to` just right of or just below one of
// its pixels: column in the high half, row in the low half. For one piece that
// is the order of a walk over its mask, column by column, top to bottom.
struct TContact {
    uint16_t from, to;
    uint64_t firstMet;
};

// The contacts of pieces that are listed, found on the piece map, which is the
// masks' painting: a piece's mask pixel is set exactly where the map holds the
// piece. A position outside a piece's mask whose left or upper pixel is in it
// is then a cell whose left or upper cell holds the piece while it holds
// another. The map is read once, row by row as runs of equal cells; a contact
// is met where two runs of a row abut or a run overlaps one of the row above.
class CContactSearch {
public:
    explicit CContactSearch(const std::vector<uint8_t>& roles) : roles_(roles), slots_(4096, -1) {}

    std::vector<TContact> Run(const CPieceMap& map)
    {
        const uint16_t* cells = map.GetData();
        const int width = map.GetWidth(), height = map.GetHeight();
        for (int y = 0; cells && y < height; ++y) {
            const uint16_t* row = cells + size_t(y) * size_t(width);
            current_.clear();
            for (int x = 0; x < width;) {
                const int end = EqualRunEnd(row, x + 1, width, row[x]);
                current_.push_back({x, end - 1, row[x]});
                if (current_.size() > 1)
                    Meet(current_[current_.size() - 2].piece, current_.back().piece, x, y);
                x = end;
            }
            if (y > 0)
                MeetRowAbove(y);
            above_.swap(current_);
        }
        return std::move(contacts_);
    }

private:
    struct TMapRun {
        int32_t left, right; // inclusive
        uint16_t piece;
    };

    // The runs of row `y` against those of the row above, overlap by overlap.
    void MeetRowAbove(int y)
    {
        size_t a = 0, c = 0;
        while (a < above_.size() && c < current_.size()) {
            const TMapRun& up = above_[a];
            const TMapRun& down = current_[c];
            Meet(up.piece, down.piece, std::max(up.left, down.left), y);
            const int32_t upRight = up.right, downRight = down.right;
            if (upRight <= downRight)
                ++a;
            if (downRight <= upRight)
                ++c;
        }
    }

    void Meet(uint16_t from, uint16_t to, int x, int y)
    {
        if (from == to || !(roles_[from] & kLists) || !(roles_[to] & kListed))
            return;
        const uint64_t met = uint64_t(uint32_t(x)) << 32 | uint32_t(y);
        const uint32_t pair = uint32_t(from) << 16 | to;
        if (pair != lastPair_) {
            last_ = Slot(pair, from, to, met);
            lastPair_ = pair;
        }
        TContact& contact = contacts_[size_t(last_)];
        contact.firstMet = std::min(contact.firstMet, met);
    }

    // The contact of the pair, made at `met` when it is new (open addressing on the pair).
    int32_t Slot(uint32_t pair, uint16_t from, uint16_t to, uint64_t met)
    {
        const size_t mask = slots_.size() - 1;
        for (size_t s = (pair * 2654435761u) & mask;; s = (s + 1) & mask) {
            if (slots_[s] < 0) {
                slots_[s] = int32_t(contacts_.size());
                contacts_.push_back({from, to, met});
                if (contacts_.size() * 2 > slots_.size())
                    Rehash();
                return int32_t(contacts_.size()) - 1;
            }
            const TContact& c = contacts_[size_t(slots_[s])];
            if (c.from == from && c.to == to)
                return slots_[s];
        }
    }

    void Rehash()
    {
        slots_.assign(slots_.size() * 2, -1);
        const size_t mask = slots_.size() - 1;
        for (size_t i = 0; i < contacts_.size(); ++i) {
            const uint32_t pair = uint32_t(contacts_[i].from) << 16 | contacts_[i].to;
            size_t s = (pair * 2654435761u) & mask;
            while (slots_[s] >= 0)
                s = (s + 1) & mask;
            slots_[s] = int32_t(i);
        }
    }

    const std::vector<uint8_t>& roles_;
    std::vector<int32_t> slots_; // contact index or -1; a power of two, at most half full
    std::vector<TContact> contacts_;
    std::vector<TMapRun> above_, current_;
    uint32_t lastPair_ = UINT32_MAX; // consecutive meetings are mostly of one pair
    int32_t last_ = -1;
};

} // namespace

void CMapProject::CalcNeighbours(uint8_t kindFilter)
{
    CProgressScope progress(*this, "Neighbours calculation...", pieces_.GetCount());
    std::vector<uint8_t> roles(0x10000, 0);
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        CProvinceMap& piece = *pieces_.GetAt(i);
        piece.neighbours.SetSize(0);
        if (piece.IsEmpty() || piece.IsGreenLand() || piece.IsOcean())
            continue;
        roles[size_t(i)] = kListed;
        if (!kindFilter || kindFilter == piece.kind)
            roles[size_t(i)] |= kLists;
    }
    std::vector<TContact> contacts = CContactSearch(roles).Run(mapMap_);
    std::sort(contacts.begin(), contacts.end(), [](const TContact& a, const TContact& b) {
        return a.from != b.from ? a.from < b.from : a.firstMet < b.firstMet;
    });
    // Touching on the left or upper side is found from the other piece's turn:
    // AddNeighbour keeps the lists mutual.
    auto contact = contacts.begin();
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        progress.Step(i);
        for (; contact != contacts.end() && contact->from == i; ++contact)
            pieces_.GetAt(i)->AddNeighbour(contact->to);
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

#include "world/ColorRegions.h"

#include <algorithm>


namespace {

using TRegion = CColorRegions::TRegion;

// A run of the row being read or of the row above it.
struct TRowRun {
    int32_t left, right; // inclusive
    TColor32 color;
};

// The first `limit` finished regions in column-major order: a heap whose top
// is the last of them, so a later region either goes in or is dropped at once.
class CFirstRegions {
public:
    explicit CFirstRegions(int limit) : limit_(size_t(limit)) {}

    void Offer(const TRegion& region)
    {
        if (heap_.size() < limit_) {
            heap_.push_back(region);
            std::push_heap(heap_.begin(), heap_.end(), Before);
        } else if (limit_ > 0 && Before(region, heap_.front())) {
            std::pop_heap(heap_.begin(), heap_.end(), Before);
            heap_.back() = region;
            std::push_heap(heap_.begin(), heap_.end(), Before);
        }
    }

    std::vector<TRegion> TakeSorted()
    {
        std::sort_heap(heap_.begin(), heap_.end(), Before);
        return std::move(heap_);
    }

private:
    static bool Before(const TRegion& a, const TRegion& b) { return a.OrderKey() < b.OrderKey(); }

    size_t limit_;
    std::vector<TRegion> heap_;
};

// The sets of runs that reach the row above (nodes 0 .. above-1) and the row
// being read (nodes above .. above+current-1), as a union-find whose roots
// hold the set's region record. After each row only the current row's nodes
// are kept, renumbered from 0; the sets that lost every node are finished.
class CRowSets {
public:
    void StartRow(int y, const std::vector<TRowRun>& runs)
    {
        above_ = int32_t(parent_.size());
        for (const TRowRun& run : runs) {
            parent_.push_back(int32_t(parent_.size()));
            TRegion region;
            region.color = run.color;
            region.left = region.firstX = run.left;
            region.right = run.right;
            region.top = region.bottom = region.firstY = y;
            region.pixelCount = uint32_t(run.right - run.left + 1);
            sets_.push_back(region);
        }
    }

    // Joins run `a` of the row above and run `c` of the current row; false
    // when they were in one set already.
    bool Join(int32_t a, int32_t c)
    {
        a = Root(a);
        c = Root(above_ + c);
        if (a == c)
            return false;
        const auto [keep, gone] = std::minmax(a, c);
        TRegion& into = sets_[size_t(keep)];
        const TRegion& from = sets_[size_t(gone)];
        into.left = std::min(into.left, from.left);
        into.right = std::max(into.right, from.right);
        into.top = std::min(into.top, from.top);
        into.bottom = std::max(into.bottom, from.bottom);
        into.pixelCount += from.pixelCount;
        if (from.OrderKey() < into.OrderKey()) {
            into.firstX = from.firstX;
            into.firstY = from.firstY;
        }
        parent_[size_t(gone)] = keep;
        return true;
    }

    // Ends the current row: each set that has no run in it is handed to
    // `finished`, and the current row's nodes become the row above.
    template <typename Finished>
    void EndRow(Finished finished)
    {
        const int32_t count = int32_t(parent_.size());
        slot_.assign(size_t(count), -1);
        nextParent_.clear();
        nextSets_.clear();
        for (int32_t c = above_; c < count; ++c) {
            const int32_t root = Root(c);
            int32_t& slot = slot_[size_t(root)];
            if (slot < 0) {
                slot = c - above_;
                nextSets_.push_back(sets_[size_t(root)]);
            } else {
                nextSets_.push_back(TRegion());
            }
            nextParent_.push_back(slot);
        }
        // A set with a run in the current row has its root there or among the
        // nodes above, so every root above without a slot is finished.
        for (int32_t a = 0; a < above_; ++a)
            if (parent_[size_t(a)] == a && slot_[size_t(a)] < 0)
                finished(sets_[size_t(a)]);
        parent_.swap(nextParent_);
        sets_.swap(nextSets_);
        above_ = 0;
    }

    // Hands every set still open to `finished` (after the last row).
    template <typename Finished>
    void EndImage(Finished finished)
    {
        for (int32_t n = 0; n < int32_t(parent_.size()); ++n)
            if (parent_[size_t(n)] == n)
                finished(sets_[size_t(n)]);
        parent_.clear();
        sets_.clear();
    }

private:
    int32_t Root(int32_t node)
    {
        while (parent_[size_t(node)] != node) {
            parent_[size_t(node)] = parent_[size_t(parent_[size_t(node)])];
            node = parent_[size_t(node)];
        }
        return node;
    }

    int32_t above_ = 0;
    std::vector<int32_t> parent_;
    std::vector<TRegion> sets_; // valid at roots
    // Working space of EndRow, kept between rows.
    std::vector<int32_t> slot_, nextParent_;
    std::vector<TRegion> nextSets_;
};

} // namespace

CColorRegions::CColorRegions(const TBitmap32& image, int limit)
{
    if (image.Empty())
        return;
    const int width = image.Width(), height = image.Height();
    CFirstRegions first(std::max(limit, 0));
    auto finished = [&](const TRegion& region) { first.Offer(region); };
    CRowSets sets;
    std::vector<TRowRun> above, current;
    for (int y = 0; y < height; ++y) {
        const TColor32* row = image.ScanLine(y);
        current.clear();
        for (int x = 0; x < width;) {
            const TColor32 color = row[x];
            const int end = EqualRunEnd(row, x + 1, width, color);
            if (color)
                current.push_back({x, end - 1, color});
            x = end;
        }
        sets.StartRow(y, current);
        total_ += int64_t(current.size());
        // Overlapping runs of the two rows, in one walk from the left.
        size_t a = 0, c = 0;
        while (a < above.size() && c < current.size()) {
            const TRowRun& up = above[a];
            const TRowRun& down = current[c];
            if (up.right >= down.left && down.right >= up.left && up.color == down.color &&
                sets.Join(int32_t(a), int32_t(c)))
                --total_;
            if (up.right <= down.right)
                ++a;
            else
                ++c;
        }
        sets.EndRow(finished);
        above.swap(current);
    }
    sets.EndImage(finished);
    regions_ = first.TakeSorted();
}

void CColorRegions::TakeRuns(const TBitmap32& image, int i, uint16_t* cells, uint16_t label,
                             std::vector<TRun>& runs) const
{
    const TRegion& region = regions_[size_t(i)];
    const size_t width = size_t(image.Width());
    runs.clear();
    std::vector<TFloodSpan> stack;
    FloodFillRuns(
        image, region.color, TPoint{region.firstX, region.firstY},
        [&](int x, int y) { return cells[size_t(y) * width + size_t(x)] == label; },
        [&](int y, int left, int right) {
            uint16_t* row = cells + size_t(y) * width;
            std::fill(row + left, row + right + 1, label);
            runs.push_back({y, left, right});
        },
        stack);
}

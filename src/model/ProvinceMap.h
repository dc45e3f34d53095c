#pragma once
// One piece of the world image: a connected region of one colour, with a mask
// of its own pixels over its bounding box, its neighbours, its kind and the
// points where its castle and army icons stand; and the list that owns the
// project's pieces.
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/Bitmap32.h"
#include "model/OwnedPointerArray.h"
#include "model/SimpleArray.h"

class CMapProject;

class CProvinceMap {
public:
    enum Kind : uint32_t {
        kUnclassified = 0,
        kOcean = 1,
        kGreenLand = 2,
        kProvince = 3,
        kProvinceWithoutCastlePlace = 4,
        kSmall = 5,
    };
    static constexpr uint16_t kNoIndex = 0xFFFF;
    // Mask value of a pixel reserved by icon placement: not in the piece for the
    // square search, though not zero.
    static constexpr TColor32 kReserved = 0x00FFFFFF;
    // The mask value of pixels taken over by a merge or read from a project file.
    static constexpr TColor32 kMergedPixel = 0xFF0000CC;

    explicit CProvinceMap(CMapProject& project);
    CProvinceMap(const CProvinceMap&) = delete;
    CProvinceMap& operator=(const CProvinceMap&) = delete;

    bool IsProvince() const { return kind == kProvince || kind == kProvinceWithoutCastlePlace; }
    bool IsGreenLand() const { return kind == kGreenLand; }
    bool IsOcean() const { return kind == kOcean; }
    bool IsSmall() const { return kind == kSmall; }
    bool IsEmpty() const { return pixelCount == 0; }
    uint32_t GetFlag() const { return pieceFlag; }

    // The mask is at least 4 × 4 and has at least 250 pixels in the piece.
    // Counting repaints every pixel in the piece opaque white.
    bool IsBigEnough();
    // The same rule for a mask of `width` × `height` with `pixels` in the piece.
    static bool IsBigEnoughShape(int width, int height, uint32_t pixels);

    // Keep the relation symmetric: adding j to i adds i to j. Nothing for
    // kNoIndex, an index with no piece or an empty piece, this piece itself, a
    // neighbour already listed, or while this piece is not in the project's list.
    void AddNeighbour(uint16_t index);
    // Nothing when the index is not a neighbour.
    void RemoveNeighbour(uint16_t index);

    // Takes `other` into this piece: its pixels join this mask (painted
    // kMergedPixel) and take this piece's index in the project's piece map, its
    // neighbours become this piece's, and it is left empty. Returns 0 (nothing
    // done) for null, an empty piece or this piece itself, else 1.
    int Merge(CProvinceMap* other);

    // The top-left mask point of the first square of side `side` (rows first)
    // lying wholly inside the piece (no zero or reserved pixel), or (-1, -1)
    // when there is none (a side below 1 included).
    TPoint FindFreeSquare(int side) const;

    // Mask width and height from the bounds (right and bottom are inclusive).
    int BoundsWidth() const { return right - left + 1; }
    int BoundsHeight() const { return bottom - top + 1; }

    TBitmap32 mask; // a pixel is in the piece when it is not zero
    VK::CSimpleArray<unsigned short> neighbours;
    TColor32 color = 0;
    int16_t left = 0, top = 0, right = 0, bottom = 0; // world pixels, inclusive
    uint32_t pixelCount = 0;
    uint32_t highlight = 0;
    uint32_t pieceFlag = 1;
    uint32_t reserved = 0; // stored in the project file as is
    uint32_t kind = kUnclassified;
    uint16_t castleX = 0, castleY = 0, armyX = 0, armyY = 0; // relative to (left, top)

private:
    friend class CPieceMerge;

    int OwnIndex() const;
    CProvinceMap* PieceAt(uint16_t index) const;

    CMapProject* project_;
};

// Several merges into one target piece with a single pass over the united
// bounds; the result is the one that merging the pieces one by one gives. Add
// does at once what the rest of the analysis can see (the other piece becomes
// empty, its neighbours become the target's); the pixels move at Commit, which
// the destructor runs too.
class CPieceMerge {
public:
    explicit CPieceMerge(CProvinceMap& target) : target_(target) {}
    CPieceMerge(const CPieceMerge&) = delete;
    CPieceMerge& operator=(const CPieceMerge&) = delete;
    ~CPieceMerge() { Commit(); }

    // 0 (nothing done) for null, an empty piece or the target itself, else 1.
    int Add(CProvinceMap* other);
    void Commit();

private:
    CProvinceMap& target_;
    std::vector<CProvinceMap*> pending_; // in the order they were added
};

// The project's pieces, owned, in index order.
class CProvinceMapList {
public:
    int GetCount() const { return items_.GetSize(); }
    // Null when `i` is out of range.
    CProvinceMap* GetAt(int i) const { return items_.GetAt(i); }
    // -1 for null or a piece not in the list.
    int IndexOf(const CProvinceMap* piece) const { return items_.IndexOf(piece); }
    // Appends and returns the index; -1 (the piece is destroyed) when the list is full.
    int Add(std::unique_ptr<CProvinceMap> piece) { return items_.Add(std::move(piece)); }
    // Takes piece i out of every neighbour list, lowers the neighbour indexes
    // above i, destroys it and closes the gap. The piece map and the provinces'
    // piece indexes are not renumbered (CMapProject::ReassignMapIndexes rebuilds
    // the map). Throws std::out_of_range for an index outside the list.
    void Remove(int i);
    void DeleteAll() { items_.DeleteAll(); }

private:
    COwnedPointerArray<CProvinceMap> items_;
};

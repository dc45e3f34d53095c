#pragma once
// One province: the handheld record part followed by what only the editor
// keeps, and the list that owns the project's provinces. Setters compare before
// they store and mark the project modified only on a change; a refused value
// returns 0 and changes nothing.
#include <cstdint>
#include <memory>

#include "model/OwnedPointerArray.h"
#include "model/SimpleArray.h"

class CMapProject;

struct CCastleDataB {
    // flags:     bit 0 castle, bit 1 moat, bit 2 fortified walls, bits 3-5 catapults (0..7)
    // buildings: bit 0 market, bit 1 bank, bit 2 tavern, bit 4 metal mine, bit 5 stone mine
    static constexpr uint8_t kCastle = 0x01;
    static constexpr uint8_t kMoat = 0x02;
    static constexpr uint8_t kWalls = 0x04;
    static constexpr int kCatapultShift = 3;
    static constexpr uint8_t kCatapultMask = 0x38;
    static constexpr uint8_t kMarket = 0x01;
    static constexpr uint8_t kBank = 0x02;
    static constexpr uint8_t kTavern = 0x04;
    static constexpr uint8_t kMetalMine = 0x10;
    static constexpr uint8_t kStoneMine = 0x20;

    uint8_t flags = 0;
    uint8_t buildings = 0;
    uint8_t hitPoints = 100; // percent

    int Catapults() const { return (flags & kCatapultMask) >> kCatapultShift; }
};

struct CProvinceB {
    static constexpr uint8_t kNoOwner = 255;

    CByteArray resources; // one amount per resource
    uint8_t owner = kNoOwner;
    uint8_t reserved = 0;
    CCastleDataB castle;
    uint16_t bounds[4] = {}; // the piece's bounds, filled by the export
    // Icon points, relative to the piece's origin.
    uint16_t castleX = 0, castleY = 0, armyX = 0, armyY = 0;
    uint8_t anyArmy = 0;    // 1 when some guardian army count is not zero
    CDwordArray army;       // guardian army, one count per unit type
    CByteArray neighbours;  // indices of the neighbouring provinces, filled by the export
};

class CProvince : public CProvinceB {
public:
    explicit CProvince(CMapProject& project) : project_(&project) {}
    CProvince(const CProvince&) = delete;
    CProvince& operator=(const CProvince&) = delete;
    // A player whose capital this was is left without one.
    ~CProvince();

    // The setters store a changed value and mark the project modified; each returns 1
    // unless said otherwise, 0 only for a value or index it refuses.
    int SetCastle(bool present) { return StoreBits(castle.flags, CCastleDataB::kCastle, present); }
    int SetMoat(bool present) { return StoreBits(castle.flags, CCastleDataB::kMoat, present); }
    int SetWalls(bool present) { return StoreBits(castle.flags, CCastleDataB::kWalls, present); }
    // n in 0..7. Up to 4 it is stored and marks the project modified even when
    // equal; above 4 an equal value changes nothing.
    int SetCatapults(int n);
    // Sets or clears the `mask` bits of the buildings.
    int SetFlag(uint8_t mask, bool state) { return StoreBits(castle.buildings, mask, state); }
    // Refused above 100.
    int SetCastleHP(int percent);
    int SetCastleX(uint16_t x);
    int SetCastleY(uint16_t y);
    int SetArmyX(uint16_t x);
    int SetArmyY(uint16_t y);
    // Refused for an amount outside 0..255.
    int SetResource(int i, int amount);
    // Keeps `anyArmy` in step with the counts of the catalogue's unit types.
    int SetArmy(int i, uint32_t count);
    // A player index or a value above 254 (none, stored as 255); 0 when unchanged.
    // When the old owner's capital is this province, that capital is cleared first.
    int SetOwner(int newOwner);
    int ResizeResources(int n) { return resources.SetSize(n); }

    CMapProject& GetProject() const { return *project_; }

    uint8_t linked = 0;
    int32_t pieceIndex = -1;
    uint16_t markerX = 0, markerY = 0;
    // The castle-type picture shown for the province: 0 no castle, 1 castle, 2 capital.
    uint8_t castleIcon = 0;

private:
    // Sets or clears the `mask` bits of `field`; marks the project modified on a change.
    int StoreBits(uint8_t& field, uint8_t mask, bool state);
    // Stores `value`, marking the project modified on a change; returns 1.
    template <typename T>
    int Store(T& field, T value);

    // A project that takes over the records of a loaded file re-points them.
    friend class CMapProject;
    CMapProject* project_;
};

// The project's provinces, owned, in list order; at most kMaxProvinces.
class CProvinceList {
public:
    static constexpr int kMaxProvinces = 99;
    static constexpr uint8_t kNotFound = 255;

    int GetSize() const { return items_.GetSize(); }
    // Null when `i` is outside the list.
    CProvince* GetAt(int i) const { return items_.GetAt(i); }
    // kNotFound for null or a province not in the list.
    uint8_t IndexOf(const CProvince* province) const
    {
        const int index = items_.IndexOf(province);
        return index < 0 ? kNotFound : uint8_t(index);
    }
    // Appends and returns the index; -1 (the province is destroyed) when the list is full.
    int Add(std::unique_ptr<CProvince> province)
    {
        return items_.GetSize() < kMaxProvinces ? items_.Add(std::move(province)) : -1;
    }
    // Destroys the province and closes the gap; nothing when it is not in the list.
    void Remove(CProvince* province)
    {
        if (const int index = items_.IndexOf(province); index >= 0)
            items_.RemoveAt(index);
    }
    void DeleteAll() { items_.DeleteAll(); }
    void Swap(CProvinceList& other) noexcept { items_.Swap(other.items_); }

private:
    COwnedPointerArray<CProvince> items_;
};

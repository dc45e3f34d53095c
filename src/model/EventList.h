#pragma once
// The mission's timed game events. An event's title and description live in
// every string table under the event's id.
#include <cstdint>

#include "model/List.h"
#include "model/SimpleArray.h"

class CMapProject;

// The part of an event that goes to the handheld record.
struct CEventB {
    enum Effect : uint8_t { kTreasuryIncrease = 0, kTreasuryDecrease = 1, kCustom = 2 };
    using Res = CByteArray; // one amount per catalogue resource

    struct ResData {
        Res increase;
        Res decrease;
    };

    uint16_t turn = 1;
    CByteArray players; // one byte per player; non-zero = affected
    uint8_t effect = kTreasuryIncrease;
    ResData resData;
};

class CEvent : public CEventB {
public:
    uint32_t enabled = 1;       // only enabled events are exported
    uint8_t id = 0;             // the event's slot in every string table
    uint8_t affectsPlayers = 1;
};

// Owns its events, in list order.
class CEventList {
public:
    static constexpr int kMaxEvents = 150;

    explicit CEventList(CMapProject& project) : project_(&project) {}
    CEventList(const CEventList&) = delete;
    CEventList& operator=(const CEventList&) = delete;
    ~CEventList() { DeleteAll(); }

    // A new event with its defaults, six unaffected players, zeroed resource
    // amounts and the lowest free id (texts "Message #n" in every string table);
    // null when the list is full or all 140 ids are taken. Marks the project modified.
    CEvent* AddEvent();
    // Removes and destroys the event and empties its texts in every string table.
    // Returns 0 for null or an event not in the list. Marks the project modified.
    int DeleteEvent(CEvent* event);

    int GetCount() const { return int(events_.GetCount()); }
    // Null when `i` is out of range.
    CEvent* GetEvent(int i) const;
    // -1 for null or an event not in the list.
    int IndexOf(const CEvent* event) const;
    int GetActiveCount() const;
    // True when some event of the list has this id.
    bool HoldsId(int id) const;

    // For the project file loader: destroys events past `n`, or appends events
    // with their defaults (no id taken, no texts written) until there are `n`.
    // Refuses (false, nothing changed) a count outside 0..kMaxEvents.
    bool Resize(int n);
    void DeleteAll();
    // Exchanges the events of the two lists; each list stays with its project.
    void Swap(CEventList& other) noexcept { events_.Swap(other.events_); }

private:
    CList<CEvent*> events_;
    CMapProject* project_;
};

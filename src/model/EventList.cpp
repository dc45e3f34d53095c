#include "model/EventList.h"

#include <memory>

#include "model/MapProject.h"

CEvent* CEventList::AddEvent()
{
    if (GetCount() >= kMaxEvents)
        return nullptr;
    const uint16_t id = project_->GetStringTables().AllocateEventId(*this);
    if (id == CStringTableList::kNoEventId)
        return nullptr;
    auto event = std::make_unique<CEvent>();
    event->id = uint8_t(id);
    event->resData.increase.SetSize(project_->resources);
    event->resData.decrease.SetSize(project_->resources);
    event->players.SetSize(CMapProject::kPlayerCount);
    events_.AddTail(event.get());
    project_->SetModified();
    return event.release();
}

int CEventList::DeleteEvent(CEvent* event)
{
    const int index = IndexOf(event);
    if (index < 0)
        return 0;
    events_.RemoveAt(uint32_t(index));
    project_->GetStringTables().ReleaseEventId(event->id);
    delete event;
    project_->SetModified();
    return 1;
}

CEvent* CEventList::GetEvent(int i) const
{
    CEvent* const* slot = i < 0 ? nullptr : events_.Lookup(uint32_t(i));
    return slot ? *slot : nullptr;
}

int CEventList::IndexOf(const CEvent* event) const
{
    if (!event)
        return -1;
    return int(events_.Find(const_cast<CEvent*>(event)));
}

int CEventList::GetActiveCount() const
{
    int active = 0;
    for (int i = 0; i < GetCount(); ++i)
        active += GetEvent(i)->enabled != 0;
    return active;
}

bool CEventList::HoldsId(int id) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (GetEvent(i)->id == id)
            return true;
    return false;
}

bool CEventList::Resize(int n)
{
    if (n < 0 || n > kMaxEvents)
        return false;
    while (GetCount() > n) {
        delete GetEvent(GetCount() - 1);
        events_.RemoveTail();
    }
    while (GetCount() < n) {
        auto event = std::make_unique<CEvent>();
        events_.AddTail(event.get());
        event.release();
    }
    return true;
}

void CEventList::DeleteAll()
{
    Resize(0);
}

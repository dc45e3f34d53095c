#include "model/StringTable.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <span>

#include "model/EventList.h"
#include "model/MapProject.h"
#include "platform/FileSystem.h"

namespace {

const std::string kNone = "none";
const std::string kEmpty;

std::string Numbered(const char* format, int n)
{
    char text[32];
    std::snprintf(text, sizeof text, format, n);
    return text;
}

template <size_t N>
void FillNumbered(std::array<std::string, N>& slots, const char* format, int first = 0)
{
    for (size_t i = 0; i < N; ++i)
        slots[i] = Numbered(format, first + int(i));
}

} // namespace

CStringTable::CStringTable(CMapProject& project) : project_(&project)
{
    FillNumbered(playerNames, "Player %d", 1);
    FillNumbered(unitNames, "Unit %d");
    FillNumbered(castleTypeNames, "Castle Type %d");
    FillNumbered(resourceNames, "Resource %d");
}

int CStringTable::StoreText(std::string& field, std::string_view text)
{
    if (field == text)
        return 0;
    field = text;
    project_->SetModified();
    return 1;
}

int CStringTable::StoreCatalogueText(std::string* slots, int count, int i, std::string_view text)
{
    if (i < 0 || i >= count)
        return 0;
    slots[i] = text;
    return 1;
}

const std::string& CStringTable::Pick(const std::string* slots, int count, int i)
{
    return i >= 0 && i < count ? slots[i] : kEmpty;
}

uint8_t CStringTable::Find(const std::string* slots, int count, std::string_view name)
{
    const std::string* end = slots + count;
    const std::string* found = std::find(slots, end, name);
    return found == end ? kNotFound : uint8_t(found - slots);
}

int CStringTable::SetEventTitle(int id, std::string_view text)
{
    return id >= 0 && id < kEventSlots ? StoreText(eventStrings[id].title, text) : 0;
}

int CStringTable::SetEventText(int id, std::string_view text)
{
    return id >= 0 && id < kEventSlots ? StoreText(eventStrings[id].text, text) : 0;
}

const std::string& CStringTable::GetEventTitle(int id) const
{
    return id >= 0 && id < kEventSlots ? eventStrings[id].title : kEmpty;
}

const std::string& CStringTable::GetEventText(int id) const
{
    return id >= 0 && id < kEventSlots ? eventStrings[id].text : kEmpty;
}

int CStringTable::SetPlayerName(int i, std::string_view name)
{
    if (i < 0 || i >= kPlayerNames || FindPlayerName(name) != kNotFound)
        return 0;
    return StoreText(playerNames[i], name);
}

const std::string& CStringTable::GetPlayerName(int i) const
{
    return i >= 0 && i < kPlayerNames ? playerNames[i] : kNone;
}

int CStringTable::ProvinceSlot(const CProvince* province) const
{
    const uint8_t index = project_->GetProvinces().IndexOf(province);
    return index < kProvinceNames ? index : -1;
}

int CStringTable::SetProvinceName(const CProvince* province, std::string_view name)
{
    const int slot = ProvinceSlot(province);
    if (slot < 0 || FindProvinceName(name) != kNotFound)
        return 0;
    return StoreText(provinceNames[slot], name);
}

const std::string& CStringTable::GetProvinceName(const CProvince* province) const
{
    if (!province)
        return kNone;
    const int slot = ProvinceSlot(province);
    return slot < 0 ? kEmpty : provinceNames[slot];
}

void CStringTable::RemoveProvinceName(int i)
{
    assert(i >= 0 && i < kProvinceNames);
    if (i < 0 || i >= kProvinceNames)
        return;
    std::move(provinceNames.begin() + i + 1, provinceNames.end(), provinceNames.begin() + i);
    provinceNames.back().clear();
}

std::string CStringTable::ConvertLineBreaks(std::string_view text)
{
    std::string converted;
    converted.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            converted += "{br}";
            ++i;
        } else {
            converted += text[i];
        }
    }
    return converted;
}

// The handheld's text files, all in `folder`, Windows-1252 bytes with no byte-
// order mark, no terminating NUL and no line-end conversion ("conv" = after
// ConvertLineBreaks, CRLF = the bytes 0D 0A):
//
//   file             contents
//   author.txt       conv(author)
//   authnotes.txt    conv(author notes)
//   shortdescr.txt   conv(short description)
//   fulldescr.txt    conv(full description)
//   victory.txt      conv(victory message)
//   defeat.txt       conv(defeat message)
//   event%2d.txt     title CRLF conv(description); one per enabled event in list
//                    order, numbered from 0 over the enabled ones only; "%2d"
//                    gives "event 0.txt" .. "event 9.txt", then "event10.txt"
//   mission.txt      mission name CRLF CRLF
//                    { active player's name CRLF }   in player order
//                    CRLF
//                    { province name CRLF }          in province-list order
bool CStringTable::ExportTexts(const std::filesystem::path& folder, std::string& error) const
{
    auto write = [&](const std::string& name, const std::string& contents) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(contents.data());
        return platform::WriteScratchFile(folder / name, std::span(bytes, contents.size()), error);
    };
    const std::pair<const char*, const std::string*> missionTexts[] = {
        {"author.txt", &author},         {"authnotes.txt", &authorNotes}, {"shortdescr.txt", &shortDescription},
        {"fulldescr.txt", &fullDescription}, {"victory.txt", &victoryText}, {"defeat.txt", &defeatText},
    };
    for (const auto& [name, text] : missionTexts)
        if (!write(name, ConvertLineBreaks(*text)))
            return false;

    const CEventList& events = project_->GetEvents();
    int written = 0;
    for (int i = 0; i < events.GetCount(); ++i) {
        const CEvent* event = events.GetEvent(i);
        if (!event->enabled)
            continue;
        if (!write(Numbered("event%2d.txt", written++), GetEventTitle(event->id) + "\r\n" +
                                                            ConvertLineBreaks(GetEventText(event->id))))
            return false;
    }

    std::string mission = missionName + "\r\n\r\n";
    const CList<CPlayerData>& players = project_->GetPlayers();
    for (uint32_t i = 0; i < players.GetCount(); ++i)
        if (players.GetAt(i).active)
            mission += GetPlayerName(int(i)) + "\r\n";
    mission += "\r\n";
    for (int i = 0; i < project_->GetProvinces().GetSize(); ++i)
        mission += GetProvinceNameAt(i) + "\r\n";
    return write("mission.txt", mission);
}

// ---- CStringTableList ------------------------------------------------------

CStringTable* CStringTableList::GetAt(int i) const
{
    return i >= 0 && i < GetCount() ? tables_[size_t(i)].get() : nullptr;
}

uint16_t CStringTableList::AllocateEventId(const CEventList& events)
{
    // Only the events decide what is free: a title emptied by the designer must
    // not hand an id that an event still holds to a second event.
    for (int id = 0; id < kNewEventIds; ++id) {
        if (events.HoldsId(id))
            continue;
        for (auto& table : tables_) {
            table->eventStrings[id].title = Numbered("Message #%d", id + 1);
            table->eventStrings[id].text = Numbered("Message #%d Info", id + 1);
        }
        return uint16_t(id);
    }
    return kNoEventId;
}

void CStringTableList::ReleaseEventId(int id)
{
    if (id < 0 || id >= CStringTable::kEventSlots)
        return;
    for (auto& table : tables_)
        table->eventStrings[id] = {};
}

void CStringTableList::RemoveProvinceName(int i)
{
    for (auto& table : tables_)
        table->RemoveProvinceName(i);
}

#pragma once
// The texts of one language of the mission, and the list of all languages.
// Texts are single-byte Windows-1252 strings as the files carry them.
//
// Mission-text setters compare before they store and mark the project modified
// only on a change; catalogue setters store without marking it. A refused value
// (an index out of range, a name already in use) returns 0 and changes nothing.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CMapProject;
class CEventList;
class CProvince;

class CStringTable {
public:
    static constexpr int kSpareTexts = 38;
    static constexpr int kPlayerNames = 6;
    static constexpr int kUnitNames = 40;
    static constexpr int kCastleTypes = 16;
    static constexpr int kArmyTypes = 16;
    static constexpr int kResourceNames = 16;
    static constexpr int kSkillNames = 16;
    static constexpr int kProvinceNames = 99;
    static constexpr int kEventSlots = 145;
    static constexpr uint8_t kNotFound = 255;

    struct CEventStrings {
        std::string title;
        std::string text;
    };

    explicit CStringTable(CMapProject& project);
    CStringTable(const CStringTable&) = delete;
    CStringTable& operator=(const CStringTable&) = delete;

    // ---- Mission texts (mark the project modified on a change) ----
    int SetAuthor(std::string_view text) { return StoreText(author, text); }
    int SetAuthorNotes(std::string_view text) { return StoreText(authorNotes, text); }
    int SetMissionName(std::string_view text) { return StoreText(missionName, text); }
    int SetShortDescription(std::string_view text) { return StoreText(shortDescription, text); }
    int SetFullDescription(std::string_view text) { return StoreText(fullDescription, text); }
    int SetVictoryText(std::string_view text) { return StoreText(victoryText, text); }
    int SetDefeatText(std::string_view text) { return StoreText(defeatText, text); }
    // By event id; refused outside the 145 slots.
    int SetEventTitle(int id, std::string_view text);
    int SetEventText(int id, std::string_view text);
    // Refused for i outside 0..5 or a name one of the six players already has
    // (the player's own current name included).
    int SetPlayerName(int i, std::string_view name);
    // The slot is the province's index in the project's province list. Refused
    // for a province outside the list or a name one of the 99 slots already holds.
    int SetProvinceName(const CProvince* province, std::string_view name);

    // ---- Catalogue texts (never mark the project modified) ----
    int SetUnitName(int i, std::string_view text) { return StoreCatalogueText(unitNames.data(), kUnitNames, i, text); }
    int SetCastleTypeName(int i, std::string_view text) { return StoreCatalogueText(castleTypeNames.data(), kCastleTypes, i, text); }
    int SetCastlePicturePath(int i, std::string_view text) { return StoreCatalogueText(castlePicturePaths.data(), kCastleTypes, i, text); }
    int SetArmyPicturePath(int i, std::string_view text) { return StoreCatalogueText(armyPicturePaths.data(), kArmyTypes, i, text); }
    int SetResourceName(int i, std::string_view text) { return StoreCatalogueText(resourceNames.data(), kResourceNames, i, text); }
    int SetSkillName(int i, std::string_view text) { return StoreCatalogueText(skillNames.data(), kSkillNames, i, text); }

    // ---- Getters: the empty text for an index out of range unless said otherwise ----
    const std::string& GetAuthor() const { return author; }
    const std::string& GetAuthorNotes() const { return authorNotes; }
    const std::string& GetMissionName() const { return missionName; }
    const std::string& GetShortDescription() const { return shortDescription; }
    const std::string& GetFullDescription() const { return fullDescription; }
    const std::string& GetVictoryText() const { return victoryText; }
    const std::string& GetDefeatText() const { return defeatText; }
    // "none" for i outside 0..5.
    const std::string& GetPlayerName(int i) const;
    // "none" for a null province; the empty text for one outside the province list.
    const std::string& GetProvinceName(const CProvince* province) const;
    const std::string& GetProvinceNameAt(int i) const { return Pick(provinceNames.data(), kProvinceNames, i); }
    const std::string& GetUnitName(int i) const { return Pick(unitNames.data(), kUnitNames, i); }
    const std::string& GetCastleTypeName(int i) const { return Pick(castleTypeNames.data(), kCastleTypes, i); }
    const std::string& GetCastlePicturePath(int i) const { return Pick(castlePicturePaths.data(), kCastleTypes, i); }
    const std::string& GetArmyPicturePath(int i) const { return Pick(armyPicturePaths.data(), kArmyTypes, i); }
    const std::string& GetResourceName(int i) const { return Pick(resourceNames.data(), kResourceNames, i); }
    const std::string& GetSkillName(int i) const { return Pick(skillNames.data(), kSkillNames, i); }
    const std::string& GetEventTitle(int id) const;
    const std::string& GetEventText(int id) const;

    // Index of the first slot holding exactly `name`, kNotFound when none does.
    uint8_t FindProvinceName(std::string_view name) const { return Find(provinceNames.data(), kProvinceNames, name); }
    uint8_t FindPlayerName(std::string_view name) const { return Find(playerNames.data(), kPlayerNames, name); }
    uint8_t FindUnitName(std::string_view name) const { return Find(unitNames.data(), kUnitNames, name); }

    // Names i+1 .. 98 move down one slot and slot 98 becomes empty, so the names
    // stay aligned with the province list after province i is deleted.
    void RemoveProvinceName(int i);

    // Every CR LF pair becomes the four characters "{br}"; a lone CR or LF stays.
    static std::string ConvertLineBreaks(std::string_view text);

    // Writes the mission's text files for the handheld into `folder`, the
    // export's fresh temporary folder (layouts at the definition). Returns false
    // with `error` naming the file when one cannot be written; the files written
    // before it stay.
    bool ExportTexts(const std::filesystem::path& folder, std::string& error) const;

    // In the order the table keeps them; the project file stores them in another order.
    std::string tableName = "Table Name";
    std::string author = "Unknown";
    std::string authorNotes = "No notes";
    std::string missionName = "My Mission";
    std::string shortDescription = "Short description";
    std::string fullDescription = "Full description";
    std::array<std::string, kSpareTexts> spareTexts; // stored and restored only
    std::array<std::string, kPlayerNames> playerNames;
    std::array<std::string, kUnitNames> unitNames;
    std::array<std::string, kCastleTypes> castleTypeNames;
    std::array<std::string, kCastleTypes> castlePicturePaths;
    std::array<std::string, kArmyTypes> armyPicturePaths;
    std::array<std::string, kResourceNames> resourceNames;
    std::array<std::string, kSkillNames> skillNames;
    std::string victoryText = "You win!";
    std::string defeatText = "You lose!";
    std::array<std::string, kProvinceNames> provinceNames;
    std::array<CEventStrings, kEventSlots> eventStrings; // by event id
    uint16_t reserved = 0;

private:
    int StoreText(std::string& field, std::string_view text);
    static int StoreCatalogueText(std::string* slots, int count, int i, std::string_view text);
    static const std::string& Pick(const std::string* slots, int count, int i);
    static uint8_t Find(const std::string* slots, int count, std::string_view name);
    int ProvinceSlot(const CProvince* province) const;

    // A project that takes over the records of a loaded file re-points them.
    friend class CMapProject;
    CMapProject* project_;
};

// The languages of the mission, owned, in order.
class CStringTableList {
public:
    // Ids that new events may take: 0 .. kNewEventIds - 1.
    static constexpr int kNewEventIds = 140;
    // The most languages a mission may have (the most a project file may hold).
    static constexpr int kMaxTables = 64;
    static constexpr uint16_t kNoEventId = 0xFFFF;

    int GetCount() const { return int(tables_.size()); }
    // Null when `i` is out of range.
    CStringTable* GetAt(int i) const;
    void Add(std::unique_ptr<CStringTable> table) { tables_.push_back(std::move(table)); }
    void DeleteAll() { tables_.clear(); }
    void Swap(CStringTableList& other) noexcept { tables_.swap(other.tables_); }

    // The lowest id in 0..139 that no event of `events` holds, with its title and
    // description set to "Message #n" and "Message #n Info" (n = id + 1) in
    // every table; kNoEventId when all are taken.
    uint16_t AllocateEventId(const CEventList& events);
    // Empties the title and description of slot `id` in every table.
    void ReleaseEventId(int id);
    void RemoveProvinceName(int i);

private:
    std::vector<std::unique_ptr<CStringTable>> tables_;
};

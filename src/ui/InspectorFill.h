#pragma once
// Copies the project's current values into inspector rows that the windows
// built beforehand; a row the inspector does not hold is skipped. Texts come
// from the project's current string table.
#include <optional>
#include <string>
#include <vector>

class CMapProject;
class CPlayerData;
class CProvince;
class CStringTable;
class TrmCustomInspectorItem;
class TrmInspector;

// The mission's texts and settings.
void FillMissionInspector(const CMapProject& project, TrmInspector& inspector);
// One player's data; nothing for an index outside the players.
void FillPlayerInspector(const CMapProject& project, TrmInspector& inspector, int player);

// The AI-type row under the playability row: removed for a human player, else
// shown with the AI types as choices and the player's AI type as value.
void ShowAITypeRow(const CMapProject& project, TrmInspector& inspector, const CPlayerData& player);
// The provinces the player may make capital: every linked province the player
// owns, in province order.
std::vector<CProvince*> CapitalProvinces(const CMapProject& project, int player);
// The capital row's choices for the player: the no-province name, then the names
// of CapitalProvinces.
std::vector<std::string> CapitalChoices(const CMapProject& project, int player);
// The capital row's choices and value for the player, as the provinces now stand.
void FillCapitalRow(const CMapProject& project, TrmInspector& inspector, int player);
// The province the capital row's choice names among the player's provinces as they now
// stand (null: no capital); nothing when no choice of the current list shows that name.
std::optional<CProvince*> ChosenCapital(const CMapProject& project, int player, const TrmCustomInspectorItem& row);
// "Human", "Computer" or "Human & Computer" for a control byte.
const std::string& PlayabilityText(uint8_t control);
// The AI type id a control byte names (127 taken off values of 128 and more).
int AITypeOf(uint8_t control);

// The project's current string table; null when it has none yet.
const CStringTable* CurrentTable(const CMapProject& project);
CStringTable* CurrentTable(CMapProject& project);

#pragma once
// The rows of the player inspector and what a change of one of them does to
// the player. The main window shows the inspector and follows the changes in
// its lists; this part knows only the inspector and the project.
#include <cstdint>

class CMapProject;
class TrmCustomInspectorItem;
class TrmInspector;

// Builds the player rows (the values are the fill's business); rows that exist are kept.
void BuildPlayerRows(const CMapProject& project, TrmInspector& inspector);

// What a row's change concerned, for the window to follow.
enum class PlayerRowChange : uint8_t {
    None,        // nothing was stored
    Name,        // the player's name in the string table
    NameTaken,   // the name typed is another player's: refused
    Active,      // the active tick: stored by the players list's check box, not here
    Skills,
    Playability,
    Capital,
    Other,       // ability, AI type, unit types, treasury, campaign army
};

// Applies the row's new value to player `player` through the model's setters;
// a refused value leaves the row showing what the player has.
PlayerRowChange ApplyPlayerRow(CMapProject& project, TrmInspector& inspector, int player,
                               TrmCustomInspectorItem& row);

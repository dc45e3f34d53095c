#pragma once
// Keys of the inspector rows made at run time, one per skill, resource, unit type or player:
// a fixed prefix followed by the index in decimal ("Army_3", "Pl0", "Res12").
#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class IndexedKey {
  Skill,             // "Skill_%d": the player's skills
  PlayerResource,    // "PlRes_%d": the player's treasury
  Unit,              // "Unit_%d": the player's unit types
  Army,              // "Army_%d": the player's campaign army and the province's guardian army
  ProvinceResource,  // "Res_%d": the province's resources
  EventPlayer,       // "Pl%d": the players an event affects
  EventResource,     // "Res%d": an event's resource amounts
};

// The key of the row with that index (0 and up).
std::string FormatIndexedKey(IndexedKey Kind, int Index);

// The index in Key when Key is such a row's key: the prefix, then decimal digits only.
// Nothing for any other key ("Res_3" is not an event resource key).
std::optional<int> ParseIndexedKey(IndexedKey Kind, std::string_view Key);

// The caption of a unit-type row before the unit is named: "Unit 1" for index 0.
std::string DefaultUnitCaption(int Index);

// The catapult row's choices: "none", then "1" to "4"; the position is the catapult count.
std::span<const std::string_view> CatapultChoices();

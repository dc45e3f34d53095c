#pragma once
// Building the handheld mission record ("mission.dat") from the project.
#include <string>

#include "model/MapProject.h"

// Fills `record` (a fresh one) with copies of what the game needs:
// - the creator id, the experience limit and the catalogue's counts; resource
//   names cut to 4 characters and lower-cased;
// - the active players only, numbered 0, 1, ... in project order; owners and the
//   player to defeat are translated to those numbers, and anything that is not
//   an exported player becomes 255;
// - every province with its piece's bounds, its icon points in world pixels and
//   its neighbouring provinces (descending indices);
// - the enabled events only.
// Lists that the stored form sizes by the resource or unit-type count are cut or
// padded with zeros to that count. Returns false with `error` when the project
// cannot be stored: no current string table, a count that does not fit the byte
// that stores it, or a province without a piece.
bool BuildMissionRecord(const CMapProject& project, CMapProjectB& record, std::string& error);

// The first `length` bytes of `name` with A..Z lowered, as the game's resource keys.
std::string ResourceKey(const std::string& name, size_t length = 4);
